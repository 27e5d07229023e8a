#pragma once

namespace qs::output {

// Choices that change what a help folder build writes. The defaults write what every earlier
// version wrote, byte for byte. Previews never write the keyword index; they show examples as
// the build would.
struct BuildOptions {
  // Also write the keyword index L.hhk right after the contents L.hhc, and name it in the
  // .hhp, so that the compiled help's Index tab lists every page by its name.
  bool keywordIndex = false;
  // Examples are code: written escaped and coloured, calls of the library's functions linked
  // (see ExampleCode), instead of as markup.
  bool examplesAsCode = false;

  friend bool operator==(const BuildOptions&, const BuildOptions&) = default;
};

}  // namespace qs::output
