#include "platform/filenames.h"
#include "text/cp1252.h"

namespace qs::platform {

// References such as "&#945;" stay as they are: they are what the author typed for a
// character the code page lacks, and decoding them would make the inverse ambiguous.
std::string FileNameFromText(std::string_view text) {
  return text::Utf8FromCp1252(text, false);
}

std::string TextFromFileName(std::string_view fileName) {
  return text::Cp1252FromUtf8(fileName);
}

}  // namespace qs::platform
