#pragma once

// The projects used last, most recent first, in their own file "QuillSmith.recent" beside the
// settings file: one path a line, ended by CR LF, each path once, at most eight. Paths are the
// system's bytes, as the project file's own path is.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs::config {

inline constexpr std::string_view kRecentProjectsFileName = "QuillSmith.recent";
inline constexpr std::size_t kMaxRecentProjects = 8;
// Eight paths of the longest length systems allow, with room to spare.
inline constexpr std::size_t kRecentProjectsMaxBytes = 64 * 1024;

// folder + "QuillSmith.recent", with a separator put between them when the folder lacks one.
std::string RecentProjectsFilePath(std::string_view folder);

// The list of the file in `folder`, each path once and at most eight of them, as a file edited
// by hand may hold more. Empty when there is no file or it cannot be taken as a list.
std::vector<std::string> ReadRecentProjects(std::string_view folder);

// `list` with `path` put first: an earlier entry of the same path moves up, and the oldest
// entry goes when there are more than eight.
std::vector<std::string> WithRecentProject(std::vector<std::string> list, std::string_view path);

// Records `path` as the project used last and returns the list as it now stands. The path is
// made absolute first, so that a project named relative to the folder the program started in
// is still found from anywhere. A path that a line cannot hold (it has a line break), or a
// file in the way that is no list, leaves the file as it was.
std::vector<std::string> RecordRecentProject(std::string_view folder, std::string_view path);

}  // namespace qs::config
