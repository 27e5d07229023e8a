#include "project/pagesearch.h"

#include "text/textsearch.h"

namespace qs::project {

namespace {

// Adds a hit for each line of `value` (lines end in CR LF) that holds the needle.
void SearchField(int row, PageField field, std::string_view value, std::string_view needle,
                 std::size_t limit, std::vector<SearchHit>& hits) {
  int line = 1;
  std::size_t start = 0;
  while (start <= value.size() && hits.size() < limit) {
    const std::size_t end = value.find("\r\n", start);
    const std::string_view text =
        value.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    const std::size_t column = text::FindIgnoringCase(text, needle);
    if (column != std::string_view::npos) {
      hits.push_back({row, field, line, column, std::string(text)});
    }
    if (end == std::string_view::npos) break;
    start = end + 2;
    ++line;
  }
}

}  // namespace

std::vector<SearchHit> SearchPages(const HelpProject& project, std::string_view needle,
                                   std::size_t limit) {
  std::vector<SearchHit> hits;
  if (needle.empty()) return hits;
  const auto& items = project.items();
  for (std::size_t i = 0; i < items.size() && hits.size() < limit; ++i) {
    const Topic* topic = project.FindTopic(items[i].text);
    if (topic == nullptr) continue;
    const int row = static_cast<int>(i);
    const TopicKind kind = topic->Kind();
    SearchField(row, PageField::Title, topic->title, needle, limit, hits);
    if (kind != TopicKind::UserTopic) {
      SearchField(row, PageField::Summary, topic->summary, needle, limit, hits);
    }
    if (kind == TopicKind::FunctionPage || kind == TopicKind::UserTopic) {
      SearchField(row, PageField::Description, topic->body, needle, limit, hits);
    }
    if (kind != TopicKind::UserTopic) {
      SearchField(row, PageField::Example, topic->example, needle, limit, hits);
    }
  }
  return hits;
}

}  // namespace qs::project
