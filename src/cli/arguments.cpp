#include "cli/arguments.h"

#include <algorithm>

namespace qs::cli {

namespace {

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<std::string> Arguments::Value(std::string_view option) const {
  const auto it = values_.find(std::string(option));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        const ArgumentSyntax& syntax) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (Contains(syntax.flags, arg)) {
      parsed.flags_.insert(arg);
    } else if (Contains(syntax.valued, arg)) {
      if (i + 1 >= args.size() || args[i + 1].empty()) return std::nullopt;
      parsed.values_[arg] = args[++i];
    } else if (arg.empty() || arg.starts_with("--")) {
      return std::nullopt;
    } else {
      parsed.plain_.push_back(arg);
    }
  }
  if (parsed.plain_.size() != syntax.plainCount) return std::nullopt;
  return parsed;
}

}  // namespace qs::cli
