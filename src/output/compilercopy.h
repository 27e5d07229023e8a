#pragma once

// The help folder as the help compiler gets it: a copy, in a folder of this run's own, of the
// help project file, of what it names and of what the pages refer to. The compiler follows
// every link it meets; given the help folder itself, a link that someone who may write there
// put at a page's name would have it pack a file that person cannot read. The copy is read
// from the help folder the way the pages are written: no link is followed on the way.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/outputfolder.h"

namespace qs::output {

// The largest file that is copied for the compiler, and the largest compiled file taken back.
inline constexpr std::size_t kCompilerFileLimit = std::size_t{1} << 30;

struct CompilerCopy {
  // Every file copied, relative to the folder, in copying order.
  std::vector<std::string> files;
  // Files named or referred to that the help folder holds but were not copied, each with
  // what the author is told: a link, a file with other names, a pipe or a folder is never
  // read, and one that cannot be read whole is left out too.
  std::vector<std::pair<std::string, std::string>> leftOut;
  // How many folders above the help folder the farthest reference reaches ("../../x": 2).
  // The compiler must work that deep inside its own folder, so that such a reference, which
  // is not copied, finds nothing instead of whatever someone put there.
  std::size_t reach = 0;
};

// Copies `projectFile` (a name in `help`), every file it names, and every file that a copied
// page (.htm, .html) or sitemap (.hhc, .hhk) refers to by a src, href, background, data or
// value attribute, when `help` holds it; byte for byte, each into the same place in `copy`.
// References are taken relative to the page's folder ("/x" relative to the help folder), with
// "#..." and "?..." cut off, and also %-decoded; addresses with a scheme (http:, mailto:,
// ms-its:) and drives are passed over, as are references that leave the help folder. False
// when a file could not be written into `copy`.
bool CopyForCompiler(platform::OutputFolder& help, platform::OutputFolder& copy,
                     const std::string& projectFile, CompilerCopy& result);

// The files that pages written elsewhere refer to, copied from the help folder along with
// them, by the rules of the compiler's copy: a link or a hard link is never read, a reference
// that leaves the help folder is never followed, and a copied page's own references are
// followed in turn.
class ReferencedFiles {
 public:
  // Notes what the page at `page` (a path below the output, "/" between folders) refers to.
  void Scan(std::string_view page, std::string_view bytes);
  // Copies from `help` into `copy` every file noted that `help` holds, except the files of
  // `own` (paths as `page` above), which the caller writes itself. The left-out files' texts
  // end in "it was not copied into the website". False when a file could not be written.
  bool Copy(platform::OutputFolder& help, platform::OutputFolder& copy,
            const std::vector<std::string>& own, CompilerCopy& result) const;

 private:
  std::vector<std::pair<std::string, std::string>> references_;
};

}  // namespace qs::output
