#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/filesystem.h"
#include "platform/keptcopy.h"
#include "platform/userfolder.h"

namespace qs::platform {

namespace {

constexpr std::string_view kNoteSuffix = "-for";
constexpr DWORD kCompareBlock = 1u << 20;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// The lock lies far beyond the note's bytes: locked bytes could not be read by another
// process, the note's must be.
bool LockFar(HANDLE file, bool wait) {
  OVERLAPPED where = {};
  where.OffsetHigh = 0x40000000;
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY), 0, 1, 0,
                    &where) != 0;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A regular file of ours: no folder, no link (a reparse point), no second name.
bool IsOwnFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info = {};
  return GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
         info.nNumberOfLinks == 1;
}

// Opens and locks the note; see the POSIX twin. INVALID_HANDLE_VALUE when it cannot be had.
HANDLE LockNote(const std::string& path, bool create, bool wait, bool& held) {
  held = false;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const HANDLE note =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (note == INVALID_HANDLE_VALUE) return note;
    if (!IsOwnFile(note)) {
      CloseHandle(note);
      if (!create || !DeleteFileA(path.c_str())) return INVALID_HANDLE_VALUE;
      continue;
    }
    if (!LockFar(note, wait)) {
      held = true;
      CloseHandle(note);
      return INVALID_HANDLE_VALUE;
    }
    return note;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteChecked(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp";
  DeleteFileA(temporary.c_str());
  const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
  ok = ok && SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
  std::string block;
  for (std::size_t done = 0; ok && done < bytes.size(); done += block.size()) {
    block.resize(std::min<std::size_t>(kCompareBlock, bytes.size() - done));
    DWORD got = 0;
    ok = ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
         got == block.size() && std::string_view(block) == bytes.substr(done, block.size());
  }
  CloseHandle(file);
  ok = ok && MoveFileExA(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temporary.c_str());
  return ok;
}

}  // namespace

KeptCopy::~KeptCopy() {
  if (note_ != -1) CloseHandle(reinterpret_cast<HANDLE>(note_));
}

bool KeptCopy::Keep(const std::string& copyPath, const std::string& target,
                    std::string_view bytes) {
  Remove();
  if (!MakePrivateFolder(FolderOf(copyPath))) return false;
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const HANDLE note = LockNote(notePath, true, true, held);
  if (note == INVALID_HANDLE_VALUE) return false;
  const std::string named = AbsolutePath(target) + "\n";
  if (SetFilePointer(note, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !WriteAll(note, named) || !SetEndOfFile(note) || !FlushFileBuffers(note) ||
      !WriteChecked(copyPath, bytes)) {
    DeleteFileA(copyPath.c_str());
    DeleteFileA(notePath.c_str());
    CloseHandle(note);
    return false;
  }
  note_ = reinterpret_cast<std::intptr_t>(note);
  copy_ = copyPath;
  return true;
}

void KeptCopy::Remove() {
  if (note_ == -1) return;
  DeleteFileA(copy_.c_str());
  DeleteFileA((copy_ + std::string(kNoteSuffix)).c_str());
  CloseHandle(reinterpret_cast<HANDLE>(note_));
  note_ = -1;
  copy_.clear();
}

LeftCopy FindLeftCopy(const std::string& copyPath) {
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const HANDLE note = LockNote(notePath, false, false, held);
  if (note == INVALID_HANDLE_VALUE)
    return {held ? LeftCopy::State::Kept : LeftCopy::State::None, {}};
  std::string named(4096, '\0');
  DWORD got = 0;
  if (!ReadFile(note, named.data(), static_cast<DWORD>(named.size()), &got, nullptr)) got = 0;
  named.resize(got);
  if (!named.empty() && named.back() == '\n') named.pop_back();
  CloseHandle(note);
  const DWORD copy = GetFileAttributesA(copyPath.c_str());
  if (copy == INVALID_FILE_ATTRIBUTES ||
      (copy & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 || named.empty() ||
      named.find('\n') != std::string::npos) {
    DeleteFileA(notePath.c_str());
    return {};
  }
  return {LeftCopy::State::Left, named};
}

bool DiscardLeftCopy(const std::string& copyPath) {
  const std::string notePath = copyPath + std::string(kNoteSuffix);
  bool held = false;
  const HANDLE note = LockNote(notePath, false, false, held);
  if (note == INVALID_HANDLE_VALUE && held) return false;
  DeleteFileA(copyPath.c_str());
  if (note != INVALID_HANDLE_VALUE) {
    CloseHandle(note);
    DeleteFileA(notePath.c_str());
  }
  return true;
}

}  // namespace qs::platform
