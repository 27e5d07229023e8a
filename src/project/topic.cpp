#include "project/topic.h"

namespace qs::project {

TopicKind Topic::Kind() const {
  if (isUserTopic) return TopicKind::UserTopic;
  if (isUserIndex) return TopicKind::UserIndexEntry;
  if (name == kIndexName) return TopicKind::IndexPage;
  return TopicKind::FunctionPage;
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
