#pragma once

// An installed program lies in <prefix>/bin and finds its shared files in
// <prefix>/share/quillsmith/. A build tree or a portable copy keeps them beside the program.

#include <string>

namespace qs::platform {

// <programFolder>../share/quillsmith/ when that folder exists (the program is installed), else
// empty text.
std::string InstalledDataFolder(const std::string& programFolder);

// The program's own help file: "QuillSmith.chm" beside the program when it is there, else in
// the installed data folder when it is there, else the path beside the program (which does not
// exist).
std::string ProgramHelpFile(const std::string& programFolder);

// The folder of the help file's pages as plain HTML ("QuillSmithHelp/" beside the program or
// in the installed data folder), for showing the help where no viewer for compiled help files
// is installed; empty text when neither holds "QuillSmith.html".
std::string ProgramHelpPages(const std::string& programFolder);

}  // namespace qs::platform
