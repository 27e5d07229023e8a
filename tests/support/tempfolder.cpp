#include "support/tempfolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qs::testsupport {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "qs-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  // Readable by all, as a folder made the ordinary way: some tests hand parts of it to another
  // user, who must be able to reach them.
  std::error_code ignored;
  fs::permissions(pattern,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  ignored);
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_symlink(ignored)) continue;
#ifndef _WIN32
    (void)!::lchown(it->path().c_str(), getuid(), getgid());
#endif
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string TempFolder::Read(std::string_view relative) const {
  return ReadBytes(Path(relative));
}

std::size_t TempFolder::EntryCount() const {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes, bool executable) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  if (executable) fs::permissions(path, fs::perms::owner_all);
}

std::string CrLfLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (auto line : lines) out.append(line).append("\r\n");
  return out;
}

}  // namespace qs::testsupport
