// Dimensions: drawing, text points, imposing values and records.
#include "graphic/dimensions.h"

#include "core/errors.h"
#include "core/numeric.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/strings.h"
#include "graphic/view_base.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace sonvela {

namespace {

std::int32_t fitInt32(std::int64_t v)
{
  if (v < INT32_MIN || v > INT32_MAX) throw ERangeError("Integer overflow");
  return static_cast<std::int32_t>(v);
}

// Halves truncate toward zero; the sum is formed in 64 bits so it cannot overflow.
std::int32_t midpoint(std::int32_t a, std::int32_t b)
{
  return static_cast<std::int32_t>((std::int64_t(a) + b) / 2);
}

int pixelMid(int a, int b)
{
  return static_cast<int>((std::int64_t(a) + b) / 2);
}

} // namespace

void DrawArrow(TCanvas& canvas, TPoint tail, TPoint tip)
{
  double c, s;
  UnitVector(tip, tail, c, s);
  const double a = 8 * c;
  const double b = 8 * s;
  canvas.Line(tip, {tip.X + roundToInt(0.87 * a - 0.5 * b), tip.Y + roundToInt(0.5 * a + 0.87 * b)});
  canvas.Line(tip, {tip.X + roundToInt(0.87 * a + 0.5 * b), tip.Y + roundToInt(-0.5 * a + 0.87 * b)});
}

// ---- TSize ----

void TSize::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(FConstruction ? FConstruction->FNodes.IndexOf(FNode) : -1);
  w.WriteInt32(FOffset.X);
  w.WriteInt32(FOffset.Y);
}

void TSize::LoadFromStream(TBinaryReader& r)
{
  const TCommon common = ReadCommon(r);
  FNode = common.Node;
  FOffset = common.Offset;
}

TNode* TSize::ResolveNode(TBinaryReader& r, std::size_t at, std::int32_t index) const
{
  SONVELA_ASSERT(FConstruction != nullptr);
  if (index < 0 || index >= FConstruction->FNodes.Count())
    r.FailAt(strings::ErrNodeIndex + std::to_string(index), at);
  return FConstruction->FNodes[index];
}

TSize::TCommon TSize::ReadCommon(TBinaryReader& r) const
{
  TCommon c;
  const std::size_t at = r.Offset();
  c.Node = ResolveNode(r, at, r.ReadInt32());
  c.Offset.X = r.ReadInt32();
  c.Offset.Y = r.ReadInt32();
  return c;
}

std::string TSize::ValueText(TViewBase& view) const
{
  return lengthToStr(GetValue(), view.DecimalSeparator());
}

void TSize::DrawNormal(TViewBase& view)
{
  TCanvas& c = view.Canvas();
  c.Pen.Color = clBlack;
  c.Pen.Mode = TPenMode::Copy;
  c.Font.Color = clBlack;
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::Solid;
  Draw(view, true);
}

void TSize::DrawSelected(TViewBase& view)
{
  TCanvas& c = view.Canvas();
  c.Pen.Color = clRed;
  c.Font.Color = clRed;
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::Solid;
  Draw(view, true);
}

void TSize::DrawXor(TViewBase& view)
{
  TCanvas& c = view.Canvas();
  TPenModeRestorer restore(c);
  c.Pen.Color = clRed;
  c.Pen.Mode = TPenMode::NotXor;
  c.Font.Color = clRed;
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::Solid;
  Draw(view, false);
}

double TSize::DistanceTo(TPoint p) const
{
  return Distance(p, GetTextPoint());
}

// ---- TLinearSize ----

void TLinearSize::SaveToStream(TBinaryWriter& w) const
{
  TSize::SaveToStream(w);
  w.WriteByte(FKind);
  w.WriteInt32(FConstruction ? FConstruction->FNodes.IndexOf(FNode2) : -1);
}

void TLinearSize::LoadFromStream(TBinaryReader& r)
{
  // Everything is checked before anything is assigned, so a failed read (or an undo entry
  // taken back in another section) leaves the dimension as it was.
  const TCommon common = ReadCommon(r);
  const std::size_t kindAt = r.Offset();
  const std::uint8_t kind = r.ReadByte();
  if (kind > skAligned) r.FailAt(strings::ErrUnknownSizeKind + std::to_string(kind), kindAt);
  const std::size_t at = r.Offset();
  TNode* node2 = ResolveNode(r, at, r.ReadInt32());
  FNode = common.Node;
  FOffset = common.Offset;
  FKind = kind;
  FNode2 = node2;
}

TPoint TLinearSize::AlignedShift() const
{
  double c, s;
  UnitVector(FNode->FPoint, FNode2->FPoint, c, s);
  const double d = FOffset.X * s - FOffset.Y * c;
  return {roundToInt(s * d), roundToInt(-c * d)};
}

void TLinearSize::Draw(TViewBase& view, bool withText)
{
  if (!IsCorrect()) return;
  TCanvas& c = view.Canvas();
  const TPoint n1 = FNode->FPoint, n2 = FNode2->FPoint;
  const TPoint s1 = view.PointToPixel(n1), s2 = view.PointToPixel(n2);
  TPoint e1, e2, shift;
  switch (FKind) {
  case skHorizontal: {
    const int y = view.YToPixel(checkedAdd(n1.Y, FOffset.Y));
    e1 = {s1.X, y};
    e2 = {s2.X, y};
    break;
  }
  case skVertical: {
    const int x = view.XToPixel(checkedAdd(n1.X, FOffset.X));
    e1 = {x, s1.Y};
    e2 = {x, s2.Y};
    break;
  }
  default:
    shift = AlignedShift();
    e1 = view.PointToPixel(AddPoints(n1, shift));
    e2 = view.PointToPixel(AddPoints(n2, shift));
    break;
  }
  c.Pen.Style = TPenStyle::Solid;
  c.Pen.Width = 1;
  c.Line(s1, e1);
  c.Line(s2, e2);
  c.Line(e2, e1);
  DrawArrow(c, e1, e2);
  if (!FConstruction || FConstruction->FDoubleArrows) DrawArrow(c, e2, e1);
  if (!withText) return;
  const std::string text = ValueText(view);
  const TTextSize size = c.TextExtent(text);
  const int w = size.cx, h = size.cy;
  switch (FKind) {
  case skHorizontal:
    c.TextOut(static_cast<int>((std::int64_t(e1.X) + e2.X - w) / 2), e1.Y - 2 - h, text);
    break;
  case skVertical:
    c.TextOut(e1.X + 2, static_cast<int>((std::int64_t(e1.Y) + e2.Y - h) / 2), text);
    break;
  default: {
    const int x = pixelMid(e1.X, e2.X) + 2;
    const bool oneNegative = (shift.X < 0) != (shift.Y < 0);
    const int y = oneNegative ? pixelMid(e1.Y, e2.Y) + 2 : pixelMid(e1.Y, e2.Y) - h - 2;
    c.TextOut(x, y, text);
    break;
  }
  }
}

TPoint TLinearSize::GetTextPoint() const
{
  SONVELA_ASSERT(IsCorrect());
  const TPoint n1 = FNode->FPoint, n2 = FNode2->FPoint;
  switch (FKind) {
  case skHorizontal: return {midpoint(n1.X, n2.X), checkedAdd(n1.Y, FOffset.Y)};
  case skVertical: return {checkedAdd(n1.X, FOffset.X), midpoint(n1.Y, n2.Y)};
  default: {
    const TPoint shift = AlignedShift();
    return {checkedAdd(midpoint(n1.X, n2.X), shift.X), checkedAdd(midpoint(n1.Y, n2.Y), shift.Y)};
  }
  }
}

std::int32_t TLinearSize::GetValue() const
{
  SONVELA_ASSERT(IsCorrect());
  const TPoint n1 = FNode->FPoint, n2 = FNode2->FPoint;
  switch (FKind) {
  case skHorizontal: return fitInt32(std::llabs(std::int64_t(n2.X) - n1.X));
  case skVertical: return fitInt32(std::llabs(std::int64_t(n2.Y) - n1.Y));
  default: return roundToInt(Distance(n1, n2));
  }
}

void TLinearSize::AdjustKind()
{
  if (!IsCorrect()) return;
  if (FNode->FPoint.X == FNode2->FPoint.X) FKind = skVertical;
  if (FNode->FPoint.Y == FNode2->FPoint.Y) FKind = skHorizontal;
}

void TLinearSize::SetValue(std::int32_t value)
{
  SONVELA_ASSERT(IsCorrect() && FConstruction != nullptr);
  TConstruction& section = *FConstruction;
  section.PrepareNodeMarks();
  FNode->FMoved = true;

  const TPoint n1 = FNode->FPoint, n2 = FNode2->FPoint;
  std::int64_t v = value;
  TPoint target;
  switch (FKind) {
  case skHorizontal:
    if (std::int64_t(n2.X) - n1.X < 0) v = -v;
    target = {fitInt32(n1.X + v), n2.Y};
    break;
  case skVertical:
    if (std::int64_t(n2.Y) - n1.Y < 0) v = -v;
    target = {n2.X, fitInt32(n1.Y + v)};
    break;
  default: {
    double c, s;
    UnitVector(n1, n2, c, s);
    target = {checkedAdd(n1.X, roundToInt(value * c)), checkedAdd(n1.Y, roundToInt(value * s))};
    break;
  }
  }

  // Every node is pushed at most once (pushing marks it moved), so the stack needs no more
  // room than the section has nodes.
  struct TMove {
    TNode* Node;
    TPoint Target;
  };
  std::vector<TMove> stack;
  stack.reserve(static_cast<std::size_t>(section.FNodes.Count()));
  auto push = [&](TNode* node, TPoint t) {
    node->FMoved = true;
    stack.push_back({node, t});
  };
  if (!FNode2->FMoved) push(FNode2, target);

  while (!stack.empty()) {
    const TMove move = stack.back();
    stack.pop_back();
    TNode* n = move.Node;
    const TPoint from = n->FPoint, t = move.Target;
    const bool dx = from.X != t.X;
    const bool dy = from.Y != t.Y;
    for (TNode* m : section.FNodes.Items()) {
      TPoint candidate = m->FPoint;
      bool follows = false;
      if (dx && !m->FMoved && !m->FFixedX && m->FPoint.X == from.X) {
        candidate.X = t.X;
        follows = true;
      }
      if (dy && !m->FFixedY && !m->FMoved && m->FPoint.Y == from.Y) {
        candidate.Y = t.Y;
        follows = true;
      }
      if (follows) push(m, candidate);
    }
    const TPoint shift = SubPoints(t, from);
    for (TSize* size : section.FSizes.Items()) {
      auto* linear = dynamic_cast<TLinearSize*>(size);
      if (linear && linear->FNode == n && linear->FNode2 && !linear->FNode2->FMoved)
        push(linear->FNode2, AddPoints(linear->FNode2->FPoint, shift));
    }
    n->FPoint = t;
  }
}

// ---- TCircleSize ----

void TCircleSize::SaveToStream(TBinaryWriter& w) const
{
  TSize::SaveToStream(w);
  w.WriteBoolean(FDiameter);
  w.WriteInt32(FConstruction ? FConstruction->FElements.IndexOf(FCircle) : -1);
}

void TCircleSize::LoadFromStream(TBinaryReader& r)
{
  const TCommon common = ReadCommon(r);
  const bool diameter = r.ReadBoolean();
  const std::size_t at = r.Offset();
  const std::int32_t index = r.ReadInt32();
  const TElementList& elements = FConstruction->FElements;
  if (index < 0 || index >= elements.Count()) r.FailAt(strings::ErrElementIndex + std::to_string(index), at);
  auto* circle = dynamic_cast<TCircle*>(elements[index]);
  if (!circle) r.FailAt(strings::ErrNotCircle + std::to_string(index), at);
  // The dimension goes with its circle through the centre node; on another node it would
  // outlive the circle.
  if (circle->FCentre != common.Node) r.FailAt(strings::ErrCircleCentre, at);
  FNode = common.Node;
  FOffset = common.Offset;
  FDiameter = diameter;
  FCircle = circle;
}

bool TCircleSize::IsCorrect() const
{
  return FNode && FCircle && FCircle->IsCorrect();
}

void TCircleSize::Draw(TViewBase& view, bool withText)
{
  if (!IsCorrect()) return;
  TCanvas& cv = view.Canvas();
  const TPoint centre = FNode->FPoint;
  const bool inside = FCircle->FRadius > Distance({0, 0}, FOffset);
  const TPoint c = view.PointToPixel(centre);
  TPoint t = view.PointToPixel(AddPoints(centre, FOffset));
  double cu, su;
  UnitVector(c, t, cu, su);
  const int r = view.LengthToPixels(FCircle->FRadius);
  const TPoint v{roundToInt(r * cu), roundToInt(r * su)};
  const TPoint a{c.X + v.X, c.Y + v.Y};
  const TPoint b{c.X - v.X, c.Y - v.Y};
  cv.Pen.Style = TPenStyle::Solid;
  cv.Pen.Width = 1;
  if (!FDiameter) {
    cv.Line(c, inside ? a : t);
    DrawArrow(cv, c, a);
  } else {
    cv.Line(b, inside ? a : t);
    DrawArrow(cv, c, a);
    DrawArrow(cv, c, b);
  }
  const std::string text = ValueText(view);
  const TTextSize size = cv.TextExtent(text);
  const int w = size.cx, h = size.cy;
  if (inside) t = c;
  const int ty = t.Y - h - 2;
  if (t.X >= c.X) {
    if (!inside) cv.Line(t, {t.X + w, t.Y});
    if (withText) cv.TextOut(t.X, ty, text);
  } else {
    if (!inside) cv.Line(t, {t.X - w, t.Y});
    if (withText) cv.TextOut(t.X - w, ty, text);
  }
}

TPoint TCircleSize::GetTextPoint() const
{
  SONVELA_ASSERT(FNode != nullptr);
  return AddPoints(FNode->FPoint, FOffset);
}

std::int32_t TCircleSize::GetValue() const
{
  SONVELA_ASSERT(FCircle != nullptr);
  return FDiameter ? fitInt32(2 * std::int64_t(FCircle->FRadius)) : FCircle->FRadius;
}

void TCircleSize::SetValue(std::int32_t value)
{
  SONVELA_ASSERT(FCircle != nullptr);
  if (FDiameter) value /= 2;
  if (value >= 100) FCircle->FRadius = value;
}

// ---- factory ----

bool IsSizeTag(std::uint8_t tag)
{
  return tag <= 1;
}

TSize* CreateSize(std::uint8_t tag)
{
  switch (tag) {
  case 0: return new TLinearSize;
  case 1: return new TCircleSize;
  }
  SONVELA_ASSERT(false);
  return nullptr;
}

} // namespace sonvela
