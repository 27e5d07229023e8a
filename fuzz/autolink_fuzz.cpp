// Differential target: the fast auto-link conversion must give the bytes of the
// straightforward pass-by-pass rule for every small project (names that contain each other,
// "Index", empty names, names with markup) and every description. One linker is used for two
// texts in a row, so scratch state left over from the first cannot go unnoticed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "autolinkinput.h"
#include "output/autolinker.h"
#include "support/projectfixture.h"

namespace {

void CheckSame(const std::string& fast, const std::string& sequential) {
  if (fast == sequential) return;
  std::fprintf(stderr, "fast linker differs:\nfast:       %s\nsequential: %s\n", fast.c_str(),
               sequential.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qs::fuzz::AutoLinkCase input = qs::fuzz::ParseAutoLinkInput(bytes);
  const auto project = qs::testsupport::MakeProject(input.topicRecipes);
  const auto names = qs::output::AutoLinkNames(project);

  // The second text: the description's second half, then the first (a different text that
  // still holds the names the fuzzer put in).
  const std::string& text = input.description;
  const std::string other = text.substr(text.size() / 2) + text.substr(0, text.size() / 2);
  if (qs::fuzz::AutoLinkOutputBound(text.size(), names) > qs::fuzz::kMaxAutoLinkOutput) return 0;

  qs::output::AutoLinker linker(project);
  CheckSame(linker.Apply(text), qs::output::AutoLinkSequential(text, names));
  CheckSame(linker.Apply(other), qs::output::AutoLinkSequential(other, names));
  return 0;
}
