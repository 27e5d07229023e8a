#include "project/usertopics.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "project/topicops.h"

namespace qs::project {
namespace {

// Which names are user topics, for a walk over many rows: user topics are few, and a small
// set of their names answers faster than looking each row up among 20,000 topics.
class UserTopicNames {
 public:
  explicit UserTopicNames(const HelpProject& project) {
    const auto& topics = project.topics();
    for (std::size_t pos = 0; pos < topics.size(); ++pos) {
      // What a name is, the first stored topic of that name says.
      if (topics[pos].isUserTopic && project.FindTopicPos(topics[pos].name) == pos) {
        names_.insert(topics[pos].name);
      }
    }
  }

  bool Contains(std::string_view name) const { return names_.contains(name); }

 private:
  std::unordered_set<std::string_view> names_;
};

Topic NewTopic(const std::string& name, bool userIndex) {
  Topic topic;
  topic.name = name;
  topic.title = name;
  topic.body = kUserTopicPlaceholder;
  topic.isUserTopic = !userIndex;
  topic.isUserIndex = userIndex;
  topic.icon = userIndex ? TopicIcon::IndexIcon : TopicIcon::PageIcon;
  return topic;
}

// The row used when nothing is selected: just above the last stored topic's row.
int RowWithoutSelection(const HelpProject& project) {
  const int row = static_cast<int>(project.TopicCount()) - 1;
  return std::clamp(row, 0, static_cast<int>(project.ItemCount()));
}

// Store position just after the first stored topic named `name`; the end when there is none.
std::size_t StoreAfter(const HelpProject& project, const std::string& name) {
  const auto pos = project.FindTopicPos(name);
  return pos == std::string::npos ? project.TopicCount() : pos + 1;
}

AddOutcome Refuse(const HelpProject& project, const std::string& name) {
  AddOutcome outcome;
  if (!name.empty()) outcome.duplicates = project.CountTopics(name);
  return outcome;
}

void Finish(HelpProject& project, int row, AddOutcome& outcome) {
  project.ShowRow(row);
  project.modified = true;
  outcome.added = true;
  outcome.row = row;
}

}  // namespace

AddOutcome AddUserTopic(HelpProject& project, const std::string& name) {
  AddOutcome outcome = Refuse(project, name);
  if (name.empty() || outcome.duplicates > 0) return outcome;
  // Pending lists are made from the rows without the new topic.
  ProduceIndexLists(project);

  const int selected = project.selectedRow();
  const int count = static_cast<int>(project.ItemCount());
  int row = RowWithoutSelection(project);
  std::size_t storePos = project.TopicCount();
  if (selected >= 0) {
    row = selected;
    const UserTopicNames userTopics(project);
    const auto& items = project.items();
    while (row < count && !userTopics.Contains(items[static_cast<std::size_t>(row)].text)) ++row;
    if (row < count) storePos = StoreAfter(project, project.ItemText(row));
  }
  project.InsertItem(static_cast<std::size_t>(row), {name, TopicIcon::PageIcon});
  project.InsertTopic(storePos, NewTopic(name, false));
  Finish(project, row, outcome);
  return outcome;
}

AddOutcome AddUserIndex(HelpProject& project, const std::string& name) {
  AddOutcome outcome = Refuse(project, name);
  if (name.empty() || outcome.duplicates > 0) return outcome;

  const int selected = project.selectedRow();
  int row = RowWithoutSelection(project);
  std::size_t storePos = project.TopicCount();
  if (selected == 0) {
    row = std::min(1, static_cast<int>(project.ItemCount()));
  } else if (selected > 0) {
    row = selected;
    const auto& items = project.items();
    while (row > 1 && UserTopicFlag(project, items[static_cast<std::size_t>(row)].text)) --row;
    if (row < static_cast<int>(project.ItemCount())) {
      storePos = StoreAfter(project, project.ItemText(row));
    }
  }
  project.InsertItem(static_cast<std::size_t>(row), {name, TopicIcon::IndexIcon});
  project.InsertTopic(storePos, NewTopic(name, true));
  Finish(project, row, outcome);
  RefreshIndexLists(project);
  return outcome;
}

}  // namespace qs::project
