#pragma once

// The system's temporary folder and the preview folder below it.

#include <string>
#include <string_view>

namespace qs::platform {

// The preview folder's name below the temporary folder.
inline constexpr std::string_view kPreviewFolderName = "~QuillSmith~";

// The system's temporary folder with a trailing separator ($TMPDIR or /tmp on POSIX).
std::string SystemTempFolder();

// SystemTempFolder() + "~QuillSmith~" + separator, created when missing (with its missing
// parents). An existing folder is reused as it is. Empty when the folder cannot be made or
// cannot be trusted: on POSIX it must be a real folder, not a link, owned by the user, and a
// new one is made readable by the user only. Shared temporary folders are writable by
// everyone, so anything less would let another user plant or watch the pages.
std::string MakePreviewFolder();

// The same below a given temporary folder (which must end in a separator).
std::string MakePreviewFolderIn(const std::string& tempFolder);

}  // namespace qs::platform
