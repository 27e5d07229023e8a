// The "?" button on a desktop with no viewer for compiled help: the manual, built by
// QuillSmith itself beside the program, shows in the program's own preview window.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "modaldriver.h"
#include "ui/preview/previewwindow.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::RunScript;
using uitest::WaitForPage;
using uitest::WhenModal;

TEST(ProgramHelp, withoutAViewerTheManualOpensInThePreviewWindow) {
  const char* build = std::getenv("QS_TEST_BINARY_DIR");
  ASSERT_NE(build, nullptr);
  const std::filesystem::path manual = std::filesystem::path(build) / "src" / "ui";
  ASSERT_TRUE(std::filesystem::exists(manual / "QuillSmith.chm")) << "the manual is built first";

  uitest::WiredWindow app(true);
  // The program folder of the wired window is its temporary folder.
  std::filesystem::copy(manual / "QuillSmith.chm", app.Path("QuillSmith.chm"));
  std::filesystem::copy(manual / "QuillSmithHelp", app.Path("QuillSmithHelp"));
  // A desktop whose settings name no application for any type.
  const std::string empty = app.Path("xdg");
  std::filesystem::create_directories(empty);
  for (const char* variable :
       {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
    ::setenv(variable, empty.c_str(), 1);
  }

  bool shown = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    EXPECT_TRUE(WaitForPage(preview->browser, "Getting started"));
    const QString text = RunScript(preview->browser, "document.body.innerText").toString();
    EXPECT_TRUE(text.contains("Choose the library")) << text.toStdString();
    EXPECT_TRUE(preview->windowTitle().endsWith("QuillSmith help"));
    shown = true;
    preview->endButton->click();
  });
  QTest::mouseClick(app.window->projectTab().showHelpButton, Qt::LeftButton);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace qs::ui
