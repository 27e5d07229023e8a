#include "ui/widgets/controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

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
  button->setStyleSheet(FaceSheet(face, flat));
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
  // Named, so that the colour stays with this group and does not reach the groups inside it.
  if (darkGreenCaption) {
    group->setStyleSheet(QString("QGroupBox#%1 { color: %2; }").arg(name, Rgb(kDarkGreen)));
  }
  return group;
}

QLineEdit* Field(const char* name, const QString& tooltip, bool readOnly) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setToolTip(tooltip);
  field->setReadOnly(readOnly);
  return field;
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
