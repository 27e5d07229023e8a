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

// Runs the compiler on the folder's .hhp, with the folder as working folder, hidden, and
// waits. True only when a non-empty .chm is there afterwards; an old one is deleted first, so
// it cannot pass for a new one. Silent false when compiling is off or no compiler is set.
// The errors and warnings the compiler wrote go into `messages` (when given), also when it
// made no .chm: a .chm made despite errors is still true, and the caller says so.
bool CompileHelp(CompileOptions& options, const std::string& helpFolder,
                 const std::string& libraryFile, platform::ProgramRunner& runner,
                 text::Reports& reports, std::vector<CompilerMessage>* messages = nullptr);

// The options, before the project file, that make the compiler at `compilerPath` name each
// file as it adds it, so that a window can show how far it is: chmcmd does so at its highest
// verbosity. Empty for a compiler not known to need any.
std::vector<std::string> ListingOptions(const std::string& compilerPath);

// Deletes the compiler's leftovers "~hh*.tmp" (any letter case) in the temporary folder.
void DeleteCompilerTempFiles();
void DeleteCompilerTempFiles(const std::string& tempFolder);

}  // namespace qs::output
