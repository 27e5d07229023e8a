#include "config/wordlist.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/systemtraits.h"
#include "support/tempfolder.h"

namespace {

using qs::config::AddToWordList;
using qs::config::ListFileStatus;
using qs::config::ReadWordList;
using qs::config::WordListPath;

class WordListTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
};

// One list per project, named so that a person sees whose it is, the same however the
// project's path was written, and never a path outside the folder.
TEST_F(WordListTest, eachProjectHasItsOwnListBesideTheSettings) {
  const std::string mine = WordListPath(temp_.Path(), "/home/me/My Lib.qsp");
  const std::string stem = temp_.Path() + qs::testsupport::Native("words/My_Lib-");
  EXPECT_EQ(mine.rfind(stem, 0), 0u) << mine;
  EXPECT_EQ(mine.size(), stem.size() + 16 + 4);
  EXPECT_EQ(mine, WordListPath(temp_.Path(), "/home/me/sub/../My Lib.qsp"));
  EXPECT_NE(mine, WordListPath(temp_.Path(), "/home/you/My Lib.qsp"));
  EXPECT_EQ(WordListPath(temp_.Path(), ""), "");

  const std::string odd = WordListPath(temp_.Path(), "/x/../../..qsp");
  EXPECT_EQ(std::filesystem::path(odd).parent_path(),
            std::filesystem::path(temp_.Path() + "words/").parent_path());

  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(temp_.Path());
  const std::string relative = WordListPath(temp_.Path(), "My Lib.qsp");
  std::filesystem::current_path(previous);
  EXPECT_EQ(relative, WordListPath(temp_.Path(), temp_.Path("My Lib.qsp")));
}

// Words of any language go in and come back sorted, each once; another window's word added
// meanwhile stays.
TEST_F(WordListTest, wordsRoundTripSortedOnceAndKeepWhatAnotherWindowAdded) {
  const std::string path = WordListPath(temp_.Path(), "/p/Lib.qsp");
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
  EXPECT_EQ(temp_.Read(std::filesystem::path(path)
                           .lexically_relative(std::filesystem::path(temp_.Path()).parent_path())
                           .string()),
            "Another\r\nElsewhere\r\nna\xC3\xAFve\r\nzlib\r\n\xCE\xB1\xCE\xB2\r\n");

  for (const char* bad : {"", "two words", "line\nbreak"}) EXPECT_FALSE(AddToWordList(path, bad));
}

// A list saved by a Windows-1252 editor, with blanks around its words.
TEST_F(WordListTest, aHandEditedListIsReadAsWords) {
  temp_.Write("list.txt",
              "  Gr\xF6\xDF"
              "e \r\n\tnaive\n\n");
  EXPECT_EQ(ReadWordList(temp_.Path("list.txt")).words,
            (std::vector<std::string>{"Gr\xC3\xB6\xC3\x9F"
                                      "e",
                                      "naive"}));
}

// Something that is not a list of ours is neither read without end nor replaced.
TEST_F(WordListTest, aFileInTheWayIsRefusedAndKept) {
  const std::string huge(qs::config::kWordListMaxBytes + 1, 'w');
  temp_.Write("huge.txt", huge);
  EXPECT_EQ(ReadWordList(temp_.Path("huge.txt")).status, ListFileStatus::Refused);
  EXPECT_FALSE(AddToWordList(temp_.Path("huge.txt"), "word"));
  EXPECT_EQ(temp_.Read("huge.txt"), huge);

  if (!qs::testsupport::kOnWindows) {
    std::filesystem::create_symlink("/dev/zero", temp_.Path("device.txt"));
    EXPECT_EQ(ReadWordList(temp_.Path("device.txt")).status, ListFileStatus::Refused);
    EXPECT_FALSE(AddToWordList(temp_.Path("device.txt"), "word"));
  }

  std::filesystem::create_directory(temp_.Path("folder.txt"));
  EXPECT_FALSE(AddToWordList(temp_.Path("folder.txt"), "word"));
  EXPECT_TRUE(std::filesystem::is_directory(temp_.Path("folder.txt")));
}

}  // namespace
