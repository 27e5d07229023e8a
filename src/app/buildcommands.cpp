#include "app/buildcommands.h"

#include "app/helpbuild.h"
#include "app/previewpages.h"
#include "app/uniquefile.h"
#include "text/paths.h"

namespace qs::app {

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

std::string BuildCommands::CompileForBuilder(HelpBuild& build) {
  const CompileOutcome outcome = build.Compile({c_.ui.CompileChecked(), c_.ui.CompilerPath()});
  if (!outcome.options.compileToChm && c_.ui.CompileChecked()) c_.ui.SetCompileChecked(false);
  c_.ShowReports(outcome.reports);
  if (!outcome.compiled) return {};
  return "Help files compiled to " + outcome.compiledFile + " :";
}

void BuildCommands::CreateHtml() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  if (c_.project.helpFolder.empty()) {
    c_.ui.ShowMessage(NoHelpFolderReport());
    return;
  }
  // Back to the form; the view mode's preview folder stays until the view mode ends.
  c_.ShowEditForm();
  const std::string target = HelpFolderOf(c_.project);
  HelpBuild build(c_.services, c_.ProjectToWrite(), target);
  const FolderOutcome folder = build.Write(c_.captions, {c_.ui.KeywordIndexChecked()});
  c_.ShowReports(folder.reports);
  if (folder.written()) {
    c_.ui.ShowBuilderWindow("Help files created in " + target + " :", folder.log,
                            [this, &build] { return CompileForBuilder(build); });
  }
  build.Finish(c_.ui.EraseHtmlChecked());
}

void BuildCommands::UniqueHtml() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  c_.ShowReports(
      WriteUniqueFile(c_.services, c_.ProjectToWrite(), HelpFolderOf(c_.project)).reports);
}

}  // namespace qs::app
