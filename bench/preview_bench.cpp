// Previews made one page at a time: F1 (the shown function's page) and F2 (the Index page)
// through the real main window and preview window, on a library of 20 and of 20,000
// functions in one run, from the key to the page painted (and loaded); the live pane showing
// a keystroke in a 5,000-character description, and typing beside it; the one-time cost of
// the web engine at its first use; and the page production alone.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "gadgetproject.h"
#include "modaldriver.h"
#include "output/pagesource.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/previewwindow.h"
#include "wiredwindow.h"

namespace {

using namespace qs;

std::string FunctionName(std::size_t i) {
  std::string name = "Func";
  for (std::size_t n = i, digits = 0; digits < 5; ++digits, n /= 26) {
    name.push_back(static_cast<char>('A' + n % 26));
  }
  return name;
}

// A library's help of `functions` function pages whose descriptions name three others.
project::HelpProject Library(std::size_t functions) {
  return bench::GeneratedHelp("BenchLib", functions, [functions](std::size_t i) {
    project::Topic topic;
    topic.name = FunctionName(i);
    topic.title = topic.name;
    topic.parameters = "(x, y)";
    topic.summary = topic.name + topic.parameters;
    topic.body = "Works with " + FunctionName((i + 1) % functions) + " and " +
                 FunctionName((i + 7) % functions) + "; frees with " +
                 FunctionName((i + 13) % functions) + ".";
    return topic;
  });
}

// The desktop program's window, commands and core on one project, the middle function shown.
struct Program : uitest::WiredWindow {
  explicit Program(std::size_t functions) : WiredWindow(true) {
    project = Library(functions);
    project.projectFile = Path("bench.qsp");
    project.ShowRow(static_cast<int>(functions / 2));
    ui->RefreshTopicList();
    context->ShowTopic();
  }
};

std::map<std::size_t, std::unique_ptr<Program>>& Programs() {
  static std::map<std::size_t, std::unique_ptr<Program>> programs;
  return programs;
}

// The programs share the browsers' profile: the one asked for last serves the pages.
Program& ProgramWith(std::size_t functions) {
  auto& program = Programs()[functions];
  if (!program) program = std::make_unique<Program>(functions);
  ui::ServePreviewPages(program->window.get(), program->commands->previews);
  return *program;
}

double EpochMilliseconds() {
  using namespace std::chrono;
  return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

// Watches each preview window: when its page has loaded, asks the browser when it first
// painted the page's content (its own paint timing, on the same wall clock as ours), and then
// ends the preview.
class TimeEachPreview : public QObject {
 public:
  double paintedAt = 0;
  double loadedAt = 0;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* preview = qobject_cast<ui::PreviewWindow*>(watched);
      if (preview != nullptr && !preview->property("timed").toBool()) {
        preview->setProperty("timed", true);
        connect(uitest::EngineView(preview->browser), &QWebEngineView::loadFinished, preview,
                [this, preview](bool) {
                  loadedAt = EpochMilliseconds();
                  AskForPaint(preview, 0);
                });
      }
    }
    return false;
  }

 private:
  void AskForPaint(QPointer<ui::PreviewWindow> preview, int asked) {
    static const QString script =
        "(function(){const e=performance.getEntriesByName('first-contentful-paint')[0];"
        "return e?performance.timeOrigin+e.startTime:0;})()";
    uitest::EngineView(preview->browser)
        ->page()
        ->runJavaScript(script, [this, preview, asked](const QVariant& at) {
          if (preview.isNull()) return;
          // A page of text is painted soon after it has loaded; give up after two seconds.
          if (at.toDouble() > 0 || asked >= 1000) {
            paintedAt = at.toDouble();
            preview->accept();
            return;
          }
          QTimer::singleShot(2, preview,
                             [this, preview, asked] { AskForPaint(preview, asked + 1); });
        });
  }
};

// From the key to the page's first paint (the time the author waits to see it), with the
// time until the whole page has loaded beside it: a long page goes on loading below the
// first screen after it is shown.
void RunPreviews(benchmark::State& state, bool all) {
  const auto functions = static_cast<std::size_t>(state.range(0));
  Program& program = ProgramWith(functions);
  TimeEachPreview timer;
  qApp->installEventFilter(&timer);
  // The web view's first page starts its helper processes: not part of a preview.
  program.commands->build.PreviewPage();
  double loading = 0;
  for (auto _ : state) {
    timer.paintedAt = 0;
    const double pressed = EpochMilliseconds();
    if (all) {
      program.commands->build.PreviewAll();
    } else {
      program.commands->build.PreviewPage();
    }
    if (timer.paintedAt <= 0) {
      state.SkipWithError("the browser reported no paint");
      break;
    }
    state.SetIterationTime((timer.paintedAt - pressed) / 1000);
    loading += timer.loadedAt - pressed;
  }
  qApp->removeEventFilter(&timer);
  state.counters["loaded_ms"] = benchmark::Counter(loading, benchmark::Counter::kAvgIterations);
  state.SetLabel(std::to_string(functions) + " functions, to the first paint");
}

void BM_PreviewPageF1(benchmark::State& state) {
  RunPreviews(state, false);
}
void BM_PreviewAllF2(benchmark::State& state) {
  RunPreviews(state, true);
}
// One key press a repetition, so that the median is the median key press; a long page is
// sometimes painted late (the browser laying out what has arrived of it when its first frame
// is due), which the 90th percentile shows.
double NinetiethPercentile(const std::vector<double>& times) {
  if (times.empty()) return 0;
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  // The nearest rank: the smallest time that at least nine tenths of the presses do not exceed.
  const std::size_t rank = (sorted.size() * 9 + 9) / 10;
  return sorted[rank - 1];
}
void PreviewRuns(benchmark::internal::Benchmark* b) {
  b->Arg(20)
      ->Arg(20000)
      ->Iterations(1)
      ->Repetitions(21)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("p90", NinetiethPercentile)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_PreviewPageF1)->Apply(PreviewRuns);
BENCHMARK(BM_PreviewAllF2)->Apply(PreviewRuns);

// A description of 5,000 characters in the body editor of `program`, the live pane open
// and showing it, the caret in the middle of the description.
bool OpenLivePaneOnLongDescription(Program& program, QSignalSpy& shown) {
  QString description;
  while (description.size() < 5000) {
    description += "Returns the <b>text</b> without its blanks; see FuncBAAAA. ";
  }
  description.truncate(5000);
  QPlainTextEdit* body = program.window->projectTab().bodyEditor;
  body->setPlainText(description);
  if (!program.state.livePane) program.commands->page.LivePane();
  program.commands->page.RefreshLivePane();
  QTextCursor caret(body->document());
  caret.setPosition(2500);
  body->setTextCursor(caret);
  body->setFocus();
  return shown.wait(10000) || shown.count() > 0;
}

// A keystroke in a 5,000-character description, to the live pane showing it: the pause the
// pane waits for more typing included, as the author sees it.
void BM_LivePaneKeyToShown(benchmark::State& state) {
  Program& program = ProgramWith(20);
  ui::LivePane* pane = program.window->projectTab().livePane;
  QSignalSpy shown(pane, &ui::LivePane::pageShown);
  if (!OpenLivePaneOnLongDescription(program, shown)) {
    state.SkipWithError("the live pane showed nothing");
    return;
  }
  int typed = 0;
  for (auto _ : state) {
    shown.clear();
    QTest::keyClick(program.window->projectTab().bodyEditor,
                    static_cast<Qt::Key>(Qt::Key_0 + typed++ % 10));
    if (!shown.wait(10000)) {
      state.SkipWithError("the live pane showed nothing");
      break;
    }
  }
  state.SetLabel("5,000-character description, pause of " + std::to_string(ui::LivePane::kPause) +
                 " ms included");
}
BENCHMARK(BM_LivePaneKeyToShown)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A keystroke in that description beside the open live pane, at 20 and at 20,000 functions:
// from the key to its character painted in the editor. The refresh it makes due follows
// later and is not timed; each key is typed after the previous refresh has been shown.
void BM_TypingBesideLivePane(benchmark::State& state) {
  Program& program = ProgramWith(static_cast<std::size_t>(state.range(0)));
  ui::LivePane* pane = program.window->projectTab().livePane;
  QSignalSpy shown(pane, &ui::LivePane::pageShown);
  if (!OpenLivePaneOnLongDescription(program, shown)) {
    state.SkipWithError("the live pane showed nothing");
    return;
  }
  QPlainTextEdit* body = program.window->projectTab().bodyEditor;
  int typed = 0;
  for (auto _ : state) {
    shown.clear();
    QTest::keyClick(body, static_cast<Qt::Key>(Qt::Key_0 + typed++ % 10));
    body->viewport()->repaint();
    state.PauseTiming();
    shown.wait(10000);
    state.ResumeTiming();
  }
  state.SetLabel(std::to_string(state.range(0)) + " functions, refresh not timed");
}
BENCHMARK(BM_TypingBesideLivePane)
    ->Arg(20)
    ->Arg(20000)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The web engine starts with the first web view the program makes: the first F1, the first
// switch to the view mode, or the first opening of the live pane. A fresh program of 20
// functions (its own process, as the author's) times one of them from the command to the page
// loaded, then the same a second time, and prints both in milliseconds. This program links the
// web engine for its own measurements, so the loading of the engine's libraries, which the
// desktop program pays with its first browser (it loads them with its web-view module), is
// not in these times.
enum class FirstUse { PreviewWindow, ViewMode, LivePane };

int FirstUseChild(FirstUse use) {
  Program program(20);
  ui::ServePreviewPages(program.window.get(), program.commands->previews);
  QApplication::processEvents();
  const auto timeOnce = [&]() -> double {
    // Back to the state before the first use.
    if (program.state.viewMode) program.window->projectTab().editViewButton->click();
    if (program.state.livePane) program.commands->page.LivePane();
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    switch (use) {
      case FirstUse::PreviewWindow: {
        TimeEachPreview timer;
        qApp->installEventFilter(&timer);
        const double pressed = EpochMilliseconds();
        program.commands->build.PreviewPage();
        qApp->removeEventFilter(&timer);
        return timer.loadedAt > 0 ? timer.loadedAt - pressed : -1;
      }
      case FirstUse::ViewMode: {
        program.window->projectTab().editViewButton->click();
        QWebEngineView* browser = uitest::EngineView(program.window->projectTab().previewBrowser);
        if (browser == nullptr) return -1;
        // The page, not the empty one the browser was made with.
        QSignalSpy loaded(browser, &QWebEngineView::loadFinished);
        while (loaded.isEmpty() || !loaded.last().at(0).toBool() ||
               browser->url().scheme() != "preview") {
          if (!loaded.wait(20000)) return -1;
        }
        break;
      }
      case FirstUse::LivePane: {
        QSignalSpy shown(program.window->projectTab().livePane, &ui::LivePane::pageShown);
        program.commands->page.LivePane();
        if (!shown.wait(20000) && shown.isEmpty()) return -1;
        break;
      }
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
  };
  const double first = timeOnce();
  const double again = timeOnce();
  std::printf("%.3f %.3f\n", first, again);
  return first > 0 && again > 0 ? 0 : 1;
}

// The first use in a fresh program, with the second use of the same program beside it.
void BM_FirstUseOfTheWebEngine(benchmark::State& state) {
  const int use = static_cast<int>(state.range(0));
  double again = 0;
  for (auto _ : state) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--first-use-child", QString::number(use)});
    const bool finished = child.waitForFinished(60000) && child.exitCode() == 0;
    const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
    if (!finished || times.size() != 2) {
      state.SkipWithError("the fresh program reported no page");
      break;
    }
    state.SetIterationTime(times[0].toDouble() / 1000);
    again += times[1].toDouble();
  }
  state.counters["again_ms"] = benchmark::Counter(again, benchmark::Counter::kAvgIterations);
  static const char* const kUses[] = {"first F1 (preview window)", "first view mode",
                                      "first live pane"};
  state.SetLabel(kUses[use]);
}
BENCHMARK(BM_FirstUseOfTheWebEngine)
    ->Arg(static_cast<int>(FirstUse::PreviewWindow))
    ->Arg(static_cast<int>(FirstUse::ViewMode))
    ->Arg(static_cast<int>(FirstUse::LivePane))
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The page production alone, as the browser asks: a function page, and the Index page, which
// lists every function.
void ProducePage(benchmark::State& state, bool index) {
  const auto functions = static_cast<std::size_t>(state.range(0));
  const project::HelpProject project = Library(functions);
  const config::LanguageTable captions;
  output::PageSource source;
  const std::string page = index ? "Index.html" : FunctionName(functions / 2) + ".html";
  std::size_t bytes = 0;
  for (auto _ : state) bytes = source.Page(project, captions, page)->size();
  state.SetLabel(std::to_string(functions) + " functions, " + std::to_string(bytes) + " bytes");
}
void BM_FunctionPageOnRequest(benchmark::State& state) {
  ProducePage(state, false);
}
void BM_IndexPageOnRequest(benchmark::State& state) {
  ProducePage(state, true);
}
BENCHMARK(BM_FunctionPageOnRequest)->Arg(20)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexPageOnRequest)->Arg(20)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  ui::DeferWebEngineStart();
  QApplication application(argc, argv);
  if (argc >= 3 && std::string(argv[1]) == "--first-use-child") {
    return FirstUseChild(static_cast<FirstUse>(std::stoi(argv[2])));
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The windows and their browsers go before the application object.
  Programs().clear();
  return 0;
}
