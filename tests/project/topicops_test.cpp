#include "project/topicops.h"

#include <gtest/gtest.h>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;
using testsupport::RowTexts;
using testsupport::StoreNames;
using Rows = std::vector<std::string>;

TEST(Moves, stopAtTheListEdges) {
  auto p = MakeProject({"Index", "A", "B", "License*"});
  p.SelectRow(-1);
  EXPECT_FALSE(MoveTopicUp(p));
  EXPECT_FALSE(MoveTopicDown(p));
  p.SelectRow(1);
  EXPECT_FALSE(MoveTopicUp(p)) << "row 1 may not pass the Index page";
  p.SelectRow(0);
  EXPECT_FALSE(MoveTopicDown(p)) << "the Index page never moves";
  p.SelectRow(3);
  EXPECT_FALSE(MoveTopicDown(p)) << "the last row cannot move down";
  EXPECT_FALSE(p.modified);
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "A", "B", "License"}));
}

TEST(Moves, changeOnlyTheDisplayOrderAndSelectTheMovedRow) {
  auto p = MakeProject({"Index", "A", "B", "C"});
  p.SelectRow(3);
  ASSERT_TRUE(MoveTopicUp(p));
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "A", "C", "B"}));
  EXPECT_EQ(p.selectedRow(), 2);
  EXPECT_TRUE(p.modified);
  ASSERT_TRUE(MoveTopicDown(p));
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "A", "B", "C"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "A", "B", "C"}));
  // The functions list follows once it is shown or written.
  EXPECT_TRUE(p.indexListsPending());
  ProduceIndexLists(p);
  EXPECT_EQ(p.FindTopic("Index")->body, "A\r\nB\r\nC");
}

TEST(Moves, keepUserTopicsTogetherAtTheEnd) {
  auto p = MakeProject({"Index", "A", "U1*", "U2*"});
  p.SelectRow(2);
  EXPECT_FALSE(MoveTopicUp(p)) << "a user topic cannot pass a function page";
  p.SelectRow(1);
  EXPECT_FALSE(MoveTopicDown(p)) << "a function page cannot enter the user block";
  p.SelectRow(3);
  EXPECT_TRUE(MoveTopicUp(p)) << "user topics reorder among themselves";
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "A", "U2", "U1"}));
  EXPECT_TRUE(MoveTopicDown(p));
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "A", "U1", "U2"}));
}

TEST(Moves, keepTheIconOfTheTopic) {
  auto p = MakeProject({"Index", "A", "G#"});
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));
  EXPECT_EQ(p.items()[1].icon, TopicIcon::IndexIcon);
  EXPECT_EQ(p.items()[2].icon, TopicIcon::PageIcon);
}

TEST(RefreshIndexLists, groupsFollowTheDisplayOrder) {
  auto p = MakeProject({"Index", "P", "Q", "G#", "R", "H#", "U*", "S"});
  RefreshIndexLists(p);
  EXPECT_EQ(p.FindTopic("Index")->body, "P\r\nQ\r\nR\r\nS");
  EXPECT_EQ(p.FindTopic("G")->body, "R");
  EXPECT_EQ(p.FindTopic("H")->body, "") << "a user topic right after an entry leaves it empty";
  EXPECT_EQ(p.FindTopic("U")->body, "") << "user topics are never members";
}

TEST(RefreshIndexLists, aUserTopicClosesTheGroupAndEntriesCloseEachOther) {
  auto p = MakeProject({"Index", "G#", "A", "H#", "B", "C", "U*", "D", "I#"});
  RefreshIndexLists(p);
  EXPECT_EQ(p.FindTopic("G")->body, "A");
  EXPECT_EQ(p.FindTopic("H")->body, "B\r\nC");
  EXPECT_EQ(p.FindTopic("I")->body, "") << "an entry at the end lists nothing";
  EXPECT_EQ(p.FindTopic("Index")->body, "A\r\nB\r\nC\r\nD");
}

TEST(RefreshIndexLists, skipsRowsWithoutTopicAndFlaggedNamesakes) {
  auto p = MakeProject({"Index", "A*", "A", "G#", "B"});
  p.InsertItem(4, {"Ghost", TopicIcon::PageIcon});
  RefreshIndexLists(p);
  // Row "A" is first found as a user topic; the plain namesake stored after it counts for the
  // index, while the group walk takes the first stored topic of the name.
  EXPECT_EQ(p.FindTopic("Index")->body, "A\r\nA\r\nB");
  EXPECT_EQ(p.FindTopic("G")->body, "B");
}

TEST(RefreshIndexLists, anEntryNamedIndexKeepsItsGroup) {
  // A project file can hold a user index entry named "Index" beside the Index page.
  auto p = MakeProject({"Index#", "Index", "A"});
  RefreshIndexLists(p);
  EXPECT_EQ(p.TopicAt(0).body, "A") << "the group list is the last word";
  EXPECT_EQ(p.TopicAt(1).body, "Index\r\nA");
}

TEST(RefreshIndexLists, handlesEmptyNames) {
  auto p = MakeProject({"Index", "G#", "", "B"});
  RefreshIndexLists(p);
  EXPECT_EQ(p.FindTopic("G")->body, "\r\nB");
  EXPECT_EQ(p.FindTopic("Index")->body, "\r\nB");
}

TEST(Delete, remakesTheListsInTheOrderOfTheRowsLeft) {
  auto p = MakeProject({"Index", "A", "B", "G#", "C", "D", "License*"});
  RefreshIndexLists(p);
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));  // rows: Index B A G C D License
  p.SelectRow(5);
  p.SetShownTopic("D");
  p.modified = false;
  ASSERT_TRUE(DeleteSelectedTopic(p));
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "B", "A", "G", "C", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "A", "B", "G", "C", "License"}));
  // The order the Index page links in, not the store's; the group no longer names D.
  EXPECT_EQ(p.FindTopic("Index")->body, "B\r\nA\r\nC");
  EXPECT_EQ(p.FindTopic("G")->body, "C");
  EXPECT_EQ(p.shownTopic(), "Index");
  EXPECT_EQ(p.selectedRow(), 0);
  EXPECT_TRUE(p.modified);
}

TEST(Delete, doesNothingWithoutASelectedTopic) {
  auto p = MakeProject({"Index", "A"});
  p.SelectRow(1);
  EXPECT_FALSE(DeleteSelectedTopic(p));
  EXPECT_EQ(p.ItemCount(), 2u);
}

TEST(Delete, removesOnlyTheFirstStoredNamesake) {
  auto p = MakeProject({"Index", "A", "A*"});
  p.SelectRow(1);
  p.SetShownTopic("A");
  ASSERT_TRUE(DeleteSelectedTopic(p));
  ASSERT_EQ(p.TopicCount(), 2u);
  EXPECT_TRUE(p.FindTopic("A")->isUserTopic);
  EXPECT_TRUE(UserTopicFlag(p, "A"));
  EXPECT_FALSE(UserIndexFlag(p, "A"));
  EXPECT_FALSE(UserTopicFlag(p, "missing"));
}

TEST(Delete, writesTheFunctionsListIntoTheIndexPageFoundByNameOnly) {
  // A hand-made file whose first record is a function page, then one without any Index page.
  auto p = MakeProject({"A", "Index", "B", "C"});
  p.FindTopic("A")->body = "The author's description";
  p.SelectRow(3);
  p.SetShownTopic("C");
  ASSERT_TRUE(DeleteSelectedTopic(p));
  EXPECT_EQ(p.FindTopic("A")->body, "The author's description");
  // The list the Index page links: the rows after the first, as every refresh makes it.
  EXPECT_EQ(p.FindTopic("Index")->body, "Index\r\nB");

  auto noIndex = MakeProject({"A", "B"});
  noIndex.FindTopic("A")->body = "kept";
  noIndex.SelectRow(1);
  noIndex.SetShownTopic("B");
  ASSERT_TRUE(DeleteSelectedTopic(noIndex));
  EXPECT_EQ(noIndex.FindTopic("A")->body, "kept");
}

}  // namespace
}  // namespace qs::project
