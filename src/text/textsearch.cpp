#include "text/textsearch.h"

#include <array>

namespace qs::text {

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c)
    table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // Latin capitals with accents; 0xD7 is the multiplication sign.
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  }
  // S and Z with caron, the OE ligature, Y with diaeresis.
  table[0x8A] = 0x9A;
  table[0x8C] = 0x9C;
  table[0x8E] = 0x9E;
  table[0x9F] = 0xFF;
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

unsigned char FoldCp1252(unsigned char c) {
  return kFold[c];
}

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

}  // namespace qs::text
