#include "project/topicops.h"

#include <string>

#include "text/textops.h"

namespace qs::project {

bool UserTopicFlag(const HelpProject& project, std::string_view name) {
  const Topic* topic = project.FindTopic(name);
  return topic != nullptr && topic->isUserTopic;
}

bool UserIndexFlag(const HelpProject& project, std::string_view name) {
  const Topic* topic = project.FindTopic(name);
  return topic != nullptr && topic->isUserIndex;
}

void RefreshIndexLists(HelpProject& project) {
  const auto& items = project.items();

  std::string functions;
  bool first = true;
  for (std::size_t row = 1; row < items.size(); ++row) {
    const Topic* plain =
        project.FindTopicIf(items[row].text, [](const Topic& t) { return t.IsPlain(); });
    if (plain == nullptr) continue;
    if (!first) functions += text::kCrLf;
    functions += plain->name;
    first = false;
  }
  for (const auto pos : project.TopicPositions(kIndexName)) project.TopicAt(pos).body = functions;

  // Groups of the user index entries.
  std::size_t groupEntry = std::string::npos;
  std::string members;
  bool noMember = true;
  auto closeGroup = [&] {
    if (groupEntry == std::string::npos) return;
    project.TopicAt(groupEntry).body = members;
    groupEntry = std::string::npos;
  };
  for (std::size_t row = 1; row < items.size(); ++row) {
    const auto pos = project.FindTopicPos(items[row].text);
    if (pos == std::string::npos) continue;
    const Topic& topic = project.TopicAt(pos);
    if (groupEntry != std::string::npos) {
      if (topic.IsPlain()) {
        if (!noMember) members += text::kCrLf;
        members += topic.name;
        noMember = false;
      } else {
        closeGroup();
      }
    }
    if (groupEntry == std::string::npos && topic.Kind() == TopicKind::UserIndexEntry) {
      groupEntry = pos;
      members.clear();
      noMember = true;
    }
  }
  closeGroup();
}

namespace {

// Re-inserts the row `from` at `to` with the icon of the topic it names, and selects it.
void MoveRow(HelpProject& project, int from, int to) {
  const std::string name = project.ItemText(from);
  const Topic* topic = project.FindTopic(name);
  const TopicIcon icon = topic != nullptr ? topic->icon : project.items()[from].icon;
  project.RemoveItem(static_cast<std::size_t>(from));
  project.InsertItem(static_cast<std::size_t>(to), {name, icon});
  project.SelectRow(to);
  RefreshIndexLists(project);
  project.modified = true;
}

}  // namespace

bool MoveTopicUp(HelpProject& project) {
  const int p = project.selectedRow();
  if (p <= 1) return false;
  const std::string cur = project.ItemText(p);
  const std::string prev = project.ItemText(p - 1);
  if (!UserTopicFlag(project, prev) && UserTopicFlag(project, cur)) return false;
  MoveRow(project, p, p - 1);
  return true;
}

bool MoveTopicDown(HelpProject& project) {
  const int p = project.selectedRow();
  const int n = static_cast<int>(project.ItemCount());
  if (p <= 0 || p >= n - 1) return false;
  const std::string cur = project.ItemText(p);
  const std::string next = project.ItemText(p + 1);
  if (!UserTopicFlag(project, cur) && UserTopicFlag(project, next)) return false;
  MoveRow(project, p, p + 1);
  return true;
}

bool DeleteSelectedTopic(HelpProject& project) {
  if (project.selectedTopic.empty()) return false;
  if (project.selectedRow() >= 0) project.RemoveItem(static_cast<std::size_t>(project.selectedRow()));
  const auto pos = project.FindTopicPos(project.selectedTopic);
  if (pos != std::string::npos) project.EraseTopic(pos);

  if (project.TopicCount() > 0) {
    std::string functions;
    bool first = true;
    for (const auto& topic : project.topics()) {
      if (topic.name == kIndexName || !topic.IsPlain()) continue;
      if (!first) functions += text::kCrLf;
      functions += topic.name;
      first = false;
    }
    project.TopicAt(0).body = functions;
  }
  project.selectedTopic = std::string(kIndexName);
  project.SelectRow(0);
  project.modified = true;
  return true;
}

}  // namespace qs::project
