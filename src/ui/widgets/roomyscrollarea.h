#pragma once

#include <QScrollArea>

namespace qs::ui {

// A scroll area around a page of controls that asks for all the room the page needs: where
// the window can give it, nothing scrolls and the page keeps its layout; given less (a small
// screen, a large font), the page scrolls instead of having controls cut off or squeezed.
class RoomyScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit RoomyScrollArea(QWidget* page, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSize Around(QSize pageSize) const;
};

}  // namespace qs::ui
