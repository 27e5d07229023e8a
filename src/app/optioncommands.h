#pragma once

#include "app/commandcontext.h"

namespace qs::app {

// The commands of the Options tab: the compiler, the localisation of the pages and the
// association of project files with the program.
class OptionCommands {
 public:
  explicit OptionCommands(const CommandContext& context) : c_(context) {}

  void BrowseCompiler();
  // The compile option was switched: it cannot stay on without a compiler path.
  void CompileOptionChanged();
  // Another entry of the language list was picked: the edited captions of the current
  // language are saved, then the chosen language is loaded.
  void LanguageChosen();
  // One of the six heading fields was edited.
  void CaptionEdited();
  void Associate();
  void RemoveAssociation();

 private:
  CommandContext c_;
};

}  // namespace qs::app
