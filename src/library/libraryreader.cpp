#include "library/libraryreader.h"

#include <cstdint>
#include <cstring>

#include "platform/regularfile.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::library {
namespace {

constexpr std::string_view kPartSignature = "ERUP";
constexpr std::string_view kLibrarySignature = "3BIL";
constexpr std::string_view kFormatSignature = "LIB3";
constexpr std::string_view kDataSignature = "1TAD";
constexpr std::size_t kDataSignatureOffset = 8;
constexpr std::size_t kTrailerSize = 4;
constexpr std::size_t kNotFound = std::string_view::npos;

// Every move below is clamped to the end of the data, so a position is always in
// [0, data.size()] and "at the end" means nothing is left to read.

bool AtEnd(std::string_view data, std::size_t pos) {
  return pos >= data.size();
}

void Advance(std::string_view data, std::size_t& pos, std::size_t count) {
  pos = count >= data.size() - pos ? data.size() : pos + count;
}

bool MatchesAt(std::string_view data, std::size_t pos, std::string_view bytes) {
  return pos <= data.size() && data.size() - pos >= bytes.size() &&
         std::memcmp(data.data() + pos, bytes.data(), bytes.size()) == 0;
}

// Position of the next zero byte at or after `pos`, or kNotFound.
std::size_t FindZero(std::string_view data, std::size_t pos) {
  if (AtEnd(data, pos)) return kNotFound;
  const void* zero = std::memchr(data.data() + pos, 0, data.size() - pos);
  return zero == nullptr ? kNotFound
                         : static_cast<std::size_t>(static_cast<const char*>(zero) - data.data());
}

// Moves onto the zero that ends the string at `pos` (to the end when there is none).
void SkipToZero(std::string_view data, std::size_t& pos) {
  const auto zero = FindZero(data, pos);
  pos = zero == kNotFound ? data.size() : zero;
}

unsigned CountAt(std::string_view data, std::size_t pos) {
  return static_cast<unsigned char>(data[pos]);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text::EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// `prefix` followed by `fileName`, without regard to case.
bool IsRoutineOf(std::string_view name, std::string_view prefix, std::string_view fileName) {
  return name.size() == prefix.size() + fileName.size() &&
         text::EqualsNoCase(name.substr(0, prefix.size()), prefix) &&
         text::EqualsNoCase(name.substr(prefix.size()), fileName);
}

bool IsEndMark(std::string_view data, std::size_t pos) {
  return MatchesAt(data, pos, kPartSignature) ||
         MatchesAt(data, pos + kDataSignatureOffset, kDataSignature);
}

text::Report NotALibrary(std::string_view fileName) {
  return text::ErrorReport("File '" + std::string(fileName) + "' is not a library!");
}

}  // namespace

void SplitHelpString(std::string_view helpString, LibraryFunction& function) {
  std::size_t depth = 0;
  std::size_t closing = kNotFound;
  for (std::size_t i = 0; i < helpString.size(); ++i) {
    if (helpString[i] == '(') {
      ++depth;
    } else if (helpString[i] == ')' && depth > 0 && --depth == 0) {
      closing = i;
      break;
    }
  }
  if (closing == kNotFound) {
    function.parameters = text::TrimBlanks(helpString);
    function.help.clear();
    return;
  }
  function.parameters = text::TrimBlanks(helpString.substr(0, closing + 1));
  function.help = text::TrimBlanks(helpString.substr(closing + 1));
  if (text::StartsWith(function.help, "- ") || text::StartsWith(function.help, "= ")) {
    function.help.erase(0, 2);
  }
}

bool IsSkippedEntry(std::string_view name, std::string_view lastRetained,
                    std::string_view fileName) {
  // A nameless entry would become a topic that no row can select and whose page is ".html".
  if (name.empty()) return true;
  const char last = name.back();
  if (last >= '0' && last <= '9' && name.substr(0, name.size() - 1) == lastRetained) return true;
  if (EndsWithNoCase(name, "_END") || EndsWithNoCase(name, "_INIT")) return true;
  return IsRoutineOf(name, "INIT", fileName) || IsRoutineOf(name, "END", fileName);
}

bool ParseUserLibrary(std::string_view data, std::string_view fileName, LibraryInfo& info,
                      text::Reports& reports) {
  info.clear();
  if (!MatchesAt(data, 0, kPartSignature) || !MatchesAt(data, 8, kLibrarySignature) ||
      !MatchesAt(data, 16, kFormatSignature)) {
    reports.push_back(NotALibrary(fileName));
    return false;
  }

  // The header: a string and one byte, then the first name list.
  std::size_t pos = 20;
  SkipToZero(data, pos);
  Advance(data, pos, 2);
  if (AtEnd(data, pos)) return false;

  // Count bytes are unsigned: 0 to 255 strings. A list with strings is followed by one more
  // byte; the string after it closes the header.
  const unsigned firstCount = CountAt(data, pos);
  if (firstCount != 0) {
    for (unsigned i = 0; i < firstCount && !AtEnd(data, pos); ++i) {
      Advance(data, pos, 1);
      SkipToZero(data, pos);
    }
    Advance(data, pos, 1);
  }
  Advance(data, pos, 1);
  SkipToZero(data, pos);
  Advance(data, pos, 1);
  if (AtEnd(data, pos)) return false;

  const unsigned secondCount = CountAt(data, pos);
  for (unsigned i = 0; i < secondCount && !AtEnd(data, pos); ++i) {
    Advance(data, pos, 1);
    SkipToZero(data, pos);
  }
  Advance(data, pos, 1);
  if (AtEnd(data, pos)) return false;

  // The function entries. Each one moves the position forward by at least six bytes, so the
  // loop ends; data that ends before an end mark is a damaged table.
  std::string_view lastRetained;  // a view into `data`, so growing `info` cannot move it
  const auto damaged = [&] {
    info.clear();
    reports.push_back(NotALibrary(fileName));
    return false;
  };
  while (!IsEndMark(data, pos)) {
    const auto nameEnd = FindZero(data, pos);
    if (nameEnd == kNotFound) return damaged();
    const auto name = data.substr(pos, nameEnd - pos);
    pos = nameEnd + 1;

    if (AtEnd(data, pos)) return damaged();
    const std::size_t skip = 1 + CountAt(data, pos) + kTrailerSize;
    if (data.size() - pos < skip) return damaged();
    pos += skip;
    while (!AtEnd(data, pos) && data[pos] == '\0') ++pos;

    LibraryFunction function;
    if (!AtEnd(data, pos) && data[pos] == '(') {
      const auto helpEnd = FindZero(data, pos);
      if (helpEnd == kNotFound) return damaged();
      SplitHelpString(data.substr(pos, helpEnd - pos), function);
      pos = helpEnd + 1;
    }

    if (IsSkippedEntry(name, lastRetained, fileName)) continue;
    function.name = std::string(name);
    info.push_back(std::move(function));
    lastRetained = name;
  }
  return true;
}

bool ReadUserLibrary(const std::string& path, LibraryInfo& info, text::Reports& reports) {
  const auto fileName = text::FileNamePart(path);
  // One block of exactly the file's size, so that a checker sees any read beyond it. Only a
  // regular file counts: a folder or a device would "open" and then give no bytes, or
  // endless ones, and a pipe would block. Above the limit no real library exists.
  platform::FileBlock block;
  switch (platform::ReadRegularFile(path, platform::kLibraryFileLimit, block)) {
    case platform::ReadStatus::Read:
      break;
    case platform::ReadStatus::TooLarge:
      info.clear();
      reports.push_back(text::ErrorReport("Memory allocation problem!"));
      return false;
    default:
      reports.push_back(text::ErrorReport("Could not open file '" + fileName + "'!"));
      return false;
  }
  return ParseUserLibrary(block.View(), fileName, info, reports);
}

}  // namespace qs::library
