#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/helpproject.h"

namespace qs::project {

// The texts of a page that a search looks through, in the order of the form: the title, the
// syntax of a function page or the overview of the Index page and of an index entry, the
// description or the user text, the example.
enum class PageField { Title, Summary, Description, Example };

// One line of a page that holds the searched text.
struct SearchHit {
  int row = 0;  // the row of the topic list
  PageField field = PageField::Title;
  int line = 1;            // counted from 1; a title has one line
  std::size_t column = 0;  // byte offset of the first occurrence within the line
  std::string lineText;    // the line, as the model holds it

  friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

// Searches every text field of every page, in display order and in each page in the order of
// the form, without regard to letter case, and gives one hit per line that holds `needle` (at
// its first occurrence), at most `limit` hits. The functions lists of the Index page and the
// user index entries are made by the program, not written: they are not searched, nor the
// text fields a page of its kind does not use. An empty needle finds nothing.
std::vector<SearchHit> SearchPages(const HelpProject& project, std::string_view needle,
                                   std::size_t limit);

}  // namespace qs::project
