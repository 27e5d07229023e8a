#include "support/autolinkreference.h"

#include <algorithm>

#include "output/pagenames.h"

namespace qs::testsupport {
namespace {

bool Identifier(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool Letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

bool Hex(char c) {
  return Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool Space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// What a browser makes of one byte of the description.
enum class Role { Text, LinkText, Markup };

// The length of the character reference at `at` ("&name", "&#digits", "&#xhex", each with a
// ";" after it when there is one), 0 when the "&" is text.
std::size_t ReferenceLength(std::string_view text, std::size_t at) {
  std::size_t i = at + 1;
  if (i < text.size() && text[i] == '#') {
    ++i;
    if (i + 1 < text.size() && Lower(text[i]) == 'x' && Hex(text[i + 1])) {
      ++i;
      while (i < text.size() && Hex(text[i])) ++i;
    } else if (i < text.size() && Digit(text[i])) {
      while (i < text.size() && Digit(text[i])) ++i;
    } else {
      return 0;
    }
  } else {
    const std::size_t first = i;
    while (i < text.size() && (Letter(text[i]) || Digit(text[i]))) ++i;
    if (i == first) return 0;
  }
  if (i < text.size() && text[i] == ';') ++i;
  return i - at;
}

// The browser's tokenizer, state by state, reduced to what matters here: which bytes it shows
// as text, and which of them lie inside the author's own links.
std::vector<Role> Read(std::string_view text) {
  enum class State {
    Data,
    TagOpen,
    EndTagOpen,
    TagName,
    BeforeAttributeName,
    AttributeName,
    AfterAttributeName,
    BeforeAttributeValue,
    AttributeValueQuoted,
    AttributeValueUnquoted,
    AfterAttributeValueQuoted,
    SelfClosingStartTag,
    MarkupDeclarationOpen,
    CommentStart,
    CommentStartDash,
    Comment,
    CommentEndDash,
    CommentEnd,
    CommentEndBang,
    BogusComment,
    RawText,
    RawTextLessThan,
    RawTextEndTagOpen,
    RawTextEndTagName,
    PlainText
  };
  const std::vector<std::string> rawTextElements = {
      "script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript"};

  std::vector<Role> roles(text.size(), Role::Markup);
  State state = State::Data;
  std::size_t unitStart = 0;
  std::string tagName;
  bool endTag = false;
  char quote = '"';
  std::string rawTextElement;
  std::string endTagBuffer;
  bool inLink = false;

  const auto emitTag = [&] {
    state = State::Data;
    if (tagName == "a") inLink = !endTag;
    if (endTag) return;
    if (tagName == "plaintext") state = State::PlainText;
    if (std::find(rawTextElements.begin(), rawTextElements.end(), tagName) !=
        rawTextElements.end()) {
      rawTextElement = tagName;
      state = State::RawText;
    }
  };

  std::size_t i = 0;
  while (i <= text.size()) {
    const bool eof = i == text.size();
    const char c = eof ? '\0' : text[i];
    switch (state) {
      case State::Data:
        if (eof) return roles;
        if (c == '<') {
          unitStart = i;
          state = State::TagOpen;
        } else if (const std::size_t length = ReferenceLength(text, i); c == '&' && length != 0) {
          i += length;
          continue;
        } else {
          roles[i] = inLink ? Role::LinkText : Role::Text;
        }
        ++i;
        continue;
      case State::TagOpen:
        if (!eof && c == '!') {
          state = State::MarkupDeclarationOpen;
          ++i;
        } else if (!eof && c == '/') {
          state = State::EndTagOpen;
          ++i;
        } else if (!eof && Letter(c)) {
          endTag = false;
          tagName.clear();
          state = State::TagName;
        } else if (!eof && c == '?') {
          state = State::BogusComment;
        } else {
          roles[unitStart] = inLink ? Role::LinkText : Role::Text;
          state = State::Data;
        }
        continue;
      case State::EndTagOpen:
        if (eof) {
          roles[unitStart] = roles[unitStart + 1] = inLink ? Role::LinkText : Role::Text;
          return roles;
        }
        if (Letter(c)) {
          endTag = true;
          tagName.clear();
          state = State::TagName;
        } else if (c == '>') {
          state = State::Data;
          ++i;
        } else {
          state = State::BogusComment;
        }
        continue;
      case State::TagName:
        if (eof) return roles;
        if (Space(c)) {
          state = State::BeforeAttributeName;
        } else if (c == '/') {
          state = State::SelfClosingStartTag;
        } else if (c == '>') {
          emitTag();
        } else {
          tagName += Lower(c);
        }
        ++i;
        continue;
      case State::BeforeAttributeName:
        if (!eof && Space(c)) {
          ++i;
        } else if (eof || c == '/' || c == '>') {
          state = State::AfterAttributeName;
        } else if (c == '=') {
          state = State::AttributeName;
          ++i;
        } else {
          state = State::AttributeName;
        }
        continue;
      case State::AttributeName:
        if (eof || Space(c) || c == '/' || c == '>') {
          state = State::AfterAttributeName;
          continue;
        }
        if (c == '=') state = State::BeforeAttributeValue;
        ++i;
        continue;
      case State::AfterAttributeName:
        if (eof) return roles;
        if (c == '/') {
          state = State::SelfClosingStartTag;
        } else if (c == '=') {
          state = State::BeforeAttributeValue;
        } else if (c == '>') {
          emitTag();
        } else if (!Space(c)) {
          state = State::AttributeName;
          continue;
        }
        ++i;
        continue;
      case State::BeforeAttributeValue:
        if (!eof && Space(c)) {
          ++i;
        } else if (!eof && (c == '"' || c == '\'')) {
          quote = c;
          state = State::AttributeValueQuoted;
          ++i;
        } else if (!eof && c == '>') {
          emitTag();
          ++i;
        } else {
          state = State::AttributeValueUnquoted;
        }
        continue;
      case State::AttributeValueQuoted:
        if (eof) return roles;
        if (c == quote) state = State::AfterAttributeValueQuoted;
        ++i;
        continue;
      case State::AttributeValueUnquoted:
        if (eof) return roles;
        if (Space(c)) {
          state = State::BeforeAttributeName;
        } else if (c == '>') {
          emitTag();
        }
        ++i;
        continue;
      case State::AfterAttributeValueQuoted:
        if (eof) return roles;
        if (Space(c)) {
          state = State::BeforeAttributeName;
        } else if (c == '/') {
          state = State::SelfClosingStartTag;
        } else if (c == '>') {
          emitTag();
        } else {
          state = State::BeforeAttributeName;
          continue;
        }
        ++i;
        continue;
      case State::SelfClosingStartTag:
        if (eof) return roles;
        if (c == '>') {
          emitTag();
          ++i;
        } else {
          state = State::BeforeAttributeName;
        }
        continue;
      case State::MarkupDeclarationOpen:
        // A doctype and a CDATA section outside foreign content end at the first ">" as a
        // bogus comment does.
        if (text.substr(i, 2) == "--") {
          state = State::CommentStart;
          i += 2;
        } else {
          state = State::BogusComment;
        }
        continue;
      case State::CommentStart:
        if (!eof && c == '-') {
          state = State::CommentStartDash;
          ++i;
        } else if (!eof && c == '>') {
          state = State::Data;
          ++i;
        } else {
          state = State::Comment;
        }
        continue;
      case State::CommentStartDash:
        if (eof) return roles;
        if (c == '-') {
          state = State::CommentEnd;
        } else if (c == '>') {
          state = State::Data;
        } else {
          state = State::Comment;
          continue;
        }
        ++i;
        continue;
      case State::Comment:
        // The states of a "<!--" nested in a comment lead where its dashes alone lead.
        if (eof) return roles;
        if (c == '-') state = State::CommentEndDash;
        ++i;
        continue;
      case State::CommentEndDash:
        if (eof) return roles;
        if (c == '-') {
          state = State::CommentEnd;
          ++i;
        } else {
          state = State::Comment;
        }
        continue;
      case State::CommentEnd:
        if (eof) return roles;
        if (c == '>') {
          state = State::Data;
        } else if (c == '!') {
          state = State::CommentEndBang;
        } else if (c != '-') {
          state = State::Comment;
          continue;
        }
        ++i;
        continue;
      case State::CommentEndBang:
        if (eof) return roles;
        if (c == '-') {
          state = State::CommentEndDash;
        } else if (c == '>') {
          state = State::Data;
        } else {
          state = State::Comment;
          continue;
        }
        ++i;
        continue;
      case State::BogusComment:
        if (eof) return roles;
        if (c == '>') state = State::Data;
        ++i;
        continue;
      case State::RawText:
        if (eof) return roles;
        if (c == '<') state = State::RawTextLessThan;
        ++i;
        continue;
      case State::RawTextLessThan:
        if (!eof && c == '/') {
          endTagBuffer.clear();
          state = State::RawTextEndTagOpen;
          ++i;
        } else {
          state = State::RawText;
        }
        continue;
      case State::RawTextEndTagOpen:
        state = (!eof && Letter(c)) ? State::RawTextEndTagName : State::RawText;
        continue;
      case State::RawTextEndTagName:
        if (!eof && Letter(c)) {
          endTagBuffer += Lower(c);
          ++i;
          continue;
        }
        if (!eof && (Space(c) || c == '/' || c == '>') && endTagBuffer == rawTextElement) {
          endTag = true;
          tagName = endTagBuffer;
          if (Space(c)) state = State::BeforeAttributeName;
          if (c == '/') state = State::SelfClosingStartTag;
          if (c == '>') emitTag();
          ++i;
        } else {
          state = State::RawText;
        }
        continue;
      case State::PlainText:
        return roles;
    }
  }
  return roles;
}

bool FitsAt(std::string_view text, const std::vector<Role>& roles, std::size_t at,
            const std::string& name) {
  if (name.empty() || text.substr(at, name.size()) != name) return false;
  const std::size_t end = at + name.size();
  if (end < text.size() && Identifier(text[end])) return false;
  for (std::size_t k = at; k < end; ++k) {
    if (roles[k] != Role::Text) return false;
  }
  return true;
}

}  // namespace

std::string ReferenceAutoLink(std::string_view text, const std::vector<std::string>& names) {
  const std::vector<Role> roles = Read(text);
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::string* longest = nullptr;
    if (at == 0 || !Identifier(text[at - 1])) {
      for (const auto& name : names) {
        if (FitsAt(text, roles, at, name) &&
            (longest == nullptr || name.size() > longest->size())) {
          longest = &name;
        }
      }
    }
    if (longest == nullptr) {
      out += text[at];
      ++at;
    } else {
      // The rule decides where links go; how a link names its page is the output's own.
      out += "<a href=\"" + output::PageLink(*longest) + "\">" + *longest + "</a>";
      at += longest->size();
    }
  }
  return out;
}

}  // namespace qs::testsupport
