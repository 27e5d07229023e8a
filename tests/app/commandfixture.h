#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/commands.h"
#include "fakes.h"
#include "support/projectfixture.h"

namespace qs::apptest {

// A command set wired to the scripted window and core.
class CommandTest : public ::testing::Test {
 protected:
  Log log;
  FakeUi ui{log};
  FakeServices services{log};
  project::HelpProject project;
  app::AppState state;
  config::LanguageTable captions;
  app::CommandContext context{project, state, captions, services, ui};
  app::Commands commands{context};

  CommandTest() { state.purebasicFolder = services.purebasicFolder; }

  void UseProject(std::initializer_list<std::string_view> recipes, std::string file = "/w/p.qsp") {
    project = testsupport::MakeProject(recipes);
    project.projectFile = std::move(file);
    // As a load leaves it: the window knows the file as it is on disk.
    context.RememberProjectFile();
  }
  // Position of the first log line that starts with `prefix`; the log's size when none does.
  std::size_t LogIndex(const std::string& prefix) const {
    const auto it = std::find_if(log.begin(), log.end(), [&](const std::string& line) {
      return line.rfind(prefix, 0) == 0;
    });
    return static_cast<std::size_t>(it - log.begin());
  }
  bool Logged(const std::string& prefix) const { return LogIndex(prefix) < log.size(); }
};

}  // namespace qs::apptest
