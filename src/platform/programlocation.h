#pragma once

// Where the program lies, and where it keeps its settings and language files.

#include <string>

namespace qs::platform {

// The full path of the running program file; empty when the system does not say.
std::string ProgramPath();

// The folder of the running program file, with its trailing separator.
std::string ProgramFolder();

// The folder of the settings and language files: the program folder when the user may write
// there (a build tree, a portable copy), otherwise the per-user configuration folder
// ("QuillSmith" below $XDG_CONFIG_HOME, or below ~/.config). Ends in a separator. The folder is
// not created here; the writers create it on their first write.
std::string SettingsFolder();

// The rule of SettingsFolder with its inputs given: `configHome` and `home` as the environment
// holds them (possibly empty).
std::string SettingsFolderFor(const std::string& programFolder, bool programFolderWritable,
                              const std::string& configHome, const std::string& home);

}  // namespace qs::platform
