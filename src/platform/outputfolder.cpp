#include "platform/outputfolder.h"

#include "text/paths.h"

namespace qs::platform {

bool OutputFolder::SplitParts(std::string_view relative, std::vector<std::string_view>& parts) {
  parts.clear();
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = start;
    while (end < relative.size() && !text::IsSeparator(relative[end])) ++end;
    const std::string_view part = relative.substr(start, end - start);
    if (part == "..") return false;
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  return !parts.empty();
}

}  // namespace qs::platform
