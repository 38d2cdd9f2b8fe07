// Drawing elements of a hall section: painting, hit tests, outline editing and records.
#include "graphic/elements.h"

#include "core/errors.h"
#include "core/numeric.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/strings.h"
#include "graphic/view_base.h"

#include <algorithm>
#include <optional>
#include <string>

namespace sonvela {

// ---- TNode, TStoredObject, TElement ----

void TNode::DrawSelected(TViewBase& view) const
{
  view.DrawMark(FPoint);
}

TStoredObject::TStoredObject() : FConstruction(CurrentConstruction) {}

void TStoredObject::SaveToStream(TBinaryWriter&) const {}

void TStoredObject::LoadFromStream(TBinaryReader&) {}

TNode* TElement::ClaimNode(TBinaryReader& r, std::size_t at, std::int32_t index)
{
  SONVELA_ASSERT(FConstruction != nullptr);
  const TNodeList& nodes = FConstruction->FNodes;
  if (index < 0 || index >= nodes.Count()) r.FailAt(strings::ErrNodeIndex + std::to_string(index), at);
  TNode* node = nodes[index];
  // Each element destroys its own nodes: a node held twice would be destroyed twice.
  if (node->FOwner) r.FailAt(strings::ErrNodeShared + std::to_string(index), at);
  node->FOwner = this;
  return node;
}

std::int32_t TElement::NodeIndex(const TNode* node) const
{
  return FConstruction ? FConstruction->FNodes.IndexOf(node) : -1;
}

void TElement::DestroyNode(TNode* node)
{
  if (FConstruction) {
    FConstruction->FNodes.Remove(node);
    FConstruction->FSizes.DeleteUsing(node);
  }
  delete node;
}

// ---- TPlaneElement ----

void TPlaneElement::SetPen(TCanvas& c) const
{
  c.Pen.Color = FColor;
  c.Pen.Style = FStyle;
  c.Pen.Width = FWidth;
}

namespace {

void setSelectionPen(TCanvas& c)
{
  c.Pen.Color = clRed;
  c.Pen.Width = 5;
  c.Pen.Style = TPenStyle::Solid;
  c.Pen.Mode = TPenMode::NotXor;
}

} // namespace

// ---- TPolygon ----

TPolygon::~TPolygon()
{
  while (!FNodes.empty()) {
    TNode* node = FNodes.back();
    FNodes.pop_back();
    DestroyNode(node);
  }
}

void TPolygon::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(NodeCount());
  for (const TNode* n : FNodes) w.WriteInt32(NodeIndex(n));
}

void TPolygon::LoadFromStream(TBinaryReader& r)
{
  const std::size_t n = r.CheckCount(r.ReadInt32(), 4, strings::WhatElementNodes);
  FNodes.reserve(FNodes.size() + n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = r.Offset();
    FNodes.push_back(ClaimNode(r, at, r.ReadInt32()));
  }
}

std::vector<TPoint> TPolygon::ScreenPoints(TViewBase& view) const
{
  std::vector<TPoint> pts;
  pts.reserve(FNodes.size() + 1);
  for (const TNode* n : FNodes) pts.push_back(view.PointToPixel(n->FPoint));
  return pts;
}

void TPolygon::Draw(TViewBase& view)
{
  if (!IsCorrect()) return;
  TCanvas& c = view.Canvas();
  SetPen(c);
  c.Polygon(ScreenPoints(view));
}

void TPolygon::DrawSelected(TViewBase& view)
{
  if (!IsCorrect()) return;
  TCanvas& c = view.Canvas();
  TPenModeRestorer restore(c);
  setSelectionPen(c);
  std::vector<TPoint> pts = ScreenPoints(view);
  pts.push_back(pts.front());
  c.Polyline(pts);
}

double TPolygon::DistanceTo(TPoint p) const
{
  SONVELA_ASSERT(IsCorrect());
  double best = DistanceToSegment(p, FNodes.back()->FPoint, FNodes.front()->FPoint);
  for (std::size_t i = 0; i + 1 < FNodes.size(); ++i)
    best = std::min(best, DistanceToSegment(p, FNodes[i]->FPoint, FNodes[i + 1]->FPoint));
  return best;
}

bool TPolygon::IsCorrect() const
{
  if (FNodes.size() < 3) return false;
  for (std::size_t i = 0; i < FNodes.size(); ++i) {
    const TNode* next = FNodes[(i + 1) % FNodes.size()];
    if (ManhattanDistance(FNodes[i]->FPoint, next->FPoint) < NearTolerance) return false;
  }
  return true;
}

TNode* TPolygon::NearestEdgeNode(TPoint p) const
{
  // The closing edge counts for the open lines too.
  TNode* best = nullptr;
  double bestDistance = 0;
  for (std::size_t i = 0; i < FNodes.size(); ++i) {
    const TNode* next = FNodes[(i + 1) % FNodes.size()];
    const double d = DistanceToSegment(p, FNodes[i]->FPoint, next->FPoint);
    if (!best || d < bestDistance) {
      best = FNodes[i];
      bestDistance = d;
    }
  }
  return best;
}

void TPolygon::DrawSelectedEdge(TViewBase& view, TNode* node)
{
  SONVELA_ASSERT(IsCorrect());
  const auto it = std::find(FNodes.begin(), FNodes.end(), node);
  SONVELA_ASSERT(it != FNodes.end());
  TCanvas& c = view.Canvas();
  TPenModeRestorer restore(c);
  setSelectionPen(c);
  DrawEdge(view, static_cast<std::int32_t>(it - FNodes.begin()));
}

bool TPolygon::Contains(TPoint p) const
{
  // Crossings of a vertical ray through p.
  bool inside = false;
  for (std::size_t i = 0; i < FNodes.size(); ++i) {
    const TPoint a = FNodes[i]->FPoint;
    const TPoint b = FNodes[(i + 1) % FNodes.size()]->FPoint;
    if (a.X == b.X) continue;
    if (b.X > a.X ? !(a.X <= p.X && p.X <= b.X) : !(b.X <= p.X && p.X <= a.X)) continue;
    // Differences of 32-bit coordinates take 33 bits, their products up to 66.
    const __int128 t1 = static_cast<__int128>(std::int64_t(b.Y) - a.Y) * (std::int64_t(p.X) - a.X);
    const __int128 t2 = static_cast<__int128>(std::int64_t(b.X) - a.X) * (std::int64_t(p.Y) - a.Y);
    if ((t1 >= t2) != (b.X < a.X)) inside = !inside;
  }
  return inside;
}

bool TPolygon::Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const
{
  if (FNodes.size() < 2) return false;
  TPoint r;
  for (std::size_t i = 0; i < FNodes.size(); ++i) {
    if (static_cast<std::int32_t>(i) == skipEdge) continue;
    if (SegmentsIntersect(p1, p2, FNodes[i]->FPoint, FNodes[(i + 1) % FNodes.size()]->FPoint, r)) return true;
  }
  return false;
}

TNode* TPolygon::AddNode(TPoint p)
{
  auto* node = new TNode(this);
  node->FPoint = p;
  if (FConstruction) FConstruction->FNodes.Add(node);
  FNodes.push_back(node);
  return node;
}

void TPolygon::DeleteNode(TNode* node)
{
  const auto it = std::find(FNodes.begin(), FNodes.end(), node);
  SONVELA_ASSERT(it != FNodes.end());
  FNodes.erase(it);
  DestroyNode(node);
}

void TPolygon::DeleteLastNode()
{
  if (!FNodes.empty()) DeleteNode(FNodes.back());
}

void TPolygon::DrawEdge(TViewBase& view, std::int32_t index)
{
  const std::int32_t n = NodeCount();
  SONVELA_ASSERT(index >= 0 && index < n);
  const std::int32_t next = index == n - 1 ? 0 : index + 1;
  view.Canvas().Line(view.PointToPixel(NodePoint(index)), view.PointToPixel(NodePoint(next)));
}

// ---- TPolyLine ----

void TPolyLine::Draw(TViewBase& view)
{
  if (!IsCorrect()) return;
  TCanvas& c = view.Canvas();
  SetPen(c);
  c.Polyline(ScreenPoints(view));
}

void TPolyLine::DrawSelected(TViewBase& view)
{
  if (!IsCorrect()) return;
  TCanvas& c = view.Canvas();
  TPenModeRestorer restore(c);
  setSelectionPen(c);
  c.Polyline(ScreenPoints(view));
}

double TPolyLine::DistanceTo(TPoint p) const
{
  SONVELA_ASSERT(IsCorrect());
  double best = DistanceToSegment(p, FNodes[0]->FPoint, FNodes[1]->FPoint);
  for (std::size_t i = 1; i + 1 < FNodes.size(); ++i)
    best = std::min(best, DistanceToSegment(p, FNodes[i]->FPoint, FNodes[i + 1]->FPoint));
  return best;
}

bool TPolyLine::IsCorrect() const
{
  return FNodes.size() >= 2;
}

bool TPolyLine::Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const
{
  TPoint r;
  for (std::size_t i = 0; i + 1 < FNodes.size(); ++i) {
    if (static_cast<std::int32_t>(i) == skipEdge) continue;
    if (SegmentsIntersect(p1, p2, FNodes[i]->FPoint, FNodes[i + 1]->FPoint, r)) return true;
  }
  return false;
}

void TPolyLine::DrawEdge(TViewBase& view, std::int32_t index)
{
  const std::int32_t n = NodeCount();
  SONVELA_ASSERT(index >= 0 && index < n && n >= 2);
  const std::int32_t other = index == n - 1 ? index - 1 : index + 1;
  view.Canvas().Line(view.PointToPixel(NodePoint(index)), view.PointToPixel(NodePoint(other)));
}

// ---- walls, floor, spectator line ----

TWallPolyLine::TWallPolyLine()
{
  FOpaque = true;
  FWidth = 2;
}

TPoglotWall::TPoglotWall()
{
  FColor = clTeal;
}

TSpectatorLine::TSpectatorLine()
{
  FWidth = 2;
  FColor = clGray;
}

TSpectatorLine::~TSpectatorLine()
{
  if (FConstruction) FConstruction->FMarkers.DeleteForLine(this);
}

// ---- TCircle ----

TCircle::~TCircle()
{
  if (FCentre) {
    TNode* centre = FCentre;
    FCentre = nullptr;
    DestroyNode(centre);
  }
}

void TCircle::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(NodeIndex(FCentre));
  w.WriteInt32(FRadius);
}

void TCircle::LoadFromStream(TBinaryReader& r)
{
  SONVELA_ASSERT(FCentre == nullptr);
  const std::size_t at = r.Offset();
  FCentre = ClaimNode(r, at, r.ReadInt32());
  FRadius = r.ReadInt32();
}

void TCircle::Draw(TViewBase& view)
{
  if (!IsCorrect()) return;
  const TPoint c = view.PointToPixel(FCentre->FPoint);
  const int r = view.LengthToPixels(FRadius);
  view.Canvas().Ellipse({c.X - r, c.Y - r, c.X + r, c.Y + r});
}

void TCircle::DrawSelected(TViewBase& view)
{
  if (!FCentre) return;
  TCanvas& cv = view.Canvas();
  TPenModeRestorer restore(cv);
  setSelectionPen(cv);
  const TPoint c = view.PointToPixel(FCentre->FPoint);
  const int r = view.LengthToPixels(FRadius);
  cv.Arc({c.X - r, c.Y - r, c.X + r, c.Y + r}, {c.X + r, c.Y}, {c.X + r, c.Y});
}

double TCircle::DistanceTo(TPoint p) const
{
  return FCentre ? Distance(p, FCentre->FPoint) : 1e20;
}

bool TCircle::IsCorrect() const
{
  return FCentre != nullptr && FRadius > 100;
}

void TCircle::DrawSelectedEdge(TViewBase& view, TNode* node)
{
  SONVELA_ASSERT(node == FCentre);
  DrawSelected(view);
}

bool TCircle::Contains(TPoint p) const
{
  if (!FCentre) return false;
  const std::int64_t dx = std::int64_t(p.X) - FCentre->FPoint.X;
  const std::int64_t dy = std::int64_t(p.Y) - FCentre->FPoint.Y;
  const __int128 r = FRadius;
  // In 128 bits: the squares of 33-bit differences overflow 64 bits.
  const __int128 d2 = static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy;
  return d2 <= r * r;
}

bool TCircle::Crosses(TPoint p1, TPoint p2, std::int32_t) const
{
  return FCentre && DistanceToSegment(FCentre->FPoint, p1, p2) <= FRadius;
}

TNode* TCircle::CreateCentre(TPoint p)
{
  SONVELA_ASSERT(FCentre == nullptr);
  FCentre = new TNode(this);
  FCentre->FPoint = p;
  if (FConstruction) FConstruction->FNodes.Add(FCentre);
  return FCentre;
}

// ---- point elements ----

TPointElement::~TPointElement()
{
  if (FNode) {
    TNode* node = FNode;
    FNode = nullptr;
    DestroyNode(node);
  }
}

void TPointElement::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(NodeIndex(FNode));
}

void TPointElement::LoadFromStream(TBinaryReader& r)
{
  SONVELA_ASSERT(FNode == nullptr);
  const std::size_t at = r.Offset();
  FNode = ClaimNode(r, at, r.ReadInt32());
}

double TPointElement::DistanceTo(TPoint p) const
{
  return FNode ? Distance(p, FNode->FPoint) : 1e20;
}

TNode* TPointElement::CreateNode(TPoint p)
{
  SONVELA_ASSERT(FNode == nullptr);
  FNode = new TNode(this);
  FNode->FPoint = p;
  if (FConstruction) FConstruction->FNodes.Add(FNode);
  return FNode;
}

void TPointElement::DrawSquare(TViewBase& view, TColor fill, bool selected)
{
  if (!FNode) return;
  TCanvas& c = view.Canvas();
  // The highlight leaves the pen in copy mode, whatever way painting ends.
  std::optional<TPenModeRestorer> restore;
  if (selected) restore.emplace(c);
  c.Brush.Color = fill;
  c.Brush.Style = TBrushStyle::Solid;
  c.Pen.Color = selected ? clRed : clBlack;
  c.Pen.Style = TPenStyle::Solid;
  c.Pen.Width = selected ? 4 : 1;
  if (selected) c.Pen.Mode = TPenMode::NotXor;
  const TPoint s = view.PointToPixel(FNode->FPoint);
  c.Rectangle({s.X - 3, s.Y - 3, s.X + 3, s.Y + 3});
}

TSound::~TSound()
{
  // Only the section's own source reference names this element.
  if (FConstruction && FConstruction->FElements.FSound == this) FConstruction->FElements.FSound = nullptr;
}

void TSound::Draw(TViewBase& view)
{
  DrawSquare(view, clYellow, false);
}

void TSound::DrawSelected(TViewBase& view)
{
  DrawSquare(view, clYellow, true);
}

void TSpectatorPlace::Draw(TViewBase& view)
{
  DrawSquare(view, clRed, false);
}

void TSpectatorPlace::DrawSelected(TViewBase& view)
{
  DrawSquare(view, clYellow, true);
}

// ---- factory ----

bool IsElementTag(std::uint8_t tag)
{
  return tag <= 6;
}

TElement* CreateElement(std::uint8_t tag)
{
  switch (tag) {
  case 0: return new TPolygon;
  case 1: return new TCircle;
  case 2: return new TSound;
  case 3: return new TWallPolyLine;
  case 4: return new TSpectatorPlace;
  case 5: return new TSpectatorLine;
  case 6: return new TPoglotWall;
  }
  SONVELA_ASSERT(false);
  return nullptr;
}

} // namespace sonvela
