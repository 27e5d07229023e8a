#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "project/topic.h"

namespace qs::project {

// Lets the name index be searched with a string_view without making a string first.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};

// The store positions of the topics that share one name, in store order.
class PositionRange {
 public:
  class Iterator {
   public:
    using value_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    Iterator() = default;
    Iterator(const std::vector<std::size_t>* next, std::size_t pos) : next_(next), pos_(pos) {}
    std::size_t operator*() const { return pos_; }
    Iterator& operator++() {
      pos_ = (*next_)[pos_];
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.pos_ == b.pos_; }

   private:
    const std::vector<std::size_t>* next_ = nullptr;
    std::size_t pos_ = std::string_view::npos;
  };

  PositionRange(const std::vector<std::size_t>* next, std::size_t first)
      : next_(next), first_(first) {}
  Iterator begin() const { return {next_, first_}; }
  Iterator end() const { return {next_, std::string_view::npos}; }
  bool empty() const { return first_ == std::string_view::npos; }
  std::size_t front() const { return first_; }
  std::size_t size() const;

 private:
  const std::vector<std::size_t>* next_;
  std::size_t first_;
};

// Functions lists by store position.
using IndexLists = std::vector<std::pair<std::size_t, std::string>>;

// One row of the topic list: the display order of the pages.
struct ListItem {
  std::string text;
  TopicIcon icon = TopicIcon::PageIcon;

  friend bool operator==(const ListItem&, const ListItem&) = default;
};

// Where `row` is after the row `from` moved to `to`: the moved row goes to `to`, the rows it
// passed shift by one towards `from`, the others stay.
constexpr int RowAfterMove(int row, int from, int to) {
  if (row == from) return to;
  if (from < to && row > from && row <= to) return row - 1;
  if (to < from && row >= to && row < from) return row + 1;
  return row;
}

// Told about every change of the rows, just before and just after it, so that a view over the
// rows follows them one change at a time instead of refilling itself. Replacing or clearing
// all rows is one reset.
class RowObserver {
 public:
  virtual ~RowObserver() = default;
  virtual void RowInserting(std::size_t row) = 0;
  virtual void RowInserted(std::size_t row) = 0;
  virtual void RowRemoving(std::size_t row) = 0;
  virtual void RowRemoved(std::size_t row) = 0;
  // The row `from` becomes the row `to`; the rows between shift by one.
  virtual void RowMoving(std::size_t from, std::size_t to) = 0;
  virtual void RowMoved(std::size_t from, std::size_t to) = 0;
  // The row's text or icon changed.
  virtual void RowChanged(std::size_t row) = 0;
  virtual void RowsResetting() = 0;
  virtual void RowsReset() = 0;
};

// The help project in memory: three paths, the topics in store order, the rows of the topic
// list, whose order is the display order (project file, index links, contents), and what the
// list selects and the edit form shows.
//
// Topics are looked up by name through an index, so that "the first stored topic with that
// name" never scans the store: a hash map gives the first position of each name, and a chain
// through the store links each topic to the next one of the same name. A change that moves
// store positions shifts the numbers in one linear pass without hashing a name again.
class HelpProject {
 public:
  std::string projectFile;
  std::string libraryFile;
  std::string helpFolder;
  bool modified = false;

  // ---- store order ----
  const std::vector<Topic>& topics() const { return topics_; }
  std::size_t TopicCount() const { return topics_.size(); }
  const Topic& TopicAt(std::size_t pos) const { return topics_[pos]; }
  // The texts and flags of a topic may be changed through this; its name may not (the name
  // index would not follow).
  Topic& TopicAt(std::size_t pos) { return topics_[pos]; }

  // The first stored topic with this name, or null.
  const Topic* FindTopic(std::string_view name) const;
  Topic* FindTopic(std::string_view name);
  // Store position of the first topic with this name, or npos.
  std::size_t FindTopicPos(std::string_view name) const;
  // Store positions of every topic with this name, in store order.
  PositionRange TopicPositions(std::string_view name) const;
  std::size_t CountTopics(std::string_view name) const { return TopicPositions(name).size(); }

  void AppendTopic(Topic topic);
  void InsertTopic(std::size_t pos, Topic topic);
  void EraseTopic(std::size_t pos);
  void ClearTopics();
  // Replaces the whole store at once (batch edits such as a library merge).
  void SetTopics(std::vector<Topic> topics);
  // Exchanges the store and the rows with the given ones, without copying a topic (taking a
  // batch edit back, or doing it again); no row is selected afterwards.
  void SwapContents(std::vector<Topic>& topics, std::vector<ListItem>& items);

  // ---- display order: the rows of the topic list ----
  const std::vector<ListItem>& items() const { return items_; }
  std::size_t ItemCount() const { return items_.size(); }
  // Text of a row, or empty text when there is no such row.
  std::string ItemText(int row) const;
  // The first row showing this name; -1 for none.
  int RowOf(std::string_view name) const;
  void InsertItem(std::size_t row, ListItem item);
  void RemoveItem(std::size_t row);
  // Moves the row `from` to `to` (both rows of the list); the selection stays on the rows it
  // selected.
  void MoveItem(std::size_t from, std::size_t to);
  void SetItemIcon(std::size_t row, TopicIcon icon);
  void ClearItems();
  // Refills the rows from the store: one per topic, in store order, with its icon; no row
  // selected.
  void RefillItemsFromStore();
  // Replaces every row at once; no row selected.
  void SetItems(std::vector<ListItem> items);
  // Changes with every change of the rows, so that a view can tell when to refill; no two
  // projects share a revision.
  std::size_t itemsRevision() const { return itemsRevision_; }
  // The one view that follows the rows (null: none). A copy of the project has none.
  void SetRowObserver(RowObserver* observer) { observer_.observer = observer; }

  // ---- the functions lists ----
  // The body every reader takes (the form, the project file, the pages): for the Index page
  // and the user index entries their functions list, which is the list kept in its place or
  // else the one the rows give, computed when first asked for after the rows or the store
  // changed; for any other topic its own body.
  const std::string& Body(std::size_t pos) const;
  // The same for a topic of this project's store; any other topic gives its own body.
  const std::string& Body(const Topic& topic) const;
  // The lists the rows give, by store position in ascending order.
  const IndexLists& ComputedLists() const;

  // A list kept in place of the computed one, until the lists are next remade. A topic comes
  // into the store with its list kept (a project file's, or the caller's); an entry also keeps
  // the list it showed when a user topic added inside its group cuts the group short.
  void KeepList(std::size_t pos, std::string list);
  // The list at `pos` follows the rows again.
  void ReleaseList(std::size_t pos);
  // Every kept list, by store position; for taking a change back.
  IndexLists KeptLists() const;
  void RestoreKeptLists(const IndexLists& kept);
  // The lists are remade, as a move, an added user index entry, a deletion or an extraction
  // does: every list the rows give follows them from now on. Costs nothing when none is kept.
  void RemakeLists();

  // Takes over everything `other` holds (a project loaded or extracted aside, adopted only
  // once it succeeded). The rows count as changed even when `other` counted fewer changes.
  void ReplaceWith(HelpProject other);

  // ---- the selection: the list's selected row and the topic the edit form shows ----
  // The selected row: -1 for none, otherwise always a row of the list. Every change of the
  // rows keeps it on the row it selected, or clears it when that row goes or all rows are
  // replaced, so it never names a row that the list does not show selected.
  int selectedRow() const { return selectedRow_; }
  // The topic the edit form shows, and the one it commits into; empty for none. Normally the
  // selected row's topic; while the pages are previewed in its place, selecting a row only
  // moves the preview and this stays the topic shown when the preview began.
  const std::string& shownTopic() const { return shownTopic_; }
  // Selects a row (-1, or a row that does not exist: none); the shown topic stays.
  void SelectRow(int row);
  // Selects a row and shows its topic (none for -1 or a row that does not exist).
  void ShowRow(int row);
  // Shows the topic of this name, whichever row is selected.
  void SetShownTopic(std::string name) { shownTopic_ = std::move(name); }

 private:
  // The lists the rows give, made afresh (in functionslists.cpp).
  IndexLists MakeIndexLists() const;
  void Reindex();
  void IndexAppended(std::size_t pos);
  void Unlink(std::size_t pos);
  void ShiftPositions(std::size_t from, bool up);
  void ClearIndex();
  // The first position of the name, made `pos` when the name is new (then `added`).
  struct FirstEntry {
    std::size_t& first;
    bool added;
  };
  FirstEntry FirstOf(const std::string& name, std::size_t pos);

  std::vector<Topic> topics_;
  // First store position of each name, and for each position the next one of the same name.
  // The first positions lie in a vector of their own, at the slot the name maps to: renumbering
  // them after an insertion or an erasure walks that vector rather than the map's nodes.
  std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> slotOf_;
  std::vector<std::size_t> firsts_;
  std::vector<std::size_t> freeSlots_;
  std::vector<std::size_t> next_;
  // Not copied with the project: a copy is not what the view shows.
  struct ObserverSlot {
    RowObserver* observer = nullptr;
    ObserverSlot() = default;
    ObserverSlot(const ObserverSlot&) {}
    ObserverSlot& operator=(const ObserverSlot&) { return *this; }
  };

  void StoreChanged();

  std::vector<ListItem> items_;
  ObserverSlot observer_;
  int selectedRow_ = -1;
  std::string shownTopic_;
  std::size_t itemsRevision_ = 0;
  // Changes with every topic added, removed or renamed: the lists follow the names and flags.
  std::size_t storeRevision_ = 0;
  std::size_t keptLists_ = 0;
  // The lists the rows gave at the two revisions; copied with the project, which is then
  // still what they were made from.
  struct ListsCache {
    bool made = false;
    std::size_t itemsRevision = 0;
    std::size_t storeRevision = 0;
    IndexLists lists;
  };
  mutable ListsCache lists_;
};

}  // namespace qs::project
