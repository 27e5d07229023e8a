#pragma once

#include <QString>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

namespace qs::ui {

// The path of an existing file or folder whose name differs from `path` only in letter case,
// component by component; `path` itself when it exists or nothing matches. A compiled help
// file finds its pages that way, so the preview must too ("index.html" reaches "Index.html").
QString ResolvePathIgnoringCase(const QString& path);

// Redirects every local file the preview asks for to its real name.
class CaseInsensitiveFiles : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// Gives `profile` one such interceptor for its whole life; a second call changes nothing. The
// main window's browser and every preview window share the profile, so the interceptor must
// not belong to any one of their views.
void ResolveLocalFilesIgnoringCase(QWebEngineProfile* profile);

}  // namespace qs::ui
