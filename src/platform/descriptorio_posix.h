#pragma once

// Whole reads and writes at the start of an open file, for the POSIX files of this layer:
// interrupted and partial transfers are continued until every byte has moved.

#include <string>
#include <string_view>

namespace qs::platform {

// Writes `bytes` from offset 0. False on any error (a full disk, the file size limit).
bool WriteAllAt(int fd, std::string_view bytes);

// Fills `bytes` (sized by the caller) from offset 0. False when the file holds fewer.
bool ReadAllAt(int fd, std::string& bytes);

}  // namespace qs::platform
