#pragma once

// A picture of everything below a test's folder, and a way to run code in a child process
// whose files cannot grow past a size limit (the disk is "full" there).

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "support/tempfolder.h"

namespace qs::hardening {

// Each test works in its own folder.
using testsupport::TempFolder;

// Every entry below `folder`, by relative path: "dir", "link -> target", or the file's bytes.
// Links are listed, never followed.
using Picture = std::map<std::string, std::string>;
Picture TakePicture(const std::string& folder);
// The entries of `picture` that lie below `relativeFolder` (a prefix such as "help/").
Picture Without(Picture picture, std::string_view relativeFolder);

// Runs `body` in a forked child whose files cannot grow past `fileSizeLimit` bytes: a write
// beyond it fails as on a full disk. Returns what `body` returned, or "crashed" when the
// child did not end normally; a child still running after `seconds` is killed, so a hang
// fails the test instead of stopping the suite. Keep `body` to plain calls: it runs in a
// copy of the process.
std::string RunWithFileSizeLimit(std::uintmax_t fileSizeLimit,
                                 const std::function<std::string()>& body, unsigned seconds = 60);

}  // namespace qs::hardening
