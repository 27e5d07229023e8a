#include "project/topicops.h"

#include <string>
#include <utility>
#include <vector>

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

void ProduceIndexLists(HelpProject& project) {
  if (project.indexListsPending()) RefreshIndexLists(project);
}

IndexLists ComputeIndexLists(const HelpProject& project) {
  const auto& items = project.items();

  // One look-up per row serves both walks: the first stored topic of the name decides the
  // groups, the first plain one of the name goes into the Index page's list.
  std::string functions;
  bool firstFunction = true;
  std::size_t groupEntry = std::string::npos;
  std::string members;
  bool firstMember = true;
  // Group lists are stored after the Index page's list, so that an entry that is itself named
  // "Index" ends up with its group, as the two walks made one after the other would leave it.
  std::vector<std::pair<std::size_t, std::string>> groups;
  auto closeGroup = [&] {
    if (groupEntry == std::string::npos) return;
    groups.emplace_back(groupEntry, std::move(members));
    members.clear();
    groupEntry = std::string::npos;
  };

  // The first plain topic of each name, by the name's first position, found once per name:
  // rows of one name all give the same answer, and walking its topics again for each of them
  // would take time in the square of their number.
  constexpr std::size_t kUnknown = std::string::npos - 1;
  std::vector<std::size_t> firstPlain(project.TopicCount(), kUnknown);

  for (std::size_t row = 1; row < items.size(); ++row) {
    const auto& positions = project.TopicPositions(items[row].text);
    if (positions.empty()) continue;

    std::size_t& plain = firstPlain[positions.front()];
    if (plain == kUnknown) {
      plain = std::string::npos;
      for (const auto pos : positions) {
        if (project.TopicAt(pos).IsPlain()) {
          plain = pos;
          break;
        }
      }
    }
    if (plain != std::string::npos) {
      if (!firstFunction) functions += text::kCrLf;
      functions += project.TopicAt(plain).name;
      firstFunction = false;
    }

    const auto pos = positions.front();
    const Topic& topic = project.TopicAt(pos);
    if (groupEntry != std::string::npos) {
      if (topic.IsPlain()) {
        if (!firstMember) members += text::kCrLf;
        members += topic.name;
        firstMember = false;
      } else {
        closeGroup();
      }
    }
    if (groupEntry == std::string::npos && topic.Kind() == TopicKind::UserIndexEntry) {
      groupEntry = pos;
      members.clear();
      firstMember = true;
    }
  }
  closeGroup();

  IndexLists lists;
  for (const auto pos : project.TopicPositions(kIndexName)) lists.emplace_back(pos, functions);
  for (auto& group : groups) lists.push_back(std::move(group));
  return lists;
}

void RefreshIndexLists(HelpProject& project) {
  project.SetIndexListsPending(false);
  for (auto& [pos, list] : ComputeIndexLists(project)) project.TopicAt(pos).body = std::move(list);
}

namespace {

// Moves the row `from` to `to`, gives it the icon of the topic it names, and selects it. The
// functions lists follow when they are next shown or written: a move costs the same for any
// number of topics.
void MoveRow(HelpProject& project, int from, int to) {
  const Topic* topic = project.FindTopic(project.ItemText(from));
  project.MoveItem(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
  if (topic != nullptr) project.SetItemIcon(static_cast<std::size_t>(to), topic->icon);
  project.SelectRow(to);
  project.SetIndexListsPending(true);
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
  if (project.shownTopic().empty()) return false;
  if (project.selectedRow() >= 0)
    project.RemoveItem(static_cast<std::size_t>(project.selectedRow()));
  const auto pos = project.FindTopicPos(project.shownTopic());
  if (pos != std::string::npos) project.EraseTopic(pos);

  // The lists are made from the rows as they are now, the order the pages link in, so that
  // the form shows what the help will show.
  RefreshIndexLists(project);
  project.SetShownTopic(std::string(kIndexName));
  project.SelectRow(0);
  project.modified = true;
  return true;
}

}  // namespace qs::project
