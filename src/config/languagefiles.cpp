#include "config/languagefiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "config/preferencefile.h"
#include "platform/userfolder.h"
#include "text/log.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::config {

namespace {

namespace fs = std::filesystem;

bool MatchesLanguagePattern(std::string_view fileName) {
  if (fileName.size() < kLanguageFilePrefix.size() + kLanguageFileExtension.size()) return false;
  return text::EqualsNoCase(fileName.substr(0, kLanguageFilePrefix.size()), kLanguageFilePrefix) &&
         text::EqualsNoCase(fileName.substr(fileName.size() - kLanguageFileExtension.size()),
                            kLanguageFileExtension);
}

// The regular files of the folder whose names match the pattern, sorted by name.
std::vector<std::string> LanguageFileNames(std::string_view folder) {
  std::vector<std::string> names;
  std::error_code error;
  const fs::path dir = folder.empty() ? fs::path(".") : fs::path(std::string(folder));
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (MatchesLanguagePattern(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string FileNameOf(std::string_view language) {
  return std::string(kLanguageFilePrefix) + std::string(language) +
         std::string(kLanguageFileExtension);
}

}  // namespace

LanguageFileStatus ReadLanguageFile(const std::string& path, std::string_view defaultLanguage,
                                    LanguageState& state) {
  PreferenceFile file;
  if (!file.OpenRead(path)) return LanguageFileStatus::CannotRead;
  if (!file.SelectGroup(kLanguageGroup)) return LanguageFileStatus::NoLanguageGroup;
  LanguageState read;
  read.currentLanguage = file.ReadString("CurrentLanguage", defaultLanguage);
  // An empty name would name the file "QuillSmith_.lng", not this one.
  if (read.currentLanguage.empty()) read.currentLanguage = std::string(defaultLanguage);
  const LanguageTable builtIn;
  for (std::size_t i = 0; i < kCaptionKeys.size(); ++i) {
    CaptionAt(read.table, i) = file.ReadString(kCaptionKeys[i], CaptionAt(builtIn, i));
  }
  state = std::move(read);
  return LanguageFileStatus::Read;
}

std::optional<LanguageState> ReadLanguageFile(const std::string& path,
                                              std::string_view defaultLanguage) {
  LanguageState state;
  if (ReadLanguageFile(path, defaultLanguage, state) != LanguageFileStatus::Read) {
    return std::nullopt;
  }
  return state;
}

std::string NotALanguageFileMessage(const std::string& path) {
  return "The file '" + path + "' is not a language file!";
}

std::optional<std::string> LanguageFilePath(std::string_view folder, std::string_view language) {
  if (language.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string wanted = FileNameOf(language);
  const std::string base = text::WithTrailingSeparator(folder);
  std::error_code error;
  if (fs::is_regular_file(fs::path(base + wanted), error)) return base + wanted;
  for (const std::string& name : LanguageFileNames(folder)) {
    if (text::EqualsNoCase(name, wanted)) return base + name;
  }
  return base + wanted;
}

bool LoadLanguage(std::string_view folder, std::string_view language, LanguageState& state) {
  const auto path = LanguageFilePath(folder, language);
  if (!path) return false;
  auto loaded = ReadLanguageFile(*path, language);
  if (!loaded) return text::LoggedFailure(text::configLog, "no language read from", *path);
  state = std::move(*loaded);
  return true;
}

bool SaveLanguage(std::string_view folder, const LanguageState& state) {
  const auto path = LanguageFilePath(folder, state.currentLanguage);
  if (!path) return false;
  // Another language's file (found under a name that differs in letter case, or naming another
  // language inside), or a file that cannot be read as a language, is not this language's to
  // replace: its captions were never loaded, and writing would lose them.
  std::error_code missing;
  if (fs::exists(fs::path(*path), missing)) {
    LanguageState existing;
    if (ReadLanguageFile(*path, state.currentLanguage, existing) != LanguageFileStatus::Read ||
        existing.currentLanguage != state.currentLanguage) {
      return text::LoggedFailure(text::configLog,
                                 "not this language's file, left as it is:", *path);
    }
  }
  // The settings folder, when this writes first, is made as the settings file would make it.
  platform::MakePrivateFolder(std::string(folder));
  PreferenceFile file;
  if (!file.Create(*path)) {
    return text::LoggedFailure(text::configLog, "language not written:", *path);
  }
  file.WriteComment("QuillSmith localisation file");
  file.SelectGroup(kLanguageGroup);
  file.WriteString("CurrentLanguage", state.currentLanguage);
  for (std::size_t i = 0; i < kCaptionKeys.size(); ++i) {
    file.WriteString(kCaptionKeys[i], CaptionAt(state.table, i));
  }
  return file.Close() || text::LoggedFailure(text::configLog, "language not written:", *path);
}

std::vector<std::string> ListLanguages(std::string_view folder) {
  std::vector<std::string> languages;
  const std::string base = text::WithTrailingSeparator(folder);
  for (const std::string& name : LanguageFileNames(folder)) {
    PreferenceFile file;
    if (!file.OpenRead(base + name) || !file.SelectGroup(kLanguageGroup)) continue;
    std::string language = file.ReadString("CurrentLanguage", name);
    // An empty name is no entry to choose: the file's own middle part names it, and finds it.
    if (language.empty()) {
      language = name.substr(kLanguageFilePrefix.size(), name.size() - kLanguageFilePrefix.size() -
                                                             kLanguageFileExtension.size());
    }
    languages.push_back(std::move(language));
  }
  return languages;
}

}  // namespace qs::config
