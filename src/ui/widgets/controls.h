#pragma once

// The controls of the main window as it makes them: each named by its role, with the colours
// and faces of its kind. The window's layouts place them.

#include <QColor>
#include <QKeyCombination>
#include <QString>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace qs::ui {
class FormEditor;
}

namespace qs::ui::controls {

inline const QColor kDarkGreen(0, 98, 49);
inline const QColor kGrey212(212, 212, 212);
inline const QColor kGrey154(154, 154, 154);
inline const QColor kDarkBlue(0, 0, 160);
inline const QColor kNavy(0, 0, 100);

// "rgb(r, g, b)", for style sheets.
QString Rgb(const QColor& colour);

// A button filled with `face`: flat with a thin frame, or raised with an outset edge; with the
// keyboard focus a strong dark frame.
QPushButton* Button(const char* name, const QString& caption, const QString& tooltip,
                    const QColor& face, bool flat);
// A button whose face shows no word gets its Alt key this way; the tooltip names it.
void GiveKey(QAbstractButton* button, QKeyCombination key);
// A flat button that shows a picture; `accessibleName` says what it does.
QPushButton* GlyphButton(const char* name, const QIcon& icon, const QString& tooltip,
                         const QString& accessibleName, const QColor& face);
// A frame with a caption, dark green for the frames of the tabs.
QGroupBox* Group(const char* name, const QString& caption, bool darkGreenCaption);
QLineEdit* Field(const char* name, const QString& tooltip, bool readOnly);
// Gives `field` its clear button, which shows only while there is text, once there first is
// some. The button's picture comes from the desktop's icon theme, whose folders are searched
// the first time one is asked for: that waits for the first text, not for the window to open.
void ClearButtonOnFirstText(QLineEdit* field);
// Text in `text` on `base` while usable; a disabled control keeps the style's grey.
void Colours(QWidget* control, const QColor& text, const QColor& base);
// An editor of the page form in dark blue on white; `placeholder` is its hint and tooltip.
FormEditor* Editor(const char* name, const QString& placeholder, int minimumLines,
                   int preferredLines, bool tabTypesTab);
// A group box holding one control.
QGroupBox* Framed(QGroupBox* group, QWidget* control);
// A list to pick one entry from, as wide as its longest entry.
QComboBox* DropDown(const char* name);
// A label, which gives the keyboard focus to `buddy` when it has one.
QLabel* Caption(const QString& text, QWidget* buddy = nullptr);

}  // namespace qs::ui::controls
