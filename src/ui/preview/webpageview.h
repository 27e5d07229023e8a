#pragma once

#include "ui/preview/pageview.h"

class QWebEngineProfile;
class QWebEngineView;

namespace qs::ui {

// The web-view module's browser: a web engine view of `profile` filling the widget, which
// passes the focus on to it.
class WebPageView final : public PageView {
 public:
  WebPageView(QWebEngineProfile* profile, QWidget* parent);

  void Load(const QUrl& url) override;
  QUrl Address() const override;
  bool CanGo(bool forward) const override;
  void Go(bool forward) override;
  QPointF ScrollPosition() const override;
  void ScrollTo(const QPointF& position, std::function<void()> done) override;

 private:
  QWebEngineView* view_ = nullptr;
};

}  // namespace qs::ui
