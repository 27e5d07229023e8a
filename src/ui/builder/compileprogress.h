#pragma once

#include <QSet>
#include <QString>

namespace qs::ui {

// How far the help compiler is, read from its output: of the pages the build wrote, those
// whose file name the output has named so far. Compilers name each file as they add it
// ("Note: Scanning file Index.html."); a page counts once, however often it is named.
class CompileProgress {
 public:
  // `log`: the build log, one full path per line; its HTML pages are the ones counted.
  explicit CompileProgress(const QString& log);

  int total() const { return total_; }
  int named() const { return total_ - static_cast<int>(waiting_.size()); }

  // Reads lines of output; true when they named a page for the first time.
  bool Read(const QString& lines);

 private:
  // Names a page when the text before an ".html" in the line ends with its file name.
  bool ReadLine(QStringView line);

  QSet<QString> waiting_;
  int total_ = 0;
};

}  // namespace qs::ui
