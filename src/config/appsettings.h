#pragma once

// The options kept between runs, and their file "QuillSmith.ini" in the settings folder that
// the caller names (the platform layer decides where that is).

#include <string>
#include <string_view>

#include "config/windowplace.h"

namespace qs::config {

inline constexpr std::string_view kSettingsFileName = "QuillSmith.ini";
inline constexpr std::string_view kSettingsGroup = "Options";

// The values are those of a first run, with no settings file.
struct AppSettings {
  std::string htm2chm;                      // HTM2CHM: full path of the help compiler
  bool compileToChm = false;                // CompileToCHM
  bool dontOverWriteExistingData = true;    // DontOverWriteExistingData
  bool eraseHtmlFiles = false;              // EraseHTMLFiles
  bool maximised = false;                   // Maximised
  std::string currentLanguage = "English";  // CurrentLanguage
  std::string lastProjectDir;               // LastProjectDir, with a trailing separator
  bool keywordIndex = false;                // KeywordIndex: builds write the keyword index
  // Dictionary: the spelling dictionary chosen on the Options tab (such as "en_US"); empty
  // until the author chose one, which leaves the choice to the system's language.
  std::string dictionary;
  bool livePreview = false;  // LivePreview: the live pane beside the form is shown
  // ExamplesAsCode: examples are PureBasic code, written escaped and coloured.
  bool examplesAsCode = false;
  // MainWindowPlace, PreviewWindowPlace, BuilderWindowPlace: where the windows were. The main
  // window's is its unmaximised place; Maximised still says whether it was maximised.
  WindowPlaces windows = {};

  friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// folder + "QuillSmith.ini", with a separator put between them when the folder lacks one.
std::string SettingsFilePath(std::string_view folder);

// Reads the "Options" group. Without the file or the group nothing changes and the result is
// false. A key missing from the group takes its default, which for EraseHTMLFiles is on
// (unlike a first run); LastProjectDir keeps its current value and, when that is empty too,
// becomes `purebasicFolder`; KeywordIndex, Dictionary, LivePreview and ExamplesAsCode, which
// files of earlier versions lack, are off, empty, off and off, and the windows' places unknown. A
// stored number other than 0 turns a switch on.
bool LoadSettings(std::string_view folder, AppSettings& settings, std::string_view purebasicFolder);

// Writes the group line and the entries: the seven that every version writes, in their order,
// then KeywordIndex, Dictionary, LivePreview, ExamplesAsCode, MainWindowPlace,
// PreviewWindowPlace and BuilderWindowPlace (empty for a place not known). The folder is created
// when it is missing. A failure leaves any previous file as it was; the result says whether the
// file was written.
bool SaveSettings(std::string_view folder, const AppSettings& settings);

}  // namespace qs::config
