#include "config/languagefiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempfolder.h"

namespace {

using namespace qs::config;
using Names = std::vector<std::string>;

class LanguageFilesTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
  // A language file with its Overview caption derived from the name; an empty `name` leaves
  // out CurrentLanguage, an empty `syntax` the Syntax key.
  void Lang(const std::string& file, const std::string& name, const std::string& syntax = "S") {
    std::string bytes = ";QuillSmith localisation file\r\n[Language]\r\n";
    if (!name.empty()) bytes += "CurrentLanguage = " + name + "\r\n";
    bytes += "Overview = " + name + "-O\r\n";
    if (!syntax.empty()) bytes += "Syntax = " + syntax + "\r\n";
    temp_.Write(file, bytes);
  }
  LanguageState state_;
};

TEST_F(LanguageFilesTest, listsTheLanguagesOfReadableFilesSortedByFileName) {
  EXPECT_EQ(ListLanguages(temp_.Path()), Names{});
  EXPECT_EQ(ListLanguages(temp_.Path() + "absent"), Names{});
  Lang("quillsmith_zulu.LNG", "Zulu");
  Lang("QuillSmith_Alpha.lng", "Alpha");
  Lang("QuillSmith_Nameless.lng", "");
  temp_.Write("QuillSmith_NoGroup.lng", "CurrentLanguage = X\r\n");  // no group: not listed
  Lang("Other_Beta.lng", "Beta");
  std::filesystem::create_directory(temp_.Path("QuillSmith_Dir.lng"));
  EXPECT_EQ(ListLanguages(temp_.Path()), (Names{"Alpha", "QuillSmith_Nameless.lng", "Zulu"}));
  // The file of a listed language is found although its name differs in letter case.
  ASSERT_TRUE(LoadLanguage(temp_.Path(), "Zulu", state_));
  EXPECT_EQ(state_.table.overview, "Zulu-O");
}

TEST_F(LanguageFilesTest, loadingReplacesEveryCaptionOrChangesNothing) {
  Lang("QuillSmith_Alpha.lng", "Alpha", "Alpha-S");
  Lang("QuillSmith_Beta.lng", "Beta", "");
  Lang("QuillSmith_Nameless.lng", "");
  ASSERT_TRUE(LoadLanguage(temp_.Path(), "Alpha", state_));
  EXPECT_EQ(state_.table.syntax, "Alpha-S");
  // A missing key gives the built-in word, not the previous language's caption.
  ASSERT_TRUE(LoadLanguage(temp_.Path(), "Beta", state_));
  EXPECT_EQ(state_.table.syntax, "Syntax");
  EXPECT_EQ(state_.table.overview, "Beta-O");
  // The list entry of a file without a name names no file; a file without the group is no
  // language. Either way the current language stays.
  EXPECT_FALSE(LoadLanguage(temp_.Path(), "QuillSmith_Nameless.lng", state_));
  temp_.Write("QuillSmith_Bad.lng", "no group\r\n");
  EXPECT_FALSE(LoadLanguage(temp_.Path(), "Bad", state_));
  EXPECT_EQ(state_.currentLanguage, "Beta");
  EXPECT_EQ(state_.table.overview, "Beta-O");
}

TEST_F(LanguageFilesTest, saveWritesNineLinesInPlaceAndNeverLeavesTheFolder) {
  state_.currentLanguage = "Custom";
  state_.table.commandIndex = "All commands";
  ASSERT_TRUE(SaveLanguage(temp_.Path() + "sub", state_));
  EXPECT_EQ(temp_.Read("sub/QuillSmith_Custom.lng"),
            ";QuillSmith localisation file\r\n[Language]\r\nCurrentLanguage = Custom\r\n"
            "Overview = Overview\r\nCommandIndex = All commands\r\nSyntax = Syntax\r\n"
            "Example = Example\r\nDescription = Description\r\nFunctions = Functions\r\n");
  LanguageState loaded;
  ASSERT_TRUE(LoadLanguage(temp_.Path() + "sub", "Custom", loaded));
  EXPECT_EQ(loaded, state_);
  // A file whose name differs in case is rewritten, not doubled.
  Lang("quillsmith_other.lng", "Other");
  state_.currentLanguage = "Other";
  ASSERT_TRUE(SaveLanguage(temp_.Path(), state_));
  EXPECT_EQ(ReadLanguageFile(temp_.Path("quillsmith_other.lng"), "")->table.commandIndex,
            "All commands");
  EXPECT_EQ(temp_.EntryCount(), 2u);
  for (const char* name : {"../escape", "a\\b"}) {
    state_.currentLanguage = name;
    EXPECT_FALSE(SaveLanguage(temp_.Path() + "sub", state_));
    EXPECT_FALSE(LoadLanguage(temp_.Path(), name, state_));
  }
  EXPECT_EQ(temp_.EntryCount(), 2u);
  // Another language's file is never replaced by captions it did not hold: one found under
  // another spelling that names another language inside, one that is no language file, and
  // one that cannot be read.
  Lang("quillsmith_english.lng", "Deutsch");
  temp_.Write("QuillSmith_Broken.lng", "no group\r\n");
  std::filesystem::create_directory(temp_.Path("QuillSmith_Folder.lng"));
  const std::string german = temp_.Read("quillsmith_english.lng");
  for (const char* name : {"English", "Broken", "Folder"}) {
    state_.currentLanguage = name;
    EXPECT_FALSE(SaveLanguage(temp_.Path(), state_)) << name;
  }
  EXPECT_EQ(temp_.Read("quillsmith_english.lng"), german);
  EXPECT_EQ(temp_.Read("QuillSmith_Broken.lng"), "no group\r\n");
  EXPECT_EQ(temp_.EntryCount(), 5u);
}

TEST_F(LanguageFilesTest, readLanguageFileGivesBuiltInCaptionsForMissingKeys) {
  temp_.Write("any.lng", "[language]\r\nexample = Beispiel\r\n");
  const auto read = ReadLanguageFile(temp_.Path("any.lng"), "fallback");
  ASSERT_TRUE(read.has_value());
  LanguageTable expected;
  expected.example = "Beispiel";
  EXPECT_EQ(*read, (LanguageState{"fallback", expected}));
  EXPECT_FALSE(ReadLanguageFile(temp_.Path("absent.lng"), "").has_value());
}

}  // namespace
