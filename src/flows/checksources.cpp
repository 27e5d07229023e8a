#include "flows/checksources.h"

#include <filesystem>
#include <system_error>

#include "library/libraryreader.h"
#include "text/report.h"

namespace qs::flows {

std::vector<std::string> ListFolderFiles(const std::string& folder, std::size_t limit) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  if (folder.empty()) return files;
  std::error_code error;
  const fs::path root(folder);
  if (!fs::is_directory(root, error)) return files;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    files.push_back(it->path().lexically_relative(root).generic_string());
    if (files.size() >= limit) break;
  }
  return files;
}

CheckSources ReadCheckSources(const project::HelpProject& project, const std::string& helpFolder) {
  CheckSources sources;
  if (!project.libraryFile.empty()) {
    library::LibraryInfo info;
    text::Reports ignored;
    if (library::ReadUserLibrary(project.libraryFile, info, ignored)) {
      sources.libraryRead = true;
      for (library::LibraryFunction& function : info) {
        sources.libraryHelps.try_emplace(std::move(function.name), std::move(function.help));
      }
    }
  }
  sources.folderFiles = ListFolderFiles(helpFolder);
  return sources;
}

}  // namespace qs::flows
