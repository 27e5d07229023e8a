#include "project/history.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "support/projectfixture.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;
using testsupport::MakeTopic;

// Everything a structural change may touch.
struct State {
  std::vector<Topic> topics;
  std::vector<ListItem> items;
  int selected;
  std::string shown;
  std::string library;

  explicit State(const HelpProject& p)
      : topics(p.topics()),
        items(p.items()),
        selected(p.selectedRow()),
        shown(p.shownTopic()),
        library(p.libraryFile) {}
  friend bool operator==(const State&, const State&) = default;
  friend std::ostream& operator<<(std::ostream& out, const State& s) {
    for (const ListItem& item : s.items) out << item.text << ' ';
    return out << "| selected " << s.selected << " shown " << s.shown;
  }
};

TEST(UndoHistory, everyStructuralChangeComesBackExactlyAndIsDoneAgainExactly) {
  // The Index page's list is deliberately not the one the rows give, as a loaded file or a
  // deletion may leave it: taking a move back must restore the very text.
  auto p = MakeProject({"Index", "A", "B", "C", "G#", "D", "U1*", "U2*"});
  p.KeepList(0, "as the file held it");
  p.libraryFile = "/lib/Old";
  UndoHistory history;
  // The project just before and just after each change.
  std::vector<std::pair<State, State>> steps;
  auto step = [&](int row, const std::function<std::unique_ptr<Change>()>& change) {
    p.ShowRow(row);
    State before(p);
    auto made = change();
    ASSERT_NE(made, nullptr);
    history.Record(std::move(made));
    steps.emplace_back(before, State(p));
  };

  AddOutcome added;
  step(3, [&] { return MoveUp(p); });
  step(2, [&] { return MoveDown(p); });
  step(3, [&] { return Add(p, AddUserIndex, "H", added); });
  step(6, [&] { return Add(p, AddUserTopic, "U0", added); });
  step(2, [&] { return DeleteSelected(p); });
  step(7, [&] { return DeleteSelected(p); });
  step(1, [&] {
    Snapshot before(p);
    p.SetTopics({MakeTopic("Index"), MakeTopic("X")});
    p.RefillItemsFromStore();
    p.ShowRow(0);
    p.libraryFile = "/lib/New";
    return std::move(before).Finish("library change");
  });
  EXPECT_EQ(history.NextUndo()->what(), "library change");

  for (std::size_t i = steps.size(); i-- > 0;) {
    p.modified = false;
    ASSERT_NE(history.Undo(p), nullptr);
    EXPECT_EQ(State(p), steps[i].first) << "undo of change " << i;
    EXPECT_TRUE(p.modified);
  }
  EXPECT_EQ(history.Undo(p), nullptr);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    ASSERT_NE(history.Redo(p), nullptr);
    EXPECT_EQ(State(p), steps[i].second) << "redo of change " << i;
  }
  EXPECT_EQ(history.Redo(p), nullptr);

  // A new change after an undo ends what could be redone.
  history.Undo(p);
  step(2, [&] { return MoveDown(p); });
  EXPECT_EQ(history.NextRedo(), nullptr);
}

TEST(UndoHistory, textsTypedBetweenAnUndoAndARedoAreKept) {
  auto p = MakeProject({"Index", "A", "B"});
  UndoHistory history;
  AddOutcome added;
  p.ShowRow(1);
  history.Record(Add(p, AddUserTopic, "Notes", added));
  p.FindTopic("Notes")->body = "typed into the new page";
  history.Undo(p);
  history.Redo(p);
  EXPECT_EQ(p.FindTopic("Notes")->body, "typed into the new page");

  p.ShowRow(2);
  history.Record(DeleteSelected(p));
  history.Undo(p);
  p.FindTopic("B")->body = "typed after the undo";
  history.Redo(p);
  history.Undo(p);
  EXPECT_EQ(p.FindTopic("B")->body, "typed after the undo");
  history.Undo(p);
  history.Redo(p);
  history.Record(MoveDown(p));
  EXPECT_LT(history.Bytes(), std::size_t{4096}) << "the estimate follows the texts held";
}

TEST(UndoHistory, nothingIsRecordedWhenNothingChanged) {
  auto p = MakeProject({"Index", "A"});
  p.ShowRow(1);
  EXPECT_EQ(MoveUp(p), nullptr);
  p.ShowRow(0);
  EXPECT_EQ(MoveDown(p), nullptr);
  AddOutcome outcome;
  EXPECT_EQ(Add(p, AddUserTopic, "A", outcome), nullptr);
  EXPECT_EQ(outcome.duplicates, 1u);
  p.ShowRow(-1);
  EXPECT_EQ(DeleteSelected(p), nullptr);
}

TEST(UndoHistory, isBoundedByEntriesAndByBytesDroppingTheOldest) {
  std::vector<std::string> names{"Index"};
  for (int i = 0; i < 50; ++i) names.push_back("F" + std::to_string(i));
  auto p = MakeProject(names);
  UndoHistory history;
  p.ShowRow(2);
  for (std::size_t i = 0; i < UndoHistory::kMaxEntries + 100; ++i) {
    history.Record(i % 2 == 0 ? MoveDown(p) : MoveUp(p));
  }
  EXPECT_EQ(history.Entries(), UndoHistory::kMaxEntries);

  // Snapshots of a project of about 20 MiB: only the newest few fit in the byte bound, and
  // the newest is kept even when it alone were larger.
  p.FindTopic("F1")->body.assign(20 << 20, 'x');
  for (int i = 0; i < 5; ++i) history.Record(Snapshot(p).Finish("extraction"));
  EXPECT_LE(history.Bytes(), UndoHistory::kMaxBytes);
  EXPECT_EQ(history.Entries(), 3u);
  int undone = 0;
  while (history.Undo(p) != nullptr) ++undone;
  EXPECT_EQ(undone, 3);
  history.Clear();
  EXPECT_EQ(history.Bytes(), 0u);
}

}  // namespace
}  // namespace qs::project
