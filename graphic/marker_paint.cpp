// Control markers on the drawing: labels and colours from the computed points, the flag and
// the sound paths of each marker.
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/markers.h"
#include "graphic/reflections.h"
#include "graphic/strings.h"
#include "graphic/view_base.h"

#include <charconv>

namespace sonvela {

namespace {

// v with two decimals ("%.2f" without the C locale), the separator in place of the point.
std::string formatDelay(double v, const std::string& separator)
{
  char buf[400];  // enough for any double in fixed notation
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  std::string text(buf, res.ptr);
  if (const auto dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, separator);
  return text;
}

// The first n characters of a UTF-8 text.
std::string firstChars(const std::string& text, std::size_t n)
{
  std::size_t i = 0;
  for (std::size_t chars = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == n) break;
  }
  return text.substr(0, i);
}

// The computed point a marker sits on, once its line has results.
const TSpectatorPoint* markedPoint(const TMarker& m)
{
  if (!m.IsBound() || !m.FLine->FCalculated || m.FIndex < 0 || m.FIndex >= SpectatorPointCount - 1) return nullptr;
  return &m.FLine->FPoints[static_cast<std::size_t>(m.FIndex)];
}

void paintMarker(const TMarker& m, TViewBase& view, TColor color)
{
  TCanvas& c = view.Canvas();
  c.Pen.Mode = TPenMode::Copy;
  c.Pen.Color = color;
  c.Pen.Style = TPenStyle::Solid;
  c.Pen.Width = 1;
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::Solid;
  c.Font.Color = color;
  struct TFontBack {
    TCanvas& C;
    ~TFontBack() { C.Font.Color = clBlack; }
  } fontBack{c};

  const TPoint at = view.PointToPixel(m.FPos);
  const int x = at.X, y = at.Y;
  const TTextSize text = c.TextExtent(m.FText);
  const int w = text.cx, h = text.cy;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) c.SetPixel(x + dx, y + dy, c.Pen.Color);
  c.Line({x, y}, {x, y - 14 - h});
  c.Rectangle({x, y - 14 - h, x + 5 + w, y - 10});
  c.TextOut(x + 2, y - 13 - h, m.FText);

  // The sound paths to the point. Without a source (deleted after the calculation) there is
  // nothing to draw them from, and the flag alone is shown.
  const TSpectatorPoint* p = markedPoint(m);
  if (!p || !p->DirectVisible || !p->Found || !m.FLine->FConstruction) return;
  const TSound* source = CalculationSource(*m.FLine->FConstruction);
  if (!source) return;
  const TPoint s = view.PointToPixel(source->FNode->FPoint);
  c.Pen.Color = m.FColor;
  c.MoveTo(s.X, s.Y);
  c.LineTo(x, y);
  if (!m.FInDirectZone) {
    const TPoint r = view.PointToPixel(p->Reflection);
    c.LineTo(r.X, r.Y);
    c.LineTo(s.X, s.Y);
  }
}

} // namespace

void TMarker::Update(const std::string& separator)
{
  const TSpectatorPoint* p = markedPoint(*this);
  if (!p) return;
  FPos = RealToPoint(p->Pos);
  FText = firstChars(formatDelay(p->Delay, separator), MarkerTextMax);
  FInDirectZone = p->InDirectZone;
  const TFieldClass row = ClassifyFieldPoint(*p);
  FColor = FieldClassColor(row);
  switch (row) {
  case TFieldClass::Obstructed: FText = strings::MarkerObstructed; break;
  case TFieldClass::DirectZone: FText = strings::MarkerDirectZone; break;
  case TFieldClass::NoReflection: FText = strings::MarkerNoReflection; break;
  default: break;
  }
}

void TMarker::Draw(TViewBase& view)
{
  Update(view.DecimalSeparator());
  paintMarker(*this, view, clBlack);
}

void TMarker::DrawSelected(TViewBase& view)
{
  paintMarker(*this, view, clRed);
}

void TMarkers::DrawAll(TViewBase& view)
{
  for (TMarker* m : FItems) m->Draw(view);
}

} // namespace sonvela
