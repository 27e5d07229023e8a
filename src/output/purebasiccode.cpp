#include "output/purebasiccode.h"

#include <algorithm>
#include <string>

namespace qs::output {
namespace {

// The language's keywords, from the list the build reads out of data/purebasic-keywords.txt.
constexpr std::string_view kKeywords[] = {
#include "output/purebasickeywords.inc"
};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view word) {
  std::string out(word);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

// The keywords in lower case, sorted, for a look-up that ignores letter case.
const std::vector<std::string>& LoweredKeywords() {
  static const std::vector<std::string> keywords = [] {
    std::vector<std::string> list;
    for (const std::string_view keyword : kKeywords) list.push_back(Lowered(keyword));
    std::sort(list.begin(), list.end());
    return list;
  }();
  return keywords;
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNameChar(char c) {
  return IsLetter(c) || IsDigit(c);
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

class Scanner {
 public:
  explicit Scanner(std::string_view code) : code_(code) {}

  std::vector<CodeToken> Run() {
    while (at_ < code_.size()) Step();
    return std::move(tokens_);
  }

 private:
  char At(std::size_t pos) const { return pos < code_.size() ? code_[pos] : '\0'; }

  void Emit(std::size_t end, CodeKind kind) {
    tokens_.push_back({at_, end - at_, kind});
    operand_ = kind != CodeKind::Keyword && kind != CodeKind::Comment;
    at_ = end;
  }

  std::size_t LineEndFrom(std::size_t pos) const {
    while (pos < code_.size() && !IsLineEnd(code_[pos])) ++pos;
    return pos;
  }

  // A string from its opening quote at `open`, to its closing one or the end of the line.
  std::size_t StringEnd(std::size_t open, char quote, bool escapes) const {
    std::size_t pos = open + 1;
    while (pos < code_.size() && code_[pos] != quote && !IsLineEnd(code_[pos])) {
      pos += escapes && code_[pos] == '\\' && pos + 1 < code_.size() && !IsLineEnd(code_[pos + 1])
                 ? 2
                 : 1;
    }
    return pos < code_.size() && code_[pos] == quote ? pos + 1 : pos;
  }

  std::size_t NumberEnd(std::size_t pos) const {
    while (IsDigit(At(pos))) ++pos;
    if (At(pos) == '.' && IsDigit(At(pos + 1))) {
      ++pos;
      while (IsDigit(At(pos))) ++pos;
    }
    if (At(pos) == 'e' || At(pos) == 'E') {
      std::size_t exponent = pos + 1;
      if (At(exponent) == '+' || At(exponent) == '-') ++exponent;
      if (IsDigit(At(exponent))) {
        pos = exponent;
        while (IsDigit(At(pos))) ++pos;
      }
    }
    return pos;
  }

  void Name() {
    std::size_t end = at_;
    while (IsNameChar(At(end))) ++end;
    const bool stringVariable = At(end) == '$';
    if (stringVariable) ++end;
    const char before = at_ > 0 ? code_[at_ - 1] : '\0';
    const bool member = before == '.' || before == '\\';
    std::size_t next = end;
    while (IsBlank(At(next))) ++next;
    if (!member && !stringVariable && IsPureBasicKeyword(code_.substr(at_, end - at_))) {
      Emit(end, CodeKind::Keyword);
    } else if (!member && At(next) == '(') {
      Emit(end, CodeKind::Call);
    } else {
      at_ = end;
      operand_ = true;
    }
  }

  void Step() {
    const char c = code_[at_];
    if (IsLineEnd(c)) {
      ++at_;
      operand_ = false;
    } else if (c == ';') {
      Emit(LineEndFrom(at_), CodeKind::Comment);
    } else if (c == '"' || c == '\'') {
      Emit(StringEnd(at_, c, false), CodeKind::String);
    } else if (c == '~' && At(at_ + 1) == '"') {
      Emit(StringEnd(at_ + 1, '"', true), CodeKind::String);
    } else if (c == '#' && IsLetter(At(at_ + 1))) {
      std::size_t end = at_ + 1;
      while (IsNameChar(At(end))) ++end;
      if (At(end) == '$') ++end;
      Emit(end, CodeKind::Constant);
    } else if (IsDigit(c)) {
      Emit(NumberEnd(at_), CodeKind::Number);
    } else if (c == '$' && IsHexDigit(At(at_ + 1))) {
      std::size_t end = at_ + 1;
      while (IsHexDigit(At(end))) ++end;
      Emit(end, CodeKind::Number);
    } else if (c == '%' && !operand_ && (At(at_ + 1) == '0' || At(at_ + 1) == '1')) {
      std::size_t end = at_ + 1;
      while (At(end) == '0' || At(end) == '1') ++end;
      Emit(end, CodeKind::Number);
    } else if (IsLetter(c)) {
      Name();
    } else if (const std::size_t reference = CharacterReferenceLength(code_, at_); reference > 0) {
      at_ += reference;
      operand_ = true;
    } else {
      ++at_;
      // What closes an operand leaves one before the next character; anything else does not.
      if (!IsBlank(c)) operand_ = c == ')' || c == ']';
    }
  }

  std::string_view code_;
  std::size_t at_ = 0;
  // An operand ends right before the current position (blanks aside), so "%" is the modulo.
  bool operand_ = false;
  std::vector<CodeToken> tokens_;
};

}  // namespace

std::vector<CodeToken> PureBasicTokens(std::string_view code) {
  return Scanner(code).Run();
}

std::size_t CharacterReferenceLength(std::string_view text, std::size_t at) {
  if (text.substr(at, 2) != "&#") return 0;
  std::size_t end = at + 2;
  const bool hex = end < text.size() && (text[end] == 'x' || text[end] == 'X');
  if (hex) ++end;
  const std::size_t digits = end;
  while (end < text.size() && (hex ? IsHexDigit(text[end]) : IsDigit(text[end]))) ++end;
  if (end == digits || end >= text.size() || text[end] != ';') return 0;
  return end + 1 - at;
}

bool IsPureBasicKeyword(std::string_view word) {
  // Compared in lower case as it is read: a look-up per name of every example costs no copy.
  const auto lowerLess = [](std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
  };
  const auto& keywords = LoweredKeywords();
  return std::binary_search(keywords.begin(), keywords.end(), word, lowerLess);
}

CodeStyle StyleOf(CodeKind kind) {
  switch (kind) {
    case CodeKind::Keyword:
      return {"#006666", true};
    case CodeKind::Comment:
      return {"#00AAAA", false};
    case CodeKind::String:
      return {"#993300", false};
    case CodeKind::Number:
      return {"#0000CC", false};
    case CodeKind::Constant:
      return {"#924B72", false};
    case CodeKind::Call:
      return {"#006666", false};
    case CodeKind::Plain:
      break;
  }
  return {"", false};
}

}  // namespace qs::output
