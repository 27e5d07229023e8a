// The browsers are a module the program loads when the first is made. Where the program looks
// for it, and what the window does when it is missing or is no module: no browser, and the
// same message as on a system without a web view, with nothing lost.

#include "ui/preview/webviewloader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <string_view>

#include "modaldriver.h"
#include "ui/mainwindow/qtui.h"
#include "ui/preview/livepane.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::WhenModal;

bool Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write("not a module\n") > 0;
}

struct Layout {
  const char* name;
  bool beside;
  bool installed;
  // A folder of the module's name beside the program, which is no module.
  bool folderBeside;
  // "", "beside" or "installed".
  const char* found;
};

TEST(WebViewsModule, isFoundBesideTheProgramElseWhereTheInstallationPutsIt) {
  const Layout layouts[] = {
      {"a build tree or a portable copy", true, false, false, "beside"},
      {"an installation", false, true, false, "installed"},
      {"both: the copy beside the program wins", true, true, false, "beside"},
      {"neither", false, false, false, ""},
      {"a folder of that name is no module", false, true, true, "installed"},
      {"only a folder of that name", false, false, true, ""},
  };
  for (const Layout& layout : layouts) {
    QTemporaryDir root;
    const QString program = root.filePath("usr/bin");
    ASSERT_TRUE(QDir().mkpath(program));
    const QString beside = QDir(program).filePath(QS_WEBVIEWS_FILE);
    const QString installed = QDir::cleanPath(
        QDir(program).filePath(QStringLiteral(QS_WEBVIEWS_INSTALLED "/" QS_WEBVIEWS_FILE)));
    ASSERT_TRUE(!layout.beside || Touch(beside));
    ASSERT_TRUE(!layout.installed || Touch(installed));
    ASSERT_TRUE(!layout.folderBeside || QDir().mkpath(beside));
    const QString expected = std::string_view(layout.found) == "beside"      ? beside
                             : std::string_view(layout.found) == "installed" ? installed
                                                                             : QString();
    EXPECT_EQ(WebViewsModule(program), expected) << layout.name;
  }
}

TEST(WebViewsModule, aFileThatIsNoModuleGivesNoWebViewsAndSaysWhy) {
  QTemporaryDir root;
  const QString broken = root.filePath(QS_WEBVIEWS_FILE);
  ASSERT_TRUE(Touch(broken));
  for (const QString& file : {broken, root.filePath("missing/" QS_WEBVIEWS_FILE)}) {
    QString error;
    EXPECT_EQ(LoadWebViews(file, error), nullptr) << file.toStdString();
    EXPECT_FALSE(error.isEmpty()) << file.toStdString();
  }
}

// This test program has no module beside it, as a program whose module was removed after it
// started: the window opened with its browser buttons, and the first browser cannot be made.
TEST(WebViewsModule, missingTheWindowMakesNoBrowserAndSaysSoAsWithoutAWebView) {
  EXPECT_FALSE(WebViewAvailable());
  uitest::WiredWindow app(true);
  app.ExtractSample(app.Path("help/"));
  app.SelectRow(1);
  const std::string body = app.project.FindTopic(app.project.ItemText(1))->body;

  QString said;
  WhenModal<QMessageBox>("", [&](QMessageBox* box) {
    said = box->windowTitle() + "|" + box->text();
    box->accept();
  });
  app.window->projectTab().previewButton->click();
  EXPECT_EQ(said,
            "ERROR|The file 'atl.dll' could not be found!\nHave a look at Purebasic\\Compilers...");

  // The view mode and the live pane show nothing, and the form keeps what it holds.
  app.window->projectTab().editViewButton->click();
  EXPECT_EQ(app.window->projectTab().previewBrowser, nullptr);
  app.window->projectTab().editViewButton->click();
  app.window->projectTab().livePaneButton->click();
  EXPECT_EQ(app.window->projectTab().livePane->view(), nullptr);
  EXPECT_EQ(app.project.FindTopic(app.project.ItemText(1))->body, body);
}

}  // namespace
}  // namespace qs::ui
