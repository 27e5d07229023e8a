#pragma once

// Links in function descriptions. The description is read once, left to right, the way a
// browser reads it, so that a link goes exactly where the reader sees the name:
// - markup is copied as it is and nothing inside it is linked: a tag ("<" followed by an ASCII
//   letter, or "</" followed by one) up to its ">", where a quoted attribute value may hold a
//   ">" and a tag the text does not close runs to its end; a comment ("<!--" up to "-->" or
//   "--!>"); any other "<!", "<?" or "</" up to the next ">"; a character reference ("&copy;",
//   "&#169;", "&#xA9;", whether the browser knows its name or not);
// - a "<" followed by anything else (a blank, a digit, "=", "<", the end) is plain text, as in
//   "if Len < 0", and names after it still link;
// - the contents of elements that hold no markup (script, style, textarea, title and the like)
//   are copied up to their closing tag;
// - between an author's own link tag (a start tag named "a") and the next end tag named "a",
//   nothing is linked;
// - everywhere else, at a position whose preceding character is not an identifier character
//   (ASCII letter, digit, "_"), the longest topic name that starts there, does not run into
//   markup and is followed by a non-identifier character or the end becomes "<a href=\"" +
//   PageLink(name) + "\">" + name + "</a>", and reading goes on after it: what was inserted is
//   never read again.
// So a name links only as a whole word, a shorter name never breaks up a longer one, and the
// page stays well formed whatever the names are. Replacing every name in turn, as earlier
// versions did, gave the same bytes wherever the names stood as words of their own in plain
// text and none of them occurred inside another name or inside the link markup; the pages
// that differ are the ones that came out broken.
//
// The names sit in a trie, so the work is at most the description's length times the longest
// name, however many names there are and however they overlap.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/helpproject.h"

namespace qs::output {

// The link targets: the names of the plain topics (the Index page and function pages, the
// page's own topic included) in store order, empty names left out.
std::vector<std::string> AutoLinkNames(const project::HelpProject& project);

class AutoLinker {
 public:
  explicit AutoLinker(const std::vector<std::string>& names);
  explicit AutoLinker(const project::HelpProject& project);

  // The description with its links. Keeps no state between calls.
  std::string Apply(std::string_view text) const;
  // The same links, each to the address `link` gives for the name (a website names its pages
  // by address, relative to the page that links).
  std::string Apply(std::string_view text,
                    const std::function<std::string(std::string_view)>& link) const;

 private:
  static constexpr std::int32_t kNone = -1;

  struct Node {
    std::vector<std::pair<unsigned char, std::int32_t>> edges;  // sorted by byte
    bool endsName = false;
  };

  std::int32_t Child(std::int32_t node, unsigned char c) const;
  void Add(std::string_view name);
  // The length of the longest name that may be linked at `at`; 0 when none.
  std::size_t LongestNameAt(std::string_view text, std::size_t at) const;

  std::vector<Node> nodes_;
  std::int32_t rootNext_[256];
};

}  // namespace qs::output
