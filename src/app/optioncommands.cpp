#include "app/optioncommands.h"

#include <string>

#include "app/requesters.h"
#include "text/textops.h"

namespace qs::app {

namespace {

// The association either changed as asked, or it says that it could not be changed.
text::Report AssociationReport(bool changed, const char* confirmation) {
  if (changed) return text::InformationReport(confirmation);
  return text::ErrorReport("The association of QuillSmith project files could not be changed!");
}

}  // namespace

void OptionCommands::BrowseCompiler() {
  ForgetEditorAtEnd forget(c_.state);
  std::string start = c_.services.helpOutput.FindHelpCompiler();
  if (start.empty()) start = c_.services.system.ProgramFolder();
  const FileChoice choice =
      c_.ui.OpenFileRequester("HTML2CHM Compiler", start, std::string(kCompilerFilter));
  if (!choice.path.empty()) c_.ui.SetCompilerPath(choice.path);
}

void OptionCommands::CompileOptionChanged() {
  ForgetEditorAtEnd forget(c_.state);
  if (c_.ui.CompilerPath().empty() && c_.ui.CompileChecked()) c_.ui.SetCompileChecked(false);
}

void OptionCommands::LanguageChosen() {
  const std::string chosen = c_.ui.SelectedLanguageEntry();
  if (chosen == c_.state.currentLanguage) return;
  c_.CommitForm();
  c_.SaveCurrentLanguage();
  if (c_.services.preferences.LoadLanguage(chosen, c_.state.currentLanguage, c_.captions)) {
    c_.ui.SetHeadingFields(c_.captions);
    c_.state.captionsOwned = true;
    c_.state.captionsEdited = false;
  }
}

void OptionCommands::CaptionEdited() {
  const config::LanguageTable typed = c_.ui.ReadHeadingFields();
  for (std::size_t i = 0; i < config::kCaptionKeys.size(); ++i) {
    config::CaptionAt(c_.captions, i) = text::TrimBlanks(config::CaptionAt(typed, i));
  }
  c_.state.captionsOwned = true;
  c_.state.captionsEdited = true;
}

void OptionCommands::Associate() {
  ForgetEditorAtEnd forget(c_.state);
  c_.ui.ShowMessage(AssociationReport(c_.services.system.RegisterProjectFiles(),
                                      "QuillSmith project files are registered"));
}

void OptionCommands::RemoveAssociation() {
  ForgetEditorAtEnd forget(c_.state);
  c_.ui.ShowMessage(AssociationReport(c_.services.system.UnregisterProjectFiles(),
                                      "QuillSmith project files are unregistered"));
}

}  // namespace qs::app
