#include "app/uniquefile.h"

#include "output/uniquehtml.h"

namespace qs::app {

UniqueFileOutcome WriteUniqueFile(Services& services, const project::HelpProject& project,
                                  const std::string& folder) {
  UniqueFileOutcome outcome;
  outcome.path = output::UniqueHtmlTarget(project, folder);
  outcome.written = services.WriteUniqueHtmlFile(project, folder, outcome.reports);
  return outcome;
}

}  // namespace qs::app
