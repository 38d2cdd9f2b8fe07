// A section view for painting tests: a fixed linear mapping onto a recording canvas.
#pragma once
#include "core/numeric.h"
#include "graphic/view_base.h"
#include "recording_canvas.h"

namespace sonvela::testing {

// Pixel = (x - Left) * Scale, row = (Bottom - y) * Scale, both rounded; Y turns over as in
// the section view.
class TFakeView : public TViewBase {
public:
  TRecordingCanvas Recorder;
  double Scale = 0.1;
  std::int32_t Left = 0;
  std::int32_t Bottom = 10000;
  std::string Separator = ".";

  TCanvas& Canvas() override { return Recorder; }
  int XToPixel(std::int32_t x) const override { return roundToInt((double(x) - Left) * Scale); }
  int YToPixel(std::int32_t y) const override { return roundToInt((double(Bottom) - y) * Scale); }
  int LengthToPixels(double length) const override { return roundToInt(length * Scale); }
  std::string DecimalSeparator() const override { return Separator; }
};

// A canvas whose primitives fail, to check that painters restore the pen mode anyway.
class TFailingCanvas : public TRecordingCanvas {
public:
  void Line(TPoint, TPoint) override { throw std::runtime_error("paint failed"); }
  void Polyline(const std::vector<TPoint>&) override { throw std::runtime_error("paint failed"); }
  void Rectangle(const TRect&) override { throw std::runtime_error("paint failed"); }
  void Arc(const TRect&, TPoint, TPoint) override { throw std::runtime_error("paint failed"); }
};

class TFailingView : public TFakeView {
public:
  TFailingCanvas Failing;
  TCanvas& Canvas() override { return Failing; }
};

} // namespace sonvela::testing
