#include "support/autolinkreference.h"

#include "output/pagenames.h"

namespace qs::testsupport {
namespace {

bool Identifier(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A "<" starts a tag when some ">" follows it.
bool TagStartsAt(std::string_view text, std::size_t at) {
  return text[at] == '<' && text.find('>', at + 1) != std::string_view::npos;
}

// Whether `tag` begins with `start` (letter case ignored) followed by white space or ">".
bool TagBegins(std::string_view tag, std::string_view start) {
  if (tag.size() <= start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    const char c = tag[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != start[i]) return false;
  }
  const std::string_view after = " \t\r\n\f>";
  return after.find(tag[start.size()]) != std::string_view::npos;
}

bool FitsAt(std::string_view text, std::size_t at, const std::string& name) {
  if (name.empty() || text.substr(at, name.size()) != name) return false;
  const std::size_t end = at + name.size();
  if (end < text.size() && Identifier(text[end])) return false;
  for (std::size_t k = at; k < end; ++k) {
    if (TagStartsAt(text, k)) return false;
  }
  return true;
}

}  // namespace

std::string ReferenceAutoLink(std::string_view text, const std::vector<std::string>& names) {
  std::string out;
  bool insideAuthorsLink = false;
  std::size_t at = 0;
  while (at < text.size()) {
    if (TagStartsAt(text, at)) {
      const std::string_view tag = text.substr(at, text.find('>', at) + 1 - at);
      if (TagBegins(tag, "<a")) insideAuthorsLink = true;
      if (TagBegins(tag, "</a")) insideAuthorsLink = false;
      out += tag;
      at += tag.size();
      continue;
    }
    const std::string* longest = nullptr;
    if (!insideAuthorsLink && (at == 0 || !Identifier(text[at - 1]))) {
      for (const auto& name : names) {
        if (FitsAt(text, at, name) && (longest == nullptr || name.size() > longest->size())) {
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
