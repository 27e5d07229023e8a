#pragma once

// The large project the output benchmarks share: 5,000 function pages whose 300-byte
// descriptions each name three other functions, with an example each.

#include <cstddef>
#include <functional>
#include <string>

#include "project/helpproject.h"

namespace qs::bench {

inline constexpr std::size_t kGadgetFunctions = 5000;

// Distinct names of equal length, none inside another: "GadgetAAA", "GadgetAAB", ...
std::string GadgetName(std::size_t i);

// Built once, on first use. Its library is "/libs/BigLib".
const project::HelpProject& GadgetProject();

// A generated library's help: the Index page titled "<library> library", then the function
// pages `functionPage(0)` to `functionPage(functions - 1)`, in this order on the list too.
project::HelpProject GeneratedHelp(const std::string& library, std::size_t functions,
                                   const std::function<project::Topic(std::size_t)>& functionPage);

}  // namespace qs::bench
