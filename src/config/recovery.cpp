#include "config/recovery.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/localtime.h"
#include "platform/userfolder.h"
#include "project/projectfile.h"
#include "text/log.h"
#include "text/textops.h"

namespace qs::config {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCopyExtension = ".qsp";
constexpr std::string_view kLockExtension = ".lock";
// Left by earlier versions, which named the writing process in it; removed with its copy.
constexpr std::string_view kOwnerExtension = ".owner";
// Copies of one project file at once: one per window that has it open, and those waiting to
// be offered.
constexpr int kNamesPerProject = 16;

std::string Stem(const std::string& copyPath) {
  return copyPath.substr(0, copyPath.size() - kCopyExtension.size());
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

// The copy goes before its lock is let go: no one may find it unowned in between.
void RemoveCopyFiles(const std::string& copyPath) {
  std::error_code error;
  fs::remove(fs::path(copyPath), error);
  fs::remove(fs::path(Stem(copyPath) + std::string(kOwnerExtension)), error);
}

std::time_t ToTime(fs::file_time_type when) {
  return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(
      std::chrono::time_point_cast<std::chrono::file_clock::duration>(when)));
}

}  // namespace

RecoveryStore::RecoveryStore(const std::string& settingsFolder)
    : folder_(settingsFolder + "Recovery" + std::string(1, fs::path::preferred_separator)) {}

RecoveryStore::HeldCopy* RecoveryStore::Claim(const std::string& projectFile) {
  for (HeldCopy& copy : held_) {
    if (!copy.offered && copy.projectFile == projectFile) return &copy;
  }
  // The copies hold the author's unsaved text: a folder only the author may enter.
  if (!platform::MakePrivateFolder(folder_)) return nullptr;
  std::error_code error;
  const std::string hash = text::StableHashHex(projectFile);
  for (int number = 0; number < kNamesPerProject; ++number) {
    const std::string stem = folder_ + hash + (number == 0 ? "" : "-" + std::to_string(number));
    const std::string path = stem + std::string(kCopyExtension);
    if (std::any_of(held_.begin(), held_.end(),
                    [&path](const HeldCopy& copy) { return copy.path == path; })) {
      continue;
    }
    platform::FileLock lock;
    if (lock.TryLock(stem + std::string(kLockExtension)) != platform::LockResult::Locked) continue;
    // A copy that no one writes is the work of a run that ended without saving: it waits to
    // be offered at the next start.
    if (fs::exists(fs::path(path), error) || error) continue;
    held_.push_back({projectFile, path, std::move(lock), false});
    return &held_.back();
  }
  return nullptr;
}

std::string RecoveryStore::Write(const project::HelpProject& project) {
  const HeldCopy* copy = Claim(project.projectFile);
  if (copy == nullptr) {
    text::LoggedFailure(text::configLog,
                        "recovery copy not written, no folder or no name free:", folder_);
    return {};
  }
  project::HelpProject written = project;
  text::Reports ignored;
  // Private files, and nothing written through a link someone planted at their names.
  platform::WriteOptions options;
  options.refuseLinks = true;
  options.privateFile = true;
  if (!project::SaveProject(written, copy->path, ignored, options)) {
    text::LoggedFailure(text::configLog, "recovery copy not written:", copy->path);
    return {};
  }
  QS_LOG_INFO(text::configLog) << "recovery copy written: '" << copy->path << "'";
  return copy->path;
}

void RecoveryStore::Remove(const std::string& projectFile) {
  for (auto it = held_.begin(); it != held_.end();) {
    if (it->projectFile != projectFile) {
      ++it;
      continue;
    }
    RemoveCopyFiles(it->path);
    QS_LOG_INFO(text::configLog) << "recovery copy removed: '" << it->path << "'";
    it = held_.erase(it);
  }
}

void RecoveryStore::Take(const std::string& path) {
  for (HeldCopy& copy : held_) {
    if (copy.path == path) copy.offered = false;
  }
}

void RecoveryStore::Postpone(const std::string& path) {
  const auto held = std::find_if(held_.begin(), held_.end(), [&path](const HeldCopy& copy) {
    return copy.offered && copy.path == path;
  });
  if (held == held_.end()) return;
  QS_LOG_INFO(text::configLog) << "recovery copy left for the next start: '" << path << "'";
  held_.erase(held);
}

std::vector<RecoveryCopy> RecoveryStore::Find() {
  std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(folder_), error)) {
    const std::string path = entry.path().string();
    if (!entry.is_regular_file(error) || !path.ends_with(kCopyExtension)) continue;
    const auto held = std::find_if(held_.begin(), held_.end(),
                                   [&path](const HeldCopy& copy) { return copy.path == path; });
    if (held != held_.end() && !held->offered) continue;  // this run's own
    // Owned while its lock is held: by the program writing it, or one offering it now.
    platform::FileLock lock;
    if (held == held_.end() &&
        lock.TryLock(Stem(path) + std::string(kLockExtension)) != platform::LockResult::Locked) {
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
        QS_LOG_INFO(text::configLog)
            << "recovery copy older than its project file removed: '" << path << "'";
        RemoveCopyFiles(path);
        if (held != held_.end()) held_.erase(held);
        continue;
      }
    }
    if (held == held_.end()) held_.push_back({*projectFile, path, std::move(lock), true});
    QS_LOG_INFO(text::configLog) << "recovery copy found: '" << path << "' of '" << *projectFile
                                 << "'";
    found.push_back({written, {path, *projectFile, platform::LocalDateTime(ToTime(written))}});
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveryCopy> copies;
  for (auto& [written, copy] : found) copies.push_back(std::move(copy));
  return copies;
}

}  // namespace qs::config
