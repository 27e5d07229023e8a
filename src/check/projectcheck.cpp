#include "check/projectcheck.h"

#include <utility>

namespace qs::check {

bool IsUndocumentedFunction(const project::Topic& topic, std::string_view body,
                            const project::LibraryHelpTexts& helps) {
  if (topic.Kind() != project::TopicKind::FunctionPage) return false;
  const auto help = helps.find(topic.name);
  return !project::IsDocumented(topic, body, help != helps.end() ? &help->second : nullptr);
}

ProjectCheck CheckProject(const project::HelpProject& project,
                          const project::LibraryHelpTexts& helps, const PageChecker& checker) {
  ProjectCheck result;
  result.topics.resize(project.TopicCount());
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    const project::Topic& topic = project.TopicAt(pos);
    const std::string& body = project.Body(pos);
    TopicCheck& check = result.topics[pos];
    check.functionPage = topic.Kind() == project::TopicKind::FunctionPage;
    if (check.functionPage) {
      ++result.coverage.functions;
      check.documented = !IsUndocumentedFunction(topic, body, helps);
      if (check.documented) {
        ++result.coverage.documented;
      } else {
        result.undocumented.push_back(topic.name);
      }
    }
    std::vector<Problem> problems = checker.Check(topic, body);
    check.problems = problems.size();
    result.problems.insert(result.problems.end(), std::make_move_iterator(problems.begin()),
                           std::make_move_iterator(problems.end()));
  }
  return result;
}

std::string SummaryLine(const project::Coverage& coverage, std::size_t problems) {
  std::string line = project::CoverageText(coverage) + "; ";
  if (problems == 0) return line + "no problems";
  return line + std::to_string(problems) + (problems == 1 ? " problem" : " problems");
}

}  // namespace qs::check
