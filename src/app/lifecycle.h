#pragma once

// The program's spine: what happens before the main window exists, after it is shown, and
// when it is asked to close. The steps run in a fixed order, each to its end.

#include <string>
#include <string_view>
#include <vector>

#include "app/commandcontext.h"

namespace qs::app {

// Before the window: English captions and language, then the PureBasic folder look-up.
void PrepareStart(AppState& state, config::LanguageTable& captions, const Services& services);

// After the window is shown: settings, languages, the recent projects, the offer of work a
// crashed run left unsaved, else the project named on the command line (an empty text for
// none), the compiler path, the focus; then the main loop may take events.
void FinishStart(const CommandContext& context, const std::string& projectArgument);
// The part of FinishStart that opens the project named on the command line: it loads it and
// shows it in the fields, the list and the form. The window calls it on its own, after its
// first paint, so that a large project never keeps the window blank (FinishStart is then
// given no project). Nothing is opened while there is unsaved work (restored from a recovery
// copy).
void OpenStartProject(const CommandContext& context, const std::string& projectArgument);

// Reads the settings file into the Options controls, the language, the last project folder,
// the spelling dictionary and the live pane, puts the windows where they were, and maximises
// the main window when the last run ended maximised.
void LoadSettings(const CommandContext& context);
// Writes the settings file from the Options controls, the window and the application state.
void SaveSettings(const CommandContext& context);
// Fills the language list and loads the current language's captions.
void FillLanguageList(const CommandContext& context);

// When the main window is asked to close: ends the view mode's preview, asks whether to save
// unsaved work, writes the language file and the settings. False when the question was
// cancelled (or the save failed): the window stays open and nothing else happens.
bool ShutDown(const CommandContext& context);

}  // namespace qs::app
