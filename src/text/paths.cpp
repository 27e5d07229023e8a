#include "text/paths.h"

namespace qs::text {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string FileNamePart(std::string_view path) {
  const auto last = path.find_last_of("/\\");
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

std::string FolderPart(std::string_view path) {
  const auto last = path.find_last_of("/\\");
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

char NativeSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

std::string WithTrailingSeparator(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && !IsSeparator(out.back())) out.push_back(NativeSeparator());
  return out;
}

}  // namespace qs::text
