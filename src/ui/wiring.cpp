#include "ui/wiring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineProfile>

#include "app/commands.h"
#include "ui/livepane.h"
#include "ui/mainwindow.h"
#include "ui/previewscheme.h"
#include "ui/qtui.h"

namespace qs::ui {

void Wire(MainWindow& w, QtUi& ui, app::Commands& c) {
  auto on = [&w](QPushButton* button, auto command) {
    QObject::connect(button, &QPushButton::clicked, &w, command);
  };
  on(w.newProjectButton, [&c] { c.project.NewProject(); });
  on(w.loadProjectButton, [&c] { c.project.LoadProject(); });
  on(w.saveProjectButton, [&c] { c.project.SaveProject(); });
  on(w.showHelpButton, [&c] { c.project.ShowHelp(); });
  on(w.browseLibraryButton, [&c] { c.project.BrowseLibrary(); });
  on(w.browseHelpFolderButton, [&c] { c.project.BrowseHelpFolder(); });
  on(w.createHelpFolderButton, [&c] { c.project.CreateHelpFolder(); });
  on(w.moveUpButton, [&c] { c.page.MoveUp(); });
  on(w.moveDownButton, [&c] { c.page.MoveDown(); });
  on(w.extractButton, [&c] { c.project.Extract(); });
  on(w.previewButton, [&c] { c.build.PreviewPage(); });
  on(w.previewAllButton, [&c] { c.build.PreviewAll(); });
  on(w.createHtmlButton, [&c] { c.build.CreateHtml(); });
  on(w.browseCompilerButton, [&c] { c.options.BrowseCompiler(); });
  on(w.editViewButton, [&c] { c.page.EditView(); });
  on(w.livePaneButton, [&c] { c.page.LivePane(); });
  on(w.associateButton, [&c] { c.options.Associate(); });
  on(w.removeAssociationButton, [&c] { c.options.RemoveAssociation(); });
  on(w.uniqueHtmlButton, [&c] { c.build.UniqueHtml(); });
  for (std::size_t i = 0; i < w.tagButtons.size(); ++i) {
    const char* tag = MainWindow::kTags[i];
    on(w.tagButtons[i], [&c, tag] { c.page.TagButton(tag); });
  }

  QObject::connect(&w, &MainWindow::topicListEvent, &w,
                   [&c](int row, bool rightClick) { c.page.TopicListEvent(row, rightClick); });
  QObject::connect(&w, &MainWindow::editorEvent, &w,
                   [&c](app::Editor editor) { c.page.EditorEvent(editor); });
  QObject::connect(&w, &MainWindow::shortcutCommand, &w, [&w, &c](app::CommandId id) {
    if (id == app::CommandId::EditViewKey) {
      // Esc is a click on the switch, which a disabled switch ignores.
      if (w.editViewButton->isEnabled()) w.editViewButton->click();
      return;
    }
    c.Command(id);
  });
  QObject::connect(&ui, &QtUi::menuCommand, &w, [&c](app::CommandId id) { c.Command(id); });
  QObject::connect(&w, &MainWindow::recentProjectChosen, &w,
                   [&c](const std::string& path) { c.project.LoadRecentProject(path); });
  if (w.livePane != nullptr) {
    QObject::connect(w.livePane, &LivePane::refreshDue, &w, [&c] { c.page.RefreshLivePane(); });
  }
  // Every browser of the window shares the default profile, and so these pages. Without a
  // browser there is nothing to serve, and the web engine is not started.
  if (w.browserAvailable()) {
    ServePreviewPages(QWebEngineProfile::defaultProfile(), &w, c.previews);
  }

  QObject::connect(w.compileCheckBox, &QCheckBox::toggled, &w,
                   [&c](bool) { c.options.CompileOptionChanged(); });

  QObject::connect(w.languageList, &QComboBox::activated, &w,
                   [&c](int) { c.options.LanguageChosen(); });
  for (QLineEdit* field : w.headingFields) {
    QObject::connect(field, &QLineEdit::textEdited, &w,
                     [&c](const QString&) { c.options.CaptionEdited(); });
  }
}

}  // namespace qs::ui
