#include "check/projectcheck.h"

#include <algorithm>
#include <utility>

namespace qs::check {

bool IsUndocumentedFunction(const project::Topic& topic, std::string_view body,
                            const project::LibraryHelpTexts& helps) {
  if (topic.Kind() != project::TopicKind::FunctionPage) return false;
  const auto help = helps.find(topic.name);
  return !project::IsDocumented(topic, body, help != helps.end() ? &help->second : nullptr);
}

namespace {

// Looks at one page: whether it is a function page still undocumented, and its problems.
TopicCheck CheckTopic(const project::Topic& topic, std::string_view body,
                      const project::LibraryHelpTexts& helps, const PageChecker& checker,
                      std::vector<Problem>& problems, bool* linksToPages = nullptr) {
  TopicCheck check;
  check.functionPage = topic.Kind() == project::TopicKind::FunctionPage;
  if (check.functionPage) check.documented = !IsUndocumentedFunction(topic, body, helps);
  problems = checker.Check(topic, body, linksToPages);
  check.problems = problems.size();
  return check;
}

// Adds what was found on the page at `pos` to the project's result.
void Count(ProjectCheck& result, std::size_t pos, const project::Topic& topic,
           const TopicCheck& check, const std::vector<Problem>& problems) {
  result.topics[pos] = check;
  if (check.functionPage) {
    ++result.coverage.functions;
    if (check.documented) {
      ++result.coverage.documented;
    } else {
      result.undocumented.push_back(topic.name);
    }
  }
  result.problems.insert(result.problems.end(), problems.begin(), problems.end());
}

}  // namespace

ProjectCheck CheckProject(const project::HelpProject& project,
                          const project::LibraryHelpTexts& helps, const PageChecker& checker) {
  ProjectCheck result;
  result.topics.resize(project.TopicCount());
  std::vector<Problem> problems;
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    const project::Topic& topic = project.TopicAt(pos);
    const TopicCheck check = CheckTopic(topic, project.Body(pos), helps, checker, problems);
    Count(result, pos, topic, check, problems);
  }
  return result;
}

ProjectCheck RepeatedCheck::Check(const project::HelpProject& project,
                                  const project::LibraryHelpTexts& helps,
                                  const std::vector<std::string>& folderFiles,
                                  bool examplesAreCode) {
  std::vector<std::string> names;
  names.reserve(project.TopicCount());
  for (const project::Topic& topic : project.topics()) names.push_back(topic.name);
  std::sort(names.begin(), names.end());
  // A page's links and pictures are checked against the folder, and its coverage against the
  // library: when any of these changed, every page is looked at again. When only the pages
  // came, went or were renamed, only those that link to pages are.
  const bool againstChanged = !checker_ || folderFiles != folderFiles_ ||
                              examplesAreCode != examplesAreCode_ || helps != helps_;
  const bool namesChanged = names != sortedNames_;
  if (againstChanged) {
    seen_.clear();
    folderFiles_ = folderFiles;
    examplesAreCode_ = examplesAreCode;
    helps_ = helps;
  } else if (namesChanged) {
    std::erase_if(seen_, [](const auto& page) { return page.second.linksToPages; });
  }
  if (againstChanged || namesChanged) {
    checker_ = std::make_shared<PageChecker>(project, folderFiles, examplesAreCode);
  }
  // Pages that share a name are rare and looked at every time: the name alone does not tell
  // which of them a page seen before was.
  const auto shared = std::adjacent_find(names.begin(), names.end()) != names.end();
  std::unordered_map<std::string, std::size_t> counts;
  if (shared) {
    for (const std::string& name : names) ++counts[name];
  }
  sortedNames_ = std::move(names);

  ProjectCheck result;
  result.topics.resize(project.TopicCount());
  std::unordered_map<std::string, Seen> now;
  now.reserve(project.TopicCount());
  lastChecked_ = 0;
  for (std::size_t pos = 0; pos < project.TopicCount(); ++pos) {
    const project::Topic& topic = project.TopicAt(pos);
    const std::string& body = project.Body(pos);
    const bool unique = !shared || counts[topic.name] == 1;
    const auto old = unique ? seen_.find(topic.name) : seen_.end();
    Seen page;
    if (old != seen_.end() && old->second.topic == topic && old->second.body == body) {
      page = std::move(old->second);
    } else {
      ++lastChecked_;
      page.topic = topic;
      page.body = body;
      page.check = CheckTopic(topic, body, helps, *checker_, page.problems, &page.linksToPages);
    }
    Count(result, pos, topic, page.check, page.problems);
    if (unique) now.emplace(topic.name, std::move(page));
  }
  seen_ = std::move(now);
  return result;
}

std::string SummaryLine(const project::Coverage& coverage, std::size_t problems) {
  std::string line = project::CoverageText(coverage) + "; ";
  if (problems == 0) return line + "no problems";
  return line + std::to_string(problems) + (problems == 1 ? " problem" : " problems");
}

}  // namespace qs::check
