#include "output/autolinker.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <utility>

#include "text/textops.h"

namespace qs::output {

std::vector<std::string> AutoLinkNames(const project::HelpProject& project) {
  std::vector<std::string> names;
  for (const auto& topic : project.topics()) {
    if (!topic.name.empty() && topic.IsPlain()) names.push_back(topic.name);
  }
  return names;
}

std::string LinkTo(std::string_view name) {
  std::string link;
  link.reserve(name.size() * 2 + 22);
  link.append("<a href=\"").append(name).append(".html\">").append(name).append("</a>");
  return link;
}

std::string AutoLinkSequential(std::string_view text, const std::vector<std::string>& names) {
  std::string result(text);
  for (const auto& name : names) {
    if (name.empty()) continue;
    result = text::ReplaceAll(result, name, LinkTo(name));
  }
  return result;
}

AutoLinker::AutoLinker(const project::HelpProject& project) : AutoLinker(AutoLinkNames(project)) {}

AutoLinker::AutoLinker(std::vector<std::string> names) : names_(std::move(names)) {
  Build();
}

std::int32_t AutoLinker::Child(std::int32_t node, unsigned char c) const {
  if (node == 0) return rootNext_[c];
  for (const auto& [byte, child] : nodes_[static_cast<std::size_t>(node)].edges) {
    if (byte == c) return child;
    if (byte > c) break;
  }
  return kNone;
}

std::int32_t AutoLinker::AddChild(std::int32_t node, unsigned char c) {
  const auto existing = Child(node, c);
  if (existing != kNone) return existing;
  const auto child = static_cast<std::int32_t>(nodes_.size());
  nodes_.emplace_back();
  if (node == 0) {
    rootNext_[c] = child;
  } else {
    auto& edges = nodes_[static_cast<std::size_t>(node)].edges;
    const auto at = std::lower_bound(edges.begin(), edges.end(), std::make_pair(c, kNone));
    edges.insert(at, {c, child});
  }
  return child;
}

void AutoLinker::Build() {
  nodes_.clear();
  nodes_.emplace_back();
  std::fill(std::begin(rootNext_), std::end(rootNext_), kNone);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].empty()) continue;
    std::int32_t node = 0;
    for (const char c : names_[i]) node = AddChild(node, static_cast<unsigned char>(c));
    nodes_[static_cast<std::size_t>(node)].order.push_back(static_cast<std::uint32_t>(i));
  }

  // Failure and output links, breadth first.
  std::deque<std::int32_t> queue;
  for (int c = 0; c < 256; ++c) {
    const auto child = rootNext_[c];
    if (child == kNone) continue;
    nodes_[static_cast<std::size_t>(child)].fail = 0;
    queue.push_back(child);
  }
  while (!queue.empty()) {
    const auto node = queue.front();
    queue.pop_front();
    const auto& edges = nodes_[static_cast<std::size_t>(node)].edges;
    for (const auto& [c, child] : edges) {
      auto f = nodes_[static_cast<std::size_t>(node)].fail;
      std::int32_t target = kNone;
      while (true) {
        target = Child(f, c);
        if (target != kNone || f == 0) break;
        f = nodes_[static_cast<std::size_t>(f)].fail;
      }
      auto& childNode = nodes_[static_cast<std::size_t>(child)];
      childNode.fail = (target == kNone) ? 0 : target;
      const auto& failNode = nodes_[static_cast<std::size_t>(childNode.fail)];
      childNode.output = !failNode.order.empty() ? childNode.fail : failNode.output;
      queue.push_back(child);
    }
  }
  stamp_.assign(nodes_.size(), 0);
  generation_ = 0;
}

void AutoLinker::FindPresent(std::string_view text) {
  present_.clear();
  if (++generation_ == 0) {  // wrapped: start the stamps afresh
    std::fill(stamp_.begin(), stamp_.end(), 0);
    generation_ = 1;
  }
  std::int32_t state = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    std::int32_t next = Child(state, c);
    while (next == kNone && state != 0) {
      state = nodes_[static_cast<std::size_t>(state)].fail;
      next = Child(state, c);
    }
    state = (next == kNone) ? 0 : next;
    const auto& node = nodes_[static_cast<std::size_t>(state)];
    // Every name ending here: this node if it ends one, then the output chain. A stamped node
    // has had its whole chain recorded already, which keeps the scan linear.
    for (auto hit = node.order.empty() ? node.output : state;
         hit != kNone && stamp_[static_cast<std::size_t>(hit)] != generation_;
         hit = nodes_[static_cast<std::size_t>(hit)].output) {
      stamp_[static_cast<std::size_t>(hit)] = generation_;
      present_.push_back(hit);
    }
  }
}

std::string AutoLinker::Apply(std::string_view text) {
  std::string result(text);
  if (names_.empty()) return result;
  std::uint32_t from = 0;  // walking positions before this one are done
  while (true) {
    FindPresent(result);
    // A name that is absent now stays absent until some replacement changes the text, so the
    // passes in between would change nothing: go straight to the earliest present one.
    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    for (const auto node : present_) {
      const auto& order = nodes_[static_cast<std::size_t>(node)].order;
      const auto it = std::lower_bound(order.begin(), order.end(), from);
      if (it != order.end()) best = std::min(best, *it);
    }
    if (best == std::numeric_limits<std::uint32_t>::max()) break;
    const auto& name = names_[best];
    result = text::ReplaceAll(result, name, LinkTo(name));
    from = best + 1;
  }
  return result;
}

}  // namespace qs::output
