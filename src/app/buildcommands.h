#pragma once

#include <string>

#include "app/commandcontext.h"
#include "app/ui.h"

namespace qs::flows {
class HelpBuild;
}

namespace qs::app {

struct BuildSummary;

// The commands that write the help: the two previews, "Create HTML files" with the builder
// window and its compile step, the unique HTML file and the website.
class BuildCommands {
 public:
  explicit BuildCommands(const CommandContext& context) : c_(context) {}

  // "Preview [F1]": the shown page in the preview window.
  void PreviewPage();
  // "Preview all [F2]": the index page in the preview window.
  void PreviewAll();
  // "Create HTML files": the help folder, the builder window with the compilation, the
  // clean-up and the erase option.
  void CreateHtml();
  // "Create unique HTML help file now !", from the texts last committed.
  void UniqueHtml();
  // "Create website...": asks for a folder (starting at the one this project's website went
  // into last) and writes the help there as a static website, from the texts committed.
  void CreateWebsite();

 private:
  // Commits the form and shows the page file `page` in the preview window; nothing without a
  // shown topic.
  void RunPreview(const std::string& page);
  // The compile step of the builder window: the window's new label (or an empty text) and the
  // compiler's messages. What it compiled, how long that took and what the compiler reported
  // go into `summary`.
  BuilderResult CompileForBuilder(flows::HelpBuild& build, BuildSummary& summary);
  // "Open help" of the builder window: the compiled help file `chm` in the desktop's viewer
  // for such files; a message when the file has gone, no viewer is set up or it fails.
  void OpenCompiledHelp(const std::string& chm);

  CommandContext c_;
};

}  // namespace qs::app
