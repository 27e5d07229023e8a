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

bool IsAbsolutePath(std::string_view path) {
  if (!path.empty() && IsSeparator(path.front())) return true;
  const bool letter = path.size() >= 2 &&
                      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return letter && path[1] == ':';
}

std::string ResolvedAgainst(std::string_view path, std::string_view base) {
  if (path.empty() || base.empty() || IsAbsolutePath(path)) return std::string(path);
  return WithTrailingSeparator(base) + std::string(path);
}

}  // namespace qs::text
