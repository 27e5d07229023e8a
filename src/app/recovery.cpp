#include "app/recovery.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/atomicfile.h"
#include "platform/localtime.h"
#include "platform/userfolder.h"
#include "project/projectfile.h"
#include "text/textops.h"

namespace qs::app {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCopyExtension = ".qsp";
constexpr std::string_view kOwnerExtension = ".owner";

std::string OwnerPath(const std::string& copyPath) {
  return copyPath.substr(0, copyPath.size() - kCopyExtension.size()) + std::string(kOwnerExtension);
}

// The process named by the owner file beside the copy; 0 when there is none.
unsigned long Owner(const std::string& copyPath) {
  std::ifstream in(fs::path(OwnerPath(copyPath)));
  unsigned long owner = 0;
  in >> owner;
  return in ? owner : 0;
}

// The project file a copy belongs to: the path on its second line. Nothing for a file that is
// no project file.
std::optional<std::string> ProjectFileOf(const std::string& copyPath) {
  std::ifstream in(fs::path(copyPath), std::ios::binary);
  std::string header, projectFile;
  if (!std::getline(in, header) || !std::getline(in, projectFile)) return std::nullopt;
  if (!header.empty() && header.back() == '\r') header.pop_back();
  if (!projectFile.empty() && projectFile.back() == '\r') projectFile.pop_back();
  if (header != project::kProjectHeader) return std::nullopt;
  return projectFile;
}

std::time_t ToTime(fs::file_time_type when) {
  return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(
      std::chrono::time_point_cast<std::chrono::file_clock::duration>(when)));
}

}  // namespace

RecoveryStore::RecoveryStore(const std::string& settingsFolder)
    : folder_(settingsFolder + "Recovery" + std::string(1, fs::path::preferred_separator)) {}

std::string RecoveryStore::CopyPath(const std::string& projectFile) const {
  return folder_ + text::StableHashHex(projectFile) + std::string(kCopyExtension);
}

void RecoveryStore::Write(const project::HelpProject& project) const {
  // The copies hold the author's unsaved text: a private folder, private files, and nothing
  // written through a link someone planted at their names.
  if (!platform::MakePrivateFolder(folder_)) return;
  platform::WriteOptions options;
  options.refuseLinks = true;
  options.privateFile = true;
  const std::string path = CopyPath(project.projectFile);
  platform::AtomicFile owner;
  if (!owner.Open(OwnerPath(path), options) ||
      !owner.Write(std::to_string(platform::CurrentProcessId()) + "\n") || !owner.Commit()) {
    return;
  }
  project::HelpProject copy = project;
  text::Reports ignored;
  project::SaveProject(copy, path, ignored, options);
}

void RecoveryStore::Remove(const std::string& projectFile) const {
  const std::string path = CopyPath(projectFile);
  std::error_code error;
  fs::remove(fs::path(path), error);
  fs::remove(fs::path(OwnerPath(path)), error);
}

std::vector<RecoveryCopy> RecoveryStore::Find() const {
  std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(folder_), error)) {
    const std::string path = entry.path().string();
    if (!entry.is_regular_file(error) || !path.ends_with(kCopyExtension)) continue;
    const unsigned long owner = Owner(path);
    if (owner != 0 && owner != platform::CurrentProcessId() && !platform::ProcessHasEnded(owner)) {
      continue;
    }
    const std::optional<std::string> projectFile = ProjectFileOf(path);
    if (!projectFile) continue;
    const fs::file_time_type written = entry.last_write_time(error);
    if (error) continue;
    if (!projectFile->empty()) {
      std::error_code missing;
      const fs::file_time_type saved = fs::last_write_time(fs::path(*projectFile), missing);
      if (!missing && saved >= written) {
        Remove(*projectFile);
        continue;
      }
    }
    const std::tm local = platform::LocalTime(ToTime(written));
    found.push_back({written,
                     {path,
                      *projectFile,
                      {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                       local.tm_min, local.tm_sec}}});
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveryCopy> copies;
  for (auto& [written, copy] : found) copies.push_back(std::move(copy));
  return copies;
}

}  // namespace qs::app
