#pragma once

// Where a window was when the program last ended, as the settings file keeps it: the inner
// area's left and top edges on the desktop and its width and height, in the window system's
// pixels, written "x,y,width,height".

#include <optional>
#include <string>
#include <string_view>

namespace qs::config {

struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The places of the three windows that keep theirs; none until the window was seen once.
struct WindowPlaces {
  std::optional<WindowPlace> main;     // MainWindowPlace: the unmaximised main window
  std::optional<WindowPlace> preview;  // PreviewWindowPlace
  std::optional<WindowPlace> builder;  // BuilderWindowPlace

  friend bool operator==(const WindowPlaces&, const WindowPlaces&) = default;
};

// "x,y,width,height"; empty text for none.
std::string FormatWindowPlace(const std::optional<WindowPlace>& place);
// Four whole numbers separated by commas (blanks around them allowed), the width and height
// positive; anything else, edited by hand or cut short, is no place at all, so the window opens
// as on a first run rather than somewhere odd.
std::optional<WindowPlace> ParseWindowPlace(std::string_view text);

}  // namespace qs::config
