#pragma once

// Finds the texts of a window that do not fit their controls: a caption wider or taller than
// the room its button, check box or label leaves for it, a group title or a tab cut off, a
// field or list too low for a line of its font or too narrow for the text it holds (a
// read-only field holds a path, which scrolls: only its height counts). Only what is shown
// counts: hidden controls, collapsed ones and pages of other tabs are left out.

#include <QString>
#include <QStringList>

class QWidget;

namespace qs::uitest {

// One line per text that does not fit, naming the control, the text and the two sizes.
QStringList UnfittedTexts(const QWidget& window);

// One line per thing of `window` a user could not get at: the window itself larger than the
// available area of its screen or not wholly on it, a control that is shown and enabled but
// lies outside the window, or outside the page of the scroll area it is in, and a scroll area
// whose page is larger than its view without a scroll bar that reaches all of it.
QStringList UnreachableControls(const QWidget& window);

}  // namespace qs::uitest
