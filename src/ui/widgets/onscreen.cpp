#include "ui/widgets/onscreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace qs::ui {

namespace {

QMargins MeasuredFrame(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

QList<QRect> AvailableAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  // The primary screen first: a place on no screen at all goes there.
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    areas.removeOne(primary->availableGeometry());
    areas.prepend(primary->availableGeometry());
  }
  return areas;
}

int Overlap(const QRect& a, const QRect& b) {
  const QRect both = a.intersected(b);
  return both.isEmpty() ? 0 : both.width() * both.height();
}

bool Resizable(const QWidget& window) {
  return window.minimumSize() != window.maximumSize();
}

}  // namespace

QMargins FrameMargins(const QWidget& window) {
  if (window.isVisible() && !window.testAttribute(Qt::WA_DontShowOnScreen)) {
    const QMargins measured = MeasuredFrame(window);
    if (!measured.isNull()) return measured;
  }
  const QWidget* owner =
      window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
  if (owner != nullptr && owner->isVisible()) return MeasuredFrame(*owner);
  return {};
}

QRect Room(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  return screen->availableGeometry().marginsRemoved(FrameMargins(window));
}

QRect KeptOnScreens(QRect inner, const QMargins& frame, const QList<QRect>& screens,
                    QSize minimum) {
  if (screens.isEmpty()) return inner;
  QRect area = screens.front();
  int best = 0;
  for (const QRect& screen : screens) {
    const int overlap = Overlap(inner.marginsAdded(frame), screen);
    if (overlap > best) {
      best = overlap;
      area = screen;
    }
  }
  const QRect room = area.marginsRemoved(frame);
  inner.setSize(inner.size().boundedTo(room.size()).expandedTo(minimum));
  const int x = std::clamp(inner.left(), room.left(),
                           std::max(room.left(), room.right() + 1 - inner.width()));
  const int y =
      std::clamp(inner.top(), room.top(), std::max(room.top(), room.bottom() + 1 - inner.height()));
  inner.moveTopLeft({x, y});
  return inner;
}

std::optional<config::WindowPlace> PlaceOf(const QWidget& window) {
  const QRect inner =
      window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
  if (inner.isEmpty()) return std::nullopt;
  return config::WindowPlace{inner.x(), inner.y(), inner.width(), inner.height()};
}

void PutAt(QWidget& window, const config::WindowPlace& place) {
  QRect inner(place.x, place.y, place.width, place.height);
  if (!Resizable(window)) inner.setSize(window.size());
  inner.setSize(inner.size().expandedTo(window.minimumSize()).boundedTo(window.maximumSize()));
  window.setGeometry(
      KeptOnScreens(inner, FrameMargins(window), AvailableAreas(), window.minimumSize()));
}

void KeepOnScreen(QWidget& window) {
  if (window.isMaximized() || window.isFullScreen()) return;
  const QRect kept = KeptOnScreens(window.geometry(), FrameMargins(window), AvailableAreas(),
                                   window.minimumSize());
  if (kept == window.geometry()) return;
  const QMargins frame = FrameMargins(window);
  if (kept.size() != window.size()) window.resize(kept.size());
  // A window's position is that of its frame.
  window.move(kept.topLeft() - QPoint(frame.left(), frame.top()));
}

}  // namespace qs::ui
