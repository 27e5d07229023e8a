// The preview window with the real web view: F1 on a user topic, F2 with the links of the
// built help (letter case ignored, as in a compiled help file), Back and Forward with the
// address-field rule, the layout, and the preview's end when no web view can be made.

#include "ui/preview/previewwindow.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

#include "modaldriver.h"
#include "platform/tempfolder.h"
#include "project/usertopics.h"
#include "ui/widgets/modeltext.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::RunScript;
using uitest::WaitFor;
using uitest::WaitForPage;
using uitest::WhenModal;

QString PreviewFolder() {
  return QString::fromStdString(platform::SystemTempFolder()) + "~QuillSmith~/";
}

QString TitleOf(const project::HelpProject& project, const std::string& name) {
  return FromModel(project.FindTopic(name)->title);
}

// Clicks the first link matching `selector` as a user would, after scrolling it into view.
bool ClickLink(QWebEngineView* view, const QString& selector) {
  const QVariantList centre =
      RunScript(view, QString("(function(){var a=document.querySelector('%1');"
                              "if(!a)return [];a.scrollIntoView();"
                              "var r=a.getBoundingClientRect();"
                              "return [r.left+r.width/2,r.top+r.height/2];})()")
                          .arg(selector))
          .toList();
  if (centre.size() != 2) return false;
  QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {},
                    QPoint(centre[0].toInt(), centre[1].toInt()));
  return true;
}

// A key on the main window's topic list; window shortcuts need the window to be active, which
// a real display without a window manager does not make by itself.
void PressOnMainWindow(uitest::WiredWindow& app, Qt::Key key) {
  app.window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(app.window.get()));
  app.window->projectTab().topicListView->setFocus();
  QTest::keyClick(app.window->projectTab().topicListView, key);
}

void PressIn(PreviewWindow* preview, Qt::Key key) {
  preview->activateWindow();
  QTest::keyClick(preview, key);
}

TEST(PreviewWindow, showsAUserTopicWithItsLayoutAndWritesNoPreviewFolder) {
  uitest::WiredWindow app(true);
  app.ExtractSample(app.Path("help/"));
  ASSERT_TRUE(project::AddUserTopic(app.project, "Notes").added);
  app.ui->RefreshTopicList();
  app.context->ShowTopic();
  // Typed but not yet committed: the preview commits first.
  app.window->projectTab().bodyEditor->setPlainText("Typed just before the preview");

  bool checked = false;
  QSize resized;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    EXPECT_TRUE(WaitForPage(preview->browser, "Notes"));
    EXPECT_TRUE(RunScript(preview->browser, "document.body.innerText")
                    .toString()
                    .contains("Typed just before the preview"));
    EXPECT_EQ(preview->windowTitle(), "QuillSmith [HTML Preview] - TextKit library help");
    EXPECT_EQ(preview->addressField->text(), "preview://help/Notes.html");
    EXPECT_TRUE(preview->addressField->isReadOnly());
    // A useful size on a first run: most of the screen's height, wholly on the screen.
    const QRect available = preview->screen()->availableGeometry();
    EXPECT_GE(preview->width(), 600);
    EXPECT_GE(preview->height(), std::max(400, available.height() * 3 / 4));
    EXPECT_TRUE(available.contains(preview->frameGeometry()));
    EXPECT_EQ(preview->minimumSize(), QSize(500, 300));
    EXPECT_EQ(preview->backButton->accessibleName(), "Back");
    EXPECT_FALSE(preview->backButton->icon().isNull());
    EXPECT_EQ(preview->forwardButton->toolTip(), "Forward [F2]");
    EXPECT_FALSE(preview->endButton->icon().isNull());
    EXPECT_TRUE(preview->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(preview->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(preview->windowFlags() & Qt::WindowMinimizeButtonHint);
    // Modal in effect but not to Qt, which would silence the main window's close box: the
    // main window takes no keys meanwhile.
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
    const QString title = app.window->projectTab().titleField->text();
    QTest::keyClicks(app.window->projectTab().titleField, "typed");
    EXPECT_EQ(app.window->projectTab().titleField->text(), title);
    // The address field and the separator stretch across; the browser stretches both ways.
    const QRect address = preview->addressField->geometry();
    const QRect separator = preview->separator->geometry();
    const QRect page = preview->browser->geometry();
    const QRect end = preview->endButton->geometry();
    preview->resize(preview->size() + QSize(100, 50));
    resized = preview->size();
    QApplication::processEvents();
    EXPECT_EQ(preview->addressField->geometry(), address.adjusted(0, 0, 100, 0));
    EXPECT_EQ(preview->separator->geometry(), separator.adjusted(0, 0, 100, 0));
    EXPECT_EQ(preview->browser->geometry(), page.adjusted(0, 0, 100, 50));
    EXPECT_EQ(preview->endButton->geometry(), end);
    checked = true;
    PressIn(preview, Qt::Key_Escape);
  });
  PressOnMainWindow(app, Qt::Key_F1);

  EXPECT_TRUE(checked);
  EXPECT_FALSE(app.window->findChild<PreviewWindow*>());
  EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
  EXPECT_EQ(app.project.FindTopic("Notes")->body, "Typed just before the preview");
  // The focus is back where it was.
  EXPECT_EQ(app.window->focusWidget(), app.window->projectTab().topicListView);

  // The size the author gave it is kept for the next preview, and through the settings for
  // the next run.
  ASSERT_TRUE(app.ui->WindowPlaces().preview.has_value());
  EXPECT_EQ(app.ui->WindowPlaces().preview->width, resized.width());
  EXPECT_EQ(app.ui->WindowPlaces().preview->height, resized.height());
}

TEST(PreviewWindow, linksBackForwardAndTheAddressFieldFollowOnlyTheKeys) {
  uitest::WiredWindow app(true);
  app.ExtractSample(app.Path("help/"));
  const std::string function = app.project.ItemText(1);
  const QString index = TitleOf(app.project, "Index");
  const QString page = TitleOf(app.project, function);
  const QString pageFile = QString::fromStdString(function) + ".html";

  bool walked = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    QWebEngineView* view = uitest::EngineView(preview->browser);
    const QString start = "preview://help/Index.html";
    ASSERT_TRUE(WaitForPage(view, index));
    EXPECT_EQ(preview->addressField->text(), start);
    // Index -> function page -> "- index" link at its foot (written in lower case).
    ASSERT_TRUE(ClickLink(view, QString("a[href=\"%1\"]").arg(pageFile)));
    ASSERT_TRUE(WaitForPage(view, page));
    ASSERT_TRUE(ClickLink(view, "a[href=\"index.html\"]"));
    ASSERT_TRUE(WaitForPage(view, index));
    EXPECT_EQ(preview->addressField->text(), start);

    // The Back button goes back and leaves the address field alone.
    preview->backButton->click();
    ASSERT_TRUE(WaitForPage(view, page));
    EXPECT_EQ(preview->addressField->text(), start);
    // F1 goes back and shows where the browser arrived.
    PressIn(preview, Qt::Key_F1);
    ASSERT_TRUE(WaitForPage(view, index));
    EXPECT_TRUE(WaitFor([&] { return preview->addressField->text() == start; }));
    PressIn(preview, Qt::Key_F2);
    ASSERT_TRUE(WaitForPage(view, page));
    EXPECT_TRUE(
        WaitFor([&] { return preview->addressField->text() == "preview://help/" + pageFile; }));
    preview->forwardButton->click();
    ASSERT_TRUE(WaitForPage(view, index));
    EXPECT_EQ(preview->addressField->text(), "preview://help/" + pageFile);
    walked = true;
    preview->endButton->click();
  });
  PressOnMainWindow(app, Qt::Key_F2);
  EXPECT_TRUE(walked);
  EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
}

// A relative help folder lies beside the project file for the preview as for the build: its
// pictures show wherever the program was started. A page whose name holds letters beyond
// ASCII opens from the Index page's link, which names it as its file is named.
TEST(PreviewWindow, picturesComeFromTheHelpFolderBesideTheProjectAndAccentedPagesOpen) {
  uitest::WiredWindow app(true);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.Path("help"))));
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.Path("elsewhere/help"))));
  app.ExtractSample("help/");
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(app.Path("help/Pic.png"))));
  app.project.FindTopic("Index")->summary = "Overview <img src=\"pic.PNG\">";
  const std::string group = "Gruppe caf\xE9 \x96 1";  // Windows-1252, as the model holds it
  ASSERT_TRUE(project::AddUserIndex(app.project, group).added);
  app.ui->RefreshTopicList();
  app.context->ShowTopic();
  // The working folder holds a help folder of the same name, without the picture.
  const QString started = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(app.Path("elsewhere"))));

  bool shown = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    QWebEngineView* view = uitest::EngineView(preview->browser);
    ASSERT_TRUE(WaitForPage(view, TitleOf(app.project, "Index")));
    EXPECT_TRUE(WaitFor([&] {
      return RunScript(view, "document.images.length ? document.images[0].naturalWidth : 0")
                 .toInt() == 8;
    })) << "the picture comes from the help folder beside the project file";
    ASSERT_TRUE(ClickLink(view, "a b"));
    EXPECT_TRUE(WaitForPage(view, FromModel(group)));
    shown = true;
    preview->endButton->click();
  });
  PressOnMainWindow(app, Qt::Key_F2);
  QDir::setCurrent(started);
  EXPECT_TRUE(shown);
}

// A close request as the window manager sends it when its close box is clicked.
void CloseBox(QWidget* window) {
  QCloseEvent close;
  QApplication::sendEvent(window->windowHandle(), &close);
}

TEST(PreviewWindow, itsCloseBoxEndsItAndTheMainWindowsEndsItBeforeClosingTheProgram) {
  uitest::WiredWindow app(true);
  app.ExtractSample(app.Path("help/"));
  bool closed = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    EXPECT_TRUE(preview->windowFlags() & Qt::WindowCloseButtonHint);
    CloseBox(preview);
    closed = true;
  });
  app.window->projectTab().previewAllButton->click();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
  EXPECT_TRUE(app.window->isVisible());

  // The program's end runs once the preview has ended and erased its pages.
  bool previewGoneAtClose = false;
  app.window->setCloseHandler([&] {
    previewGoneAtClose = !QFileInfo::exists(PreviewFolder());
    return true;
  });
  bool stillOpen = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow*) {
    CloseBox(app.window.get());
    stillOpen = app.window->isVisible();
  });
  app.window->projectTab().previewAllButton->click();
  EXPECT_TRUE(stillOpen);
  EXPECT_FALSE(app.window->findChild<PreviewWindow*>());
  EXPECT_TRUE(WaitFor([&] { return !app.window->isVisible(); }));
  EXPECT_TRUE(previewGoneAtClose);
}

TEST(PreviewWindow, withoutAWebViewSaysSoAndStillEndsThePreview) {
  uitest::WiredWindow app(false);
  app.ExtractSample(app.Path("help/"));
  QString said;
  WhenModal<QMessageBox>("", [&](QMessageBox* box) {
    said = box->windowTitle() + "|" + box->text();
    box->accept();
  });
  app.window->projectTab().previewButton->click();
  EXPECT_EQ(said,
            "ERROR|The file 'atl.dll' could not be found!\nHave a look at Purebasic\\Compilers...");
  EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
}

}  // namespace
}  // namespace qs::ui
