#include "config/preferencefile.h"

#include <gtest/gtest.h>

#include <limits>

#include "tempfolder.h"

namespace {

using qs::config::ParseInteger;
using qs::config::PreferenceFile;

class PreferenceFileTest : public qs::configtest::TempFolderTest {
 protected:
  // Opens a file holding `bytes` and selects `group`; the result of the selection.
  bool OpenWith(const std::string& bytes, const std::string& group) {
    Write("p.ini", bytes);
    EXPECT_TRUE(file_.OpenRead(PathOf("p.ini")));
    return file_.SelectGroup(group);
  }
  PreferenceFile file_;
};

TEST_F(PreferenceFileTest, groupsAndKeysMatchWithoutRegardToCaseAndBlanks) {
  ASSERT_TRUE(OpenWith("[options]\r\ncompiletochm=1\r\n  Name   =   value\r\n", "Options"));
  EXPECT_EQ(file_.ReadInteger("CompileToCHM", 7), 1);
  EXPECT_EQ(file_.ReadString("NAME", "d"), "value");
  // Same letters, other length: no match.
  EXPECT_EQ(file_.ReadString("Nam", "d"), "d");
  EXPECT_FALSE(file_.SelectGroup("Option"));
  EXPECT_FALSE(file_.SelectGroup("Options2"));
}

TEST_F(PreferenceFileTest, valuesKeepTrailingBlanksAndEmptyValuesAreNotDefaults) {
  ASSERT_TRUE(OpenWith("[G]\r\nDir = /home/a  \r\nEmpty =\r\nNum = \r\nKey = a = b\r\n", "G"));
  EXPECT_EQ(file_.ReadString("Dir", ""), "/home/a  ");
  EXPECT_EQ(file_.ReadString("Empty", "default"), "");
  EXPECT_EQ(file_.ReadInteger("Num", 5), 0);
  EXPECT_EQ(file_.ReadString("Key", ""), "a = b");
  EXPECT_EQ(file_.ReadString("", "default"), "default");
}

TEST_F(PreferenceFileTest, commentsIndentedGroupLinesAndFirstMatch) {
  ASSERT_TRUE(OpenWith("[G]\r\n   ;A = commented\r\n  [H]\r\nA = first\r\na = second\r\n", "G"));
  // The indented comment is skipped; the indented group line neither starts a group nor ends
  // this one; the first of two equal keys counts.
  EXPECT_EQ(file_.ReadString("A", "d"), "first");
  EXPECT_FALSE(file_.SelectGroup("H"));
  EXPECT_EQ(file_.ReadString("A", "d"), "d");  // nothing selected after a failed selection
  EXPECT_EQ(file_.ReadString(";A", "d"), "d");
}

TEST_F(PreferenceFileTest, searchStopsAtTheNextGroup) {
  ASSERT_TRUE(OpenWith("Top = t\r\n[One]\r\nA = 1\r\n[Two]\r\nB = 2\r\n[one]\r\nB = 3\r\n", "One"));
  EXPECT_EQ(file_.ReadString("A", "d"), "1");
  EXPECT_EQ(file_.ReadString("B", "d"), "d");
  EXPECT_EQ(file_.ReadString("Top", "d"), "d");
  // An empty group name goes back to the start of the file, where entries before the first
  // group line can be read.
  EXPECT_FALSE(file_.SelectGroup(""));
  EXPECT_EQ(file_.ReadString("Top", "d"), "t");
  EXPECT_EQ(file_.ReadString("A", "d"), "d");
}

TEST_F(PreferenceFileTest, entriesBeforeTheFirstGroupAreReadAfterOpening) {
  Write("p.ini", "Top = t\n[G]\nA = 1\n");
  ASSERT_TRUE(file_.OpenRead(PathOf("p.ini")));
  EXPECT_EQ(file_.ReadString("Top", "d"), "t");
  EXPECT_EQ(file_.ReadString("A", "d"), "d");
}

TEST_F(PreferenceFileTest, bareLineFeedsReadLikeCrLfAndCrBelongsToNoValue) {
  const std::string lf = "[G]\nA = x\nB = 12\n";
  const std::string crlf = "[G]\r\nA = x\r\nB = 12\r\n";
  for (const std::string& bytes : {lf, crlf}) {
    ASSERT_TRUE(OpenWith(bytes, "G"));
    EXPECT_EQ(file_.ReadString("A", ""), "x");
    EXPECT_EQ(file_.ReadInteger("B", 0), 12);
  }
  // The group line's carriage return is no part of the group name either, and the last line
  // needs no line end.
  ASSERT_TRUE(OpenWith("[G]\r\nA = y", "G"));
  EXPECT_EQ(file_.ReadString("A", ""), "y");
}

TEST_F(PreferenceFileTest, byteOrderMarkHidesTheFirstGroup) {
  EXPECT_FALSE(OpenWith("\xEF\xBB\xBF[Options]\r\nA = 1\r\n", "Options"));
  EXPECT_EQ(file_.ReadInteger("A", 9), 9);
}

TEST_F(PreferenceFileTest, missingFileAndGroupGiveDefaults) {
  EXPECT_FALSE(file_.OpenRead(PathOf("absent.ini")));
  EXPECT_FALSE(file_.SelectGroup("G"));
  EXPECT_EQ(file_.ReadString("A", "d"), "d");
  EXPECT_EQ(file_.ReadInteger("A", -3), -3);
}

TEST(ParseIntegerTest, readsLeadingDecimalDigits) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger(" \t-17x"), -17);
  EXPECT_EQ(ParseInteger("+8"), 8);
  EXPECT_EQ(ParseInteger("12abc34"), 12);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger("-"), 0);
  EXPECT_EQ(ParseInteger(""), 0);
  // Beyond 32 bits the number is clamped rather than wrapped.
  EXPECT_EQ(ParseInteger("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseInteger("-2147483649"), std::numeric_limits<std::int32_t>::min());
}

TEST_F(PreferenceFileTest, writesEveryLineKindWithCrLf) {
  ASSERT_TRUE(file_.Create(PathOf("w.ini")));
  file_.WriteComment("note");
  EXPECT_TRUE(file_.SelectGroup("G"));
  file_.WriteString("Key", "value  ");
  file_.WriteString("", "skipped");
  file_.WriteString("Empty", "");
  file_.WriteInteger("Num", -12);
  EXPECT_EQ(file_.ReadString("Key", "d"), "d");  // nothing is read while writing
  ASSERT_TRUE(file_.Close());
  EXPECT_EQ(Read("w.ini"), ";note\r\n[G]\r\nKey = value  \r\nEmpty = \r\nNum = -12\r\n");
  // What was written reads back.
  ASSERT_TRUE(OpenWith(Read("w.ini"), "g"));
  EXPECT_EQ(file_.ReadString("key", ""), "value  ");
  EXPECT_EQ(file_.ReadInteger("NUM", 0), -12);
}

TEST_F(PreferenceFileTest, failedWriteKeepsTheGoodFile) {
  Write("w.ini", "[G]\r\nA = good\r\n");
  qs::platform::AtomicFile::FailWritesAfterForTesting(10);
  ASSERT_TRUE(file_.Create(PathOf("w.ini")));
  file_.SelectGroup("G");
  file_.WriteString("A", "replacement");
  EXPECT_FALSE(file_.Close());
  EXPECT_EQ(Read("w.ini"), "[G]\r\nA = good\r\n");
  EXPECT_EQ(FileCount(), 1u);  // no temporary file is left behind
  // A folder that does not exist is not created by the file itself.
  EXPECT_FALSE(file_.Create(PathOf("missing/w.ini")));
}

TEST_F(PreferenceFileTest, openingAnotherFileClosesAndWritesThePrevious) {
  ASSERT_TRUE(file_.Create(PathOf("a.ini")));
  file_.WriteString("A", "1");
  Write("b.ini", "[G]\r\nB = 2\r\n");
  ASSERT_TRUE(OpenWith(Read("b.ini"), "G"));
  EXPECT_EQ(Read("a.ini"), "A = 1\r\n");
  EXPECT_EQ(file_.ReadString("B", ""), "2");
}

}  // namespace
