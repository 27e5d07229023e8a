#pragma once

// Links in function descriptions. The rule: walk the plain topics in store order and, for each
// non-empty name, replace every occurrence of it in the text built so far by a link to its
// page (plain, case-sensitive substring match, left to right, no rescan of inserted text).
// A later name is therefore also found inside links inserted for earlier names, which is
// part of the output that existing help folders show.
//
// AutoLinkSequential does exactly that and costs names x text length. AutoLinker gives the
// same bytes but only ever tries the names that actually occur in the text: an automaton over
// all names finds which of them are present, the earliest present name (in walking order) is
// replaced, and the search is repeated on the changed text. Each repetition is linear in the
// text, and there is one per name that really matches.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/helpproject.h"

namespace qs::output {

// The walking order: the names of the plain topics in store order, empty names left out,
// repeated names kept (each repetition is one more pass).
std::vector<std::string> AutoLinkNames(const project::HelpProject& project);

// "<a href=\"" + name + ".html\">" + name + "</a>"
std::string LinkTo(std::string_view name);

// The rule applied pass by pass.
std::string AutoLinkSequential(std::string_view text, const std::vector<std::string>& names);

class AutoLinker {
 public:
  explicit AutoLinker(std::vector<std::string> names);
  explicit AutoLinker(const project::HelpProject& project);

  // Same result as AutoLinkSequential(text, names). Not for concurrent use of one instance:
  // it keeps scratch space between calls.
  std::string Apply(std::string_view text);

 private:
  static constexpr std::int32_t kNone = -1;

  struct Node {
    std::vector<std::pair<unsigned char, std::int32_t>> edges;  // sorted by byte
    std::int32_t fail = 0;
    std::int32_t output = kNone;       // nearest proper suffix node that ends a name
    std::vector<std::uint32_t> order;  // walking positions of the name ending here
  };

  std::int32_t Child(std::int32_t node, unsigned char c) const;
  std::int32_t AddChild(std::int32_t node, unsigned char c);
  void Build();
  // The name nodes present in `text`, each once.
  void FindPresent(std::string_view text);

  std::vector<std::string> names_;
  std::vector<Node> nodes_;
  std::int32_t rootNext_[256];
  std::vector<std::uint32_t> stamp_;
  std::uint32_t generation_ = 0;
  std::vector<std::int32_t> present_;
};

}  // namespace qs::output
