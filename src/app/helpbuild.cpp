#include "app/helpbuild.h"

#include <utility>

#include "output/helpcompiler.h"
#include "text/paths.h"

namespace qs::app {

text::Report NoHelpFolderReport() {
  return {"WARNING", "No help folder defined!", text::ReportIcon::Exclamation};
}

std::string HelpFolderOf(const project::HelpProject& project) {
  return text::ResolvedAgainst(project.helpFolder, text::FolderPart(project.projectFile));
}

std::string CompiledText(const CompileOutcome& outcome) {
  const std::string with = output::CompiledWithText(outcome.messages);
  return "Help files " + (with.empty() ? std::string("compiled") : with) + " to " +
         outcome.compiledFile;
}

HelpBuild::HelpBuild(Services& services, const project::HelpProject& project, std::string folder)
    : services_(services), project_(project), folder_(std::move(folder)) {}

FolderOutcome HelpBuild::Write(const config::LanguageTable& captions,
                               const output::BuildOptions& options) {
  FolderOutcome outcome;
  outcome.log = services_.BuildHelpFolder(project_, captions, folder_, options, outcome.reports);
  if (!outcome.written()) {
    outcome.reports.push_back(text::BuildErrorReport("Error during help files creation!"));
  }
  return outcome;
}

CompileOutcome HelpBuild::Compile(output::CompileOptions options) {
  compileRan_ = true;
  CompileOutcome outcome;
  outcome.compiled =
      services_.CompileHelp(project_, folder_, options, outcome.reports, outcome.messages);
  if (outcome.compiled) {
    outcome.compiledFile = output::CompiledFilePath(folder_, project_.libraryFile);
  }
  outcome.options = std::move(options);
  return outcome;
}

void HelpBuild::Finish(bool erase) {
  if (compileRan_) services_.DeleteCompilerTempFiles();
  if (erase) services_.EraseBuildFiles();
}

}  // namespace qs::app
