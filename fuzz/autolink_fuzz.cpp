// Differential target: the fast auto-link conversion must give the bytes of the rule written
// out plainly (the reference of the test support, which reads the text state by state as a
// browser does) for every small project (names that share their start, "Index", empty names,
// names with markup or signs) and every description (tags with quoted values, comments,
// script and style, character references, a "<" that is text). One linker serves two texts in
// a row, as it serves every page of a build.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "autolinkinput.h"
#include "output/autolinker.h"
#include "support/autolinkreference.h"
#include "support/projectfixture.h"

namespace {

void CheckSame(const std::string& text, const std::string& fast, const std::string& reference) {
  if (fast == reference) return;
  std::fprintf(stderr, "fast linker differs:\ntext:      %s\nfast:      %s\nreference: %s\n",
               text.c_str(), fast.c_str(), reference.c_str());
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

  const qs::output::AutoLinker linker(project);
  CheckSame(text, linker.Apply(text), qs::testsupport::ReferenceAutoLink(text, names));
  CheckSame(other, linker.Apply(other), qs::testsupport::ReferenceAutoLink(other, names));
  return 0;
}
