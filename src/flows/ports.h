#pragma once

// What the shared flows need of the disk, each a small port of its own: the project file, the
// library and the help output. The real ones are in diskports.h; tests bind them to recording
// fakes. State that lasts from one step to the next (the record of the last build, the
// compiler's leftovers) is the caller's and is passed in, so a port keeps only what belongs to
// its files.

#include <string>
#include <vector>

#include "config/languagetable.h"
#include "output/buildoptions.h"
#include "output/buildrecord.h"
#include "output/compileoptions.h"
#include "output/compilermessages.h"
#include "platform/fileversion.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::flows {

class ProjectFiles {
 public:
  virtual ~ProjectFiles() = default;

  virtual bool LoadProject(project::HelpProject& project, const std::string& path,
                           const project::LoadContext& context, text::Reports& reports) = 0;
  virtual bool SaveProject(project::HelpProject& project, const std::string& path,
                           text::Reports& reports) = 0;
  // Marks `path` as open in this window (its open lock), in place of the file marked before;
  // an empty path marks none. False when another running window has it open: none is marked
  // then. A folder that takes no mark leaves the file unmarked, and that is no failure.
  virtual bool HoldProjectFile(const std::string& path) = 0;
  // A file as it is on disk now, and whether it still is `version` (which takes a new time
  // stamp of the same bytes): how the window notices that someone else wrote its files.
  virtual platform::FileVersion ReadFileVersion(const std::string& path) = 0;
  virtual bool StillSameVersion(const std::string& path, platform::FileVersion& version) = 0;
};

class LibraryReader {
 public:
  virtual ~LibraryReader() = default;

  // Reads the project's library file and builds the topics afresh, or merges into them (see
  // library::MergesInto); refills the rows and selects the Index page. False, with the topics
  // as they were, when the library gives no topics.
  virtual bool ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                  text::Reports& reports) = 0;
};

class HelpOutput {
 public:
  virtual ~HelpOutput() = default;

  // Writes every page, the contents and the project file into `folder`, with the extra files
  // `options` ask for, and records them in `record` (whose earlier build's pages that are no
  // topic's any more are removed); the build log, or an empty text on failure.
  virtual std::string BuildHelpFolder(const project::HelpProject& project,
                                      const config::LanguageTable& captions,
                                      const std::string& folder,
                                      const output::BuildOptions& options,
                                      output::BuildRecord& record, text::Reports& reports) = 0;
  // Erases the files of the build `record` names.
  virtual void EraseBuildFiles(const output::BuildRecord& record) = 0;
  // The one-page HTML help in `folder`, with the examples as code when `examplesAsCode`;
  // false when it could not be written (nothing is reported then).
  virtual bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                                   bool examplesAsCode, text::Reports& reports) = 0;
  // Compiles the help folder `folder` into the library's .chm when `options` ask for it; true
  // when a new non-empty .chm is there. Switches `options.compileToChm` off when the compiler
  // is missing or cannot be started. The errors and warnings the compiler wrote go into
  // `messages`, errors first; the compiler's leftovers in the temporary folder into
  // `leftovers`.
  virtual bool CompileHelp(const project::HelpProject& project, const std::string& folder,
                           output::CompileOptions& options, text::Reports& reports,
                           std::vector<output::CompilerMessage>& messages,
                           std::vector<std::string>& leftovers) = 0;
  // Deletes the compiler's leftovers that a compile named.
  virtual void DeleteCompilerTempFiles(const std::vector<std::string>& leftovers) = 0;
  // The help compiler installed on this system; empty when there is none.
  virtual std::string FindHelpCompiler() = 0;
};

}  // namespace qs::flows
