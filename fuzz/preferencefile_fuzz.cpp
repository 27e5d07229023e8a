// The preference file reader (settings and language files) on arbitrary file contents. Any
// group and key look-up must end inside the data; the settings and the language read from any
// file must come back unchanged after they are written and read again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/preferencefile.h"
#include "fuzzscratch.h"

namespace {

using qs::config::AppSettings;
using qs::config::PreferenceFile;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Group and key names to look for: the file's own, in other letter case, and pieces of the
// data itself, so that the fuzzer can steer the look-ups.
void ProbeLookups(const std::string& path, std::string_view bytes) {
  PreferenceFile file;
  Check(file.OpenRead(path));
  // Entries ahead of any group are readable right after opening.
  (void)file.ReadString("CurrentLanguage", "x");
  const std::string_view head = bytes.substr(0, bytes.find('\n'));
  const std::string_view groups[] = {"Options", "language", "", head.substr(0, 12)};
  for (const auto group : groups) {
    const bool found = file.SelectGroup(group);
    const std::string value = file.ReadString(head.substr(0, 8), "default");
    if (!found && !group.empty()) Check(value == "default");
    Check(value.find('\n') == std::string::npos);
    (void)file.ReadInteger("CompileToCHM", -7);
    (void)file.ReadInteger(head.substr(0, 4), 3);
  }
  Check(file.Close());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string& folder = qs::fuzz::ScratchFolder();
  const std::string path = qs::fuzz::WriteScratchFile(qs::config::kSettingsFileName, bytes);
  ProbeLookups(path, bytes);
  (void)qs::config::ParseInteger(bytes);

  // The language reader on the same bytes: it either reads a language, or says whether the
  // file could not be read or has no "Language" group, and its two forms agree.
  qs::config::LanguageState language;
  const auto status = qs::config::ReadLanguageFile(path, "Fuzz", language);
  Check(status != qs::config::LanguageFileStatus::CannotRead);  // a regular file, small
  Check((status == qs::config::LanguageFileStatus::Read) ==
        qs::config::ReadLanguageFile(path, "Fuzz").has_value());
  if (status == qs::config::LanguageFileStatus::Read) {
    Check(language.table.overview.find('\n') == std::string::npos);
    // A language read from any file comes back unchanged once written and read again,
    // unless its name cannot name a file.
    const std::string languages = folder + "languages";
    std::error_code ignored;
    std::filesystem::remove_all(languages, ignored);  // each run alone: names match any case
    if (qs::config::SaveLanguage(languages, language)) {
      qs::config::LanguageState again;
      Check(qs::config::LoadLanguage(languages, language.currentLanguage, again));
      Check(again == language);
    }
  }

  // Settings: read, write, read again; nothing may change on the way.
  AppSettings first;
  qs::config::LoadSettings(folder, first, "");
  Check(qs::config::SaveSettings(folder, first));
  AppSettings second;
  Check(qs::config::LoadSettings(folder, second, ""));
  Check(first == second);
  return 0;
}
