#include "check/markupcheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qs::check {
namespace {

struct MarkupCase {
  const char* label;
  const char* text;
  FieldForm form;
  // The problems it must give, "LINE: MESSAGE" each; none for a clean field.
  std::vector<std::string> expected;
};

const std::string kCut =
    " starts a tag; the rest of the line is hidden (turn on \"Examples are code\", or write "
    "&lt; for '<')";

std::vector<MarkupCase> Cases() {
  using enum FieldForm;
  return {
      // Clean fields: what authors write every day gives nothing.
      {"plain text", "Returns the string without blanks.", Text, {}},
      {"closed tags", "<b>bold</b> and <i>slanted</i>", Text, {}},
      {"upper case tags", "<B>bold</b>", Text, {}},
      {"known entities", "&copy; &amp; &lt; &#169; &#xA9;", Text, {}},
      {"a blank after <", "if Len < 0 the text stays", Text, {}},
      {"comparison in an example", "If a <> b And c <= d\r\n  Debug a\r\nEndIf", Example, {}},
      {"line breaks and lists", "<ul><li>one</li><li>two</li></ul>\r\nnext", Text, {}},
      {"a meant tag in an example", "<b>Important</b>\r\nx = 1", Example, {}},
      {"unquoted attribute", "<font face=Arial>x</font>", Text, {}},
      {"link and picture", "<a href=\"Page.html\">p</a> <img src=\"x.png\">", Text, {}},
      {"comment", "<!-- later -->x", Text, {}},
      // Broken markup, one problem each, on the line it stands.
      {"unclosed tag",
       "first line\r\n<b>bold from here on",
       Text,
       {"2: '<b>' is not closed: everything after it takes its form (missing '</b>')"}},
      {"end tag with nothing open",
       "text</i>",
       Text,
       {"1: '</i>' does not belong here: the browser drops it"}},
      {"mismatched end tag",
       "<i>x</b>",
       Text,
       {"1: an end tag that does not match the open tag: replacing unexpected b with </b>"}},
      {"unknown element",
       "a\r\n<foo>x</foo>",
       Text,
       {"2: '<foo>' is no HTML element: the browser drops the tag"}},
      {"unknown entity",
       "&nosuch; here",
       Text,
       {"1: '&nosuch' is no known character name: write '&amp;' for a plain '&'"}},
      {"entity without semicolon", "x &amp y", Text, {"1: '&amp' does not end in ';'"}},
      {"stray ampersand before a name",
       "Tom &Jerry",
       Text,
       {"1: '&Jerry' is no known character name: write '&amp;' for a plain '&'"}},
      {"unfinished comment",
       "x\r\n<!-- never ends",
       Text,
       {"2: a comment that does not end in '-->' hides everything after it"}},
      // Examples a browser cuts.
      {"< and letter in an example", "x = 1\r\nIf a<b Then\r\nEndIf", Example, {"2: '<b'" + kCut}},
      {"< and a tag at once", "x = a<b\r\ny = 1", Example, {"1: '<b'" + kCut}},
      {"< and an unknown name", "If x<y And y>z\r\n", Example, {"1: '<y'" + kCut}},
      {"two on two lines", "If a<b\r\nThen c<d", Example, {"1: '<b'" + kCut, "2: '<d'" + kCut}},
  };
}

std::vector<std::string> Found(const FieldMarkup& markup) {
  std::vector<std::string> lines;
  for (const Finding& finding : markup.findings) {
    lines.push_back(std::to_string(finding.line) + ": " + finding.message);
  }
  return lines;
}

TEST(MarkupCheck, everyCaseGivesItsProblemsAndCleanOnesNone) {
  for (const MarkupCase& c : Cases()) {
    EXPECT_EQ(Found(ReadFieldMarkup(c.text, c.form)), c.expected) << c.label;
  }
}

TEST(MarkupCheck, examplesWrittenAsCodeHoldNoMarkup) {
  for (const MarkupCase& c : Cases()) {
    if (c.form != FieldForm::Example) continue;
    const FieldMarkup markup = ReadFieldMarkup(c.text, c.form, true);
    EXPECT_TRUE(markup.findings.empty() && markup.links.empty()) << c.label;
  }
}

TEST(MarkupCheck, linksAndPicturesAreFoundWithTheirLines) {
  const FieldMarkup markup = ReadFieldMarkup(
      "See <a href=\"Other.html\">Other</a>\r\nand\r\n<img src=\"pics/a.png\"> <a "
      "href=\"#top\">up</a>",
      FieldForm::Text);
  EXPECT_TRUE(markup.findings.empty());
  EXPECT_EQ(markup.links, (std::vector<Reference>{{1, "Other.html"}, {3, "#top"}}));
  EXPECT_EQ(markup.pictures, (std::vector<Reference>{{3, "pics/a.png"}}));
}

}  // namespace
}  // namespace qs::check
