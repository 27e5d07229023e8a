// Windows kept on the screens this desktop has: places kept from another run on a monitor
// since unplugged or larger than this one, the main window's place through the settings file,
// and the status line's long messages.

#include "ui/widgets/onscreen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <fstream>
#include <sstream>

#include "app/coreservices.h"
#include "app/lifecycle.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/widgets/statusline.h"

namespace qs::ui {
namespace {

// Two monitors side by side, the second one larger and lower; a frame of a title bar and thin
// borders.
const QRect kLaptop(0, 0, 1280, 800);
const QRect kMonitor(1280, -100, 1920, 1080);
const QMargins kFrame(4, 24, 4, 4);

TEST(KeptOnScreens, placesFromBiggerOrVanishedMonitorsComeBackWhole) {
  struct Case {
    const char* what;
    QRect inner;
    QList<QRect> screens;
    QSize minimum;
    QRect expected;
  };
  const Case cases[] = {
      {"on the laptop", {100, 100, 600, 400}, {kLaptop, kMonitor}, {0, 0}, {100, 100, 600, 400}},
      {"on the monitor", {1500, 0, 900, 700}, {kLaptop, kMonitor}, {0, 0}, {1500, 0, 900, 700}},
      {"mostly on the monitor goes onto it",
       {1200, 200, 800, 600},
       {kLaptop, kMonitor},
       {0, 0},
       {1284, 200, 800, 600}},
      {"the monitor unplugged: onto the laptop, keeping its size",
       {2400, 300, 800, 600},
       {kLaptop},
       {0, 0},
       {476, 196, 800, 600}},
      {"left of and above every screen",
       {-900, -500, 800, 600},
       {kLaptop},
       {0, 0},
       {4, 24, 800, 600}},
      {"larger than the laptop: shrunk to its room",
       {0, 0, 1900, 1000},
       {kLaptop},
       {0, 0},
       {4, 24, 1272, 772}},
      {"a title bar just above the screen comes down",
       {50, 10, 600, 400},
       {kLaptop},
       {0, 0},
       {50, 24, 600, 400}},
      {"no smaller than the window can be, title bar on the screen",
       {300, 300, 1900, 1000},
       {kLaptop},
       {1400, 900},
       {4, 24, 1400, 900}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeptOnScreens(c.inner, kFrame, c.screens, c.minimum), c.expected) << c.what;
  }
}

class PlacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(false);
    ui = std::make_unique<QtUi>(*window, project);
    services = std::make_unique<app::CoreServices>("/nowhere/quillsmith",
                                                   settings.path().toStdString() + "/");
    context = std::make_unique<app::CommandContext>(
        app::CommandContext{project, state, captions, *services, *ui});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  std::string SettingsFile() const { return settings.path().toStdString() + "/QuillSmith.ini"; }
  std::string Read() const {
    std::ifstream file(SettingsFile(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  QRect Available() const { return window->screen()->availableGeometry(); }

  QTemporaryDir settings;
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<QtUi> ui;
  std::unique_ptr<app::CoreServices> services;
  std::unique_ptr<app::CommandContext> context;
};

// The place of the last run comes back through the settings file: a place that still fits is
// taken as it is, and one from a larger monitor, or one no longer there, is brought onto this
// screen whole. Maximised still means maximised, and the place is where it unmaximises to.
TEST_F(PlacesTest, theMainWindowComesBackToItsPlaceOnAScreenThatExists) {
  const QRect available = Available();
  const QRect fitting(available.x() + 20, available.y() + 30, window->minimumWidth() + 10,
                      window->minimumHeight());
  std::ofstream(SettingsFile()) << "[Options]\r\nMainWindowPlace = " << fitting.x() << ","
                                << fitting.y() << "," << fitting.width() << "," << fitting.height()
                                << "\r\n";
  app::LoadSettings(*context);
  QApplication::processEvents();
  EXPECT_EQ(window->geometry(), fitting);
  app::SaveSettings(*context);
  EXPECT_NE(Read().find("\r\nMaximised = 0\r\n"), std::string::npos);
  EXPECT_NE(Read().find("\r\nMainWindowPlace = " + std::to_string(fitting.x()) + "," +
                        std::to_string(fitting.y()) + "," + std::to_string(fitting.width()) + "," +
                        std::to_string(fitting.height()) + "\r\n"),
            std::string::npos)
      << Read();

  for (const char* elsewhere : {"5000,4000,700,600", "-3000,10,3000,2000", "10,10,9000,9000"}) {
    std::ofstream(SettingsFile()) << "[Options]\r\nMainWindowPlace = " << elsewhere << "\r\n";
    app::LoadSettings(*context);
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(window->frameGeometry()))
        << elsewhere << " came to " << window->frameGeometry().x() << ","
        << window->frameGeometry().y() << " " << window->width() << "x" << window->height();
  }

  std::ofstream(SettingsFile()) << "[Options]\r\nMaximised = 1\r\nMainWindowPlace = " << fitting.x()
                                << "," << fitting.y() << "," << fitting.width() << ","
                                << fitting.height() << "\r\n";
  app::LoadSettings(*context);
  QTRY_VERIFY(window->isMaximized());
  app::SaveSettings(*context);
  EXPECT_NE(Read().find("\r\nMaximised = 1\r\n"), std::string::npos);
  EXPECT_NE(Read().find("\r\nMainWindowPlace = " + std::to_string(fitting.x()) + "," +
                        std::to_string(fitting.y()) + ","),
            std::string::npos)
      << Read();
  window->showNormal();
  QTRY_COMPARE(window->geometry(), fitting);
}

// The window opens on the screen whole, at most as large as the screen, and asks no more of
// it: a font too large for the screen makes the pages scroll, not the window grow past it.
TEST_F(PlacesTest, theWindowNeverAsksForMoreThanTheScreen) {
  const QRect available = Available();
  EXPECT_TRUE(available.contains(window->frameGeometry()));
  const QFont font = QApplication::font();
  QFont huge = font;
  huge.setPointSize(28);
  QApplication::setFont(huge);
  MainWindow large(false);
  large.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&large));
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  QApplication::setFont(font);
  const auto* scroller = large.findChild<QScrollArea*>("ProjectTabScroller");
  ASSERT_NE(scroller, nullptr);
  ASSERT_GT(scroller->widget()->minimumSizeHint().height(), available.height());
  EXPECT_LE(large.minimumWidth(), available.width());
  EXPECT_LE(large.minimumHeight(), available.height());
  EXPECT_TRUE(available.contains(large.frameGeometry()))
      << large.frameGeometry().width() << "x" << large.frameGeometry().height();
  EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
  EXPECT_EQ(scroller->verticalScrollBar()->maximum(),
            scroller->widget()->height() - scroller->viewport()->height());
  EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
}

// A message longer than the status bar ends in an ellipsis and shows whole as a tooltip; a
// short one shows as it is, with no tooltip of its own.
TEST_F(PlacesTest, aStatusMessageThatDoesNotFitIsShortenedAndWholeInItsTooltip) {
  auto* line = qobject_cast<StatusLine*>(window->statusBar());
  ASSERT_NE(line, nullptr);
  auto tooltipAt = [line](QPoint point) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QString("(still shown)");
    QHelpEvent help(QEvent::ToolTip, point, line->mapToGlobal(point));
    QApplication::sendEvent(line, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  const QPoint inMessage(20, line->height() / 2);
  ui->ShowStatus("Saved");
  EXPECT_FALSE(line->messageElided());
  EXPECT_EQ(tooltipAt(inMessage), "");

  QString longer = "Help files created in /home/author/projects/TextKit/help/ with ";
  while (line->fontMetrics().horizontalAdvance(longer) < 2 * line->width()) {
    longer += "another page, ";
  }
  ui->ShowStatus(longer.toStdString());
  EXPECT_EQ(line->currentMessage(), longer);
  EXPECT_TRUE(line->messageElided());
  EXPECT_EQ(tooltipAt(inMessage), longer);
  // The bar's own controls keep their room: the tooltip is the message's alone.
  EXPECT_EQ(tooltipAt(QPoint(line->width() - 2, line->height() / 2)), "");

  ui->ShowStatus("");
  EXPECT_FALSE(line->messageElided());
  QToolTip::hideText();
}

}  // namespace
}  // namespace qs::ui
