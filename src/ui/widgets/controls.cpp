#include "ui/widgets/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>
#include <set>
#include <utility>
#include <vector>

#include "ui/widgets/formeditor.h"

namespace qs::ui::controls {

namespace {

// A button face filled with `face`. A flat button has a thin frame, a raised one an outset
// edge. With the keyboard focus the frame turns into a strong dark one, which the style sheet
// would otherwise leave out. The padding keeps the caption in place when the frame changes.
QString FaceSheet(const QColor& face, bool flat) {
  const QString edge =
      flat ? "border: 1px solid rgb(160, 160, 160); padding: 2px 6px;"
           : QString("border: 2px outset %1; padding: 1px 5px;").arg(Rgb(face.lighter(112)));
  return QString(
             "QPushButton { background-color: %1; %2 }"
             " QPushButton:pressed, QPushButton:checked { background-color: %3; }"
             " QPushButton:focus { border: 2px solid %4; padding: 1px 5px; }"
             " QPushButton:disabled { color: rgb(150, 150, 150); }")
      .arg(Rgb(face), edge, Rgb(face.darker(118)), Rgb(kDarkBlue));
}

// Draws a frame's caption in dark green and leaves the rest to the program's style. A style
// sheet would do the same, but it puts every control inside the frame under a style of its
// own, worked out control by control as the window opens.
class GreenCaptionStyle : public QProxyStyle {
 public:
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    // Styles take the caption's colour from the option's text colour or from the palette.
    QStyleOptionGroupBox green(*frame);
    green.textColor = kDarkGreen;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      green.palette.setColor(group, QPalette::WindowText, kDarkGreen);
    }
    QProxyStyle::drawComplexControl(control, &green, painter, widget);
  }
};

// The one caption style, made when the first frame needs it and kept for the program's life.
QStyle* CaptionStyle() {
  static auto* style = [] {
    auto* made = new GreenCaptionStyle;
    made->setParent(qApp);
    return made;
  }();
  return style;
}

// The style sheets waiting for the open batches to close, and how many are open.
struct PendingSheets {
  int open = 0;
  std::vector<std::pair<QPointer<QWidget>, QString>> sheets;
};

PendingSheets& Pending() {
  static PendingSheets pending;
  return pending;
}

void SetSheet(QWidget* control, const QString& sheet) {
  PendingSheets& pending = Pending();
  if (pending.open == 0) {
    control->setStyleSheet(sheet);
  } else {
    pending.sheets.emplace_back(control, sheet);
  }
}

}  // namespace

SheetBatch::SheetBatch() {
  ++Pending().open;
}

SheetBatch::~SheetBatch() {
  PendingSheets& pending = Pending();
  if (--pending.open > 0) return;
  // Taken out first: a control that makes controls of its own when styled starts afresh.
  auto sheets = std::move(pending.sheets);
  pending.sheets.clear();
  std::set<QWidget*> outers;
  for (auto& [control, sheet] : sheets) {
    if (!control) continue;
    control->setStyleSheet(sheet);
    for (QWidget* outer = control->parentWidget(); outer != nullptr;
         outer = outer->parentWidget()) {
      if (!outers.insert(outer).second) break;
    }
  }
  // A control not shown yet does not tell the widgets and layouts around it that its size
  // changed: they, and the rows and grids nested in them, would keep the sizes they worked out
  // for it before it had its face.
  for (QWidget* outer : outers) {
    outer->updateGeometry();
    QLayout* layout = outer->layout();
    if (layout == nullptr) continue;
    layout->invalidate();
    for (QLayout* inner : layout->findChildren<QLayout*>()) inner->invalidate();
  }
}

QString Rgb(const QColor& colour) {
  return QString("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QPushButton* Button(const char* name, const QString& caption, const QString& tooltip,
                    const QColor& face, bool flat) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setToolTip(tooltip);
  button->setFlat(flat);
  button->setAutoDefault(false);
  SetSheet(button, FaceSheet(face, flat));
  button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  return button;
}

// A button whose face shows no word gets its Alt key this way; the tooltip names it.
void GiveKey(QAbstractButton* button, QKeyCombination key) {
  const QKeySequence sequence(key);
  button->setShortcut(sequence);
  button->setToolTip(button->toolTip() + " [" + sequence.toString(QKeySequence::NativeText) + "]");
}

QPushButton* GlyphButton(const char* name, const QIcon& icon, const QString& tooltip,
                         const QString& accessibleName, const QColor& face) {
  QPushButton* button = Button(name, QString(), tooltip, face, true);
  button->setIcon(icon);
  button->setAccessibleName(accessibleName);
  return button;
}

QGroupBox* Group(const char* name, const QString& caption, bool darkGreenCaption) {
  auto* group = new QGroupBox(caption);
  group->setObjectName(name);
  // The frame's own style: the colour stays with this frame and reaches no control inside it.
  if (darkGreenCaption) group->setStyle(CaptionStyle());
  return group;
}

QLineEdit* Field(const char* name, const QString& tooltip, bool readOnly) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setToolTip(tooltip);
  field->setReadOnly(readOnly);
  return field;
}

void ClearButtonOnFirstText(QLineEdit* field) {
  auto* once = new QObject(field);
  QObject::connect(field, &QLineEdit::textChanged, once, [field, once](const QString& text) {
    if (text.isEmpty()) return;
    field->setClearButtonEnabled(true);
    once->deleteLater();
  });
}

// Text in `text` on `base` while usable; a disabled control keeps the style's grey.
void Colours(QWidget* control, const QColor& text, const QColor& base) {
  QPalette palette = control->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::Base, base);
  }
  control->setPalette(palette);
}

FormEditor* Editor(const char* name, const QString& placeholder, int minimumLines,
                   int preferredLines, bool tabTypesTab) {
  auto* editor = new FormEditor(minimumLines, preferredLines, tabTypesTab);
  editor->setObjectName(name);
  editor->setPlaceholderText(placeholder);
  editor->setToolTip(placeholder);
  Colours(editor, kDarkBlue, Qt::white);
  return editor;
}

// A group box holding one control.
QGroupBox* Framed(QGroupBox* group, QWidget* control) {
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(control);
  return group;
}

QComboBox* DropDown(const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->setEditable(false);
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  list->setMinimumContentsLength(12);
  return list;
}

QLabel* Caption(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

}  // namespace qs::ui::controls
