#include "ui/previewscheme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPointer>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <string_view>

#include "app/previewpages.h"
#include "ui/caseinsensitivefiles.h"
#include "ui/modeltext.h"

namespace qs::ui {

namespace {

QByteArray SchemeName() {
  return QByteArray(app::kPreviewScheme.data(), static_cast<qsizetype>(app::kPreviewScheme.size()));
}

class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void Serve(QObject* owner, app::PreviewPages& pages) {
    owner_ = owner;
    pages_ = &pages;
  }

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    if (owner_.isNull()) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    const QUrl url = job->requestUrl();
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith('/')) path.remove(0, 1);
    if (auto page = pages_->Page(url.host().toStdString(), ToModel(path))) {
      auto* buffer = new QBuffer(job);
      buffer->setData(QByteArray::fromStdString(*page));
      job->reply("text/html", buffer);
      return;
    }
    ReplyWithFile(job, path);
  }

 private:
  void ReplyWithFile(QWebEngineUrlRequestJob* job, const QString& path) {
    const QString folder = FromBytes(pages_->fileFolder());
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (folder.isEmpty() || root.isEmpty() || path.isEmpty()) {
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
    job->reply(QMimeDatabase().mimeTypeForFile(file).name().toUtf8(), device);
  }

  QPointer<QObject> owner_;
  app::PreviewPages* pages_ = nullptr;
};

}  // namespace

void RegisterPreviewScheme() {
  if (QWebEngineUrlScheme::schemeByName(SchemeName()).name() == SchemeName()) return;
  QWebEngineUrlScheme scheme(SchemeName());
  // Host syntax keeps relative links working ("Other.html" from "preview://help/Page.html").
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::LocalAccessAllowed);
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
  return QUrl::fromLocalFile(ResolvePathIgnoringCase(FromBytes(target)));
}

void ServePreviewPages(QWebEngineProfile* profile, QObject* owner, app::PreviewPages& pages) {
  if (profile == nullptr) return;
  auto* handler = dynamic_cast<PreviewSchemeHandler*>(
      const_cast<QWebEngineUrlSchemeHandler*>(profile->urlSchemeHandler(SchemeName())));
  if (handler == nullptr) {
    handler = new PreviewSchemeHandler(profile);
    profile->installUrlSchemeHandler(SchemeName(), handler);
  }
  handler->Serve(owner, pages);
  // The pages have no icons: no browser asks for one.
  profile->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
}

}  // namespace qs::ui
