#include "platform/filenames.h"

namespace qs::platform {

// The program names its files through the system's code page, which holds the model's bytes.
std::string FileNameFromText(std::string_view text) {
  return std::string(text);
}

std::string TextFromFileName(std::string_view fileName) {
  return std::string(fileName);
}

}  // namespace qs::platform
