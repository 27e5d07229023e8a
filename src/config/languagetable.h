#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qs::config {

// The six localisable captions of the generated pages.
struct LanguageTable {
  std::string overview = "Overview";
  std::string commandIndex = "Command Index";
  std::string syntax = "Syntax";
  std::string example = "Example";
  std::string description = "Description";
  std::string functions = "Functions";

  friend bool operator==(const LanguageTable&, const LanguageTable&) = default;
};

// The language-file keys of the six captions, in the order of the heading fields.
inline constexpr std::array<std::string_view, 6> kCaptionKeys = {
    "Overview", "CommandIndex", "Syntax", "Example", "Description", "Functions"};

// The caption stored under kCaptionKeys[i].
std::string& CaptionAt(LanguageTable& table, std::size_t i);
const std::string& CaptionAt(const LanguageTable& table, std::size_t i);

}  // namespace qs::config
