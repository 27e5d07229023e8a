// Names the program is handed and must keep straight: function names that collide with the
// fixed pages, line breaks in one-line fields, project names near the system's limit, a
// compiler named relative to the current folder, and the bytes of names that are not UTF-8.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "library/librarytopics.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "platform/programrunner.h"
#include "platform/systemprogramrunner.h"
#include "project/projectfile.h"
#include "sandbox.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;
using testsupport::Function;
using testsupport::LibraryRecipe;

std::string WriteLibrary(const TempFolder& box, const std::vector<LibraryRecipe::Entry>& entries) {
  LibraryRecipe recipe;
  recipe.entries = entries;
  const std::string path = box.Path("lib/MyLib");
  fs::create_directories(box.Path("lib"));
  EXPECT_TRUE(testsupport::WriteLibraryFile(path, recipe));
  return path;
}

text::Report Skipped(const std::string& name, const std::string& page) {
  return {"WARNING",
          "Function '" + name + "' skipped: its page would replace the " + page + " page!",
          text::ReportIcon::Exclamation};
}

TEST(FixedPageNames, functionsNamedLikeTheIndexOrLicensePageAreSkippedWithAWarning) {
  TempFolder box;
  const std::string library =
      WriteLibrary(box, {Function("A", "(x) - a"), Function("Index", "(x) - would overwrite"),
                         Function("license", "(x) - would overwrite on Windows"),
                         Function("B", "(x) - b"), Function("INDEX", "(x) - also")});
  project::HelpProject project;
  project.libraryFile = library;
  library::LibraryInfo info;
  text::Reports reports;
  ASSERT_TRUE(library::ExtractLibraryInfo(project, false, info, reports));
  EXPECT_EQ(reports, (text::Reports{Skipped("Index", "Index"), Skipped("license", "License"),
                                    Skipped("INDEX", "Index")}));
  EXPECT_EQ(testsupport::StoreNames(project),
            (std::vector<std::string>{"Index", "A", "B", "License"}));
  EXPECT_EQ(project.Body(0), "A\r\nB");

  // Every page once, the fixed ones with their own texts, also after a save and a load.
  const std::string path = box.Path("MyLib.qsp");
  ASSERT_TRUE(project::SaveProject(project, path, reports));
  project::HelpProject loaded;
  ASSERT_TRUE(project::LoadProject(loaded, path, {}, reports));
  output::BuildRecord record;
  const std::string log = output::BuildHelpFolder(loaded, {}, box.Path("help/"), record, reports);
  EXPECT_FALSE(log.empty());
  const std::set<std::string> unique(record.files.begin(), record.files.end());
  EXPECT_EQ(unique.size(), record.files.size());
  EXPECT_EQ(record.files.size(), 6u);
  EXPECT_NE(box.Read("help/Index.html").find("MyLib library"), std::string::npos);
  EXPECT_NE(box.Read("help/License.html").find("redistribute it freely"), std::string::npos);
  EXPECT_EQ(reports.size(), 3u);  // nothing more was reported
}

TEST(FixedPageNames, aMergeKeepsTheLicensePageWhenTheLibraryGainsALicenseFunction) {
  TempFolder box;
  std::string library = WriteLibrary(box, {Function("A", "(x) - a")});
  project::HelpProject project;
  project.libraryFile = library;
  library::LibraryInfo info;
  text::Reports reports;
  ASSERT_TRUE(library::ExtractLibraryInfo(project, false, info, reports));
  project::Topic* license = project.FindTopic("License");
  ASSERT_NE(license, nullptr);
  license->body = "The author's own license.";

  library = WriteLibrary(box, {Function("A", "(x) - a"), Function("License", "(Text$) - x")});
  ASSERT_TRUE(library::ExtractLibraryInfo(project, true, info, reports));
  EXPECT_EQ(reports, (text::Reports{Skipped("License", "License")}));
  license = project.FindTopic("License");
  ASSERT_NE(license, nullptr);
  EXPECT_TRUE(license->isUserTopic);
  EXPECT_EQ(license->body, "The author's own license.");
  EXPECT_EQ(license->parameters, "");
  EXPECT_EQ(testsupport::StoreNames(project), (std::vector<std::string>{"Index", "A", "License"}));

  // A library of nothing but such names has no functions to extract.
  library = WriteLibrary(box, {Function("Index", "(x) - i")});
  reports.clear();
  EXPECT_FALSE(library::ExtractLibraryInfo(project, true, info, reports));
  EXPECT_EQ(reports,
            (text::Reports{Skipped("Index", "Index"),
                           text::ErrorReport("No functions found in library '" + library + "'!")}));
}

TEST(OneLineFields, aLineBreakInAOneLineFieldIsRefusedBeforeAnythingIsSaved) {
  TempFolder box;
  const std::string path = box.Path("MyLib.qsp");
  auto good = testsupport::MakeProject({"Index", "A", "License*"});
  good.libraryFile = "/libs/MyLib";
  text::Reports reports;
  ASSERT_TRUE(project::SaveProject(good, path, reports));
  const Picture before = TakePicture(box.Path());

  // From the library: a name and a parameter list with line breaks. The name gets no page
  // from the library; a project can still carry it (added below as a page of its own).
  const std::string library = WriteLibrary(
      box,
      {Function("A", "(x) - a"), Function("Two\nLines", "(x) - t"), Function("C", "(a\r\nb)")});
  const Picture withLibrary = TakePicture(box.Path());
  auto extracted = good;
  extracted.libraryFile = library;
  library::LibraryInfo info;
  ASSERT_TRUE(library::ExtractLibraryInfo(extracted, true, info, reports));
  EXPECT_EQ(
      reports,
      (text::Reports{{"WARNING", "Function 'Two\\nLines' skipped: a page name cannot hold '\\n'!",
                      text::ReportIcon::Exclamation}}));
  reports.clear();
  EXPECT_EQ(extracted.FindTopic("Two\nLines"), nullptr);
  extracted.InsertTopic(2, testsupport::MakeTopic("Two\nLines"));
  extracted.RefillItemsFromStore();

  struct Case {
    const char* what;
    project::HelpProject project;
    std::string message;
  };
  std::vector<Case> cases;
  cases.push_back({"library name", extracted,
                   "Could not save the project: the name of the page 'Two\\nLines' holds a line "
                   "break!"});
  extracted.EraseTopic(extracted.FindTopicPos("Two\nLines"));
  extracted.RefillItemsFromStore();
  cases.push_back({"library parameters", extracted,
                   "Could not save the project: the parameter list of the page 'C' holds a line "
                   "break!"});
  auto path1 = good;
  path1.libraryFile = "/libs/My\nLib";
  cases.push_back({"path", path1,
                   "Could not save the project: the library path '/libs/My\\nLib' holds a line "
                   "break!"});
  auto folder = good;
  folder.helpFolder = "/help\r/";
  cases.push_back({"folder", folder,
                   "Could not save the project: the help folder '/help\\r/' holds a line break!"});
  auto title = good;
  title.TopicAt(1).title = std::string("A\0B", 3);
  cases.push_back({"title", title,
                   "Could not save the project: the title of the page 'A' holds a line break!"});

  for (auto& [what, project, message] : cases) {
    SCOPED_TRACE(what);
    text::Reports refused;
    EXPECT_FALSE(project::SaveProject(project, path, refused));
    EXPECT_EQ(refused, (text::Reports{text::ErrorReport(message)}));
    EXPECT_EQ(TakePicture(box.Path()), withLibrary);
  }
  EXPECT_EQ(Without(withLibrary, "lib/"), before);

  // Line breaks in the texts are the file's own business: they read back as written.
  good.TopicAt(1).body = "one\r\ntwo\r\n";
  ASSERT_TRUE(project::SaveProject(good, path, reports));
  project::HelpProject loaded;
  ASSERT_TRUE(project::LoadProject(loaded, path, {}, reports));
  EXPECT_EQ(loaded.topics(), good.topics());
}

TEST(LongNames, projectNamesUpToTheSystemLimitAreSavedAndLoaded) {
  TempFolder box;
  std::vector<std::string> names;
  for (std::size_t length = 235; length <= 255; length += 4) {
    names.push_back(std::string(length - 4, 'p') + ".qsp");
  }
  std::string accented;  // two bytes a letter, 255 bytes in all
  while (accented.size() < 251) accented += "\xC3\xA9";
  names.push_back(accented.substr(0, 250) + "e.qsp");
  auto project = testsupport::MakeProject({"Index", "A", "License*"});
  project.libraryFile = "/libs/MyLib";

  for (const auto& name : names) {
    SCOPED_TRACE(name.size());
    const std::string path = box.Path(name);
    text::Reports reports;
    project.projectFile = path;
    ASSERT_TRUE(project::SaveProject(project, path, reports));
    ASSERT_TRUE(project::SaveProject(project, path, reports));  // replacing, too
    project::HelpProject loaded;
    ASSERT_TRUE(project::LoadProject(loaded, path, {}, reports));
    EXPECT_EQ(loaded.topics(), project.topics());
    EXPECT_TRUE(reports.empty());
  }
  EXPECT_EQ(TakePicture(box.Path()).size(), names.size());  // no temporary file left
}

// Runs `body` with `folder` as the current folder, and goes back afterwards.
template <typename Body>
void InFolder(const std::string& folder, Body&& body) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  body();
  fs::current_path(previous);
}

TEST(CompilerPath, aCompilerNamedRelativeToTheCurrentFolderStartsInTheHelpFolder) {
  TempFolder box;
  box.Write("tools/compile.sh", "#!/bin/sh\nprintf 'ITSF' > \"${1%.hhp}.chm\"\n");
  fs::permissions(box.Path("tools/compile.sh"), fs::perms::owner_all);
  auto project = testsupport::MakeProject({"Index", "A"});
  project.libraryFile = "/libs/MyLib";
  output::BuildRecord record;
  text::Reports reports;
  ASSERT_FALSE(output::BuildHelpFolder(project, {}, box.Path("help/"), record, reports).empty());

  InFolder(box.Path(), [&] {
    platform::SystemProgramRunner runner;
    for (const std::string compiler : {"tools/compile.sh", "./tools/compile.sh"}) {
      SCOPED_TRACE(compiler);
      fs::remove(box.Path("help/MyLib.chm"));
      output::CompileOptions options{true, compiler};
      EXPECT_TRUE(output::CompileHelp(options, "help/", project.libraryFile, runner, reports));
      EXPECT_TRUE(reports.empty());
      EXPECT_EQ(box.Read("help/MyLib.chm"), "ITSF");
    }
    // The system's runner on its own, too.
    EXPECT_TRUE(platform::RunProgram("tools/compile.sh", box.Path("help/Other.hhp"),
                                     box.Path("help"), true, true));
    EXPECT_EQ(box.Read("help/Other.chm"), "ITSF");
  });
}

TEST(LanguageFileMessages, aFileWithoutALanguageGroupIsToldApartFromOneThatCannotBeRead) {
  TempFolder box;
  box.Write("QuillSmith_German.lng",
            ";QuillSmith localisation file\r\n[Language]\r\n"
            "CurrentLanguage = German\r\nSyntax = Syntax (de)\r\n");
  box.Write("settings.ini", "[Options]\r\nCompileToCHM = 1\r\n");
  config::LanguageState state;
  EXPECT_EQ(config::ReadLanguageFile(box.Path("settings.ini"), "x", state),
            config::LanguageFileStatus::NoLanguageGroup);
  EXPECT_EQ(config::ReadLanguageFile(box.Path("absent.lng"), "x", state),
            config::LanguageFileStatus::CannotRead);
  EXPECT_EQ(state, config::LanguageState{});  // untouched by both
  EXPECT_EQ(config::ReadLanguageFile(box.Path("QuillSmith_German.lng"), "x", state),
            config::LanguageFileStatus::Read);
  EXPECT_EQ(state.currentLanguage, "German");
  EXPECT_EQ(state.table.syntax, "Syntax (de)");
  EXPECT_EQ(config::NotALanguageFileMessage(box.Path("settings.ini")),
            "The file '" + box.Path("settings.ini") + "' is not a language file!");
}

TEST(SettingsBytes, aCompilerPathThatIsNotUtf8KeepsItsBytes) {
  TempFolder box;
  config::AppSettings settings;
  settings.htm2chm =
      "/opt/\xE9t\xE9/chm\xFF\x80"
      "cmd";  // Latin-1 bytes and stray ones
  settings.lastProjectDir = "/home/\xC3\xA9l\xE8ve/";
  ASSERT_TRUE(config::SaveSettings(box.Path(), settings));
  EXPECT_NE(box.Read("QuillSmith.ini")
                .find("HTM2CHM = /opt/\xE9t\xE9/chm\xFF\x80"
                      "cmd\r\n"),
            std::string::npos);
  config::AppSettings loaded;
  ASSERT_TRUE(config::LoadSettings(box.Path(), loaded, ""));
  EXPECT_EQ(loaded, settings);
}

}  // namespace
}  // namespace qs::hardening
