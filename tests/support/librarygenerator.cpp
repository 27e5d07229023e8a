#include "support/librarygenerator.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace qs::testsupport {
namespace {

void PutString(std::string& out, std::string_view text) {
  out += text;
  out += '\0';
}

void PutCount(std::string& out, std::size_t count, const char* what) {
  if (count > 255) throw std::invalid_argument(std::string(what) + " does not fit a count byte");
  out += static_cast<char>(static_cast<unsigned char>(count));
}

// Lower-case letters for a number, so that generated names never end in a digit.
std::string Letters(std::size_t number) {
  std::string letters;
  do {
    letters.insert(letters.begin(), static_cast<char>('a' + number % 26));
    number /= 26;
  } while (number != 0);
  return letters;
}

}  // namespace

LibraryRecipe LibraryOf(std::vector<LibraryRecipe::Entry> entries) {
  LibraryRecipe recipe;
  recipe.entries = std::move(entries);
  return recipe;
}

LibraryRecipe::Entry Function(std::string name, std::optional<std::string> help,
                              std::size_t padding) {
  LibraryRecipe::Entry entry;
  entry.name = std::move(name);
  entry.padding = padding;
  if (help && help->size() > 2 && help->starts_with("(") && !help->starts_with("()")) {
    std::size_t parameters = 1;
    for (const char c : help->substr(0, help->find(')'))) parameters += c == ',' ? 1 : 0;
    entry.parameterBytes.assign(parameters, '\x05');
  }
  entry.help = std::move(help);
  return entry;
}

GeneratedLibrary GenerateLibrary(const LibraryRecipe& recipe) {
  GeneratedLibrary result;
  std::string& out = result.bytes;
  // Three signatures, each followed by four bytes the reader does not examine.
  out += "ERUP";
  out += std::string_view("\x40\x00\x00\x00", 4);
  out += "3BIL";
  out += std::string_view("\x01\x00\x00\x00", 4);
  out += "LIB3";
  // The two bytes the reader passes over are zeros: a reader that is off by one then reads an
  // empty string or a zero count and lands somewhere visibly wrong.
  PutString(out, recipe.headerString);
  out += '\0';

  result.firstCountOffset = out.size();
  PutCount(out, recipe.firstNames.size(), "first name list");
  for (const auto& name : recipe.firstNames) PutString(out, name);
  if (!recipe.firstNames.empty()) out += '\0';
  PutString(out, recipe.secondHeaderString);

  result.secondCountOffset = out.size();
  PutCount(out, recipe.secondNames.size(), "second name list");
  for (const auto& name : recipe.secondNames) PutString(out, name);

  result.entriesOffset = out.size();
  for (const auto& entry : recipe.entries) {
    PutString(out, entry.name);
    PutCount(out, entry.parameterBytes.size(), "parameter bytes");
    out += entry.parameterBytes;
    out += std::string_view("\x03\x00\x00\x00", 4);
    out.append(entry.padding, '\0');
    if (entry.help) PutString(out, *entry.help);
  }

  result.endMarkOffset = out.size();
  switch (recipe.endMark) {
    case LibraryRecipe::EndMark::Part:
      out += "ERUP";
      result.endMarkSize = 4;
      break;
    case LibraryRecipe::EndMark::Data:
      out += std::string_view("CODE\x10\x00\x00\x00", 8);
      out += "1TAD";
      result.endMarkSize = 12;
      break;
    case LibraryRecipe::EndMark::None:
      result.endMarkSize = 0;
      break;
  }
  out += recipe.tail;
  return result;
}

bool WriteLibraryFile(const std::string& path, const LibraryRecipe& recipe) {
  const auto library = GenerateLibrary(recipe);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(library.bytes.data(), static_cast<std::streamsize>(library.bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

LibraryRecipe SampleLibraryRecipe() {
  LibraryRecipe recipe;
  recipe.headerString = "TextKit";
  recipe.firstNames = {"Kernel32", "User32"};
  recipe.secondHeaderString = "TextKit string helpers";
  recipe.secondNames = {"Memory", "String"};
  recipe.entries = {
      Function("TextKit_Init", std::nullopt, 3),
      Function("TextTrim", "(Text$) - Returns the text without leading and trailing blanks."),
      Function("TextTrimLeft", "(Text$) - Returns the text without leading blanks."),
      Function("TextTrimRight", "(Text$) - Returns the text without trailing blanks."),
      Function("TextReverse", "(Text$) - Returns the characters of the text in reverse order."),
      Function("TextRepeat", "(Text$, Count) - Returns the text repeated Count times.", 2),
      Function("TextRepeat2", "(Text$, Count, Separator$) - Same, with a separator."),
      Function("TextPadLeft", "(Text$, Length, [Char$]) - Pads the text on the left."),
      Function("TextPadRight", "(Text$, Length, [Char$]) - Pads the text on the right."),
      Function("TextCenter", "(Text$, Width) = Centers the text in a field of Width."),
      Function("TextCountWords", "(Text$) - Returns the number of words in the text."),
      Function("TextCountLines", "(Text$) - Returns the number of lines in the text."),
      Function("TextWord", "(Text$, Index) - Returns the word at position Index (1-based)."),
      Function("TextLine", "(Text$, Index) - Returns the line at position Index (1-based)."),
      Function("TextStartsWith", "(Text$, Prefix$) - Returns #True if the text starts so."),
      Function("TextEndsWith", "(Text$, Suffix$) - Returns #True if the text ends so."),
      Function("TextContains", "(Text$, Part$, [Mode]) - Returns #True if Part$ occurs."),
      Function("TextReplaceFirst", "(Text$, Find$, Replace$) - Replaces the first match."),
      Function("TextReplaceLast", "(Text$, Find$, Replace$) - Replaces the last match."),
      Function("TextSplit", "(Text$, Separator$, Array Parts$(1)) - Splits into an array."),
      Function("TextJoin", "(Array Parts$(1), Separator$) - Joins an array into one text."),
      Function("TextToTitleCase", "(Text$) - Capitalises the first letter of every word."),
      Function("TextToSnakeCase", "(Text$) - Converts CamelCase words to snake_case."),
      Function("TextIsNumeric", "(Text$) - Returns #True if the text is a number."),
      Function("TextIsBlank", "(Text$) - Returns #True if the text holds only blanks."),
      Function("TextWrap", "(Text$, Width, [Indent]) - Wraps the text at Width columns.", 1),
      Function("TextEllipsis", "(Text$, MaxLength) - Shortens the text, ending in '...'."),
      Function("TextEscapeHTML", "(Text$) - Escapes <, >, & and quotes for HTML."),
      Function("TextUnescapeHTML", "(Text$) - Turns HTML entities back into characters."),
      Function("TextToHex", "(Text$) - Returns the hexadecimal codes of the characters."),
      Function("TextFromHex", "(Hex$) - Returns the text that the hexadecimal codes hold."),
      Function("TextHash", "(Text$) - Returns a 32-bit hash value of the text."),
      Function("TextCompareNatural", "(Text1$, Text2$) - Compares with numbers in order."),
      Function("TextLevenshtein", "(Text1$, Text2$) - Returns the edit distance."),
      Function("TextSoundex", "(Text$) - Returns the Soundex code of a name."),
      Function("TextVersion"),
      Function("TextKitVersion", "() - Returns the version of the library as a number."),
      Function("TextKit_End", std::nullopt, 2),
      Function("InitTextKit"),
      Function("EndTextKit"),
  };
  return recipe;
}

LibraryRecipe SyntheticLibraryRecipe(std::size_t count, unsigned variant) {
  static constexpr std::array<std::string_view, 16> kVerbs = {
      "Get",  "Set",   "Make",  "Free",   "Open",  "Close", "Read",  "Write",
      "Find", "Count", "Clear", "Resize", "Start", "Stop",  "Check", "Select"};
  static constexpr std::array<std::string_view, 16> kNouns = {
      "Window", "Gadget", "Image", "Sound", "File",   "Folder", "Socket", "Buffer",
      "Thread", "Mutex",  "Timer", "Font",  "Sprite", "Map",    "List",   "Queue"};
  LibraryRecipe recipe;
  recipe.firstNames = {"Kernel32", "User32", "Gdi32"};
  recipe.secondNames = {"Memory"};
  recipe.entries.reserve(count);
  // A later variant drops the first functions of the earlier one and adds as many at the end.
  const std::size_t first = static_cast<std::size_t>(variant) * (count / 100 + 1);
  for (std::size_t i = first; i < first + count; ++i) {
    const std::string name =
        std::string(kVerbs[i % 16]) + std::string(kNouns[(i / 16) % 16]) + Letters(i / 256);
    std::string help = "(Handle.i, Text$, Flags.l";
    if ((i + variant) % 3 == 0) help += ", Mode.l = 0";
    help += ") - Works on the object and returns its state as an integer value.";
    recipe.entries.push_back(Function(name, help, i % 4));
  }
  return recipe;
}

}  // namespace qs::testsupport
