#pragma once

// The project file: a line-oriented 8-bit text holding the three paths of the project and
// every topic with its texts, in display order. Saving is atomic: the previous file stays
// byte for byte as it was unless every byte of the new one was written.

#include <functional>
#include <string>
#include <string_view>

#include "project/helpproject.h"
#include "text/report.h"

namespace qs::project {

// The first line of every project file, exactly.
inline constexpr std::string_view kProjectHeader = "QuillSmith Project *** DO NOT EDIT ***";

// The three single-byte marks of the file.
inline constexpr char kUserTopicMark = '\xB1';
inline constexpr char kUserIndexMark = '\xF7';
inline constexpr char kEndOfTextMark = '\xB6';

// Answers a Yes/No question; the Report carries the title ("WARNING"), the text and the icon.
using AskYesNo = std::function<bool(const text::Report& question)>;

struct LoadContext {
  std::string purebasicFolder;  // may be empty
  AskYesNo askReplaceLibrary;   // when empty, the library relocation step is skipped entirely
};

// Writes the header, the three paths and one record per row of the topic list, in display
// order. The caller has committed the edit form and set projectFile beforehand, and clears
// `modified` after success. On failure reports "Could not create file '" + path + "'!" and
// leaves any existing file untouched.
bool SaveProject(HelpProject& project, const std::string& path, text::Reports& reports);

// Reads a project file into `project`. On success the topics are replaced, the rows are
// refilled from the store, the Index page is shown and row 0 is selected; projectFile holds
// the value read from the file, which the caller replaces with the path it loaded from.
bool LoadProject(HelpProject& project, const std::string& path, const LoadContext& context,
                 text::Reports& reports);

}  // namespace qs::project
