// The registry side of the platform layer: the ".qsp" association, the PureBasic folder and
// the help compiler look-ups, against the real registry of the machine the tests run on (a
// throw-away Wine prefix in CI). Every key a test writes is removed again.

#include <windows.h>
// clang-format off
#include <sddl.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/fileassociation.h"
#include "platform/helpcompilerlocator.h"
#include "platform/purebasicfolder.h"
#include "support/tempfolder.h"

namespace qs::platform {
namespace {

namespace fs = std::filesystem;

const std::string kClasses = "Software\\Classes";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kHelpWorkshop =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\hhw.exe";
const std::string kShellCommand = "shell\\open\\command";

// What a user without administrator rights may do below the machine root: read. Setting
// values, adding sub-keys and deleting are denied to everyone. (Wine checks a key's rights
// when the key is opened, not the parent's when a sub-key is created, so the tests lock the
// keys themselves.)
constexpr const char* kReadOnly = "D:(D;;0x10006;;;WD)(A;;KA;;;WD)";
constexpr const char* kOpen = "D:(A;;KA;;;WD)";

void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS)
      << path;
  EXPECT_EQ(
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)),
      ERROR_SUCCESS)
      << path;
  RegCloseKey(key);
}

bool SetSecurity(HKEY root, const std::string& path, const char* sddl) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) {
    return false;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool done = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                   &descriptor, nullptr) != 0;
  if (done) {
    done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
  }
  RegCloseKey(key);
  return done;
}

// The names of the direct sub-keys of an open key.
std::set<std::string> SubKeysOf(HKEY key) {
  std::set<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.insert(name);
  }
  return names;
}

// Every key below `path` (relative names, "" for the key itself) with its values, each as
// name=text for a NUL-ended REG_SZ and name=?type for anything else.
using KeyTree = std::map<std::string, std::string>;

void Collect(HKEY key, const std::string& relative, KeyTree& tree) {
  std::string values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    DWORD type = 0;
    BYTE data[2048];
    DWORD dataSize = sizeof data;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) {
      break;
    }
    values += std::string(name, nameSize) + "=";
    if (type == REG_SZ && dataSize > 0 && data[dataSize - 1] == 0) {
      values += std::string(reinterpret_cast<const char*>(data), dataSize - 1);
    } else {
      values += "?" + std::to_string(type);
    }
    values += ";";
  }
  tree[relative] = values;
  for (const std::string& name : SubKeysOf(key)) {
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    Collect(sub, relative.empty() ? name : relative + "\\" + name, tree);
    RegCloseKey(sub);
  }
}

KeyTree TreeOf(HKEY root, const std::string& path) {
  KeyTree tree;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
  Collect(key, "", tree);
  RegCloseKey(key);
  return tree;
}

// The names of the direct sub-keys, to see that nothing was added or left beside them.
std::set<std::string> SubKeyNames(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  auto names = SubKeysOf(key);
  RegCloseKey(key);
  return names;
}

// Removes the keys the tests use before and after each test, unlocking what a test locked.
// Those keys may hold a real installation's entries, so the tests run only where the
// registry is a throw-away one and says so.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* scratch = std::getenv("QS_THROWAWAY_WINDOWS");
    if (scratch == nullptr || std::string(scratch) != "1") {
      GTEST_SKIP() << "rewrites machine-wide keys: set QS_THROWAWAY_WINDOWS=1 in a throw-away "
                      "Wine prefix (scripts/windows-check does)";
    }
    // CTest runs tests in processes side by side, and the registry is one for all of them:
    // the tests that use it take turns.
    turn_ = CreateMutexA(nullptr, FALSE, "QuillSmithRegistryTests");
    ASSERT_NE(turn_, nullptr);
    ASSERT_NE(WaitForSingleObject(turn_, 120000), WAIT_TIMEOUT);
    owned_ = true;
    Clean();
  }
  void TearDown() override {
    if (!owned_) return;
    Clean();
    ReleaseMutex(turn_);
    CloseHandle(turn_);
  }

  void Lock(HKEY root, const std::string& path) {
    ASSERT_TRUE(SetSecurity(root, path, kReadOnly)) << path;
    locked_.emplace_back(root, path);
  }

  static std::vector<std::pair<HKEY, std::string>> UsedKeys() {
    std::vector<std::pair<HKEY, std::string>> keys;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      for (const char* name :
           {".qsp", "qsp", "QuillSmith.qsp", "PureBasic.exe", "Applications\\PureBasic.exe"}) {
        keys.emplace_back(root, kClasses + "\\" + name);
      }
    }
    for (int n = 1; n <= 9; ++n) {
      keys.emplace_back(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is" + std::to_string(n));
    }
    keys.emplace_back(HKEY_LOCAL_MACHINE, kHelpWorkshop);
    return keys;
  }

 private:
  void Clean() {
    for (const auto& [root, path] : locked_) SetSecurity(root, path, kOpen);
    locked_.clear();
    for (const auto& [root, path] : UsedKeys()) RegDeleteTreeA(root, path.c_str());
  }

  HANDLE turn_ = nullptr;
  bool owned_ = false;
  std::vector<std::pair<HKEY, std::string>> locked_;
};

// ---- the ".qsp" association ----

const std::string kProgram = "C:\\Program Files\\Quill Smith\\quillsmith.exe";

// The keys the association consists of, below a root's Software\Classes.
const KeyTree kAssociation = {
    {"", "=QuillSmith Project;"},
    {"shell", ""},
    {"shell\\open", ""},
    {"shell\\open\\command", "=\"" + kProgram + "\" \"%1\";"},
};

TEST_F(RegistryTest, associationWritesExactlyItsKeysBelowTheMachineAndRemovesThemAgain) {
  const auto machineBefore = SubKeyNames(HKEY_LOCAL_MACHINE, kClasses);
  const auto userBefore = SubKeyNames(HKEY_CURRENT_USER, kClasses);
  ASSERT_FALSE(machineBefore.empty());

  ASSERT_TRUE(RegisterProjectFiles(kProgram));
  auto added = SubKeyNames(HKEY_LOCAL_MACHINE, kClasses);
  for (const auto& name : machineBefore) added.erase(name);
  EXPECT_EQ(added, (std::set<std::string>{".qsp", "QuillSmith.qsp"}));
  EXPECT_EQ(TreeOf(HKEY_LOCAL_MACHINE, kClasses + "\\.qsp"), (KeyTree{{"", "=QuillSmith.qsp;"}}));
  EXPECT_EQ(TreeOf(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp"), kAssociation);
  EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, kClasses), userBefore) << "the machine took them";

  // Twice gives the same keys.
  ASSERT_TRUE(RegisterProjectFiles(kProgram));
  EXPECT_EQ(TreeOf(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp"), kAssociation);

  EXPECT_TRUE(UnregisterProjectFiles());
  EXPECT_EQ(SubKeyNames(HKEY_LOCAL_MACHINE, kClasses), machineBefore);
  EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, kClasses), userBefore);
  // With nothing registered there is nothing to remove, and that is no failure.
  EXPECT_TRUE(UnregisterProjectFiles());
  EXPECT_EQ(SubKeyNames(HKEY_LOCAL_MACHINE, kClasses), machineBefore);
}

TEST_F(RegistryTest, whenTheMachineRefusesTheUsersOwnKeysTakeTheAssociation) {
  // An administrator's association of ".qsp" that this user may not change.
  const std::string installed = "\"C:\\Program Files\\QuillSmith\\quillsmith.exe\" \"%1\"";
  SetString(HKEY_LOCAL_MACHINE, kClasses + "\\.qsp", "", "QuillSmith.qsp");
  SetString(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp", "", "QuillSmith Project");
  SetString(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp\\" + kShellCommand, "", installed);
  for (const std::string& name :
       {std::string(".qsp"), std::string("QuillSmith.qsp"), "QuillSmith.qsp\\" + kShellCommand}) {
    Lock(HKEY_LOCAL_MACHINE, kClasses + "\\" + name);
  }
  const auto machine = TreeOf(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp");
  const auto userBefore = SubKeyNames(HKEY_CURRENT_USER, kClasses);

  ASSERT_TRUE(RegisterProjectFiles(kProgram));
  EXPECT_EQ(TreeOf(HKEY_LOCAL_MACHINE, kClasses + "\\QuillSmith.qsp"), machine);
  auto added = SubKeyNames(HKEY_CURRENT_USER, kClasses);
  for (const auto& name : userBefore) added.erase(name);
  EXPECT_EQ(added, (std::set<std::string>{".qsp", "QuillSmith.qsp"}));
  EXPECT_EQ(TreeOf(HKEY_CURRENT_USER, kClasses + "\\.qsp"), (KeyTree{{"", "=QuillSmith.qsp;"}}));
  EXPECT_EQ(TreeOf(HKEY_CURRENT_USER, kClasses + "\\QuillSmith.qsp"), kAssociation);

  // The user's keys go. (Wine lets anyone delete a key, so what becomes of the machine's keys
  // is not asked here.)
  UnregisterProjectFiles();
  EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, kClasses), userBefore);
}

TEST_F(RegistryTest, withoutAProgramPathNothingIsRegistered) {
  const auto machineBefore = SubKeyNames(HKEY_LOCAL_MACHINE, kClasses);
  const auto userBefore = SubKeyNames(HKEY_CURRENT_USER, kClasses);
  EXPECT_FALSE(RegisterProjectFiles(""));
  EXPECT_EQ(SubKeyNames(HKEY_LOCAL_MACHINE, kClasses), machineBefore);
  EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, kClasses), userBefore);
}

// ---- where PureBasic is installed ----

// The root whose shell command is read first: the user's classes when bits 16 to 23 of
// GetVersion are not all zero (they are the low byte of the build number), else the machine's.
HKEY FirstRoot() {
  return ((GetVersion() >> 16) & 0xFF) != 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class PureBasicLookUpTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    if (IsSkipped()) return;
    for (const char* name : {"PureBasic A", "PureBasic B", "PureBasic C"}) {
      fs::create_directories(scratch.Path() + name);
    }
  }
  // A folder of the scratch folder in the form the registry holds: backslashes throughout.
  std::string Folder(const std::string& name) const {
    return fs::path(scratch.Path() + name).make_preferred().string();
  }
  static std::string Command(const std::string& program) { return "\"" + program + "\" \"%1\""; }

  testsupport::TempFolder scratch;
};

TEST_F(PureBasicLookUpTest, theShellCommandGivesTheProgramsFolderWithItsBackslash) {
  SetString(FirstRoot(), kClasses + "\\PureBasic.exe\\" + kShellCommand, "",
            Command(Folder("PureBasic A") + "\\PureBasic.exe"));
  // The uninstall entry is asked only when the command gives nothing.
  SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is1", "InstallLocation",
            Folder("PureBasic B"));
  EXPECT_EQ(FindPureBasicFolder(), Folder("PureBasic A") + "\\");
}

TEST_F(PureBasicLookUpTest, theApplicationsKeyIsReadWhenTheFirstRootHasNoCommand) {
  // HKEY_CLASSES_ROOT shows the machine's classes where the user has none of the same name.
  const std::string applications = kClasses + "\\Applications\\PureBasic.exe\\" + kShellCommand;
  SetString(HKEY_LOCAL_MACHINE, applications, "",
            Command(Folder("PureBasic B") + "\\PureBasic.exe"));
  // Read-only, as the machine's keys are for a user without administrator rights.
  Lock(HKEY_LOCAL_MACHINE, applications);
  EXPECT_EQ(FindPureBasicFolder(), Folder("PureBasic B") + "\\");
}

TEST_F(PureBasicLookUpTest, aCommandThatNamesNoFolderFallsBackToTheUninstallEntries) {
  for (const std::string& command : {Folder("PureBasic A") + "\\PureBasic.exe",    // not quoted
                                     Command(Folder("Gone") + "\\PureBasic.exe"),  // no such folder
                                     Command("PureBasic.exe")}) {  // no folder at all
    SetString(FirstRoot(), kClasses + "\\PureBasic.exe\\" + kShellCommand, "", command);
    SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is3", "InstallLocation",
              Folder("PureBasic C"));
    EXPECT_EQ(FindPureBasicFolder(), Folder("PureBasic C")) << command;
  }
}

TEST_F(PureBasicLookUpTest, theHighestUninstallEntryThatNamesAFolderWinsAsStored) {
  // 9 and 8 absent, 7 names a folder (stored without a backslash), 6 names another one.
  SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is7", "InstallLocation",
            Folder("PureBasic B"));
  SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is6", "InstallLocation",
            Folder("PureBasic A") + "\\");
  // 9 exists but names no folder: it is passed over.
  SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is9", "InstallLocation", Folder("Gone"));
  // Read-only, as the machine's keys are for a user without administrator rights.
  Lock(HKEY_LOCAL_MACHINE, kUninstall + "\\PureBasic_is7");
  EXPECT_EQ(FindPureBasicFolder(), Folder("PureBasic B"));
}

TEST_F(PureBasicLookUpTest, nothingRegisteredGivesEmptyText) {
  EXPECT_EQ(FindPureBasicFolder(), "");
}

// ---- the help compiler ----

TEST_F(RegistryTest, theHelpCompilerLiesInTheFolderTheWorkshopRegistered) {
  EXPECT_EQ(FindHelpCompiler(), "");
  const std::string folder = "C:\\Program Files (x86)\\HTML Help Workshop";
  for (const std::string& path : {folder, folder + "\\"}) {
    SetString(HKEY_LOCAL_MACHINE, kHelpWorkshop, "Path", path);
    EXPECT_EQ(FindHelpCompiler(), folder + "\\hhc.exe") << path;
  }
  Lock(HKEY_LOCAL_MACHINE, kHelpWorkshop);
  EXPECT_EQ(FindHelpCompiler(), folder + "\\hhc.exe") << "read-only for the user";
}

}  // namespace
}  // namespace qs::platform
