#pragma once

// The pages of the help folder one at a time: what BuildHelpFolder would write at one path,
// produced when it is asked for. A preview shows a page at the cost of that page, however many
// topics the project has, and the bytes are the help folder's.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/languagetable.h"
#include "output/autolinker.h"
#include "output/examplecode.h"
#include "project/helpproject.h"

namespace qs::output {

class PageSource {
 public:
  // Whether the pages show examples as code, as a build with BuildOptions::examplesAsCode
  // writes them; off at first.
  void SetExamplesAsCode(bool on) { examplesAsCode_ = on; }
  bool examplesAsCode() const { return examplesAsCode_; }

  // The page file at `path`, relative to the help folder ("Index.html", "Group/Name.html";
  // either separator), byte for byte as BuildHelpFolder writes it there: where several topics
  // share a page file, the one written last. When no page has exactly that path, letter case
  // is ignored (Windows-1252 letters), as a compiled help file ignores it. A path in the
  // form the pages link to (PageLink) finds its topic's page too. Nothing when the build
  // writes no page there.
  std::optional<std::string> Page(const project::HelpProject& project,
                                  const config::LanguageTable& captions, std::string_view path);

  // The page of the topic at store position `pos` with `topic` in its place, as it will be
  // once the form that `topic` carries is committed; the project is not touched.
  std::string PageWith(const project::HelpProject& project, const config::LanguageTable& captions,
                       std::size_t pos, const project::Topic& topic);

  // The page file of the topic at `pos`, with "/" between folders: "Index.html" for the Index
  // page; nothing when its name would leave the folder.
  static std::optional<std::string> PagePathOf(const project::HelpProject& project,
                                               std::size_t pos);

 private:
  // The links of the function pages: made again only when the names they link change.
  const AutoLinker& Linker(const project::HelpProject& project);
  bool SameNames(const project::HelpProject& project) const;
  // The examples' writer while they are code (its links follow the linker's names), else null.
  const ExampleCode* Code(const project::HelpProject& project);

  std::vector<std::string> names_;
  std::optional<AutoLinker> linker_;
  std::optional<ExampleCode> code_;
  bool examplesAsCode_ = false;
};

}  // namespace qs::output
