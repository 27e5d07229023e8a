#pragma once

// The large project the output benchmarks share: 5,000 function pages whose 300-byte
// descriptions each name three other functions, with an example each.

#include <cstddef>
#include <string>

#include "project/helpproject.h"

namespace qs::bench {

inline constexpr std::size_t kGadgetFunctions = 5000;

// Distinct names of equal length, none inside another: "GadgetAAA", "GadgetAAB", ...
std::string GadgetName(std::size_t i);

// Built once, on first use. Its library is "/libs/BigLib".
const project::HelpProject& GadgetProject();

}  // namespace qs::bench
