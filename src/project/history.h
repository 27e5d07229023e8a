#pragma once

// The structural changes of a project that can be taken back and done again: moving, adding
// and deleting a row, and the batch edits of a library extraction. Texts typed into the form
// are not among them; the editors keep their own undo.
//
// Moves, additions and deletions remember only what they touched (a row, a topic, and the
// functions lists that were kept in place of the computed ones and that they remade or kept);
// a batch edit remembers the whole store and the rows as they were. Each change takes itself back,
// or does itself again, exactly, provided the project is as the change left it or found it; the
// history guarantees that by undoing in order.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "project/helpproject.h"
#include "project/usertopics.h"

namespace qs::project {

class Change {
 public:
  virtual ~Change() = default;
  virtual void Undo(HelpProject& project) = 0;
  virtual void Redo(HelpProject& project) = 0;
  // An estimate of the memory the change holds, for the history's bound.
  virtual std::size_t Bytes() const = 0;
  // What the change did, for the status line and the menu ("delete 'Foo'").
  const std::string& what() const { return what_; }

 protected:
  explicit Change(std::string what) : what_(std::move(what)) {}

 private:
  std::string what_;
};

// Each of these runs the operation on the project and returns the change it made; null when
// the operation changed nothing.
std::unique_ptr<Change> MoveUp(HelpProject& project);
std::unique_ptr<Change> MoveDown(HelpProject& project);
std::unique_ptr<Change> DeleteSelected(HelpProject& project);
using AddOperation = AddOutcome (*)(HelpProject&, const std::string&);
std::unique_ptr<Change> Add(HelpProject& project, AddOperation add, const std::string& name,
                            AddOutcome& outcome);

// The store, the rows, the library file and the selection, taken before a batch edit; once
// the edit is done, Finish turns it into the change that takes the edit back.
class Snapshot {
 public:
  explicit Snapshot(const HelpProject& project);
  std::unique_ptr<Change> Finish(std::string what) &&;

 private:
  friend class SwapChange;
  std::vector<Topic> topics_;
  std::vector<ListItem> items_;
  std::string libraryFile_;
  int selectedRow_;
  std::string shownTopic_;
};

// The changes made, oldest first, and those taken back, ready to be done again. The history
// is bounded: at most kMaxEntries changes and kMaxBytes of estimated memory together; the
// oldest changes are dropped first, and the newest is always kept.
class UndoHistory {
 public:
  static constexpr std::size_t kMaxEntries = 1000;
  static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;  // 64 MiB

  // A new change; the changes taken back can no longer be done again.
  void Record(std::unique_ptr<Change> change);
  // Takes the newest change back (or does the last one taken back again) and marks the
  // project modified; null when there is none.
  const Change* Undo(HelpProject& project);
  const Change* Redo(HelpProject& project);
  const Change* NextUndo() const { return done_.empty() ? nullptr : done_.back().get(); }
  const Change* NextRedo() const { return undone_.empty() ? nullptr : undone_.back().get(); }
  void Clear();

  std::size_t Entries() const { return done_.size() + undone_.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  void DropOldest();

  std::deque<std::unique_ptr<Change>> done_;
  std::vector<std::unique_ptr<Change>> undone_;
  std::size_t bytes_ = 0;
};

}  // namespace qs::project
