#include "config/listfile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/atomicfile.h"
#include "platform/userfolder.h"
#include "text/log.h"
#include "text/textops.h"

namespace qs::config {

namespace {

// The bytes of a regular file of at most `maxBytes`; nothing for anything else. The size is
// checked again while reading, since the file may grow after it was looked at.
ListFileStatus ReadCapped(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  std::error_code error;
  const auto status = std::filesystem::status(std::filesystem::path(path), error);
  if (status.type() == std::filesystem::file_type::not_found) return ListFileStatus::Missing;
  if (error || !std::filesystem::is_regular_file(status)) return ListFileStatus::Refused;
  const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
  if (error || size > maxBytes) return ListFileStatus::Refused;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return ListFileStatus::Refused;
  bytes.resize(maxBytes + 1);
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || got > maxBytes) return ListFileStatus::Refused;
  bytes.resize(got);
  return ListFileStatus::Read;
}

}  // namespace

ListFile ReadListFile(const std::string& path, std::size_t maxBytes) {
  ListFile list;
  std::string bytes;
  list.status = ReadCapped(path, maxBytes, bytes);
  if (list.status == ListFileStatus::Refused) {
    text::LoggedFailure(text::configLog,
                        "list file refused (no regular file, too large or unreadable):", path);
  }
  if (list.status != ListFileStatus::Read) return list;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    if (end > start) list.lines.emplace_back(bytes, start, end - start);
    start = end + 1;
  }
  return list;
}

bool WriteListFile(const std::string& path, const std::vector<std::string>& lines) {
  // Which projects the user works on, and the words of each: nobody else's business.
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty() && !platform::MakePrivateFolder(folder.string())) {
    return text::LoggedFailure(text::configLog, "list not written:", path);
  }
  std::string bytes;
  for (const std::string& line : lines) bytes.append(line).append(text::kCrLf);
  platform::AtomicFile file;
  platform::WriteOptions options;
  options.privateFile = true;
  return (file.Open(path, options) && file.Write(bytes) && file.Commit()) ||
         text::LoggedFailure(text::configLog, "list not written:", path);
}

}  // namespace qs::config
