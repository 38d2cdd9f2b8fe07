// The bitmap underlay's arithmetic: bilinear resampling in 16.16 fixed point.
#include "graphic/resample.h"

#include "core/errors.h"
#include "graphic/strings.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace sonvela {

TPixelBuffer::TPixelBuffer(int width, int height)
  : Width(width), Height(height), Pixels(std::size_t(width) * std::size_t(height) * 3)
{
  SONVELA_ASSERT(width >= 0 && height >= 0);
}

namespace {

// num / den to the nearest integer, halves to the even neighbour.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den)
{
  std::int64_t q = num / den;
  const std::int64_t twice = 2 * (num % den);
  if (twice > den || (twice == den && (q & 1))) ++q;
  return q;
}

// The two neighbouring source lines a 16.16 position blends, and the weight of the second.
struct TTap {
  int First;
  int Second;
  std::int64_t Fraction;
};

TTap tap(std::int64_t position, int size)
{
  // A rounded-up step can carry the last position a little past the last line.
  position = std::min(position, std::int64_t(size - 1) << 16);
  const int first = int(position >> 16);
  return {first, std::min(first + 1, size - 1), position & 0xFFFF};
}

} // namespace

void TSubstrate::Resample(const TPixelBuffer& source, TPixelBuffer& destination, int width, int height)
{
  SONVELA_ASSERT(width >= 0 && height >= 0);
  if (std::int64_t(width) * height == 0 || (width == source.Width && height == source.Height) ||
      source.Width == 0 || source.Height == 0) {
    destination = source;
    return;
  }
  if (std::int64_t(width) * height > MaxImagePixels) throw ERangeError(strings::SubstrateTooLarge);

  const std::int64_t xstep = roundedQuotient(std::int64_t(source.Width - 1) * 65536, width);
  const std::int64_t ystep = roundedQuotient(std::int64_t(source.Height - 1) * 65536, height);
  TPixelBuffer out(width, height);
  std::vector<TTap> columns(width);
  for (int i = 0; i < width; ++i) columns[i] = tap(i * xstep, source.Width);
  for (int j = 0; j < height; ++j) {
    const TTap row = tap(j * ystep, source.Height);
    const std::int64_t fy = row.Fraction, gy = 65536 - fy;
    for (int i = 0; i < width; ++i) {
      const TTap& col = columns[i];
      const std::int64_t fx = col.Fraction, gx = 65536 - fx;
      const std::uint8_t* p00 = source.Pixel(col.First, row.First);
      const std::uint8_t* p01 = source.Pixel(col.Second, row.First);
      const std::uint8_t* p10 = source.Pixel(col.First, row.Second);
      const std::uint8_t* p11 = source.Pixel(col.Second, row.Second);
      std::uint8_t* d = out.Pixel(i, j);
      for (int c = 0; c < 3; ++c) {
        const std::int64_t upper = p00[c] * gx + p01[c] * fx;
        const std::int64_t lower = p10[c] * gx + p11[c] * fx;
        d[c] = static_cast<std::uint8_t>((upper * gy + lower * fy) >> 32);
      }
    }
  }
  destination = std::move(out);
}

void TSubstrate::Rescale(int W, int H, int PW, int PH)
{
  FRendered = true;
  int width = 0, height = 0;
  // Without a ratio or a region there is no scale to render at: the picture stays as it is.
  if (FRatio > 0 && W > 0 && H > 0 && PW > 0 && PH > 0) {
    // The picture's size in section units times the view's pixels per section unit.
    const double w = FSource.Width / FRatio * PW / (W / 1000.0);
    const double h = FSource.Height / FRatio * PH / (H / 1000.0);
    if (!(w < double(MaxImagePixels) && h < double(MaxImagePixels)))
      throw ERangeError(strings::SubstrateTooLarge);
    width = roundToInt(w);
    height = roundToInt(h);
  }
  TPixelBuffer image;
  Resample(FSource, image, width, height);
  FImage = std::move(image);
}

} // namespace sonvela
