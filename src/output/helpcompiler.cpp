#include "output/helpcompiler.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "output/compilercopy.h"
#include "platform/filesystem.h"
#include "platform/outputfolder.h"
#include "platform/privatefolder.h"
#include "platform/regularfile.h"
#include "platform/tempfolder.h"
#include "text/log.h"
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

// Where the compiler works in the private folder `work`: `depth` folders down, then "help".
std::string CopyFolderIn(const std::string& work, std::size_t depth) {
  // Bounded: a path too long to make leaves the copy where it was.
  std::string folder = work;
  for (std::size_t i = 0; i < std::min<std::size_t>(depth, 200); ++i) {
    folder += "up";
    folder += text::NativeSeparator();
  }
  return folder + "help" + text::NativeSeparator();
}

bool IsPageName(const std::string& name) {
  const std::string lower = text::AsciiLower(name);
  return text::EndsWith(lower, ".html") || text::EndsWith(lower, ".htm");
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
                 text::Reports& reports, std::vector<CompilerMessage>* messages,
                 std::vector<std::string>* leftovers) {
  if (messages != nullptr) messages->clear();
  if (leftovers != nullptr) leftovers->clear();
  if (!options.compileToChm || options.compilerPath.empty()) return false;
  if (!platform::IsNonEmptyFile(options.compilerPath)) {
    options.compileToChm = false;
    reports.push_back(CompilerNotFoundReport(options.compilerPath));
    return false;
  }

  const std::string library = text::FileNamePart(libraryFile);
  const std::string compiledName = library + ".chm";
  const std::string compiled = CompiledFilePath(helpFolder, libraryFile);
  const auto couldNotCreate = [&] {
    reports.push_back(
        text::BuildErrorReport("Could not create CHM help file!\n'" + compiled + "'"));
    return false;
  };
  const std::string folder = AbsoluteFolder(text::WithTrailingSeparator(helpFolder));
  platform::OutputFolder help;
  if (!help.Open(folder)) return couldNotCreate();
  // An old file that stays would be taken for the new one. (Whatever else is at the name, a
  // link say, is replaced by the new file and never written through.)
  help.RemoveFile(compiledName);

  platform::PrivateFolder work;
  if (!work.Make(platform::SystemTempFolder())) return couldNotCreate();
  std::string copyFolder = CopyFolderIn(work.Path(), 0);
  CompilerCopy copy;
  {
    std::error_code error;
    fs::create_directory(fs::path(copyFolder), error);
    platform::OutputFolder target;
    if (error || !target.Open(copyFolder) ||
        !CopyForCompiler(help, target, library + ".hhp", copy)) {
      return couldNotCreate();
    }
  }
  // The compiler looks for what "../x" names, though nothing outside the help folder was
  // copied: deep enough in the private folder, it finds nothing there.
  if (copy.reach > 1) {
    const std::string deeper = CopyFolderIn(work.Path(), copy.reach - 1);
    std::error_code error;
    fs::create_directories(fs::path(deeper).parent_path().parent_path(), error);
    if (!error)
      fs::rename(fs::path(copyFolder).parent_path(), fs::path(deeper).parent_path(), error);
    if (!error) copyFolder = deeper;
  }

  // The compiler starts in the copy: a path relative to here must not be taken relative to
  // there. Every runner gets the absolute path, whatever it does itself.
  const std::string compiler = platform::AbsolutePath(options.compilerPath);
  const std::string tempFolder = platform::SystemTempFolder();
  const std::vector<std::string> before = CompilerTempFiles(tempFolder);
  // The user reads the help folder's paths in what the compiler says, as if it ran there.
  runner.ShowFolderAs(copyFolder, folder);
  std::string output;
  QS_LOG_INFO(text::outputLog) << "compiler: '" << compiler << "' '" << copyFolder << library
                               << ".hhp' in '" << copyFolder << "' for '" << folder << "'";
  const auto startedAt = std::chrono::steady_clock::now();
  const bool started =
      runner.RunCollecting(compiler, copyFolder + library + ".hhp", copyFolder, output);
  QS_LOG_INFO(text::outputLog) << "compiler " << (started ? "ran " : "did not start, ")
                               << std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - startedAt)
                                      .count()
                               << " ms: " << ReadCompilerMessages(output).size()
                               << " errors and warnings, " << copy.leftOut.size()
                               << " files left out of its copy";
  output = runner.ShownText(output);
  runner.ShowFolderAs({}, {});
  if (leftovers != nullptr) {
    for (auto& file : CompilerTempFiles(tempFolder)) {
      if (std::find(before.begin(), before.end(), file) == before.end()) {
        leftovers->push_back(std::move(file));
      }
    }
  }
  if (!started) {
    options.compileToChm = false;
    reports.push_back(
        text::BuildErrorReport("Could not start help compiler!\n'" + options.compilerPath + "'"));
    return false;
  }
  if (messages != nullptr) {
    *messages = ReadCompilerMessages(output);
    const auto warnings =
        std::find_if(messages->begin(), messages->end(), [](const CompilerMessage& message) {
          return message.kind == CompilerMessageKind::Warning;
        });
    std::vector<CompilerMessage> leftOut;
    for (const auto& [name, text] : copy.leftOut) {
      leftOut.push_back({CompilerMessageKind::Warning, IsPageName(name) ? name : "", text});
    }
    messages->insert(warnings, leftOut.begin(), leftOut.end());
  }

  std::string bytes;
  if (platform::ReadRegularFile(copyFolder + compiledName, kCompilerFileLimit, bytes) !=
          platform::ReadStatus::Read ||
      bytes.empty() || !help.Write(compiledName, bytes)) {
    return couldNotCreate();
  }
  return true;
}

std::vector<std::string> ListingOptions(const std::string& compilerPath) {
  std::string name = text::AsciiLower(text::FileNamePart(compilerPath));
  if (text::EndsWith(name, ".exe")) name.resize(name.size() - 4);
  if (name == "chmcmd") return {"--verbosity", "5"};
  return {};
}

std::vector<std::string> CompilerTempFiles(const std::string& tempFolder) {
  std::vector<std::string> files;
  if (tempFolder.empty()) return files;
  std::error_code error;
  fs::directory_iterator entries(fs::path(tempFolder), error);
  if (error) return files;
  for (const auto& entry : entries) {
    const std::string name = text::AsciiLower(entry.path().filename().string());
    if (!text::StartsWith(name, "~hh") || !text::EndsWith(name, ".tmp") || name.size() < 7) {
      continue;
    }
    const std::string path = entry.path().string();
    if (platform::IsOwnRegularFile(path)) files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  return files;
}

void DeleteCompilerTempFiles(const std::vector<std::string>& leftovers) {
  for (const auto& file : leftovers) {
    if (!platform::IsOwnRegularFile(file)) continue;
    std::error_code ignored;
    if (fs::remove(fs::path(file), ignored)) {
      QS_LOG_INFO(text::outputLog) << "erased the compiler's leftover '" << file << "'";
    }
  }
}

}  // namespace qs::output
