#include "ui/preview/previewscheme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPointer>
#include <QSurfaceFormat>
#include <string_view>

#include "app/previewpages.h"
#include "ui/preview/caseinsensitivefiles.h"
#include "ui/preview/webviews.h"
#include "ui/widgets/modeltext.h"

// Qt's context that every OpenGL context of the program shares, the web engine's included.
// Its functions have no public header; the web engine declares them the same way.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace qs::ui {

namespace {

// The shared context, given to Qt before the application object exists but made (with the
// system's OpenGL libraries loaded) only for the first browser.
QOpenGLContext* deferredShareContext = nullptr;

void DeleteDeferredShareContext() {
  if (qt_gl_global_share_context() == deferredShareContext) {
    qt_gl_set_global_share_context(nullptr);
  }
  delete deferredShareContext;
  deferredShareContext = nullptr;
}

QString SchemeName() {
  return QString::fromLatin1(app::kPreviewScheme.data(),
                             static_cast<qsizetype>(app::kPreviewScheme.size()));
}

// The host of a local file's folder (BrowserUrl): the pages of the program's own manual.
constexpr char kFolderHost[] = "folder";

// The file at `path` below `folder`, its letter case ignored; never one that lies outside it,
// whether by "..", by an absolute path or by a link.
QString FileBelow(const QString& folder, const QString& path) {
  const QString root = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
  if (root.isEmpty() || path.isEmpty()) return {};
  const QString file =
      QFileInfo(ResolvePathIgnoringCase(QDir(root).filePath(path))).canonicalFilePath();
  if (file.isEmpty() || !file.startsWith(root + '/') || !QFileInfo(file).isFile()) return {};
  return file;
}

// The pages of the project while their owner lives, and the folder of the last local file
// asked for.
class ProjectPageSource final : public PageSource {
 public:
  void Serve(QObject* owner, app::PreviewPages& pages) {
    owner_ = owner;
    pages_ = &pages;
  }
  void ServeFolder(const QString& folder) { folder_ = folder; }

  std::optional<QByteArray> Page(const QString& host, const QString& path) override {
    if (host == QLatin1String(kFolderHost) || owner_.isNull()) return std::nullopt;
    auto page = pages_->Page(host.toStdString(), ToModel(path));
    if (!page) return std::nullopt;
    return QByteArray::fromStdString(*page);
  }

  QString File(const QString& host, const QString& path) override {
    if (host == QLatin1String(kFolderHost)) return FileBelow(folder_, path);
    if (owner_.isNull()) return {};
    return FileBelow(FromBytes(pages_->fileFolder()), path);
  }

 private:
  QPointer<QObject> owner_;
  app::PreviewPages* pages_ = nullptr;
  QString folder_;
};

ProjectPageSource& Source() {
  static ProjectPageSource source;
  return source;
}

}  // namespace

QUrl BrowserUrl(const std::string& target) {
  const std::string prefix = std::string(app::kPreviewScheme) + "://";
  if (target.rfind(prefix, 0) == 0) {
    const std::string_view rest = std::string_view(target).substr(prefix.size());
    const std::size_t slash = rest.find('/');
    QUrl url;
    url.setScheme(SchemeName());
    url.setHost(QString::fromStdString(std::string(rest.substr(0, slash))));
    const std::string page =
        slash == std::string_view::npos ? std::string() : std::string(rest.substr(slash + 1));
    url.setPath('/' + FromModel(page), QUrl::DecodedMode);
    return url;
  }
  if (target.empty() || target == "about:blank") return QUrl("about:blank");
  const QFileInfo file(ResolvePathIgnoringCase(FromBytes(target)));
  Source().ServeFolder(file.absolutePath());
  QUrl url;
  url.setScheme(SchemeName());
  url.setHost(QLatin1String(kFolderHost));
  url.setPath('/' + file.fileName(), QUrl::DecodedMode);
  return url;
}

void DeferWebEngineStart() {
  if (qt_gl_global_share_context() != nullptr) return;
  // Present but not made: the web engine then leaves the making to us.
  deferredShareContext = new QOpenGLContext;
  qt_gl_set_global_share_context(deferredShareContext);
  qAddPostRoutine(DeleteDeferredShareContext);
}

void StartWebEngineGraphics() {
  static bool made = false;
  if (deferredShareContext == nullptr || made) return;
  made = true;
  // Made before the screens existed, it has none yet.
  deferredShareContext->setScreen(QGuiApplication::primaryScreen());
  deferredShareContext->setFormat(QSurfaceFormat::defaultFormat());
  deferredShareContext->create();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void ServePreviewPages(QObject* owner, app::PreviewPages& pages) {
  Source().Serve(owner, pages);
}

PageSource& PreviewSource() {
  return Source();
}

}  // namespace qs::ui
