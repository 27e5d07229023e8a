#include "project/topicops.h"

#include <gtest/gtest.h>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;
using testsupport::RowTexts;
using testsupport::StoreNames;
using Rows = std::vector<std::string>;

// The functions list (or body) every reader gets for the first stored topic of this name.
std::string ListOf(const HelpProject& p, std::string_view name) {
  return p.Body(p.FindTopicPos(name));
}

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
  // The functions list follows the rows.
  EXPECT_EQ(ListOf(p, "Index"), "A\r\nB\r\nC");
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

// What a menu offers before the move is what the move then does, on every row of a project
// with every kind of row, the edges and "no row" included.
TEST(Moves, areOfferedExactlyWhenTheyWouldMove) {
  const auto p = MakeProject({"Index", "A", "G#", "B", "U1*", "U2*", "U3*"});
  for (int row = -1; row <= static_cast<int>(p.ItemCount()); ++row) {
    for (const bool up : {true, false}) {
      HelpProject probe = p;
      probe.SelectRow(row);
      const bool offered = up ? CanMoveTopicUp(probe) : CanMoveTopicDown(probe);
      EXPECT_EQ(offered, up ? MoveTopicUp(probe) : MoveTopicDown(probe))
          << "row " << row << (up ? " up" : " down");
    }
  }
}

TEST(Moves, keepTheIconOfTheTopic) {
  auto p = MakeProject({"Index", "A", "G#"});
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));
  EXPECT_EQ(p.items()[1].icon, TopicIcon::IndexIcon);
  EXPECT_EQ(p.items()[2].icon, TopicIcon::PageIcon);
}

TEST(FunctionsLists, groupsFollowTheDisplayOrder) {
  auto p = MakeProject({"Index", "P", "Q", "G#", "R", "H#", "U*", "S"});
  p.RemakeLists();
  EXPECT_EQ(ListOf(p, "Index"), "P\r\nQ\r\nR\r\nS");
  EXPECT_EQ(ListOf(p, "G"), "R");
  EXPECT_EQ(ListOf(p, "H"), "") << "a user topic right after an entry leaves it empty";
  EXPECT_EQ(ListOf(p, "U"), "") << "user topics are never members";
}

TEST(FunctionsLists, aUserTopicClosesTheGroupAndEntriesCloseEachOther) {
  auto p = MakeProject({"Index", "G#", "A", "H#", "B", "C", "U*", "D", "I#"});
  p.RemakeLists();
  EXPECT_EQ(ListOf(p, "G"), "A");
  EXPECT_EQ(ListOf(p, "H"), "B\r\nC");
  EXPECT_EQ(ListOf(p, "I"), "") << "an entry at the end lists nothing";
  EXPECT_EQ(ListOf(p, "Index"), "A\r\nB\r\nC\r\nD");
}

TEST(FunctionsLists, skipsRowsWithoutTopicAndFlaggedNamesakes) {
  auto p = MakeProject({"Index", "A*", "A", "G#", "B"});
  p.InsertItem(4, {"Ghost", TopicIcon::PageIcon});
  p.RemakeLists();
  // Row "A" is first found as a user topic; the plain namesake stored after it counts for the
  // index, while the group walk takes the first stored topic of the name.
  EXPECT_EQ(ListOf(p, "Index"), "A\r\nA\r\nB");
  EXPECT_EQ(ListOf(p, "G"), "B");
}

TEST(FunctionsLists, anEntryNamedIndexKeepsItsGroup) {
  // A project file can hold a user index entry named "Index" beside the Index page.
  auto p = MakeProject({"Index#", "Index", "A"});
  p.RemakeLists();
  EXPECT_EQ(p.Body(0), "A") << "the group list is the last word";
  EXPECT_EQ(p.Body(1), "Index\r\nA");
}

TEST(FunctionsLists, handlesEmptyNames) {
  auto p = MakeProject({"Index", "G#", "", "B"});
  p.RemakeLists();
  EXPECT_EQ(ListOf(p, "G"), "\r\nB");
  EXPECT_EQ(ListOf(p, "Index"), "\r\nB");
}

TEST(Delete, remakesTheListsInTheOrderOfTheRowsLeft) {
  auto p = MakeProject({"Index", "A", "B", "G#", "C", "D", "License*"});
  p.RemakeLists();
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));  // rows: Index B A G C D License
  p.SelectRow(5);
  p.SetShownTopic("D");
  p.modified = false;
  ASSERT_TRUE(DeleteSelectedTopic(p));
  EXPECT_EQ(RowTexts(p), (Rows{"Index", "B", "A", "G", "C", "License"}));
  EXPECT_EQ(StoreNames(p), (Rows{"Index", "A", "B", "G", "C", "License"}));
  // The order the Index page links in, not the store's; the group no longer names D.
  EXPECT_EQ(ListOf(p, "Index"), "B\r\nA\r\nC");
  EXPECT_EQ(ListOf(p, "G"), "C");
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
  EXPECT_FALSE(p.FindTopic("A")->isUserIndex);
  EXPECT_FALSE(UserTopicFlag(p, "missing"));
}

TEST(Delete, writesTheFunctionsListIntoTheIndexPageFoundByNameOnly) {
  // A hand-made file whose first record is a function page, then one without any Index page.
  auto p = MakeProject({"A", "Index", "B", "C"});
  p.FindTopic("A")->body = "The author's description";
  p.SelectRow(3);
  p.SetShownTopic("C");
  ASSERT_TRUE(DeleteSelectedTopic(p));
  EXPECT_EQ(ListOf(p, "A"), "The author's description");
  // The list the Index page links: the rows after the first, as every refresh makes it.
  EXPECT_EQ(ListOf(p, "Index"), "Index\r\nB");

  auto noIndex = MakeProject({"A", "B"});
  noIndex.FindTopic("A")->body = "kept";
  noIndex.SelectRow(1);
  noIndex.SetShownTopic("B");
  ASSERT_TRUE(DeleteSelectedTopic(noIndex));
  EXPECT_EQ(noIndex.FindTopic("A")->body, "kept");
}

}  // namespace
}  // namespace qs::project
