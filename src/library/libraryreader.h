#pragma once

// Reads the function table of a user library file. A library is untrusted input: whatever
// its bytes say, the reader never looks outside the data, never moves backwards and always
// ends after at most one pass over the data.

#include <string>
#include <string_view>

#include "library/libraryinfo.h"
#include "text/report.h"

namespace qs::library {

// Reads the library at `path` into `info`. On success `info` holds the retained functions
// (possibly none). A file that cannot be opened, or is no regular file, reports "Could not
// open file '<name>'!" and leaves `info` as it was; a file above platform::kLibraryFileLimit
// reports "Memory allocation problem!"; every failure after the open leaves `info` empty.
// <name> is the file-name part of the path.
bool ReadUserLibrary(const std::string& path, LibraryInfo& info, text::Reports& reports);

// The parsing part of ReadUserLibrary, on bytes already in memory. `fileName` is the name the
// skip rules and messages use. Empties `info` first.
//
// Where the data ends early:
// - shorter than the three signatures: "File '<name>' is not a library!";
// - before the function entries start: failure without a message;
// - inside the function entries, before an end mark (a string without its zero, a missing
//   count, parameter bytes or trailer): "File '<name>' is not a library!". A cut-off table
//   must not pass for a shorter library, or a merge would drop the pages of every function
//   after the cut.
bool ParseUserLibrary(std::string_view data, std::string_view fileName, LibraryInfo& info,
                      text::Reports& reports);

// Splits a help string that starts with "(" into its parameter list (up to the ")" closing
// the first "(", or the whole string when none closes it) and its description, trimmed of
// blanks, without a leading "- " or "= ".
void SplitHelpString(std::string_view helpString, LibraryFunction& function);

// True when an entry of this name is left out of the retained functions: a numbered variant
// of `lastRetained`, an internal "_END"/"_INIT" routine, the library's own "INIT"/"END"
// routine, or a nameless entry.
bool IsSkippedEntry(std::string_view name, std::string_view lastRetained,
                    std::string_view fileName);

}  // namespace qs::library
