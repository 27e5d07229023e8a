#include "output/helpcompiler.h"

#include <filesystem>
#include <system_error>

#include "platform/filesystem.h"
#include "platform/tempfolder.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;

// The compiler gets its working folder and the project file as full paths: a relative help
// folder would otherwise be taken relative to itself once the compiler stands in it.
std::string AbsoluteFolder(const std::string& folder) {
  std::error_code error;
  const auto absolute = fs::absolute(fs::path(folder.empty() ? "." : folder), error);
  if (error) return folder;
  return text::WithTrailingSeparator(absolute.lexically_normal().string());
}

}  // namespace

text::Report CompilerNotFoundReport(const std::string& compilerPath) {
  return text::BuildErrorReport("Help compiler not found!\n'" + compilerPath + "'");
}

std::string CompiledFilePath(const std::string& helpFolder, const std::string& libraryFile) {
  return text::WithTrailingSeparator(helpFolder) + text::FileNamePart(libraryFile) + ".chm";
}

bool CompileHelp(CompileOptions& options, const std::string& helpFolder,
                 const std::string& libraryFile, platform::ProgramRunner& runner,
                 text::Reports& reports, std::vector<CompilerMessage>* messages) {
  if (messages != nullptr) messages->clear();
  if (!options.compileToChm || options.compilerPath.empty()) return false;
  if (!platform::IsNonEmptyFile(options.compilerPath)) {
    options.compileToChm = false;
    reports.push_back(CompilerNotFoundReport(options.compilerPath));
    return false;
  }

  const std::string library = text::FileNamePart(libraryFile);
  const std::string compiled = CompiledFilePath(helpFolder, libraryFile);
  const auto couldNotCreate = [&] {
    reports.push_back(
        text::BuildErrorReport("Could not create CHM help file!\n'" + compiled + "'"));
    return false;
  };
  if (platform::IsNonEmptyFile(compiled)) {
    std::error_code error;
    fs::remove(fs::path(compiled), error);
    // An old file that stays would be taken for the new one.
    if (platform::IsNonEmptyFile(compiled)) return couldNotCreate();
  }

  const std::string folder = AbsoluteFolder(text::WithTrailingSeparator(helpFolder));
  // The compiler starts in the help folder: a path relative to here must not be taken
  // relative to there. Every runner gets the absolute path, whatever it does itself.
  const std::string compiler = platform::AbsolutePath(options.compilerPath);
  std::string output;
  if (!runner.RunCollecting(compiler, folder + library + ".hhp", folder, output)) {
    options.compileToChm = false;
    reports.push_back(
        text::BuildErrorReport("Could not start help compiler!\n'" + options.compilerPath + "'"));
    return false;
  }
  if (messages != nullptr) *messages = ReadCompilerMessages(output);
  if (platform::IsNonEmptyFile(compiled)) return true;
  return couldNotCreate();
}

std::vector<std::string> ListingOptions(const std::string& compilerPath) {
  std::string name = text::AsciiLower(text::FileNamePart(compilerPath));
  if (text::EndsWith(name, ".exe")) name.resize(name.size() - 4);
  if (name == "chmcmd") return {"--verbosity", "5"};
  return {};
}

void DeleteCompilerTempFiles() {
  DeleteCompilerTempFiles(platform::SystemTempFolder());
}

void DeleteCompilerTempFiles(const std::string& tempFolder) {
  if (tempFolder.empty()) return;
  std::error_code error;
  fs::directory_iterator entries(fs::path(tempFolder), error);
  if (error) return;
  for (const auto& entry : entries) {
    const std::string name = text::AsciiLower(entry.path().filename().string());
    if (!text::StartsWith(name, "~hh") || !text::EndsWith(name, ".tmp") || name.size() < 7) {
      continue;
    }
    std::error_code ignored;
    if (!entry.is_regular_file(ignored)) continue;
    fs::remove(entry.path(), ignored);
  }
}

}  // namespace qs::output
