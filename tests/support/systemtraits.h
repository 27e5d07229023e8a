#pragma once

// What a test needs to know about the system it runs on: whether that is Windows, where a
// test of POSIX behaviour skips itself with its reason, and the separator the program puts
// into the paths it makes.

#include <string>
#include <string_view>

#include "text/paths.h"

namespace qs::testsupport {

#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// `path` with every "/" turned into the separator the program appends to the folders it
// makes, so that one expectation written with "/" holds on every system.
inline std::string Native(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '/') c = text::NativeSeparator();
  }
  return out;
}

}  // namespace qs::testsupport
