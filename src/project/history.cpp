#include "project/history.h"

#include <utility>

#include "project/topicops.h"

namespace qs::project {
namespace {

constexpr std::size_t kNone = std::string::npos;

std::size_t TextBytes(const std::string& text) {
  return sizeof(std::string) + (text.capacity() > 15 ? text.capacity() : 0);
}

std::size_t TopicBytes(const Topic& t) {
  return sizeof(Topic) + TextBytes(t.name) + TextBytes(t.parameters) + TextBytes(t.title) +
         TextBytes(t.summary) + TextBytes(t.body) + TextBytes(t.example) - 6 * sizeof(std::string);
}

std::size_t ListsBytes(const IndexLists& lists) {
  std::size_t bytes = 0;
  for (const auto& [pos, body] : lists) bytes += sizeof(pos) + TextBytes(body);
  return bytes;
}

// The list and the form's topic, as the user saw them.
struct Selection {
  int row = -1;
  std::string shown;

  static Selection Of(const HelpProject& project) {
    return {project.selectedRow(), project.shownTopic()};
  }
  void Restore(HelpProject& project) const {
    project.SelectRow(row);
    project.SetShownTopic(shown);
  }
};

// A move, an added user index entry and a deletion remake the functions lists: the lists
// kept until then (a project file's own, not what the rows give) are all they cannot make
// again, and come back with the undo. Mostly none is kept, and nothing is copied.

class MoveChange : public Change {
 public:
  MoveChange(int from, int to, ListItem before, ListItem after, IndexLists kept)
      : Change("move '" + after.text + "'"),
        from_(from),
        to_(to),
        before_(std::move(before)),
        after_(std::move(after)),
        kept_(std::move(kept)) {}

  void Undo(HelpProject& project) override {
    project.MoveItem(static_cast<std::size_t>(to_), static_cast<std::size_t>(from_));
    project.SetItemIcon(static_cast<std::size_t>(from_), before_.icon);
    project.ShowRow(from_);
    project.RestoreKeptLists(kept_);
  }
  void Redo(HelpProject& project) override {
    project.MoveItem(static_cast<std::size_t>(from_), static_cast<std::size_t>(to_));
    project.SetItemIcon(static_cast<std::size_t>(to_), after_.icon);
    project.ShowRow(to_);
    project.RemakeLists();
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + TextBytes(before_.text) + TextBytes(after_.text) + ListsBytes(kept_);
  }

 private:
  int from_, to_;
  ListItem before_, after_;
  IndexLists kept_;
};

std::unique_ptr<Change> Move(HelpProject& project, bool (*move)(HelpProject&)) {
  const int from = project.selectedRow();
  if (from < 0) return nullptr;
  ListItem before = project.items()[static_cast<std::size_t>(from)];
  IndexLists kept = project.KeptLists();
  if (!move(project)) return nullptr;
  const int to = project.selectedRow();
  return std::make_unique<MoveChange>(
      from, to, std::move(before), project.items()[static_cast<std::size_t>(to)], std::move(kept));
}

class DeleteChange : public Change {
 public:
  DeleteChange(Selection selection, std::optional<ListItem> item, std::size_t pos,
               std::optional<Topic> topic, IndexLists kept)
      : Change("delete '" + selection.shown + "'"),
        selection_(std::move(selection)),
        item_(std::move(item)),
        pos_(pos),
        topic_(std::move(topic)),
        kept_(std::move(kept)) {}

  void Undo(HelpProject& project) override {
    if (topic_) project.InsertTopic(pos_, *topic_);
    if (item_) project.InsertItem(static_cast<std::size_t>(selection_.row), *item_);
    project.RestoreKeptLists(kept_);
    selection_.Restore(project);
  }
  void Redo(HelpProject& project) override {
    // The texts as they are now, edited perhaps since the undo, are what comes back next time.
    if (topic_) topic_ = project.TopicAt(pos_);
    selection_.Restore(project);
    DeleteSelectedTopic(project);
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + TextBytes(selection_.shown) + (item_ ? TextBytes(item_->text) : 0) +
           (topic_ ? TopicBytes(*topic_) : 0) + ListsBytes(kept_);
  }

 private:
  Selection selection_;
  std::optional<ListItem> item_;
  std::size_t pos_;
  std::optional<Topic> topic_;
  IndexLists kept_;
};

class AddChange : public Change {
 public:
  AddChange(Selection selection, int row, ListItem item, std::size_t pos, Topic topic,
            IndexLists keptBefore, IndexLists keptByAdding)
      : Change("add '" + item.text + "'"),
        selection_(std::move(selection)),
        row_(row),
        item_(std::move(item)),
        pos_(pos),
        topic_(std::move(topic)),
        keptBefore_(std::move(keptBefore)),
        keptByAdding_(std::move(keptByAdding)) {}

  void Undo(HelpProject& project) override {
    // What was typed into the new page since comes back with the redo.
    topic_ = project.TopicAt(pos_);
    for (const auto& [pos, list] : keptByAdding_) project.ReleaseList(pos);
    project.RemoveItem(static_cast<std::size_t>(row_));
    project.EraseTopic(pos_);
    project.RestoreKeptLists(keptBefore_);
    selection_.Restore(project);
  }
  void Redo(HelpProject& project) override {
    project.InsertTopic(pos_, topic_);
    project.InsertItem(static_cast<std::size_t>(row_), item_);
    project.ShowRow(row_);
    if (topic_.isUserIndex) project.RemakeLists();
    project.RestoreKeptLists(keptByAdding_);
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + TextBytes(selection_.shown) + TextBytes(item_.text) +
           TopicBytes(topic_) + ListsBytes(keptBefore_) + ListsBytes(keptByAdding_);
  }

 private:
  Selection selection_;
  int row_;
  ListItem item_;
  std::size_t pos_;
  Topic topic_;
  // The lists kept before an addition that remakes them (a user index entry).
  IndexLists keptBefore_;
  // The lists an added user topic kept as they read before it (store positions after it).
  IndexLists keptByAdding_;
};

}  // namespace

std::unique_ptr<Change> MoveUp(HelpProject& project) {
  return Move(project, MoveTopicUp);
}

std::unique_ptr<Change> MoveDown(HelpProject& project) {
  return Move(project, MoveTopicDown);
}

std::unique_ptr<Change> DeleteSelected(HelpProject& project) {
  Selection selection = Selection::Of(project);
  std::optional<ListItem> item;
  if (selection.row >= 0) item = project.items()[static_cast<std::size_t>(selection.row)];
  const std::size_t pos = project.FindTopicPos(selection.shown);
  std::optional<Topic> topic;
  if (pos != kNone) topic = project.TopicAt(pos);
  // The deleted topic brings its own kept list back; the others are remade by the deletion.
  IndexLists kept = project.KeptLists();
  std::erase_if(kept, [pos](const auto& entry) { return entry.first == pos; });
  if (!DeleteSelectedTopic(project)) return nullptr;
  return std::make_unique<DeleteChange>(std::move(selection), std::move(item), pos,
                                        std::move(topic), std::move(kept));
}

std::unique_ptr<Change> Add(HelpProject& project, AddOperation add, const std::string& name,
                            AddOutcome& outcome) {
  Selection selection = Selection::Of(project);
  IndexLists keptBefore;
  if (add == AddUserIndex) keptBefore = project.KeptLists();
  outcome = add(project, name);
  if (!outcome.added) return nullptr;
  IndexLists keptByAdding;
  for (const std::size_t at : outcome.keptLists) keptByAdding.emplace_back(at, project.Body(at));
  const std::size_t pos = project.FindTopicPos(name);
  return std::make_unique<AddChange>(
      std::move(selection), outcome.row, project.items()[static_cast<std::size_t>(outcome.row)],
      pos, project.TopicAt(pos), std::move(keptBefore), std::move(keptByAdding));
}

// Exchanges the project's store, rows, library file and selection with the ones it holds:
// undoing and redoing are the same exchange.
class SwapChange : public Change {
 public:
  SwapChange(Snapshot snapshot, std::string what)
      : Change(std::move(what)), held_(std::move(snapshot)) {
    bytes_ = sizeof(*this);
    for (const Topic& topic : held_.topics_) bytes_ += TopicBytes(topic);
    for (const ListItem& item : held_.items_) bytes_ += sizeof(ListItem) + TextBytes(item.text);
  }

  void Undo(HelpProject& project) override { Swap(project); }
  void Redo(HelpProject& project) override { Swap(project); }
  std::size_t Bytes() const override { return bytes_; }

 private:
  void Swap(HelpProject& project) {
    const Selection current = Selection::Of(project);
    project.SwapContents(held_.topics_, held_.items_);
    std::swap(project.libraryFile, held_.libraryFile_);
    Selection{held_.selectedRow_, held_.shownTopic_}.Restore(project);
    held_.selectedRow_ = current.row;
    held_.shownTopic_ = current.shown;
  }

  Snapshot held_;
  // Fixed when made: an exchange holds the other state, of much the same size.
  std::size_t bytes_ = 0;
};

Snapshot::Snapshot(const HelpProject& project)
    : topics_(project.topics()),
      items_(project.items()),
      libraryFile_(project.libraryFile),
      selectedRow_(project.selectedRow()),
      shownTopic_(project.shownTopic()) {}

std::unique_ptr<Change> Snapshot::Finish(std::string what) && {
  return std::make_unique<SwapChange>(std::move(*this), std::move(what));
}

void UndoHistory::Record(std::unique_ptr<Change> change) {
  if (!change) return;
  for (const auto& undone : undone_) bytes_ -= undone->Bytes();
  undone_.clear();
  bytes_ += change->Bytes();
  done_.push_back(std::move(change));
  while (done_.size() > 1 && (Entries() > kMaxEntries || bytes_ > kMaxBytes)) DropOldest();
}

void UndoHistory::DropOldest() {
  bytes_ -= done_.front()->Bytes();
  done_.pop_front();
}

namespace {

// Takes the newest change of `from`, undoes or redoes it and puts it on `to`. A change may
// hold other texts afterwards: `bytes` follows.
template <typename From, typename To>
const Change* Step(From& from, To& to, HelpProject& project, bool undo, std::size_t& bytes) {
  if (from.empty()) return nullptr;
  std::unique_ptr<Change> change = std::move(from.back());
  from.pop_back();
  bytes -= change->Bytes();
  if (undo) {
    change->Undo(project);
  } else {
    change->Redo(project);
  }
  bytes += change->Bytes();
  project.modified = true;
  to.push_back(std::move(change));
  return to.back().get();
}

}  // namespace

const Change* UndoHistory::Undo(HelpProject& project) {
  return Step(done_, undone_, project, true, bytes_);
}

const Change* UndoHistory::Redo(HelpProject& project) {
  return Step(undone_, done_, project, false, bytes_);
}

void UndoHistory::Clear() {
  done_.clear();
  undone_.clear();
  bytes_ = 0;
}

}  // namespace qs::project
