#pragma once

// Examples written as code, for authors who type their examples as PureBasic source rather
// than as markup: "<", ">" and "&" reach the reader as typed ("If a<b" stays whole instead of
// starting a tag), the code is coloured as the editor colours it (see purebasiccode.h), and a
// call of one of the library's own functions links to its page. The colours are inline markup
// that the help compiler keeps and every help viewer shows (<font color>, <b>): no script, no
// style sheet.
//
// A character reference ("&#945;") stays one: it is how the model keeps a character that
// Windows-1252 cannot hold, so the reader sees that character, as typed.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "project/helpproject.h"

namespace qs::output {

class ExampleCode {
 public:
  // Calls of `names` link to their pages, without regard to letter case as the language
  // ignores it (the first of names that differ only in case wins); no names, no links.
  explicit ExampleCode(const std::vector<std::string>& names = {});
  // The names the descriptions link (AutoLinkNames): the same pages, for the same names.
  explicit ExampleCode(const project::HelpProject& project);

  // The example's HTML: escaped and coloured, then converted as every example is (line
  // breaks, tabs and runs of blanks kept, see text::CodeToHtml).
  std::string Html(std::string_view example) const;

 private:
  // Folded name -> the name as its page is named.
  std::unordered_map<std::string, std::string> links_;
};

// `text` with "<", ">" and "&" written as references, numeric character references kept.
void AppendEscapedCode(std::string& out, std::string_view text);

}  // namespace qs::output
