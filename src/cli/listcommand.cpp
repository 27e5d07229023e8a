#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "library/libraryreader.h"

namespace qs::cli {

void WriteReports(const text::Reports& reports, std::ostream& err) {
  for (const auto& report : reports) err << report.text << '\n';
}

int RunListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].empty() || args[0].starts_with("--")) return kUsage;
  library::LibraryInfo info;
  text::Reports reports;
  const bool ok = library::ReadUserLibrary(args[0], info, reports);
  WriteReports(reports, err);
  if (!ok) return kFailure;
  for (const auto& function : info) {
    out << function.name << '\t' << function.parameters << '\t' << function.help << '\n';
  }
  return kSuccess;
}

}  // namespace qs::cli
