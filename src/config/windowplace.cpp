#include "config/windowplace.h"

#include <charconv>

namespace qs::config {

namespace {

// One number of the list, surrounded by blanks at most; advances past it and its comma.
std::optional<int> TakeNumber(std::string_view& text, bool last) {
  const std::size_t end = last ? text.size() : text.find(',');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view part = text.substr(0, end);
  text.remove_prefix(last ? end : end + 1);
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  int value = 0;
  const auto [rest, error] = std::from_chars(part.data(), part.data() + part.size(), value);
  if (part.empty() || error != std::errc() || rest != part.data() + part.size()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string FormatWindowPlace(const std::optional<WindowPlace>& place) {
  if (!place) return {};
  return std::to_string(place->x) + "," + std::to_string(place->y) + "," +
         std::to_string(place->width) + "," + std::to_string(place->height);
}

std::optional<WindowPlace> ParseWindowPlace(std::string_view text) {
  const auto x = TakeNumber(text, false);
  const auto y = TakeNumber(text, false);
  const auto width = TakeNumber(text, false);
  const auto height = TakeNumber(text, true);
  if (!x || !y || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  return WindowPlace{*x, *y, *width, *height};
}

}  // namespace qs::config
