#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "check/pagecheck.h"
#include "check/projectcheck.h"
#include "cli/checkcommands.h"
#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "flows/checksources.h"
#include "flows/diskports.h"
#include "flows/helpbuild.h"
#include "flows/projectflows.h"
#include "platform/programlocation.h"
#include "text/cp1252.h"

namespace qs::cli {
namespace {

// A JSON string of UTF-8 text.
std::string Json(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// The model's texts are Windows-1252; a JSON document is UTF-8.
std::string JsonText(std::string_view cp1252) {
  return Json(text::Utf8FromCp1252(cp1252, false));
}

void WriteJson(const std::string& projectPath, const check::ProjectCheck& result,
               std::ostream& out) {
  out << "{\n  \"project\": " << Json(text::Utf8FromBytes(projectPath)) << ",\n";
  out << "  \"functions\": " << result.coverage.functions << ",\n";
  out << "  \"documented\": " << result.coverage.documented << ",\n";
  out << "  \"undocumented\": [";
  for (std::size_t i = 0; i < result.undocumented.size(); ++i) {
    out << (i == 0 ? "" : ", ") << JsonText(result.undocumented[i]);
  }
  out << "],\n  \"problems\": [";
  for (std::size_t i = 0; i < result.problems.size(); ++i) {
    const check::Problem& problem = result.problems[i];
    out << (i == 0 ? "\n" : ",\n") << "    {\"page\": " << JsonText(problem.page)
        << ", \"field\": " << Json(problem.fieldName) << ", \"line\": " << problem.line
        << ", \"message\": " << JsonText(problem.message) << "}";
  }
  out << (result.problems.empty() ? "" : "\n  ") << "],\n";
  out << "  \"summary\": " << Json(check::SummaryLine(result.coverage, result.problems.size()))
      << "\n}\n";
}

void WriteLines(const std::string& projectPath, const check::ProjectCheck& result,
                std::ostream& out) {
  for (const check::Problem& problem : result.problems) {
    out << projectPath << ": " << problem.page << ": " << problem.fieldName << ':' << problem.line
        << ": " << problem.message << '\n';
  }
  for (const std::string& name : result.undocumented) {
    out << projectPath << ": " << name << ": not yet documented\n";
  }
  out << check::SummaryLine(result.coverage, result.problems.size()) << '\n';
}

}  // namespace

int RunCheckCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  flows::DiskProjectFiles files(platform::SettingsFolder());
  project::HelpProject project;
  const std::string& path = args.plain()[0];
  const flows::ProjectOutcome opened = flows::OpenProject(files, project, path);
  if (!opened.succeeded) {
    WriteReports(opened.reports, err);
    return kFailure;
  }
  WriteReports(opened.reports, err);
  const std::string folder = args.Value("--help-folder").value_or(flows::HelpFolderOf(project));
  const flows::CheckSources sources = flows::ReadCheckSources(project, folder);
  const check::PageChecker checker(project, sources.folderFiles, args.Has("--examples-as-code"));
  const check::ProjectCheck result = check::CheckProject(project, sources.libraryHelps, checker);
  if (args.Has("--json")) {
    WriteJson(path, result, out);
  } else {
    WriteLines(path, result, out);
  }
  const bool clean = result.problems.empty() && result.undocumented.empty();
  return args.Has("--strict") && !clean ? kCheckFailed : kSuccess;
}

}  // namespace qs::cli
