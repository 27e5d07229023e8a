#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qs::text {
namespace {

TEST(Cp1252, mapsTheHighBlockBothWays) {
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x82\xAC"), "\x80");  // euro sign
  EXPECT_EQ(Cp1252FromUtf8("\xC3\xA9"), "\xE9");      // e acute
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x80\x9C"), "\x93");  // left double quote
  EXPECT_EQ(Utf8FromCp1252("\x80\xE9\x93"), "\xE2\x82\xAC\xC3\xA9\xE2\x80\x9C");
  EXPECT_EQ(Utf8FromCp1252("\xB1\xF7\xB6"), "\xC2\xB1\xC3\xB7\xC2\xB6");
}

TEST(Cp1252, everyByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(all)), all);
}

TEST(Cp1252, charactersOutsideTheCodePageBecomeReferences) {
  EXPECT_EQ(Cp1252FromUtf8("\xCE\xB1 and \xF0\x9F\x98\x80"), "&#945; and &#128512;");
  // Shown again as the characters they stand for, and written back as the same bytes.
  EXPECT_EQ(Utf8FromCp1252("&#945;"), "\xCE\xB1");
  EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252("x&#945;y")), "x&#945;y");
}

TEST(Cp1252, referencesToCodePageCharactersStayAsTyped) {
  // Decoding them would turn the bytes the author typed into other bytes.
  EXPECT_EQ(Utf8FromCp1252("&#233; &#x3B1; &#0945; &#945 &#;"), "&#233; &#x3B1; &#0945; &#945 &#;");
  EXPECT_EQ(Utf8FromCp1252("&#945;", false), "&#945;");
  EXPECT_EQ(Utf8FromCp1252("&#99999999;"), "&#99999999;");
}

TEST(Cp1252, invalidUtf8IsTakenAsCodePageBytes) {
  EXPECT_EQ(Cp1252FromUtf8("a\xE9z"), "a\xE9z");
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x82"), "\xE2\x82");  // truncated sequence
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));              // overlong
  EXPECT_EQ(Utf8FromBytes("/tmp/h\xC3\xA9"), "/tmp/h\xC3\xA9");
  EXPECT_EQ(Utf8FromBytes("/tmp/h\xE9"), "/tmp/h\xC3\xA9");
}

}  // namespace
}  // namespace qs::text
