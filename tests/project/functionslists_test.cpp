// Every reader of a functions list (the form, the project file, Body) gets the list the rows
// give, or the text the rules keep in its place, after every kind of change.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "project/history.h"
#include "project/projectfile.h"
#include "project/topicform.h"
#include "project/topicops.h"
#include "project/usertopics.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"

namespace qs::project {
namespace {

using testsupport::MakeProject;

constexpr const char* kFileList = "as the file held it";

// What the three readers give for the topic of this name; they must agree.
std::string ListRead(HelpProject& p, const std::string& name, testsupport::TempFolder& folder) {
  const std::size_t pos = p.FindTopicPos(name);
  const std::string body = p.Body(pos);

  const std::string shownBefore = p.shownTopic();
  p.SetShownTopic(name);
  const auto shown = ShowTopic(p);
  p.SetShownTopic(shownBefore);
  EXPECT_TRUE(shown.has_value());
  if (shown) {
    EXPECT_EQ(shown->form.body, body) << "the form shows " << name;
  }

  // The project file holds the same text: read back, it is what the file gave.
  text::Reports reports;
  const std::string file = folder.Path("read.qsp");
  const bool modified = p.modified;
  EXPECT_TRUE(SaveProject(p, file, reports));
  p.modified = modified;
  HelpProject saved;
  EXPECT_TRUE(LoadProject(saved, file, {}, reports));
  EXPECT_EQ(saved.Body(saved.FindTopicPos(name)), body) << "the file holds " << name;
  return body;
}

struct Expected {
  std::string index;
  std::string group;
};

// A project as read from a file whose Index page lists other than the rows give (a hand-made
// or older file): rows Index A B G# C D, G grouping C and D.
HelpProject Loaded(testsupport::TempFolder& folder) {
  auto made = MakeProject({"Index", "A", "B", "G#", "C", "D"});
  made.RemakeLists();
  made.KeepList(0, kFileList);
  text::Reports reports;
  EXPECT_TRUE(SaveProject(made, folder.Path("base.qsp"), reports));
  HelpProject p;
  EXPECT_TRUE(LoadProject(p, folder.Path("base.qsp"), {}, reports));
  return p;
}

TEST(FunctionsLists, aReaderNeverSeesAStaleList) {
  const std::string rows = "A\r\nB\r\nC\r\nD";
  struct Case {
    const char* what;
    std::function<void(HelpProject&, UndoHistory&)> change;
    Expected expected;
  };
  const auto select = [](HelpProject& p, int row) { p.ShowRow(row); };
  AddOutcome added;
  const Case cases[] = {
      {"loaded", [](HelpProject&, UndoHistory&) {}, {kFileList, "C\r\nD"}},
      {"move up, out of the group",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 4);
         h.Record(MoveUp(p));
       },
       {"A\r\nB\r\nC\r\nD", "D"}},
      {"move down, into the group",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 2);
         h.Record(MoveDown(p));
       },
       {rows, "B\r\nC\r\nD"}},
      {"user topic added at the end",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 1);
         h.Record(Add(p, AddUserTopic, "Notes", added));
       },
       {kFileList, "C\r\nD"}},
      // After a move every list follows the rows; a user topic landing above D then cuts G's
      // group short, and G keeps the list it showed.
      {"user topic added inside the group keeps the group's list",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 2);
         h.Record(MoveUp(p));
         select(p, -1);  // lands above the last row, D
         h.Record(Add(p, AddUserTopic, "Notes", added));
         EXPECT_EQ(p.ItemText(6), "D");
       },
       {"B\r\nA\r\nC\r\nD", "C\r\nD"}},
      {"its undo and redo",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 2);
         h.Record(MoveUp(p));
         select(p, -1);
         h.Record(Add(p, AddUserTopic, "Notes", added));
         h.Undo(p);
         EXPECT_EQ(p.Body(p.FindTopicPos("G")), "C\r\nD");
         EXPECT_EQ(p.ItemCount(), 6u);
         h.Redo(p);
       },
       {"B\r\nA\r\nC\r\nD", "C\r\nD"}},
      {"then a move remakes the group without D",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 2);
         h.Record(MoveUp(p));
         select(p, -1);
         h.Record(Add(p, AddUserTopic, "Notes", added));
         select(p, 1);
         h.Record(MoveDown(p));
       },
       {rows, "C"}},
      {"user index entry added",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 0);
         h.Record(Add(p, AddUserIndex, "H", added));
       },
       {rows, "C\r\nD"}},
      {"its undo",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 0);
         h.Record(Add(p, AddUserIndex, "H", added));
         h.Undo(p);
       },
       {kFileList, "C\r\nD"}},
      {"delete",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 5);
         h.Record(DeleteSelected(p));
       },
       {"A\r\nB\r\nC", "C"}},
      {"delete taken back",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 5);
         h.Record(DeleteSelected(p));
         h.Undo(p);
       },
       {kFileList, "C\r\nD"}},
      {"move taken back and done again",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 2);
         h.Record(MoveDown(p));
         h.Undo(p);
         EXPECT_EQ(p.Body(0), kFileList);
         h.Redo(p);
       },
       {rows, "B\r\nC\r\nD"}},
      {"a stale form committed",
       [&](HelpProject& p, UndoHistory& h) {
         select(p, 0);
         const auto shown = ShowTopic(p);
         select(p, 4);
         h.Record(MoveUp(p));
         p.SetShownTopic("Index");
         CommitTopicEdits(p, shown->form);
       },
       {"A\r\nB\r\nC\r\nD", "D"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempFolder folder;
    HelpProject p = Loaded(folder);
    UndoHistory history;
    c.change(p, history);
    EXPECT_EQ(ListRead(p, "Index", folder), c.expected.index);
    EXPECT_EQ(ListRead(p, "G", folder), c.expected.group);
  }
}

TEST(FunctionsLists, aUserTopicNamedIndexKeepsItsOwnText) {
  // Only a hand-made file holds one: its text is the author's, never a functions list.
  auto p = MakeProject({"Index", "A", "B", "Index*"});
  p.TopicAt(3).body = "the author's words";
  p.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(p));
  EXPECT_EQ(p.Body(0), "B\r\nA\r\nIndex") << "its row reads as the Index page's";
  EXPECT_EQ(p.Body(3), "the author's words");
}

TEST(FunctionsLists, aCopyReadsTheListsOfItsRows) {
  // The recovery copy and a reload's kept copy are copies: they must not read lists made
  // for other rows.
  auto p = MakeProject({"Index", "A", "B"});
  p.RemakeLists();
  EXPECT_EQ(p.Body(0), "A\r\nB");
  HelpProject copy = p;
  copy.SelectRow(2);
  ASSERT_TRUE(MoveTopicUp(copy));
  EXPECT_EQ(copy.Body(0), "B\r\nA");
  EXPECT_EQ(p.Body(0), "A\r\nB");
  p = copy;
  EXPECT_EQ(p.Body(0), "B\r\nA");
}

}  // namespace
}  // namespace qs::project
