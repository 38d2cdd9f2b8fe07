// Plane points and rectangles of a section, and colours.
#pragma once
#include <cstdint>

namespace sonvela {

// A point in model units (a thousandth of the section's length unit); X right, Y up.
// Also used for screen pixels, where Y grows downward.
struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A computed point of a spectator line, in single precision.
struct TRealPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
};

// Left and Top hold the minimum X and Y.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// 0x00BBGGRR.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

} // namespace sonvela
