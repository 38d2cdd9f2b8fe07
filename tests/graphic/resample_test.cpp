// Resampling the bitmap underlay to the view's pixel size.
#include "graphic/resample.h"

#include "core/errors.h"

#include <gtest/gtest.h>

namespace sonvela {
namespace {

// A picture whose channels are given per pixel, rows from the top.
TPixelBuffer picture(int w, int h, std::vector<std::array<std::uint8_t, 3>> pixels)
{
  TPixelBuffer b(w, h);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    for (int c = 0; c < 3; ++c) b.Pixels[i * 3 + c] = pixels[i][c];
  return b;
}

// One channel of a whole picture, row by row.
std::vector<int> channel(const TPixelBuffer& b, int c)
{
  std::vector<int> v;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) v.push_back(b.Pixel(x, y)[c]);
  return v;
}

TEST(Resample, PlainCopies)
{
  const TPixelBuffer source = picture(2, 1, {{1, 2, 3}, {4, 5, 6}});
  for (auto [w, h] : {std::pair{0, 5}, {7, 0}, {0, 0}, {2, 1}}) {
    TPixelBuffer out = picture(1, 1, {{9, 9, 9}});
    TSubstrate::Resample(source, out, w, h);
    EXPECT_EQ(out, source) << w << "x" << h;
  }
  TPixelBuffer out;
  TSubstrate::Resample(TPixelBuffer(), out, 10, 10);
  EXPECT_EQ(out, TPixelBuffer());
}

TEST(Resample, BilinearInFixedPoint)
{
  // Two columns stretched to four: steps of a quarter column from the first one.
  TPixelBuffer out;
  TSubstrate::Resample(picture(2, 1, {{0, 100, 200}, {255, 0, 200}}), out, 4, 1);
  EXPECT_EQ(channel(out, 0), (std::vector<int>{0, 63, 127, 191}));
  EXPECT_EQ(channel(out, 1), (std::vector<int>{100, 75, 50, 25}));
  EXPECT_EQ(channel(out, 2), (std::vector<int>{200, 200, 200, 200}));

  // In two directions: the step is 21845/65536, so the centre weighs the bright corner
  // by (21845/65536)^2 and the far corner by (43690/65536)^2, both cut down.
  TSubstrate::Resample(picture(2, 2, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}}), out, 3, 3);
  EXPECT_EQ(channel(out, 1), (std::vector<int>{0, 0, 0, 0, 28, 56, 0, 56, 113}));

  // Shrinking five columns to two samples columns 0 and 2.
  TSubstrate::Resample(picture(5, 1, {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}}), out, 2, 1);
  EXPECT_EQ(channel(out, 0), (std::vector<int>{0, 20}));
}

TEST(Resample, EdgesStayInsideTheSource)
{
  // A rounded-up step (65536 / 700 -> 94) carries the last position past the last column.
  TPixelBuffer out;
  TSubstrate::Resample(picture(2, 1, {{0, 0, 0}, {255, 255, 255}}), out, 700, 1);
  EXPECT_EQ(out.Pixel(699, 0)[0], 255);
  EXPECT_EQ(out.Pixel(0, 0)[0], 0);

  // One column and one row: nothing to blend with.
  TSubstrate::Resample(picture(1, 1, {{7, 8, 9}}), out, 3, 2);
  EXPECT_EQ(channel(out, 2), (std::vector<int>(6, 9)));
  TSubstrate::Resample(picture(1, 2, {{0, 0, 0}, {200, 0, 0}}), out, 2, 4);
  EXPECT_EQ(channel(out, 0), (std::vector<int>{0, 0, 50, 50, 100, 100, 150, 150}));
}

TEST(Resample, TooLargeIsRefused)
{
  TPixelBuffer out = picture(1, 1, {{1, 1, 1}});
  const TPixelBuffer before = out;
  EXPECT_THROW(TSubstrate::Resample(picture(2, 2, {}), out, 1 << 14, 1 << 14), ERangeError);
  EXPECT_EQ(out, before);
}

TEST(Substrate, RescaleToTheViewsPixels)
{
  // 1000 × 500 pixels at 25 pixels per metre is 40 × 20 m; a region of 50 × 20 m on
  // 378 × 151 pixels has 7.56 and 7.55 pixels per metre.
  TSubstrate s;
  s.FSource = TPixelBuffer(1000, 500);
  EXPECT_FALSE(s.IsSet());
  s.Rescale(50000, 20000, 378, 151);  // no ratio yet: the picture as it is
  EXPECT_TRUE(s.FRendered);
  EXPECT_EQ(s.FImage.Width, 1000);

  s.FRatio = 25;
  EXPECT_TRUE(s.IsSet());
  s.Rescale(50000, 20000, 378, 151);
  EXPECT_EQ(s.FImage.Width, 302);  // 302.4
  EXPECT_EQ(s.FImage.Height, 151);  // 151.0

  // A rendering too large for memory is refused and the last one stays.
  s.FRatio = 1e-6;
  EXPECT_THROW(s.Rescale(50000, 20000, 378, 151), ERangeError);
  EXPECT_EQ(s.FImage.Width, 302);
  // A region without size renders the picture as it is.
  s.FRatio = 25;
  s.Rescale(0, 20000, 378, 151);
  EXPECT_EQ(s.FImage, s.FSource);
}

} // namespace
} // namespace sonvela
