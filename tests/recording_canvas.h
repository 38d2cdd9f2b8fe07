// A canvas that records every primitive with the drawing state it was made in.
#pragma once
#include "graphic/canvas.h"

#include <string>
#include <vector>

namespace sonvela::testing {

struct TRecordedOp {
  std::string Kind;  // "Line", "Polyline", "Polygon", "Rectangle", "FillRect", "Ellipse", "Arc", "TextOut", "Pixel"
  std::vector<TPoint> Points;  // Line: a, b; Rectangle/Ellipse/FillRect: top-left, bottom-right; Arc: box corners, start, end
  std::string Text;
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TColor PixelColor = 0;
};

class TRecordingCanvas : public TCanvas {
public:
  std::vector<TRecordedOp> Ops;
  TRect Clip{0, 0, 10000, 10000};
  // Text metrics: a fixed width per character and a fixed height, so positions are exact.
  int CharWidth = 6;
  int CharHeight = 13;

  void Line(TPoint a, TPoint b) override { Add("Line", {a, b}); }
  void Polyline(const std::vector<TPoint>& p) override { Add("Polyline", p); }
  void Polygon(const std::vector<TPoint>& p) override { Add("Polygon", p); }
  void Rectangle(const TRect& r) override { Add("Rectangle", {{r.Left, r.Top}, {r.Right, r.Bottom}}); }
  void FillRect(const TRect& r) override { Add("FillRect", {{r.Left, r.Top}, {r.Right, r.Bottom}}); }
  void Ellipse(const TRect& r) override { Add("Ellipse", {{r.Left, r.Top}, {r.Right, r.Bottom}}); }
  void Arc(const TRect& r, TPoint s, TPoint e) override { Add("Arc", {{r.Left, r.Top}, {r.Right, r.Bottom}, s, e}); }
  void TextOut(int x, int y, const std::string& text) override
  {
    Add("TextOut", {{x, y}});
    Ops.back().Text = text;
  }
  TTextSize TextExtent(const std::string& text) override
  {
    // Counts UTF-8 characters, not bytes.
    int n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return {n * CharWidth, CharHeight};
  }
  void SetPixel(int x, int y, TColor color) override
  {
    Add("Pixel", {{x, y}});
    Ops.back().PixelColor = color;
  }
  TRect ClipRect() const override { return Clip; }

  std::vector<TRecordedOp> OfKind(const std::string& kind) const
  {
    std::vector<TRecordedOp> r;
    for (const auto& op : Ops)
      if (op.Kind == kind) r.push_back(op);
    return r;
  }

private:
  void Add(const char* kind, std::vector<TPoint> pts)
  {
    Ops.push_back({kind, std::move(pts), {}, Pen, Brush, Font, 0});
  }
};

} // namespace sonvela::testing
