#include "ui/preview/previewscheme.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QOpenGLContext>
#include <QPointer>
#include <QSurfaceFormat>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <string_view>

#include "app/previewpages.h"
#include "ui/logging.h"
#include "ui/preview/caseinsensitivefiles.h"
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

// What the web engine would have done as the application object was made.
void MakeDeferredShareContext() {
  static bool made = false;
  if (deferredShareContext == nullptr || made) return;
  made = true;
  // Made before the screens existed, it has none yet.
  deferredShareContext->setScreen(QGuiApplication::primaryScreen());
  deferredShareContext->setFormat(QSurfaceFormat::defaultFormat());
  deferredShareContext->create();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QByteArray SchemeName() {
  return QByteArray(app::kPreviewScheme.data(), static_cast<qsizetype>(app::kPreviewScheme.size()));
}

// Goes before every page made from the project, as a second wall behind the request
// interceptor: the engine itself then refuses what the page would load from anywhere but this
// scheme (or inline bytes), while the page's own scripts and styles keep working. The parser
// places it in the page's head, and a later policy in the page can only narrow it.
constexpr char kPagePolicy[] =
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src preview: data: blob: "
    "'unsafe-inline' 'unsafe-eval'; form-action preview:\">";

// The host of a local file's folder (BrowserUrl): the pages of the program's own manual.
constexpr char kFolderHost[] = "folder";

// The type a file is served as. The browser shows a page or applies a style sheet only when
// told its type, and the system's type database may be missing: the types that matter come
// from the name, the rest from the database, and the browser recognises a picture by itself.
QByteArray MimeTypeOf(const QString& file) {
  static const QHash<QString, QByteArray> known = {
      {"html", "text/html"},     {"htm", "text/html"},     {"css", "text/css"},
      {"js", "text/javascript"}, {"svg", "image/svg+xml"}, {"png", "image/png"},
      {"gif", "image/gif"},      {"jpg", "image/jpeg"},    {"jpeg", "image/jpeg"}};
  const auto found = known.constFind(QFileInfo(file).suffix().toLower());
  if (found != known.constEnd()) return *found;
  const QString name = QMimeDatabase().mimeTypeForFile(file).name();
  return name.isEmpty() ? QByteArray("application/octet-stream") : name.toUtf8();
}

class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void Serve(QObject* owner, app::PreviewPages& pages) {
    owner_ = owner;
    pages_ = &pages;
  }
  void ServeFolder(const QString& folder) { folder_ = folder; }

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QUrl url = job->requestUrl();
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith('/')) path.remove(0, 1);
    if (url.host() == QLatin1String(kFolderHost)) {
      ReplyWithFile(job, folder_, path);
      return;
    }
    if (owner_.isNull()) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    if (auto page = pages_->Page(url.host().toStdString(), ToModel(path))) {
      auto* buffer = new QBuffer(job);
      buffer->setData(kPagePolicy + QByteArray::fromStdString(*page));
      job->reply("text/html", buffer);
      return;
    }
    ReplyWithFile(job, FromBytes(pages_->fileFolder()), path);
  }

 private:
  // The file at `path` below `folder`, its letter case ignored; never one that lies outside
  // it, whether by "..", by an absolute path or by a link.
  static void ReplyWithFile(QWebEngineUrlRequestJob* job, const QString& folder,
                            const QString& path) {
    const QString root = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty() || path.isEmpty()) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    const QString file =
        QFileInfo(ResolvePathIgnoringCase(QDir(root).filePath(path))).canonicalFilePath();
    if (file.isEmpty() || !file.startsWith(root + '/') || !QFileInfo(file).isFile()) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    auto* device = new QFile(file, job);
    if (!device->open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    job->reply(MimeTypeOf(file), device);
  }

  QPointer<QObject> owner_;
  app::PreviewPages* pages_ = nullptr;
  QString folder_;
};

// Every request of a page passes here, its top frame's included: only this scheme's
// addresses go through. "data:" and "blob:" hold bytes the page already has (an inline
// picture, what a script made), and "about:" is the empty page: none reaches anything
// outside the page, and authors use the first two.
class PreviewSeal : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QString scheme = info.requestUrl().scheme();
    if (scheme == QLatin1String(SchemeName()) || scheme == QLatin1String("data") ||
        scheme == QLatin1String("blob") || scheme == QLatin1String("about")) {
      return;
    }
    info.block(true);
    qCInfo(uiLog).noquote() << "preview refused" << info.requestUrl().toDisplayString();
  }
};

PreviewSchemeHandler* HandlerOf(QWebEngineProfile* profile) {
  return dynamic_cast<PreviewSchemeHandler*>(
      const_cast<QWebEngineUrlSchemeHandler*>(profile->urlSchemeHandler(SchemeName())));
}

// The pages to serve, kept until the profile is made: asking for the profile starts the web
// engine, which waits for the first browser.
struct PendingPages {
  QPointer<QObject> owner;
  app::PreviewPages* pages = nullptr;
};
PendingPages& Pending() {
  static PendingPages pending;
  return pending;
}
bool profileMade = false;

}  // namespace

void RegisterPreviewScheme() {
  if (QWebEngineUrlScheme::schemeByName(SchemeName()).name() == SchemeName()) return;
  QWebEngineUrlScheme scheme(SchemeName());
  // Host syntax keeps relative links working ("Other.html" from "preview://help/Page.html").
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  // Neither local nor allowed local access: the engine then refuses the pages every file
  // address, as it refuses a web site's.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl BrowserUrl(const std::string& target) {
  const std::string prefix = std::string(app::kPreviewScheme) + "://";
  if (target.rfind(prefix, 0) == 0) {
    const std::string_view rest = std::string_view(target).substr(prefix.size());
    const std::size_t slash = rest.find('/');
    QUrl url;
    url.setScheme(QString::fromLatin1(SchemeName()));
    url.setHost(QString::fromStdString(std::string(rest.substr(0, slash))));
    const std::string page =
        slash == std::string_view::npos ? std::string() : std::string(rest.substr(slash + 1));
    url.setPath('/' + FromModel(page), QUrl::DecodedMode);
    return url;
  }
  if (target.empty() || target == "about:blank") return QUrl("about:blank");
  const QFileInfo file(ResolvePathIgnoringCase(FromBytes(target)));
  HandlerOf(PreviewProfile())->ServeFolder(file.absolutePath());
  QUrl url;
  url.setScheme(QString::fromLatin1(SchemeName()));
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

QWebEngineProfile* PreviewProfile() {
  MakeDeferredShareContext();
  QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
  if (HandlerOf(profile) != nullptr) return profile;
  profileMade = true;
  auto* handler = new PreviewSchemeHandler(profile);
  if (!Pending().owner.isNull()) handler->Serve(Pending().owner, *Pending().pages);
  Pending() = {};
  profile->installUrlSchemeHandler(SchemeName(), handler);
  profile->setUrlRequestInterceptor(new PreviewSeal(profile));
  QWebEngineSettings* settings = profile->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
  // A file dropped on a page would replace it by that file.
  settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
  // Prefetched names reach the network without a request the seal sees; WebRTC would give
  // away this machine's own addresses; a link's ping is refused anyway.
  settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
  settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
  // A link to an address of another program ("mailto:") would start that program.
  settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
  // The pages have no icons: no browser asks for one.
  settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  return profile;
}

void ServePreviewPages(QObject* owner, app::PreviewPages& pages) {
  if (profileMade) {
    HandlerOf(PreviewProfile())->Serve(owner, pages);
    return;
  }
  Pending() = {owner, &pages};
}

}  // namespace qs::ui
