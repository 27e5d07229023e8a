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

}  // namespace
}  // namespace qs::project
