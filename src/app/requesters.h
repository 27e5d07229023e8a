#pragma once

// The fixed parts of the commands' requesters: titles, filter patterns, default names and
// start folders.

#include <string>
#include <string_view>

#include "app/services.h"

namespace qs::app {

inline constexpr std::string_view kProjectFilter = "QuillSmith Project|*.qsp|All files|*.*";
inline constexpr std::string_view kLibraryFilter = "Libraries|*|All files|*.*";
inline constexpr std::string_view kCompilerFilter =
    "Microsoft HTML Help Compiler|hhc.exe|Executables|*.exe|All files|*.*";
inline constexpr std::string_view kDateMask = "%dd%mm%yyyy_%hh%mm%ss";

// Fills a date mask: "%dd" day, "%mm" month (every occurrence, the one after "%hh" too),
// "%yyyy" year, "%hh" hour, "%ss" second; every field but the year has two digits. Anything
// else is copied.
std::string FormatDateMask(std::string_view mask, const platform::DateTime& when);

// "HelpProject_" + the date mask + ".qsp", after `folder`.
std::string DefaultProjectName(const std::string& folder, const platform::DateTime& when);

// With the first filter pair chosen, a path whose last four characters are not ".qsp" in any
// letter case gets ".qsp" appended; otherwise the path stays as typed.
std::string WithProjectExtension(const std::string& path, int filterIndex);

// The folder part of the project file; else the last project folder; else PureBasic's.
std::string ProjectStartFolder(const std::string& projectFile, const std::string& lastProjectDir,
                               const std::string& purebasicFolder);

}  // namespace qs::app
