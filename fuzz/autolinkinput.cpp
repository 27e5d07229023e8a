#include "autolinkinput.h"

namespace qs::fuzz {

AutoLinkCase ParseAutoLinkInput(std::string_view data) {
  AutoLinkCase result;
  std::size_t start = 0;
  bool first = true;
  while (start <= data.size() && result.topicRecipes.size() < kMaxAutoLinkTopics) {
    std::size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    const std::string_view line = data.substr(start, end - start);
    if (first) {
      result.description = std::string(line);
      first = false;
    } else {
      result.topicRecipes.emplace_back(line);
    }
    if (end == data.size()) break;
    start = end + 1;
  }
  return result;
}

std::string FormatAutoLinkInput(const AutoLinkCase& input) {
  std::string out = input.description;
  for (const auto& recipe : input.topicRecipes) {
    out.push_back('\n');
    out.append(recipe);
  }
  return out;
}

}  // namespace qs::fuzz
