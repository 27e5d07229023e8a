#include <windows.h>

#include <string>

#include "platform/filesystem.h"
#include "platform/purebasicfolder.h"

namespace qs::platform {

namespace {

// Every value is read into a buffer of 522 bytes and taken as text up to its first NUL.
std::string ReadValue(HKEY key, const char* valueName) {
  char buffer[522] = {};
  DWORD size = sizeof buffer;
  if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  buffer[sizeof buffer - 1] = '\0';
  return std::string(buffer);
}

// The folder of the program named in a shell command such as "C:\PB\PureBasic.exe" "%1".
std::string FolderOfQuotedProgram(const std::string& command) {
  const std::size_t open = command.find('"');
  if (open == std::string::npos) return {};
  const std::size_t close = command.find('"', open + 1);
  const std::string program =
      command.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  const std::size_t slash = program.rfind('\\');
  if (slash == std::string::npos) return {};
  return program.substr(0, slash + 1);
}

// The keys are opened for reading only: a user without administrator rights may not open the
// machine's keys for writing, and the look-up would find nothing.
constexpr REGSAM kRead = KEY_QUERY_VALUE;

}  // namespace

std::string FindPureBasicFolder() {
  std::string result;
  const DWORD version = GetVersion();
  HKEY root = ((version >> 16) & 0xFF) != 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, "Software\\Classes\\PureBasic.exe\\shell\\open\\command", 0, kRead,
                    &key) != ERROR_SUCCESS) {
    key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "Applications\\PureBasic.exe\\shell\\open\\command", 0,
                      kRead, &key) != ERROR_SUCCESS) {
      key = nullptr;
    }
  }
  if (key != nullptr) {
    result = FolderOfQuotedProgram(ReadValue(key, ""));
    if (!IsFolder(result)) result.clear();
    RegCloseKey(key);
  }
  for (int n = 9; result.empty() && n >= 1; --n) {
    const std::string path =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PureBasic_is" + std::to_string(n);
    HKEY entry = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, kRead, &entry) != ERROR_SUCCESS) {
      continue;
    }
    const std::string location = ReadValue(entry, "InstallLocation");
    if (IsFolder(location)) result = location;
    RegCloseKey(entry);
  }
  return result;
}

}  // namespace qs::platform
