#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/openproject.h"
#include "cli/outputcommands.h"
#include "flows/diskports.h"
#include "flows/helpbuild.h"
#include "output/buildrecord.h"
#include "platform/programlocation.h"

namespace qs::cli {

int RunBuildCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  flows::DiskProjectFiles files(platform::SettingsFolder());
  project::HelpProject project;
  std::string folder;
  if (!OpenForOutput(files, args, project, folder, err)) return kFailure;
  if (folder.empty()) {
    WriteReports({flows::NoHelpFolderReport()}, err);
    return kFailure;
  }
  const auto captions = ReadCaptions(args, err);
  if (!captions) return kFailure;

  flows::DiskHelpOutput help;
  output::BuildRecord record;
  flows::HelpBuild build(help, project, folder, record);
  const flows::FolderOutcome written =
      build.Write(*captions, {args.Has("--keyword-index"), args.Has("--examples-as-code")});
  WriteReports(written.reports, err);
  bool ok = written.written();
  bool compiledWithErrors = false;
  if (ok) {
    out << written.log;
    if (args.Has("--compile")) {
      const flows::CompileOutcome compiled = build.CompileWith(args.Value("--compiler"));
      // The compiler's errors first, each with its page, then the messages about the run.
      for (const auto& message : compiled.messages) err << output::MessageLine(message) << '\n';
      WriteReports(compiled.reports, err);
      ok = compiled.compiled;
      if (ok) out << compiled.compiledFile << '\n';
      if (ok && !compiled.messages.empty()) err << flows::CompiledText(compiled) << '\n';
      compiledWithErrors = ok && compiled.errors() > 0;
    }
  }
  build.Finish(args.Has("--erase"));
  if (!ok) return kFailure;
  return compiledWithErrors ? kCompiledWithErrors : kSuccess;
}

}  // namespace qs::cli
