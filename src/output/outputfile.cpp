#include "output/outputfile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "text/textops.h"

namespace qs::output {

namespace {

bool IsPlainFileOrLink(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(std::filesystem::path(path), error);
  return !error &&
         (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status));
}

}  // namespace

bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports) {
  std::error_code ignored;
  // The old file is removed, not truncated. A link at the path is thus replaced, never written
  // through (a link planted in the folder would have the page overwrite whatever it points
  // at); and journalling file systems force a truncated-and-rewritten file's data out at once,
  // which made rebuilding a large folder many times slower. A device or pipe is left alone.
  if (!path.empty() && IsPlainFileOrLink(path)) std::filesystem::remove(path, ignored);
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    reports.push_back(text::CouldNotCreateFileReport(path));
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    // No record names a file that failed, so nothing would ever erase the cut-short rest.
    // Only the plain file just made is removed: never a device such as a full disk's test node.
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ignored))) {
      std::filesystem::remove(path, ignored);
    }
    reports.push_back(text::CouldNotCreateFileReport(path));
    return false;
  }
  return true;
}

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(text::kCrLf);
}

}  // namespace qs::output
