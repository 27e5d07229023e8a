#include "config/wordlist.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "text/cp1252.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::config {

namespace {

// The project's file name without its extension, reduced to characters every file system
// takes, so that a person looking into the folder sees which list is whose.
std::string ReadableName(std::string_view projectFile) {
  std::string name = text::FileNamePart(projectFile);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  if (name.size() > 40) name.resize(40);
  for (char& c : name) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    if (!plain) c = '_';
  }
  return name.empty() ? "project" : name;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

void SortUnique(std::vector<std::string>& words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
}

}  // namespace

std::string WordListPath(std::string_view settingsFolder, std::string_view projectFile) {
  if (projectFile.empty()) return {};
  std::string absolute(projectFile);
  std::error_code error;
  const auto made = std::filesystem::absolute(std::filesystem::path(absolute), error);
  if (!error) absolute = made.lexically_normal().string();
  const std::string hash = text::StableHashHex(absolute);
  return text::WithTrailingSeparator(settingsFolder) + std::string(kWordListFolder) +
         text::NativeSeparator() + ReadableName(projectFile) + "-" + hash + ".txt";
}

WordList ReadWordList(const std::string& path) {
  ListFile file = ReadListFile(path, kWordListMaxBytes);
  WordList list;
  list.status = file.status;
  for (const std::string& line : file.lines) {
    std::string word = Trimmed(text::Utf8FromBytes(line));
    if (!word.empty()) list.words.push_back(std::move(word));
  }
  SortUnique(list.words);
  return list;
}

bool AddToWordList(const std::string& path, std::string_view word) {
  if (word.empty() || word.find_first_of(" \t\r\n") != std::string_view::npos) return false;
  WordList list = ReadWordList(path);
  if (list.status == ListFileStatus::Refused) return false;
  if (std::binary_search(list.words.begin(), list.words.end(), word)) return true;
  list.words.emplace_back(word);
  SortUnique(list.words);
  return WriteListFile(path, list.words);
}

}  // namespace qs::config
