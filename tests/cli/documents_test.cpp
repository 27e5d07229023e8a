// Every message quillsmith-cli can print is listed by its --help text and by its manual page,
// in the form a user sees it (the variable parts named PATH, NAME, PAGE, N): a message added
// or reworded in the code without the documents fails here.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/clirunner.h"
#include "config/interruptedsaves.h"
#include "config/languagefiles.h"
#include "flows/extractionchanges.h"
#include "flows/helpbuild.h"
#include "flows/projectlock.h"
#include "output/compilermessages.h"
#include "output/helpcompiler.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::cli {
namespace {

// Lines of text as a reader takes them: runs of blanks and line ends are one space, so that a
// message wrapped over two lines of a document still counts.
std::string Flowing(const std::string& text) {
  std::string flowing;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\t';
    if (blank && (flowing.empty() || flowing.back() == ' ')) continue;
    flowing.push_back(blank ? ' ' : c);
  }
  return flowing;
}

// The manual page as it reads: requests and font changes dropped, escapes as the characters
// they stand for.
std::string ManualText(const std::string& source) {
  std::istringstream in(source);
  std::string text;
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with(".")) {
      const auto space = line.find(' ');
      if (space == std::string::npos) continue;
      line = line.substr(space + 1);
      // Alternating fonts join their quoted words: .BR "a" " / " "b" reads "a / b".
      std::string joined;
      bool quoted = false;
      for (const char c : line) {
        if (c == '"') {
          quoted = !quoted;
        } else if (c != ' ' || quoted || line.find('"') == std::string::npos) {
          joined.push_back(c);
        }
      }
      line = joined;
    }
    for (std::size_t at = 0; (at = line.find('\\', at)) != std::string::npos;) {
      const char next = at + 1 < line.size() ? line[at + 1] : ' ';
      if (next == 'f' && at + 2 < line.size()) {
        line.erase(at, 3);
      } else if (next == '-' || next == '0' || next == 'e') {
        line.replace(at, 2, next == 'e' ? "\\" : std::string(1, next));
        ++at;
      } else {
        ++at;
      }
    }
    text += line + "\n";
  }
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Each message the command line prints, line by line, with its variable parts named as the
// documents name them. Taken from the code that makes the message wherever there is one.
std::vector<std::string> MessageForms() {
  using output::CompilerMessage;
  using output::CompilerMessageKind;
  std::vector<std::string> forms = {
      // Reading a library.
      "Could not open file 'NAME'!",
      "Memory allocation problem!",
      "File 'NAME' is not a library!",
      "No functions found in library 'PATH'!",
      "Function 'NAME' skipped: a page name cannot hold 'C'!",
      "Function 'NAME' skipped: its page would replace the Index page!",
      "Function 'NAME' skipped: a function of the same name comes first!\nIts own help:",
      "Function 'NAME' differs from 'OTHER' only in letter case: their pages collide in a "
      "compiled help file and on Windows!",
      "Function 'NAME' is a device name on Windows: its page cannot be written or opened there!",
      // Projects.
      text::CouldNotReadFileReport("PATH").text,
      "The file 'PATH' is not a valid project!",
      config::InterruptedSaveReport("PATH").text,
      project::TooLargeMessage("PATH"),
      project::TooManyPagesMessage("PATH"),
      text::CouldNotCreateFileReport("PATH").text,
      project::LineBreakMessage("WHAT"),
      project::TooManyPagesToSaveMessage(),
      // extract.
      flows::ProjectBusyReport("PATH").text,
      flows::RemovedPageLines({{}, {}, {}, {"NAME"}}).front(),
      "Library information extracted: ",
      // build.
      config::NotALanguageFileMessage("PATH"),
      flows::NoHelpFolderReport().text,
      "Error during help files creation!",
      output::CompilerNotFoundReport("PATH").text,
      "Could not start help compiler!",
      "Could not create CHM help file!",
      output::MessageLine({CompilerMessageKind::Error, "PAGE", "TEXT"}),
      output::MessageLine({CompilerMessageKind::Warning, "PAGE", "TEXT"}),
      "Help files compiled with N errors to PATH",
      // unique.
      "Unique HTML help file created :",
      // web.
      "The website cannot be written into the help folder 'PATH'!",
      "NAME is a link or no plain file of its own in the help folder; it was not copied into "
      "the website",
      "Error during website creation!",
      // Any command.
      "Usage:",
  };
  // A message with a path on a line of its own is looked for line by line.
  std::vector<std::string> lines;
  for (const auto& form : forms) {
    std::istringstream in(form);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty()) lines.push_back(line);
    }
  }
  return lines;
}

TEST(Documents, helpAndManualPageListEveryMessage) {
  const auto help = RunCli({"--help"});
  ASSERT_EQ(help.status, kSuccess);
  const char* binary = std::getenv("QS_TEST_BINARY_DIR");
  ASSERT_NE(binary, nullptr);
  const std::string manual = ReadFile(std::string(binary) + "/data/quillsmith-cli.1");
#ifdef _WIN32
  // Under Wine the build folder's path may name no file; the manual is Linux's anyway.
  if (manual.empty()) GTEST_SKIP() << "the manual page cannot be read here";
#endif
  ASSERT_FALSE(manual.empty());

  const std::string helpText = Flowing(help.out);
  const std::string manualText = Flowing(ManualText(manual));
  for (const auto& form : MessageForms()) {
    EXPECT_NE(helpText.find(Flowing(form)), std::string::npos) << "--help lacks: " << form;
    EXPECT_NE(manualText.find(Flowing(form)), std::string::npos) << "manual lacks: " << form;
  }
  // Both say which paths come out absolute.
  EXPECT_NE(helpText.find("No path is made absolute"), std::string::npos);
  EXPECT_NE(manualText.find("No path is made absolute"), std::string::npos);
}

}  // namespace
}  // namespace qs::cli
