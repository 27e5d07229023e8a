// Spell checking of the page form: the underlines in the real editors of the main window, and
// the context menu's suggestions, "Add to dictionary" and "Ignore". The window tests use the en_US
// dictionary that scripts/install-deps installs (Debian package hunspell-en-us).

#include "ui/spelling/spellcheck.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <fstream>
#include <functional>

#include "config/wordlist.h"
#include "spelling/speller.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/spelling/spellunderlay.h"
#include "ui/topiclist/topiclistmodel.h"

namespace qs::ui {
namespace {

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// The underlined words of a multi-line editor.
QStringList Underlined(QPlainTextEdit* editor) {
  QStringList words;
  for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
      if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
        words.append(block.text().mid(range.start, range.length));
      }
    }
  }
  return words;
}

// Where the caret goes for a position of the text, in the viewport's coordinates.
QPoint PointAt(QPlainTextEdit* editor, int position) {
  QTextCursor cursor(editor->document());
  cursor.setPosition(position);
  return editor->cursorRect(cursor).center();
}

QAction* ActionNamed(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// Runs `act` on the popup menu once it is open (it runs its own wait loop).
void WhenPopup(std::function<void(QMenu*)> act) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act, tries] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu != nullptr || ++*tries > 250) {
      timer->stop();
      timer->deleteLater();
      if (menu != nullptr) act(menu);
    }
  });
  timer->start(20);
}

class SpellWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(false);
    window->setFormActive(true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    speller().SetDictionary("en_US");
    ASSERT_EQ(speller().activeDictionary(), "en_US") << "the package hunspell-en-us is missing";
    for (const char* name : {"Index", "Frobnicate"}) {
      rows.InsertItem(rows.ItemCount(), {name, project::TopicIcon::PageIcon});
    }
    model = std::make_unique<TopicListModel>(rows);
    window->setTopicModel(model.get());
    QApplication::processEvents();
  }
  SpellCheck& check() { return window->spellCheck(); }
  spelling::Speller& speller() { return window->speller(); }
  std::string WordListPath() const { return words.filePath("words/Lib-0.txt").toStdString(); }

  QTemporaryDir words;
  project::HelpProject rows;
  std::unique_ptr<TopicListModel> model;
  std::unique_ptr<MainWindow> window;
};

TEST_F(SpellWindowTest, misspeltWordsAreUnderlinedButNotNamesMarkupOrTheExample) {
  QPlainTextEdit* body = window->projectTab().bodyEditor;
  body->setPlainText(
      "A recieve call, <b title=\"wurd\">Frobnicate</b> &nbsp;&eacute;t&eacute; Zorblax\n"
      "<a\nhref=\"wurd\">teh</a> MyFunc()");
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "Zorblax", "teh"}));
  window->projectTab().summaryEditor->setPlainText("Zorblax");
  EXPECT_EQ(Underlined(window->projectTab().summaryEditor), QStringList({"Zorblax"}));
  window->projectTab().exampleEditor->setPlainText("Zorblax recieve");
  EXPECT_EQ(Underlined(window->projectTab().exampleEditor), QStringList());

  // A topic added later is a name from then on, each word of it, and checking again is no
  // typing.
  QSignalSpy typed(body, &QPlainTextEdit::textChanged);
  rows.InsertItem(rows.ItemCount(), {"Zorblax Notes", project::TopicIcon::PageIcon});
  QApplication::processEvents();
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "teh"}));
  EXPECT_EQ(typed.count(), 0);
  EXPECT_FALSE(body->document()->isUndoAvailable());
  // A word stays a name while any name holds it.
  rows.InsertItem(rows.ItemCount(), {"Zorblax Tools", project::TopicIcon::PageIcon});
  rows.RemoveItem(2);
  QApplication::processEvents();
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "teh"}));
  rows.RemoveItem(2);
  QApplication::processEvents();
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "Zorblax", "teh"}));
  rows.InsertItem(rows.ItemCount(), {"Zorblax", project::TopicIcon::PageIcon});
  QApplication::processEvents();
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "teh"}));

  // The title has one line and draws its own underline, under the misspelt word only.
  window->projectTab().titleField->setText("Recieve data");
  const auto* underlay = window->projectTab().titleField->findChild<SpellUnderlay*>();
  ASSERT_NE(underlay, nullptr);
  const QList<QRect> stretches = underlay->UnderlinedStretches();
  ASSERT_EQ(stretches.size(), 1);
  const int wordWidth = window->projectTab().titleField->fontMetrics().horizontalAdvance("Recieve");
  EXPECT_NEAR(stretches[0].width(), wordWidth, 2);
  const QImage shown = window->projectTab().titleField->grab().toImage();
  int red = 0;
  for (int x = stretches[0].left(); x <= stretches[0].right(); ++x) {
    for (int y = stretches[0].top(); y <= stretches[0].bottom(); ++y) {
      const QColor pixel =
          shown.pixelColor(x * shown.devicePixelRatio(), y * shown.devicePixelRatio());
      if (pixel.red() > 150 && pixel.green() < 120) ++red;
    }
  }
  EXPECT_GT(red, wordWidth / 2);

  // Switched off, nothing is underlined.
  speller().SetDictionary(spelling::Speller::kOff);
  EXPECT_EQ(Underlined(body), QStringList());
  EXPECT_TRUE(underlay->UnderlinedStretches().isEmpty());
  EXPECT_EQ(window->optionsTab().dictionaryList->currentText(), "None");
}

TEST_F(SpellWindowTest, contextMenuReplacesAddsAndIgnores) {
  QPlainTextEdit* body = window->projectTab().bodyEditor;
  body->setPlainText("We recieve data.\nZorblax and Quuxify here.");
  const int recieve = 4;

  // A suggestion replaces the word, as one step of undo.
  auto menu = check().CreateContextMenu(body, PointAt(body, recieve + 2), false);
  ASSERT_TRUE(menu);
  ASSERT_NE(ActionNamed(*menu, "receive"), nullptr);
  EXPECT_EQ(menu->actions().front()->text(), "receive");  // suggestions come first
  ActionNamed(*menu, "receive")->trigger();
  EXPECT_EQ(body->toPlainText(), "We receive data.\nZorblax and Quuxify here.");
  body->undo();
  EXPECT_EQ(body->toPlainText(), "We recieve data.\nZorblax and Quuxify here.");

  // Without a project file there is no list to add to.
  const int zorblax = body->document()->findBlockByNumber(1).position();
  menu = check().CreateContextMenu(body, PointAt(body, zorblax + 1), false);
  QAction* add = menu->findChild<QAction*>("AddToDictionary");
  ASSERT_NE(add, nullptr);
  EXPECT_FALSE(add->isEnabled());

  // Added: gone here, and kept in the project's list for every later session.
  speller().SetProjectWordListPath(WordListPath());
  menu = check().CreateContextMenu(body, PointAt(body, zorblax + 1), false);
  menu->findChild<QAction*>("AddToDictionary")->trigger();
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "Quuxify"}));
  EXPECT_EQ(config::ReadWordList(WordListPath()).words, std::vector<std::string>{"Zorblax"});

  // Ignored: gone for this session only.
  const int quuxify = zorblax + 12;
  menu = check().CreateContextMenu(body, PointAt(body, quuxify + 3), false);
  menu->findChild<QAction*>("IgnoreWord")->trigger();
  EXPECT_EQ(Underlined(body), QStringList({"recieve"}));
  EXPECT_EQ(config::ReadWordList(WordListPath()).words, std::vector<std::string>{"Zorblax"});

  // Another project has its own list; the ignored word stays ignored.
  speller().SetProjectWordListPath(words.filePath("words/Other-1.txt").toStdString());
  EXPECT_EQ(Underlined(body), QStringList({"recieve", "Zorblax"}));

  // On a correct word the menu is the editor's own.
  menu = check().CreateContextMenu(body, PointAt(body, 1), false);
  EXPECT_EQ(menu->findChild<QAction*>("IgnoreWord"), nullptr);
}

// A right click on the title opens the menu through the field itself.
TEST_F(SpellWindowTest, rightClickOnTheTitleOffersSuggestions) {
  QLineEdit* title = window->projectTab().titleField;
  title->setText("Recieve data");
  title->setCursorPosition(3);
  const QPoint inside = title->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  title->setCursorPosition(12);
  bool offered = false;
  WhenPopup([&](QMenu* menu) {
    QAction* receive = ActionNamed(*menu, "Receive");
    offered = receive != nullptr;
    if (receive != nullptr) receive->trigger();
    menu->close();
  });
  QContextMenuEvent request(QContextMenuEvent::Mouse, inside, title->mapToGlobal(inside));
  QApplication::sendEvent(title, &request);
  EXPECT_TRUE(offered);
  EXPECT_EQ(title->text(), "Receive data");
  title->undo();
  EXPECT_EQ(title->text(), "Recieve data");
}

// A window whose only dictionary is a copy in a folder of the test's own: the system's
// dictionaries are out of its sight, so the copy can be taken away and put back.
class OwnDictionaryWindowTest : public SpellWindowTest {
 protected:
  void SetUp() override {
    for (const char* suffix : {".aff", ".dic"}) {
      ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/hunspell/en_US") + suffix,
                              dictionaries.filePath(QStringLiteral("en_US") + suffix)))
          << "the package hunspell-en-us is missing";
    }
    for (const char* name : {"DICPATH", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
      saved.emplace_back(name, qgetenv(name));
    }
    qputenv("DICPATH", dictionaries.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", nothing.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", nothing.path().toLocal8Bit());
    SpellWindowTest::SetUp();
  }
  void TearDown() override {
    for (const auto& [name, value] : saved) {
      if (value.isNull()) {
        qunsetenv(name);
      } else {
        qputenv(name, value);
      }
    }
  }
  QTemporaryDir dictionaries;
  QTemporaryDir nothing;
  std::vector<std::pair<const char*, QByteArray>> saved;
};

// Without any dictionary the feature is off, and the drop-down says why.
TEST_F(OwnDictionaryWindowTest, withoutDictionariesCheckingIsOffAndTheDropDownSaysWhy) {
  window->projectTab().bodyEditor->setPlainText("recieve");
  ASSERT_EQ(Underlined(window->projectTab().bodyEditor), QStringList({"recieve"}));
  // Removed while the program runs: found gone when looked for again.
  QFile::remove(dictionaries.filePath("en_US.aff"));
  QFile::remove(dictionaries.filePath("en_US.dic"));
  speller().Rescan();
  EXPECT_EQ(speller().activeDictionary(), "");
  EXPECT_EQ(speller().dictionaryChoice(), "en_US");  // kept for when it is back
  EXPECT_EQ(Underlined(window->projectTab().bodyEditor), QStringList());
  EXPECT_FALSE(window->optionsTab().dictionaryList->isEnabled());
  EXPECT_TRUE(window->optionsTab().dictionaryList->toolTip().contains(
      "no spelling dictionary is installed"));
  auto menu = check().CreateContextMenu(window->projectTab().bodyEditor,
                                        PointAt(window->projectTab().bodyEditor, 2), false);
  EXPECT_EQ(menu->findChild<QAction*>("AddToDictionary"), nullptr);

  // Installed while the program runs: found when looked for again.
  WriteFile(dictionaries.filePath("en_US.aff"), "SET UTF-8\n");
  WriteFile(dictionaries.filePath("en_US.dic"), "1\nreceive\n");
  speller().Rescan();
  EXPECT_EQ(speller().activeDictionary(), "en_US");
  EXPECT_TRUE(window->optionsTab().dictionaryList->isEnabled());
  EXPECT_EQ(window->optionsTab().dictionaryList->currentText(), "en_US");
  EXPECT_EQ(Underlined(window->projectTab().bodyEditor), QStringList({"recieve"}));
}

}  // namespace
}  // namespace qs::ui
