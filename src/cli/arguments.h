#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace qs::cli {

// What a command takes after its name: how many plain arguments, the options that stand
// alone and the options that take a value (the next argument).
struct ArgumentSyntax {
  std::size_t plainCount = 0;
  std::vector<std::string_view> flags;
  std::vector<std::string_view> valued;
};

// A command's arguments, read.
class Arguments {
 public:
  const std::vector<std::string>& plain() const { return plain_; }
  bool Has(std::string_view flag) const { return flags_.contains(std::string(flag)); }
  // The value of an option that was given (the last one, when given twice).
  std::optional<std::string> Value(std::string_view option) const;

 private:
  friend std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                                 const ArgumentSyntax& syntax);

  std::vector<std::string> plain_;
  std::set<std::string> flags_;
  std::map<std::string, std::string> values_;
};

// Reads `args` by the one rule every command follows: an option that takes a value needs a
// non-empty one, an unknown option ("--" and a name) is wrong, and there must be exactly as
// many plain arguments as the syntax says, none of them empty. Nothing when the arguments are
// wrong: the caller shows the usage and exits with the usage status.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        const ArgumentSyntax& syntax);

}  // namespace qs::cli
