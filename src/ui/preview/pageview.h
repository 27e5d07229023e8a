#pragma once

#include <QPointF>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <utility>

namespace qs::ui {

// A browser showing the preview's pages, as the windows use it. The web engine behind it lives
// in a module of its own that the program loads when the first browser is asked for
// (MakePageView), so that the program starts without loading the engine's libraries. It is a
// plain widget with virtual functions and callbacks rather than signals: the module and the
// program each hold a copy of this header's code, and only the vtable crosses between them.
class PageView : public QWidget {
 public:
  using QWidget::QWidget;

  // Shows the page at `url`.
  virtual void Load(const QUrl& url) = 0;
  // The address of the page shown (or being loaded).
  virtual QUrl Address() const = 0;
  // Whether the history has a page behind (or, with `forward`, ahead of) the one shown.
  virtual bool CanGo(bool forward) const = 0;
  // Goes back, or forward, in the history.
  virtual void Go(bool forward) = 0;
  // The page's scroll position.
  virtual QPointF ScrollPosition() const = 0;
  // Scrolls the page to `position`, then calls `done`.
  virtual void ScrollTo(const QPointF& position, std::function<void()> done) = 0;

  // Called when a page has finished loading, with whether it loaded.
  void OnLoaded(std::function<void(bool)> loaded) { loaded_ = std::move(loaded); }
  // Called when the address shown changes.
  void OnAddressChanged(std::function<void()> changed) { addressChanged_ = std::move(changed); }

 protected:
  void Loaded(bool ok) const {
    if (loaded_) loaded_(ok);
  }
  void AddressChanged() const {
    if (addressChanged_) addressChanged_();
  }

 private:
  std::function<void(bool)> loaded_;
  std::function<void()> addressChanged_;
};

}  // namespace qs::ui
