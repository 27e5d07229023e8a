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
  // An entry's list reads as the placeholder until the lists are remade, and for good where no
  // row opens a group with it.
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

// Whether the first row from `row` on that names a stored topic names a plain one: a user
// topic placed before it ends the group there, when one is open.
bool PlainRowFollows(const HelpProject& project, int row) {
  const auto& items = project.items();
  for (auto r = static_cast<std::size_t>(row); r < items.size(); ++r) {
    const Topic* topic = project.FindTopic(items[r].text);
    if (topic != nullptr) return topic->IsPlain();
  }
  return false;
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
  // Adding a user topic remakes no list: one landing inside a group leaves the entry's list
  // as it read before. Mostly it lands before another user topic or at the end, and no list
  // changes.
  IndexLists before;
  if (PlainRowFollows(project, row)) before = project.ComputedLists();
  project.InsertItem(static_cast<std::size_t>(row), {name, TopicIcon::PageIcon});
  project.InsertTopic(storePos, NewTopic(name, false));
  for (auto& [pos, list] : before) {
    const std::size_t at = pos >= storePos ? pos + 1 : pos;
    if (project.TopicAt(at).listKept || project.Body(at) == list) continue;
    project.KeepList(at, std::move(list));
    outcome.keptLists.push_back(at);
  }
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
  project.RemakeLists();
  return outcome;
}

}  // namespace qs::project
