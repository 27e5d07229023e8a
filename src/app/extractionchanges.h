#pragma once

// What an extraction changed among the function pages, told in words (the status line of
// the window, standard error of the command line), and which pages hold text the author
// wrote, so that a page with the author's words never leaves unseen.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/libraryinfo.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::app {

struct ExtractionChanges {
  std::vector<std::string> added;            // function pages that are new, in store order
  std::vector<std::string> removed;          // function pages that left, in their store order
  std::vector<std::string> newParameters;    // kept function pages whose parameters changed
  std::vector<std::string> removedWithText;  // the removed pages that held the author's text

  friend bool operator==(const ExtractionChanges&, const ExtractionChanges&) = default;
};

// Compares the function pages before and after an extraction. A removed page holds the
// author's text when its title is not the one a build gives it, it has an example, or its
// description is not the one `previousLibrary` (the library as read before) gave it. When
// that library does not name the function, a description with a line break or markup counts
// as the author's (a library gives one plain line).
ExtractionChanges CompareFunctionPages(const project::HelpProject& before,
                                       const project::HelpProject& after,
                                       const library::LibraryInfo& previousLibrary);

// One line: "Library information extracted: " followed by what was added, removed and given
// new parameters, each with its first names, or that no function changed.
std::string ChangesLine(const ExtractionChanges& changes);

// The message naming the removed pages that held the author's text; nothing when there is
// none.
std::optional<text::Report> RemovedTextReport(const ExtractionChanges& changes);

// How many pages of `before` hold text that the freshly built `fresh` does not: a page that
// `fresh` lacks and that holds text of its own (every user topic and user index entry; a
// function page as CompareFunctionPages judges it without a known library), or one whose
// title, overview, description or example differs from its fresh namesake's.
// Texts the program computes (the functions lists, the syntax line) do not count.
std::size_t CountPagesWithAuthorText(const project::HelpProject& before,
                                     const project::HelpProject& fresh);

}  // namespace qs::app
