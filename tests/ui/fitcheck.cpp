#include "fitcheck.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QTextEdit>
#include <cmath>

#include "ui/widgets/elidinglabel.h"

namespace qs::uitest {

namespace {

// The style option a control paints itself with comes from a protected member; a pointer to
// that member, named through a class of our own, reaches it.
template <typename Widget>
struct Reach : Widget {
  template <typename Option>
  static Option OptionOf(const Widget& widget) {
    Option option;
    (widget.*(&Reach::initStyleOption))(&option);
    return option;
  }
  static QSize TabSizeHint(const Widget& widget, int index) {
    return (widget.*(&Reach::tabSizeHint))(index);
  }
};

QString Describe(const QWidget& widget) {
  QString name = widget.objectName();
  for (const QWidget* parent = widget.parentWidget(); name.isEmpty() && parent != nullptr;
       parent = parent->parentWidget()) {
    if (!parent->objectName().isEmpty()) name = "in " + parent->objectName();
  }
  return QString("%1 (%2)").arg(name, QString::fromLatin1(widget.metaObject()->className()));
}

QString SizeText(QSize size) {
  return QString("%1x%2").arg(size.width()).arg(size.height());
}

void Report(QStringList& found, const QWidget& widget, const QString& text, QSize needed,
            QSize has) {
  found << QString("%1 \"%2\" needs %3, has %4")
               .arg(Describe(widget), text, SizeText(needed), SizeText(has));
}

bool Fits(QSize needed, QSize has) {
  return needed.width() <= has.width() && needed.height() <= has.height();
}

void CheckButton(const QPushButton& button, QStringList& found) {
  const auto option = Reach<QPushButton>::OptionOf<QStyleOptionButton>(button);
  const QRect contents =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  QSize needed = button.text().isEmpty()
                     ? QSize(0, 0)
                     : button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
  if (!button.icon().isNull()) {
    needed.rwidth() += button.iconSize().width() + (button.text().isEmpty() ? 0 : 4);
    needed.setHeight(std::max(needed.height(), button.iconSize().height()));
  }
  if (!Fits(needed, contents.size())) Report(found, button, button.text(), needed, contents.size());
}

void CheckCheckBox(const QCheckBox& box, QStringList& found) {
  const auto option = Reach<QCheckBox>::OptionOf<QStyleOptionButton>(box);
  const QRect contents = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
  const QSize needed = box.fontMetrics().size(Qt::TextShowMnemonic, box.text());
  if (!Fits(needed, contents.size())) Report(found, box, box.text(), needed, contents.size());
}

void CheckLabel(const QLabel& label, QStringList& found) {
  if (label.text().isEmpty()) return;
  if (const auto* eliding = qobject_cast<const ui::ElidingLabel*>(&label)) {
    if (eliding->isElided()) {
      Report(found, label, label.text(),
             {label.fontMetrics().horizontalAdvance(label.text()), label.height()},
             label.contentsRect().size());
    }
    return;
  }
  if (label.wordWrap()) {
    const int needed = label.heightForWidth(label.width());
    if (needed > label.height()) {
      Report(found, label, label.text(), {label.width(), needed}, label.size());
    }
    return;
  }
  const int flags = label.buddy() != nullptr ? Qt::TextShowMnemonic : 0;
  const QSize needed = label.fontMetrics().size(flags, label.text());
  const int margin = label.margin();
  const QSize has = label.contentsRect().adjusted(margin, margin, -margin, -margin).size();
  if (!Fits(needed, has)) Report(found, label, label.text(), needed, has);
}

void CheckGroupTitle(const QGroupBox& group, QStringList& found) {
  if (group.title().isEmpty()) return;
  const auto option = Reach<QGroupBox>::OptionOf<QStyleOptionGroupBox>(group);
  const QRect place =
      group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
  // Measured as the style lays the title out: the advance of its characters.
  QString title = group.title();
  title.replace("&&", "\x01").remove('&').replace("\x01", "&");
  const QSize needed(group.fontMetrics().horizontalAdvance(title), group.fontMetrics().height());
  // The title is cut where it leaves the box.
  const QRect shown = place.intersected(group.rect());
  if (!Fits(needed, shown.size())) Report(found, group, group.title(), needed, shown.size());
}

void CheckTabs(const QTabBar& bar, QStringList& found) {
  for (int i = 0; i < bar.count(); ++i) {
    const QSize needed = Reach<QTabBar>::TabSizeHint(bar, i);
    const QSize has = bar.tabRect(i).intersected(bar.rect()).size();
    if (!Fits(needed, has)) Report(found, bar, bar.tabText(i), needed, has);
  }
}

void CheckLineEdit(const QLineEdit& field, QStringList& found) {
  const auto option = Reach<QLineEdit>::OptionOf<QStyleOptionFrame>(field);
  const QRect contents =
      field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
  const QString shown = field.text().isEmpty() ? field.placeholderText() : field.displayText();
  // The field keeps two pixels clear on either side of its text. A read-only field shows a
  // path or an address, which can be any length: it scrolls and needs only the height.
  const int width = field.isReadOnly() && !field.text().isEmpty()
                        ? 0
                        : field.fontMetrics().horizontalAdvance(shown) + 4;
  const QSize needed(width, field.fontMetrics().height());
  if (!Fits(needed, contents.size())) Report(found, field, shown, needed, contents.size());
}

void CheckComboBox(const QComboBox& list, QStringList& found) {
  const auto option = Reach<QComboBox>::OptionOf<QStyleOptionComboBox>(list);
  const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, &list);
  const QSize needed(list.fontMetrics().horizontalAdvance(list.currentText()),
                     list.fontMetrics().height());
  if (!Fits(needed, field.size())) Report(found, list, list.currentText(), needed, field.size());
}

// A multi-line field shows at least one line, and its placeholder whole.
template <typename Editor>
void CheckTextArea(const Editor& area, QStringList& found) {
  const QFontMetrics metrics = area.fontMetrics();
  const int margin = static_cast<int>(area.document()->documentMargin());
  const QRect inside = area.viewport()->rect().adjusted(margin, margin, -margin, -margin);
  const QString placeholder = area.document()->isEmpty() ? area.placeholderText() : QString();
  QSize needed(0, metrics.lineSpacing());
  if (!placeholder.isEmpty()) {
    needed = metrics.boundingRect(inside, Qt::AlignTop | Qt::TextWordWrap, placeholder).size();
  }
  if (!Fits(needed, inside.size())) Report(found, area, placeholder, needed, inside.size());
}

void CheckList(const QAbstractItemView& view, QStringList& found) {
  const QSize needed(0, view.fontMetrics().height());
  if (!Fits(needed, view.viewport()->size())) {
    Report(found, view, QString(), needed, view.viewport()->size());
  }
}

QString RectText(const QRect& rect) {
  return QString("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// A scroll bar that is shown and reaches `overflow` pixels, when there is overflow at all.
bool Reaches(const QScrollBar* bar, int overflow) {
  return overflow <= 0 || (bar != nullptr && bar->isVisible() && bar->maximum() >= overflow);
}

}  // namespace

QStringList UnreachableControls(const QWidget& window) {
  QStringList found;
  if (const QScreen* screen = window.screen()) {
    // At a scale such as 1.35 a place in device pixels rounds to a logical one that may differ
    // by one pixel, less than one device pixel on the screen.
    const qreal scale = screen->devicePixelRatio();
    const int slack = scale == std::round(scale) ? 0 : 1;
    const QRect available = screen->availableGeometry().adjusted(-slack, -slack, slack, slack);
    if (!available.contains(window.frameGeometry())) {
      found << QString("%1 at %2 is not wholly on the screen's %3")
                   .arg(Describe(window), RectText(window.frameGeometry()), RectText(available));
    }
  }
  for (const QWidget* control : window.findChildren<const QWidget*>()) {
    if (!control->isVisibleTo(&window) || !control->isEnabled()) continue;
    if (control->width() <= 0 || control->height() <= 0) continue;
    // A scroll area's page is larger than its view when it scrolls; its controls are checked.
    if (const auto* view = control->parentWidget();
        view != nullptr && qobject_cast<const QScrollArea*>(view->parentWidget()) != nullptr &&
        static_cast<const QScrollArea*>(view->parentWidget())->widget() == control) {
      continue;
    }
    // A control is reached where the page it is on can be scrolled to, or else in the window.
    const QScrollArea* area = nullptr;
    for (const QWidget* up = control->parentWidget(); up != nullptr && up != &window;
         up = up->parentWidget()) {
      if (const auto* scroller = qobject_cast<const QScrollArea*>(up)) {
        if (scroller->widget() != nullptr && scroller->widget()->isAncestorOf(control)) {
          area = scroller;
          break;
        }
      }
    }
    const QWidget* within = area != nullptr ? area->widget() : &window;
    // Each container up to there cuts off what lies outside it.
    for (const QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
      const QRect place(control->mapTo(up, QPoint(0, 0)), control->size());
      if (!up->rect().contains(place)) {
        found << QString("%1 at %2 lies outside %3 (%4)")
                     .arg(Describe(*control), RectText(place), Describe(*up), RectText(up->rect()));
        break;
      }
      if (up == within) break;
    }
  }
  for (const QScrollArea* area : window.findChildren<const QScrollArea*>()) {
    if (!area->isVisibleTo(&window) || area->widget() == nullptr) continue;
    const QSize overflow = area->widget()->size() - area->viewport()->size();
    if (!Reaches(area->horizontalScrollBar(), overflow.width()) ||
        !Reaches(area->verticalScrollBar(), overflow.height())) {
      found << QString("%1 shows %2x%3 of a page of %4x%5 and cannot scroll to the rest")
                   .arg(Describe(*area))
                   .arg(area->viewport()->width())
                   .arg(area->viewport()->height())
                   .arg(area->widget()->width())
                   .arg(area->widget()->height());
    }
  }
  return found;
}

QStringList UnfittedTexts(const QWidget& window) {
  QStringList found;
  QList<const QWidget*> widgets{&window};
  for (const QWidget* child : window.findChildren<const QWidget*>()) widgets << child;
  for (const QWidget* widget : widgets) {
    if (widget != &window && !widget->isVisibleTo(&window)) continue;
    // A collapsed control shows nothing that could be cut.
    if (widget->width() <= 0 || widget->height() <= 0) continue;
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
      CheckButton(*button, found);
    } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
      CheckCheckBox(*box, found);
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      CheckLabel(*label, found);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      CheckGroupTitle(*group, found);
    } else if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
      CheckTabs(*bar, found);
    } else if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
      CheckLineEdit(*field, found);
    } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
      CheckComboBox(*list, found);
    } else if (const auto* editor = qobject_cast<const QPlainTextEdit*>(widget)) {
      CheckTextArea(*editor, found);
    } else if (const auto* log = qobject_cast<const QTextEdit*>(widget)) {
      CheckTextArea(*log, found);
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
      CheckList(*view, found);
    }
  }
  return found;
}

}  // namespace qs::uitest
