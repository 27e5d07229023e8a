#include "config/interruptedsaves.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <tuple>

#include "platform/filesystem.h"
#include "platform/keptcopy.h"
#include "platform/localtime.h"
#include "platform/regularfile.h"
#include "text/log.h"
#include "text/textops.h"

namespace qs::config {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCopyExtension = ".saving";

// Whether the project file holds exactly the copy's bytes: the save it belongs to finished
// its rewrite and was killed only before it removed the copy.
bool HoldsCopy(const std::string& projectFile, const std::string& copyPath) {
  std::string project, copy;
  return platform::ReadRegularFile(projectFile, platform::kProjectFileLimit, project) ==
             platform::ReadStatus::Read &&
         platform::ReadRegularFile(copyPath, platform::kProjectFileLimit, copy) ==
             platform::ReadStatus::Read &&
         project == copy;
}

// The project file of a copy that was left, when that file does not hold the copy's bytes;
// empty for anything else. A left copy matching its file is removed.
std::string TornProjectOf(const std::string& copyPath) {
  const platform::LeftCopy left = platform::FindLeftCopy(copyPath);
  if (left.state != platform::LeftCopy::State::Left) return {};
  if (HoldsCopy(left.target, copyPath)) {
    QS_LOG_INFO(text::configLog) << "copy of a finished save removed: '" << copyPath << "'";
    platform::DiscardLeftCopy(copyPath);
    return {};
  }
  return left.target;
}

platform::DateTime WrittenAt(fs::file_time_type when) {
  return platform::LocalDateTime(
      std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(
          std::chrono::time_point_cast<std::chrono::file_clock::duration>(when))));
}

}  // namespace

text::Report InterruptedSaveReport(const std::string& projectFile) {
  return {"WARNING",
          "The last save of '" + projectFile +
              "' did not finish: the version it was saving was read instead. Save the project "
              "to mend the file.",
          text::ReportIcon::Exclamation};
}

InterruptedSaves::InterruptedSaves(const std::string& settingsFolder)
    : folder_(settingsFolder + "Recovery" + std::string(1, fs::path::preferred_separator)) {}

std::string InterruptedSaves::CopyPath(const std::string& projectFile) const {
  return folder_ + text::StableHashHex(platform::AbsolutePath(projectFile)) +
         std::string(kCopyExtension);
}

std::vector<RecoveryCopy> InterruptedSaves::Find() const {
  std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(folder_), error)) {
    const std::string path = entry.path().string();
    if (!path.ends_with(kCopyExtension)) continue;
    const std::string projectFile = TornProjectOf(path);
    std::error_code gone;
    const fs::file_time_type written = fs::last_write_time(entry.path(), gone);
    if (projectFile.empty() || gone) continue;
    QS_LOG_INFO(text::configLog) << "unfinished save found: '" << path << "' of '" << projectFile
                                 << "'";
    found.push_back({written, {path, projectFile, WrittenAt(written), true}});
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveryCopy> copies;
  for (auto& [written, copy] : found) copies.push_back(std::move(copy));
  return copies;
}

std::string InterruptedSaves::LeftFor(const std::string& projectFile) const {
  const std::string path = CopyPath(projectFile);
  return TornProjectOf(path).empty() ? std::string() : path;
}

void InterruptedSaves::Discard(const std::string& projectFile) const {
  platform::DiscardLeftCopy(CopyPath(projectFile));
}

}  // namespace qs::config
