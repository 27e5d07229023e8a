#pragma once

// Where the help compiler lives. On Linux it is chmcmd found on PATH; on Windows the folder
// that the HTML Help Workshop registered.

#include <string>
#include <string_view>

namespace qs::platform {

// The full path of the help compiler, or an empty text when none is found. Whether the file
// is usable is for the caller to decide.
std::string FindHelpCompiler();

// The first folder of `pathValue` (a PATH-style list split at `listSeparator`; an empty entry
// is the current folder) that holds an executable regular file `program`, as an absolute
// path to that file. Empty when none does.
std::string FindProgramOnPath(std::string_view program, std::string_view pathValue,
                              char listSeparator);

// The line of the About text that says what the program needs in the path here: on Windows the
// compiler and the DLL the embedded browser of that system needs; elsewhere only the compiler,
// by the name it is found under.
std::string_view NeededInPathNote();

// The Linux compiler's file name.
inline constexpr std::string_view kHelpCompilerName = "chmcmd";

}  // namespace qs::platform
