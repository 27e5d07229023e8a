#pragma once

// The help folder: the help project file (.hhp), the contents (.hhc), optionally the keyword
// index (.hhk), Index.html and one page per further topic, as the help compiler reads them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/languagetable.h"
#include "output/buildoptions.h"
#include "output/buildrecord.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::output {

// Writes the whole help folder into `folder` (a separator is appended when it ends in none).
// The record is emptied first and then names every file written, in writing order. Returns
// the paths, each followed by LF; an empty text when a file could not be written (reported;
// the files written so far stay, and stay in the record).
//
// A page lands at folder + name + ".html", where "/" and "\" in the name make sub-folders. A
// name that would leave the folder (a ".." part, a drive such as "C:") gets no page: the build
// fails on it as on any file that cannot be created.
//
// With `options.keywordIndex` the keyword index is written right after the contents and is
// recorded and logged like every other file.
//
// After a build that wrote every file, the files of the build before it in the same folder
// that this one did not write are removed (those of deleted or renamed topics, a keyword index
// no longer asked for), with the sub-folders they leave empty. They are known from the record,
// when it names a build into this folder, and from the help project file the earlier build
// left there (see FilesNamedInHelpProject). Nothing else is ever removed: no file of another
// name (pictures, the compiled help, the author's own files), nothing outside the folder, no
// link and nothing behind one.
//
// Every file is reached from the folder opened once, as platform::OutputFolder writes: an
// existing page is overwritten where it is; a link or a hard link at a page's name is
// replaced, never written through; a pipe or a device there, or a sub-folder that is a link,
// fails the build ("Could not create file") and is left alone.
std::string BuildHelpFolder(const project::HelpProject& project,
                            const config::LanguageTable& captions, const std::string& folder,
                            BuildRecord& record, text::Reports& reports,
                            const BuildOptions& options = {});

// With `options.keywordIndex` the .hhp names the keyword index right after the contents.
std::string HelpProjectFileText(const project::HelpProject& project,
                                const BuildOptions& options = {});
std::string ContentsFileText(const project::HelpProject& project,
                             const config::LanguageTable& captions);
// The keyword index: a sitemap like the contents, one entry per page (every topic but the
// Index page), keyed by the topic's name and leading to its page. The entries are sorted
// without regard to letter case (the letters of Windows-1252, accented ones included, count
// as their lower case), and names that differ only in case by their bytes, upper case first.
// A name that occurs twice gives one entry; an empty name gives none.
std::string KeywordIndexText(const project::HelpProject& project);

// The files that a help project file written by this program names, relative to its folder:
// the contents and the keyword index of its options, and each page of its [FILES] list, as the
// page's path below the folder (both separators turned into the system's). A text that does
// not start with this program's first line names none; entries that are no page of a topic, or
// that would leave the folder, are passed over.
std::vector<std::string> FilesNamedInHelpProject(std::string_view hhpText);

// The path of a topic's page in `folder` (which ends in a separator), with both separators
// of the name turned into the system's; nothing when the name would leave the folder.
std::optional<std::string> PagePathInFolder(const std::string& folder, const std::string& name);

// Deletes the files of the record that are still regular files: whatever has taken the place
// of one (a link, a pipe, a folder) stays. Only files inside the record's folder are touched,
// reached from that folder without following links, whatever the record says. Reports
// nothing.
void EraseBuildFiles(const BuildRecord& record);

// True when `path` lies inside `folder` (both as the record holds them): lexically, and,
// where the path goes through sub-folders, also after links are resolved.
bool LiesInsideFolder(const std::string& path, const std::string& folder);

}  // namespace qs::output
