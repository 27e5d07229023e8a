// The main window's actions on a project of 200 and of 20,000 functions, side by side in one
// run: moving a row up and down (and a move by the arrow's key beside one by a click), adding and
// deleting a user topic, selecting the Index page and a function, extracting the library again, a
// keystroke in the topic filter, the start-up to the window's first paint (without a project,
// and opening one of either size), and the page search: opening its window and listing its hits.
// Each action is timed from the command to the end of the repaint it causes. The window is made
// without the preview browser, which the form hides while it is shown. Each state runs a fixed
// number of iterations on the wall clock: the slow ones take a good part of a second each on a
// busy machine.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/commands.h"
#include "app/coreservices.h"
#include "app/lifecycle.h"
#include "project/projectfile.h"
#include "project/usertopics.h"
#include "support/librarygenerator.h"
#include "ui/builder/qtprogramrunner.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/mainwindow/startup.h"
#include "ui/mainwindow/wiring.h"
#include "ui/problems/problemspanel.h"
#include "ui/topiclist/pagesearchdialog.h"
#include "wiredwindow.h"

namespace {

using namespace qs;

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

using Program = uitest::WiredWindow;

// Lets the check of all pages that follows a change of the rows (an extraction, the actions
// of the benchmark before) report, so that an action's figures do not take the tail of
// another's: the project as a user meets it after a pause.
void Quiet(Program& p) {
  auto* problems = p.window->findChild<ui::ProblemsPanel*>("ProblemsPanel");
  QSignalSpy checked(problems, &ui::ProblemsPanel::checked);
  while (checked.wait(3000)) {
  }
  Settle();
}

// A shown project of `functions` functions extracted from a generated library, with the
// License user topic at the end; one per size, made on first use, and quiet (above) each time
// a benchmark takes it.
std::map<int, std::unique_ptr<Program>>& Programs() {
  static std::map<int, std::unique_ptr<Program>> programs;
  return programs;
}

Program& Extracted(int functions) {
  auto& program = Programs()[functions];
  if (program) {
    Quiet(*program);
    return *program;
  }
  program = std::make_unique<Program>(false);
  Program& p = *program;
  const std::string library = p.Path("Synthetic");
  testsupport::WriteLibraryFile(
      library, testsupport::SyntheticLibraryRecipe(static_cast<std::size_t>(functions)));
  p.project.projectFile = p.Path("Synthetic.qsp");
  p.project.libraryFile = library;
  p.window->optionsTab().keepDataCheckBox->setChecked(true);
  auto* problems = p.window->findChild<ui::ProblemsPanel*>("ProblemsPanel");
  QSignalSpy checked(problems, &ui::ProblemsPanel::checked);
  p.commands->project.Extract();
  project::AddUserTopic(p.project, "License");
  p.ui->RefreshTopicList();
  Settle();
  // The first check may take a while on a slow machine.
  if (checked.isEmpty()) checked.wait(600000);
  Quiet(p);
  return p;
}

void SelectRow(Program& p, int row) {
  p.window->projectTab().topicListView->setCurrentIndex(
      p.window->projectTab().topicListView->model()->index(row, 0));
}

int MiddleRow(const Program& p) {
  return static_cast<int>(p.project.ItemCount()) / 2;
}

void BM_MoveUpAndDown(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  SelectRow(p, MiddleRow(p));
  Settle();
  for (auto _ : state) {
    p.window->projectTab().moveUpButton->click();
    Settle();
    p.window->projectTab().moveDownButton->click();
    Settle();
  }
  state.SetLabel("one move up and one down");
}
BENCHMARK(BM_MoveUpAndDown)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A move of the middle topic by the arrow button's key (Alt+Down) beside the move back by a
// mouse click on the other arrow, each from the input to the list changed and repainted; the
// key is to act as soon as the click does. Key and click take turns in each repetition, so
// that a busy moment of the machine falls on both alike; the time is the key's, `click_ms`
// the click's.
bool MoveOnce(Program& p, bool byKey, bool down) {
  const int from = p.project.selectedRow();
  const std::string moving = p.project.ItemText(from);
  const int to = down ? from + 1 : from - 1;
  if (byKey) {
    QTest::keyClick(p.window.get(), down ? Qt::Key_Down : Qt::Key_Up, Qt::AltModifier);
  } else {
    QTest::mouseClick(
        down ? p.window->projectTab().moveDownButton : p.window->projectTab().moveUpButton,
        Qt::LeftButton);
  }
  QElapsedTimer waited;
  waited.start();
  while (p.project.ItemText(to) != moving && waited.elapsed() < 2000) {
    QApplication::processEvents();
  }
  Settle();
  return p.project.ItemText(to) == moving;
}

void BM_MoveByKeyBesideClick(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  SelectRow(p, MiddleRow(p));
  p.window->activateWindow();
  if (!QTest::qWaitForWindowActive(p.window.get())) {
    state.SkipWithError("the window did not become active: its keys would go nowhere");
    return;
  }
  Settle();
  double clicks = 0;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    const bool byKey = MoveOnce(p, true, true);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    clock.start();
    const bool byClick = MoveOnce(p, false, false);
    clicks += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!byKey || !byClick) {
      state.SkipWithError("the topic did not move");
      break;
    }
  }
  state.counters["click_ms"] = benchmark::Counter(clicks, benchmark::Counter::kAvgIterations);
  state.SetLabel("Alt+Down; click_ms: a click on the up arrow");
}
BENCHMARK(BM_MoveByKeyBesideClick)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(1)
    ->Repetitions(31)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// What "Add user topic" does once the name is typed; false
// when the page shown is not the one added (a figure would then time something else).
bool AddUserTopic(Program& p) {
  project::AddUserTopic(p.project, "Notes");
  p.ui->RefreshTopicList();
  p.context->ShowTopic();
  Settle();
  return p.project.shownTopic() == "Notes";
}
constexpr const char* kNotAdded = "the added user topic is not shown";

void BM_AddUserTopic(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    SelectRow(p, MiddleRow(p));
    Settle();
    state.ResumeTiming();
    const bool added = AddUserTopic(p);
    state.PauseTiming();
    if (!added) {
      state.SkipWithError(kNotAdded);
      state.ResumeTiming();
      break;
    }
    p.commands->page.DeleteSelectedTopic();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddUserTopic)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_DeleteUserTopic(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    SelectRow(p, MiddleRow(p));
    Settle();
    const bool added = AddUserTopic(p);
    state.ResumeTiming();
    if (!added) {
      state.SkipWithError(kNotAdded);
      break;
    }
    // The deletion shows the Index page.
    p.commands->page.DeleteSelectedTopic();
    Settle();
  }
}
BENCHMARK(BM_DeleteUserTopic)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_SelectIndex(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    SelectRow(p, 1);
    Settle();
    state.ResumeTiming();
    SelectRow(p, 0);
    Settle();
  }
}
BENCHMARK(BM_SelectIndex)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_SelectFunction(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  int row = 1;
  for (auto _ : state) {
    SelectRow(p, row);
    Settle();
    row = row == 1 ? 2 : 1;
  }
}
BENCHMARK(BM_SelectFunction)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_Reextraction(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    p.commands->project.Extract();
    Settle();
  }
  state.SetLabel("keeping the pages' texts");
}
BENCHMARK(BM_Reextraction)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FilterKeystroke(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  QLineEdit* filter = p.window->projectTab().topicFilterField;
  // Each keystroke narrows or widens the list: "F" matches most names, "Fu" fewer.
  bool longer = true;
  filter->setText("F");
  Settle();
  for (auto _ : state) {
    filter->setText(longer ? "Fu" : "F");
    Settle();
    longer = !longer;
  }
  filter->clear();
  Settle();
}
BENCHMARK(BM_FilterKeystroke)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The page search window (Ctrl+Shift+F). Opening it with the field empty shows the window;
// opening it again with the last search's text in the field searches again before it shows.
// The hits bench searches for "Window", a word in the name of every 16th function: the limit
// of listed hits at 20,000 functions.
ui::PageSearchDialog& SearchDialog(Program& p) {
  return *p.window->findChild<ui::PageSearchDialog*>("PageSearchDialog");
}

void BM_SearchAllOpen(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  ui::PageSearchDialog& dialog = SearchDialog(p);
  const bool again = state.range(1) != 0;
  dialog.searchField->setText(again ? "Window" : "");
  SelectRow(p, MiddleRow(p));
  // The key goes to the active window: each size has a window of its own.
  p.window->activateWindow();
  Settle();
  for (auto _ : state) {
    QTest::keyClick(p.window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    state.PauseTiming();
    if (!dialog.isVisible()) {
      state.SkipWithError("Ctrl+Shift+F did not open the page search");
      break;
    }
    dialog.hide();
    p.window->activateWindow();
    Settle();
    state.ResumeTiming();
  }
  state.SetLabel(again ? "the last search's text in the field" : "an empty field");
}
BENCHMARK(BM_SearchAllOpen)
    ->ArgNames({"functions", "again"})
    ->Args({200, 0})
    ->Args({20000, 0})
    ->Args({200, 1})
    ->Args({20000, 1})
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_SearchAllHits(benchmark::State& state) {
  Program& p = Extracted(static_cast<int>(state.range(0)));
  ui::PageSearchDialog& dialog = SearchDialog(p);
  dialog.searchField->clear();
  dialog.show();
  Settle();
  for (auto _ : state) {
    dialog.searchField->setText("Window");
    QTest::keyClick(dialog.searchField, Qt::Key_Return);
    Settle();
    state.PauseTiming();
    state.counters["hits"] = dialog.hitList->topLevelItemCount();
    dialog.searchField->clear();
    QTest::keyClick(dialog.searchField, Qt::Key_Return);
    Settle();
    state.ResumeTiming();
  }
  dialog.hide();
  Settle();
}
BENCHMARK(BM_SearchAllHits)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A program started afresh: from making the window to its first paint, with the project at
// `projectPath` (none when empty) named on the command line, as milliseconds on standard
// output. The load that follows the paint is waited for but not timed.
int FirstPaintChild(const std::string& projectPath) {
  struct PaintSpy : QObject {
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint && qobject_cast<ui::MainWindow*>(watched)) painted = true;
      return false;
    }
  } spy;
  QApplication::instance()->installEventFilter(&spy);
  QElapsedTimer clock;
  clock.start();
  auto p = std::make_unique<Program>(false);
  app::FinishStart(*p->context, "");
  ui::OpenAfterFirstPaint(*p->window, *p->context, projectPath);
  while (!spy.painted) QApplication::processEvents();
  const double milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  while (!projectPath.empty() && p->project.ItemCount() == 0) QApplication::processEvents();
  std::printf("%.4f\n", milliseconds);
  return 0;
}

// Start-up to the first paint, each run in a program of its own (a start never follows the
// end of another window in the same process, whose freed memory would have to be mapped
// again), with no project, or one of 200 or of 20,000 functions named on the command line.
void BM_StartUpToFirstPaint(benchmark::State& state) {
  const int functions = static_cast<int>(state.range(0));
  std::string projectPath;
  if (functions > 0) {
    Program& source = Extracted(functions);
    projectPath = source.Path("Saved.qsp");
    text::Reports reports;
    project::SaveProject(source.project, projectPath, reports);
  }
  QStringList arguments = {"--first-paint-child"};
  if (!projectPath.empty()) arguments << QString::fromStdString(projectPath);
  for (auto _ : state) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    bool read = false;
    const double milliseconds =
        child.waitForFinished(60000) ? child.readAllStandardOutput().trimmed().toDouble(&read) : 0;
    if (!read) {
      state.SkipWithError("the started program reported no first paint");
      break;
    }
    state.SetIterationTime(milliseconds / 1000);
  }
}
BENCHMARK(BM_StartUpToFirstPaint)
    ->Arg(0)
    ->Arg(200)
    ->Arg(20000)
    ->Iterations(9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc >= 2 && std::string(argv[1]) == "--first-paint-child") {
    return FirstPaintChild(argc >= 3 ? argv[2] : "");
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The windows go before the application object.
  Programs().clear();
  return 0;
}
