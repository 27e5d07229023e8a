#include "config/wordlist.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/systemtraits.h"
#include "support/tempfoldertest.h"

namespace {

using qs::config::AddToWordList;
using qs::config::ListFileStatus;
using qs::config::ReadWordList;
using qs::config::WordListPath;

class WordListTest : public qs::testsupport::TempFolderTest {};

// One list per project, named so that a person sees whose it is, the same however the
// project's path was written, and never a path outside the folder.
TEST_F(WordListTest, eachProjectHasItsOwnListBesideTheSettings) {
  const std::string mine = WordListPath(Folder(), "/home/me/My Lib.qsp");
  const std::string stem = Folder() + qs::testsupport::Native("words/My_Lib-");
  EXPECT_EQ(mine.rfind(stem, 0), 0u) << mine;
  EXPECT_EQ(mine.size(), stem.size() + 16 + 4);
  EXPECT_EQ(mine, WordListPath(Folder(), "/home/me/sub/../My Lib.qsp"));
  EXPECT_NE(mine, WordListPath(Folder(), "/home/you/My Lib.qsp"));
  EXPECT_EQ(WordListPath(Folder(), ""), "");

  const std::string odd = WordListPath(Folder(), "/x/../../..qsp");
  EXPECT_EQ(std::filesystem::path(odd).parent_path(),
            std::filesystem::path(Folder() + "words/").parent_path());

  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  const std::string relative = WordListPath(Folder(), "My Lib.qsp");
  std::filesystem::current_path(previous);
  EXPECT_EQ(relative, WordListPath(Folder(), (dir_ / "My Lib.qsp").string()));
}

// Words of any language go in and come back sorted, each once; another window's word added
// meanwhile stays.
TEST_F(WordListTest, wordsRoundTripSortedOnceAndKeepWhatAnotherWindowAdded) {
  const std::string path = WordListPath(Folder(), "/p/Lib.qsp");
  EXPECT_EQ(ReadWordList(path).status, ListFileStatus::Missing);
  ASSERT_TRUE(AddToWordList(path, "zlib"));
  ASSERT_TRUE(AddToWordList(path, "na\xC3\xAFve"));      // naïve
  ASSERT_TRUE(AddToWordList(path, "\xCE\xB1\xCE\xB2"));  // Greek, which Windows-1252 lacks
  ASSERT_TRUE(AddToWordList(path, "zlib"));
  std::ofstream(path, std::ios::binary | std::ios::app) << "Elsewhere\r\n";
  ASSERT_TRUE(AddToWordList(path, "Another"));

  const auto list = ReadWordList(path);
  EXPECT_EQ(list.status, ListFileStatus::Read);
  EXPECT_EQ(list.words, (std::vector<std::string>{"Another", "Elsewhere", "na\xC3\xAFve", "zlib",
                                                  "\xCE\xB1\xCE\xB2"}));
  EXPECT_EQ(Read(std::filesystem::path(path).lexically_relative(dir_).string()),
            "Another\r\nElsewhere\r\nna\xC3\xAFve\r\nzlib\r\n\xCE\xB1\xCE\xB2\r\n");

  for (const char* bad : {"", "two words", "line\nbreak"}) EXPECT_FALSE(AddToWordList(path, bad));
}

// A list saved by a Windows-1252 editor, with blanks around its words.
TEST_F(WordListTest, aHandEditedListIsReadAsWords) {
  Write("list.txt",
        "  Gr\xF6\xDF"
        "e \r\n\tnaive\n\n");
  EXPECT_EQ(ReadWordList(P("list.txt")).words, (std::vector<std::string>{"Gr\xC3\xB6\xC3\x9F"
                                                                         "e",
                                                                         "naive"}));
}

// Something that is not a list of ours is neither read without end nor replaced.
TEST_F(WordListTest, aFileInTheWayIsRefusedAndKept) {
  const std::string huge(qs::config::kWordListMaxBytes + 1, 'w');
  Write("huge.txt", huge);
  EXPECT_EQ(ReadWordList(P("huge.txt")).status, ListFileStatus::Refused);
  EXPECT_FALSE(AddToWordList(P("huge.txt"), "word"));
  EXPECT_EQ(Read("huge.txt"), huge);

  if (!qs::testsupport::kOnWindows) {
    std::filesystem::create_symlink("/dev/zero", P("device.txt"));
    EXPECT_EQ(ReadWordList(P("device.txt")).status, ListFileStatus::Refused);
    EXPECT_FALSE(AddToWordList(P("device.txt"), "word"));
  }

  std::filesystem::create_directory(P("folder.txt"));
  EXPECT_FALSE(AddToWordList(P("folder.txt"), "word"));
  EXPECT_TRUE(std::filesystem::is_directory(P("folder.txt")));
}

}  // namespace
