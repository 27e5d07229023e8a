#pragma once

class QString;
class QWidget;

namespace qs::ui {

// Names, for a screen reader, the controls under `window` that Qt cannot name by itself. Qt
// reads a control's name from its words, from the label whose buddy it is, or from the group
// box that frames it, and its description from its tooltip; a control with none of these, or
// whose face is a symbol ("...", "?", "\"), gets its caption's words, or else its tooltip's or
// its hint's, as its name; a drop-down and its opened list get their caption's. Names given before
// are kept, and so are names Qt derives, which follow their caption when it changes. Called once a
// window has made its controls.
void NameForScreenReaders(QWidget* window);

// `text` as a screen reader should read it: without the "&" that marks an Alt key (a doubled
// one stands for itself) and without the key hints in square brackets that follow the words.
QString ReadableName(const QString& text);

}  // namespace qs::ui
