// The live pane beside the form with the real web view: it follows the typing and the
// selection, keeps its scroll position, shows the help folder's pictures, and never commits
// or marks the project modified. The view mode's pages come from the model too.

#include "ui/preview/livepane.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>
#include <QWebEngineView>

#include "modaldriver.h"
#include "ui/preview/previewwindow.h"
#include "ui/widgets/linkdialog.h"
#include "ui/widgets/modeltext.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::RunScript;
using uitest::WaitFor;
using uitest::WaitForPage;

QString Text(QWidget* view) {
  return RunScript(view, "document.body ? document.body.innerText : ''").toString();
}

TEST(LivePane, followsTheTypingAndTheSelectionWithoutTouchingTheProject) {
  uitest::WiredWindow app(true);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.Path("help"))));
  app.ExtractSample(app.Path("help/"));
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(app.Path("help/Pic.png"))));
  app.SelectRow(1);
  const std::string function = app.project.ItemText(1);
  const std::string committedBody = app.project.FindTopic(function)->body;
  app.project.modified = false;

  // The window opened and shows the project without starting the web engine: the pane makes
  // its web view with its first page.
  EXPECT_TRUE(app.window->findChildren<QWebEngineView*>().isEmpty());
  EXPECT_EQ(app.window->projectTab().livePane->view(), nullptr);
  app.window->activateWindow();
  app.window->projectTab().topicListView->setFocus();
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_F3);
  LivePane* pane = app.window->projectTab().livePane;
  ASSERT_TRUE(pane->isVisible());
  ASSERT_NE(pane->view(), nullptr);
  EXPECT_TRUE(app.window->projectTab().livePaneButton->isChecked());
  EXPECT_GT(app.window->projectTab().paneSplitter->sizes().value(2), 100);
  ASSERT_TRUE(WaitForPage(pane->view(), FromModel(app.project.FindTopic(function)->title)));

  // Typing shows up once it pauses; the project does not know of it.
  QPlainTextEdit* body = app.window->projectTab().bodyEditor;
  body->setFocus();
  body->moveCursor(QTextCursor::End);
  QTest::keyClicks(body, " Typed live <img src=\"pic.PNG\">");
  ASSERT_TRUE(WaitFor([&] { return Text(pane->view()).contains("Typed live"); }));
  EXPECT_TRUE(WaitFor([&] {
    return RunScript(pane->view(), "document.images.length ? document.images[0].naturalWidth : 0")
               .toInt() == 8;
  })) << "the picture comes from the help folder, its name's letter case ignored";
  EXPECT_EQ(app.project.FindTopic(function)->body, committedBody);
  EXPECT_FALSE(app.project.modified);

  // A long page keeps its place while typing goes on.
  QString lines;
  for (int i = 0; i < 300; ++i) lines += QString("Line %1\n").arg(i);
  body->setPlainText(lines);
  ASSERT_TRUE(WaitFor([&] { return Text(pane->view()).contains("Line 299"); }));
  RunScript(pane->view(), "window.scrollTo(0, 1500); 0");
  ASSERT_TRUE(WaitFor([&] { return pane->view()->ScrollPosition().y() > 1000; }));
  const qreal kept = pane->view()->ScrollPosition().y();
  body->moveCursor(QTextCursor::End);
  QTest::keyClicks(body, "Appended");
  ASSERT_TRUE(WaitFor([&] { return Text(pane->view()).contains("Appended"); }));
  EXPECT_TRUE(WaitFor([&] { return pane->view()->ScrollPosition().y() == kept; }))
      << pane->view()->ScrollPosition().y() << " instead of " << kept;
  EXPECT_FALSE(app.project.modified);

  // It follows the selection (which commits, as selecting always does).
  app.SelectRow(0);
  EXPECT_TRUE(WaitForPage(pane->view(), FromModel(app.project.FindTopic("Index")->title)));
  EXPECT_TRUE(app.project.modified);

  // Back on the page, its typing keeps its undo, and the pane follows what is taken back and
  // typed anew.
  app.SelectRow(1);
  ASSERT_TRUE(WaitFor([&] { return Text(pane->view()).contains("Appended"); }));
  body->setFocus();
  QTest::keyClick(body, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(body->toPlainText().contains("Appended"));
  EXPECT_TRUE(WaitFor([&] { return !Text(pane->view()).contains("Appended"); }));
  QTest::keyClicks(body, "Returned");
  EXPECT_TRUE(WaitFor([&] { return Text(pane->view()).contains("Returned"); }));

  app.window->projectTab().livePaneButton->click();
  EXPECT_FALSE(pane->isVisible());
  EXPECT_FALSE(app.state.livePane);
}

// A link and a picture put in without typing HTML: Ctrl+K in the description opens the link
// dialog, which completes any part of a page's name in any letter case; the picture button
// copies the picked file into the help folder, and the live pane shows it at once.
TEST(LivePane, aLinkFromTheDialogAndAPictureFromTheRequesterShowAsTheyAreInserted) {
  uitest::WiredWindow app(true);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.Path("help"))));
  app.ExtractSample(app.Path("help/"));
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  ASSERT_TRUE(picture.save(QString::fromStdString(app.Path("Screen shot.png"))));
  app.SelectRow(1);
  app.window->activateWindow();
  QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_F3);
  LivePane* pane = app.window->projectTab().livePane;
  ASSERT_NE(pane->view(), nullptr);

  QPlainTextEdit* body = app.window->projectTab().bodyEditor;
  body->setFocus();
  body->setPlainText("See the blanks.");
  QTextCursor selected = body->textCursor();
  selected.setPosition(8);
  selected.setPosition(14, QTextCursor::KeepAnchor);  // "blanks"
  body->setTextCursor(selected);
  QStringList completions;
  uitest::WhenModal<LinkDialog>("LinkDialog", [&completions](LinkDialog* dialog) {
    QTest::keyClicks(dialog->field(), "trim");
    QCompleter* completer = dialog->completer();
    for (int i = 0; completer->setCurrentRow(i); ++i) completions << completer->currentCompletion();
    EXPECT_FALSE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    // Chosen from the list, as with the arrow keys and Enter.
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Enter);
    EXPECT_EQ(dialog->field()->text(), "TextTrim");
    EXPECT_TRUE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    QTest::keyClick(dialog->field(), Qt::Key_Return);
  });
  QTest::keyClick(body, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(completions, (QStringList{"TextTrim", "TextTrimLeft", "TextTrimRight"}));
  EXPECT_EQ(body->toPlainText(), "See the <a href=\"TextTrim.html\">blanks</a>.");
  // One step of the editor's undo takes it back.
  body->undo();
  EXPECT_EQ(body->toPlainText(), "See the blanks.");
  body->redo();

  body->moveCursor(QTextCursor::End);
  uitest::WhenModal<QFileDialog>("", [&app](QFileDialog* dialog) {
    dialog->findChild<QLineEdit*>("fileNameEdit")
        ->setText(QString::fromStdString(app.Path("Screen shot.png")));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  app.window->projectTab().insertPictureButton->click();
  EXPECT_EQ(body->toPlainText(),
            "See the <a href=\"TextTrim.html\">blanks</a>.<img src=\"pictures/Screen_shot.png\">");
  EXPECT_TRUE(
      QFileInfo(QString::fromStdString(app.Path("help/pictures/Screen_shot.png"))).isFile());
  EXPECT_TRUE(WaitFor([&] {
    return RunScript(pane->view(), "document.images.length ? document.images[0].naturalWidth : 0")
               .toInt() == 8;
  }));
  EXPECT_TRUE(WaitFor([&] {
    return RunScript(pane->view(), "document.links.length ? document.links[0].textContent : ''")
               .toString() == "blanks";
  }));
}

TEST(LivePane, viewModeShowsThePagesWithoutAPreviewFolder) {
  uitest::WiredWindow app(true);
  app.ExtractSample(app.Path("help/"));
  app.SelectRow(2);
  app.window->projectTab().bodyEditor->setPlainText("Committed by the switch");
  app.window->projectTab().bodyEditor->moveCursor(QTextCursor::End);
  QTest::keyClicks(app.window->projectTab().bodyEditor, " typed");
  // The view mode's browser is made when the view mode first shows it.
  EXPECT_EQ(app.window->projectTab().previewBrowser, nullptr);
  app.window->projectTab().editViewButton->click();
  ASSERT_NE(app.window->projectTab().previewBrowser, nullptr);
  EXPECT_TRUE(app.window->projectTab().previewBrowser->isVisible());
  EXPECT_FALSE(app.window->projectTab().bodyEditor->isVisible());
  ASSERT_TRUE(WaitFor(
      [&] { return Text(app.window->projectTab().previewBrowser).contains("Committed by"); }));
  EXPECT_EQ(app.window->projectTab().previewBrowser->Address().scheme(), "preview");
  // A link in lower case still reaches the Index page.
  RunScript(app.window->projectTab().previewBrowser, "location.href = 'index.html'; 0");
  EXPECT_TRUE(WaitForPage(app.window->projectTab().previewBrowser,
                          FromModel(app.project.FindTopic("Index")->title)));

  // Back in the form, and after a look at the page's preview, what was typed before is taken
  // back and done again by the editor's keys.
  app.window->projectTab().editViewButton->click();
  app.SelectRow(2);
  QPlainTextEdit* body = app.window->projectTab().bodyEditor;
  ASSERT_EQ(body->toPlainText(), "Committed by the switch typed");
  bool previewed = false;
  uitest::WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    previewed = true;
    preview->endButton->click();
  });
  app.window->projectTab().previewButton->click();
  EXPECT_TRUE(previewed);
  app.window->activateWindow();
  body->setFocus();
  QTest::keyClick(body, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(body->toPlainText(), "Committed by the switch");
  QTest::keyClick(body, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(body->toPlainText(), "Committed by the switch typed");
}

}  // namespace
}  // namespace qs::ui
