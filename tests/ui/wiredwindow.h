#pragma once

// The real desktop program in one object: the main window bound to the commands and to the
// core, with its settings in a temporary folder and the compiler run as the program runs it.
// The generated sample library "TextKit" lies in the same folder.

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/commands.h"
#include "app/coreservices.h"
#include "project/helpproject.h"
#include "ui/builder/qtprogramrunner.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"

namespace qs::uitest {

struct WiredWindow {
  // The settings live in `settingsFolder` (ending in "/") when given, else in the temporary
  // folder.
  explicit WiredWindow(bool withBrowser, const std::string& settingsFolder = {});

  // A path in the temporary folder.
  std::string Path(const char* name) const;
  // Extracts the sample library into a fresh project whose help folder is `helpFolder`, and
  // shows it as a loaded project is shown (Index page selected).
  void ExtractSample(const std::string& helpFolder);
  // Selects the row `row` as a click on it would.
  void SelectRow(int row);

  bool exposed = false;
  QTemporaryDir folder;
  std::string libraryPath;
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  ui::QtProgramRunner runner;
  std::unique_ptr<ui::MainWindow> window;
  std::unique_ptr<ui::QtUi> ui;
  std::unique_ptr<app::CoreServices> services;
  std::unique_ptr<app::CommandContext> context;
  std::unique_ptr<app::Commands> commands;
};

}  // namespace qs::uitest
