#include "ui/preview/previewprofile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include "app/previewpages.h"
#include "ui/preview/webviews.h"

namespace qs::ui {

namespace {

// The program's own category for the window's side of the log (ui/logging.h): the module
// cannot reach the program's, and a category is known by its name.
Q_LOGGING_CATEGORY(webViewsLog, "qs.ui", QtWarningMsg)

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
  PreviewSchemeHandler(PageSource& source, QObject* parent)
      : QWebEngineUrlSchemeHandler(parent), source_(source) {}

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QUrl url = job->requestUrl();
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith('/')) path.remove(0, 1);
    if (auto page = source_.Page(url.host(), path)) {
      auto* buffer = new QBuffer(job);
      buffer->setData(kPagePolicy + *page);
      job->reply("text/html", buffer);
      return;
    }
    const QString file = source_.File(url.host(), path);
    if (file.isEmpty()) {
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

 private:
  PageSource& source_;
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
    qCInfo(webViewsLog).noquote() << "preview refused" << info.requestUrl().toDisplayString();
  }
};

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

QWebEngineProfile* PreviewProfile(PageSource& source) {
  QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
  if (profile->urlSchemeHandler(SchemeName()) != nullptr) return profile;
  profile->installUrlSchemeHandler(SchemeName(), new PreviewSchemeHandler(source, profile));
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

}  // namespace qs::ui
