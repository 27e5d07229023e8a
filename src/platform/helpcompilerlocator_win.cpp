#include <windows.h>

#include "platform/helpcompilerlocator.h"

namespace qs::platform {

// The HTML Help Workshop registers its folder as the "Path" value of its App Paths key; the
// compiler hhc.exe lies in that folder.
std::string FindHelpCompiler() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\hhw.exe", 0, KEY_READ,
                    &key) != ERROR_SUCCESS) {
    return {};
  }
  char buffer[522] = {};
  DWORD size = sizeof buffer - 1;
  const LONG result =
      RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return {};
  std::string folder(buffer);  // up to the first NUL byte
  if (folder.empty()) return {};
  if (folder.back() != '\\') folder.push_back('\\');
  return folder + "hhc.exe";
}

std::string_view NeededInPathNote() {
  return "It needs an HTML2CHM compiler and ATL.DLL in the path.";
}

}  // namespace qs::platform
