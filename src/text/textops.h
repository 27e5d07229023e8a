#pragma once

// Byte-string helpers shared by the model, the readers and the writers. Every text of the
// model is an 8-bit string; nothing here interprets the bytes beyond the ASCII characters
// named.

#include <string>
#include <string_view>
#include <vector>

namespace qs::text {

inline constexpr std::string_view kCrLf = "\r\n";

// Removes leading and trailing blanks. Only the space character counts as a blank; tabs and
// line breaks are kept.
std::string TrimBlanks(std::string_view text);

// Replaces every occurrence of `from` by `to`, scanning left to right. Occurrences do not
// overlap, and text that was inserted is never searched again. An empty `from` changes
// nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Every CR LF becomes "<br>" followed by CR LF; lone CR or LF bytes are left alone.
std::string LineBreaksToHtml(std::string_view text);

// The conversion for code examples: line breaks as above, then every TAB becomes two spaces,
// then every pair of spaces becomes "&nbsp; &nbsp;". Three spaces thus give one entity group
// followed by a plain space.
std::string CodeToHtml(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// ASCII-only case folding, the way the code-page routines of the original platform compare
// file names and keys.
std::string AsciiLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// A 64-bit FNV-1a hash of the bytes as 16 lower-case hex digits: the same in every run and on
// every system (std::hash is not), for file names that a later run must find again.
std::string StableHashHex(std::string_view bytes);

}  // namespace qs::text
