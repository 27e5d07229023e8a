#pragma once

// Keeping windows on the screens this desktop has now: a place kept from another run may lie
// on a monitor since unplugged or be larger than this one, and a large font can ask for more
// than the screen holds. A window put through these functions lies wholly, frame and all, on
// the available area of one screen (the area the desktop's panels leave free).

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>

#include "config/windowplace.h"

class QWidget;

namespace qs::ui {

// The frame the window system draws around `window`: measured once the window is shown, and
// until then that of the window it belongs to (the same window manager draws both); none when
// neither is known yet.
QMargins FrameMargins(const QWidget& window);

// The inner area `window` can have on the screen it is on: that screen's available area less
// the window's frame.
QRect Room(const QWidget& window);

// `inner` moved, and shrunk no smaller than `minimum`, so that with `frame` around it, it lies
// on the available area (one of `screens`) it overlaps most, or on the first when it overlaps
// none. When even `minimum` is larger than that area, the top left corner stays on it, so the
// title bar can be reached.
QRect KeptOnScreens(QRect inner, const QMargins& frame, const QList<QRect>& screens, QSize minimum);

// Where `window` is: its inner area, when maximised the one it returns to; none for a window
// that never had a place of its own.
std::optional<config::WindowPlace> PlaceOf(const QWidget& window);
// Puts `window` at `place`, kept on a screen of this desktop. A window of fixed size keeps its
// size and only moves.
void PutAt(QWidget& window, const config::WindowPlace& place);
// Moves `window`, and shrinks it when it must, onto the screen it overlaps most. Nothing for a
// maximised or full-screen window, which the window system places.
void KeepOnScreen(QWidget& window);

}  // namespace qs::ui
