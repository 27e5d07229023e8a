#include "ui/widgets/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>
#include <memory>

#include "ui/widgets/formeditor.h"

namespace qs::ui::controls {

namespace {

// Draws a frame's border as the program's style does, from a picture kept for each size and
// look. A frame round much of the window is painted again for every small change inside it
// that shows through (a field's rounded corners, a scroll bar coming or going), and the desktop
// style scales its border picture over the whole frame each time; copying the part asked for
// costs a fraction of that. Blended onto the window from the picture, a pixel of the border's
// edge may come out one shade off the direct drawing. The caption is drawn as before, straight
// onto the window. A frame whose picture would take more than a quarter of the picture cache is
// drawn directly: large frames on a dense screen would push each other out of the cache and be
// drawn whole on every repaint.
class FrameStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const qreal ratio = painter->device()->devicePixelRatio();
    const QSize pixels = option->rect.size() * ratio;
    const qint64 kilobytes = qint64{pixels.width()} * pixels.height() * 4 / 1024;
    if (element != PE_FrameGroupBox || option->rect.isEmpty() ||
        painter->transform().type() > QTransform::TxTranslate ||
        kilobytes > QPixmapCache::cacheLimit() / 4) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const QString key = Key(*option, ratio, widget);
    QPixmap border;
    if (!QPixmapCache::find(key, &border)) {
      border = QPixmap(pixels);
      border.setDevicePixelRatio(ratio);
      border.fill(Qt::transparent);
      QPainter onto(&border);
      const std::unique_ptr<QStyleOption> at(Copied(option));
      at->rect.moveTopLeft({0, 0});
      QProxyStyle::drawPrimitive(element, at.get(), &onto, widget);
      onto.end();
      QPixmapCache::insert(key, border);
    }
    painter->drawPixmap(option->rect.topLeft(), border);
  }

 private:
  // What a border's drawing depends on: its size and state; the caption's height, as styles
  // place the border below it, or higher on a frame without one; and the shades a style may
  // draw it in (the caption's colour is not among them).
  static QString Key(const QStyleOption& option, qreal ratio, const QWidget* widget) {
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const int caption =
        box == nullptr ? 2 : int{box->title().isEmpty()} + 4 * int{box->isCheckable()};
    QString key = QString("qs-frame-%1x%2@%3-%4-%5-%6")
                      .arg(option.rect.width())
                      .arg(option.rect.height())
                      .arg(ratio)
                      .arg(static_cast<int>(option.state))
                      .arg(option.fontMetrics.height())
                      .arg(caption);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Light,
                      QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow}) {
      key += QString("-%1").arg(option.palette.color(role).rgba(), 0, 16);
    }
    return key;
  }

  static QStyleOption* Copied(const QStyleOption* option) {
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
      return new QStyleOptionFrame(*frame);
    }
    return new QStyleOption(*option);
  }
};

// Draws a frame's caption in dark green and leaves the rest to the program's style. A style
// sheet would do the same, but it puts every control inside the frame under a style of its
// own, worked out control by control as the window opens.
class GreenCaptionStyle : public FrameStyle {
 public:
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
      FrameStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    // Styles take the caption's colour from the option's text colour or from the palette.
    QStyleOptionGroupBox green(*frame);
    green.textColor = kDarkGreen;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      green.palette.setColor(group, QPalette::WindowText, kDarkGreen);
    }
    FrameStyle::drawComplexControl(control, &green, painter, widget);
  }
};

// Paints a push button's face: filled with the colour of the button's palette, darker while
// pressed or checked; a flat button framed by a thin grey line, a raised one by an outset edge
// (light above and left, darker below and right); with the keyboard focus a strong dark-blue
// frame. The caption, the picture and the focus mark are the program's style's own, the
// caption grey when disabled. A style sheet per button looks the same, but parsing and
// applying one for each of the main window's buttons was 7% of the work before it opened.
class ButtonFaceStyle : public QProxyStyle {
 public:
  // The width of a raised or focused edge and of a flat one, and the room from the button's
  // border to its caption, the edge included.
  static constexpr int kEdge = 2;
  static constexpr int kFlatEdge = 1;
  static constexpr QMargins kPadding{7, 3, 7, 3};

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButton || button == nullptr) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    const QColor face = button->palette.color(QPalette::Button);
    const QRect& r = button->rect;
    painter->save();
    painter->fillRect(r, (button->state & (State_Sunken | State_On)) ? face.darker(118) : face);
    if (button->state & State_HasFocus) {
      for (const QRect& edge : {QRect(r.left(), r.top(), r.width(), kEdge),
                                QRect(r.left(), r.bottom() - kEdge + 1, r.width(), kEdge),
                                QRect(r.left(), r.top(), kEdge, r.height()),
                                QRect(r.right() - kEdge + 1, r.top(), kEdge, r.height())}) {
        painter->fillRect(edge, kDarkBlue);
      }
    } else if (button->features & QStyleOptionButton::Flat) {
      for (const QRect& edge : {QRect(r.left(), r.top(), r.width(), kFlatEdge),
                                QRect(r.left(), r.bottom(), r.width(), kFlatEdge),
                                QRect(r.left(), r.top(), kFlatEdge, r.height()),
                                QRect(r.right(), r.top(), kFlatEdge, r.height())}) {
        painter->fillRect(edge, kFrameGrey);
      }
    } else {
      DrawOutsetEdge(painter, r, face.lighter(112));
    }
    painter->restore();
    QStyleOptionButton label(*button);
    label.rect = r - kPadding;
    label.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
    QProxyStyle::drawControl(CE_PushButtonLabel, &label, painter, widget);
    // Inside the frame, the style's own mark of a focus reached by the keyboard.
    if (button->state & State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(*button);
      focus.rect = label.rect;
      QProxyStyle::drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    if (type != CT_PushButton) return QProxyStyle::sizeFromContents(type, option, size, widget);
    return size.grownBy(kPadding);
  }

 private:
  static inline const QColor kFrameGrey{160, 160, 160};
  static inline const QColor kDisabledText{150, 150, 150};

  // Four mitred edges, each smoothed where it meets the next: below and right first in
  // `colour`, then above and left in a lighter tone over them.
  static void DrawOutsetEdge(QPainter* painter, const QRect& r, const QColor& colour) {
    const int x1 = r.left(), y1 = r.top(), x2 = r.right() + 1, y2 = r.bottom() + 1;
    const int w = kEdge;
    painter->setPen(Qt::NoPen);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(colour);
    painter->drawPolygon(QPolygon({{x1, y2}, {x1 + w, y2 - w}, {x2 - w, y2 - w}, {x2, y2}}));
    painter->drawPolygon(QPolygon({{x2, y1}, {x2, y2}, {x2 - w, y2 - w}, {x2 - w, y1 + w}}));
    painter->setBrush(colour.lighter());
    painter->drawPolygon(QPolygon({{x1, y1}, {x2, y1}, {x2 - w, y1 + w}, {x1 + w, y1 + w}}));
    painter->drawPolygon(QPolygon({{x1, y1}, {x1 + w, y1 + w}, {x1 + w, y2 - w}, {x1, y2}}));
  }
};

// The one style of a kind that all controls drawn so share, made when the first needs it and
// kept for the program's life.
template <class Style>
QStyle* Shared() {
  static auto* style = [] {
    auto* made = new Style;
    made->setParent(qApp);
    return made;
  }();
  return style;
}

}  // namespace

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
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, face);
  button->setPalette(palette);
  button->setStyle(Shared<ButtonFaceStyle>());
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
  // The frame's own style (its border from a kept picture, the caption's colour) reaches no
  // control inside it.
  group->setStyle(darkGreenCaption ? Shared<GreenCaptionStyle>() : Shared<FrameStyle>());
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
