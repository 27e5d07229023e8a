#include "text/log.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/logcapture.h"

namespace qs::text {
namespace {

// The forms a developer types; "pcoa" lists which of platform, config, output, app are on.
TEST(Log, categoriesAreOffUnlessTheRulesNameThem) {
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, "...."},
      {"", "...."},
      {"*", "pcoa"},
      {"qs.*", "pcoa"},
      {"qs.o*", "..o."},
      {"qs.output,qs.config", ".co."},
      {" qs.app , qs.platform ", "p..a"},
      {"qs.output qs.app", "..oa"},
      {"qs.out", "...."},
      {"output", "...."},
      {"qs.output.debug", "...."},
  };
  for (const auto& [rules, expected] : cases) {
    EnableLogCategories(rules);
    std::string on;
    for (const LogCategory* category : {&platformLog, &configLog, &outputLog, &appLog}) {
      on += category->IsEnabled() ? category->name()[3] : '.';
    }
    EXPECT_EQ(on, expected) << (rules == nullptr ? "(unset)" : rules);
  }
  EnableLogCategories(nullptr);
}

int formatted = 0;
std::string Counted(std::string text) {
  ++formatted;
  return text;
}

// Off, a line costs no formatting at all; on, it reaches the sink whole, on one line.
TEST(Log, aLineIsFormattedOnlyWhenItsCategoryIsOnAndStaysOneLine) {
  testsupport::LogCapture capture("qs.output");
  QS_LOG_INFO(configLog) << Counted("never");
  QS_LOG_WARNING(appLog) << Counted("never");
  EXPECT_EQ(formatted, 0);
  QS_LOG_INFO(outputLog) << Counted("erased '") << "a\nb\r.html' " << 42 << ' ' << -3;
  EXPECT_EQ(formatted, 1);
  EXPECT_FALSE(LoggedFailure(outputLog, "not written:", "/tmp/x"));
  EXPECT_EQ(capture.lines(),
            (std::vector<std::string>{"qs.output: erased 'a\\nb\\r.html' 42 -3",
                                      "qs.output: warning not written: '/tmp/x'"}));
}

}  // namespace
}  // namespace qs::text
