// The whole program through its window alone: start-up finds the compiler, a new project,
// the generated library chosen and extracted, a help folder made, compilation switched on,
// "Create HTML files", and a compiled help file that lists every page.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "app/lifecycle.h"
#include "modaldriver.h"
#include "ui/builder/builderwindow.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::WhenModal;

void ChooseFile(const std::string& path) {
  WhenModal<QFileDialog>("", [path](QFileDialog* dialog) {
    // Typed into the name field, as a user would.
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

TEST(EndToEnd, fromTheGeneratedLibraryToACompiledHelpFileThroughTheWindow) {
  const QString chmls = QStandardPaths::findExecutable("chmls");
  const QString chmcmd = QStandardPaths::findExecutable("chmcmd");
  if (chmls.isEmpty() || chmcmd.isEmpty()) GTEST_SKIP() << "chmcmd and chmls are not installed";

  uitest::WiredWindow app(true);
  app::FinishStart(*app.context, "");
  EXPECT_EQ(app.window->optionsTab().compilerPathField->text(), chmcmd);

  const std::string projectFile = app.Path("Manual.qsp");
  ChooseFile(projectFile);
  app.window->projectTab().newProjectButton->click();
  EXPECT_EQ(app.window->projectTab().projectFileField->text().toStdString(), projectFile);

  ChooseFile(app.libraryPath);
  app.window->projectTab().browseLibraryButton->click();
  EXPECT_EQ(app.window->projectTab().libraryFileField->text().toStdString(), app.libraryPath);
  ASSERT_GT(app.window->projectTab().topicListView->model()->rowCount(), 30);
  EXPECT_EQ(app.window->projectTab().topicListView->model()->index(0, 0).data().toString(),
            "Index");

  const std::string helpFolder = app.Path("help files/TextKit");
  WhenModal<QInputDialog>("", [helpFolder](QInputDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Make help folder");
    dialog->setTextValue(QString::fromStdString(helpFolder));
    dialog->accept();
  });
  app.window->projectTab().createHelpFolderButton->click();
  const QString folder = QString::fromStdString(helpFolder) + "/";
  EXPECT_EQ(app.window->projectTab().helpFolderField->text(), folder);
  EXPECT_TRUE(QFileInfo(folder).isDir());

  app.window->optionsTab().compileCheckBox->click();
  ASSERT_TRUE(app.window->optionsTab().compileCheckBox->isChecked());
  QString label;
  WhenModal<BuilderWindow>(
      "BuilderWindow",
      [](BuilderWindow* builder) { return builder->builderButton->text() == "Ok [Esc]"; },
      [&label](BuilderWindow* builder) {
        label = builder->builderLabel->text();
        builder->builderButton->click();
      });
  app.window->projectTab().createHtmlButton->click();
  const QString chm = folder + "TextKit.chm";
  // chmcmd cannot read the sample's "Escapes <, >, &" page, and says so.
  EXPECT_EQ(label, "Help files compiled with 1 error to " + chm + " :");

  QProcess list;
  list.start(chmls, {"list", chm});
  ASSERT_TRUE(list.waitForFinished(30000));
  const QString listed = QString::fromLocal8Bit(list.readAllStandardOutput());
  EXPECT_TRUE(listed.contains("/Index.html")) << listed.toStdString();
  EXPECT_TRUE(listed.contains("/TextTrim.html")) << listed.toStdString();
  EXPECT_TRUE(listed.contains("/License.html")) << listed.toStdString();
}

}  // namespace
}  // namespace qs::ui
