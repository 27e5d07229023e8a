#pragma once

// The project file: a line-oriented 8-bit text holding the three paths of the project and
// every topic with its texts, in display order. Saving is atomic: the previous file stays
// byte for byte as it was unless every byte of the new one was written.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/atomicfile.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::project {

// The first line of every project file, exactly.
inline constexpr std::string_view kProjectHeader = "QuillSmith Project *** DO NOT EDIT ***";

// The three single-byte marks of the file.
inline constexpr char kUserTopicMark = '\xB1';
inline constexpr char kUserIndexMark = '\xF7';
inline constexpr char kEndOfTextMark = '\xB6';

// The most pages a project file may hold. A real help has a few thousand; a file of many
// millions of nearly empty records (each still a whole topic in memory) is refused before it
// takes more memory than the machine has, and a project is never saved with more than a load
// takes back.
inline constexpr std::size_t kProjectPageLimit = 1'000'000;

// Answers a Yes/No question; the Report carries the title ("WARNING"), the text and the icon.
using AskYesNo = std::function<bool(const text::Report& question)>;

struct LoadContext {
  std::string purebasicFolder;  // may be empty
  AskYesNo askReplaceLibrary;   // when empty, the library relocation step is skipped entirely
};

// The messages of a refused save and a refused load; `what` names the field that holds a line
// break (for example "the title of the page 'Open'").
std::string LineBreakMessage(std::string_view what);
std::string TooManyPagesToSaveMessage();
std::string TooLargeMessage(const std::string& path);
std::string TooManyPagesMessage(const std::string& path);

// Writes the header, the three paths and one record per row of the topic list, in display
// order. The caller has committed the edit form and set projectFile beforehand, and clears
// `modified` after success. On failure reports "Could not create file '" + path + "'!" and
// leaves any existing file untouched; a file the user made read-only is such a failure.
//
// A one-line field that holds a line end (CR, LF or a zero byte: a path, or a written topic's
// name, parameter list or title) would come back split and shift every line after it. Such
// a project is refused before anything is written, with "Could not save the project: " + what
// + " holds a line break!" (title "Error"), the value shown with its line ends as \r, \n, \0.
// A project of more than kProjectPageLimit rows is refused with "Could not save the project:
// it has more than 1000000 pages!".
// `options` tell how the file is written (the recovery copies are private files, and a save
// in place keeps a copy of its bytes elsewhere until it is complete).
bool SaveProject(HelpProject& project, const std::string& path, text::Reports& reports,
                 const platform::WriteOptions& options = {});

// Reads a project file into `project`. On success the topics are replaced, the rows are
// refilled from the store, the Index page is shown and row 0 is selected; projectFile holds
// the value read from the file, which the caller replaces with the path it loaded from.
// Anything but a regular file reports "Could not read file '" + path + "'!"; a file above
// platform::kProjectFileLimit reports "The file '" + path + "' is too large for a project
// (more than 256 MB)!", and one of more than kProjectPageLimit records "The file '" + path +
// "' holds too many pages for a project (more than 1000000)!". Each leaves the project as it
// was.
bool LoadProject(HelpProject& project, const std::string& path, const LoadContext& context,
                 text::Reports& reports);

}  // namespace qs::project
