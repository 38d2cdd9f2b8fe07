// The bitmap underlay's arithmetic: resampling a 24-bit picture to the view's pixel size.
#pragma once
#include <cstdint>
#include <vector>

namespace sonvela {

// A 24-bit picture: Width × Height pixels of three bytes each, rows from the top, no row
// padding. The channel order is the caller's; every channel is treated alike.
struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;

  TPixelBuffer() = default;
  TPixelBuffer(int width, int height);
  const std::uint8_t* Pixel(int x, int y) const { return &Pixels[(std::size_t(y) * Width + x) * 3]; }
  std::uint8_t* Pixel(int x, int y) { return &Pixels[(std::size_t(y) * Width + x) * 3]; }
  friend bool operator==(const TPixelBuffer&, const TPixelBuffer&) = default;
};

// The bitmap underlay: the picture as loaded and its rendering at the view's scale.
class TSubstrate {
public:
  // The largest rendering, in pixels (three bytes each).
  static constexpr std::int64_t MaxImagePixels = std::int64_t(1) << 26;

  bool FRendered = false;
  TPixelBuffer FSource;
  double FRatio = -100;  // pixels of FSource per section unit; painted only while above 0
  TPixelBuffer FImage;

  bool IsSet() const { return FRatio > 0; }

  // Renders FSource into FImage for a region of W × H model units shown on PW × PH
  // pixels. A rendering that would not fit leaves FImage as it was and throws ERangeError.
  void Rescale(int W, int H, int PW, int PH);

  // Bilinear resampling in 16.16 fixed point: destination pixel i (from 0) samples the
  // source at i × step, step = (source size − 1) / destination size rounded to 1/65536, and
  // blends the two neighbouring columns, then rows, by the fractional part. A zero size, a
  // size equal to the source's or an empty source gives a plain copy.
  static void Resample(const TPixelBuffer& source, TPixelBuffer& destination, int width, int height);
};

} // namespace sonvela
