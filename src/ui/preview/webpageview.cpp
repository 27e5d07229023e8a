#include "ui/preview/webpageview.h"

#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

namespace qs::ui {

WebPageView::WebPageView(QWebEngineProfile* profile, QWidget* parent) : PageView(parent) {
  view_ = new QWebEngineView(profile, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);
  QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) { Loaded(ok); });
  QObject::connect(view_, &QWebEngineView::urlChanged, view_, [this] { AddressChanged(); });
}

void WebPageView::Load(const QUrl& url) {
  view_->setUrl(url);
}

QUrl WebPageView::Address() const {
  return view_->url();
}

bool WebPageView::CanGo(bool forward) const {
  QWebEngineHistory* history = view_->history();
  return forward ? history->canGoForward() : history->canGoBack();
}

void WebPageView::Go(bool forward) {
  if (forward) {
    view_->forward();
  } else {
    view_->back();
  }
}

QPointF WebPageView::ScrollPosition() const {
  return view_->page()->scrollPosition();
}

void WebPageView::ScrollTo(const QPointF& position, std::function<void()> done) {
  view_->page()->runJavaScript(
      QString("window.scrollTo(%1, %2);").arg(position.x()).arg(position.y()),
      [done = std::move(done)](const QVariant&) { done(); });
}

}  // namespace qs::ui
