#pragma once

// Finding text the way a reader types it: without regard to letter case, in the model's
// Windows-1252 bytes, so that a search never converts the texts it looks through.

#include <cstddef>
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

inline bool ContainsIgnoringCase(std::string_view text, std::string_view needle) {
  return FindIgnoringCase(text, needle) != std::string_view::npos;
}

}  // namespace qs::text
