#pragma once

#include <string>

namespace qs::output {

// The two options the compile step reads: "Compile Help folder to CHM" and the compiler's
// path. The compile step switches `compileToChm` off when the compiler is missing or cannot
// be started; the caller keeps (and saves) the changed value.
struct CompileOptions {
  bool compileToChm = false;
  std::string compilerPath;

  friend bool operator==(const CompileOptions&, const CompileOptions&) = default;
};

}  // namespace qs::output
