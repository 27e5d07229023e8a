#include "app/extractionchanges.h"

#include <unordered_map>

namespace qs::app {

namespace {

using project::Topic;
using project::TopicKind;
using Descriptions = std::unordered_map<std::string_view, std::string_view>;

// How many names a line or a message spells out before it only counts the rest.
constexpr std::size_t kNamesInLine = 5;
constexpr std::size_t kNamesInMessage = 20;

Descriptions DescriptionsOf(const library::LibraryInfo& library) {
  Descriptions descriptions;
  descriptions.reserve(library.size());
  for (const auto& function : library) descriptions.try_emplace(function.name, function.help);
  return descriptions;
}

// The function page a name stands for: the first stored topic of the name, when it is one
// (the page every look-up by that name finds). Null otherwise.
const Topic* FunctionPage(const project::HelpProject& project, std::string_view name) {
  const Topic* topic = project.FindTopic(name);
  return topic != nullptr && topic->Kind() == TopicKind::FunctionPage ? topic : nullptr;
}

// Whether the topic at `pos` is the function page its name stands for.
bool IsFunctionPageAt(const project::HelpProject& project, std::size_t pos) {
  const Topic& topic = project.TopicAt(pos);
  return topic.Kind() == TopicKind::FunctionPage && project.FindTopicPos(topic.name) == pos;
}

// A function page's text that no build of the library gives it: a title of its own, an
// example, or a description that is not the library's. Where the library's description is
// not known (the library was not read before in this run), a description with a line break
// or markup is the author's: a library gives one plain line.
bool HoldsOwnText(const Topic& page, const Descriptions& library) {
  const bool defaultTitle = page.title.size() == page.name.size() + 2 &&
                            page.title.starts_with(page.name) && page.title.ends_with("()");
  if (!defaultTitle || !page.example.empty()) return true;
  const auto known = library.find(page.name);
  if (known != library.end()) return page.body != known->second;
  return page.body.find_first_of("\r\n<") != std::string::npos;
}

// Texts compared as the project file gives them back: a line feed and CR LF are one line end.
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

bool DiffersFromFresh(const Topic& page, const Topic& fresh) {
  const TopicKind kind = page.Kind();
  // The functions lists and the syntax line are computed, not written by the author.
  const bool bodyIsWritten = kind != TopicKind::IndexPage && kind != TopicKind::UserIndexEntry;
  const bool summaryIsWritten = kind != TopicKind::FunctionPage;
  return !SameText(page.title, fresh.title) || !SameText(page.example, fresh.example) ||
         (bodyIsWritten && !SameText(page.body, fresh.body)) ||
         (summaryIsWritten && !SameText(page.summary, fresh.summary));
}

std::string NameList(const std::vector<std::string>& names, std::size_t shown) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < shown; ++i) {
    if (i > 0) list += ", ";
    list += names[i];
  }
  if (names.size() > shown) list += " and " + std::to_string(names.size() - shown) + " more";
  return list;
}

std::string Counted(const std::vector<std::string>& names, std::string_view what) {
  return std::to_string(names.size()) + (names.size() == 1 ? " function " : " functions ") +
         std::string(what) + " (" + NameList(names, kNamesInLine) + ")";
}

}  // namespace

ExtractionChanges CompareFunctionPages(const project::HelpProject& before,
                                       const project::HelpProject& after,
                                       const library::LibraryInfo& previousLibrary) {
  ExtractionChanges changes;
  for (std::size_t pos = 0; pos < after.TopicCount(); ++pos) {
    if (!IsFunctionPageAt(after, pos)) continue;
    const Topic& page = after.TopicAt(pos);
    const Topic* was = FunctionPage(before, page.name);
    if (was == nullptr) {
      changes.added.push_back(page.name);
    } else if (was->parameters != page.parameters) {
      changes.newParameters.push_back(page.name);
    }
  }

  Descriptions descriptions;  // made only when a page went
  for (std::size_t pos = 0; pos < before.TopicCount(); ++pos) {
    if (!IsFunctionPageAt(before, pos)) continue;
    const Topic& page = before.TopicAt(pos);
    if (FunctionPage(after, page.name) != nullptr) continue;
    changes.removed.push_back(page.name);
    if (descriptions.empty()) descriptions = DescriptionsOf(previousLibrary);
    if (HoldsOwnText(page, descriptions)) changes.removedWithText.push_back(page.name);
  }
  return changes;
}

std::string ChangesLine(const ExtractionChanges& changes) {
  std::string parts;
  const auto add = [&parts](const std::vector<std::string>& names, std::string_view what) {
    if (names.empty()) return;
    if (!parts.empty()) parts += "; ";
    parts += Counted(names, what);
  };
  add(changes.added, "added");
  add(changes.removed, "removed");
  add(changes.newParameters, "with new parameters");
  if (parts.empty()) parts = "no function added, removed or changed";
  return "Library information extracted: " + parts;
}

std::optional<text::Report> RemovedTextReport(const ExtractionChanges& changes) {
  if (changes.removedWithText.empty()) return std::nullopt;
  return text::Report{"WARNING",
                      "The library no longer has these functions. Their pages held text you "
                      "wrote and were removed:\n" +
                          NameList(changes.removedWithText, kNamesInMessage),
                      text::ReportIcon::Exclamation};
}

std::size_t CountPagesWithAuthorText(const project::HelpProject& before,
                                     const project::HelpProject& fresh) {
  std::size_t count = 0;
  for (const auto& page : before.topics()) {
    if (const Topic* rebuilt = fresh.FindTopic(page.name)) {
      if (DiffersFromFresh(page, *rebuilt)) ++count;
      continue;
    }
    switch (page.Kind()) {
      case TopicKind::FunctionPage:
        if (HoldsOwnText(page, {})) ++count;
        break;
      case TopicKind::IndexPage:
        if (!page.title.empty() || !page.summary.empty() || !page.example.empty()) ++count;
        break;
      case TopicKind::UserTopic:
      case TopicKind::UserIndexEntry:
        ++count;
        break;
    }
  }
  return count;
}

}  // namespace qs::app
