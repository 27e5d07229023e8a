#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "config/languagetable.h"
#include "flows/ports.h"
#include "project/helpproject.h"

namespace qs::cli {

// Opens the project named by the command's one plain argument for a command that writes
// output from it, and gives the folder to write into: --out, else the project's help folder.
// False, with the load's messages on `err`, when the project cannot be loaded.
bool OpenForOutput(flows::ProjectFiles& files, const Arguments& args, project::HelpProject& project,
                   std::string& folder, std::ostream& err);

// The six page captions: the built-in ones, or those of the --language-file given. Nothing,
// with the message on `err`, when that file cannot be read or is no language file.
std::optional<config::LanguageTable> ReadCaptions(const Arguments& args, std::ostream& err);

}  // namespace qs::cli
