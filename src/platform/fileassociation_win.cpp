#include <windows.h>

#include <string>

#include "platform/fileassociation.h"

namespace qs::platform {

namespace {

// Creates or opens the key and sets its default value as REG_SZ, the length counting the
// terminating NUL.
bool WriteDefaultValue(HKEY root, const std::string& keyPath, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result =
      RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool RegisterFileType(HKEY root, const std::string& extension, const std::string& description,
                      const std::string& program, const std::string& icon,
                      const std::string& typeName, const std::string& verbText,
                      const std::string& verb) {
  const std::string classes = "Software\\Classes\\";
  const std::string command = "\"" + program + "\" \"%1\"";
  bool ok = WriteDefaultValue(root, classes + "." + extension, typeName);
  if (!description.empty()) ok = WriteDefaultValue(root, classes + typeName, description) && ok;
  if (!icon.empty()) {
    ok = WriteDefaultValue(root, classes + typeName + "\\DefaultIcon", icon) && ok;
  }
  if (verbText != verb) {
    ok = WriteDefaultValue(root, classes + typeName + "\\shell\\" + verb, verbText) && ok;
  }
  ok =
      WriteDefaultValue(root, classes + typeName + "\\shell\\" + verb + "\\command", command) && ok;
  return ok;
}

const char* const kKeys[] = {
    "Software\\Classes\\qsp",
    "Software\\Classes\\.qsp",
    "Software\\Classes\\QuillSmith.qsp\\shell\\open\\command",
    "Software\\Classes\\QuillSmith.qsp\\shell\\open",
    "Software\\Classes\\QuillSmith.qsp\\shell",
    "Software\\Classes\\QuillSmith.qsp",
};

bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

std::string DesktopExecLine(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}

bool RegisterProjectFilesIn(const AssociationFolders&, const std::string& programPath) {
  return RegisterProjectFiles(programPath);
}

bool UnregisterProjectFilesIn(const AssociationFolders&) {
  return UnregisterProjectFiles();
}

bool RegisterProjectFiles(const std::string& programPath) {
  // Without the program's path the command would start nothing: nothing is registered.
  if (programPath.empty()) return false;
  auto write = [&](HKEY root) {
    return RegisterFileType(root, "qsp", "QuillSmith Project", programPath, "", "QuillSmith.qsp",
                            "open", "open");
  };
  // Without the rights for the machine-wide keys, the user's own keys do the same.
  return write(HKEY_LOCAL_MACHINE) || write(HKEY_CURRENT_USER);
}

bool UnregisterProjectFiles() {
  bool gone = true;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    for (const char* path : kKeys) RegDeleteKeyA(root, path);
    for (const char* path : kKeys) {
      if (KeyExists(root, path)) gone = false;
    }
  }
  return gone;
}

}  // namespace qs::platform
