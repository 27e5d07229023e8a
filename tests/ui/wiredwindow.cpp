#include "wiredwindow.h"

#include <QTest>

#include "app/lifecycle.h"
#include "support/librarygenerator.h"
#include "ui/mainwindow/wiring.h"

namespace qs::uitest {

WiredWindow::WiredWindow(bool withBrowser, const std::string& settingsFolder) {
  libraryPath = Path("TextKit");
  testsupport::WriteLibraryFile(libraryPath, testsupport::SampleLibraryRecipe());
  window = std::make_unique<ui::MainWindow>(withBrowser);
  ui = std::make_unique<ui::QtUi>(*window, project, &runner);
  services = std::make_unique<app::CoreServices>(
      Path("quillsmith"), settingsFolder.empty() ? Path("") : settingsFolder, &runner);
  context = std::make_unique<app::CommandContext>(
      app::CommandContext{project, state, captions, *services, *ui});
  commands = std::make_unique<app::Commands>(*context);
  ui::Wire(*window, *ui, *commands);
  window->setCloseHandler([this] { return app::ShutDown(*context); });
  window->show();
  exposed = QTest::qWaitForWindowExposed(window.get());
  window->activateWindow();
}

std::string WiredWindow::Path(const char* name) const {
  return folder.path().toStdString() + "/" + name;
}

void WiredWindow::ExtractSample(const std::string& helpFolder) {
  project.projectFile = Path("demo.qsp");
  project.libraryFile = libraryPath;
  project.helpFolder = helpFolder;
  text::Reports reports;
  services->ExtractLibraryInfo(project, false, reports);
  ui->SetProjectFileField(project.projectFile);
  ui->SetLibraryFileField(project.libraryFile);
  ui->SetHelpFolderField(project.helpFolder);
  ui->RefreshTopicList();
  context->ShowTopic();
}

void WiredWindow::SelectRow(int row) {
  window->projectTab().topicListView->setCurrentIndex(
      window->projectTab().topicListView->model()->index(row, 0));
}

}  // namespace qs::uitest
