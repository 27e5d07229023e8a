#include "config/preferencefile.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>

#include "support/tempfolder.h"

namespace {

using qs::config::PreferenceFile;

class PreferenceFileTest : public ::testing::Test {
 protected:
  qs::testsupport::TempFolder temp_;
  // Opens a file holding `bytes` and selects `group`; the result of the selection.
  bool OpenWith(const std::string& bytes, const std::string& group) {
    temp_.Write("p.ini", bytes);
    EXPECT_TRUE(file_.OpenRead(temp_.Path("p.ini")));
    return file_.SelectGroup(group);
  }
  PreferenceFile file_;
};

TEST_F(PreferenceFileTest, caseBlanksEmptyValuesAndTrailingBlanks) {
  ASSERT_TRUE(
      OpenWith("[options]\ncompiletochm=1\n  Name   =   v  \r\nEmpty =\r\nK = a = b\n", "Options"));
  EXPECT_EQ(file_.ReadInteger("CompileToCHM", 7), 1);
  EXPECT_EQ(file_.ReadString("NAME", "d"), "v  ");  // trailing blanks kept, CR dropped
  EXPECT_EQ(file_.ReadString("Nam", "d"), "d");     // same letters, other length
  EXPECT_EQ(file_.ReadString("Empty", "d"), "");    // empty value is not the default
  EXPECT_EQ(file_.ReadInteger("Empty", 5), 0);
  EXPECT_EQ(file_.ReadString("K", ""), "a = b");
  EXPECT_EQ(file_.ReadString("", "d"), "d");
  EXPECT_FALSE(file_.SelectGroup("Option"));
}

TEST_F(PreferenceFileTest, commentsGroupsAndFirstMatch) {
  ASSERT_TRUE(
      OpenWith("Top = t\r\n[G]\r\n   ;A = c\r\n  [H]\r\nA = 1st\r\na = 2nd\r\n[I]\r\nB = "
               "b\r\n[g]\r\nB = late\r\n",
               "G"));
  // The indented comment is skipped, the indented group line neither starts a group nor ends
  // this one, the first of two keys counts, and the search stops at the next group line.
  EXPECT_EQ(file_.ReadString("A", "d"), "1st");
  EXPECT_EQ(file_.ReadString("B", "d"), "d");
  EXPECT_EQ(file_.ReadString("Top", "d"), "d");
  EXPECT_FALSE(file_.SelectGroup("H"));
  EXPECT_EQ(file_.ReadString("A", "d"), "d");  // nothing selected after a failed selection
  // An empty name goes back to the start, where entries before the first group are read.
  EXPECT_FALSE(file_.SelectGroup(""));
  EXPECT_EQ(file_.ReadString("Top", "d"), "t");
  ASSERT_TRUE(file_.OpenRead(temp_.Path("p.ini")));  // so does opening
  EXPECT_EQ(file_.ReadString("Top", "d"), "t");
}

TEST_F(PreferenceFileTest, byteOrderMarkHidesTheFirstGroupAndMissingFileGivesDefaults) {
  EXPECT_FALSE(OpenWith("\xEF\xBB\xBF[Options]\r\nA = 1\r\n", "Options"));
  EXPECT_EQ(file_.ReadInteger("A", 9), 9);
  EXPECT_FALSE(file_.OpenRead(temp_.Path("absent.ini")));
  EXPECT_FALSE(file_.SelectGroup("G"));
  EXPECT_EQ(file_.ReadString("A", "d"), "d");
}

TEST(ParseIntegerTest, leadingDecimalDigitsClampedTo32Bits) {
  using qs::config::ParseInteger;
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ParseInteger(" \t-17x"), -17);
  EXPECT_EQ(ParseInteger("+8"), 8);
  EXPECT_EQ(ParseInteger("12abc34"), 12);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger("-"), 0);
  EXPECT_EQ(ParseInteger("99999999999999999999"), kMax);
  EXPECT_EQ(ParseInteger("-2147483648"), kMin);
  EXPECT_EQ(ParseInteger("-2147483649"), kMin);
}

TEST_F(PreferenceFileTest, writesEveryLineKindWithCrLfAndReadsItBack) {
  ASSERT_TRUE(file_.Create(temp_.Path("w.ini")));
  file_.WriteComment("note");
  EXPECT_TRUE(file_.SelectGroup("G"));
  file_.WriteString("Key", "value  ");
  file_.WriteString("", "skipped");
  file_.WriteString("Empty", "");
  file_.WriteInteger("Num", -12);
  ASSERT_TRUE(file_.Close());
  EXPECT_EQ(temp_.Read("w.ini"), ";note\r\n[G]\r\nKey = value  \r\nEmpty = \r\nNum = -12\r\n");
  ASSERT_TRUE(OpenWith(temp_.Read("w.ini"), "g"));
  EXPECT_EQ(file_.ReadString("key", ""), "value  ");
  EXPECT_EQ(file_.ReadInteger("NUM", 0), -12);
}

TEST_F(PreferenceFileTest, createMakesNoFolders) {
  EXPECT_FALSE(file_.Create(temp_.Path("missing/w.ini")));
  EXPECT_EQ(temp_.EntryCount(), 0u);
}

TEST_F(PreferenceFileTest, aWriterLeftByAnExceptionReplacesNothing) {
  temp_.Write("w.ini", "[G]\r\nA = good\r\n");
  try {
    PreferenceFile writer;
    ASSERT_TRUE(writer.Create(temp_.Path("w.ini")));
    writer.SelectGroup("G");
    throw std::bad_alloc();  // as when memory runs out before the last entry
  } catch (const std::bad_alloc&) {
  }
  EXPECT_EQ(temp_.Read("w.ini"), "[G]\r\nA = good\r\n");
  EXPECT_EQ(temp_.EntryCount(), 1u);
}

}  // namespace
