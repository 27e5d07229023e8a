#include "ui/widgets/captionroom.h"

#include <QFontMetrics>
#include <QWidget>

namespace qs::ui {

int CaptionRoom(const QWidget& window) {
  QFont bold = window.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(window.windowTitle()) + 8 * metrics.height();
}

}  // namespace qs::ui
