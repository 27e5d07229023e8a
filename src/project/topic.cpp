#include "project/topic.h"

#include <cstddef>

namespace qs::project {

TopicKind Topic::Kind() const {
  if (isUserTopic) return TopicKind::UserTopic;
  if (isUserIndex) return TopicKind::UserIndexEntry;
  if (name == kIndexName) return TopicKind::IndexPage;
  return TopicKind::FunctionPage;
}

bool Topic::ShowsFunctionsList() const {
  return !AuthorWritesBody(Kind());
}

bool AuthorWritesBody(TopicKind kind) {
  return kind != TopicKind::IndexPage && kind != TopicKind::UserIndexEntry;
}

bool AuthorWritesSummary(TopicKind kind) {
  return kind != TopicKind::FunctionPage;
}

namespace {

bool SameText(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (a.compare(i, 2, "\r\n") == 0 && b[j] == '\n') {
      i += 2;
      ++j;
    } else if (b.compare(j, 2, "\r\n") == 0 && a[i] == '\n') {
      ++i;
      j += 2;
    } else if (a[i] == b[j]) {
      ++i;
      ++j;
    } else {
      return false;
    }
  }
  return i == a.size() && j == b.size();
}

}  // namespace

bool HoldsAuthorText(const Topic& page, const Topic& fresh) {
  const TopicKind kind = page.Kind();
  return !SameText(page.title, fresh.title) || !SameText(page.example, fresh.example) ||
         (AuthorWritesBody(kind) && !SameText(page.body, fresh.body)) ||
         (AuthorWritesSummary(kind) && !SameText(page.summary, fresh.summary));
}

TopicIcon IconFor(TopicKind kind) {
  switch (kind) {
    case TopicKind::IndexPage:
    case TopicKind::UserIndexEntry:
      return TopicIcon::IndexIcon;
    case TopicKind::FunctionPage:
    case TopicKind::UserTopic:
      break;
  }
  return TopicIcon::PageIcon;
}

}  // namespace qs::project
