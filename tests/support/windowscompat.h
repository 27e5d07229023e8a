#pragma once

// The few POSIX calls that the tests use to make folders and set variables, for the Windows
// build of the tests. Elsewhere this header adds nothing.

#ifdef _WIN32

#include <process.h>
#include <stdlib.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// Replaces the trailing "XXXXXX" of `pattern` and creates that folder, which must not exist
// yet. Returns `pattern`, or a null pointer when no folder could be made.
inline char* mkdtemp(char* pattern) {
  const std::size_t length = std::strlen(pattern);
  if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
  static std::atomic<unsigned> counter{0};
  std::random_device entropy;
  std::mt19937 generator(entropy() ^ static_cast<unsigned>(_getpid()) ^ counter++);
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (std::size_t i = length - 6; i < length; ++i) {
      pattern[i] = kLetters[generator() % (sizeof kLetters - 1)];
    }
    std::error_code error;
    // create_directory is false for a folder that is already there: another name is tried.
    if (std::filesystem::create_directory(std::filesystem::path(pattern), error)) return pattern;
    if (error) return nullptr;
  }
  return nullptr;
}

// Unlike POSIX, an empty value removes the variable.
inline int setenv(const char* name, const char* value, int overwrite) {
  if (overwrite == 0 && std::getenv(name) != nullptr) return 0;
  return _putenv_s(name, value) == 0 ? 0 : -1;
}

inline int unsetenv(const char* name) {
  return _putenv_s(name, "") == 0 ? 0 : -1;
}

#endif
