// The user library reader on arbitrary bytes. A library file is untrusted input: whatever it
// holds, parsing must end, stay inside the data and give a consistent answer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "library/libraryreader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qs::library::LibraryInfo info;
  qs::text::Reports reports;
  const bool ok = qs::library::ParseUserLibrary(bytes, "TestLib", info, reports);

  if (!ok) {
    // Every failure after the file was opened leaves nothing behind.
    Check(info.empty());
    Check(reports.size() <= 1);
    return 0;
  }
  Check(reports.empty());
  std::string_view last;
  for (const auto& function : info) {
    // Each retained name and help string was read from the data, between zero bytes.
    Check(!function.name.empty());
    Check(function.name.find('\0') == std::string::npos);
    Check(bytes.find(function.name) != std::string_view::npos);
    Check(function.parameters.empty() || function.parameters.front() == '(');
    Check(function.parameters.find('\0') == std::string::npos);
    Check(function.help.find('\0') == std::string::npos);
    // The skip rules held for what was kept.
    Check(!qs::library::IsSkippedEntry(function.name, last, "TestLib"));
    last = function.name;
  }
  return 0;
}
