// The highlight primitives every view shares.
#include "graphic/view_base.h"

namespace sonvela {

namespace {

void setHighlightPen(TCanvas& c, TColor color)
{
  c.Pen.Color = color;
  c.Pen.Style = TPenStyle::Solid;
  c.Pen.Mode = TPenMode::NotXor;
  c.Pen.Width = 1;
  c.Brush.Style = TBrushStyle::Clear;
}

} // namespace

void TViewBase::DrawMark(TPoint p)
{
  TCanvas& c = Canvas();
  TPenModeRestorer restore(c);
  setHighlightPen(c, clRed);
  const TPoint s = PointToPixel(p);
  c.Rectangle({s.X - 5, s.Y - 5, s.X + 5, s.Y + 5});
}

void TViewBase::DrawLine(TPoint p1, TPoint p2, TColor color)
{
  TCanvas& c = Canvas();
  TPenModeRestorer restore(c);
  setHighlightPen(c, color);
  c.Line(PointToPixel(p1), PointToPixel(p2));
}

void TViewBase::DrawTriangle(TPoint p1, TPoint p2, TPoint p3, TColor color)
{
  TCanvas& c = Canvas();
  TPenModeRestorer restore(c);
  setHighlightPen(c, color);
  const TPoint a = PointToPixel(p1), b = PointToPixel(p2), d = PointToPixel(p3);
  c.Polyline({a, b, d, a});
}

} // namespace sonvela
