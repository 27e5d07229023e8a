#pragma once

// Turning a built help folder into one compiled help file, and the clean-up after it.

#include <string>
#include <vector>

#include "output/compileoptions.h"
#include "output/compilermessages.h"
#include "platform/programrunner.h"
#include "text/report.h"

namespace qs::output {

// "Help compiler not found!" with the path the compiler was expected at.
text::Report CompilerNotFoundReport(const std::string& compilerPath);

// helpFolder (separator appended when missing) + library name + ".chm".
std::string CompiledFilePath(const std::string& helpFolder, const std::string& libraryFile);

// Runs the compiler on the folder's .hhp, hidden, and waits. True only when it made a
// non-empty .chm, which is then in the help folder; an old one there is deleted first, so it
// cannot pass for a new one. Silent false when compiling is off or no compiler is set.
//
// The compiler works on a copy, in a private folder made for this run (see CopyForCompiler),
// and its .chm is written into the help folder as the pages are (a link or hard link at its
// name is replaced, never written through). So a link that someone else puts into the help
// folder can neither have the compiler write elsewhere nor pack a file that person cannot read.
//
// The errors and warnings the compiler wrote go into `messages` (when given), also when it
// made no .chm, with the paths of the copy given as the help folder's, and after the errors
// first a warning for each file that was left out of the copy; a .chm made despite errors is
// still true, and the caller says so. The compiler's leftovers in the temporary folder that
// appeared during the run and belong to this user go into `leftovers` (when given), for
// DeleteCompilerTempFiles.
bool CompileHelp(CompileOptions& options, const std::string& helpFolder,
                 const std::string& libraryFile, platform::ProgramRunner& runner,
                 text::Reports& reports, std::vector<CompilerMessage>* messages = nullptr,
                 std::vector<std::string>* leftovers = nullptr);

// The options, before the project file, that make the compiler at `compilerPath` name each
// file as it adds it, so that a window can show how far it is: chmcmd does so at its highest
// verbosity. Empty for a compiler not known to need any.
std::vector<std::string> ListingOptions(const std::string& compilerPath);

// The compiler's leftovers "~hh*.tmp" (any letter case) in `tempFolder`: the full paths of the
// regular files of that name there that belong to this user.
std::vector<std::string> CompilerTempFiles(const std::string& tempFolder);

// Deletes those of `leftovers` that are still regular files of this user. Other users share
// the temporary folder, and another compile may be running: only what a run made goes.
void DeleteCompilerTempFiles(const std::vector<std::string>& leftovers);

}  // namespace qs::output
