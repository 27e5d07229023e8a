#include "project/helpproject.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <utility>

namespace qs::project {
namespace {
constexpr std::size_t kNone = std::string_view::npos;

bool KeepsList(const Topic& topic) {
  return topic.listKept && topic.ShowsFunctionsList();
}

// Revisions are unique across all projects, so that a view can tell rows that were replaced
// wholesale (a project assigned over the one it shows) from the rows it last saw.
std::size_t NextRevision() {
  static std::atomic<std::size_t> last{0};
  return ++last;
}
}  // namespace

std::size_t PositionRange::size() const {
  std::size_t count = 0;
  for (auto it = begin(); it != end(); ++it) ++count;
  return count;
}

const Topic* HelpProject::FindTopic(std::string_view name) const {
  const auto pos = FindTopicPos(name);
  return pos == kNone ? nullptr : &topics_[pos];
}

Topic* HelpProject::FindTopic(std::string_view name) {
  const auto pos = FindTopicPos(name);
  return pos == kNone ? nullptr : &topics_[pos];
}

std::size_t HelpProject::FindTopicPos(std::string_view name) const {
  const auto it = slotOf_.find(name);
  return it == slotOf_.end() ? kNone : firsts_[it->second];
}

PositionRange HelpProject::TopicPositions(std::string_view name) const {
  return {&next_, FindTopicPos(name)};
}

void HelpProject::AppendTopic(Topic topic) {
  if (KeepsList(topic)) ++keptLists_;
  StoreChanged();
  topics_.push_back(std::move(topic));
  next_.push_back(kNone);
  IndexAppended(topics_.size() - 1);
}

void HelpProject::InsertTopic(std::size_t pos, Topic topic) {
  if (pos >= topics_.size()) {
    AppendTopic(std::move(topic));
    return;
  }
  if (KeepsList(topic)) ++keptLists_;
  StoreChanged();
  ShiftPositions(pos, true);
  topics_.insert(topics_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(topic));
  next_.insert(next_.begin() + static_cast<std::ptrdiff_t>(pos), kNone);
  // Splice the new position into its name's chain, which runs in store order.
  auto [first, added] = FirstOf(topics_[pos].name, pos);
  if (added) return;
  if (first > pos) {
    next_[pos] = first;
    first = pos;
    return;
  }
  std::size_t prev = first;
  while (next_[prev] != kNone && next_[prev] < pos) prev = next_[prev];
  next_[pos] = next_[prev];
  next_[prev] = pos;
}

void HelpProject::EraseTopic(std::size_t pos) {
  if (pos >= topics_.size()) return;
  if (KeepsList(topics_[pos])) --keptLists_;
  StoreChanged();
  Unlink(pos);
  topics_.erase(topics_.begin() + static_cast<std::ptrdiff_t>(pos));
  next_.erase(next_.begin() + static_cast<std::ptrdiff_t>(pos));
  ShiftPositions(pos, false);
}

void HelpProject::ClearTopics() {
  keptLists_ = 0;
  StoreChanged();
  topics_.clear();
  next_.clear();
  ClearIndex();
}

void HelpProject::SetTopics(std::vector<Topic> topics) {
  topics_ = std::move(topics);
  Reindex();
}

void HelpProject::SwapContents(std::vector<Topic>& topics, std::vector<ListItem>& items) {
  if (observer_.observer) observer_.observer->RowsResetting();
  // The store that comes in brings the lists it kept.
  topics_.swap(topics);
  Reindex();
  items_.swap(items);
  selectedRow_ = -1;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowsReset();
}

void HelpProject::Reindex() {
  StoreChanged();
  keptLists_ = static_cast<std::size_t>(
      std::count_if(topics_.begin(), topics_.end(), [](const Topic& t) { return KeepsList(t); }));
  ClearIndex();
  slotOf_.reserve(topics_.size());
  firsts_.reserve(topics_.size());
  next_.assign(topics_.size(), kNone);
  // Walking backwards leaves each name's first position in the index and chains the rest.
  for (std::size_t pos = topics_.size(); pos-- > 0;) {
    auto [first, added] = FirstOf(topics_[pos].name, pos);
    if (!added) {
      next_[pos] = first;
      first = pos;
    }
  }
}

void HelpProject::IndexAppended(std::size_t pos) {
  auto [first, added] = FirstOf(topics_[pos].name, pos);
  if (added) return;
  std::size_t last = first;
  while (next_[last] != kNone) last = next_[last];
  next_[last] = pos;
}

void HelpProject::Unlink(std::size_t pos) {
  const auto it = slotOf_.find(topics_[pos].name);
  if (it == slotOf_.end()) return;
  std::size_t& first = firsts_[it->second];
  if (first == pos) {
    if (next_[pos] == kNone) {
      first = kNone;
      freeSlots_.push_back(it->second);
      slotOf_.erase(it);
    } else {
      first = next_[pos];
    }
    return;
  }
  std::size_t prev = first;
  while (next_[prev] != kNone && next_[prev] != pos) prev = next_[prev];
  if (next_[prev] == pos) next_[prev] = next_[pos];
}

void HelpProject::ClearIndex() {
  slotOf_.clear();
  firsts_.clear();
  freeSlots_.clear();
}

HelpProject::FirstEntry HelpProject::FirstOf(const std::string& name, std::size_t pos) {
  if (const auto it = slotOf_.find(name); it != slotOf_.end()) {
    return {firsts_[it->second], false};
  }
  std::size_t slot = firsts_.size();
  if (freeSlots_.empty()) {
    firsts_.push_back(pos);
  } else {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
    firsts_[slot] = pos;
  }
  slotOf_.emplace(name, slot);
  return {firsts_[slot], true};
}

// Renumbers every stored position at or after `from` (up: +1 for an insertion there; down: -1
// after an erasure there).
void HelpProject::ShiftPositions(std::size_t from, bool up) {
  auto shift = [from, up](std::size_t& p) {
    if (p == kNone) return;
    if (up && p >= from) {
      ++p;
    } else if (!up && p > from) {
      --p;
    }
  };
  for (auto& first : firsts_) shift(first);
  for (auto& next : next_) shift(next);
}

std::string HelpProject::ItemText(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= items_.size()) return {};
  return items_[static_cast<std::size_t>(row)].text;
}

int HelpProject::RowOf(std::string_view name) const {
  const auto row = std::find_if(items_.begin(), items_.end(),
                                [name](const ListItem& item) { return item.text == name; });
  return row == items_.end() ? -1 : static_cast<int>(row - items_.begin());
}

void HelpProject::InsertItem(std::size_t row, ListItem item) {
  if (row > items_.size()) row = items_.size();
  if (observer_.observer) observer_.observer->RowInserting(row);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
  if (selectedRow_ >= static_cast<int>(row)) ++selectedRow_;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowInserted(row);
}

void HelpProject::RemoveItem(std::size_t row) {
  if (row >= items_.size()) return;
  if (observer_.observer) observer_.observer->RowRemoving(row);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(row));
  if (selectedRow_ == static_cast<int>(row)) {
    selectedRow_ = -1;
  } else if (selectedRow_ > static_cast<int>(row)) {
    --selectedRow_;
  }
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowRemoved(row);
}

void HelpProject::MoveItem(std::size_t from, std::size_t to) {
  if (from >= items_.size() || to >= items_.size() || from == to) return;
  if (observer_.observer) observer_.observer->RowMoving(from, to);
  const auto first = items_.begin();
  const auto f = static_cast<std::ptrdiff_t>(from);
  const auto t = static_cast<std::ptrdiff_t>(to);
  if (from < to) {
    std::rotate(first + f, first + f + 1, first + t + 1);
  } else {
    std::rotate(first + t, first + f, first + f + 1);
  }
  selectedRow_ = RowAfterMove(selectedRow_, static_cast<int>(from), static_cast<int>(to));
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowMoved(from, to);
}

void HelpProject::SetItemIcon(std::size_t row, TopicIcon icon) {
  if (row >= items_.size() || items_[row].icon == icon) return;
  items_[row].icon = icon;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowChanged(row);
}

void HelpProject::ClearItems() {
  if (observer_.observer) observer_.observer->RowsResetting();
  items_.clear();
  selectedRow_ = -1;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowsReset();
}

void HelpProject::SelectRow(int row) {
  selectedRow_ = (row >= 0 && static_cast<std::size_t>(row) < items_.size()) ? row : -1;
}

void HelpProject::ShowRow(int row) {
  SelectRow(row);
  shownTopic_ = ItemText(selectedRow_);
}

void HelpProject::RefillItemsFromStore() {
  if (observer_.observer) observer_.observer->RowsResetting();
  items_.clear();
  items_.reserve(topics_.size());
  for (const auto& topic : topics_) items_.push_back({topic.name, topic.icon});
  selectedRow_ = -1;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowsReset();
}

void HelpProject::SetItems(std::vector<ListItem> items) {
  if (observer_.observer) observer_.observer->RowsResetting();
  items_ = std::move(items);
  selectedRow_ = -1;
  itemsRevision_ = NextRevision();
  if (observer_.observer) observer_.observer->RowsReset();
}

void HelpProject::ReplaceWith(HelpProject other) {
  // The view that follows these rows stays with them; it sees all of them replaced.
  RowObserver* observer = observer_.observer;
  if (observer) observer->RowsResetting();
  *this = std::move(other);
  observer_.observer = observer;
  const bool listsMade = lists_.made && lists_.itemsRevision == itemsRevision_;
  itemsRevision_ = NextRevision();
  // The lists came with the rows they were made from.
  if (listsMade) lists_.itemsRevision = itemsRevision_;
  if (observer) observer->RowsReset();
}

// ---------------------------------------------------------------- the functions lists

void HelpProject::StoreChanged() {
  storeRevision_ = NextRevision();
}

const IndexLists& HelpProject::ComputedLists() const {
  if (lists_.made && lists_.itemsRevision == itemsRevision_ &&
      lists_.storeRevision == storeRevision_) {
    return lists_.lists;
  }
  IndexLists lists = MakeIndexLists();
  // In position order, each position once with its last list, for a binary search.
  std::stable_sort(lists.begin(), lists.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  IndexLists unique;
  unique.reserve(lists.size());
  for (auto& entry : lists) {
    if (!unique.empty() && unique.back().first == entry.first) {
      unique.back().second = std::move(entry.second);
    } else {
      unique.push_back(std::move(entry));
    }
  }
  lists_ = {true, itemsRevision_, storeRevision_, std::move(unique)};
  return lists_.lists;
}

namespace {

const std::string* ListAt(const IndexLists& lists, std::size_t pos) {
  const auto it =
      std::lower_bound(lists.begin(), lists.end(), pos,
                       [](const auto& entry, std::size_t p) { return entry.first < p; });
  return it != lists.end() && it->first == pos ? &it->second : nullptr;
}

}  // namespace

const std::string& HelpProject::Body(std::size_t pos) const {
  const Topic& topic = topics_[pos];
  if (topic.listKept || !topic.ShowsFunctionsList()) return topic.body;
  const std::string* list = ListAt(ComputedLists(), pos);
  return list != nullptr ? *list : topic.body;
}

const std::string& HelpProject::Body(const Topic& topic) const {
  const std::less<const Topic*> before;
  if (topics_.empty() || before(&topic, topics_.data()) ||
      !before(&topic, topics_.data() + topics_.size())) {
    return topic.body;
  }
  return Body(static_cast<std::size_t>(&topic - topics_.data()));
}

void HelpProject::KeepList(std::size_t pos, std::string list) {
  Topic& topic = topics_[pos];
  if (!KeepsList(topic) && topic.ShowsFunctionsList()) ++keptLists_;
  topic.listKept = true;
  topic.body = std::move(list);
}

void HelpProject::ReleaseList(std::size_t pos) {
  Topic& topic = topics_[pos];
  if (!KeepsList(topic)) return;
  --keptLists_;
  topic.listKept = false;
  std::string().swap(topic.body);
}

IndexLists HelpProject::KeptLists() const {
  IndexLists kept;
  if (keptLists_ == 0) return kept;
  for (std::size_t pos = 0; pos < topics_.size(); ++pos) {
    if (KeepsList(topics_[pos])) kept.emplace_back(pos, topics_[pos].body);
  }
  return kept;
}

void HelpProject::RestoreKeptLists(const IndexLists& kept) {
  for (const auto& [pos, list] : kept) KeepList(pos, list);
}

void HelpProject::RemakeLists() {
  if (keptLists_ == 0) return;
  // Only the lists the rows give: an entry no row opens a group with keeps its text, as
  // nothing would ever overwrite it.
  for (const auto& [pos, list] : ComputedLists()) ReleaseList(pos);
}

}  // namespace qs::project
