#include "output/autolinker.h"

#include <gtest/gtest.h>

#include <random>

#include "output/pagenames.h"
#include "support/autolinkreference.h"
#include "support/projectfixture.h"

namespace qs::output {
namespace {

std::string Linked(const std::vector<std::string>& names, std::string_view text) {
  const std::string fast = AutoLinker(names).Apply(text);
  EXPECT_EQ(fast, testsupport::ReferenceAutoLink(text, names)) << "text: " << text;
  return fast;
}

std::string A(std::string_view name) {
  return "<a href=\"" + PageLink(name) + "\">" + std::string(name) + "</a>";
}

// Names that share their start, as a library's functions often do. Replacing name by name
// linked "TextTrim" inside "TextTrimLeft" or, in the other store order, nested a link in the
// href of another; both orders now give the same, whole links.
TEST(AutoLink, theLongestNameAtAPlaceWinsInEitherStoreOrder) {
  const std::string text =
      "TextTrimLeft trims the left side; TextTrim both; TextTrimLeftmost none.";
  const std::string expected = A("TextTrimLeft") + " trims the left side; " + A("TextTrim") +
                               " both; TextTrimLeftmost none.";
  EXPECT_EQ(Linked({"TextTrim", "TextTrimLeft"}, text), expected);
  EXPECT_EQ(Linked({"TextTrimLeft", "TextTrim"}, text), expected);
}

TEST(AutoLink, aNameLinksOnlyAsAWholeWord) {
  EXPECT_EQ(Linked({"Len"}, "Length, Len, LenX, xLen, _Len, Len_, Len2, 2Len, (Len) Len"),
            "Length, " + A("Len") + ", LenX, xLen, _Len, Len_, Len2, 2Len, (" + A("Len") + ") " +
                A("Len"));
  // Letters outside ASCII do not join a word.
  EXPECT_EQ(Linked({"Len"}, "\xE9Len Len\xE9"), "\xE9" + A("Len") + " " + A("Len") + "\xE9");
  // A name that itself starts or ends with a sign still needs a boundary beside it.
  EXPECT_EQ(Linked({"#PB_Any", "C++"}, "Use #PB_Any or x#PB_Any; C++ or C++x."),
            "Use " + A("#PB_Any") + " or x#PB_Any; " + A("C++") + " or C++x.");
}

TEST(AutoLink, indexLinksAsAWordAndNotInsideOne) {
  const auto project = testsupport::MakeProject({"Index", "IndexOf"});
  const AutoLinker linker(project);
  EXPECT_EQ(linker.Apply("See Index. IndexOf, IndexOfAny and Indexes."),
            "See " + A("Index") + ". " + A("IndexOf") + ", IndexOfAny and Indexes.");
}

TEST(AutoLink, tagsAreCopiedAndNamesInsideThemStayText) {
  const std::vector<std::string> names = {"b", "Open", "href", "title"};
  EXPECT_EQ(Linked(names, "<b>Open</b> <img title=\"Open\" src=b.png> b"),
            "<b>" + A("Open") + "</b> <img title=\"Open\" src=b.png> " + A("b"));
  // A name never runs on into a tag. A tag the description does not close runs on into the
  // page's own markup, so nothing after its "<" is text.
  EXPECT_EQ(Linked({"a<b"}, "a<b>x</b> then a<b plain"), "a<b>x</b> then a<b plain");
  EXPECT_EQ(Linked({"Open"}, "1 < Open"), "1 < " + A("Open"));
}

// What the browser shows as text gets the links, and nothing else does. Up to now any "<"
// before a later ">" started a tag, so "if Len < 0 ... <b>" hid every name in between, while
// comments, script and entity names were linked and broke the page.
TEST(AutoLink, followsHowTheBrowserReadsTheMarkup) {
  const std::vector<std::string> names = {"Open", "Len", "copy", "x41", "b", "nbsp"};
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      // A "<" before a blank, a digit, "=" or "<" is text.
      {"if Len < 0 or Len<=Open, Len<<b>Open</b>", "if " + A("Len") + " < 0 or " + A("Len") +
                                                       "<=" + A("Open") + ", " + A("Len") + "<<b>" +
                                                       A("Open") + "</b>"},
      {"Len<1 Open <", A("Len") + "<1 " + A("Open") + " <"},
      // A quoted value may hold ">"; a quote opens a value only after "=".
      {"<img alt=\"a > Open\" title='x>Open'>Open <b title \"x>Open\">",
       "<img alt=\"a > Open\" title='x>Open'>" + A("Open") + " <b title \"x>" + A("Open") + "\">"},
      {"<img alt=\"Open>", "<img alt=\"Open>"},
      // Comments, however they end, and what a browser reads as one.
      {"<!-- Open -- b --> Open <!--> Open <!---> Open <!-- b --!> b",
       "<!-- Open -- b --> " + A("Open") + " <!--> " + A("Open") + " <!---> " + A("Open") +
           " <!-- b --!> " + A("b")},
      {"<!DOCTYPE Open> <? Open > </ Open> </> Open <!-- Open",
       "<!DOCTYPE Open> <? Open > </ Open> </> " + A("Open") + " <!-- Open"},
      // Elements that hold no markup, up to their own end tag only.
      {"<script>if (a<b) Open(\"</b>\")</script> Open <STYLE>b{}</style > b",
       "<script>if (a<b) Open(\"</b>\")</script> " + A("Open") + " <STYLE>b{}</style > " + A("b")},
      {"<textarea>Open</textareax></TEXTAREA>Open <title>Len",
       "<textarea>Open</textareax></TEXTAREA>" + A("Open") + " <title>Len"},
      // Entity names, named or numbered, known to the browser or not.
      {"&copy; copy &copy &#x41; x41 &#65;Len &nbsp;Open &copyb &#;b &b",
       "&copy; " + A("copy") + " &copy &#x41; " + A("x41") + " &#65;" + A("Len") + " &nbsp;" +
           A("Open") + " &copyb &#;" + A("b") + " &b"},
      // A link of the author's own is an "a" element however its tag is written.
      {"<a/>Open</a>Open <a title='</a>'>Open</a> Open",
       "<a/>Open</a>" + A("Open") + " <a title='</a>'>Open</a> " + A("Open")},
  };
  for (const auto& test : cases) EXPECT_EQ(Linked(names, test.text), test.expected);
  // A name never runs on into an entity or a tag.
  EXPECT_EQ(Linked({"AT&T", "a<b"}, "AT&T a<b>"), "AT&T a<b>");
}

TEST(AutoLink, theAuthorsOwnLinksAreLeftAlone) {
  const std::vector<std::string> names = {"Open", "Close"};
  EXPECT_EQ(Linked(names, "<a href=\"Open.html\">Open <b>Close</b></a> Open"),
            "<a href=\"Open.html\">Open <b>Close</b></a> " + A("Open"));
  // Letter case is ignored, any white space or ">" ends the tag's name, and only a real
  // closing tag ends the link: an "<abbr>" neither starts nor ends one.
  EXPECT_EQ(Linked(names, "<A\tHREF=x>Open</A >Close <a>Open</a\n>Close"),
            "<A\tHREF=x>Open</A >" + A("Close") + " <a>Open</a\n>" + A("Close"));
  EXPECT_EQ(Linked(names, "<abbr>Open</abbr> <a name=x><abbr>Open</abbr> Close</a> Open"),
            "<abbr>" + A("Open") + "</abbr> <a name=x><abbr>Open</abbr> Close</a> " + A("Open"));
  // A link the author never closed covers the rest of the description.
  EXPECT_EQ(Linked(names, "<a href=x>Open Close"), "<a href=x>Open Close");
}

// Short names that occur in the link markup itself ("a", "href", "html") multiplied a page
// when every name was replaced in turn; now each occurrence in the description is one link.
TEST(AutoLink, whatIsInsertedIsNeverReadAgain) {
  const std::vector<std::string> names = {"a", "href", "html", "a"};
  EXPECT_EQ(Linked(names, "a href html"), A("a") + " " + A("href") + " " + A("html"));
}

TEST(AutoLink, aDescriptionMadeOfNamesOnly) {
  const std::vector<std::string> names = {"A", "AB", "B"};
  EXPECT_EQ(Linked(names, "AB"), A("AB"));
  EXPECT_EQ(Linked(names, "A B AB"), A("A") + " " + A("B") + " " + A("AB"));
  EXPECT_EQ(Linked(names, "A<br>\r\nB"), A("A") + "<br>\r\n" + A("B"));
  EXPECT_EQ(Linked(names, "ABA"), "ABA");
  EXPECT_EQ(Linked(names, ""), "");
}

TEST(AutoLink, namesComeFromPlainTopicsInStoreOrder) {
  auto project = testsupport::MakeProject({"Index", "Zeta", "G#", "Alpha", "License*"});
  project.AppendTopic(project::Topic{});  // an empty name never links
  EXPECT_EQ(AutoLinkNames(project), (std::vector<std::string>{"Index", "Zeta", "Alpha"}));
  const AutoLinker linker(project);
  EXPECT_EQ(linker.Apply("G License Alpha"), "G License " + A("Alpha"));
}

// Names and texts over a small alphabet rich in what the rule looks at: tag, comment, link and
// reference openings, quotes, elements without markup, identifier and other characters, names
// that share their start.
TEST(AutoLink, fastLinkerEqualsTheReferenceRuleOnGeneratedProjects) {
  std::mt19937 random(20240601);
  const std::vector<std::string> pieces = {
      "a",    "A",   "b",        "_",    "1",     " ",       ".",        "<",  ">",
      "/",    "<a ", "</a>",     "<b>",  "\r\n",  "\t",      "\xE9",     "ab", "Ab",
      "&",    "#",   "x",        ";",    "=",     "\"",      "'",        "!",  "-",
      "<!--", "-->", "<script>", "</sc", "ript>", "<Style ", "</style>", "<?", "</"};
  const auto randomText = [&](std::size_t maxPieces) {
    std::string text;
    const auto count = std::uniform_int_distribution<std::size_t>(0, maxPieces)(random);
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    return text;
  };
  int changed = 0;
  for (int round = 0; round < 5000; ++round) {
    std::vector<std::string> names;
    const auto count = std::uniform_int_distribution<int>(1, 6)(random);
    for (int i = 0; i < count; ++i) {
      if (!names.empty() && random() % 3 == 0) {
        names.push_back(names[random() % names.size()] + randomText(1));  // a longer one
      } else {
        names.push_back(randomText(2));
      }
    }
    std::string text = randomText(16);
    for (const auto& name : names) {
      if (random() % 2 == 0) text.insert(random() % (text.size() + 1), " " + name + " ");
    }
    const AutoLinker linker(names);
    const std::string expected = testsupport::ReferenceAutoLink(text, names);
    ASSERT_EQ(linker.Apply(text), expected) << "round " << round << ": " << text;
    if (expected != text) ++changed;
  }
  EXPECT_GT(changed, 1000);
}

}  // namespace
}  // namespace qs::output
