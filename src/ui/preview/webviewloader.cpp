#include "ui/preview/webviewloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "ui/logging.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/webviews.h"

namespace qs::ui {

QString WebViewsModule(const QString& programFolder) {
  const QDir folder(programFolder);
  for (const QString& candidate :
       {folder.filePath(QS_WEBVIEWS_FILE),
        folder.filePath(QStringLiteral(QS_WEBVIEWS_INSTALLED "/" QS_WEBVIEWS_FILE))}) {
    if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
  }
  return {};
}

WebViews* LoadWebViews(const QString& file, QString& error) {
  // Never unloaded: the browsers and the engine's threads run its code until the program ends.
  auto* library = new QLibrary(file, QCoreApplication::instance());
  auto entry = reinterpret_cast<WebViewsEntry>(library->resolve(kWebViewsEntry));
  if (entry == nullptr) {
    error = library->errorString();
    delete library;
    return nullptr;
  }
  return entry(&PreviewSource());
}

PageView* MakePageView(QWidget* parent) {
  static WebViews* views = [] {
    QString error;
    const QString file = WebViewsModule(QCoreApplication::applicationDirPath());
    WebViews* loaded = file.isEmpty() ? nullptr : LoadWebViews(file, error);
    if (loaded == nullptr) {
      qCWarning(uiLog).noquote() << "no web view:"
                                 << (file.isEmpty() ? "the module " QS_WEBVIEWS_FILE " is missing"
                                                    : error);
    }
    return loaded;
  }();
  if (views == nullptr) return nullptr;
  StartWebEngineGraphics();
  return views->MakeView(parent);
}

}  // namespace qs::ui
