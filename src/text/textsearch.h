#pragma once

// Finding text the way a reader types it: without regard to letter case, in the model's
// Windows-1252 bytes, so that a search never converts the texts it looks through.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qs::text {

// The first position at or after `from` where `needle` occurs in `text` with letter case
// ignored; npos when it does not. An empty needle is found at `from`.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// `text` with every letter in one case, as FindIgnoringCase compares them: a needle folded the
// same way is found in it by a plain search, which lets a list searched on every keystroke
// fold its names once.
std::string FoldedCase(std::string_view text);

// The kinds of byte `text` holds, one bit per kind (a byte's low five bits): a text can hold a
// needle only when it holds every kind the needle holds.
inline std::uint32_t ByteKinds(std::string_view text) {
  std::uint32_t kinds = 0;
  for (const char byte : text)
    kinds |= std::uint32_t{1} << (static_cast<unsigned char>(byte) & 31u);
  return kinds;
}

// Whether `text` holds `needle` byte for byte, as text.find(needle) would say. It looks for the
// needle's first byte with memchr rather than byte by byte, as a list searched on every
// keystroke tries each of its names.
inline bool Holds(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  if (needle.size() > text.size()) return false;
  const char* at = text.data();
  // The last place the needle can start.
  const char* const last = text.data() + (text.size() - needle.size());
  while (at <= last) {
    at = static_cast<const char*>(
        std::memchr(at, needle.front(), static_cast<std::size_t>(last - at) + 1));
    if (at == nullptr) return false;
    if (needle.size() == 1 || std::memcmp(at + 1, needle.data() + 1, needle.size() - 1) == 0) {
      return true;
    }
    ++at;
  }
  return false;
}

inline bool ContainsIgnoringCase(std::string_view text, std::string_view needle) {
  return FindIgnoringCase(text, needle) != std::string_view::npos;
}

}  // namespace qs::text
