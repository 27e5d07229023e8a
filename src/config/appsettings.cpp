#include "config/appsettings.h"

#include "config/preferencefile.h"
#include "platform/atomicfile.h"
#include "platform/userfolder.h"
#include "text/log.h"
#include "text/paths.h"

namespace qs::config {

std::string SettingsFilePath(std::string_view folder) {
  return text::WithTrailingSeparator(folder) + std::string(kSettingsFileName);
}

bool LoadSettings(std::string_view folder, AppSettings& settings,
                  std::string_view purebasicFolder) {
  PreferenceFile file;
  if (!file.OpenRead(SettingsFilePath(folder))) {
    QS_LOG_INFO(text::configLog) << "no settings read: '" << SettingsFilePath(folder)
                                 << "' is missing, unreadable or too large";
    return false;
  }
  if (!file.SelectGroup(kSettingsGroup)) {
    return text::LoggedFailure(text::configLog, "no settings group in", SettingsFilePath(folder));
  }
  settings.htm2chm = file.ReadString("HTM2CHM", "");
  settings.dontOverWriteExistingData = file.ReadInteger("DontOverWriteExistingData", 1) != 0;
  settings.compileToChm = file.ReadInteger("CompileToCHM", 0) != 0;
  settings.eraseHtmlFiles = file.ReadInteger("EraseHTMLFiles", 1) != 0;
  settings.currentLanguage = file.ReadString("CurrentLanguage", "English");
  settings.lastProjectDir = file.ReadString("LastProjectDir", settings.lastProjectDir);
  if (settings.lastProjectDir.empty()) settings.lastProjectDir = std::string(purebasicFolder);
  settings.maximised = file.ReadInteger("Maximised", 0) != 0;
  settings.keywordIndex = file.ReadInteger("KeywordIndex", 0) != 0;
  settings.dictionary = file.ReadString("Dictionary", "");
  settings.livePreview = file.ReadInteger("LivePreview", 0) != 0;
  settings.examplesAsCode = file.ReadInteger("ExamplesAsCode", 0) != 0;
  settings.windows.main = ParseWindowPlace(file.ReadString("MainWindowPlace", ""));
  settings.windows.preview = ParseWindowPlace(file.ReadString("PreviewWindowPlace", ""));
  settings.windows.builder = ParseWindowPlace(file.ReadString("BuilderWindowPlace", ""));
  return true;
}

bool SaveSettings(std::string_view folder, const AppSettings& settings) {
  // The settings name the user's folders and projects: a folder made for them, and the file,
  // are the user's alone.
  constexpr std::string_view kNotWritten = "settings not written:";
  if (!platform::MakePrivateFolder(std::string(folder))) {
    return text::LoggedFailure(text::configLog, kNotWritten, SettingsFilePath(folder));
  }
  PreferenceFile file;
  platform::WriteOptions options;
  options.privateFile = true;
  if (!file.Create(SettingsFilePath(folder), options)) {
    return text::LoggedFailure(text::configLog, kNotWritten, SettingsFilePath(folder));
  }
  file.SelectGroup(kSettingsGroup);
  file.WriteString("HTM2CHM", settings.htm2chm);
  file.WriteInteger("CompileToCHM", settings.compileToChm ? 1 : 0);
  file.WriteInteger("DontOverWriteExistingData", settings.dontOverWriteExistingData ? 1 : 0);
  file.WriteInteger("EraseHTMLFiles", settings.eraseHtmlFiles ? 1 : 0);
  file.WriteInteger("Maximised", settings.maximised ? 1 : 0);
  file.WriteString("CurrentLanguage", settings.currentLanguage);
  file.WriteString("LastProjectDir", settings.lastProjectDir);
  // New keys go after the old ones, so the lines an earlier version wrote stay as they were.
  file.WriteInteger("KeywordIndex", settings.keywordIndex ? 1 : 0);
  file.WriteString("Dictionary", settings.dictionary);
  file.WriteInteger("LivePreview", settings.livePreview ? 1 : 0);
  file.WriteInteger("ExamplesAsCode", settings.examplesAsCode ? 1 : 0);
  file.WriteString("MainWindowPlace", FormatWindowPlace(settings.windows.main));
  file.WriteString("PreviewWindowPlace", FormatWindowPlace(settings.windows.preview));
  file.WriteString("BuilderWindowPlace", FormatWindowPlace(settings.windows.builder));
  return file.Close() ||
         text::LoggedFailure(text::configLog, kNotWritten, SettingsFilePath(folder));
}

}  // namespace qs::config
