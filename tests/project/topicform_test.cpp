#include "project/topicform.h"

#include <gtest/gtest.h>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;

TEST(ShowTopic, showsNothingWithoutAKnownSelection) {
  auto p = MakeProject({"Index", "A"});
  EXPECT_FALSE(ShowTopic(p).has_value());
  p.SetShownTopic("missing");
  EXPECT_FALSE(ShowTopic(p).has_value());
}

TEST(ShowTopic, layoutFollowsTheKind) {
  auto p = MakeProject({"Index", "A", "G#", "U*"});
  p.FindTopic("A")->body = "text";
  p.SetShownTopic("A");
  auto shown = ShowTopic(p);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->form, (EditForm{"A", "A()", "text", ""}));
  EXPECT_EQ(shown->layout.summaryLabel, "Syntax");
  EXPECT_TRUE(shown->layout.summaryReadOnly);
  EXPECT_FALSE(shown->layout.bodyReadOnly);
  EXPECT_EQ(shown->layout.summaryTooltip, "Function syntax");

  p.SetShownTopic("U");
  shown = ShowTopic(p);
  EXPECT_EQ(shown->layout.summaryLabel, "Not used");
  EXPECT_EQ(shown->layout.bodyLabel, "User text");
  EXPECT_FALSE(shown->layout.summaryEnabled);
  EXPECT_FALSE(shown->layout.exampleEnabled);
  EXPECT_FALSE(shown->layout.summaryTooltip.has_value());

  for (const char* name : {"Index", "G"}) {
    p.SetShownTopic(name);
    shown = ShowTopic(p);
    EXPECT_EQ(shown->layout.bodyLabel, "Index");
    EXPECT_TRUE(shown->layout.bodyReadOnly);
    EXPECT_TRUE(shown->layout.summaryEnabled) << "enabled again after a user topic";
    EXPECT_TRUE(shown->layout.exampleEnabled);
    EXPECT_EQ(shown->layout.bodyTooltip, "Functions list");
  }
}

TEST(CommitTopicEdits, dropsBlanksAndLeavesModifiedAloneWhenNothingChanged) {
  auto p = MakeProject({"Index", "A"});
  p.SetShownTopic("A");
  CommitTopicEdits(p, {"  A ", "A() ", " ", ""});
  EXPECT_FALSE(p.modified);
  CommitTopicEdits(p, {" New title  ", "A()", "\tdesc", ""});
  EXPECT_TRUE(p.modified);
  EXPECT_EQ(p.FindTopic("A")->title, "New title");
  EXPECT_EQ(p.FindTopic("A")->body, "\tdesc");
}

TEST(CommitTopicEdits, takesParametersFromOneParenthesisPair) {
  auto p = MakeProject({"Index", "A", "U*"});
  p.SetShownTopic("A");
  auto commitSummary = [&](const std::string& summary) {
    CommitTopicEdits(p, {"A", summary, "", ""});
    return p.FindTopic("A")->parameters;
  };
  EXPECT_EQ(commitSummary("A(x, y) - more"), "(x, y)");
  EXPECT_EQ(commitSummary("A(x, (y))"), "(x, y)") << "two pairs leave the parameters";
  EXPECT_EQ(commitSummary("A)x("), "(x, y)") << "a ')' before the '(' leaves them";
  EXPECT_EQ(commitSummary("A(x"), "(x, y)");
  EXPECT_EQ(commitSummary("A()"), "()");
  EXPECT_EQ(p.FindTopic("A")->summary, "A()");

  p.SetShownTopic("U");
  CommitTopicEdits(p, {"U", "U(z)", "", ""});
  EXPECT_EQ(p.FindTopic("U")->parameters, "") << "only function pages take parameters";
}

TEST(CommitTopicEdits, doesNothingWithoutSelectedTopic) {
  auto p = MakeProject({"Index"});
  CommitTopicEdits(p, {"x", "y", "z", "w"});
  EXPECT_FALSE(p.modified);
  EXPECT_EQ(p.FindTopic("Index")->title, "Index");
}

// A page holds the author's text when a text the author writes differs from the library's own
// page; the texts the program makes (functions lists, the syntax line) and line ends never count.
TEST(HoldsAuthorText, countsOnlyWhatTheAuthorWrites) {
  struct Case {
    const char* name;
    bool userTopic;
    bool userIndex;
    std::string Topic::*field;
    const char* text;
    bool holds;
  };
  const Case cases[] = {
      {"Add", false, false, &Topic::body, "Adds two numbers.", true},
      {"Add", false, false, &Topic::title, "Add two", true},
      {"Add", false, false, &Topic::example, "a = Add(1, 2)", true},
      {"Add", false, false, &Topic::summary, "Add(a, b, c)", false},
      {"Add", false, false, &Topic::body, "fresh\nhelp", false},
      {"Index", false, false, &Topic::body, "Add\r\nSub", false},
      {"Index", false, false, &Topic::summary, "An overview.", true},
      {"Group", false, true, &Topic::body, "Add", false},
      {"Group", false, true, &Topic::summary, "A group.", true},
      {"Notes", true, false, &Topic::body, "My notes.", true},
  };
  for (const Case& c : cases) {
    Topic fresh;
    fresh.name = c.name;
    fresh.isUserTopic = c.userTopic;
    fresh.isUserIndex = c.userIndex;
    fresh.body = "fresh\r\nhelp";
    Topic page = fresh;
    page.*c.field = c.text;
    EXPECT_EQ(HoldsAuthorText(page, fresh), c.holds) << c.name << ": " << c.text;
    EXPECT_FALSE(HoldsAuthorText(fresh, fresh)) << c.name;
  }
}

}  // namespace
}  // namespace qs::project
