#include "library/libraryreader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/librarygenerator.h"
#include "support/tempfolder.h"

namespace qs::library {
namespace {

using testsupport::Function;
using testsupport::GenerateLibrary;
using testsupport::LibraryRecipe;

// Parses a copy of the bytes in a heap block of exactly their size, so that a sanitizer or
// valgrind sees any read past the end.
bool ParseExact(std::string_view bytes, std::string_view fileName, LibraryInfo& info,
                text::Reports& reports) {
  auto block = std::make_unique<char[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.get());
  return ParseUserLibrary(std::string_view(block.get(), bytes.size()), fileName, info, reports);
}

LibraryInfo ParseOk(const LibraryRecipe& recipe, std::string_view fileName = "TestLib") {
  LibraryInfo info;
  text::Reports reports;
  EXPECT_TRUE(ParseExact(GenerateLibrary(recipe).bytes, fileName, info, reports));
  EXPECT_TRUE(reports.empty());
  return info;
}

std::vector<std::string> Names(const LibraryInfo& info) {
  std::vector<std::string> names;
  for (const auto& function : info) names.push_back(function.name);
  return names;
}

LibraryRecipe RecipeWith(std::vector<LibraryRecipe::Entry> entries) {
  LibraryRecipe recipe;
  recipe.entries = std::move(entries);
  return recipe;
}

// A library that uses every part of the format the reader walks.
LibraryRecipe RichRecipe(LibraryRecipe::EndMark endMark) {
  LibraryRecipe recipe;
  recipe.firstNames = {"Kernel32", "", "User32"};
  recipe.secondNames = {"Memory", "Gadget"};
  recipe.entries = {Function("Alpha", "(a, (b)) - first", 3), Function("Beta"),
                    Function("Gamma", "(x$) = third", 0),     Function("Gamma2", "(y)"),
                    Function("Delta", std::nullopt, 5),       Function("Epsilon", "(unclosed", 1)};
  recipe.endMark = endMark;
  return recipe;
}

TEST(LibraryReader, walksEveryHeaderShapeAndBothEndMarks) {
  // The byte after a non-empty first list, and the count byte of an empty list, are easy to
  // get wrong by one: every combination must land on the first entry and stop at the mark.
  const LibraryInfo expected = {{"Alpha", "(a, (b))", "first"},
                                {"Beta", "", ""},
                                {"Gamma", "(x$)", "third"},
                                {"Delta", "", ""},
                                {"Epsilon", "(unclosed", ""}};
  for (const int shape : {0, 1, 2, 3}) {
    for (const auto mark : {LibraryRecipe::EndMark::Part, LibraryRecipe::EndMark::Data}) {
      auto recipe = RichRecipe(mark);
      if (shape & 1) recipe.firstNames.clear();
      if (shape & 2) recipe.secondNames.clear();
      recipe.tail = std::string("Later\0\0\0\0\0\0(b) - two\0", 21);
      EXPECT_EQ(ParseOk(recipe), expected) << shape << static_cast<int>(mark);
    }
  }
  EXPECT_TRUE(ParseOk(RecipeWith({})).empty());  // a table with no entries is a valid read
}

TEST(LibraryReader, readsCountBytesOf128AndMoreAsUnsigned) {
  LibraryRecipe recipe;
  // Appended, not prefixed: GCC 12 at -O3 takes a prefix insertion for an overlapping copy.
  const auto numbered = [](std::string name, int i) { return name.append(std::to_string(i)); };
  for (int i = 0; i < 200; ++i) recipe.firstNames.push_back(numbered("First", i));
  for (int i = 0; i < 255; ++i) recipe.secondNames.push_back(numbered("S", i));
  auto wide = Function("Wide", "(p) - many parameter bytes");
  wide.parameterBytes.assign(200, '(');  // "(" bytes inside must be passed over
  recipe.entries = {wide, Function("After", "(q)")};
  EXPECT_EQ(ParseOk(recipe),
            (LibraryInfo{{"Wide", "(p)", "many parameter bytes"}, {"After", "(q)", ""}}));
}

TEST(LibraryReader, skipRules) {
  // Numbered variants: one trailing digit only, and a skipped entry never becomes the last
  // retained name. Internal and library routines: without regard to case.
  const auto info =
      ParseOk(RecipeWith({Function("MyFunc"), Function("MyFunc2"), Function("MyFunc3"),
                          Function("MyFunc10"), Function("Foo_END"), Function("Foo_END2"),
                          Function("MyLib_Init"), Function("InitMyLib"), Function("ENDMYLIB"),
                          Function("x_init"), Function("InitOther"), Function("MyLib_Initialise"),
                          Function("EndMyLibrary"), Function("_END_")}),
              "MyLib");
  EXPECT_EQ(Names(info), (std::vector<std::string>{"MyFunc", "MyFunc10", "Foo_END2", "InitOther",
                                                   "MyLib_Initialise", "EndMyLibrary", "_END_"}));
  // A nameless entry is never retained; a one-digit name first is a variant of "".
  EXPECT_TRUE(IsSkippedEntry("", "", "Lib"));
  EXPECT_TRUE(IsSkippedEntry("7", "", "Lib"));
  EXPECT_FALSE(IsSkippedEntry("INIT", "", "Lib"));
}

TEST(LibraryReader, splitsHelpStrings) {
  struct Case {
    std::string help, parameters, description;
  };
  const std::vector<Case> cases = {
      {"(Text$, Flags) - Shows a text", "(Text$, Flags)", "Shows a text"},
      {"(a, (b)) - text", "(a, (b))", "text"},
      {"(a, (b) - never closed", "(a, (b) - never closed", ""},
      {"(x) = equals form", "(x)", "equals form"},
      {"(x) -hyphen kept", "(x)", "-hyphen kept"},
      {"(x)- ", "(x)", "-"},
      {"(  spaced  )   -   text  ", "(  spaced  )", "  text"},
      {"(x)\t- tab is no blank", "(x)", "\t- tab is no blank"},
      {"(a)(b) - second group is text", "(a)", "(b) - second group is text"},
  };
  for (const auto& c : cases) {
    LibraryFunction function;
    SplitHelpString(c.help, function);
    EXPECT_EQ(function.parameters, c.parameters) << c.help;
    EXPECT_EQ(function.help, c.description) << c.help;
  }
}

TEST(LibraryReader, rejectsWrongSignatures) {
  const auto good = GenerateLibrary(RichRecipe(LibraryRecipe::EndMark::Part)).bytes;
  for (const std::size_t at : {0, 3, 8, 11, 16, 19}) {
    auto bad = good;
    bad[at] ^= 0x20;
    LibraryInfo info = {{"Stale", "", ""}};
    text::Reports reports;
    EXPECT_FALSE(ParseExact(bad, "Bad.lib", info, reports));
    EXPECT_TRUE(info.empty());
    EXPECT_EQ(reports, text::Reports{text::ErrorReport("File 'Bad.lib' is not a library!")});
  }
}

// Every prefix of a library, each in a block of its own exact size: nothing may read past the
// end, and each cut gets the one answer that belongs to where it falls.
TEST(LibraryReader, everyTruncationFailsCleanly) {
  for (const auto mark : {LibraryRecipe::EndMark::Part, LibraryRecipe::EndMark::Data}) {
    auto recipe = RichRecipe(mark);
    recipe.tail.clear();
    const auto library = GenerateLibrary(recipe);
    const auto& bytes = library.bytes;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      LibraryInfo info = {{"Stale", "", ""}};
      text::Reports reports;
      EXPECT_FALSE(ParseExact(std::string_view(bytes).substr(0, size), "Cut", info, reports));
      EXPECT_TRUE(info.empty());
      // Running out before the entries is silent, as designed; anywhere else is damage.
      const bool silent = size >= 20 && size <= library.entriesOffset;
      const text::Reports expected = {text::ErrorReport("File 'Cut' is not a library!")};
      EXPECT_EQ(reports, silent ? text::Reports{} : expected) << size;
    }
    ASSERT_EQ(library.endMarkOffset + library.endMarkSize, bytes.size());
    EXPECT_EQ(ParseOk(recipe).size(), 5u);
  }
}

// Damaged counts (up to 255 strings that are not there), zeros where strings should be and
// stray parentheses: whatever a byte says, the reader ends without reading outside the data.
TEST(LibraryReader, survivesAnySingleDamagedByte) {
  const auto bytes = GenerateLibrary(RichRecipe(LibraryRecipe::EndMark::None)).bytes;
  for (std::size_t at = 20; at < bytes.size(); ++at) {
    for (const char value : {'\0', '\x7f', '\x80', '\xff', '(', ')'}) {
      auto damaged = bytes;
      damaged[at] = value;
      LibraryInfo info;
      text::Reports reports;
      EXPECT_FALSE(ParseExact(damaged, "Damaged", info, reports)) << at;
    }
  }
}

TEST(LibraryReader, readsFilesAndReportsWhatItCannotRead) {
  testsupport::TempFolder folder;
  const auto path = folder.Path("MyLib");
  const LibraryInfo previous = {{"Stale", "(a)", "kept"}};
  auto read = [&](const std::string& from, text::Reports& reports) {
    LibraryInfo info = previous;
    const bool ok = ReadUserLibrary(from, info, reports);
    return std::make_pair(ok, info);
  };

  // The skip rules use the last component of the path as the library's name.
  ASSERT_TRUE(testsupport::WriteLibraryFile(
      path, RecipeWith({Function("InitMyLib"), Function("Show", "(Text$) - Shows a text")})));
  text::Reports reports;
  EXPECT_EQ(read(path, reports),
            std::make_pair(true, LibraryInfo{{"Show", "(Text$)", "Shows a text"}}));
  EXPECT_TRUE(reports.empty());

  // What cannot be opened (missing, a folder) keeps the previous functions.
  std::filesystem::create_directory(folder.Path("Books"));
  for (const auto& [from, name] :
       {std::pair{folder.Path("Missing"), "Missing"}, std::pair{folder.Path("Books"), "Books"}}) {
    reports.clear();
    EXPECT_EQ(read(from, reports), std::make_pair(false, previous));
    EXPECT_EQ(reports,
              text::Reports{text::ErrorReport("Could not open file '" + std::string(name) + "'!")});
  }

  // Empty and short files hold no signatures.
  for (const auto& content : {std::string(), std::string("ERUP\0\0\0\03BIL", 12)}) {
    std::ofstream(path, std::ios::binary) << content;
    reports.clear();
    EXPECT_EQ(read(path, reports), std::make_pair(false, LibraryInfo{}));
    EXPECT_EQ(reports, text::Reports{text::ErrorReport("File 'MyLib' is not a library!")});
  }
}

}  // namespace
}  // namespace qs::library
