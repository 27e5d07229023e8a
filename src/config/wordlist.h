#pragma once

// The words a project's author added to the spelling dictionary. They belong to the author's
// desk, not to the project, so they live beside the settings, one file per project:
// <settings folder>/words/<project name>-<hash of its path>.txt. The file holds one word a
// line in UTF-8 (the words are in the dictionary's language, which Windows-1252 cannot always
// hold), sorted, each once, lines ended by CR LF.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/listfile.h"

namespace qs::config {

inline constexpr std::string_view kWordListFolder = "words";
inline constexpr std::size_t kWordListMaxBytes = 1024 * 1024;

// The word list of the project file `projectFile`; empty text when there is no project file.
// The project's path is made absolute first, so the same project reached by another way of
// writing its path keeps its words.
std::string WordListPath(std::string_view settingsFolder, std::string_view projectFile);

struct WordList {
  ListFileStatus status = ListFileStatus::Missing;
  std::vector<std::string> words;  // UTF-8, sorted, each once
};

// A line that is not UTF-8 (a file edited with a Windows-1252 editor) is taken as
// Windows-1252. Blanks around a word are dropped.
WordList ReadWordList(const std::string& path);

// Adds `word` (UTF-8) to the file, keeping what another window added meanwhile. False when the
// word is empty or holds a line break or a blank, or when the file could not be written or is
// in the way (not a list of ours).
bool AddToWordList(const std::string& path, std::string_view word);

}  // namespace qs::config
