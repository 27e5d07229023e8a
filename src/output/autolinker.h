#pragma once

// Links in function descriptions. The description is read once, left to right:
// - a tag (from a "<" to the next ">"; a "<" with no ">" after it is plain text) is copied as
//   it is, and no name is matched across the start of one;
// - between an author's own link tag ("<a" followed by a blank or ">") and the next closing
//   one ("</a" followed by a blank or ">"), letter case ignored, nothing is linked;
// - everywhere else, at a position whose preceding character is not an identifier character
//   (ASCII letter, digit, "_"), the longest topic name that starts there and is followed by
//   a non-identifier character or the end becomes "<a href=\"" + PageLink(name) + "\">" +
//   name + "</a>", and reading goes on after it: what was inserted is never read again.
// So a name links only as a whole word, a shorter name never breaks up a longer one, and the
// page stays well formed whatever the names are. Replacing every name in turn, as earlier
// versions did, gave the same bytes wherever the names stood as words of their own in plain
// text and none of them occurred inside another name or inside the link markup; the pages
// that differ are the ones that came out broken.
//
// The names sit in a trie, so the work is at most the description's length times the longest
// name, however many names there are and however they overlap.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/helpproject.h"

namespace qs::output {

// The link targets: the names of the plain topics (the Index page and function pages, the
// page's own topic included) in store order, empty names left out.
std::vector<std::string> AutoLinkNames(const project::HelpProject& project);

// "<a href=\"" + PageLink(name) + "\">" + name + "</a>"
std::string LinkTo(std::string_view name);

class AutoLinker {
 public:
  explicit AutoLinker(const std::vector<std::string>& names);
  explicit AutoLinker(const project::HelpProject& project);

  // The description with its links. Keeps no state between calls.
  std::string Apply(std::string_view text) const;

 private:
  static constexpr std::int32_t kNone = -1;

  struct Node {
    std::vector<std::pair<unsigned char, std::int32_t>> edges;  // sorted by byte
    bool endsName = false;
  };

  std::int32_t Child(std::int32_t node, unsigned char c) const;
  void Add(std::string_view name);
  // The length of the longest name that may be linked at `at`; 0 when none. `tagsBefore` is
  // the position of the last ">" (a "<" before it starts a tag), or npos.
  std::size_t LongestNameAt(std::string_view text, std::size_t at, std::size_t tagsBefore) const;

  std::vector<Node> nodes_;
  std::int32_t rootNext_[256];
};

}  // namespace qs::output
