#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace qs::ui {

// How a control follows its parent when the parent changes size.
enum Anchor : unsigned {
  kStay = 0,
  kStretchAcross = 1,  // the width grows with the parent
  kStretchDown = 2,    // the height grows with the parent
  kMoveRight = 4,      // keeps its distance to the right edge
  kMoveDown = 8,       // keeps its distance to the bottom edge
  kStretch = kStretchAcross | kStretchDown,
};

// Places the controls of one parent by their rules. The parent's size when Capture() runs is
// the size the controls' places were given for; every later resize moves and stretches them
// by the difference.
class Anchors : public QObject {
 public:
  explicit Anchors(QWidget* parent);

  void Add(QWidget* control, unsigned rule);
  void Capture();
  // The same for a parent that is hidden now but will have `size`, as the pages of a tab panel.
  void Capture(QSize size);
  void Apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QWidget* control;
    unsigned rule;
    QRect designed;
  };
  QWidget* parent_;
  QSize designSize_;
  bool captured_ = false;
  std::vector<Entry> entries_;
};

}  // namespace qs::ui
