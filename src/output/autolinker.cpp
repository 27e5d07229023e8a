#include "output/autolinker.h"

#include <algorithm>
#include <iterator>

#include "output/pagenames.h"

namespace qs::output {
namespace {

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// What may follow a tag's name: HTML reads any white space there, as it reads a space.
bool EndsTagName(char c) {
  return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsA(char c) {
  return c == 'a' || c == 'A';
}

// `tag` runs from its "<" to its ">", both included.
bool OpensLink(std::string_view tag) {
  return tag.size() >= 3 && IsA(tag[1]) && EndsTagName(tag[2]);
}

bool ClosesLink(std::string_view tag) {
  return tag.size() >= 4 && tag[1] == '/' && IsA(tag[2]) && EndsTagName(tag[3]);
}

}  // namespace

std::vector<std::string> AutoLinkNames(const project::HelpProject& project) {
  std::vector<std::string> names;
  for (const auto& topic : project.topics()) {
    if (!topic.name.empty() && topic.IsPlain()) names.push_back(topic.name);
  }
  return names;
}

std::string LinkTo(std::string_view name) {
  std::string link;
  link.reserve(name.size() * 2 + 20);
  link.append("<a href=\"").append(PageLink(name)).append("\">").append(name).append("</a>");
  return link;
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

std::size_t AutoLinker::LongestNameAt(std::string_view text, std::size_t at,
                                      std::size_t tagsBefore) const {
  std::size_t longest = 0;
  std::int32_t node = rootNext_[static_cast<unsigned char>(text[at])];
  for (std::size_t end = at + 1; node != kNone; ++end) {
    if (nodes_[static_cast<std::size_t>(node)].endsName &&
        (end == text.size() || !IsIdentifierChar(text[end]))) {
      longest = end - at;
    }
    if (end == text.size()) break;
    const char c = text[end];
    if (c == '<' && tagsBefore != std::string_view::npos && end < tagsBefore) break;
    node = Child(node, static_cast<unsigned char>(c));
  }
  return longest;
}

std::string AutoLinker::Apply(std::string_view text) const {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  const std::size_t tagsBefore = text.rfind('>');
  bool inAuthorsLink = false;
  std::size_t copied = 0;  // text before this position is in `out`
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '<' && tagsBefore != std::string_view::npos && at < tagsBefore) {
      const std::size_t close = text.find('>', at + 1);
      const std::string_view tag = text.substr(at, close + 1 - at);
      if (OpensLink(tag)) {
        inAuthorsLink = true;
      } else if (ClosesLink(tag)) {
        inAuthorsLink = false;
      }
      at = close + 1;
      continue;
    }
    if (inAuthorsLink) {
      // Nothing to do before the next tag.
      const std::size_t next = text.find('<', at + 1);
      at = (next == std::string_view::npos) ? text.size() : next;
      continue;
    }
    if (at == 0 || !IsIdentifierChar(text[at - 1])) {
      const std::size_t length = LongestNameAt(text, at, tagsBefore);
      if (length != 0) {
        const std::string_view name = text.substr(at, length);
        out.append(text.substr(copied, at - copied));
        out.append("<a href=\"").append(PageLink(name)).append("\">").append(name).append("</a>");
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
