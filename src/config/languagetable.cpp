#include "config/languagetable.h"

namespace qs::config {

std::string& CaptionAt(LanguageTable& table, std::size_t i) {
  switch (i) {
    case 0:
      return table.overview;
    case 1:
      return table.commandIndex;
    case 2:
      return table.syntax;
    case 3:
      return table.example;
    case 4:
      return table.description;
    default:
      return table.functions;
  }
}

const std::string& CaptionAt(const LanguageTable& table, std::size_t i) {
  return CaptionAt(const_cast<LanguageTable&>(table), i);
}

}  // namespace qs::config
