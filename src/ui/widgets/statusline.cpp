#include "ui/widgets/statusline.h"

#include <QHelpEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>

namespace qs::ui {

namespace {

// The left margin QStatusBar gives its message, and the gap it keeps before a control.
constexpr int kMessageLeft = 6;
constexpr int kGap = 2;

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusLine");
  // A shortened message may get its whole text back when the room changes.
  connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

QRect StatusLine::MessageRect() const {
  int right = width() - 12;
  for (const QObject* child : children()) {
    const auto* control = qobject_cast<const QWidget*>(child);
    if (control == nullptr || !control->isVisible()) continue;
    // The controls of the bar all sit right of the message while one shows.
    right = std::min(right, control->x() - kGap);
  }
  return QRect(kMessageLeft, 0, std::max(right - kMessageLeft, 0), height());
}

bool StatusLine::messageElided() const {
  return !currentMessage().isEmpty() &&
         fontMetrics().horizontalAdvance(currentMessage()) > MessageRect().width();
}

void StatusLine::paintEvent(QPaintEvent* event) {
  if (currentMessage().isEmpty()) {
    QStatusBar::paintEvent(event);
    return;
  }
  // As QStatusBar paints itself, with the message shortened to its room.
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
  for (const QObject* child : children()) {
    const auto* control = qobject_cast<const QWidget*>(child);
    if (control == nullptr || !control->isVisible() || qobject_cast<const QSizeGrip*>(control)) {
      continue;
    }
    QStyleOption frame;
    frame.rect = control->geometry().adjusted(-2, -1, 2, 1);
    frame.palette = palette();
    frame.state = QStyle::State_None;
    style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, control);
  }
  const QRect room = MessageRect();
  painter.setPen(palette().windowText().color());
  painter.drawText(room, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(currentMessage(), Qt::ElideRight, room.width()));
}

bool StatusLine::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (messageElided() && MessageRect().contains(help->pos())) {
      QToolTip::showText(help->globalPos(), currentMessage(), this, MessageRect());
      return true;
    }
  }
  return QStatusBar::event(event);
}

}  // namespace qs::ui
