#pragma once

// Drives the windows that run their own wait loop (preview, builder, requesters, message
// boxes) from inside it: a step waits, without blocking anything, until its window is the
// active modal one and ready, then acts on it. Steps never block while waiting, so a window
// whose work is still running underneath (the compiler) can finish.

#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "ui/preview/pageview.h"

namespace qs::uitest {

// Runs `act` on the active modal window (or the shown window named so) once it has `objectName`
// (empty: any) and `ready` holds for it. Gives up after `seconds`; `act` then never runs and the
// caller's check fails.
template <typename Window>
void WhenModal(const char* objectName, std::function<bool(Window*)> ready,
               std::function<void(Window*)> act, int seconds = 60) {
  auto* timer = new QTimer(qApp);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    // A window that is modal only in effect (the preview) is found by its name.
    if (window == nullptr && objectName[0] != '\0') {
      for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->isVisible() && shown->objectName() == QLatin1String(objectName)) {
          window = qobject_cast<Window*>(shown);
        }
      }
    }
    const bool named = window != nullptr &&
                       (objectName[0] == '\0' || window->objectName() == QLatin1String(objectName));
    if (named && (!ready || ready(window))) {
      timer->stop();
      timer->deleteLater();
      act(window);
    } else if (std::chrono::steady_clock::now() > deadline) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(20);
}

template <typename Window>
void WhenModal(const char* objectName, std::function<void(Window*)> act) {
  WhenModal<Window>(objectName, nullptr, std::move(act));
}

// Waits, with the event loop running, until `done` holds; false after `seconds`.
inline bool WaitFor(const std::function<bool()>& done, int seconds = 20) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// The web engine's view of a browser of the windows (a PageView holds one).
inline QWebEngineView* EngineView(QWidget* browser) {
  if (auto* view = qobject_cast<QWebEngineView*>(browser)) return view;
  return browser != nullptr ? browser->findChild<QWebEngineView*>() : nullptr;
}

// The result of a script run in the page of `browser`.
inline QVariant RunScript(QWidget* browser, const QString& script) {
  QWebEngineView* view = EngineView(browser);
  // Shared with the callback, which may come after a wait that gave up.
  auto answer = std::make_shared<std::optional<QVariant>>();
  view->page()->runJavaScript(script, [answer](const QVariant& value) { *answer = value; });
  WaitFor([&] { return answer->has_value(); }, 10);
  return answer->value_or(QVariant());
}

// Waits until `browser` shows a page titled `title` and has finished loading it.
inline bool WaitForPage(QWidget* browser, const QString& title) {
  QWebEngineView* view = EngineView(browser);
  return WaitFor([&] {
    return view->title() == title &&
           RunScript(view, "document.readyState").toString() == "complete";
  });
}

}  // namespace qs::uitest
