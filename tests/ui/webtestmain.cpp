// The entry of the widget tests that use the web view and run the compiler: they run on the
// offscreen platform unless a display is asked for (xvfb-run sets DISPLAY and
// QT_QPA_PLATFORM=xcb may be given), and the preview folder goes into a private temporary
// folder so that parallel test programs never share it. A program built with QS_TEST_SCREEN
// always runs offscreen, on the screen that file describes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/preview/previewscheme.h"

int main(int argc, char** argv) {
#ifdef QS_TEST_SCREEN
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QS_TEST_SCREEN);
#else
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  // Chromium refuses to run as root with its sandbox; only then is it switched off.
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QTemporaryDir temp;
  qputenv("TMPDIR", temp.path().toLocal8Bit());
  // As the program: the browsers start the web engine's graphics when first made.
  qs::ui::DeferWebEngineStart();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
