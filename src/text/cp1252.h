#pragma once

// Windows-1252 is the code page of every text the model holds and every file the program
// writes. The window toolkit speaks Unicode (UTF-8 here), so texts cross that boundary
// through these two functions.

#include <string>
#include <string_view>

namespace qs::text {

// UTF-8 to Windows-1252. A character the code page cannot hold becomes an HTML numeric
// character reference ("&#945;"), so it still reaches the generated pages. Bytes that are not
// valid UTF-8 are taken as Windows-1252 bytes as they stand.
std::string Cp1252FromUtf8(std::string_view utf8);

// Windows-1252 to UTF-8. With `decodeReferences`, a numeric character reference whose
// character the code page cannot hold is shown as that character, which makes the pair of
// functions an exact round trip for whatever the user typed.
std::string Utf8FromCp1252(std::string_view cp1252, bool decodeReferences = true);

// Texts that are paths or messages made of paths: UTF-8 when they are valid UTF-8, else
// Windows-1252.
std::string Utf8FromBytes(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// The lower case of a Windows-1252 letter (accented ones included); every other byte as it is.
constexpr char FoldCase1252(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + ('a' - 'A'));
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 0x20);
  switch (c) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
      return static_cast<char>(c + 0x10);
    case 0x9F:  // Y diaeresis
      return static_cast<char>(0xFF);
    default:
      return byte;
  }
}

}  // namespace qs::text
