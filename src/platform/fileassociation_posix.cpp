#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/fileassociation.h"
#include "platform/helpcompilerlocator.h"

namespace qs::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMimeType = "application/x-quillsmith-project";
constexpr const char* kDesktopName = "quillsmith.desktop";
constexpr const char* kDefaultsGroup = "[Default Applications]";

fs::path MimePackage(const AssociationFolders& f) {
  return fs::path(f.dataHome) / "mime" / "packages" / "quillsmith.xml";
}
fs::path DesktopEntry(const AssociationFolders& f) {
  return fs::path(f.dataHome) / "applications" / kDesktopName;
}
fs::path MimeAppsList(const AssociationFolders& f) {
  return fs::path(f.configHome) / "mimeapps.list";
}
std::string DefaultLine() {
  return std::string(kMimeType) + "=" + kDesktopName;
}

bool WriteWhole(const fs::path& path, const std::string& content) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  const fs::path temporary = path.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << content;
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temporary, error);
      return false;
    }
  }
  fs::rename(temporary, path, error);
  if (error) fs::remove(temporary, error);
  return !error;
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

std::string MimeXml() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         std::string(kMimeType) +
         "\">\n"
         "    <comment>QuillSmith Project</comment>\n"
         "    <glob pattern=\"*.qsp\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopText(const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=QuillSmith\n"
         "Comment=Write, preview and compile the help of a PureBasic user library\n"
         "Exec=" +
         DesktopExecLine(programPath) +
         "\n"
         "Terminal=false\n"
         "NoDisplay=false\n"
         "Categories=Development;Documentation;\n"
         "MimeType=" +
         std::string(kMimeType) + ";\n";
}

// The type's default in mimeapps.list, set (true) or removed, touching no other line.
bool SetDefault(const AssociationFolders& f, bool on) {
  const fs::path path = MimeAppsList(f);
  std::error_code error;
  const bool exists = fs::exists(path, error);
  std::vector<std::string> lines = exists ? ReadLines(path) : std::vector<std::string>{};
  const std::string ours = DefaultLine();
  const std::string prefix = std::string(kMimeType) + "=";

  std::size_t group = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == kDefaultsGroup) {
      group = i;
      break;
    }
  }
  if (on) {
    if (group == lines.size()) {
      lines.push_back(kDefaultsGroup);
      lines.push_back(ours);
    } else {
      std::size_t i = group + 1;
      bool placed = false;
      for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i) {
        if (lines[i].rfind(prefix, 0) == 0) {
          lines[i] = ours;
          placed = true;
          break;
        }
      }
      if (!placed) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(group + 1), ours);
    }
    return WriteWhole(path, JoinLines(lines));
  }

  if (!exists) return true;
  bool removed = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == ours) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
      break;
    }
  }
  if (!removed) return true;
  // A file that held nothing but our default goes again.
  if (lines.size() == 1 && lines[0] == kDefaultsGroup) return fs::remove(path, error) && !error;
  return WriteWhole(path, JoinLines(lines));
}

void RunIfPresent(const std::string& tool, const std::string& argument) {
  const char* path = std::getenv("PATH");
  const std::string program = FindProgramOnPath(tool, path ? path : "", ':');
  if (program.empty()) return;
  const pid_t child = fork();
  if (child == 0) {
    const char* argv[] = {program.c_str(), argument.c_str(), nullptr};
    execv(program.c_str(), const_cast<char* const*>(argv));
    _exit(127);
  }
  if (child > 0) {
    int status = 0;
    waitpid(child, &status, 0);
  }
}

void Refresh(const AssociationFolders& f) {
  if (!f.refreshDatabases) return;
  RunIfPresent("update-mime-database", (fs::path(f.dataHome) / "mime").string());
  RunIfPresent("update-desktop-database", (fs::path(f.dataHome) / "applications").string());
}

AssociationFolders UserFolders() {
  auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  const std::string home = env("HOME");
  AssociationFolders f;
  f.dataHome = env("XDG_DATA_HOME");
  if (f.dataHome.empty()) f.dataHome = home.empty() ? "" : home + "/.local/share";
  f.configHome = env("XDG_CONFIG_HOME");
  if (f.configHome.empty()) f.configHome = home.empty() ? "" : home + "/.config";
  return f;
}

}  // namespace

std::string DesktopExecLine(const std::string& programPath) {
  // Inside the quotes, '"', '`', '$' and '\' take a backslash; the entry's own string escape
  // then doubles every backslash, and a field code's '%' is written twice.
  std::string quoted;
  for (const char c : programPath) {
    if (c == '"' || c == '`' || c == '$') {
      quoted += "\\\\";
      quoted += c;
    } else if (c == '\\') {
      quoted += "\\\\\\\\";
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  return "\"" + quoted + "\" %f";
}

bool RegisterProjectFilesIn(const AssociationFolders& f, const std::string& programPath) {
  if (f.dataHome.empty() || f.configHome.empty() || programPath.empty()) return false;
  const bool written = WriteWhole(MimePackage(f), MimeXml()) &&
                       WriteWhole(DesktopEntry(f), DesktopText(programPath)) && SetDefault(f, true);
  Refresh(f);
  return written;
}

bool UnregisterProjectFilesIn(const AssociationFolders& f) {
  if (f.dataHome.empty() || f.configHome.empty()) return false;
  std::error_code error;
  bool gone = true;
  bool changed = false;
  for (const fs::path& path : {MimePackage(f), DesktopEntry(f)}) {
    if (fs::remove(path, error)) changed = true;
    if (fs::exists(path, error)) gone = false;
  }
  if (!SetDefault(f, false)) gone = false;
  // With nothing registered nothing changes, not even the databases.
  if (changed) Refresh(f);
  return gone;
}

bool RegisterProjectFiles(const std::string& programPath) {
  return RegisterProjectFilesIn(UserFolders(), programPath);
}

bool UnregisterProjectFiles() {
  return UnregisterProjectFilesIn(UserFolders());
}

}  // namespace qs::platform
