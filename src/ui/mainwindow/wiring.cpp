#include "ui/mainwindow/wiring.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/commands.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewscheme.h"
#include "ui/problems/problemsdock.h"
#include "ui/topiclist/pagesearchdialog.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/codehighlighter.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

// The search window with its wiring, made the first time a search is asked for.
PageSearchDialog* MakeSearchDialog(MainWindow& w, QtUi& ui, app::Commands& c) {
  auto* dialog = new PageSearchDialog(&w, ui.project());
  dialog->setBeforeSearch([&c] { c.page.PrepareSearch(); });
  QObject::connect(dialog, &PageSearchDialog::hitChosen, &w,
                   [&w, &ui, &c, dialog](const PageSearchHit& chosen) {
                     PageSearchHit hit = chosen;
                     // The rows may have moved since the search: the topic is found by name.
                     const project::HelpProject& project = ui.project();
                     if (FromModel(project.ItemText(hit.row)) != hit.topic) {
                       hit.row = project.RowOf(ToModel(hit.topic));
                     }
                     if (hit.row < 0) return;
                     // A row the filter hides is shown by clearing the filter.
                     if (!w.projectTab().topicListView->ShowsProjectRow(hit.row))
                       w.projectTab().topicFilterField->clear();
                     if (c.page.ShowSearchHit(hit.row)) dialog->KeepClearOf(PlaceCaret(w, hit));
                     w.menus().Refresh();
                   });
  return dialog;
}

void WireSearch(MainWindow& w, QtUi& ui, app::Commands& c) {
  // Most sessions never search: the window is not made before the main window opens.
  QObject::connect(&w, &MainWindow::searchRequested, &w,
                   [&w, &ui, &c, dialog = static_cast<PageSearchDialog*>(nullptr)]() mutable {
                     if (dialog == nullptr) dialog = MakeSearchDialog(w, ui, c);
                     if (!dialog->searchField->text().isEmpty()) dialog->Search();
                     dialog->show();
                     dialog->raise();
                     dialog->activateWindow();
                     dialog->searchField->setFocus();
                     dialog->searchField->selectAll();
                   });
}

// Milliseconds between two recovery copies; QS_RECOVERY_INTERVAL_MS shortens it for tests.
int RecoveryInterval() {
  bool valid = false;
  const int overridden = qEnvironmentVariableIntValue("QS_RECOVERY_INTERVAL_MS", &valid);
  return valid && overridden > 0 ? overridden : 30000;
}

}  // namespace

void Wire(MainWindow& w, QtUi& ui, app::Commands& c) {
  // After every command the title tells whether there is unsaved work.
  // The menus offer what the commands would do, and again after every command.
  w.menus().setStateSource([&c] { return c.States(); });
  auto connect = [&w, &c](auto* sender, auto signal, auto command) {
    QObject::connect(sender, signal, &w, [&w, &c, command](auto&&... arguments) {
      command(arguments...);
      c.ShowUnsavedState();
      w.menus().Refresh();
    });
  };
  auto on = [&connect](QPushButton* button, auto command) {
    connect(button, &QPushButton::clicked, [command](bool) { command(); });
  };
  on(w.projectTab().newProjectButton, [&c] { c.project.NewProject(); });
  on(w.projectTab().loadProjectButton, [&c] { c.project.LoadProject(); });
  on(w.projectTab().saveProjectButton, [&c] { c.project.SaveProject(); });
  on(w.projectTab().showHelpButton, [&c] { c.project.ShowHelp(); });
  on(w.projectTab().browseLibraryButton, [&c] { c.project.BrowseLibrary(); });
  on(w.projectTab().browseHelpFolderButton, [&c] { c.project.BrowseHelpFolder(); });
  on(w.projectTab().createHelpFolderButton, [&c] { c.project.CreateHelpFolder(); });
  on(w.projectTab().moveUpButton, [&c] { c.page.MoveUp(); });
  on(w.projectTab().moveDownButton, [&c] { c.page.MoveDown(); });
  on(w.projectTab().extractButton, [&c] { c.project.Extract(); });
  on(w.projectTab().previewButton, [&c] { c.build.PreviewPage(); });
  on(w.projectTab().previewAllButton, [&c] { c.build.PreviewAll(); });
  on(w.projectTab().createHtmlButton, [&c] { c.build.CreateHtml(); });
  on(w.optionsTab().browseCompilerButton, [&c] { c.options.BrowseCompiler(); });
  on(w.projectTab().editViewButton, [&c] { c.page.EditView(); });
  on(w.projectTab().livePaneButton, [&c] { c.page.LivePane(); });
  on(w.optionsTab().associateButton, [&c] { c.options.Associate(); });
  on(w.optionsTab().removeAssociationButton, [&c] { c.options.RemoveAssociation(); });
  on(w.optionsTab().uniqueHtmlButton, [&c] { c.build.UniqueHtml(); });
  on(w.optionsTab().websiteButton, [&c] { c.build.CreateWebsite(); });
  for (std::size_t i = 0; i < w.projectTab().tagButtons.size(); ++i) {
    const char* tag = ProjectTab::kTags[i];
    on(w.projectTab().tagButtons[i], [&c, tag] { c.page.TagButton(tag); });
  }
  on(w.projectTab().insertLinkButton, [&c] { c.page.InsertLink(); });
  on(w.projectTab().insertPictureButton, [&c] { c.page.InsertPicture(); });

  connect(&w, &MainWindow::topicListEvent,
          [&c](int row, bool rightClick) { c.page.TopicListEvent(row, rightClick); });
  connect(&w, &MainWindow::editorEvent, [&c](app::Editor editor) { c.page.EditorEvent(editor); });
  connect(&w, &MainWindow::formEdited, [&c] { c.page.FormEdited(); });
  connect(&w, &MainWindow::shortcutCommand, [&w, &c](app::CommandId id) {
    if (id == app::CommandId::EditViewKey) {
      // Esc is a click on the switch, which a disabled switch ignores.
      if (w.projectTab().editViewButton->isEnabled()) w.projectTab().editViewButton->click();
      return;
    }
    c.Command(id);
  });
  WireSearch(w, ui, c);
  AttachProblemsPanel(w, ui, c);
  // Like every command, the recent projects' one leaves the title naming the project shown.
  connect(&w, &MainWindow::recentProjectChosen,
          [&c](const std::string& path) { c.project.LoadRecentProject(path); });
  if (w.projectTab().livePane != nullptr) {
    QObject::connect(w.projectTab().livePane, &LivePane::refreshDue, &w,
                     [&c] { c.page.RefreshLivePane(); });
  }
  // Every browser of the window shares the sealed profile, and so these pages. Without a
  // browser there is nothing to serve, and the web engine is not started.
  if (w.browserAvailable()) ServePreviewPages(&w, c.previews);
  connect(&ui, &QtUi::menuCommand, [&c](app::CommandId id) { c.Command(id); });

  connect(w.optionsTab().compileCheckBox, &QCheckBox::toggled,
          [&c](bool) { c.options.CompileOptionChanged(); });
  // While examples are code, the Example editor colours them as the pages do.
  auto* code = new CodeHighlighter(w.projectTab().exampleEditor);
  code->setObjectName("ExampleCodeHighlighter");
  code->setColouring(w.optionsTab().examplesAsCodeCheckBox->isChecked());
  connect(w.optionsTab().examplesAsCodeCheckBox, &QCheckBox::toggled, [&c, code](bool on) {
    code->setColouring(on);
    c.page.ExamplesAsCodeChanged();
  });

  connect(w.optionsTab().languageList, &QComboBox::activated,
          [&c](int) { c.options.LanguageChosen(); });
  for (QLineEdit* field : w.optionsTab().headingFields) {
    connect(field, &QLineEdit::textEdited, [&c](const QString&) { c.options.CaptionEdited(); });
  }

  // Someone else may have written the project file while the author was away. Asked after the
  // activation has been handled, and only when no window of the program is in the way: a
  // question over a requester or a build would interrupt a command halfway.
  QObject::connect(&w, &MainWindow::activated, &w, [&w, &c] {
    QTimer::singleShot(0, &w, [&w, &c] {
      static bool asking = false;
      if (asking || !w.isActiveWindow() || QApplication::activeModalWidget() != nullptr ||
          QApplication::activePopupWidget() != nullptr) {
        return;
      }
      asking = true;
      c.WindowActivated();
      asking = false;
    });
  });

  auto* recovery = new QTimer(&w);
  recovery->setObjectName("RecoveryTimer");
  QObject::connect(recovery, &QTimer::timeout, &w, [&c] { c.WriteRecovery(); });
  recovery->start(RecoveryInterval());
}

}  // namespace qs::ui
