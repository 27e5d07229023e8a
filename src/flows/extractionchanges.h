#pragma once

// What an extraction changed among the pages, told in words: the question the window asks
// before an extraction removes pages, the status line of the window and the lines on standard
// error of the command line. No text decides whether a page goes by guessing who wrote it:
// every page that goes is named.

#include <cstddef>
#include <string>
#include <vector>

#include "project/helpproject.h"
#include "text/report.h"

namespace qs::flows {

struct ExtractionChanges {
  std::vector<std::string> added;          // function pages that are new, in store order
  std::vector<std::string> removed;        // function pages that left, in their store order
  std::vector<std::string> newParameters;  // kept function pages whose parameters changed
  // Every page the extraction takes away, of any kind, in the store order it had: a name once
  // for each of its pages that has no counterpart afterwards.
  std::vector<std::string> removedPages;

  friend bool operator==(const ExtractionChanges&, const ExtractionChanges&) = default;
};

// Compares the pages before and after an extraction.
ExtractionChanges CompareFunctionPages(const project::HelpProject& before,
                                       const project::HelpProject& after);

// One line: "Library information extracted: " followed by what was added, removed and given
// new parameters, each with its first names, or that no function changed.
std::string ChangesLine(const ExtractionChanges& changes);

// The question before a merge removes pages, naming the first ten of them and counting the
// rest (title "WARNING"; OK goes on, Cancel changes nothing).
text::Report MergeRemovalQuestion(const ExtractionChanges& changes);

// The question before a fresh build replaces the pages: it says how many pages that stay hold
// text the fresh build does not give them (`pagesWithText`, see CountPagesWithAuthorText)
// and names the pages that go as MergeRemovalQuestion does.
text::Report FreshExtractionQuestion(const ExtractionChanges& changes, std::size_t pagesWithText);

// The question before another library's pages replace the project's, when pages go: after
// the author agreed to lose the data, it names what goes.
text::Report LibraryChangeRemovalQuestion(const ExtractionChanges& changes);

// One line per removed page, "Page removed: " + name, for a log that must name every one.
std::vector<std::string> RemovedPageLines(const ExtractionChanges& changes);

// How many pages of `before` that the freshly built `fresh` keeps hold text it does not give
// them: a title, overview, description or example that differs from the fresh namesake's.
// Texts the program computes (the functions lists, the syntax line) do not count; pages that
// `fresh` lacks are named as removed instead.
std::size_t CountPagesWithAuthorText(const project::HelpProject& before,
                                     const project::HelpProject& fresh);

}  // namespace qs::flows
