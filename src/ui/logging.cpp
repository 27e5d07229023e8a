#include "ui/logging.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "text/log.h"

namespace qs::ui {

// QtFatalMsg: no level is on unless a rule says so.
Q_LOGGING_CATEGORY(uiLog, "qs.ui", QtFatalMsg)

namespace {

Q_LOGGING_CATEGORY(platformQtLog, "qs.platform", QtFatalMsg)
Q_LOGGING_CATEGORY(configQtLog, "qs.config", QtFatalMsg)
Q_LOGGING_CATEGORY(outputQtLog, "qs.output", QtFatalMsg)
Q_LOGGING_CATEGORY(appQtLog, "qs.app", QtFatalMsg)

using QtCategory = const QLoggingCategory& (*)();
constexpr QtCategory kQtCategories[] = {platformQtLog, configQtLog, outputQtLog, appQtLog, uiLog};

// The Qt category of a core category's name; the window's own for a core category that has
// none here yet, so that no line is lost.
QtCategory QtCategoryOf(const text::LogCategory& category) {
  for (const QtCategory qt : kQtCategories) {
    if (std::strcmp(qt().categoryName(), category.name()) == 0) return qt;
  }
  return uiLog;
}

void ToQt(const text::LogCategory& category, text::LogLevel level, std::string_view line) {
  // Lines name paths, which are the system's bytes.
  const QString text = QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
  const QtCategory qt = QtCategoryOf(category);
  if (level == text::LogLevel::Warning) {
    qCWarning(qt).noquote() << text;
  } else {
    qCInfo(qt).noquote() << text;
  }
}

}  // namespace

void RouteCoreLogToQt() {
  if (const char* rules = std::getenv(text::kLogVariable)) {
    QString qtRules;
    for (const QtCategory qt : kQtCategories) {
      const char* name = qt().categoryName();
      if (text::LogRulesMatch(rules, name)) qtRules += QLatin1String(name) + "=true\n";
    }
    QLoggingCategory::setFilterRules(qtRules);
  }
  for (text::LogCategory* core : text::kLogCategories) {
    const QLoggingCategory& qt = QtCategoryOf(*core)();
    core->SetEnabled(qt.isInfoEnabled() || qt.isWarningEnabled());
  }
  text::SetLogSink(ToQt);
}

}  // namespace qs::ui
