#include "flows/helpbuild.h"

#include <utility>

#include "output/helpcompiler.h"
#include "platform/helpcompilerlocator.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::flows {

namespace {

// The HTML pages among the paths of a build log (one path per line).
std::size_t PagesInLog(const std::string& log) {
  std::size_t pages = 0;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    if (text::EndsWith(text::AsciiLower(log.substr(start, end - start)), ".html")) ++pages;
    start = end + 1;
  }
  return pages;
}

}  // namespace

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

std::string CompilerMessagesHeading(const CompileOutcome& outcome) {
  const std::string counted = output::CountedMessagesText(outcome.messages);
  return counted.empty() ? std::string() : "The compiler reported " + counted + ":";
}

text::Report CompiledHelpGoneReport(const std::string& chm) {
  return text::ErrorReport("The help file '" + chm + "' no longer exists.");
}

text::Report NoHelpViewerReport(const std::string& chm) {
  return text::ErrorReport(
      "No program to show help files (.chm) is set up on this system.\nInstall a viewer for "
      "them, or open '" +
      chm + "' with one you have.");
}

text::Report HelpViewerFailedReport(const std::string& chm) {
  return text::ErrorReport("The viewer for help files could not open '" + chm + "'.");
}

HelpBuild::HelpBuild(HelpOutput& help, const project::HelpProject& project, std::string folder,
                     output::BuildRecord& record)
    : help_(help), project_(project), folder_(std::move(folder)), record_(record) {}

FolderOutcome HelpBuild::Write(const config::LanguageTable& captions,
                               const output::BuildOptions& options) {
  FolderOutcome outcome;
  outcome.log =
      help_.BuildHelpFolder(project_, captions, folder_, options, record_, outcome.reports);
  outcome.pages = PagesInLog(outcome.log);
  if (!outcome.written()) {
    outcome.reports.push_back(text::BuildErrorReport("Error during help files creation!"));
  }
  return outcome;
}

CompileOutcome HelpBuild::Compile(output::CompileOptions options) {
  compileRan_ = true;
  CompileOutcome outcome;
  outcome.compiled =
      help_.CompileHelp(project_, folder_, options, outcome.reports, outcome.messages, leftovers_);
  if (outcome.compiled) {
    outcome.compiledFile = output::CompiledFilePath(folder_, project_.libraryFile);
  }
  outcome.options = std::move(options);
  return outcome;
}

CompileOutcome HelpBuild::CompileWith(const std::optional<std::string>& compiler) {
  const std::string path = compiler ? *compiler : help_.FindHelpCompiler();
  if (path.empty()) {
    CompileOutcome missing;
    missing.reports.push_back(
        output::CompilerNotFoundReport(std::string(platform::kHelpCompilerName)));
    return missing;
  }
  return Compile({true, path});
}

void HelpBuild::Finish(bool erase) {
  if (compileRan_) {
    help_.DeleteCompilerTempFiles(leftovers_);
    leftovers_.clear();
  }
  if (erase) help_.EraseBuildFiles(record_);
}

}  // namespace qs::flows
