#pragma once

// Lines for the developer about what the program did where it shows the user nothing by
// design: recovery copies written and offered, files erased or kept, settings and language
// files that could not be read or written, the compiler's run, locks waited for or refused.
// Each layer that has something to tell logs under a category of its own, all of them off
// unless switched on. A line is formatted only when its category is on, so a line that stays
// off costs one flag read.
//
// The command line switches categories on with the environment variable QUILLSMITH_LOG and
// writes each line to standard error as "category: text". The window routes the lines to Qt's
// logging under categories of the same names, switched on by QT_LOGGING_RULES as well.
//
// Lines name paths and counts, never the author's text or a file's contents, and they go to
// no file: the program's output and messages are the same with logging on or off.

#include <atomic>
#include <concepts>
#include <functional>
#include <string>
#include <string_view>

namespace qs::text {

inline constexpr char kLogVariable[] = "QUILLSMITH_LOG";

enum class LogLevel { Info, Warning };

class LogCategory {
 public:
  explicit constexpr LogCategory(const char* name) : name_(name) {}
  LogCategory(const LogCategory&) = delete;
  LogCategory& operator=(const LogCategory&) = delete;

  const char* name() const { return name_; }
  bool IsEnabled() const { return enabled_.load(std::memory_order_relaxed); }
  void SetEnabled(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

 private:
  const char* name_;
  std::atomic<bool> enabled_{false};
};

// One category per layer that has something to tell, lowest layer first.
inline LogCategory platformLog{"qs.platform"};
inline LogCategory configLog{"qs.config"};
inline LogCategory outputLog{"qs.output"};
inline LogCategory appLog{"qs.app"};
inline LogCategory* const kLogCategories[] = {&platformLog, &configLog, &outputLog, &appLog};

// Whether `rules` switch on the category `name`. The rules are names separated by commas or
// blanks; a name ending in "*" stands for every name it begins ("qs.*"), and "*" for all.
bool LogRulesMatch(std::string_view rules, std::string_view name);
// Switches every category on or off as `rules` say (see LogRulesMatch); null switches all off.
void EnableLogCategories(const char* rules);

// Where finished lines go: the text has no line end and no line break inside. The default
// writes "category: text" and a line end to standard error. A sink must not throw.
using LogSink = std::function<void(const LogCategory&, LogLevel, std::string_view)>;
// Replaces the sink (an empty one restores the default) and gives the one it replaces; done at
// start, before other threads log.
LogSink SetLogSink(LogSink sink);

// One line, built by << and handed to the sink when it ends. Line breaks in what is added
// are written as "\n" and "\r", so that a path holding one cannot split or forge a line.
class LogLine {
 public:
  LogLine(const LogCategory& category, LogLevel level) : category_(category), level_(level) {}
  ~LogLine();
  LogLine(const LogLine&) = delete;
  LogLine& operator=(const LogLine&) = delete;

  LogLine& operator<<(std::string_view text);
  LogLine& operator<<(char c) { return *this << std::string_view(&c, 1); }
  template <std::integral Number>
  LogLine& operator<<(Number number) {
    return *this << std::string_view(std::to_string(number));
  }

 private:
  const LogCategory& category_;
  LogLevel level_;
  std::string text_;
};

// The failure a caller passes over by design, logged as a warning "what 'path'"; gives false,
// so that `return LoggedFailure(...)` ends a function that fails.
bool LoggedFailure(const LogCategory& category, std::string_view what, std::string_view path);

}  // namespace qs::text

// QS_LOG_INFO(text::outputLog) << "erased '" << path << "'";
// Nothing after the macro is evaluated while the category is off.
#define QS_LOG_AT(category, level)                                      \
  for (bool qsLogOn = (category).IsEnabled(); qsLogOn; qsLogOn = false) \
  ::qs::text::LogLine((category), (level))
#define QS_LOG_INFO(category) QS_LOG_AT(category, ::qs::text::LogLevel::Info)
#define QS_LOG_WARNING(category) QS_LOG_AT(category, ::qs::text::LogLevel::Warning)
