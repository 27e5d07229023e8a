#pragma once

// Turns the functions of a user library into the topics of the help project: afresh (Index,
// one page per function, License) or merged into the existing topics without touching what
// the author wrote.

#include <string>
#include <string_view>

#include "library/libraryinfo.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::library {

// The License page's text: four lines separated by single line feeds, none at the end.
inline constexpr std::string_view kLicenseText =
    "This purebasic user library is provided 'as-is', without any express or implied "
    "warranty.\n"
    "In no event will the author be held liable for any damages arising from the use of this "
    "software.\n"
    "Permission is granted to anyone to use this software for any purpose, including "
    "commercial\n"
    "applications, and redistribute it freely.";

// The name of the License page.
inline constexpr std::string_view kLicenseName = "License";

// Leaves out of `info` every function whose name cannot become a page, each with a warning
// naming it, and warns about names that are kept but whose pages collide on some systems:
// - a name holding a quote, "<", ">", "&", "/", "\", TAB, CR or LF: "Function '<name>'
//   skipped: a page name cannot hold '<character>'!" (TAB, CR, LF shown as \t, \r, \n);
// - a name of the Index or the License page, in any letter case: "Function '<name>' skipped:
//   its page would replace the <page> page!";
// - a second function of a name: "Function '<name>' skipped: a function of the same name comes
//   first!", followed by " Its own help: " and its syntax line and help when it has any;
// - kept with a warning, a name that differs from an earlier one only in letter case, and a
//   device name of Windows (CON, NUL, AUX, PRN, COM1 to COM9, LPT1 to LPT9, in any case).
// Every program that reads a library for its pages checks the names here.
void CheckFunctionNames(LibraryInfo& info, text::Reports& reports);

// Whether an extraction into `project` merges the library into its topics (rather than
// building them afresh): when the author asked to keep the data and there are topics to keep.
bool MergesInto(const project::HelpProject& project, bool keepExistingData);

// Reads the library at `path` into `info`, checks its names (CheckFunctionNames) and rebuilds
// the topics from it: merged when `keepExistingData` is set and the project has topics,
// afresh otherwise. On success sets `modified`; the rows of the topic list are not touched.
// A library without functions left reports "No functions found in library '<path>'!". On
// failure the topics and `modified` are unchanged.
bool BuildTopicsFromLibrary(project::HelpProject& project, const std::string& path,
                            bool keepExistingData, LibraryInfo& info, text::Reports& reports);

// Replaces every topic by the Index page, one page per function and the License page, and
// selects the Index page. `fileName` names the library in the two titles.
void BuildFreshTopics(project::HelpProject& project, std::string_view fileName,
                      const LibraryInfo& info);

// Merges `info` into the existing topics: the syntax line and parameters follow the library,
// the title and description are filled only where empty, the example and the flags are never
// touched; function pages whose function is gone are removed, user topics and user index
// entries stay. New pages go just before the first stored user topic (at the end of the
// store when there is none), never before the Index page. Linear in topics plus functions.
void MergeLibraryTopics(project::HelpProject& project, std::string_view fileName,
                        const LibraryInfo& info);

// The rows after a merge: the rows keep the order the author gave them, a row whose topic is
// gone leaves, and the stored topics without a row (the new function pages) go, in store
// order, just before the first user topic's row (at the end when there is none, never before
// the Index page's row). Without any row, the rows are refilled from the store.
void KeepRowsAfterMerge(project::HelpProject& project);

// The extraction command on the model: builds the topics from `libraryFile` (nothing happens
// when it is empty), then sets the rows (after a merge as KeepRowsAfterMerge says, after a
// fresh build from the store), recomputes the functions lists and selects row 0. On failure the
// shown topic stays, so the form that still shows that topic goes on committing into it.
bool ExtractLibraryInfo(project::HelpProject& project, bool keepExistingData, LibraryInfo& info,
                        text::Reports& reports);

}  // namespace qs::library
