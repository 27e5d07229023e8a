#include "output/compilercopy.h"

#include <algorithm>
#include <deque>
#include <string>
#include <unordered_set>
#include <utility>

#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {
namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Pages and sitemaps: the files whose references the compiler follows.
bool IsScanned(std::string_view name) {
  const std::string lower = text::AsciiLower(name);
  for (const char* ending : {".html", ".htm", ".hhc", ".hhk"}) {
    if (text::EndsWith(lower, ending)) return true;
  }
  return false;
}

// Whether the attribute that ends at `end` names a file: src, href, background and data do;
// value does in a sitemap's `<param name="Local" value="...">`.
bool NamesAFile(std::string_view page, std::size_t start, std::size_t end) {
  const std::string name = text::AsciiLower(page.substr(start, end - start));
  if (name == "src" || name == "href" || name == "background" || name == "data") return true;
  if (name != "value") return false;
  const auto tag = page.rfind('<', start);
  if (tag == std::string_view::npos) return false;
  const std::string before = text::AsciiLower(page.substr(tag, start - tag));
  return before.find("\"local\"") != std::string::npos ||
         before.find("'local'") != std::string::npos || before.find("=local ") != std::string::npos;
}

// The values of the attributes that may name a file: `name = "value"`, with ' or no quotes.
std::vector<std::string_view> AttributeValues(std::string_view page) {
  std::vector<std::string_view> values;
  for (std::size_t at = page.find('='); at != std::string_view::npos; at = page.find('=', at + 1)) {
    std::size_t end = at;
    while (end > 0 && IsBlank(page[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && IsLetter(page[start - 1])) --start;
    if (start == end || end - start > 10 || !NamesAFile(page, start, end)) continue;
    std::size_t from = at + 1;
    while (from < page.size() && IsBlank(page[from])) ++from;
    if (from == page.size()) break;
    std::size_t to = from;
    if (page[from] == '"' || page[from] == '\'') {
      const char quote = page[from++];
      to = page.find(quote, from);
      if (to == std::string_view::npos) to = page.size();
    } else {
      while (to < page.size() && !IsBlank(page[to]) && page[to] != '>') ++to;
    }
    values.push_back(page.substr(from, to - from));
    at = to == page.size() ? to - 1 : to;
  }
  return values;
}

// The file names a help project file gives: every value of its options but the compiled
// file's, every line of its other sections ([FILES] and the like). Values that name no file
// are looked for in vain.
std::vector<std::string_view> ProjectFileNames(std::string_view project) {
  std::vector<std::string_view> names;
  bool inOptions = false;
  std::size_t start = 0;
  while (start < project.size()) {
    std::size_t end = project.find('\n', start);
    if (end == std::string_view::npos) end = project.size();
    std::string_view line = project.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      inOptions = text::EqualsNoCase(line, "[OPTIONS]");
      continue;
    }
    if (inOptions) {
      const auto equals = line.find('=');
      if (equals != std::string_view::npos &&
          !text::EqualsNoCase(text::TrimBlanks(line.substr(0, equals)), "Compiled file")) {
        names.push_back(line.substr(equals + 1));
      }
    } else {
      names.push_back(line);
    }
  }
  return names;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view value) {
  std::string decoded;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 &&
        HexDigit(value[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2])));
      i += 2;
    } else {
      decoded.push_back(value[i]);
    }
  }
  return decoded;
}

// An address with a scheme ("http:", "ms-its:") or a drive ("C:") before any separator.
bool HasScheme(std::string_view value) {
  const auto colon = value.find(':');
  return colon != std::string_view::npos &&
         value.substr(0, colon).find_first_of("/\\") == std::string_view::npos;
}

class Copier {
 public:
  Copier(platform::OutputFolder& help, platform::OutputFolder& copy, CompilerCopy& result,
         std::string_view leftOutEnd = "it was not compiled into the help")
      : help_(help), copy_(copy), result_(result), leftOutEnd_(leftOutEnd) {}

  // Files the caller writes itself: never copied, nor read for references.
  void Reserve(const std::string& name) { seen_.insert(name); }

  // Queues the file `value` refers to from a file in `folder` ("" or ending in "/").
  void Refer(std::string_view folder, std::string_view value) {
    const auto cut = value.find_first_of("#?");
    if (cut != std::string_view::npos) value = value.substr(0, cut);
    while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    // "sub/" is a folder, not a file.
    if (value.empty() || HasScheme(value) || text::IsSeparator(value.back())) return;
    Queue(folder, value);
    const std::string decoded = PercentDecoded(value);
    if (decoded != value) Queue(folder, decoded);
  }

  // Copies what is queued, and what the copied pages refer to in turn.
  bool Run() {
    while (!queue_.empty()) {
      const std::string name = std::move(queue_.front());
      queue_.pop_front();
      std::string bytes;
      const platform::ReadStatus status = help_.Read(name, kCompilerFileLimit, bytes);
      switch (status) {
        case platform::ReadStatus::Read:
          break;
        case platform::ReadStatus::CannotOpen:
          continue;  // not there: the compiler says so itself, when it looks for it
        case platform::ReadStatus::NotARegularFile:
        case platform::ReadStatus::TooLarge:
        case platform::ReadStatus::ReadFailed:
          result_.leftOut.emplace_back(
              name, name +
                        (status == platform::ReadStatus::NotARegularFile
                             ? " is a link or no plain file of its own in the help folder"
                             : " could not be read from the help folder") +
                        "; " + std::string(leftOutEnd_));
          continue;
      }
      if (!copy_.Write(name, bytes)) return false;
      result_.files.push_back(name);
      if (!IsScanned(name)) continue;
      const auto slash = name.rfind('/');
      const std::string folder = slash == std::string::npos ? "" : name.substr(0, slash + 1);
      for (const auto value : AttributeValues(bytes)) Refer(folder, value);
    }
    return true;
  }

 private:
  // The reference resolved below the help folder, "/"-separated, and queued once.
  void Queue(std::string_view folder, std::string_view value) {
    std::vector<std::string> parts;
    std::size_t above = 0;
    // A leading separator means the top of the help, as the compiler takes it.
    const std::string path = text::IsSeparator(value.front())
                                 ? std::string(value)
                                 : std::string(folder) + std::string(value);
    std::size_t start = 0;
    while (start <= path.size()) {
      std::size_t end = start;
      while (end < path.size() && !text::IsSeparator(path[end])) ++end;
      const std::string part = path.substr(start, end - start);
      start = end + 1;
      if (part.empty() || part == ".") continue;
      if (part != "..") {
        parts.push_back(part);
      } else if (!parts.empty()) {
        parts.pop_back();
      } else {
        ++above;
      }
    }
    if (above > 0) {
      result_.reach = std::max(result_.reach, above);
      return;  // outside the help folder: never copied
    }
    if (parts.empty()) return;
    std::string name = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) name += "/" + parts[i];
    if (seen_.insert(name).second) queue_.push_back(std::move(name));
  }

  platform::OutputFolder& help_;
  platform::OutputFolder& copy_;
  CompilerCopy& result_;
  std::string_view leftOutEnd_;
  std::deque<std::string> queue_;
  std::unordered_set<std::string> seen_;
};

}  // namespace

bool CopyForCompiler(platform::OutputFolder& help, platform::OutputFolder& copy,
                     const std::string& projectFile, CompilerCopy& result) {
  result = {};
  std::string project;
  switch (help.Read(projectFile, kCompilerFileLimit, project)) {
    case platform::ReadStatus::Read:
      break;
    case platform::ReadStatus::CannotOpen:
      return true;  // the compiler finds no project file and makes nothing
    default:
      result.leftOut.emplace_back(projectFile, projectFile +
                                                   " is a link or no plain file of its own in the "
                                                   "help folder; it was not compiled");
      return true;
  }
  if (!copy.Write(projectFile, project)) return false;
  result.files.push_back(projectFile);
  Copier copier(help, copy, result);
  for (const auto name : ProjectFileNames(project)) copier.Refer("", name);
  return copier.Run();
}

void ReferencedFiles::Scan(std::string_view page, std::string_view bytes) {
  const auto slash = page.rfind('/');
  const std::string folder(slash == std::string_view::npos ? "" : page.substr(0, slash + 1));
  for (const auto value : AttributeValues(bytes)) references_.emplace_back(folder, value);
}

bool ReferencedFiles::Copy(platform::OutputFolder& help, platform::OutputFolder& copy,
                           const std::vector<std::string>& own, CompilerCopy& result) const {
  result = {};
  Copier copier(help, copy, result, "it was not copied into the website");
  for (const auto& name : own) copier.Reserve(name);
  for (const auto& [folder, value] : references_) copier.Refer(folder, value);
  return copier.Run();
}

}  // namespace qs::output
