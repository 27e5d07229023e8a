#include "config/languagefiles.h"

#include <gtest/gtest.h>

#include "tempfolder.h"

namespace {

using qs::config::FillLanguageList;
using qs::config::LanguageListView;
using qs::config::LanguageState;
using qs::config::LanguageTable;
using qs::config::LoadLanguage;
using qs::config::OnCaptionEdited;
using qs::config::OnLanguageChosen;
using qs::config::ReadLanguageFile;
using qs::config::SaveLanguage;

class LanguageFilesTest : public qs::configtest::TempFolderTest {
 protected:
  // A language file as the program writes it, with some keys left out when asked.
  void WriteLanguage(const std::string& fileName, const std::string& name,
                     const std::string& syntax = "Syntax", bool withName = true) {
    std::string bytes = ";QuillSmith localisation file\r\n[Language]\r\n";
    if (withName) bytes += "CurrentLanguage = " + name + "\r\n";
    bytes += "Overview = " + name + "-Overview\r\n";
    if (!syntax.empty()) bytes += "Syntax = " + syntax + "\r\n";
    Write(fileName, bytes);
  }
};

TEST_F(LanguageFilesTest, noLanguageFileListsEnglishAloneDisabled) {
  LanguageState state;
  const LanguageListView view = FillLanguageList(Folder(), state);
  EXPECT_EQ(view.entries, std::vector<std::string>{"English"});
  EXPECT_EQ(view.selected, 0u);
  EXPECT_FALSE(view.enabled);
  EXPECT_EQ(state, LanguageState{});

  // A missing folder is no different.
  EXPECT_EQ(FillLanguageList(Folder() + "absent", state).entries,
            std::vector<std::string>{"English"});
}

TEST_F(LanguageFilesTest, oneFileIsListedSelectedLoadedAndDisabled) {
  WriteLanguage("QuillSmith_Deutsch.lng", "Deutsch", "Syntax-DE");
  LanguageState state;
  state.currentLanguage = "Deutsch";
  const LanguageListView view = FillLanguageList(Folder(), state);
  EXPECT_EQ(view.entries, std::vector<std::string>{"Deutsch"});
  EXPECT_EQ(view.selected, 0u);
  EXPECT_FALSE(view.enabled);
  EXPECT_EQ(state.table.overview, "Deutsch-Overview");
  EXPECT_EQ(state.table.syntax, "Syntax-DE");
  EXPECT_EQ(state.table.functions, "Functions");
}

TEST_F(LanguageFilesTest, twoFilesAreEnabledSortedAndTheCurrentOneSelected) {
  WriteLanguage("quillsmith_zulu.LNG", "Zulu");  // the pattern ignores letter case
  WriteLanguage("QuillSmith_Alpha.lng", "Alpha");
  Write("QuillSmith_NoGroup.lng", "CurrentLanguage = X\r\n");  // no group: no language
  Write("Other_Beta.lng", "[Language]\r\n");
  std::filesystem::create_directory(dir_ / "QuillSmith_Dir.lng");
  LanguageState state;
  state.currentLanguage = "Zulu";
  const LanguageListView view = FillLanguageList(Folder(), state);
  EXPECT_EQ(view.entries, (std::vector<std::string>{"Alpha", "Zulu"}));
  EXPECT_EQ(view.selected, 1u);
  EXPECT_TRUE(view.enabled);
  // The differently cased file is still the language's file.
  EXPECT_EQ(state.table.overview, "Zulu-Overview");
}

TEST_F(LanguageFilesTest, currentLanguageMatchingNoEntrySelectsNothing) {
  WriteLanguage("QuillSmith_Alpha.lng", "Alpha");
  WriteLanguage("QuillSmith_Beta.lng", "Beta");
  LanguageState state;
  state.currentLanguage = "alpha";  // letter case counts here
  const LanguageListView view = FillLanguageList(Folder(), state);
  EXPECT_FALSE(view.selected.has_value());
  EXPECT_EQ(state.table, LanguageTable{});
  EXPECT_EQ(state.currentLanguage, "alpha");
}

TEST_F(LanguageFilesTest, fileWithoutNameIsListedUnderItsFileNameAndCannotBeChosen) {
  WriteLanguage("QuillSmith_Alpha.lng", "Alpha");
  WriteLanguage("QuillSmith_Nameless.lng", "Nameless", "Syntax", /*withName=*/false);
  LanguageState state;
  state.currentLanguage = "Alpha";
  const LanguageListView view = FillLanguageList(Folder(), state);
  ASSERT_EQ(view.entries, (std::vector<std::string>{"Alpha", "QuillSmith_Nameless.lng"}));
  state.table.example = "Edited";
  // Choosing it saves the current language, then finds no file of that name.
  EXPECT_FALSE(OnLanguageChosen(Folder(), "QuillSmith_Nameless.lng", state));
  EXPECT_EQ(state.currentLanguage, "Alpha");
  EXPECT_EQ(ReadLanguageFile(PathOf("QuillSmith_Alpha.lng"), "")->table.example, "Edited");
}

TEST_F(LanguageFilesTest, missingKeyGivesBuiltInWordNotThePreviousCaption) {
  WriteLanguage("QuillSmith_Alpha.lng", "Alpha", "Alpha-Syntax");
  WriteLanguage("QuillSmith_Beta.lng", "Beta", /*syntax=*/"");
  LanguageState state;
  ASSERT_TRUE(LoadLanguage(Folder(), "Alpha", state));
  EXPECT_EQ(state.table.syntax, "Alpha-Syntax");
  ASSERT_TRUE(OnLanguageChosen(Folder(), "Beta", state));
  EXPECT_EQ(state.currentLanguage, "Beta");
  EXPECT_EQ(state.table.syntax, "Syntax");
  EXPECT_EQ(state.table.overview, "Beta-Overview");
}

TEST_F(LanguageFilesTest, choosingTheCurrentLanguageDoesNothing) {
  LanguageState state;
  state.table.syntax = "Edited";
  EXPECT_FALSE(OnLanguageChosen(Folder(), "English", state));
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_EQ(state.table.syntax, "Edited");
}

TEST_F(LanguageFilesTest, unreadableChoiceKeepsCurrentLanguage) {
  Write("QuillSmith_Empty.lng", "no group here\r\n");
  LanguageState state;
  state.table.overview = "Mine";
  EXPECT_FALSE(LoadLanguage(Folder(), "Empty", state));
  EXPECT_FALSE(LoadLanguage(Folder(), "Absent", state));
  EXPECT_EQ(state.currentLanguage, "English");
  EXPECT_EQ(state.table.overview, "Mine");
}

TEST_F(LanguageFilesTest, saveWritesNineLinesAndReadsBack) {
  LanguageState state;
  state.currentLanguage = "Custom";
  state.table.commandIndex = "All commands";
  ASSERT_TRUE(SaveLanguage(Folder() + "sub", state));
  EXPECT_EQ(Read("sub/QuillSmith_Custom.lng"),
            ";QuillSmith localisation file\r\n[Language]\r\nCurrentLanguage = Custom\r\n"
            "Overview = Overview\r\nCommandIndex = All commands\r\nSyntax = Syntax\r\n"
            "Example = Example\r\nDescription = Description\r\nFunctions = Functions\r\n");
  LanguageState loaded;
  ASSERT_TRUE(LoadLanguage(Folder() + "sub", "Custom", loaded));
  EXPECT_EQ(loaded, state);
  // The file of a differently cased name is rewritten in place, not doubled.
  WriteLanguage("quillsmith_other.lng", "Other");
  state.currentLanguage = "Other";
  ASSERT_TRUE(SaveLanguage(Folder(), state));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "QuillSmith_Other.lng"));
  EXPECT_EQ(ReadLanguageFile(PathOf("quillsmith_other.lng"), "")->table.commandIndex,
            "All commands");
}

TEST_F(LanguageFilesTest, namesWithSeparatorsNeverLeaveTheFolder) {
  LanguageState state;
  state.currentLanguage = "../escape";
  EXPECT_FALSE(SaveLanguage(Folder() + "sub", state));
  state.currentLanguage = "a\\b";
  EXPECT_FALSE(SaveLanguage(Folder(), state));
  EXPECT_EQ(FileCount(), 0u);
  WriteLanguage("QuillSmith_Alpha.lng", "Alpha");
  EXPECT_FALSE(LoadLanguage(Folder(), "x/../../QuillSmith_Alpha", state));
}

TEST_F(LanguageFilesTest, editedCaptionsLoseOuterBlanks) {
  LanguageState state;
  OnCaptionEdited(state, {"  Über  ", "Index", " Syntax", "Example ", "", "\tFunctions"});
  EXPECT_EQ(state.table.overview, "Über");
  EXPECT_EQ(state.table.syntax, "Syntax");
  EXPECT_EQ(state.table.example, "Example");
  EXPECT_EQ(state.table.description, "");
  EXPECT_EQ(state.table.functions, "\tFunctions");  // only spaces are blanks
}

TEST_F(LanguageFilesTest, readLanguageFileGivesBuiltInCaptionsForMissingKeys) {
  Write("any.lng", "[language]\r\nexample = Beispiel\r\n");
  const auto read = ReadLanguageFile(PathOf("any.lng"), "fallback");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->currentLanguage, "fallback");
  LanguageTable expected;
  expected.example = "Beispiel";
  EXPECT_EQ(read->table, expected);
  EXPECT_FALSE(ReadLanguageFile(PathOf("absent.lng"), "").has_value());
}

}  // namespace
