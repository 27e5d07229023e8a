#include "ui/caseinsensitivefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineProfile>

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

void CaseInsensitiveFiles::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QUrl url = info.requestUrl();
  if (!url.isLocalFile()) return;
  const QString path = url.toLocalFile();
  const QString real = ResolvePathIgnoringCase(path);
  if (real != path) info.redirect(QUrl::fromLocalFile(real));
}

}  // namespace qs::ui

namespace qs::ui {

void ResolveLocalFilesIgnoringCase(QWebEngineProfile* profile) {
  if (profile == nullptr || profile->findChild<CaseInsensitiveFiles*>() != nullptr) return;
  profile->setUrlRequestInterceptor(new CaseInsensitiveFiles(profile));
}

}  // namespace qs::ui
