#include "app/buildcommands.h"

#include <chrono>

#include "app/previewpages.h"
#include "app/statustext.h"
#include "flows/helpbuild.h"
#include "flows/uniquefile.h"
#include "flows/website.h"
#include "text/paths.h"

namespace qs::app {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

void BuildCommands::RunPreview(const std::string& page) {
  if (c_.project.shownTopic().empty()) return;
  c_.CommitForm();
  // Each page is made from the model when the browser asks for it, links followed included:
  // nothing is written, so there is nothing to erase afterwards.
  c_.ui.ShowPreviewWindow(
      "QuillSmith [HTML Preview] - " + text::FileNamePart(c_.project.libraryFile) + " library help",
      PageAddress(page));
}

void BuildCommands::PreviewPage() {
  ForgetEditorAtEnd forget(c_.state);
  RunPreview(c_.project.shownTopic() + ".html");
}

void BuildCommands::PreviewAll() {
  ForgetEditorAtEnd forget(c_.state);
  RunPreview(std::string(project::kIndexName) + ".html");
}

BuilderResult BuildCommands::CompileForBuilder(flows::HelpBuild& build, BuildSummary& summary) {
  const Clock::time_point start = Clock::now();
  const flows::CompileOutcome outcome =
      build.Compile({c_.ui.CompileChecked(), c_.ui.CompilerPath()});
  summary.compileSeconds = SecondsSince(start);
  if (!outcome.options.compileToChm && c_.ui.CompileChecked()) c_.ui.SetCompileChecked(false);
  c_.ShowReports(outcome.reports);
  BuilderResult result;
  result.messagesHeading = flows::CompilerMessagesHeading(outcome);
  for (const auto& message : outcome.messages)
    result.messages.push_back(output::MessageLine(message));
  result.errors = outcome.errors();
  if (!outcome.compiled) return result;
  result.compiledFile = outcome.compiledFile;
  summary.compiledFile = outcome.compiledFile;
  summary.compiledWith = output::CompiledWithText(outcome.messages);
  result.label = flows::CompiledText(outcome) + " :";
  return result;
}

void BuildCommands::OpenCompiledHelp(const std::string& chm) {
  if (!c_.services.system.IsNonEmptyFile(chm)) {
    c_.ui.ShowMessage(flows::CompiledHelpGoneReport(chm));
    return;
  }
  // Asked first: a desktop without a viewer for the type would accept the request and then
  // show nothing at all.
  if (!c_.services.system.HasDocumentViewer(chm)) {
    c_.ui.ShowMessage(flows::NoHelpViewerReport(chm));
    return;
  }
  if (!c_.ui.OpenDocument(chm)) c_.ui.ShowMessage(flows::HelpViewerFailedReport(chm));
}

void BuildCommands::CreateHtml() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  if (c_.project.helpFolder.empty()) {
    c_.ui.ShowMessage(flows::NoHelpFolderReport());
    return;
  }
  // Back to the form while the build runs.
  c_.ShowEditForm();
  const std::string target = flows::HelpFolderOf(c_.project);
  flows::HelpBuild build(c_.services.helpOutput, c_.project, target, c_.state.lastBuild);
  const Clock::time_point start = Clock::now();
  const flows::FolderOutcome folder =
      build.Write(c_.captions, {c_.ui.KeywordIndexChecked(), c_.ui.ExamplesAsCodeChecked()});
  BuildSummary summary;
  summary.pages = folder.pages;
  summary.seconds = SecondsSince(start);
  summary.folder = target;
  c_.ShowReports(folder.reports);
  if (folder.written()) {
    c_.ui.ShowBuilderWindow(
        "Help files created in " + target + " :", folder.log,
        [this, &build, &summary] { return CompileForBuilder(build, summary); },
        [this](const std::string& chm) { OpenCompiledHelp(chm); });
  }
  const bool erase = c_.ui.EraseHtmlChecked();
  build.Finish(erase);
  summary.erased = erase;
  c_.ui.ShowStatus(folder.written() ? BuildStatus(summary) : BuildFailedStatus(summary.folder));
}

void BuildCommands::UniqueHtml() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  c_.ShowReports(flows::WriteUniqueFile(c_.services.helpOutput, c_.project,
                                        flows::HelpFolderOf(c_.project),
                                        c_.ui.ExamplesAsCodeChecked())
                     .reports);
}

void BuildCommands::CreateWebsite() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  const std::string& projectFile = c_.project.projectFile;
  std::string start = c_.services.preferences.LastWebsiteFolder(projectFile);
  if (start.empty()) start = text::FolderPart(projectFile);
  const std::string folder = c_.ui.FolderRequester("Create website in...", start);
  if (folder.empty()) return;
  const flows::WebsiteOutcome site = flows::CreateWebsite(
      c_.project, c_.captions, folder, std::nullopt, c_.ui.ExamplesAsCodeChecked());
  c_.ShowReports(site.reports);
  if (!site.written()) {
    c_.ui.ShowStatus("The website could not be created in " + folder);
    return;
  }
  if (!projectFile.empty()) c_.services.preferences.RecordWebsiteFolder(projectFile, folder);
  c_.ui.ShowStatus("Website created in " + folder + ": " + std::to_string(site.pages) + " pages");
  c_.ui.ShowMessage(flows::WebsiteCreatedReport(site.startPage));
}

}  // namespace qs::app
