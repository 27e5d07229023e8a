// A page in the preview window, in the view mode or in the live pane is a library's help string
// or a shared project's text, so it is treated as hostile: it tries every way to read a file
// outside the help folder and to reach another machine, and none may work, while the help
// folder's pictures and the page's own scripts still do.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <QWebEngineView>
#include <functional>

#include "modaldriver.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewwindow.h"
#include "ui/widgets/modeltext.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::RunScript;
using uitest::WaitFor;
using uitest::WaitForPage;

// In the canary files only: their names and the page never hold it.
constexpr char kSecret[] = "Canary-Secret-5e1d";

// The author's private files, outside the help folder: a text, a picture, a style sheet that
// would show itself on the page, and a page that would hand its text to whatever frames it.
struct Canary {
  QTemporaryDir folder;

  Canary() {
    Write("canary.txt", QByteArray(kSecret) + "\n");
    Write("canary.css", "#probe { width: 77px; }\n");
    Write("canary.html", QByteArray("<html><head><title>") + kSecret + "</title></head><body>" +
                             kSecret +
                             "<script>parent.postMessage(document.body.innerText, '*');</script>"
                             "</body></html>\n");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(folder.filePath("canary.png"));
  }
  void Write(const char* name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  }
  QString Url(const char* name) const { return QUrl::fromLocalFile(folder.filePath(name)).url(); }
};

// A server on this machine standing for any other: it counts who comes and answers every
// request with a text of its own, which must not reach the page either.
constexpr char kRemoteReply[] = "Remote-Reply-91c4";

struct Listener {
  QTcpServer server;
  int connections = 0;

  Listener() {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
      while (QTcpSocket* socket = server.nextPendingConnection()) {
        ++connections;
        socket->setParent(&server);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
          socket->readAll();
          socket->write(QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                                   "Access-Control-Allow-Origin: *\r\nConnection: close\r\n"
                                   "Content-Length: ") +
                        QByteArray::number(qsizetype(sizeof kRemoteReply) - 1) + "\r\n\r\n" +
                        kRemoteReply);
          socket->disconnectFromHost();
        });
      }
    });
  }
  QString Url(const char* path) const {
    return QString("http://127.0.0.1:%1/%2").arg(server.serverPort()).arg(path);
  }
};

// Addresses relative to a page that would leave the help folder `help` for the canary's
// folder if the preview let them: "..", "." and "/" percent-encoded, an absolute path, a link
// to the folder and links to its files planted in the help folder.
QStringList WaysOut(const QString& help, const Canary& canary) {
  const QString folder = canary.folder.path();
  const QString up = QDir(help).relativeFilePath(folder) + '/';
  QDir().mkpath(help + "/planted");
  for (const char* name : {"canary.png", "canary.html"}) {
    QFile::link(canary.folder.filePath(name), help + "/planted/" + name);
  }
  QFile::link(folder, help + "/outside");
  return {up,
          QString(up).replace("..", "%2e%2e"),
          QString(up).replace('/', "%2f"),
          "/" + QString(folder + '/').replace('/', "%2f"),
          "planted/",
          "outside/"};
}

// The description a hostile library could carry: each way out reports into `seal`.
QString HostilePage(const Canary& canary, const Listener& listener, const QStringList& waysOut) {
  QString escapes;
  for (const QString& way : waysOut) {
    escapes += QString(
                   "<img class=escape src=\"%1canary.png\"><iframe src=\"%1canary.html\">"
                   "</iframe>")
                   .arg(way);
  }
  return escapes +
         QString(
             "<div id=probe></div><img id=pic src=\"pic.PNG\"><img id=filepic src=\"%1\">"
             "<img id=inlinepic src=\"data:image/gif;base64,"
             "R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7\">"
             "<img id=remotepic src=\"%2\"><link rel=stylesheet href=\"%3\">"
             "<link rel=stylesheet href=\"%4\"><iframe src=\"%5\"></iframe>"
             "<iframe src=\"%6\"></iframe><script>"
             "var seal = {inline: 'ran', messages: ''};"
             "addEventListener('message', function (e) { seal.messages += String(e.data); });"
             "function put(k) { return function (v) { seal[k] = String(v); }; }"
             "function refused(k) { return function () { seal[k] = 'refused'; }; }"
             "function get(k, u) { fetch(u).then(function (r) { return r.text(); })"
             "  .then(put(k), refused(k)); }"
             "function xhr(k, u) { try { var x = new XMLHttpRequest(); x.open('GET', u);"
             "  x.onload = function () { seal[k] = x.responseText; };"
             "  x.onerror = refused(k); x.send(); } catch (e) { seal[k] = 'refused'; } }"
             "get('fetchFile', '%7'); get('fetchRemote', '%8');"
             "xhr('xhrFile', '%7'); xhr('xhrRemote', '%8');"
             "try { var w = new WebSocket('%9'); w.onopen = put('socket');"
             "  w.onerror = refused('socket'); } catch (e) { seal.socket = 'refused'; }"
             "try { navigator.sendBeacon('%8', 'beacon'); } catch (e) {}"
             "</script>")
             .arg(canary.Url("canary.png"), listener.Url("remote.png"), canary.Url("canary.css"),
                  listener.Url("remote.css"), canary.Url("canary.html"), listener.Url("frame.html"),
                  canary.Url("canary.txt"), listener.Url("data"),
                  QString(listener.Url("socket")).replace("http:", "ws:"));
}

// What the page got, once every attempt has ended.
QJsonObject Outcome(QWidget* view) {
  const auto settled = [view] {
    return RunScript(view,
                     "document.readyState == 'complete' && typeof seal == 'object' &&"
                     "['fetchFile', 'fetchRemote', 'xhrFile', 'xhrRemote', 'socket']"
                     ".every(function (k) { return k in seal; })")
        .toBool();
  };
  WaitFor(settled, 20);
  // A frame that did load would have posted its text by now.
  QTest::qWait(500);
  const QString json =
      RunScript(
          view,
          "JSON.stringify({seal: typeof seal == 'object' ? seal : {},"
          "pic: pic.naturalWidth, inlinepic: inlinepic.naturalWidth, filepic: filepic.naturalWidth,"
          "remotepic: remotepic.naturalWidth, probe: probe.offsetWidth,"
          "escapes: [].map.call(document.querySelectorAll('.escape'),"
          "  function (i) { return i.naturalWidth; }).join(' '),"
          "page: document.documentElement.innerText})")
          .toString();
  return QJsonDocument::fromJson(json.toUtf8()).object();
}

void ExpectSealed(QWidget* browser, const QString& title, const Listener& listener,
                  const Canary& canary) {
  QWebEngineView* view = uitest::EngineView(browser);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitForPage(view, title));
  const QJsonObject outcome = Outcome(view);
  const QString all = QString::fromUtf8(QJsonDocument(outcome).toJson());
  EXPECT_FALSE(all.contains(kSecret)) << all.toStdString();
  EXPECT_FALSE(all.contains(kRemoteReply)) << all.toStdString();
  const QJsonObject seal = outcome["seal"].toObject();
  EXPECT_EQ(seal["inline"].toString().toStdString(), "ran") << "the page's own script runs";
  EXPECT_EQ(outcome["pic"].toInt(), 8) << "the help folder's picture shows";
  EXPECT_EQ(outcome["inlinepic"].toInt(), 1) << "an inline picture shows";
  for (const char* refusedWay : {"fetchFile", "fetchRemote", "xhrFile", "xhrRemote", "socket"}) {
    EXPECT_EQ(seal[refusedWay].toString().toStdString(), "refused") << refusedWay;
  }
  EXPECT_EQ(outcome["filepic"].toInt(), 0) << "a local picture";
  EXPECT_EQ(outcome["remotepic"].toInt(), 0) << "a remote picture";
  EXPECT_NE(outcome["probe"].toInt(), 77) << "a local style sheet";
  EXPECT_EQ(outcome["escapes"].toString().toStdString(), "0 0 0 0 0 0")
      << "pictures outside the help folder";

  // The page leaving for a local file, or for another machine, goes nowhere.
  const QUrl start = view->url();
  RunScript(view, QString("location.href = '%1'; 0").arg(canary.Url("canary.html")));
  QTest::qWait(1000);
  EXPECT_NE(view->title().toStdString(), kSecret);
  EXPECT_FALSE(
      RunScript(view, "document.body ? document.body.innerText : ''").toString().contains(kSecret));
  view->setUrl(start);
  ASSERT_TRUE(WaitForPage(view, title));
  RunScript(view, QString("location.href = '%1'; 0").arg(listener.Url("away")));
  QTest::qWait(1000);
  EXPECT_EQ(listener.connections, 0) << "nothing reached the server";
}

enum class Surface { PreviewWindow, ViewMode, LivePane };

class PreviewSeal : public ::testing::TestWithParam<Surface> {};

TEST_P(PreviewSeal, aHostilePageReadsNoLocalFileAndReachesNoOtherMachine) {
  const Canary canary;
  ASSERT_TRUE(canary.folder.isValid());
  Listener listener;
  ASSERT_TRUE(listener.server.isListening());

  uitest::WiredWindow app(true);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.Path("help"))));
  app.ExtractSample(app.Path("help/"));
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(app.Path("help/Pic.png"))));
  app.SelectRow(1);
  const QString title = FromModel(app.project.FindTopic(app.project.ItemText(1))->title);
  // Typed into the form, as the description of a function arrives from its library.
  app.window->projectTab().bodyEditor->setPlainText(
      HostilePage(canary, listener, WaysOut(QString::fromStdString(app.Path("help")), canary)));

  bool checked = false;
  switch (GetParam()) {
    case Surface::PreviewWindow:
      uitest::WhenModal<PreviewWindow>("PreviewWindow", [&](PreviewWindow* preview) {
        ExpectSealed(preview->browser, title, listener, canary);
        checked = true;
        preview->endButton->click();
      });
      app.window->activateWindow();
      app.window->projectTab().topicListView->setFocus();
      QTest::keyClick(app.window->projectTab().topicListView, Qt::Key_F1);
      break;
    case Surface::ViewMode:
      app.window->projectTab().editViewButton->click();
      ExpectSealed(app.window->projectTab().previewBrowser, title, listener, canary);
      checked = true;
      break;
    case Surface::LivePane:
      app.window->projectTab().livePaneButton->click();
      ASSERT_TRUE(app.window->projectTab().livePane->isVisible());
      ExpectSealed(app.window->projectTab().livePane->view(), title, listener, canary);
      checked = true;
      break;
  }
  EXPECT_TRUE(checked);
  EXPECT_EQ(listener.connections, 0);
}

INSTANTIATE_TEST_SUITE_P(EverySurface, PreviewSeal,
                         ::testing::Values(Surface::PreviewWindow, Surface::ViewMode,
                                           Surface::LivePane),
                         [](const ::testing::TestParamInfo<Surface>& info) {
                           switch (info.param) {
                             case Surface::PreviewWindow:
                               return "previewWindow";
                             case Surface::ViewMode:
                               return "viewMode";
                             case Surface::LivePane:
                               return "livePane";
                           }
                           return "";
                         });

}  // namespace
}  // namespace qs::ui
