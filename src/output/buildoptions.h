#pragma once

namespace qs::output {

// Choices that change what a help folder build writes. The defaults write what every earlier
// version wrote, byte for byte; previews always build with them.
struct BuildOptions {
  // Also write the keyword index L.hhk right after the contents L.hhc, and name it in the
  // .hhp, so that the compiled help's Index tab lists every page by its name.
  bool keywordIndex = false;

  friend bool operator==(const BuildOptions&, const BuildOptions&) = default;
};

}  // namespace qs::output
