// The program from the keyboard alone, as a user who never touches the mouse: a new project
// from the File menu, a library, a description typed, a user topic added through the topic
// list's popup menu, deleted from the Page menu and taken back from the Edit menu, a preview
// from the View menu, a compiled build, a save and Quit from the File menu. Requesters are answered
// by typing into them (the file requesters through the tests' hook); no mouse event reaches any
// window on the way.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "app/lifecycle.h"
#include "modaldriver.h"
#include "platform/tempfolder.h"
#include "ui/builder/builderwindow.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/preview/previewwindow.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::WaitFor;
using uitest::WhenModal;

// Counts every mouse button and wheel event of the program.
class MouseWatch : public QObject {
 public:
  MouseWatch() { qApp->installEventFilter(this); }
  ~MouseWatch() override { qApp->removeEventFilter(this); }
  int events = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
        ++events;
        break;
      default:
        break;
    }
    return false;
  }
};

// A key to whatever has the keyboard focus (the open menu, when there is one).
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::activePopupWidget();
  if (target == nullptr) target = QApplication::focusWidget();
  if (target == nullptr) {
    // A requester has closed, and no window manager gave the main window the keyboard back.
    QWidget* main = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (qobject_cast<MainWindow*>(window) != nullptr && window->isVisible()) main = window;
    }
    if (main != nullptr) {
      main->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(main));
      target = main->focusWidget() != nullptr ? main->focusWidget() : main;
    }
  }
  if (target == nullptr) {
    ADD_FAILURE() << "no window takes the key " << key;
    return;
  }
  QTest::keyClick(target, key, modifiers);
}

// An item of the menu bar, chosen by its letters: Alt and the menu's, then the item's.
void MenuItem(Qt::Key menu, Qt::Key item) {
  Key(menu, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
  Key(item);
}

// Types `text` into the focused field of the requester, replacing what it offers, and
// presses Enter.
void TypeAndEnter(QLineEdit* field, const QString& text) {
  // The file requester's completer would take the Enter for its own list.
  field->setCompleter(nullptr);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

// The file requesters are answered by the test's hook, as the widget tests answer them.
void AnswerFileRequester(const std::string& path) {
  WhenModal<QFileDialog>("", [path](QFileDialog* dialog) {
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

// Tab (or Shift+Tab) until `target` has the focus; false when it never comes.
bool TabTo(QWidget* target, bool backwards = false) {
  for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i) {
    Key(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
  }
  return QApplication::focusWidget() == target;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(KeyboardOnly, fromStartToQuitWithoutTheMouse) {
  const QString chmcmd = QStandardPaths::findExecutable("chmcmd");
  if (chmcmd.isEmpty()) GTEST_SKIP() << "chmcmd is not installed";
  uitest::WiredWindow app(true);
  app::FinishStart(*app.context, "");
  bool shutDown = false;
  app.window->setCloseHandler([&] {
    shutDown = app::ShutDown(*app.context);
    return shutDown;
  });
  app.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app.window.get()));
  const MouseWatch mouse;
  MainWindow& w = *app.window;

  // File > New project, named in its requester.
  const std::string projectFile = app.Path("Walk.qsp");
  AnswerFileRequester(projectFile);
  MenuItem(Qt::Key_F, Qt::Key_N);
  ASSERT_TRUE(WaitFor([&] {
    return w.projectTab().projectFileField->text().toStdString() == projectFile;
  })) << w.projectTab().projectFileField->text().toStdString();

  // The library, picked with the "..." button's key.
  AnswerFileRequester(app.libraryPath);
  Key(Qt::Key_R, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([&] { return w.projectTab().topicListView->model()->rowCount() > 30; }));
  EXPECT_TRUE(w.statusBar()->currentMessage().startsWith("Library information extracted"));

  // The first function's description, typed; Tab leaves the editor.
  ASSERT_TRUE(TabTo(w.projectTab().topicListView));
  Key(Qt::Key_Down);
  const std::string function =
      w.projectTab().topicListView->currentIndex().data().toString().toStdString();
  ASSERT_TRUE(TabTo(w.projectTab().bodyEditor));
  Key(Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(w.projectTab().bodyEditor, " Typed from the keyboard.");
  Key(Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), w.projectTab().bodyEditor);

  // A user topic, through the popup menu that the menu key opens at the selected row.
  ASSERT_TRUE(TabTo(w.projectTab().topicListView, true));
  auto* menuTimer = new QTimer(&w);
  QObject::connect(menuTimer, &QTimer::timeout, [menuTimer] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    menuTimer->stop();
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  menuTimer->start(20);
  WhenModal<QDialog>("AskText", [](QDialog* prompt) {
    TypeAndEnter(prompt->findChild<QLineEdit*>("AskTextField"), "Getting started");
  });
  Key(Qt::Key_Menu);
  ASSERT_TRUE(WaitFor([&] { return app.project.FindTopic("Getting started") != nullptr; }));
  delete menuTimer;

  // Page > Delete page takes the new page away; Edit > Undo, which names it, brings it back.
  MenuItem(Qt::Key_G, Qt::Key_D);
  ASSERT_TRUE(WaitFor([&] { return app.project.FindTopic("Getting started") == nullptr; }));
  EXPECT_EQ(w.menus().undo->text(), "&Undo delete 'Getting started'");
  MenuItem(Qt::Key_E, Qt::Key_U);
  ASSERT_TRUE(WaitFor([&] { return app.project.FindTopic("Getting started") != nullptr; }));

  // View > Preview all previews from the index page; Esc ends it.
  bool previewed = false;
  WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
    previewed = uitest::WaitForPage(preview->browser,
                                    QString::fromStdString(app.project.FindTopic("Index")->title));
    Key(Qt::Key_Escape);
  });
  MenuItem(Qt::Key_V, Qt::Key_A);
  ASSERT_TRUE(WaitFor([&] {
    return previewed && QApplication::activeModalWidget() == nullptr &&
           !w.findChild<PreviewWindow*>();
  }));

  // A help folder made with "\\", compiling switched on, and the build, closed with Esc.
  const std::string helpFolder = app.Path("help");
  WhenModal<QInputDialog>("", [helpFolder](QInputDialog* dialog) {
    TypeAndEnter(dialog->findChild<QLineEdit*>(), QString::fromStdString(helpFolder));
  });
  Key(Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([&] { return !w.projectTab().helpFolderField->text().isEmpty(); }));
  Key(Qt::Key_O, Qt::AltModifier);
  Key(Qt::Key_C, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([&] { return w.optionsTab().compileCheckBox->isChecked(); }));
  Key(Qt::Key_P, Qt::AltModifier);
  bool built = false;
  WhenModal<BuilderWindow>("BuilderWindow",
                           std::function<bool(BuilderWindow*)>([](BuilderWindow* builder) {
                             return builder->builderButton->text() == "Ok [Esc]";
                           }),
                           std::function<void(BuilderWindow*)>([&](BuilderWindow*) {
                             built = true;
                             Key(Qt::Key_Escape);
                           }));
  Key(Qt::Key_C, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([&] { return built && QApplication::activeModalWidget() == nullptr; }, 60));
  EXPECT_GT(QFileInfo(QString::fromStdString(helpFolder) + "/TextKit.chm").size(), 0);
  // chmcmd cannot read the sample's "Escapes <, >, &" page, nor the new user topic's
  // placeholder "< Insert your text here >", and the status line says so.
  EXPECT_TRUE(w.statusBar()->currentMessage().contains("TextKit.chm compiled with 2 errors in "))
      << w.statusBar()->currentMessage().toStdString();

  // File > Save, into the project's file without a requester.
  MenuItem(Qt::Key_F, Qt::Key_S);
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(QString::fromStdString(projectFile)); }));
  const std::string saved = ReadFile(projectFile);
  EXPECT_NE(saved.find("Typed from the keyboard."), std::string::npos);
  EXPECT_NE(saved.find("Getting started"), std::string::npos);

  // File > Quit, through the close question (none: everything is saved).
  MenuItem(Qt::Key_F, Qt::Key_Q);
  EXPECT_TRUE(WaitFor([&] { return !w.isVisible(); }));
  EXPECT_TRUE(shutDown);
  EXPECT_EQ(mouse.events, 0);
  EXPECT_NE(function, "");
}

}  // namespace
}  // namespace qs::ui
