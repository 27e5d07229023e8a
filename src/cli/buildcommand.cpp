#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/outputcommands.h"
#include "config/languagefiles.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::cli {
namespace {

struct BuildArgs {
  std::string project;
  std::optional<std::string> out;
  bool compile = false;
  std::optional<std::string> compiler;
  bool erase = false;
  std::optional<std::string> languageFile;
};

std::optional<BuildArgs> ParseBuildArgs(const std::vector<std::string>& args) {
  BuildArgs parsed;
  bool haveProject = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size() || args[i + 1].empty()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--compile") {
      parsed.compile = true;
    } else if (arg == "--erase") {
      parsed.erase = true;
    } else if (arg == "--out" || arg == "--compiler" || arg == "--language-file") {
      auto given = value();
      if (!given) return std::nullopt;
      (arg == "--out"        ? parsed.out
       : arg == "--compiler" ? parsed.compiler
                             : parsed.languageFile) = std::move(given);
    } else if (arg.starts_with("--") || arg.empty() || haveProject) {
      return std::nullopt;
    } else {
      parsed.project = arg;
      haveProject = true;
    }
  }
  if (!haveProject) return std::nullopt;
  return parsed;
}

}  // namespace

bool LoadProjectForOutput(const std::string& path, project::HelpProject& project,
                          text::Reports& reports) {
  if (!project::LoadProject(project, path, project::LoadContext{}, reports)) return false;
  project.projectFile = path;
  return true;
}

int RunBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseBuildArgs(args);
  if (!parsed) return kUsage;

  text::Reports reports;
  project::HelpProject project;
  if (!LoadProjectForOutput(parsed->project, project, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  const std::string folder = parsed->out ? *parsed->out : project.helpFolder;
  if (folder.empty()) {
    err << "No help folder defined!\n";
    return kFailure;
  }

  config::LanguageTable captions;
  if (parsed->languageFile) {
    const auto language = config::ReadLanguageFile(*parsed->languageFile, config::kBuiltInLanguage);
    if (!language) {
      err << "Could not read file '" << *parsed->languageFile << "'!\n";
      return kFailure;
    }
    captions = language->table;
  }

  output::BuildRecord record;
  const std::string log = output::BuildHelpFolder(project, captions, folder, record, reports);
  WriteReports(reports, err);
  reports.clear();
  bool ok = !log.empty();
  if (!ok) {
    err << "Error during help files creation!\n";
  } else {
    out << log;
    if (parsed->compile) {
      output::CompileOptions options{
          true, parsed->compiler ? *parsed->compiler : platform::FindHelpCompiler()};
      if (options.compilerPath.empty()) {
        err << "Help compiler not found!\n'" << platform::kHelpCompilerName << "'\n";
        ok = false;
      } else {
        platform::SystemProgramRunner runner;
        ok = output::CompileHelp(options, folder, project.libraryFile, runner, reports);
        WriteReports(reports, err);
        if (ok) out << output::CompiledFilePath(folder, project.libraryFile) << '\n';
        output::DeleteCompilerTempFiles();
      }
    }
  }
  if (parsed->erase) output::EraseBuildFiles(record);
  return ok ? kSuccess : kFailure;
}

}  // namespace qs::cli
