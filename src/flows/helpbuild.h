#pragma once

// "Create HTML files" as both programs run it: the help folder is written, compiled into one
// help file when asked, the compiler's leftovers are deleted, and the files of the build are
// erased when asked. The steps are separate calls because the window shows the build log
// while the compile step runs; each returns what it did as a value, its messages decided
// here, and the front end only shows them: a message box, or a line on standard error.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "config/languagetable.h"
#include "flows/ports.h"
#include "output/buildrecord.h"
#include "output/compileoptions.h"
#include "output/compilermessages.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::flows {

// The refusal of a build into no folder.
text::Report NoHelpFolderReport();

// The folder the project's help goes into: its help folder, a relative one taken from the
// project file's folder (not from wherever the program was started), as it was meant.
std::string HelpFolderOf(const project::HelpProject& project);

struct FolderOutcome {
  // The full path of every file written, each followed by LF; empty when the folder could
  // not be written.
  std::string log;
  // How many of those files are HTML pages.
  std::size_t pages = 0;
  // What the build reported; after a failure the last one is "Error during help files
  // creation!".
  text::Reports reports;

  bool written() const { return !log.empty(); }
};

struct CompileOutcome {
  bool compiled = false;
  // The compiled help file, when there is one.
  std::string compiledFile;
  // The options as the compile step left them: compiling is switched off when the compiler
  // is missing or cannot be started, and the caller keeps that.
  output::CompileOptions options;
  text::Reports reports;
  // The compiler's errors, then its warnings, each with the page it names: a help compiled
  // despite errors is reported as such.
  std::vector<output::CompilerMessage> messages;

  std::size_t errors() const {
    return output::CountMessages(messages, output::CompilerMessageKind::Error);
  }
  std::size_t warnings() const {
    return output::CountMessages(messages, output::CompilerMessageKind::Warning);
  }
};

// "The compiler reported 2 errors and 1 warning:", the heading of the compiler's messages where
// they are listed; empty when it reported none.
std::string CompilerMessagesHeading(const CompileOutcome& outcome);

// The message boxes of "Open help", which opens the compiled help file with the desktop's
// viewer for it: the file has gone since it was compiled; no viewer is set up for such files;
// the viewer could not be started.
text::Report CompiledHelpGoneReport(const std::string& chm);
text::Report NoHelpViewerReport(const std::string& chm);
text::Report HelpViewerFailedReport(const std::string& chm);

// "Help files compiled to " + the compiled file; with "compiled with 2 errors and 1 warning"
// and so on in place of "compiled" when the compiler reported any.
std::string CompiledText(const CompileOutcome& outcome);

class HelpBuild {
 public:
  // A build of `project` into `folder`, following the build `record` names (whose pages of
  // topics since gone it removes) and recorded there in its place. All must outlive it.
  HelpBuild(HelpOutput& help, const project::HelpProject& project, std::string folder,
            output::BuildRecord& record);

  // Writes every page, the contents and the help project file with these captions, and the
  // extra files `options` ask for. A help folder built before stays as it is.
  FolderOutcome Write(const config::LanguageTable& captions, const output::BuildOptions& options);

  // Compiles the written folder into the library's help file as `options` ask; silently
  // nothing when compiling is off or no compiler is set.
  CompileOutcome Compile(output::CompileOptions options);
  // Compiles with `compiler`, or without one with the compiler installed on this system;
  // when there is none, the outcome says the compiler was not found.
  CompileOutcome CompileWith(const std::optional<std::string>& compiler);

  // Ends the build: deletes the compiler's leftovers after a compile step, then erases the
  // files of the build when `erase` is set, whether or not a help file was compiled (the help
  // file is not one of them).
  void Finish(bool erase);

 private:
  HelpOutput& help_;
  const project::HelpProject& project_;
  std::string folder_;
  output::BuildRecord& record_;
  bool compileRan_ = false;
  // The compiler's leftovers in the temporary folder that this build's compile made: the only
  // ones Finish deletes.
  std::vector<std::string> leftovers_;
};

}  // namespace qs::flows
