#include "output/autolinker.h"

#include <algorithm>
#include <iterator>

#include "output/pagenames.h"
#include "text/textops.h"

namespace qs::output {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// White space between the parts of a tag; a CR counts, since the browser reads it as a line
// feed.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Whether the "<" at `at` starts markup; any other "<" is text to the browser.
bool StartsMarkup(std::string_view text, std::size_t at) {
  if (text[at] != '<' || at + 1 >= text.size()) return false;
  const char next = text[at + 1];
  return IsLetter(next) || next == '!' || next == '?' || (next == '/' && at + 2 < text.size());
}

// The end of the character reference that starts at the "&" at `at`, its ";" included; `at`
// when none starts there.
std::size_t ReferenceEnd(std::string_view text, std::size_t at) {
  const std::size_t size = text.size();
  std::size_t end = at + 1;
  if (end < size && text[end] == '#') {
    ++end;
    if (end + 1 < size && (text[end] == 'x' || text[end] == 'X') && IsHexDigit(text[end + 1])) {
      ++end;
      while (end < size && IsHexDigit(text[end])) ++end;
    } else if (end < size && IsDigit(text[end])) {
      while (end < size && IsDigit(text[end])) ++end;
    } else {
      return at;  // "&#" without digits is text
    }
  } else {
    while (end < size && (IsLetter(text[end]) || IsDigit(text[end]))) ++end;
    if (end == at + 1) return at;
  }
  if (end < size && text[end] == ';') ++end;
  return end;
}

bool StartsReference(std::string_view text, std::size_t at) {
  return text[at] == '&' && ReferenceEnd(text, at) != at;
}

// The end of a tag whose name starts at `at`, just after its ">"; the text's end when the
// text does not close it. A quote opens a value only after an attribute's "=".
std::size_t TagEnd(std::string_view text, std::size_t at, std::string_view& name) {
  const std::size_t size = text.size();
  std::size_t i = at;
  while (i < size && !IsSpace(text[i]) && text[i] != '/' && text[i] != '>') ++i;
  name = text.substr(at, i - at);
  enum class State {
    BeforeAttribute,
    Attribute,
    AfterAttribute,
    BeforeValue,
    Unquoted
  } state = State::BeforeAttribute;
  while (i < size) {
    const char c = text[i];
    if (c == '>') return i + 1;  // in any state, a missing value too
    switch (state) {
      case State::BeforeAttribute:
        if (!IsSpace(c) && c != '/') state = State::Attribute;
        break;
      case State::Attribute:
        if (IsSpace(c)) state = State::AfterAttribute;
        if (c == '/') state = State::BeforeAttribute;
        if (c == '=') state = State::BeforeValue;
        break;
      case State::AfterAttribute:
        if (c == '/') state = State::BeforeAttribute;
        if (c == '=') state = State::BeforeValue;
        if (!IsSpace(c) && c != '/' && c != '=') state = State::Attribute;
        break;
      case State::BeforeValue:
        if (c == '"' || c == '\'') {
          const std::size_t close = text.find(c, i + 1);
          if (close == kNpos) return size;
          // Whatever follows the closing quote starts the next attribute, or ends the tag.
          i = close + 1;
          state = State::BeforeAttribute;
          continue;
        }
        if (!IsSpace(c)) state = State::Unquoted;
        break;
      case State::Unquoted:
        if (IsSpace(c)) state = State::BeforeAttribute;
        break;
    }
    ++i;
  }
  return size;
}

// The end of a comment whose "<!--" starts at `at`.
std::size_t CommentEnd(std::string_view text, std::size_t at) {
  const std::size_t body = at + 4;
  if (text.substr(body, 1) == ">") return body + 1;   // "<!-->"
  if (text.substr(body, 2) == "->") return body + 2;  // "<!--->"
  const std::size_t dashes = text.find("-->", body);
  const std::size_t bang = text.find("--!>", body);
  if (dashes == kNpos && bang == kNpos) return text.size();
  return std::min(dashes == kNpos ? kNpos : dashes + 3, bang == kNpos ? kNpos : bang + 4);
}

// Up to the next ">", or the end.
std::size_t BogusEnd(std::string_view text, std::size_t from) {
  const std::size_t close = text.find('>', from);
  return close == kNpos ? text.size() : close + 1;
}

struct Tag {
  std::string_view name;  // empty for a comment or the like
  bool closing = false;
};

// The end of the markup that starts at the "<" at `at` (StartsMarkup holds).
std::size_t MarkupEnd(std::string_view text, std::size_t at, Tag& tag) {
  tag = Tag{};
  const char next = text[at + 1];
  if (IsLetter(next)) return TagEnd(text, at + 1, tag.name);
  if (next == '!') {
    return text.substr(at + 2, 2) == "--" ? CommentEnd(text, at) : BogusEnd(text, at + 2);
  }
  if (next == '/' && IsLetter(text[at + 2])) {
    tag.closing = true;
    return TagEnd(text, at + 2, tag.name);
  }
  return BogusEnd(text, at + 2);  // "<?", and "</" before anything but a letter
}

// Elements whose contents the browser reads as text up to their end tag, or never ends.
constexpr std::string_view kTextOnlyElements[] = {"script", "style",   "textarea", "title",   "xmp",
                                                  "iframe", "noembed", "noframes", "noscript"};

bool HoldsTextOnly(std::string_view name) {
  for (const auto element : kTextOnlyElements) {
    if (text::EqualsNoCase(name, element)) return true;
  }
  return false;
}

// Where the end tag of the element `name` starts at or after `from`; the text's end when there
// is none.
std::size_t EndTagAt(std::string_view text, std::size_t from, std::string_view name) {
  for (std::size_t at = text.find("</", from); at != kNpos; at = text.find("</", at + 1)) {
    const std::size_t after = at + 2 + name.size();
    if (after < text.size() && text::EqualsNoCase(text.substr(at + 2, name.size()), name) &&
        (IsSpace(text[after]) || text[after] == '/' || text[after] == '>')) {
      return at;
    }
  }
  return text.size();
}

bool IsA(std::string_view name) {
  return name == "a" || name == "A";
}

}  // namespace

std::vector<std::string> AutoLinkNames(const project::HelpProject& project) {
  std::vector<std::string> names;
  for (const auto& topic : project.topics()) {
    if (!topic.name.empty() && topic.IsPlain()) names.push_back(topic.name);
  }
  return names;
}

AutoLinker::AutoLinker(const project::HelpProject& project) : AutoLinker(AutoLinkNames(project)) {}

AutoLinker::AutoLinker(const std::vector<std::string>& names) {
  nodes_.emplace_back();
  std::fill(std::begin(rootNext_), std::end(rootNext_), kNone);
  for (const auto& name : names) Add(name);
}

std::int32_t AutoLinker::Child(std::int32_t node, unsigned char c) const {
  if (node == 0) return rootNext_[c];
  const auto& edges = nodes_[static_cast<std::size_t>(node)].edges;
  const auto it = std::lower_bound(edges.begin(), edges.end(), std::make_pair(c, kNone));
  return (it != edges.end() && it->first == c) ? it->second : kNone;
}

void AutoLinker::Add(std::string_view name) {
  if (name.empty()) return;
  std::int32_t node = 0;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    std::int32_t next = Child(node, c);
    if (next == kNone) {
      next = static_cast<std::int32_t>(nodes_.size());
      nodes_.emplace_back();
      if (node == 0) {
        rootNext_[c] = next;
      } else {
        auto& edges = nodes_[static_cast<std::size_t>(node)].edges;
        edges.insert(std::lower_bound(edges.begin(), edges.end(), std::make_pair(c, kNone)),
                     {c, next});
      }
    }
    node = next;
  }
  nodes_[static_cast<std::size_t>(node)].endsName = true;
}

std::size_t AutoLinker::LongestNameAt(std::string_view text, std::size_t at) const {
  std::size_t longest = 0;
  std::int32_t node = rootNext_[static_cast<unsigned char>(text[at])];
  for (std::size_t end = at + 1; node != kNone; ++end) {
    if (nodes_[static_cast<std::size_t>(node)].endsName &&
        (end == text.size() || !IsIdentifierChar(text[end]))) {
      longest = end - at;
    }
    if (end == text.size() || StartsMarkup(text, end) || StartsReference(text, end)) break;
    node = Child(node, static_cast<unsigned char>(text[end]));
  }
  return longest;
}

std::string AutoLinker::Apply(std::string_view text) const {
  return Apply(text, [](std::string_view name) { return PageLink(name); });
}

std::string AutoLinker::Apply(std::string_view text,
                              const std::function<std::string(std::string_view)>& link) const {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  bool inAuthorsLink = false;
  std::size_t copied = 0;  // text before this position is in `out`
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (StartsMarkup(text, at)) {
      Tag tag;
      at = MarkupEnd(text, at, tag);
      if (IsA(tag.name)) {
        inAuthorsLink = !tag.closing;
      } else if (!tag.closing && HoldsTextOnly(tag.name)) {
        at = EndTagAt(text, at, tag.name);
      } else if (!tag.closing && text::EqualsNoCase(tag.name, "plaintext")) {
        at = text.size();
      }
      continue;
    }
    if (c == '&') {
      const std::size_t end = ReferenceEnd(text, at);
      if (end != at) {
        at = end;
        continue;
      }
    }
    if (inAuthorsLink) {
      // Nothing to do before the next tag.
      const std::size_t next = text.find('<', at + 1);
      at = (next == kNpos) ? text.size() : next;
      continue;
    }
    if (at == 0 || !IsIdentifierChar(text[at - 1])) {
      const std::size_t length = LongestNameAt(text, at);
      if (length != 0) {
        const std::string_view name = text.substr(at, length);
        out.append(text.substr(copied, at - copied));
        AppendLinkStartTag(out, link(name));
        out.append(name).append(kLinkEndTag);
        at += length;
        copied = at;
        continue;
      }
    }
    ++at;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace qs::output
