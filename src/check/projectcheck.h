#pragma once

// The check of a whole project: every page's problems and which function pages are documented,
// as both programs show them (the window's Problems panel and topic list, `quillsmith-cli
// check`). Reads nothing from disk: the caller gives the library's texts and the help folder's
// files (flows::ReadCheckSources).

#include <cstddef>
#include <string>
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

// "29 of 35 functions documented; 3 problems" ("; 1 problem", "; no problems").
std::string SummaryLine(const project::Coverage& coverage, std::size_t problems);

}  // namespace qs::check
