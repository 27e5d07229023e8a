#include "ui/builder/compileprogress.h"

#include <QStringList>

namespace qs::ui {
namespace {

const QString kPage = QStringLiteral(".html");

// The file-name part of a path in either system's form.
QStringView FileName(QStringView path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.mid(slash + 1);
}

}  // namespace

CompileProgress::CompileProgress(const QString& log) {
  for (const QString& path : log.split(u'\n', Qt::SkipEmptyParts)) {
    if (path.endsWith(kPage, Qt::CaseInsensitive)) waiting_.insert(FileName(path).toString());
  }
  total_ = static_cast<int>(waiting_.size());
}

bool CompileProgress::Read(const QString& lines) {
  bool named = false;
  for (QStringView line : QStringView(lines).split(u'\n')) named = ReadLine(line) || named;
  return named;
}

bool CompileProgress::ReadLine(QStringView line) {
  bool named = false;
  for (qsizetype end = line.indexOf(kPage, 0, Qt::CaseInsensitive); end >= 0;
       end = line.indexOf(kPage, end + 1, Qt::CaseInsensitive)) {
    // A name may hold spaces: the longest run of words before ".html" that is a page counts.
    const QStringView before = FileName(line.left(end + kPage.size()));
    for (qsizetype start = 0;;) {
      if (waiting_.remove(before.mid(start).toString())) {
        named = true;
        break;
      }
      const qsizetype space = before.indexOf(u' ', start);
      if (space < 0) break;
      start = space + 1;
    }
  }
  return named;
}

}  // namespace qs::ui
