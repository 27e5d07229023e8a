#pragma once

// Reader and writer of the preference file syntax shared by the settings file and the
// language files: group lines "[name]", entry lines "key = value", comment lines ";text".
// Look-ups ignore letter case. Written files replace the old one only when complete.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/atomicfile.h"

namespace qs::config {

class PreferenceFile {
 public:
  PreferenceFile() = default;
  // A file still open for writing is closed (and so written) as by Close(), unless an
  // exception is leaving the writer's scope: then the old file stays as it was.
  ~PreferenceFile();
  PreferenceFile(const PreferenceFile&) = delete;
  PreferenceFile& operator=(const PreferenceFile&) = delete;

  // Reads the whole file. The position is the start of the file, so entries ahead of the
  // first group line can be read without selecting a group. Closes any file open before.
  // False, as for a missing file, for anything but a regular file, and for a file above
  // platform::kPreferenceFileLimit.
  bool OpenRead(const std::string& path);

  // Starts a new file that replaces `path` on Close(). False when it cannot be created (its
  // folder is not created), or when `path` is read-only or no regular file (see
  // platform::AtomicFile). Closes any file open before.
  bool Create(const std::string& path, const platform::WriteOptions& options = {});

  // Writing: writes the group line and returns true. Reading: the first group line whose
  // name equals `name` without regard to letter case selects the entries after it; when none
  // does, false, and every later read gives its default. An empty name selects the start of
  // the file and returns false.
  bool SelectGroup(std::string_view name);

  // The value of the first entry of the selected group whose key equals `key` without regard
  // to letter case: the text after "=" and its following blanks, trailing blanks kept. A key
  // that is present with an empty value gives empty text, not the default.
  std::string ReadString(std::string_view key, std::string_view defaultValue) const;
  // The value read as a decimal number: leading white space, an optional sign, the digits up
  // to the first other character; no digits give 0. Out-of-range numbers are clamped.
  std::int32_t ReadInteger(std::string_view key, std::int32_t defaultValue) const;

  // Writes key + " = " + value; nothing when the key is empty.
  void WriteString(std::string_view key, std::string_view value);
  void WriteInteger(std::string_view key, std::int32_t value);
  // Writes ";" + text.
  void WriteComment(std::string_view text);

  // Reading: drops the memory copy. Writing: replaces the target with what was written and
  // returns whether every byte reached it; a failed write leaves the old file as it was.
  bool Close();

 private:
  enum class Mode { Closed, Read, Write };

  std::optional<std::string_view> FindValue(std::string_view key) const;
  void WriteLine(std::string_view line);

  Mode mode_ = Mode::Closed;
  std::string data_;
  std::optional<std::size_t> position_;
  platform::AtomicFile writer_;
  int exceptionsAtCreate_ = 0;
};

// The number reading of ReadInteger, on a text.
std::int32_t ParseInteger(std::string_view value);

}  // namespace qs::config
