// What the section model needs of a view to paint itself: mapping, canvas, highlights.
#pragma once
#include "graphic/canvas.h"
#include "graphic/types.h"

#include <cstdint>
#include <string>

namespace sonvela {

// Elements, dimensions, results and markers paint through this interface only, so the Qt
// section view, the report picture and the tests' fake view all plug in unchanged. Model
// points are in model units with Y upward; pixels have Y downward.
class TViewBase {
public:
  virtual ~TViewBase() = default;

  virtual TCanvas& Canvas() = 0;
  virtual int XToPixel(std::int32_t x) const = 0;
  virtual int YToPixel(std::int32_t y) const = 0;
  virtual TPoint PointToPixel(TPoint p) const { return {XToPixel(p.X), YToPixel(p.Y)}; }
  // A model length in pixels (the horizontal factor serves both axes).
  virtual int LengthToPixels(double length) const = 0;
  // Decimal separator of the user's locale, for dimension texts and read-outs.
  virtual std::string DecimalSeparator() const { return "."; }

  // Highlight primitives, all in NOT-XOR so drawing twice restores the picture; the pen
  // mode is back to Copy afterwards. A view may override them to mark the dirty area.
  // A red square of +-5 pixels around the point, no fill.
  virtual void DrawMark(TPoint p);
  // A line of the given colour.
  virtual void DrawLine(TPoint p1, TPoint p2, TColor color);
  // The closed outline p1 -> p2 -> p3 -> p1 in the given colour.
  virtual void DrawTriangle(TPoint p1, TPoint p2, TPoint p3, TColor color);
};

// Sets the canvas pen mode back to Copy when it leaves scope, whatever way painting ends.
class TPenModeRestorer {
public:
  explicit TPenModeRestorer(TCanvas& canvas) : FCanvas(canvas) {}
  ~TPenModeRestorer() { FCanvas.Pen.Mode = TPenMode::Copy; }
  TPenModeRestorer(const TPenModeRestorer&) = delete;
  TPenModeRestorer& operator=(const TPenModeRestorer&) = delete;

private:
  TCanvas& FCanvas;
};

} // namespace sonvela
