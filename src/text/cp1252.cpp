#include "text/cp1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qs::text {
namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to
// the C1 control with the same number, as the platform's own conversion does, so that every
// byte survives a round trip.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at `pos`; returns the code point and its length, or nothing when
// the bytes there are not a valid, shortest-form sequence.
std::optional<std::pair<char32_t, std::size_t>> DecodeUtf8(std::string_view s, std::size_t pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) return std::pair<char32_t, std::size_t>{b0, 1};
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + len > s.size()) return std::nullopt;
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return std::pair<char32_t, std::size_t>{cp, len};
}

// Reads a decimal reference such as "&#945;" at `pos`, in exactly the form Cp1252FromUtf8
// writes (no leading zero), and returns the code point and the length of the reference.
// Other spellings are left as they stand, so that decoding never changes the bytes a
// reference came from.
std::optional<std::pair<char32_t, std::size_t>> ReadReference(std::string_view s, std::size_t pos) {
  if (s.compare(pos, 2, "&#") != 0) return std::nullopt;
  std::size_t i = pos + 2;
  const std::size_t digitsStart = i;
  std::uint32_t value = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - digitsStart < 7) {
    value = value * 10 + static_cast<std::uint32_t>(s[i] - '0');
    ++i;
  }
  if (i == digitsStart || s[digitsStart] == '0' || i >= s.size() || s[i] != ';') {
    return std::nullopt;
  }
  if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  return std::pair<char32_t, std::size_t>{static_cast<char32_t>(value), i + 1 - pos};
}

}  // namespace

std::string Cp1252FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto decoded = DecodeUtf8(utf8, pos);
    if (!decoded) {
      out.push_back(utf8[pos]);
      ++pos;
      continue;
    }
    const auto [cp, len] = *decoded;
    pos += len;
    if (const auto byte = ByteOf(cp)) {
      out.push_back(static_cast<char>(*byte));
    } else {
      out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
    }
  }
  return out;
}

std::string Utf8FromCp1252(std::string_view cp1252, bool decodeReferences) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  std::size_t pos = 0;
  while (pos < cp1252.size()) {
    const auto byte = static_cast<unsigned char>(cp1252[pos]);
    if (decodeReferences && byte == '&') {
      const auto ref = ReadReference(cp1252, pos);
      if (ref && !ByteOf(ref->first)) {
        AppendUtf8(out, ref->first);
        pos += ref->second;
        continue;
      }
    }
    AppendUtf8(out, CodePointOf(byte));
    ++pos;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto decoded = DecodeUtf8(bytes, pos);
    if (!decoded) return false;
    pos += decoded->second;
  }
  return true;
}

std::string Utf8FromBytes(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Utf8FromCp1252(bytes, false);
}

}  // namespace qs::text
