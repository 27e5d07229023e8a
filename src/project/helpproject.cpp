#include "project/helpproject.h"

#include <algorithm>
#include <utility>

namespace qs::project {
namespace {
const std::vector<std::size_t> kNoPositions;
}

const Topic* HelpProject::FindTopic(std::string_view name) const {
  const auto pos = FindTopicPos(name);
  return pos == std::string::npos ? nullptr : &topics_[pos];
}

Topic* HelpProject::FindTopic(std::string_view name) {
  const auto pos = FindTopicPos(name);
  return pos == std::string::npos ? nullptr : &topics_[pos];
}

std::size_t HelpProject::FindTopicPos(std::string_view name) const {
  const auto& positions = TopicPositions(name);
  return positions.empty() ? std::string::npos : positions.front();
}

const std::vector<std::size_t>& HelpProject::TopicPositions(std::string_view name) const {
  const auto it = positions_.find(name);
  return it == positions_.end() ? kNoPositions : it->second;
}

const Topic* HelpProject::FindTopicIf(std::string_view name,
                                      const std::function<bool(const Topic&)>& accept) const {
  for (const auto pos : TopicPositions(name)) {
    if (accept(topics_[pos])) return &topics_[pos];
  }
  return nullptr;
}

void HelpProject::AppendTopic(Topic topic) {
  topics_.push_back(std::move(topic));
  IndexAppended(topics_.size() - 1);
}

void HelpProject::InsertTopic(std::size_t pos, Topic topic) {
  if (pos >= topics_.size()) {
    AppendTopic(std::move(topic));
    return;
  }
  // Shift the stored positions instead of rebuilding the index: no string is hashed again.
  for (auto& [name, positions] : positions_) {
    for (auto& p : positions) {
      if (p >= pos) ++p;
    }
  }
  auto& positions = positions_[topic.name];
  positions.insert(std::lower_bound(positions.begin(), positions.end(), pos), pos);
  topics_.insert(topics_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(topic));
}

void HelpProject::EraseTopic(std::size_t pos) {
  if (pos >= topics_.size()) return;
  const auto it = positions_.find(topics_[pos].name);
  if (it != positions_.end()) {
    std::erase(it->second, pos);
    if (it->second.empty()) positions_.erase(it);
  }
  for (auto& [name, positions] : positions_) {
    for (auto& p : positions) {
      if (p > pos) --p;
    }
  }
  topics_.erase(topics_.begin() + static_cast<std::ptrdiff_t>(pos));
}

void HelpProject::ClearTopics() {
  topics_.clear();
  positions_.clear();
}

void HelpProject::RenameTopic(std::size_t pos, std::string name) {
  if (pos >= topics_.size()) return;
  topics_[pos].name = std::move(name);
  Reindex();
}

void HelpProject::SetTopics(std::vector<Topic> topics) {
  topics_ = std::move(topics);
  Reindex();
}

void HelpProject::Reindex() {
  positions_.clear();
  positions_.reserve(topics_.size());
  for (std::size_t pos = 0; pos < topics_.size(); ++pos) IndexAppended(pos);
}

void HelpProject::IndexAppended(std::size_t pos) { positions_[topics_[pos].name].push_back(pos); }

std::string HelpProject::ItemText(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= items_.size()) return {};
  return items_[static_cast<std::size_t>(row)].text;
}

void HelpProject::AppendItem(ListItem item) {
  items_.push_back(std::move(item));
  ++itemsRevision_;
}

void HelpProject::InsertItem(std::size_t row, ListItem item) {
  if (row > items_.size()) row = items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
  if (selectedRow_ >= static_cast<int>(row)) ++selectedRow_;
  ++itemsRevision_;
}

void HelpProject::RemoveItem(std::size_t row) {
  if (row >= items_.size()) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(row));
  if (selectedRow_ == static_cast<int>(row)) {
    selectedRow_ = -1;
  } else if (selectedRow_ > static_cast<int>(row)) {
    --selectedRow_;
  }
  ++itemsRevision_;
}

void HelpProject::ClearItems() {
  items_.clear();
  selectedRow_ = -1;
  ++itemsRevision_;
}

void HelpProject::SelectRow(int row) {
  selectedRow_ = (row >= 0 && static_cast<std::size_t>(row) < items_.size()) ? row : -1;
}

void HelpProject::RefillItemsFromStore() {
  items_.clear();
  items_.reserve(topics_.size());
  for (const auto& topic : topics_) items_.push_back({topic.name, topic.icon});
  selectedRow_ = -1;
  ++itemsRevision_;
}

}  // namespace qs::project
