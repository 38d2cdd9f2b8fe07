// The abstract canvas that elements, dimensions, markers and results paint on.
#pragma once
#include "graphic/types.h"

#include <string>
#include <vector>

namespace sonvela {

enum class TPenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class TPenMode { Copy, NotXor };
enum class TBrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = TPenStyle::Solid;
  int Width = 1;
  TPenMode Mode = TPenMode::Copy;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::Solid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

struct TFont {
  TColor Color = clBlack;
  std::string Name = "Arial";
  int Size = 8;  // points
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

struct TTextSize {
  int cx = 0;
  int cy = 0;
};

// Pixel coordinates, Y downward. Pen, Brush and Font are the current drawing state, set
// directly by painters and read by every primitive, as on a window canvas. Implementations:
// the QImage canvas of the view layer and the recording canvas of the tests.
class TCanvas {
public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // The pen position of MoveTo / LineTo.
  TPoint PenPos;
  void MoveTo(int x, int y) { PenPos = {x, y}; }
  void LineTo(int x, int y)
  {
    Line(PenPos, {x, y});
    PenPos = {x, y};
  }

  // A line from a to b with the pen; like a window canvas, the end pixel is not drawn.
  virtual void Line(TPoint a, TPoint b) = 0;
  // Open polyline with the pen.
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  // Closed polygon: outline with the pen, filled with the brush.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Rectangle outline with the pen, filled with the brush; Right and Bottom excluded.
  virtual void Rectangle(const TRect& r) = 0;
  // Fills with the brush, no outline.
  virtual void FillRect(const TRect& r) = 0;
  // Ellipse inscribed in the box: outline with the pen, filled with the brush.
  virtual void Ellipse(const TRect& box) = 0;
  // Elliptic arc in the box, counter-clockwise from the ray towards start to the ray
  // towards end (both rays from the box centre), with the pen.
  virtual void Arc(const TRect& box, TPoint start, TPoint end) = 0;
  // Text with its top-left corner at (x, y), in the font; the background is filled with the
  // brush unless the brush style is Clear.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual TTextSize TextExtent(const std::string& text) = 0;
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  virtual void SetPixel(int x, int y, TColor color) = 0;
  // The part of the canvas that painting reaches (the visible area).
  virtual TRect ClipRect() const = 0;
};

} // namespace sonvela
