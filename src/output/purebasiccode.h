#pragma once

// PureBasic source as its author reads it in the editor: which parts of a line are keywords,
// comments, strings, numbers, constants and procedure calls. The pages colour the examples by
// it and the Example editor colours them as they are typed, so both agree.
//
// The reading is the language's own, line by line (no string or comment runs over a line
// break): ";" starts a comment; "..." is a string, ~"..." one with backslash escapes, '...' a
// character; digits (with a fraction and an exponent), "$" with hexadecimal digits and "%"
// with binary ones (where no operand comes before it, else it is the modulo) are numbers; "#"
// before a name is a constant; a name is a keyword of the language (letter case ignored), or
// a call when "(" follows it after blanks. A name right after "." or "\" is a type or a field,
// and a name ending in "$" a string variable: neither is a keyword. A character reference
// ("&#945;", as the model keeps characters beyond Windows-1252) is one plain character.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qs::output {

enum class CodeKind : std::uint8_t { Plain, Keyword, Comment, String, Number, Constant, Call };

struct CodeToken {
  std::size_t start = 0;
  std::size_t length = 0;
  CodeKind kind = CodeKind::Plain;

  friend bool operator==(const CodeToken&, const CodeToken&) = default;
};

// The parts of `code` that are not plain, in order and without overlap; the bytes between
// them are plain. Bytes beyond ASCII are plain characters of no name.
std::vector<CodeToken> PureBasicTokens(std::string_view code);

// Whether `word` is a keyword of the language, without regard to letter case.
bool IsPureBasicKeyword(std::string_view word);

// The length of the numeric character reference at `at` ("&#945;", "&#x3B1;"); 0 for none.
std::size_t CharacterReferenceLength(std::string_view text, std::size_t at);

// How a kind is shown: its colour as "#RRGGBB" and whether it is bold. Plain text keeps the
// page's (or the editor's) own colour.
struct CodeStyle {
  std::string_view colour;
  bool bold = false;
};
CodeStyle StyleOf(CodeKind kind);

}  // namespace qs::output
