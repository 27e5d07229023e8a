#include "ui/preview/caseinsensitivefiles.h"

#include <QDir>
#include <QFileInfo>

namespace qs::ui {

QString ResolvePathIgnoringCase(const QString& path) {
  if (path.isEmpty() || QFileInfo::exists(path)) return path;
  const QStringList parts = QDir::cleanPath(path).split('/');
  QString resolved = path.startsWith('/') ? QString("/") : QString();
  for (int i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    if (part.isEmpty()) continue;
    const QString candidate = resolved + part;
    if (QFileInfo::exists(candidate)) {
      resolved = candidate;
    } else {
      const QDir dir(resolved.isEmpty() ? QString(".") : resolved);
      QString match;
      for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
          match = entry;
          break;
        }
      }
      if (match.isEmpty()) return path;
      resolved += match;
    }
    if (i + 1 < parts.size()) resolved += '/';
  }
  return resolved;
}

}  // namespace qs::ui
