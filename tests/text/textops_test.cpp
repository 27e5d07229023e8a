#include "text/textops.h"

#include <gtest/gtest.h>

#include "text/paths.h"

namespace qs::text {
namespace {

TEST(TrimBlanks, removesOnlySpaces) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimBlanks(" \r\nx\r\n "), "\r\nx\r\n");
  EXPECT_EQ(TrimBlanks("    "), "");
  EXPECT_EQ(TrimBlanks(""), "");
}

TEST(ReplaceAll, neverRescansInsertedText) {
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("abab", "ab", "b"), "bb");
  EXPECT_EQ(ReplaceAll("Foo Foobar", "Foo", "<a>Foo</a>"), "<a>Foo</a> <a>Foo</a>bar");
}

TEST(ReplaceAll, matchesLeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceAll("aaaaa", "aa", "b"), "bba");
  EXPECT_EQ(ReplaceAll("xyz", "", "q"), "xyz");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(LineBreaksToHtml, convertsOnlyCrLfPairs) {
  EXPECT_EQ(LineBreaksToHtml("a\r\nb"), "a<br>\r\nb");
  EXPECT_EQ(LineBreaksToHtml("a\nb\rc"), "a\nb\rc");
  EXPECT_EQ(LineBreaksToHtml("\r\n"), "<br>\r\n");
}

TEST(CodeToHtml, convertsTabsAndSpaceRuns) {
  EXPECT_EQ(CodeToHtml("a\tb"), "a&nbsp; &nbsp;b");
  EXPECT_EQ(CodeToHtml("a   b"), "a&nbsp; &nbsp; b");
  EXPECT_EQ(CodeToHtml("a    b"), "a&nbsp; &nbsp;&nbsp; &nbsp;b");
  EXPECT_EQ(CodeToHtml("x\r\n  y"), "x<br>\r\n&nbsp; &nbsp;y");
  EXPECT_EQ(CodeToHtml("a b"), "a b");
}

TEST(CaseFolding, foldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualsNoCase("Options", "oPTIONS"));
  EXPECT_FALSE(EqualsNoCase("Option", "Options"));
  EXPECT_FALSE(EqualsNoCase("\xC9", "\xE9"));
  EXPECT_EQ(AsciiLower("MyLib.QSP"), "mylib.qsp");
}

TEST(Paths, takeBothSeparators) {
  EXPECT_EQ(FileNamePart("C:\\PB\\UserLibraries\\MyLib"), "MyLib");
  EXPECT_EQ(FileNamePart("/opt/pb/MyLib"), "MyLib");
  EXPECT_EQ(FileNamePart("MyLib"), "MyLib");
  EXPECT_EQ(FileNamePart("dir/"), "");
  EXPECT_EQ(FolderPart("/a/b\\c.qsp"), "/a/b\\");
  EXPECT_EQ(FolderPart("c.qsp"), "");
  EXPECT_EQ(WithTrailingSeparator(""), "");
  EXPECT_EQ(WithTrailingSeparator("C:\\Help\\"), "C:\\Help\\");
  EXPECT_EQ(WithTrailingSeparator("/tmp/x/"), "/tmp/x/");
  EXPECT_EQ(WithTrailingSeparator("/tmp/x"), std::string("/tmp/x") + NativeSeparator());
}

}  // namespace
}  // namespace qs::text
