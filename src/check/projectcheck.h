#pragma once

// The check of a whole project: every page's problems and which function pages are documented,
// as both programs show them (the window's Problems panel and topic list, `quillsmith-cli
// check`). Reads nothing from disk: the caller gives the library's texts and the help folder's
// files (flows::ReadCheckSources).

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/pagecheck.h"
#include "check/problem.h"
#include "project/coverage.h"
#include "project/helpproject.h"

namespace qs::check {

// What the check found on one topic.
struct TopicCheck {
  bool functionPage = false;
  // Meaningful for function pages; every other page counts as documented.
  bool documented = true;
  std::size_t problems = 0;

  friend bool operator==(const TopicCheck&, const TopicCheck&) = default;
};

struct ProjectCheck {
  // Every problem, page by page in store order.
  std::vector<Problem> problems;
  // By store position.
  std::vector<TopicCheck> topics;
  // The function pages not yet documented, in store order.
  std::vector<std::string> undocumented;
  project::Coverage coverage;
};

// Whether `topic` (with `body` as the pages show it) is a function page still undocumented
// by project::IsDocumented, its library text looked up in `helps`.
bool IsUndocumentedFunction(const project::Topic& topic, std::string_view body,
                            const project::LibraryHelpTexts& helps);

ProjectCheck CheckProject(const project::HelpProject& project,
                          const project::LibraryHelpTexts& helps, const PageChecker& checker);

// The check of a project the author keeps changing, made again and again: each time, only the
// pages whose texts changed since the last time are looked at again, as long as what every
// page is checked against stayed the same (the help folder's files, examples as code, the
// library's texts); otherwise all are. When pages came, went or were renamed, the pages that
// link to pages are looked at again too. Gives what CheckProject gives. Not shared between
// threads: one check at a time.
class RepeatedCheck {
 public:
  ProjectCheck Check(const project::HelpProject& project, const project::LibraryHelpTexts& helps,
                     const std::vector<std::string>& folderFiles, bool examplesAreCode);
  // What the last check checked the pages against; null before the first.
  std::shared_ptr<const PageChecker> checker() const { return checker_; }
  // How many pages the last check looked at again.
  std::size_t lastChecked() const { return lastChecked_; }

 private:
  // A page as last checked, and what was found on it.
  struct Seen {
    project::Topic topic;
    std::string body;
    TopicCheck check;
    std::vector<Problem> problems;
    // Whether the check looked the project's pages up.
    bool linksToPages = false;
  };
  std::unordered_map<std::string, Seen> seen_;
  std::vector<std::string> sortedNames_;
  std::vector<std::string> folderFiles_;
  bool examplesAreCode_ = false;
  project::LibraryHelpTexts helps_;
  std::shared_ptr<const PageChecker> checker_;
  std::size_t lastChecked_ = 0;
};

// "29 of 35 functions documented; 3 problems" ("; 1 problem", "; no problems").
std::string SummaryLine(const project::Coverage& coverage, std::size_t problems);

}  // namespace qs::check
