#include "output/preview.h"

#include <filesystem>
#include <system_error>

#include "output/helpfolder.h"
#include "platform/outputfolder.h"
#include "text/paths.h"

namespace qs::output {

namespace fs = std::filesystem;

void EndPreview(const std::string& folder, const BuildRecord& record) {
  if (folder.empty()) return;
  std::error_code error;
  // Asked with its trailing separator, the system answers for what a link points at: a
  // folder swapped for a link would pass, and the files of that name behind it be deleted.
  std::string bare = folder;
  while (bare.size() > 1 && text::IsSeparator(bare.back())) bare.pop_back();
  const auto status = fs::symlink_status(fs::path(bare), error);
  if (error || !fs::is_directory(status)) return;

  const std::string base = text::WithTrailingSeparator(folder);
  BuildRecord inside{base, {}};
  for (const auto& file : record.files) {
    if (LiesInsideFolder(file, base)) inside.files.push_back(file);
  }
  EraseBuildFiles(inside);

  // Pages of names with separators sit in sub-folders; remove those that are now empty,
  // deepest first, never climbing to the preview folder or above it. They are reached from
  // the open preview folder, so a sub-folder swapped for a link is never followed.
  platform::OutputFolder open;
  if (open.Open(base)) {
    for (const auto& file : inside.files) {
      std::string relative = text::FolderPart(std::string_view(file).substr(base.size()));
      while (!relative.empty()) {
        while (!relative.empty() && text::IsSeparator(relative.back())) relative.pop_back();
        if (relative.empty() || !open.RemoveEmptyFolder(relative)) break;
        relative = text::FolderPart(relative);
      }
    }
  }
  fs::remove(fs::path(folder), error);  // only succeeds when empty
}

}  // namespace qs::output
