#include "config/preferencefile.h"

#include <exception>
#include <limits>

#include "platform/regularfile.h"
#include "text/textops.h"

namespace qs::config {

namespace {

// One line from `pos`: up to its line feed, without the carriage return before it. Moves
// `pos` past the line feed.
std::string_view NextLine(std::string_view data, std::size_t& pos) {
  const std::size_t end = data.find('\n', pos);
  const std::size_t stop = end == std::string_view::npos ? data.size() : end;
  std::string_view line = data.substr(pos, stop - pos);
  pos = end == std::string_view::npos ? data.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string_view SkipBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::int32_t ParseInteger(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && IsWhiteSpace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    negative = value[i] == '-';
    ++i;
  }
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    // Past the 32-bit range the exact value no longer matters: stop growing.
    if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (value[i] - '0');
  }
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > kMax) return static_cast<std::int32_t>(kMax);
  if (signedValue < kMin) return static_cast<std::int32_t>(kMin);
  return static_cast<std::int32_t>(signedValue);
}

PreferenceFile::~PreferenceFile() {
  // Left by an exception (memory ran out midway), the lines written so far are no file.
  if (mode_ == Mode::Write && std::uncaught_exceptions() > exceptionsAtCreate_) {
    writer_.Discard();
    mode_ = Mode::Closed;
  }
  Close();
}

bool PreferenceFile::OpenRead(const std::string& path) {
  Close();
  // Only a regular file of a sensible size: a pipe would block the program's start for ever,
  // and a device such as /dev/zero would give bytes until memory runs out.
  if (platform::ReadRegularFile(path, platform::kPreferenceFileLimit, data_) !=
      platform::ReadStatus::Read) {
    data_.clear();
    return false;
  }
  mode_ = Mode::Read;
  position_ = 0;
  return true;
}

bool PreferenceFile::Create(const std::string& path, const platform::WriteOptions& options) {
  Close();
  if (!writer_.Open(path, options)) return false;
  mode_ = Mode::Write;
  exceptionsAtCreate_ = std::uncaught_exceptions();
  return true;
}

bool PreferenceFile::SelectGroup(std::string_view name) {
  if (mode_ == Mode::Write) {
    std::string line = "[";
    line.append(name);
    line.push_back(']');
    WriteLine(line);
    return true;
  }
  position_.reset();
  if (mode_ != Mode::Read) return false;
  if (name.empty()) {
    position_ = 0;
    return false;
  }
  std::size_t pos = 0;
  while (pos < data_.size()) {
    const std::string_view line = NextLine(data_, pos);
    if (line.empty() || line.front() != '[') continue;
    std::string_view group = line.substr(1);
    group = group.substr(0, group.find(']'));
    if (text::EqualsNoCase(group, name)) {
      position_ = pos;
      return true;
    }
  }
  return false;
}

std::optional<std::string_view> PreferenceFile::FindValue(std::string_view key) const {
  if (mode_ != Mode::Read || !position_ || key.empty()) return std::nullopt;
  std::size_t pos = *position_;
  while (pos < data_.size()) {
    const std::string_view line = NextLine(data_, pos);
    if (!line.empty() && line.front() == '[') break;  // the next group starts here
    const std::string_view rest = SkipBlanks(line);
    if (rest.empty() || rest.front() == ';') continue;
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view lineKey = rest.substr(0, equals);
    while (!lineKey.empty() && lineKey.back() == ' ') lineKey.remove_suffix(1);
    if (!text::EqualsNoCase(lineKey, key)) continue;
    return SkipBlanks(rest.substr(equals + 1));
  }
  return std::nullopt;
}

std::string PreferenceFile::ReadString(std::string_view key, std::string_view defaultValue) const {
  return std::string(FindValue(key).value_or(defaultValue));
}

std::int32_t PreferenceFile::ReadInteger(std::string_view key, std::int32_t defaultValue) const {
  const auto value = FindValue(key);
  return value ? ParseInteger(*value) : defaultValue;
}

void PreferenceFile::WriteLine(std::string_view line) {
  if (mode_ != Mode::Write) return;
  std::string bytes(line);
  bytes.append(text::kCrLf);
  writer_.Write(bytes);
}

void PreferenceFile::WriteString(std::string_view key, std::string_view value) {
  if (key.empty()) return;
  std::string line(key);
  line.append(" = ");
  line.append(value);
  WriteLine(line);
}

void PreferenceFile::WriteInteger(std::string_view key, std::int32_t value) {
  WriteString(key, std::to_string(value));
}

void PreferenceFile::WriteComment(std::string_view text) {
  std::string line = ";";
  line.append(text);
  WriteLine(line);
}

bool PreferenceFile::Close() {
  bool ok = true;
  if (mode_ == Mode::Write) ok = writer_.Commit();
  writer_.Discard();
  mode_ = Mode::Closed;
  data_.clear();
  data_.shrink_to_fit();
  position_.reset();
  return ok;
}

}  // namespace qs::config
