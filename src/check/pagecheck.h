#pragma once

// The problems of one page: markup a browser misreads, links to pages the project does not
// have, pictures the help folder does not hold, an empty title. Only the texts the author
// writes are read; what the program writes around them is well formed.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "check/problem.h"
#include "project/helpproject.h"
#include "project/topic.h"

namespace qs::check {

// What the pages are checked against: the pages of the project and the files of the help
// folder, both without regard to letter case, as a compiled help file finds them.
class PageChecker {
 public:
  // `folderFiles`: the files in the help folder, relative to it, "/" between folders.
  PageChecker(const project::HelpProject& project, const std::vector<std::string>& folderFiles,
              bool examplesAreCode = false);

  // The problems of `topic`, whose body as the pages show it is `body` (a topic of the
  // project: HelpProject::Body), in field order, each field's by line. `linksToPages`, when
  // given, tells whether the answer looked up the project's pages (a link to a page): only
  // such a page can find otherwise when pages come or go.
  std::vector<Problem> Check(const project::Topic& topic, std::string_view body,
                             bool* linksToPages = nullptr) const;

  // The name the form gives the field on a page of this kind ("Description", "User text").
  static std::string FieldName(project::TopicKind kind, Field field);

 private:
  void CheckField(const project::Topic& topic, Field field, std::string_view text,
                  std::vector<Problem>& problems, bool& linksToPages) const;
  bool IsPage(std::string_view target) const;
  bool IsFolderFile(std::string_view target) const;

  std::unordered_set<std::string> pages_;
  std::unordered_set<std::string> files_;
  bool examplesAreCode_ = false;
};

}  // namespace qs::check
