// The builder window's progress, read from the compiler's output: the pages of the build log
// that the output names, each once, by its exact file name, names with spaces and pages in
// sub-folders included, whatever else the lines say and however the output is cut.

#include "ui/builder/compileprogress.h"

#include <gtest/gtest.h>

namespace qs::ui {
namespace {

TEST(CompileProgress, countsEachWrittenPageOnceWhenTheOutputNamesIt) {
  CompileProgress progress(
      "/h/TextKit.hhp\n/h/TextKit.hhc\n/h/Index.html\n/h/Text Trim.html\n/h/sub/Deep.html\n"
      "/h/License.html\n");
  EXPECT_EQ(progress.total(), 4);
  EXPECT_EQ(progress.named(), 0);
  // A warning naming another file in lower case counts nothing; the files it scans count.
  EXPECT_FALSE(progress.Read("Warning: Found file index.html while scanning Other.html\n"));
  EXPECT_TRUE(progress.Read("Note: Scanning file Index.html.\nNote: Scanning file Text "));
  EXPECT_EQ(progress.named(), 1);
  EXPECT_TRUE(progress.Read("Note: Scanning file Text Trim.html.\n"));
  EXPECT_TRUE(progress.Read("Note: Scanning file sub\\Deep.html.\n"));
  EXPECT_FALSE(progress.Read("Note: duplicate url: Index.html.\nNote: Scanning TOC file\n"));
  EXPECT_EQ(progress.named(), 3);
  EXPECT_TRUE(progress.Read("Compiling License.html"));
  EXPECT_EQ(progress.named(), progress.total());
}

}  // namespace
}  // namespace qs::ui
