#include "output/autolinker.h"

#include <gtest/gtest.h>

#include <random>

#include "support/projectfixture.h"

namespace qs::output {
namespace {

std::string Linked(std::vector<std::string> names, std::string_view text) {
  AutoLinker linker(names);
  const std::string fast = linker.Apply(text);
  EXPECT_EQ(fast, AutoLinkSequential(text, names)) << "text: " << text;
  return fast;
}

TEST(AutoLink, linksEveryOccurrenceWithoutWordBoundaries) {
  EXPECT_EQ(Linked({"Index", "Open"}, "Open, ReOpen. Index"),
            "<a href=\"Open.html\">Open</a>, Re<a href=\"Open.html\">Open</a>. "
            "<a href=\"Index.html\">Index</a>");
  EXPECT_EQ(Linked({"Open"}, "open OPEN"), "open OPEN");
  EXPECT_EQ(Linked({"aa"}, "aaa"), "<a href=\"aa.html\">aa</a>a");
}

TEST(AutoLink, longerNameFirstGetsTheShorterNameReplacedInsideItsLink) {
  EXPECT_EQ(Linked({"OpenFile", "Open"}, "OpenFile"),
            "<a href=\"<a href=\"Open.html\">Open</a>File.html\">"
            "<a href=\"Open.html\">Open</a>File</a>");
}

TEST(AutoLink, shorterNameFirstStopsTheLongerNameFromMatching) {
  EXPECT_EQ(Linked({"Open", "OpenFile"}, "OpenFile"), "<a href=\"Open.html\">Open</a>File");
}

TEST(AutoLink, laterNamesAlsoMatchTheLinkMarkupAndRepeatedNamesNestAgain) {
  // "html" occurs only in what the first pass inserted.
  EXPECT_EQ(Linked({"A", "html"}, "A"), "<a href=\"A.<a href=\"html.html\">html</a>\">A</a>");
  EXPECT_EQ(Linked({"X", "X"}, "X"),
            "<a href=\"<a href=\"X.html\">X</a>.html\"><a href=\"X.html\">X</a></a>");
}

TEST(AutoLink, namesComeFromPlainTopicsInStoreOrder) {
  auto project = testsupport::MakeProject({"Index", "Zeta", "G#", "Alpha", "License*"});
  project.AppendTopic(project::Topic{});  // an empty name never links
  EXPECT_EQ(AutoLinkNames(project), (std::vector<std::string>{"Index", "Zeta", "Alpha"}));
  AutoLinker linker(project);
  EXPECT_EQ(linker.Apply("G License Alpha"), "G License <a href=\"Alpha.html\">Alpha</a>");
}

// Names and texts over a small alphabet that shares letters with the link markup, so that
// overlaps, nesting, matches inside inserted links and across their edges are frequent.
TEST(AutoLink, fastLinkerEqualsThePassByPassRuleOnGeneratedProjects) {
  std::mt19937 random(20240601);
  const std::string alphabet = "aAhtml<>\"./ Ixdenf\r\n";
  const auto randomText = [&](std::size_t maxLength) {
    std::string text;
    const auto length = std::uniform_int_distribution<std::size_t>(0, maxLength)(random);
    for (std::size_t i = 0; i < length; ++i) {
      text.push_back(
          alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)]);
    }
    return text;
  };
  int changed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> names;
    const auto count = std::uniform_int_distribution<int>(1, 6)(random);
    for (int i = 0; i < count; ++i) {
      if (!names.empty() && random() % 6 == 0) {
        names.push_back(names[random() % names.size()]);  // a repeated name
      } else {
        names.push_back(randomText(4));
      }
    }
    std::string text = randomText(24);
    // Plant some names so that most rounds link something.
    for (const auto& name : names) {
      if (random() % 2 == 0) text.insert(random() % (text.size() + 1), name);
    }
    // Rare rounds blow up (each pass can multiply short names); they prove nothing more.
    std::string expected = text;
    for (const auto& name : names) {
      if (expected.size() > 20000) break;
      expected = AutoLinkSequential(expected, {name});
    }
    if (expected.size() > 20000) continue;
    AutoLinker linker(names);
    ASSERT_EQ(linker.Apply(text), expected) << "round " << round;
    // The same linker serves many pages: a second use must not be disturbed by the first.
    ASSERT_EQ(linker.Apply(text), expected) << "round " << round << ", reused";
    if (expected != text) ++changed;
  }
  EXPECT_GT(changed, 1500);
}

}  // namespace
}  // namespace qs::output
