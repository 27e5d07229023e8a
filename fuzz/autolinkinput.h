#pragma once

// The input of the auto-link differential target, and its seeds: a description text and a
// small project, one per line. Line 1 is the description; each further line is one topic in
// store order, written as the test fixtures write them ("Index", "Name", "Name*" for a user
// topic, "Name#" for a user index entry; an empty line is a topic with an empty name).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/helpproject.h"

namespace qs::fuzz {

inline constexpr std::size_t kMaxAutoLinkTopics = 8;

struct AutoLinkCase {
  std::string description;
  std::vector<std::string> topicRecipes;
};

AutoLinkCase ParseAutoLinkInput(std::string_view data);
std::string FormatAutoLinkInput(const AutoLinkCase& input);

}  // namespace qs::fuzz
