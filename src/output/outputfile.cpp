#include "output/outputfile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "text/textops.h"

namespace qs::output {

text::Report CouldNotCreateFile(const std::string& path) {
  return text::ErrorReport("Could not create file '" + path + "'!");
}

bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports) {
  // A link at the path is replaced like any file, never written through: otherwise a link
  // planted in the folder would have the page overwrite whatever it points at.
  std::error_code ignored;
  if (!path.empty() &&
      std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored))) {
    std::filesystem::remove(path, ignored);
  }
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    reports.push_back(CouldNotCreateFile(path));
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    // No record names a file that failed, so nothing would ever erase the cut-short rest.
    std::filesystem::remove(path, ignored);
    reports.push_back(CouldNotCreateFile(path));
    return false;
  }
  return true;
}

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(text::kCrLf);
}

}  // namespace qs::output
