#include "library/libraryreader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/librarygenerator.h"

namespace qs::library {
namespace {

using testsupport::Function;
using testsupport::GenerateLibrary;
using testsupport::LibrarySpec;

// Parses a copy of the bytes in a heap block of exactly their size, so that a sanitizer or
// valgrind sees any read past the end.
bool ParseExact(std::string_view bytes, std::string_view fileName, LibraryInfo& info,
                text::Reports& reports) {
  auto block = std::make_unique<char[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.get());
  return ParseUserLibrary(std::string_view(block.get(), bytes.size()), fileName, info, reports);
}

LibraryInfo ParseOk(const LibrarySpec& spec, std::string_view fileName = "TestLib") {
  LibraryInfo info;
  text::Reports reports;
  EXPECT_TRUE(ParseExact(GenerateLibrary(spec).bytes, fileName, info, reports));
  EXPECT_TRUE(reports.empty());
  return info;
}

std::vector<std::string> Names(const LibraryInfo& info) {
  std::vector<std::string> names;
  for (const auto& function : info) names.push_back(function.name);
  return names;
}

LibrarySpec SpecWith(std::vector<LibrarySpec::Entry> entries) {
  LibrarySpec spec;
  spec.entries = std::move(entries);
  return spec;
}

// A library that uses every part of the format the reader walks.
LibrarySpec RichSpec(LibrarySpec::EndMark endMark) {
  LibrarySpec spec;
  spec.firstNames = {"Kernel32", "", "User32"};
  spec.secondNames = {"Memory", "Gadget"};
  spec.entries = {Function("Alpha", "(a, (b)) - first", 3), Function("Beta"),
                  Function("Gamma", "(x$) = third", 0),     Function("Gamma2", "(y)"),
                  Function("Delta", std::nullopt, 5),       Function("Epsilon", "(unclosed", 1)};
  spec.endMark = endMark;
  return spec;
}

TEST(LibraryReader, readsEntriesWithPaddingAndOptionalHelpStrings) {
  const auto info = ParseOk(RichSpec(LibrarySpec::EndMark::Part));
  const LibraryInfo expected = {{"Alpha", "(a, (b))", "first"},
                                {"Beta", "", ""},
                                {"Gamma", "(x$)", "third"},
                                {"Delta", "", ""},
                                {"Epsilon", "(unclosed", ""}};
  EXPECT_EQ(info, expected);
}

TEST(LibraryReader, walksEveryHeaderShapeAndBothEndMarks) {
  // The byte after a non-empty first list, and the count byte of an empty list, are easy to
  // get wrong by one: every combination must land on the first entry.
  for (const bool firstEmpty : {false, true}) {
    for (const bool secondEmpty : {false, true}) {
      for (const auto mark : {LibrarySpec::EndMark::Part, LibrarySpec::EndMark::Data}) {
        auto spec = RichSpec(mark);
        if (firstEmpty) spec.firstNames.clear();
        if (secondEmpty) spec.secondNames.clear();
        SCOPED_TRACE(testing::Message() << firstEmpty << secondEmpty << static_cast<int>(mark));
        EXPECT_EQ(Names(ParseOk(spec)),
                  (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}));
      }
    }
  }
}

TEST(LibraryReader, stopsAtTheFirstEndMarkAndIgnoresWhatFollows) {
  auto spec = SpecWith({Function("Only", "(a) - one")});
  spec.tail = std::string("Later\0\0\0\0\0\0(b) - two\0", 21);
  EXPECT_EQ(Names(ParseOk(spec)), std::vector<std::string>{"Only"});

  spec.endMark = LibrarySpec::EndMark::Data;
  EXPECT_EQ(Names(ParseOk(spec)), std::vector<std::string>{"Only"});

  // No entries at all: the end mark right after the header gives an empty, successful read.
  EXPECT_TRUE(ParseOk(SpecWith({})).empty());
}

TEST(LibraryReader, readsCountBytesOf128AndMoreAsUnsigned) {
  LibrarySpec spec;
  for (int i = 0; i < 200; ++i) spec.firstNames.push_back("First" + std::to_string(i));
  for (int i = 0; i < 255; ++i) spec.secondNames.push_back("S" + std::to_string(i));
  auto wide = Function("Wide", "(p) - many parameter bytes");
  wide.parameterBytes.assign(200, '\x28');  // "(" bytes inside must be passed over
  spec.entries = {wide, Function("After", "(q)")};
  const auto info = ParseOk(spec);
  EXPECT_EQ(Names(info), (std::vector<std::string>{"Wide", "After"}));
  EXPECT_EQ(info[0].help, "many parameter bytes");
}

TEST(LibraryReader, skipsNumberedVariantsByOneTrailingDigitOnly) {
  const auto info =
      ParseOk(SpecWith({Function("MyFunc"), Function("MyFunc2"), Function("MyFunc3"),
                        Function("MyFunc10"), Function("Other"), Function("MyFunc4")}));
  EXPECT_EQ(Names(info), (std::vector<std::string>{"MyFunc", "MyFunc10", "Other", "MyFunc4"}));
}

TEST(LibraryReader, skippedEntryDoesNotBecomeTheLastRetainedName) {
  EXPECT_EQ(Names(ParseOk(SpecWith({Function("Foo_END"), Function("Foo_END2")}))),
            std::vector<std::string>{"Foo_END2"});
}

TEST(LibraryReader, leavesOutInternalAndLibraryRoutinesWithoutRegardToCase) {
  const auto info =
      ParseOk(SpecWith({Function("MyLib_Init"), Function("InitMyLib"), Function("ENDMYLIB"),
                        Function("Gadget_end"), Function("x_INIT"), Function("InitOther"),
                        Function("MyLib_Initialise"), Function("EndMyLibrary"), Function("Kept")}),
              "MyLib");
  EXPECT_EQ(Names(info),
            (std::vector<std::string>{"InitOther", "MyLib_Initialise", "EndMyLibrary", "Kept"}));
}

TEST(LibraryReader, nameRulesHandleEdgeNames) {
  // A nameless entry is read past but never retained; a one-digit name right at the start is
  // a "variant" of the empty last name.
  EXPECT_TRUE(IsSkippedEntry("", "", "Lib"));
  EXPECT_TRUE(IsSkippedEntry("7", "", "Lib"));
  EXPECT_FALSE(IsSkippedEntry("A7", "", "Lib"));
  EXPECT_FALSE(IsSkippedEntry("_END_", "", "Lib"));
  EXPECT_TRUE(IsSkippedEntry("_end", "", "Lib"));
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
      {"(x) -", "(x)", "-"},
      {"(x)- ", "(x)", "-"},
      {"(  spaced  )   -   text  ", "(  spaced  )", "  text"},
      {"(x)\t- tab is no blank", "(x)", "\t- tab is no blank"},
      {"() ", "()", ""},
      {"(a)(b) - second group is text", "(a)", "(b) - second group is text"},
  };
  for (const auto& c : cases) {
    LibraryFunction function;
    SplitHelpString(c.help, function);
    EXPECT_EQ(function.parameters, c.parameters) << c.help;
    EXPECT_EQ(function.help, c.description) << c.help;
  }
}

TEST(LibraryReader, rejectsWrongOrMissingSignatures) {
  const auto good = GenerateLibrary(RichSpec(LibrarySpec::EndMark::Part)).bytes;
  for (const std::size_t at : {0, 3, 8, 11, 16, 19}) {
    auto bad = good;
    bad[at] ^= 0x20;
    LibraryInfo info = {{"Stale", "", ""}};
    text::Reports reports;
    EXPECT_FALSE(ParseExact(bad, "Bad.lib", info, reports));
    EXPECT_TRUE(info.empty());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], text::ErrorReport("File 'Bad.lib' is not a library!"));
  }
}

// Every prefix of a library, each in a block of its own exact size: nothing may read past the
// end, and each cut gets the one answer that belongs to where it falls.
TEST(LibraryReader, everyTruncationFailsCleanly) {
  for (const auto mark : {LibrarySpec::EndMark::Part, LibrarySpec::EndMark::Data}) {
    auto spec = RichSpec(mark);
    spec.tail.clear();
    const auto library = GenerateLibrary(spec);
    const auto& bytes = library.bytes;
    const std::size_t complete = library.endMarkOffset + library.endMarkSize;
    ASSERT_EQ(complete, bytes.size());
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
      SCOPED_TRACE(size);
      LibraryInfo info = {{"Stale", "", ""}};
      text::Reports reports;
      const bool ok = ParseExact(std::string_view(bytes).substr(0, size), "Cut", info, reports);
      if (size == complete) {
        EXPECT_TRUE(ok);
        EXPECT_EQ(info.size(), 5u);
        continue;
      }
      EXPECT_FALSE(ok);
      EXPECT_TRUE(info.empty());
      if (size < 20 || size > library.entriesOffset) {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, "File 'Cut' is not a library!");
      } else {
        EXPECT_TRUE(reports.empty());  // ran out before the entries: silent, as designed
      }
    }
  }
}

// Damaged counts, zeros where strings should be and stray "(" bytes: whatever a byte says,
// the reader ends without reading outside the data.
TEST(LibraryReader, survivesAnySingleDamagedByte) {
  const auto bytes = GenerateLibrary(RichSpec(LibrarySpec::EndMark::None)).bytes;
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

TEST(LibraryReader, countLargerThanTheListReadsOnIntoTheEntriesAndEnds) {
  const auto library = GenerateLibrary(RichSpec(LibrarySpec::EndMark::Part));
  for (const auto offset : {library.firstCountOffset, library.secondCountOffset}) {
    auto bytes = library.bytes;
    bytes[offset] = '\xff';
    LibraryInfo info;
    text::Reports reports;
    // Too many strings swallow the whole table; the read ends at the end of the data.
    EXPECT_FALSE(ParseExact(bytes, "Lying", info, reports));
    EXPECT_TRUE(info.empty());
  }
}

class LibraryFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("qs_library_reader_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(LibraryFileTest, readsAFileAndNamesItByItsLastComponent) {
  const auto path = PathOf("MyLib");
  ASSERT_TRUE(
      testsupport::WriteLibraryFile(path, SpecWith({Function("MyLib_Init"), Function("InitMyLib"),
                                                    Function("Show", "(Text$) - Shows a text")})));
  LibraryInfo info = {{"Stale", "", ""}};
  text::Reports reports;
  ASSERT_TRUE(ReadUserLibrary(path, info, reports));
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(info, (LibraryInfo{{"Show", "(Text$)", "Shows a text"}}));
}

TEST_F(LibraryFileTest, reportsWhatCannotBeOpenedAndKeepsThePreviousFunctions) {
  const LibraryInfo previous = {{"Stale", "(a)", "kept"}};
  for (const auto& path : {PathOf("Missing"), folder_.string()}) {
    LibraryInfo info = previous;
    text::Reports reports;
    EXPECT_FALSE(ReadUserLibrary(path, info, reports));
    EXPECT_EQ(info, previous);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              text::ErrorReport("Could not open file '" +
                                std::filesystem::path(path).filename().string() + "'!"));
  }
}

TEST_F(LibraryFileTest, emptyAndShortFilesAreNotLibraries) {
  for (const std::string& content : {std::string(), std::string("ERUP\0\0\0\03BIL", 12)}) {
    const auto path = PathOf("Short");
    { std::ofstream(path, std::ios::binary) << content; }
    LibraryInfo info = {{"Stale", "", ""}};
    text::Reports reports;
    EXPECT_FALSE(ReadUserLibrary(path, info, reports));
    EXPECT_TRUE(info.empty());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, "File 'Short' is not a library!");
  }
}

}  // namespace
}  // namespace qs::library
