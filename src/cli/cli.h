#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qs::cli {

// Exit statuses of quillsmith-cli.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
// The help was compiled, but the compiler reported errors: pages it could not read.
inline constexpr int kCompiledWithErrors = 3;
// check --strict found a problem or a function page not yet documented.
inline constexpr int kCheckFailed = 4;

// Runs quillsmith-cli with the arguments after the program name. Results go to `out`; the
// program's messages go to `err`, one per line.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qs::cli
