#pragma once

#include <QProxyStyle>

namespace qs::ui {

// The style the program's windows are drawn in: the desktop's own, except that the picture of
// the menu bar's overflow button, which every menu bar makes as it is made, is drawn only when
// first shown. Qt reads that picture as an image file, and the first image read opens every
// image-format plugin installed, work the window's start has no need for: its menu bar is
// short enough never to overflow.
class ProgramStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace qs::ui
