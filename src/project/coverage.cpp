#include "project/coverage.h"

#include "text/textops.h"

namespace qs::project {
namespace {

// The text as it reads: blanks and line breaks around it dropped, every line end one LF.
std::string Reading(std::string_view text) {
  std::string out = text::ReplaceAll(text, "\r\n", "\n");
  const auto first = out.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = out.find_last_not_of(" \t\r\n");
  return out.substr(first, last - first + 1);
}

}  // namespace

bool IsDocumented(const Topic& page, std::string_view description, const std::string* libraryHelp) {
  if (!Reading(page.example).empty()) return true;
  const std::string text = Reading(description);
  if (text.empty()) return false;
  return libraryHelp == nullptr || text != Reading(*libraryHelp);
}

Coverage CountCoverage(const HelpProject& project, const LibraryHelpTexts& helps) {
  Coverage coverage;
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    const Topic& topic = project.TopicAt(pos);
    if (topic.Kind() != TopicKind::FunctionPage) continue;
    ++coverage.functions;
    const auto help = helps.find(topic.name);
    if (IsDocumented(topic, project.Body(pos), help != helps.end() ? &help->second : nullptr)) {
      ++coverage.documented;
    }
  }
  return coverage;
}

std::string CoverageText(const Coverage& coverage) {
  return std::to_string(coverage.documented) + " of " + std::to_string(coverage.functions) +
         (coverage.functions == 1 ? " function documented" : " functions documented");
}

}  // namespace qs::project
