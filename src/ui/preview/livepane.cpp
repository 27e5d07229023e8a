#include "ui/preview/livepane.h"

#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <algorithm>

#include "ui/preview/previewscheme.h"

namespace qs::ui {

LivePane::LivePane(QWidget* parent) : QWidget(parent) {
  setObjectName("LivePane");
  view = new QWebEngineView(PreviewProfile(), this);
  view->setObjectName("LivePaneBrowser");
  view->setUrl(QUrl("about:blank"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  connect(pause_, &QTimer::timeout, this, [this] {
    if (isVisible()) emit refreshDue();
  });
  connect(view, &QWebEngineView::loadFinished, this, [this](bool ok) {
    if (!restoreScroll_) {
      emit pageShown(ok);
      return;
    }
    restoreScroll_ = false;
    view->page()->runJavaScript(
        QString("window.scrollTo(%1, %2);").arg(keepScroll_.x()).arg(keepScroll_.y()),
        [this, ok](const QVariant&) { emit pageShown(ok); });
  });
}

void LivePane::SetOpen(bool open) {
  if (isVisibleTo(window()) == open) return;
  setVisible(open);
  QWidget* top = window();
  if (!open) {
    // The window gives back what it grew by for the pane.
    if (grown_ > 0 && !top->isMaximized() && !top->isFullScreen()) {
      top->resize(std::max(top->width() - grown_, top->minimumWidth()), top->height());
    }
    grown_ = 0;
    return;
  }
  auto* splitter = qobject_cast<QSplitter*>(parentWidget());
  if (splitter == nullptr || splitter->count() < 2) return;
  QList<int> sizes = splitter->sizes();
  const qsizetype self = sizes.size() - 1;
  const qsizetype form = self - 1;
  int grow = 0;
  if (!top->isMaximized() && !top->isFullScreen() && top->screen() != nullptr) {
    const int room = top->screen()->availableGeometry().width() - top->frameGeometry().width();
    grow = std::clamp(std::max(sizes[form], kMinimumWidth) - sizes[self], 0, std::max(room, 0));
    top->resize(top->width() + grow, top->height());
    grown_ = grow;
  }
  // Without room enough the two share it, the pane at least half.
  const int shared = sizes[form] + sizes[self] + grow;
  sizes[form] = std::min(sizes[form], shared - shared / 2);
  sizes[self] = shared - sizes[form];
  splitter->setSizes(sizes);
}

void LivePane::Show(const QUrl& url) {
  restoreScroll_ = url == shown_ && url.scheme() != "about";
  if (restoreScroll_) keepScroll_ = view->page()->scrollPosition();
  shown_ = url;
  view->setUrl(url);
}

void LivePane::FormEdited() {
  if (isVisible()) pause_->start(kPause);
}

void LivePane::FormReplaced() {
  if (isVisible()) pause_->start(0);
}

}  // namespace qs::ui
