#pragma once

// Language files "QuillSmith_<language>.lng" in the settings folder: the current language's
// six captions, and the languages the Options panel offers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/languagetable.h"

namespace qs::config {

inline constexpr std::string_view kLanguageGroup = "Language";
inline constexpr std::string_view kLanguageFilePrefix = "QuillSmith_";
inline constexpr std::string_view kLanguageFileExtension = ".lng";
inline constexpr std::string_view kBuiltInLanguage = "English";

// The current language: its name and its captions.
struct LanguageState {
  std::string currentLanguage{kBuiltInLanguage};
  LanguageTable table;

  friend bool operator==(const LanguageState&, const LanguageState&) = default;
};

// Reads one language file by its path: the name under "CurrentLanguage" (default
// `defaultLanguage`, also for an empty value) and the six captions, each missing one giving its
// built-in word. Nothing when the file cannot be read or has no "Language" group.
std::optional<LanguageState> ReadLanguageFile(const std::string& path,
                                              std::string_view defaultLanguage);

// Why a language file gave no language.
enum class LanguageFileStatus {
  Read,
  CannotRead,      // missing, not permitted, no regular file, or above the size limit
  NoLanguageGroup  // read, but it has no "Language" group: it is no language file
};

// The same, telling the two failures apart; `state` is set only when the file was read.
LanguageFileStatus ReadLanguageFile(const std::string& path, std::string_view defaultLanguage,
                                    LanguageState& state);

// The message for a file given as a language file that has no "Language" group.
std::string NotALanguageFileMessage(const std::string& path);

// The file of a language in `folder`: an existing file whose name differs only in letter case
// counts, as on systems whose file names ignore case. Nothing for a name that would reach
// outside the folder (it holds a separator).
std::optional<std::string> LanguageFilePath(std::string_view folder, std::string_view language);

// Makes the language of that name current when its file can be read; otherwise nothing
// changes and the result is false.
bool LoadLanguage(std::string_view folder, std::string_view language, LanguageState& state);

// Writes the current language to its file: the comment, the group and the seven entries.
// Creates the folder when it is missing; a failure leaves any previous file as it was. An
// existing file is replaced only when it is this language's own: read as a language file whose
// name (or, without one, the file's) is `state.currentLanguage`, letter case counting.
bool SaveLanguage(std::string_view folder, const LanguageState& state);

// The languages of the files in `folder` whose names match "QuillSmith_*.lng" without regard
// to letter case, sorted by file name: each file's "CurrentLanguage", or its whole file name
// when it has none, or the part between "QuillSmith_" and ".lng" when the value is empty. A file
// without a "Language" group is no language and is not listed; no file gives an empty list.
std::vector<std::string> ListLanguages(std::string_view folder);

}  // namespace qs::config
