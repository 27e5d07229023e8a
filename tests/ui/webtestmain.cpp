// The entry of the widget tests that use the web view and run the compiler: they run on the
// offscreen platform unless a display is asked for (xvfb-run sets DISPLAY and
// QT_QPA_PLATFORM=xcb may be given), and the preview folder goes into a private temporary
// folder so that parallel test programs never share it. A program built with QS_TEST_SCREEN
// always runs offscreen, on the screen that file describes, or on another one named by
// QS_FIT_SCREEN as WIDTHxHEIGHT or WIDTHxHEIGHT@FONTDPI (a file screen-WIDTHxHEIGHT.json beside
// it, the desktop's font set to that many dots per inch as a user's larger font does).

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ui/preview/previewscheme.h"

int main(int argc, char** argv) {
#ifdef QS_TEST_SCREEN
  QString screen = QS_TEST_SCREEN;
  const QStringList fit = qEnvironmentVariable("QS_FIT_SCREEN").split('@');
  if (!fit.front().isEmpty()) {
    screen = QFileInfo(screen).dir().filePath("screen-" + fit.front() + ".json");
    if (fit.size() > 1) qputenv("QT_FONT_DPI", fit.back().toLatin1());
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.toLocal8Bit());
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
