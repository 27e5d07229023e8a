#include "text/textsearch.h"

#include <array>

#include "text/cp1252.h"

namespace qs::text {

namespace {

// FoldCase1252 looked up rather than computed: the search folds every byte it passes.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[static_cast<std::size_t>(c)] =
        static_cast<unsigned char>(FoldCase1252(static_cast<char>(c)));
  }
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  if (needle.size() > text.size() - from) return std::string_view::npos;
  const unsigned char first = kFold[static_cast<unsigned char>(needle[0])];
  const std::size_t last = text.size() - needle.size();
  for (std::size_t pos = from; pos <= last; ++pos) {
    if (kFold[static_cast<unsigned char>(text[pos])] != first) continue;
    std::size_t i = 1;
    while (i < needle.size() && kFold[static_cast<unsigned char>(text[pos + i])] ==
                                    kFold[static_cast<unsigned char>(needle[i])]) {
      ++i;
    }
    if (i == needle.size()) return pos;
  }
  return std::string_view::npos;
}

std::string FoldedCase(std::string_view text) {
  std::string folded(text);
  for (char& byte : folded) byte = static_cast<char>(kFold[static_cast<unsigned char>(byte)]);
  return folded;
}

}  // namespace qs::text
