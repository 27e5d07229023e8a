// Spelling without a window: which words are looked at, dictionaries in their own encodings,
// and the speller's answers with the project's added words, the ignored words and the topic
// names. The dictionaries are made here.

#include "spelling/speller.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <fstream>

#include "spelling/spelldictionary.h"
#include "spelling/spellwords.h"

namespace qs::spelling {
namespace {

QStringList Words(const QString& text, MarkupState& state) {
  QStringList words;
  for (const WordRange& word : CheckableWords(text, state)) {
    words.append(text.mid(word.start, word.length));
  }
  return words;
}

// Prose is checked; markup, references and names from code are not.
TEST(CheckableWords, takeProseAndLeaveMarkupReferencesAndCodeAlone) {
  auto state = MarkupState::Text;
  EXPECT_EQ(Words("Plain wurds, <b class=\"wurd\">bold</b> &nbsp;caf&eacute; &#945;lpha "
                  "don't (see) TrimText() Text$ #PB_Any x86 a.b example.com path/name HTML "
                  "if a < b then",
                  state),
            QStringList({"Plain", "wurds", "bold", "don't", "see", "if", "then"}));
  EXPECT_EQ(state, MarkupState::Text);
  // Numbers that are no digits part words, and the text is walked to its end.
  EXPECT_EQ(Words(QString::fromUtf8("m\u00B2 area \u00BD\u00BEhalf \u2153 x\u00B9y"), state),
            QStringList({"area", "half"}));

  // A tag or a comment that runs over lines hides everything up to its end.
  EXPECT_EQ(Words("text <a title=\"first", state), QStringList({"text"}));
  EXPECT_EQ(state, MarkupState::Tag);
  EXPECT_EQ(Words("second\">link</a> <!-- a > b", state), QStringList({"link"}));
  EXPECT_EQ(state, MarkupState::Comment);
  EXPECT_EQ(Words("note -->done &amp", state), QStringList({"done"}));
  EXPECT_EQ(state, MarkupState::Text);
}

// The system's language first, then any dictionary of that language, then American English.
TEST(Speller, defaultDictionaryFollowsTheSystemLanguage) {
  const QStringList installed = {"de_DE", "en_GB", "en_US", "fr"};
  EXPECT_EQ(Speller::DefaultDictionary(installed, "en_GB"), "en_GB");
  EXPECT_EQ(Speller::DefaultDictionary(installed, "de_AT"), "de_DE");
  EXPECT_EQ(Speller::DefaultDictionary(installed, "fr_CA"), "fr");
  EXPECT_EQ(Speller::DefaultDictionary(installed, "C"), "en_US");
  EXPECT_EQ(Speller::DefaultDictionary(installed, "it_IT"), "en_US");
  EXPECT_EQ(Speller::DefaultDictionary({"de_DE"}, "it_IT"), "");
}

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// A dictionary in ISO 8859-1, made here: the editors' Unicode words reach it in its encoding
// and its suggestions come back as Unicode. A word its encoding cannot hold is no word of it.
TEST(SpellDictionary, wordsCrossIntoTheDictionarysOwnEncodingAndBack) {
  QTemporaryDir folder;
  WriteFile(folder.filePath("xx_LATIN.aff"), "SET ISO8859-1\nTRY aefinorstuvw\xE9\xEF\n");
  WriteFile(folder.filePath("xx_LATIN.dic"), "3\ncaf\xE9\nna\xEFve\nword\n");
  WriteFile(folder.filePath("hyph_xx.dic"), "ISO8859-1\n");  // hyphenation: no .aff
  const QList<DictionaryFiles> found = FindDictionaries({folder.path(), folder.filePath("none")});
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0].name, "xx_LATIN");

  const auto dictionary = SpellDictionary::Open(found[0]);
  ASSERT_TRUE(dictionary);
  EXPECT_EQ(dictionary->encoding(), "ISO8859-1");
  EXPECT_TRUE(dictionary->IsCorrect(QString::fromUtf8("caf\xC3\xA9")));
  EXPECT_TRUE(dictionary->IsCorrect(QString::fromUtf8("na\xC3\xAFve")));
  EXPECT_FALSE(dictionary->IsCorrect("cafe"));
  EXPECT_FALSE(dictionary->IsCorrect(QString::fromUtf8("\xCE\xB1\xCE\xB2")));  // Greek
  EXPECT_TRUE(dictionary->Suggestions("cafe").contains(QString::fromUtf8("caf\xC3\xA9")));
  EXPECT_TRUE(dictionary->Suggestions(QString::fromUtf8("\xCE\xB1\xCE\xB2")).isEmpty());
}

// A small English dictionary in a folder of its own, and a speller over it.
class SpellerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The speller tells of changes once the event loop runs.
    static int argc = 1;
    static char name[] = "speller_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }
  void SetUp() override {
    WriteFile(folder.filePath("en_US.aff"), "SET UTF-8\nTRY esiarntolcdugmphbyfvkwzx\n");
    WriteFile(folder.filePath("en_US.dic"), "6\nthe\nword\nwords\nreceive\nlibrary\nzlib\n");
    speller = std::make_unique<Speller>(QStringList{folder.path()});
    speller->SetDictionary("en_US");
  }
  QStringList Misspelt(const QString& text) {
    auto state = MarkupState::Text;
    QStringList words;
    for (const WordRange& word : speller->MisspeltWords(text, state)) {
      words.append(text.mid(word.start, word.length));
    }
    return words;
  }
  std::string ListPath() const { return lists.filePath("words/Lib-0.txt").toStdString(); }

  QTemporaryDir folder;
  QTemporaryDir lists;
  std::unique_ptr<Speller> speller;
};

// The dictionary's words, the topic names, the project's list and the ignored words are all
// correct; markup and code are not looked at.
TEST_F(SpellerTest, namesAddedAndIgnoredWordsAreNotMisspelt) {
  ASSERT_EQ(speller->activeDictionary(), "en_US");
  EXPECT_EQ(Misspelt("the wurd <b class=\"wurd\">recieve</b> TrimText() frobnicate"),
            QStringList({"wurd", "recieve", "frobnicate"}));
  EXPECT_TRUE(speller->Suggestions("recieve").contains("receive"));

  // A topic name may be several words; each is a name until the last topic holding it goes.
  QStringList names = {"frobnicate", "wurd list"};
  speller->SetTopicNameProvider([&names] { return names; });
  EXPECT_EQ(Misspelt("the wurd recieve frobnicate"), QStringList({"recieve"}));
  speller->TopicNameAdded("recieve");
  speller->TopicNameRemoved("wurd list");
  EXPECT_EQ(Misspelt("the wurd recieve list"), QStringList({"wurd", "list"}));
  names = {"list"};
  speller->TopicNamesChanged();
  EXPECT_EQ(Misspelt("wurd recieve frobnicate list"),
            QStringList({"wurd", "recieve", "frobnicate"}));

  // Without a project file there is no list to add to: the word stays misspelt.
  EXPECT_FALSE(speller->AddToDictionary("wurd"));
  EXPECT_TRUE(speller->IsMisspelt("wurd"));
  speller->SetProjectWordListPath(ListPath());
  EXPECT_TRUE(speller->AddToDictionary("wurd"));
  // At the start of a sentence the added word is capitalised.
  EXPECT_EQ(Misspelt("Wurd wurd WURD"), QStringList());
  speller->Ignore("frobnicate");
  EXPECT_EQ(Misspelt("frobnicate recieve"), QStringList({"recieve"}));

  // The added word is kept for the next session; the ignored one is not.
  Speller next({folder.path()});
  next.SetDictionary("en_US");
  next.SetProjectWordListPath(ListPath());
  EXPECT_FALSE(next.IsMisspelt("wurd"));
  EXPECT_TRUE(next.IsMisspelt("frobnicate"));
}

// Off, a choice that is not installed, an unreadable dictionary and one installed later.
TEST_F(SpellerTest, theDictionaryInUseFollowsTheChoiceAndWhatIsInstalled) {
  QSignalSpy changes(speller.get(), &Speller::dictionaryChanged);
  speller->SetDictionary(Speller::kOff);
  EXPECT_EQ(speller->activeDictionary(), "");
  EXPECT_FALSE(speller->IsMisspelt("wurd"));
  EXPECT_TRUE(speller->Suggestions("wurd").isEmpty());

  // A choice that is not installed is kept for the settings; en_US stands in meanwhile.
  speller->SetDictionary("xx_YY");
  EXPECT_EQ(speller->dictionaryChoice(), "xx_YY");
  EXPECT_EQ(speller->activeDictionary(), "en_US");
  EXPECT_TRUE(speller->IsMisspelt("wurd"));
  EXPECT_EQ(changes.count(), 2);

  // Installed while the program runs, it is found on a rescan and taken.
  QSignalSpy found(speller.get(), &Speller::dictionariesFound);
  WriteFile(folder.filePath("xx_YY.aff"), "SET UTF-8\n");
  WriteFile(folder.filePath("xx_YY.dic"), "1\nwurd\n");
  speller->Rescan();
  EXPECT_EQ(found.count(), 1);
  EXPECT_EQ(speller->installedDictionaries().size(), 2);
  EXPECT_EQ(speller->activeDictionary(), "xx_YY");
  EXPECT_FALSE(speller->IsMisspelt("wurd"));
  EXPECT_TRUE(speller->IsMisspelt("word"));

  // One whose encoding this system cannot convert switches checking off, and says so.
  WriteFile(folder.filePath("zz_ZZ.aff"), "SET X-NO-SUCH-ENCODING\n");
  WriteFile(folder.filePath("zz_ZZ.dic"), "1\nword\n");
  speller->Rescan();
  speller->SetDictionary("zz_ZZ");
  EXPECT_FALSE(speller->IsMisspelt("wurd"));
  EXPECT_TRUE(speller->dictionaryUnreadable());
  EXPECT_EQ(speller->activeDictionary(), "");
}

}  // namespace
}  // namespace qs::spelling
