#include "output/outputfile.h"

#include <cstdio>

#include "text/textops.h"

namespace qs::output {

text::Report CouldNotCreateFile(const std::string& path) {
  return text::ErrorReport("Could not create file '" + path + "'!");
}

bool WriteOutputFile(const std::string& path, std::string_view bytes, text::Reports& reports) {
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    reports.push_back(CouldNotCreateFile(path));
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
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
