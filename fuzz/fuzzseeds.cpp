// Writes the seed corpus of every fuzz target, made by our own generators and writers:
// fuzz_seeds OUT makes OUT/<target>/<seed> for each target. Existing seeds are replaced.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "autolinkinput.h"
#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "library/libraryreader.h"
#include "library/librarytopics.h"
#include "project/projectfile.h"
#include "support/librarygenerator.h"
#include "support/projectfixture.h"

namespace {

namespace fs = std::filesystem;
using qs::testsupport::Function;
using qs::testsupport::GenerateLibrary;
using qs::testsupport::LibraryRecipe;

bool failed = false;

void WriteSeed(const fs::path& folder, const std::string& name, std::string_view bytes) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write seed %s\n", (folder / name).c_str());
    failed = true;
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<LibraryRecipe> LibraryRecipes() {
  std::vector<LibraryRecipe> recipes;
  recipes.push_back(qs::testsupport::SampleLibraryRecipe());
  recipes.push_back(qs::testsupport::SyntheticLibraryRecipe(12));

  LibraryRecipe rules;  // skip rules, nested parentheses, help without "(", padding
  rules.firstNames = {"Kernel32", "User32"};
  rules.secondNames = {"Helper"};
  rules.entries = {Function("MyFunc", "(a, (b)) - text"),
                   Function("MyFunc2", "(x)"),
                   Function("MyFunc10", "(y) = eq"),
                   Function("Foo_END"),
                   Function("Foo_END2"),
                   Function("TestLib_Init"),
                   Function("InitTestLib"),
                   Function("ENDTESTLIB"),
                   Function("Open", "(never closed", 3),
                   Function("Plain", std::nullopt, 5)};
  recipes.push_back(rules);

  LibraryRecipe dataMark = rules;
  dataMark.endMark = LibraryRecipe::EndMark::Data;
  dataMark.firstNames.clear();
  recipes.push_back(dataMark);

  LibraryRecipe cut = rules;  // a table that ends before its end mark
  cut.endMark = LibraryRecipe::EndMark::None;
  cut.tail.clear();
  recipes.push_back(cut);

  LibraryRecipe many;  // count bytes of 128 and more
  for (int i = 0; i < 130; ++i) many.firstNames.push_back("n" + std::to_string(i));
  many.entries = {Function("Index", "() - the word Index"), Function("..", "(x)"),
                  Function("/abs/path", "(y)"), Function("a\\b", "(z)")};
  recipes.push_back(many);
  return recipes;
}

void LibrarySeeds(const fs::path& folder) {
  int n = 0;
  for (const auto& recipe : LibraryRecipes()) {
    const auto library = GenerateLibrary(recipe);
    WriteSeed(folder, "library" + std::to_string(n++), library.bytes);
    // The same file cut where the reader changes state.
    for (const std::size_t cut :
         {library.firstCountOffset + 1, library.secondCountOffset + 1, library.entriesOffset + 3}) {
      if (cut < library.bytes.size()) {
        WriteSeed(folder, "library" + std::to_string(n++), library.bytes.substr(0, cut));
      }
    }
  }
}

qs::project::HelpProject SampleProject() {
  const auto library = GenerateLibrary(qs::testsupport::SampleLibraryRecipe());
  qs::library::LibraryInfo info;
  qs::text::Reports reports;
  qs::library::ParseUserLibrary(library.bytes, "TextKit", info, reports);
  qs::project::HelpProject project;
  qs::library::BuildFreshTopics(project, "TextKit", info);
  project.RefillItemsFromStore();
  project.projectFile = "/work/TextKit.qsp";
  project.libraryFile = "/opt/purebasic/PureLibraries/UserLibraries/TextKit";
  project.helpFolder = "/work/help/";
  return project;
}

void ProjectSeeds(const fs::path& folder) {
  std::vector<qs::project::HelpProject> projects;
  projects.push_back(SampleProject());

  auto marks = qs::testsupport::MakeProject({"Index", "A", "G#", "B", "License*"});
  auto& a = marks.TopicAt(1);
  a.summary = "line one\r\nline two\r\n";  // ends in CR LF
  a.body = "lf\nonly\nlines";
  a.example = "code\twith\ttabs\r\n\xB6\r\nafter a stray end-of-text line";
  auto topics = marks.topics();
  topics[3].name = "Name\xB1";  // a name that itself ends in a mark
  marks.SetTopics(std::move(topics));
  marks.RefillItemsFromStore();
  projects.push_back(std::move(marks));

  projects.push_back(qs::testsupport::MakeProject({"Index"}));
  projects.push_back(qs::project::HelpProject{});  // no topics: does not load

  int n = 0;
  for (auto& project : projects) {
    const fs::path path = folder / ("project" + std::to_string(n++) + ".qsp");
    qs::text::Reports reports;
    if (!qs::project::SaveProject(project, path.string(), reports)) {
      std::fprintf(stderr, "cannot save seed %s\n", path.c_str());
      failed = true;
      continue;
    }
    // Variants of the saved bytes: other line ends, and a record cut short.
    const std::string bytes = ReadAll(path);
    std::string lf, cr;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
      lf.push_back(bytes[i]);
      cr.push_back(bytes[i] == '\n' ? '\r' : bytes[i]);
    }
    WriteSeed(folder, "project" + std::to_string(n++) + ".qsp", lf);
    WriteSeed(folder, "project" + std::to_string(n++) + ".qsp", cr);
    WriteSeed(folder, "project" + std::to_string(n++) + ".qsp",
              bytes.substr(0, bytes.size() * 2 / 3) + "\r\n\r\n");
  }
}

void PreferenceSeeds(const fs::path& folder) {
  const fs::path work = folder / "work";
  fs::create_directories(work);
  qs::config::AppSettings settings;
  settings.htm2chm = "/usr/bin/chmcmd";
  settings.compileToChm = true;
  settings.lastProjectDir = "/home/author/projects/  ";
  qs::config::SaveSettings(work.string(), settings);
  WriteSeed(folder, "settings.ini", ReadAll(work / qs::config::kSettingsFileName));

  qs::config::LanguageState language;
  language.currentLanguage = "Deutsch";
  language.table.overview =
      "\xDC"
      "bersicht";
  language.table.commandIndex = "Befehls-Index";
  qs::config::SaveLanguage(work.string(), language);
  WriteSeed(folder, "language.lng", ReadAll(work / "QuillSmith_Deutsch.lng"));
  fs::remove_all(work);

  WriteSeed(folder, "handwritten.ini",
            "; a comment\n[options]\ncompiletochm=1\n  ;indented comment\n  [Indented]\n"
            "CompileToCHM = 0\nEraseHTMLFiles=\nLastProjectDir = /x/  \n[Language]\n"
            "Syntax = Syntaxe\n");
  WriteSeed(folder, "bom.ini", "\xEF\xBB\xBF[Options]\r\nMaximised = 1\r\n");
  WriteSeed(folder, "numbers.ini",
            "[Options]\nCompileToCHM = -2147483649\nMaximised =  +99999999999\n"
            "EraseHTMLFiles = 0x1\nDontOverWriteExistingData = \t7\n");
  WriteSeed(folder, "ungrouped.lng", "CurrentLanguage = Nowhere\n[Language\nOverview=O\n");
}

void AutoLinkSeeds(const fs::path& folder) {
  using qs::fuzz::AutoLinkCase;
  const std::vector<AutoLinkCase> cases = {
      {"Calls Open and OpenFile, see Index.", {"Index", "Open", "OpenFile", "License*"}},
      {"Calls Open and OpenFile, see Index.", {"Index", "OpenFile", "Open", "License*"}},
      {"a href html link <a href=\"x.html\">x</a>", {"Index", "a", "href", "html", "x"}},
      {"Repeat Repeat", {"Repeat", "Repeat", "", "Rep", "peat"}},
      {"<b>bold</b> and <i>", {"<b>", "b", "G#", "bold", "U*", "</"}},
      {"IndexIndex Index", {"Index", "In", "dex", "ndexI"}},
      {"\"quoted\" .html", {"\"", ".html", "quoted"}},
      {"TextTrimLeft, TextTrim; Len Length _Len Len2", {"TextTrim", "TextTrimLeft", "Len"}},
      {"<A HREF=x>Open</A > Open <abbr>Open</abbr> <a\tname=y>Open</a\r> a<b c",
       {"Open", "a<b", "abbr"}},
      {"<img alt=\"Open\"> #PB_Any x#PB_Any C++x < Open", {"Open", "#PB_Any", "C++"}},
      {"if Len < 0 or Len<=Open, Len<<b>Open</b> 1<2 <", {"Len", "Open", "b", "<2"}},
      {"<img alt=\"a > Open\" title='x>Open'>Open <b title \"x>Open\"> <i a=\"Open",
       {"Open", "x", "title"}},
      {"<!-- Open --> Open <!--> Open <!---> b <!-- a --!> a <!DOCTYPE b> <? a > </ b> </> <!--",
       {"Open", "a", "b", "--"}},
      {"<script>if (a<b) Open(\"</b>\")</script > Open <STYLE>b{}</stylex></style/> b "
       "<textarea>Open</TEXTAREA> <plaintext>Open",
       {"Open", "b", "script", "style"}},
      {"&copy; copy &copy &#x41; x41 &#65;Len &nbsp;Open &copyb &#;b &b AT&T",
       {"copy", "x41", "Len", "Open", "b", "AT&T", "#65"}},
      {"<a/>Open</a>Open <a title='</a>'>Open</a> Open <a><style></a>Open</style></a> Open",
       {"Open", "a", "style"}},
  };
  int n = 0;
  for (const auto& input : cases) {
    WriteSeed(folder, "autolink" + std::to_string(n++), qs::fuzz::FormatAutoLinkInput(input));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds OUT_FOLDER\n");
    return 2;
  }
  const fs::path out(argv[1]);
  const struct {
    const char* target;
    void (*make)(const fs::path&);
  } targets[] = {{"libraryreader_fuzz", LibrarySeeds},
                 {"projectfile_fuzz", ProjectSeeds},
                 {"preferencefile_fuzz", PreferenceSeeds},
                 {"autolink_fuzz", AutoLinkSeeds}};
  for (const auto& target : targets) {
    std::error_code error;
    fs::create_directories(out / target.target, error);
    if (error) {
      std::fprintf(stderr, "cannot make %s\n", (out / target.target).c_str());
      return 1;
    }
    target.make(out / target.target);
  }
  return failed ? 1 : 0;
}
