#include "project/topicops.h"

#include <string>

namespace qs::project {

bool UserTopicFlag(const HelpProject& project, std::string_view name) {
  const Topic* topic = project.FindTopic(name);
  return topic != nullptr && topic->isUserTopic;
}

namespace {

// Moves the row `from` to `to`, gives it the icon of the topic it names, and selects it. The
// functions lists follow the rows when next read: a move costs the same for any number of
// topics.
void MoveRow(HelpProject& project, int from, int to) {
  const Topic* topic = project.FindTopic(project.ItemText(from));
  project.MoveItem(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
  if (topic != nullptr) project.SetItemIcon(static_cast<std::size_t>(to), topic->icon);
  project.SelectRow(to);
  project.RemakeLists();
  project.modified = true;
}

}  // namespace

bool CanMoveTopicUp(const HelpProject& project) {
  const int p = project.selectedRow();
  if (p <= 1 || p >= static_cast<int>(project.ItemCount())) return false;
  return UserTopicFlag(project, project.ItemText(p - 1)) ||
         !UserTopicFlag(project, project.ItemText(p));
}

bool CanMoveTopicDown(const HelpProject& project) {
  const int p = project.selectedRow();
  const int n = static_cast<int>(project.ItemCount());
  if (p <= 0 || p >= n - 1) return false;
  return UserTopicFlag(project, project.ItemText(p)) ||
         !UserTopicFlag(project, project.ItemText(p + 1));
}

bool MoveTopicUp(HelpProject& project) {
  if (!CanMoveTopicUp(project)) return false;
  const int p = project.selectedRow();
  MoveRow(project, p, p - 1);
  return true;
}

bool MoveTopicDown(HelpProject& project) {
  if (!CanMoveTopicDown(project)) return false;
  const int p = project.selectedRow();
  MoveRow(project, p, p + 1);
  return true;
}

bool DeleteSelectedTopic(HelpProject& project) {
  if (project.shownTopic().empty()) return false;
  if (project.selectedRow() >= 0)
    project.RemoveItem(static_cast<std::size_t>(project.selectedRow()));
  const auto pos = project.FindTopicPos(project.shownTopic());
  if (pos != std::string::npos) project.EraseTopic(pos);

  // The lists follow the rows as they are now, the order the pages link in, so that the form
  // shows what the help will show.
  project.RemakeLists();
  project.SetShownTopic(std::string(kIndexName));
  project.SelectRow(0);
  project.modified = true;
  return true;
}

}  // namespace qs::project
