#include "ui/designfont.h"

#include <QApplication>
#include <QFont>

namespace qs::ui {

void UseDesignFont(QApplication& application) {
  constexpr qreal kDesignPointSize = 8.0;
  QFont font = application.font();
  if (font.pointSizeF() > kDesignPointSize) {
    font.setPointSizeF(kDesignPointSize);
    application.setFont(font);
  }
}

}  // namespace qs::ui
