#include "ui/logging.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

#include "text/log.h"

namespace qs::ui {
namespace {

QStringList received;
void Keep(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (QByteArray(context.category).startsWith("qs.")) {
    received << QString("%1 %2 %3").arg(context.category).arg(type == QtWarningMsg).arg(text);
  }
}

// In the window the core's lines reach Qt's logging under their names, as Qt's rules say;
// QUILLSMITH_LOG counts as rules given first. Each core category writes an information line
// ("0") and a warning ("1").
TEST(WindowLog, coreLinesReachQtUnderTheirNamesAsTheRulesSay) {
  struct Case {
    const char* variable;  // null: unset
    const char* rules;
    QStringList arrive;
    bool windowOn;
  };
  const Case cases[] = {
      {nullptr, "", {}, false},
      {nullptr,
       "qs.output=true\nqs.ui=true",
       {"qs.output 0 '/p/a b'", "qs.output 1 '/p/a b'"},
       true},
      {nullptr, "qs.config.warning=true", {"qs.config 1 '/p/a b'"}, false},
      {"qs.app, qs.ui", "", {"qs.app 0 '/p/a b'", "qs.app 1 '/p/a b'"}, true},
  };
  const QtMessageHandler previous = qInstallMessageHandler(Keep);
  for (const Case& c : cases) {
    QLoggingCategory::setFilterRules(c.rules);
    c.variable != nullptr ? qputenv(text::kLogVariable, c.variable) : qunsetenv(text::kLogVariable);
    RouteCoreLogToQt();
    received.clear();
    for (const text::LogCategory* category : text::kLogCategories) {
      QS_LOG_INFO(*category) << "'/p/a b'";
      QS_LOG_WARNING(*category) << "'/p/a b'";
    }
    EXPECT_EQ(received, c.arrive) << c.rules;
    EXPECT_EQ(uiLog().isInfoEnabled(), c.windowOn) << c.rules;
  }
  qInstallMessageHandler(previous);
  qunsetenv(text::kLogVariable);
  QLoggingCategory::setFilterRules({});
  text::EnableLogCategories(nullptr);
  text::SetLogSink({});
}

}  // namespace
}  // namespace qs::ui
