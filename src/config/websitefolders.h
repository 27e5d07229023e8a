#pragma once

// The folder each project's website was last written into, in its own file
// "QuillSmith.websites" beside the settings (never in the project file, which other people
// may share): one line per project, its path, a TAB and the folder, ended by CR LF, the
// project used last first, at most 64 projects. Paths are the system's bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace qs::config {

inline constexpr std::string_view kWebsiteFoldersFileName = "QuillSmith.websites";
inline constexpr std::size_t kMaxWebsiteFolders = 64;
inline constexpr std::size_t kWebsiteFoldersMaxBytes = 1024 * 1024;

// The folder the website of the project file `projectFile` went into last; empty when none is
// known (no project file, no entry, or no list of ours in the way).
std::string LastWebsiteFolder(std::string_view settingsFolder, std::string_view projectFile);

// Records `folder` as the website folder of `projectFile`, first in the list. A project
// without a file, a path a line cannot hold (a line break or a TAB), or a file in the way
// that is no list leaves the file as it was; false then, or when it could not be written.
bool RecordWebsiteFolder(std::string_view settingsFolder, std::string_view projectFile,
                         std::string_view folder);

}  // namespace qs::config
