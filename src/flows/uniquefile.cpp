#include "flows/uniquefile.h"

#include "output/uniquehtml.h"

namespace qs::flows {

UniqueFileOutcome WriteUniqueFile(HelpOutput& help, const project::HelpProject& project,
                                  const std::string& folder, bool examplesAsCode) {
  UniqueFileOutcome outcome;
  outcome.path = output::UniqueHtmlTarget(project, folder);
  outcome.written = help.WriteUniqueHtmlFile(project, folder, examplesAsCode, outcome.reports);
  return outcome;
}

}  // namespace qs::flows
