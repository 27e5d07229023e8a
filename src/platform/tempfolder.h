#pragma once

// The system's temporary folder.

#include <string>

namespace qs::platform {

// The system's temporary folder with a trailing separator ($TMPDIR or /tmp on POSIX).
std::string SystemTempFolder();

}  // namespace qs::platform
