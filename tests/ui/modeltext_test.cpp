// The model's Windows-1252 text with CR LF line ends, as the editors show it.

#include "ui/widgets/modeltext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1252.h"

namespace qs::ui {
namespace {

TEST(ModelText, textsAndLinesReadTheSameByTheShortWayAndTheGeneralOne) {
  // Plain ASCII texts take a short way; each must read as the general conversion reads it.
  const std::vector<std::string> texts = {"",
                                          "Alpha\r\nBeta\r\nGamma",
                                          "x\r",
                                          "\r\n",
                                          "a\rb\nc\r\r\nd",
                                          "\n\n",
                                          "\r\r\n",
                                          std::string("nul\0in", 6),
                                          "tab\there",
                                          "&amp; &#945;",
                                          "caf\xE9\r\nna\xEFve",
                                          "\x80uro\r\n"};
  for (const std::string& text : texts) {
    QString general = FromModel(text);
    general.replace("\r\n", "\n");
    EXPECT_EQ(FromModelLines(text), general) << text;
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(FromModel(text), QString::fromStdString(text::Utf8FromCp1252(text))) << text;
  }
  EXPECT_EQ(FromModelLines("Alpha\r\nBeta"), "Alpha\nBeta");
  EXPECT_EQ(FromModelLines("&#945;\r\n"), QString::fromUtf8("\xCE\xB1\n"));
  EXPECT_EQ(ToModelLines(FromModelLines("a\r\nb\rc")), "a\r\nb\rc");
}

}  // namespace
}  // namespace qs::ui
