#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/programlocation.h"

namespace qs::platform {

std::string ProgramPath() {
  char buffer[1024];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

std::string SettingsFolder() {
  // The settings live beside the program file, as they always have on this system.
  return ProgramFolder();
}

}  // namespace qs::platform
