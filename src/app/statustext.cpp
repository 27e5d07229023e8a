#include "app/statustext.h"

#include <cstdio>

#include "text/textops.h"

namespace qs::app {
namespace {

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", seconds);
  return text;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string BuildStatus(const BuildSummary& summary) {
  std::string status = "Built " + Counted(summary.pages, "page", "pages") + " in " +
                       Seconds(summary.seconds) + " into " + summary.folder;
  if (!summary.compiledFile.empty() && summary.compiledWith.empty()) {
    status += "; compiled " + summary.compiledFile + " in " + Seconds(summary.compileSeconds);
  } else if (!summary.compiledFile.empty()) {
    status += "; " + summary.compiledFile + " " + summary.compiledWith + " in " +
              Seconds(summary.compileSeconds);
  }
  if (summary.erased) status += "; the HTML files were erased";
  return status;
}

std::string BuildFailedStatus(const std::string& folder) {
  return "Help files could not be created in " + folder;
}

}  // namespace qs::app
