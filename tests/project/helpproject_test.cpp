#include "project/helpproject.h"

#include <gtest/gtest.h>

#include <random>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

// The name index against a plain scan of the store, after every kind of change, with names
// that repeat.
TEST(HelpProjectIndex, agreesWithAScanAfterRandomChanges) {
  std::mt19937 random(7);
  const std::vector<std::string> names = {"A", "B", "C", "Index", ""};
  HelpProject project;
  for (int step = 0; step < 2000; ++step) {
    const auto name = names[random() % names.size()];
    const auto size = project.TopicCount();
    switch (random() % 5) {
      case 0:
        project.AppendTopic(testsupport::MakeTopic(name));
        break;
      case 1:
        project.InsertTopic(size == 0 ? 0 : random() % (size + 1), testsupport::MakeTopic(name));
        break;
      case 2:
        if (size > 0) project.EraseTopic(random() % size);
        break;
      case 3:
        if (size > 0) {
          // A topic renamed: taken out and put back under its new name.
          const std::size_t pos = random() % size;
          Topic renamed = project.TopicAt(pos);
          renamed.name = name;
          project.EraseTopic(pos);
          project.InsertTopic(pos, std::move(renamed));
        }
        break;
      default:
        if (step % 50 == 0) project.SetTopics(std::vector<Topic>(project.topics()));
        break;
    }
    for (const auto& wanted : names) {
      std::vector<std::size_t> scanned;
      for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
        if (project.TopicAt(pos).name == wanted) scanned.push_back(pos);
      }
      std::vector<std::size_t> indexed;
      for (const auto pos : project.TopicPositions(wanted)) indexed.push_back(pos);
      ASSERT_EQ(indexed, scanned) << "name '" << wanted << "' at step " << step;
      ASSERT_EQ(project.CountTopics(wanted), scanned.size());
      ASSERT_EQ(project.FindTopic(wanted) == nullptr, scanned.empty());
    }
  }
}

TEST(HelpProjectRows, keepTheSelectionOnTheSameRowAcrossInsertsAndRemovals) {
  auto project = testsupport::MakeProject({"Index", "A", "B", "C"});
  project.SelectRow(2);
  project.InsertItem(1, {"X", TopicIcon::PageIcon});
  EXPECT_EQ(project.ItemText(project.selectedRow()), "B");
  // A name is found on the row that shows it now, the first of two rows showing it, and the
  // letter case counts as the rows store it.
  project.InsertItem(4, {"X", TopicIcon::PageIcon});
  EXPECT_EQ(project.RowOf("X"), 1);
  EXPECT_EQ(project.RowOf("C"), 5);
  EXPECT_EQ(project.RowOf("c"), -1);
  EXPECT_EQ(project.RowOf(""), -1);
  project.RemoveItem(4);
  project.RemoveItem(0);
  EXPECT_EQ(project.ItemText(project.selectedRow()), "B");
  project.RemoveItem(static_cast<std::size_t>(project.selectedRow()));
  EXPECT_EQ(project.selectedRow(), -1);
  project.SelectRow(99);
  EXPECT_EQ(project.selectedRow(), -1);
}

}  // namespace
}  // namespace qs::project
