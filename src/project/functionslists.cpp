// The functions lists of the Index page and the user index entries, as the rows give them.
// Readers do not call this: HelpProject::Body gives each list, made once per change of the
// rows and kept in step with them.

#include <string>
#include <utility>
#include <vector>

#include "project/helpproject.h"
#include "text/textops.h"

namespace qs::project {

// The functions list of every topic named "Index" that is not a user topic (every plain topic
// of rows 1 to n-1), then of every user index entry that a row opens a group with (the plain
// topics after it up to the next user topic or user index entry), following the display order.
// By store position, in that order: a position listed twice takes its last list.
IndexLists HelpProject::MakeIndexLists() const {
  const HelpProject& project = *this;
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
  for (const auto pos : project.TopicPositions(kIndexName)) {
    // A user topic of that name (a hand-made file's) keeps its own text.
    if (!project.TopicAt(pos).isUserTopic) lists.emplace_back(pos, functions);
  }
  for (auto& group : groups) lists.push_back(std::move(group));
  return lists;
}

}  // namespace qs::project
