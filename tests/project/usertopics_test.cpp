#include "project/usertopics.h"

#include <gtest/gtest.h>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;
using testsupport::RowTexts;
using testsupport::StoreNames;
using Rows = std::vector<std::string>;

TEST(AddUserTopic, refusesEveryExistingNameExactly) {
  auto p = MakeProject({"Index", "F1", "License*"});
  EXPECT_EQ(AddUserTopic(p, "License").duplicates, 1u);
  EXPECT_EQ(AddUserTopic(p, "F1").duplicates, 1u);
  EXPECT_FALSE(AddUserTopic(p, "F1").added);
  p.AppendTopic(testsupport::MakeTopic("F1"));
  EXPECT_EQ(AddUserTopic(p, "F1").duplicates, 2u) << "one message per namesake";
  EXPECT_TRUE(AddUserTopic(p, "index").added) << "names compare with letter case";
}

TEST(AddUserTopic, anEmptyNameAddsNothingAndSaysNothing) {
  auto p = MakeProject({"Index", "", "License*"});
  const auto outcome = AddUserTopic(p, "");
  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.duplicates, 0u);
  EXPECT_FALSE(p.modified);
}

TEST(AddUserTopic, goesAboveTheFirstUserTopicBelowTheSelection) {
  auto p = MakeProject({"Index", "F1", "F2", "U1*", "License*"});
  p.SelectRow(1);
  const auto outcome = AddUserTopic(p, "New");
  ASSERT_TRUE(outcome.added);
  EXPECT_EQ(outcome.row, 3);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "F2", "New", "U1", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "F2", "U1", "New", "License"}))
      << "stored just after the user topic it was placed above";
  EXPECT_EQ(p.shownTopic(), "New");
  EXPECT_EQ(p.selectedRow(), 3);
  EXPECT_TRUE(p.modified);
  const Topic* added = p.FindTopic("New");
  EXPECT_TRUE(added->isUserTopic);
  EXPECT_EQ(added->title, "New");
  EXPECT_EQ(added->body, "< Insert your text here >");
  EXPECT_EQ(added->icon, TopicIcon::PageIcon);
}

// Whether a row is a user topic, the first stored topic of its name says, with a few user
// topics or many, wherever they lie.
TEST(AddUserTopic, aRowIsAUserTopicWhenTheFirstTopicOfItsNameIs) {
  auto p = MakeProject({"Index", "F1", "Dup", "F2", "U1*"});
  p.AppendTopic(testsupport::MakeTopic("Dup*"));  // a later namesake, as a hand-made file has
  p.SelectRow(1);
  ASSERT_TRUE(AddUserTopic(p, "New").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "Dup", "F2", "New", "U1"}));

  std::vector<std::string> recipes = {"Index", "F1", "F2", "Mid*", "F3"};
  for (int i = 0; i < 20; ++i) recipes.push_back("U" + std::to_string(i) + "*");
  auto many = MakeProject(recipes);
  many.SelectRow(1);
  ASSERT_TRUE(AddUserTopic(many, "New").added);
  EXPECT_EQ(many.selectedRow(), 3);
  EXPECT_EQ(many.ItemText(4), "Mid");
  many.SelectRow(5);  // F3
  ASSERT_TRUE(AddUserTopic(many, "Newer").added);
  EXPECT_EQ(many.selectedRow(), 6);
  EXPECT_EQ(many.ItemText(7), "U0");
}

TEST(AddUserTopic, aSelectedUserTopicTakesTheNewOneAboveIt) {
  auto p = MakeProject({"Index", "F1", "U1*", "License*"});
  p.SelectRow(3);
  ASSERT_TRUE(AddUserTopic(p, "New").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "U1", "New", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "U1", "License", "New"}));
}

TEST(AddUserTopic, withNothingSelectedGoesAboveTheLastRow) {
  auto p = MakeProject({"Index", "F1", "License*"});
  ASSERT_TRUE(AddUserTopic(p, "New").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "New", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "License", "New"}));
}

TEST(AddUserTopic, withNoUserTopicBelowTheSelectionGoesToTheEnd) {
  auto p = MakeProject({"Index", "F1", "F2"});
  p.SelectRow(1);
  const auto outcome = AddUserTopic(p, "New");
  ASSERT_TRUE(outcome.added);
  EXPECT_EQ(outcome.row, 3);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "F2", "New"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "F2", "New"}));
}

TEST(AddUserIndex, withTheIndexSelectedGoesToRowOneAndGroupsWhatFollows) {
  auto p = MakeProject({"Index", "F1", "F2", "License*"});
  p.SelectRow(0);
  const auto outcome = AddUserIndex(p, "Group");
  ASSERT_TRUE(outcome.added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "Group", "F1", "F2", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "F2", "License", "Group"}));
  const Topic* added = p.FindTopic("Group");
  EXPECT_TRUE(added->isUserIndex);
  EXPECT_EQ(added->icon, TopicIcon::IndexIcon);
  EXPECT_EQ(p.Body(p.FindTopicPos("Group")), "F1\r\nF2")
      << "the placeholder is replaced by the functions list";
  EXPECT_EQ(p.selectedRow(), 1);
}

TEST(AddUserIndex, withTheLicenseSelectedLandsAboveTheUserBlock) {
  auto p = MakeProject({"Index", "F1", "F2", "License*"});
  p.SelectRow(3);
  ASSERT_TRUE(AddUserIndex(p, "Group").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "Group", "F2", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "F2", "Group", "License"}));
  EXPECT_EQ(p.Body(p.FindTopicPos("Group")), "F2");
}

TEST(AddUserIndex, withOnlyTheLicenseLeftListsNothing) {
  auto p = MakeProject({"Index", "License*"});
  p.SelectRow(0);
  ASSERT_TRUE(AddUserIndex(p, "Group").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "Group", "License"}));
  EXPECT_EQ(p.Body(p.FindTopicPos("Group")), "");
}

TEST(AddUserIndex, neverGoesAboveRowOne) {
  auto p = MakeProject({"Index", "U1*", "U2*"});
  p.SelectRow(2);
  ASSERT_TRUE(AddUserIndex(p, "Group").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "Group", "U1", "U2"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "U1", "Group", "U2"}));
}

TEST(AddUserIndex, withNothingSelectedGoesAboveTheLastRow) {
  auto p = MakeProject({"Index", "F1", "License*"});
  ASSERT_TRUE(AddUserIndex(p, "Group").added);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "F1", "Group", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "F1", "License", "Group"}));
  EXPECT_EQ(AddUserIndex(p, "Group").duplicates, 1u);
}

}  // namespace
}  // namespace qs::project
