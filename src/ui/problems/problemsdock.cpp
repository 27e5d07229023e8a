#include "ui/problems/problemsdock.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "app/commands.h"
#include "project/topicform.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/problems/problemspanel.h"
#include "ui/topiclist/topicfilter.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"
#include "ui/widgets/textselect.h"

namespace qs::ui {
namespace {

// The line of the problem selected, in the field of the form that holds it.
void PlaceCaretOnLine(MainWindow& window, check::Field field, int line) {
  ProjectTab& form = window.projectTab();
  if (field == check::Field::Title) {
    form.titleField->setFocus();
    form.titleField->setCursorPosition(0);
    return;
  }
  QPlainTextEdit* editor = field == check::Field::Summary ? form.summaryEditor
                           : field == check::Field::Body  ? form.bodyEditor
                                                          : form.exampleEditor;
  SelectInLine(*editor, line, 0, -1);
}

void KeepOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr || window.isMaximized() || window.isFullScreen()) return;
  const QRect available = screen->availableGeometry();
  const QRect frame = window.frameGeometry();
  const int over = std::min(frame.bottom() - available.bottom(), frame.top() - available.top());
  if (over > 0) window.move(window.x(), window.y() - over);
}

// A menu in the topic filter's field: every page, or only those the check picks out.
void AddPageChoice(MainWindow& w, QtUi& ui) {
  QLineEdit* field = w.projectTab().topicFilterField;
  TopicListView* list = w.projectTab().topicListView;
  QAction* choose = field->addAction(BlankPageIcon(), QLineEdit::LeadingPosition);
  choose->setObjectName("TopicPagesChoice");
  // Not drawn: the name a screen reader reads for the picture.
  choose->setText("Pages shown");
  choose->setToolTip("Show all pages, or only those not yet documented or with problems");
  auto* menu = new QMenu(field);
  menu->setObjectName("TopicPagesMenu");
  auto* group = new QActionGroup(menu);
  const std::pair<const char*, TopicFilter::Pages> choices[] = {
      {"&All pages", TopicFilter::Pages::All},
      {"Only pages not yet &documented", TopicFilter::Pages::Undocumented},
      {"Only pages with &problems", TopicFilter::Pages::WithProblems}};
  for (const auto& [caption, pages] : choices) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    action->setChecked(pages == TopicFilter::Pages::All);
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, &w, [&w, &ui, list, pages = pages] {
      list->topicFilter()->SetPages(pages);
      // As for a text in the filter: the selection stays, and moves wait.
      list->SelectProjectRow(ui.project().selectedRow());
      w.projectTab().moveUpButton->setEnabled(!list->filtered());
      w.projectTab().moveDownButton->setEnabled(!list->filtered());
    });
  }
  QObject::connect(choose, &QAction::triggered, field,
                   [field, menu] { menu->popup(field->mapToGlobal(QPoint(0, field->height()))); });
}

}  // namespace

ProblemsPanel* AttachProblemsPanel(MainWindow& w, QtUi& ui, app::Commands& c) {
  ProblemsPanel::Sources sources;
  sources.project = [&ui]() -> const project::HelpProject& { return ui.project(); };
  sources.shownPage = [&w, &ui]() -> std::optional<project::Topic> {
    const project::HelpProject& project = ui.project();
    const project::Topic* shown = project.FindTopic(project.shownTopic());
    if (shown == nullptr) return std::nullopt;
    project::Topic page = *shown;
    page.body = project.Body(*shown);
    if (w.formActive()) project::ApplyForm(page, ui.ReadForm());
    return page;
  };
  sources.examplesAreCode = [&w] { return w.optionsTab().examplesAsCodeCheckBox->isChecked(); };
  auto* panel = new ProblemsPanel(std::move(sources));
  auto* dock = new QDockWidget("Problems", &w);
  dock->setObjectName("ProblemsDock");
  dock->setWidget(panel);
  dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                    QDockWidget::DockWidgetFloatable);
  w.addDockWidget(Qt::BottomDockWidgetArea, dock);
  dock->hide();

  // The status bar: what is documented, and the toggle that names how many problems there are.
  auto* coverage = new QLabel(&w);
  coverage->setObjectName("CoverageLabel");
  auto* toggle = new QToolButton(&w);
  toggle->setObjectName("ProblemsButton");
  toggle->setCheckable(true);
  toggle->setAutoRaise(true);
  toggle->setText("Problems");
  toggle->setToolTip("Show or hide the Problems panel");
  w.statusBar()->addPermanentWidget(coverage);
  w.statusBar()->addPermanentWidget(toggle);
  QObject::connect(toggle, &QToolButton::toggled, dock, [&w, dock](bool shown) {
    dock->setVisible(shown);
    // The window grows by the panel; it moves up rather than run off the bottom of the screen.
    if (shown) QTimer::singleShot(0, &w, [&w] { KeepOnScreen(w); });
  });
  QObject::connect(dock, &QDockWidget::visibilityChanged, toggle, [dock, toggle](bool) {
    // Tabbed away behind another dock is still open.
    toggle->setChecked(!dock->isHidden());
  });
  TopicListView* list = w.projectTab().topicListView;
  QObject::connect(panel, &ProblemsPanel::checked, &w, [panel, coverage, toggle, list] {
    // The topic list marks what the check found, and can show only those pages.
    std::unordered_set<std::string> undocumented;
    for (auto page = panel->undocumentedPages().begin(); page != panel->undocumentedPages().end();
         ++page) {
      if (page.value()) undocumented.insert(ToModel(page.key()));
    }
    std::unordered_map<std::string, int> problems;
    for (auto page = panel->problemCounts().begin(); page != panel->problemCounts().end(); ++page) {
      if (page.value() > 0) problems[ToModel(page.key())] = page.value();
    }
    list->topicModel()->SetMarks(std::move(undocumented), std::move(problems));
    coverage->setText(panel->coverageText());
    const int total = panel->totalProblems();
    toggle->setText(total == 0
                        ? QString("No problems")
                        : (total == 1 ? QString("1 problem") : QString("%1 problems").arg(total)));
    toggle->setAccessibleName(toggle->text());
  });

  // Anything that may touch other pages than the one typed in: the rows, the shown page (the
  // one left was committed, when its typing was not checked yet), coming back to the window
  // (files may have come into the help folder).
  TopicListModel& rows = *w.projectTab().topicListView->topicModel();
  auto changed = [panel] { panel->projectChanged(); };
  QObject::connect(&rows, &QAbstractItemModel::modelReset, panel, changed);
  QObject::connect(&rows, &QAbstractItemModel::rowsInserted, panel, changed);
  QObject::connect(&rows, &QAbstractItemModel::rowsRemoved, panel, changed);
  // (Not the marks the check itself gives the rows.)
  QObject::connect(&rows, &QAbstractItemModel::dataChanged, panel,
                   [panel](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                     if (!roles.contains(Qt::ToolTipRole)) panel->projectChanged();
                   });
  QObject::connect(&w, &MainWindow::topicListEvent, panel, &ProblemsPanel::shownPageChanged);
  QObject::connect(&w, &MainWindow::activated, panel, changed);
  QObject::connect(&w, &MainWindow::formEdited, panel, &ProblemsPanel::formEdited);
  // Examples written as code hold no markup to check.
  QObject::connect(w.optionsTab().examplesAsCodeCheckBox, &QCheckBox::toggled, panel, changed);

  QObject::connect(panel, &ProblemsPanel::problemChosen, &w,
                   [&w, &ui, &c](const QString& topic, check::Field field, int line) {
                     const int row = ui.project().RowOf(ToModel(topic));
                     if (row < 0) return;
                     // A row the filter hides is shown by clearing the filter.
                     if (!w.projectTab().topicListView->ShowsProjectRow(row))
                       w.projectTab().topicFilterField->clear();
                     if (c.page.ShowSearchHit(row)) PlaceCaretOnLine(w, field, line);
                     c.ShowUnsavedState();
                   });
  AddPageChoice(w, ui);
  panel->projectChanged();
  return panel;
}

}  // namespace qs::ui
