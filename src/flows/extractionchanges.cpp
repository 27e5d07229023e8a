#include "flows/extractionchanges.h"

#include <string_view>
#include <unordered_map>

namespace qs::flows {

namespace {

using project::Topic;
using project::TopicKind;

// How many names a line or a question spells out before it only counts the rest.
constexpr std::size_t kNamesInLine = 5;
constexpr std::size_t kNamesInQuestion = 10;

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

std::string Pages(std::size_t count) {
  return count == 1 ? "1 page" : std::to_string(count) + " pages";
}

// The pages that go, named up to the first ten, on a line of their own.
std::string RemovedList(const ExtractionChanges& changes) {
  return NameList(changes.removedPages, kNamesInQuestion);
}

text::Report Question(std::string text) {
  return {"WARNING", std::move(text) + "\nContinue ?", text::ReportIcon::Exclamation};
}

}  // namespace

ExtractionChanges CompareFunctionPages(const project::HelpProject& before,
                                       const project::HelpProject& after) {
  ExtractionChanges changes;
  std::unordered_map<std::string_view, std::size_t> pagesAfter;
  pagesAfter.reserve(after.TopicCount());
  for (std::size_t pos = 0; pos < after.TopicCount(); ++pos) {
    const Topic& page = after.TopicAt(pos);
    ++pagesAfter[page.name];
    if (!IsFunctionPageAt(after, pos)) continue;
    const Topic* was = FunctionPage(before, page.name);
    if (was == nullptr) {
      changes.added.push_back(page.name);
    } else if (was->parameters != page.parameters) {
      changes.newParameters.push_back(page.name);
    }
  }

  for (std::size_t pos = 0; pos < before.TopicCount(); ++pos) {
    const Topic& page = before.TopicAt(pos);
    // Each page afterwards stands for one page of its name before; the others went.
    const auto left = pagesAfter.find(page.name);
    if (left != pagesAfter.end() && left->second > 0) {
      --left->second;
    } else {
      changes.removedPages.push_back(page.name);
    }
    if (IsFunctionPageAt(before, pos) && FunctionPage(after, page.name) == nullptr) {
      changes.removed.push_back(page.name);
    }
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

text::Report MergeRemovalQuestion(const ExtractionChanges& changes) {
  const std::size_t count = changes.removedPages.size();
  return Question("This extraction removes " + Pages(count) +
                  (count == 1 ? " whose function" : " whose functions") +
                  " the library no longer has:\n" + RemovedList(changes));
}

text::Report FreshExtractionQuestion(const ExtractionChanges& changes, std::size_t pagesWithText) {
  std::string text =
      "This extraction builds every page afresh from the library (existing data is not kept).\n";
  const bool removes = !changes.removedPages.empty();
  if (removes) {
    text +=
        "It removes " + Pages(changes.removedPages.size()) + ":\n" + RemovedList(changes) + "\n";
  }
  const std::string other = removes ? "other " : "";
  if (pagesWithText == 0) {
    text += "No " + other + "page holds text you wrote.";
  } else {
    text += (pagesWithText == 1 ? "1 " + other + "page holds"
                                : std::to_string(pagesWithText) + " " + other + "pages hold") +
            " text you wrote that would be lost.";
  }
  return Question(std::move(text));
}

text::Report LibraryChangeRemovalQuestion(const ExtractionChanges& changes) {
  return Question("This extraction removes " + Pages(changes.removedPages.size()) + ":\n" +
                  RemovedList(changes));
}

std::vector<std::string> RemovedPageLines(const ExtractionChanges& changes) {
  std::vector<std::string> lines;
  lines.reserve(changes.removedPages.size());
  for (const auto& name : changes.removedPages) lines.push_back("Page removed: " + name);
  return lines;
}

std::size_t CountPagesWithAuthorText(const project::HelpProject& before,
                                     const project::HelpProject& fresh) {
  std::size_t count = 0;
  for (const auto& page : before.topics()) {
    const Topic* rebuilt = fresh.FindTopic(page.name);
    if (rebuilt != nullptr && project::HoldsAuthorText(page, *rebuilt)) ++count;
  }
  return count;
}

}  // namespace qs::flows
