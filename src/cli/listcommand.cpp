#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "library/libraryreader.h"
#include "library/librarytopics.h"

namespace qs::cli {

void WriteReports(const text::Reports& reports, std::ostream& err) {
  for (const auto& report : reports) err << report.text << '\n';
}

int RunListCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  library::LibraryInfo info;
  text::Reports reports;
  const bool ok = library::ReadUserLibrary(args.plain()[0], info, reports);
  // The functions an extraction makes pages of, with its messages: a name it skips would also
  // break this list's lines.
  if (ok) library::CheckFunctionNames(info, reports);
  WriteReports(reports, err);
  if (!ok) return kFailure;
  for (const auto& function : info) {
    out << function.name << '\t' << function.parameters << '\t' << function.help << '\n';
  }
  return kSuccess;
}

}  // namespace qs::cli
