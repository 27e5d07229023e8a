#pragma once

#include <string>

#include "flows/ports.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::flows {

struct UniqueFileOutcome {
  bool written = false;
  // Where the file goes: folder + the page file name of the Index page's title.
  std::string path;
  // The confirmation after success. A failure reports nothing: the window says nothing, the
  // command line says which file it could not create.
  text::Reports reports;
};

// Writes the one-page HTML help of `project` into `folder`, from the texts last committed;
// with each function's example as code when `examplesAsCode`.
UniqueFileOutcome WriteUniqueFile(HelpOutput& help, const project::HelpProject& project,
                                  const std::string& folder, bool examplesAsCode = false);

}  // namespace qs::flows
