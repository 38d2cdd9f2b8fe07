// First reflections: point placement on spectator lines, the direct-sound tests, the shortest
// unobstructed single reflection of every point, the reflector-size flag, the coloured lines.
#include "graphic/reflections.h"

#include "core/numeric.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/view_base.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace sonvela {

// ---- the colour rule ----

TFieldClass ClassifyFieldPointByDelay(const TSpectatorPoint& p)
{
  if (!p.DirectVisible) return TFieldClass::Obstructed;
  if (p.InDirectZone) return TFieldClass::DirectZone;
  if (p.Delay <= DelayGoodLimit) return TFieldClass::Good;
  if (p.Delay <= DelayFairLimit) return TFieldClass::Fair;
  return TFieldClass::Late;
}

TFieldClass ClassifyFieldPoint(const TSpectatorPoint& p)
{
  if (p.DirectVisible && !p.InDirectZone && !p.Found) return TFieldClass::NoReflection;
  return ClassifyFieldPointByDelay(p);
}

TColor FieldClassColor(TFieldClass c)
{
  switch (c) {
  case TFieldClass::Obstructed: return clFuchsia;
  case TFieldClass::DirectZone: return clBlue;
  case TFieldClass::Good: return clGreen;
  case TFieldClass::Fair: return clYellow;
  case TFieldClass::NoReflection:
  case TFieldClass::Late: break;
  }
  return clRed;
}

TSound* CalculationSource(const TConstruction& section)
{
  TSound* source = section.FElements.FSound;
  if (!source) {
    for (TElement* e : section.FElements.Items())
      if ((source = dynamic_cast<TSound*>(e))) break;
  }
  return source && source->FNode ? source : nullptr;
}

namespace {

// ---- roles of the element classes ----

bool reflects(const TElement* e)
{
  return e->FOpaque && dynamic_cast<const TWallPolyLine*>(e) && !dynamic_cast<const TPoglotWall*>(e);
}

bool blocksDirectSound(const TElement* e)
{
  return dynamic_cast<const TPlaneElement*>(e) && !dynamic_cast<const TSpectatorLine*>(e);
}

// Open lines answer Crosses from their own segments alone, so the scene may test those
// segments directly; closed outlines and circles keep their own test.
bool crossesBySegments(const TElement* e)
{
  return dynamic_cast<const TPolyLine*>(e) != nullptr;
}

// ---- the literal rules, element by element in list order ----

// Point i of 0..200 on the line from a to b, in extended precision, stored in single.
TRealPoint pointOnLine(TPoint a, TPoint b, int i)
{
  const double t = i / 200.0;
  const long double lt = t;
  const long double x = b.X * lt + (1.0L - lt) * a.X;
  const long double y = b.Y * lt + (1.0L - lt) * a.Y;
  return {static_cast<float>(x), static_cast<float>(y)};
}

bool directBlockedLiteral(const TConstruction& section, TPoint p, TPoint s)
{
  for (const TElement* e : section.FElements.Items()) {
    if (!blocksDirectSound(e)) continue;
    if (static_cast<const TPlaneElement*>(e)->Crosses(p, s, -1)) return true;
  }
  return false;
}

// ---- the scene: the section's geometry laid out flat for the scans ----

// Within this bound every checked sum, every mirror image and every 64-bit product of the
// calculation stays far from overflow, so the order in which the scans try segments cannot
// change the outcome (no test can fail with an error that an earlier one would have
// pre-empted). Sections beyond it are computed by the literal scans.
constexpr std::int32_t FastBound = 1 << 27;

struct TBoxedSegment {
  TPoint A, B;
  std::int32_t MinX, MinY, MaxX, MaxY;
  const TElement* Owner;
  std::int32_t Index;
};

TBoxedSegment boxed(TPoint a, TPoint b, const TElement* owner, std::int32_t index)
{
  return {a, b, std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y), owner, index};
}

// A path from P1 to P2, prepared to pass over, before SegmentsIntersect is asked, the many
// segments that cannot meet it.
class TPath {
public:
  TPath(TPoint p1, TPoint p2)
      : P1(p1), P2(p2), MinX(std::min(p1.X, p2.X)), MinY(std::min(p1.Y, p2.Y)), MaxX(std::max(p1.X, p2.X)),
        MaxY(std::max(p1.Y, p2.Y)), Dx(std::int64_t(p2.X) - p1.X), Dy(std::int64_t(p2.Y) - p1.Y),
        Far2(FarDistance * FarDistance * (double(Dx) * double(Dx) + double(Dy) * double(Dy)))
  {
  }

  // False only where SegmentsIntersect(P1, P2, s.A, s.B) is false: s lies clear of the
  // path's box (its first step), or both ends of s lie on one side of the path's line and
  // more than FarDistance away from it. Then s does not reach the line, and every point of s
  // is farther than the tolerance from the line, so no end of s is near the path and no end
  // of the path is near s. The margin of one unit absorbs the rounding of the doubles.
  // SegmentsIntersect answers the same with its two segments swapped, so this serves for
  // either order.
  bool MayMeet(const TBoxedSegment& s) const
  {
    if (s.MinX > MaxX || s.MaxX < MinX || s.MinY > MaxY || s.MaxY < MinY) return false;
    return MayReachLine(s.A, s.B);
  }

  bool Meets(const TBoxedSegment& s) const
  {
    TPoint r;
    return MayMeet(s) && SegmentsIntersect(P1, P2, s.A, s.B, r);
  }

  const TPoint P1, P2;

private:
  static constexpr double FarDistance = NearTolerance + 1;

  bool MayReachLine(TPoint a, TPoint b) const
  {
    // Coordinates within FastBound keep these products inside 64 bits.
    const std::int64_t c1 = Dx * (std::int64_t(a.Y) - P1.Y) - Dy * (std::int64_t(a.X) - P1.X);
    const std::int64_t c2 = Dx * (std::int64_t(b.Y) - P1.Y) - Dy * (std::int64_t(b.X) - P1.X);
    if ((c1 > 0) != (c2 > 0) || c1 == 0 || c2 == 0) return true;
    const double nearer = double(std::min(std::abs(c1), std::abs(c2)));
    return nearer * nearer <= Far2;
  }

  const std::int32_t MinX, MinY, MaxX, MaxY;
  const std::int64_t Dx, Dy;
  const double Far2;
};

// A reflecting segment with the mirror image of the source in its line.
struct TMirror {
  TBoxedSegment Segment;
  TPoint Image;
  TWallPolyLine* Wall;
};

struct TCandidate {
  double Length;
  std::size_t Mirror;  // position in the (wall, segment) order, which breaks ties
  TPoint R;
};

class TScene {
public:
  TScene(const TConstruction& section, const TSound& source);

  const TConstruction& Section;
  const TPoint S;
  const double Range;
  bool Fast = true;

  // Blockers of the direct sound and of reflected paths: open lines as segments, other
  // outlines through their own test.
  std::vector<TBoxedSegment> DirectSegments;
  std::vector<const TPlaneElement*> DirectOthers;
  std::vector<TBoxedSegment> OpaqueSegments;
  std::vector<const TPlaneElement*> OpaqueOthers;
  // Every segment of every reflecting wall, walls in list order, segments in node order.
  std::vector<TMirror> Mirrors;
  // Work list of one point.
  std::vector<TCandidate> Candidates;

  bool DirectVisible(TPoint p) const;
  bool PathBlocked(TPoint from, TPoint r, const TElement* wall, std::int32_t segment) const;
};

TScene::TScene(const TConstruction& section, const TSound& source)
    : Section(section), S(source.FNode->FPoint), Range(source.FRange)
{
  auto within = [this](TPoint p) {
    if (std::abs(std::int64_t(p.X)) > FastBound || std::abs(std::int64_t(p.Y)) > FastBound) Fast = false;
  };
  within(S);
  for (const TElement* e : section.FElements.Items()) {
    if (auto* poly = dynamic_cast<const TPolygon*>(e))
      for (const TNode* n : poly->FNodes) within(n->FPoint);
    else if (auto* circle = dynamic_cast<const TCircle*>(e); circle && circle->FCentre)
      within(circle->FCentre->FPoint);
  }
  if (!Fast) return;

  for (TElement* e : section.FElements.Items()) {
    auto* plane = dynamic_cast<const TPlaneElement*>(e);
    if (!plane) continue;
    const bool direct = blocksDirectSound(e);
    const bool opaque = e->FOpaque;
    if (crossesBySegments(e)) {
      const auto* line = static_cast<const TPolyLine*>(e);
      for (std::int32_t j = 0; j + 1 < line->NodeCount(); ++j) {
        const TBoxedSegment seg = boxed(line->NodePoint(j), line->NodePoint(j + 1), e, j);
        if (direct) DirectSegments.push_back(seg);
        if (opaque) OpaqueSegments.push_back(seg);
      }
    } else {
      if (direct) DirectOthers.push_back(plane);
      if (opaque) OpaqueOthers.push_back(plane);
    }
    if (!reflects(e)) continue;
    auto* wall = static_cast<TWallPolyLine*>(e);
    for (std::int32_t j = 0; j + 1 < wall->NodeCount(); ++j) {
      const TPoint a = wall->NodePoint(j), b = wall->NodePoint(j + 1);
      // The mirror image of ReflectionPoint, made once per segment: the source is fixed.
      const double la = double(b.Y) - a.Y;
      const double lb = double(a.X) - b.X;
      const double lc = double(b.X) * a.Y - double(a.X) * b.Y;
      const double n = std::sqrt(la * la + lb * lb);
      if (n == 0) continue;  // a segment of zero length reflects nothing
      const double d = (la * S.X + lb * S.Y + lc) / n;
      const TPoint image{roundToInt(S.X - 2 * d * la / n), roundToInt(S.Y - 2 * d * lb / n)};
      Mirrors.push_back({boxed(a, b, e, j), image, wall});
    }
  }
}

bool TScene::DirectVisible(TPoint p) const
{
  if (!Fast) return !directBlockedLiteral(Section, p, S);
  const TPath path(p, S);
  for (const TBoxedSegment& s : DirectSegments)
    if (path.Meets(s)) return false;
  for (const TPlaneElement* e : DirectOthers)
    if (e->Crosses(p, S, -1)) return false;
  return true;
}

bool TScene::PathBlocked(TPoint from, TPoint r, const TElement* wall, std::int32_t segment) const
{
  const TPath path(from, r);
  for (const TBoxedSegment& s : OpaqueSegments)
    if (path.Meets(s) && !(s.Owner == wall && s.Index == segment)) return true;
  for (const TPlaneElement* e : OpaqueOthers)
    if (e->Crosses(from, r, -1)) return true;
  return false;
}

// Rules of one point's reflection, whichever way it is searched.
struct TBest {
  double Length = NoPathLength;
  bool Found = false;
  TPoint R;
  TWallPolyLine* Wall = nullptr;
  std::int32_t Segment = -1;
};

// Every wall in list order asked for its own best reflection, as the rules state them.
TBest bestReflectionLiteral(const TScene& scene, TPoint p)
{
  TBest best;
  for (TElement* e : scene.Section.FElements.Items()) {
    if (!reflects(e)) continue;
    auto* wall = static_cast<TWallPolyLine*>(e);
    std::int32_t segment = -1;
    TPoint r;
    const double length = wall->FindReflection(p, scene.S, segment, r);
    if (length < best.Length) {
      best = {length, true, r, wall, segment};
    }
  }
  return best;
}

// The same choice: the unobstructed candidate of least length, the earliest in (wall,
// segment) order on ties. Candidates are tried shortest first, so only the few that can
// still win pay for the obstruction test.
TBest bestReflectionFast(TScene& scene, TPoint p)
{
  auto& candidates = scene.Candidates;
  candidates.clear();
  for (std::size_t m = 0; m < scene.Mirrors.size(); ++m) {
    const TMirror& mirror = scene.Mirrors[m];
    if (!TPath(p, mirror.Image).MayMeet(mirror.Segment)) continue;
    TPoint r;
    if (!SegmentsIntersect(mirror.Segment.A, mirror.Segment.B, p, mirror.Image, r)) continue;
    const double length = Distance(p, r) + Distance(r, scene.S);
    // Beyond the starting value a path can never be chosen.
    if (length < NoPathLength) candidates.push_back({length, m, r});
  }
  std::sort(candidates.begin(), candidates.end(), [](const TCandidate& a, const TCandidate& b) {
    return a.Length < b.Length || (a.Length == b.Length && a.Mirror < b.Mirror);
  });
  for (const TCandidate& c : candidates) {
    const TMirror& mirror = scene.Mirrors[c.Mirror];
    const TElement* wall = mirror.Segment.Owner;
    const std::int32_t j = mirror.Segment.Index;
    if (scene.PathBlocked(p, c.R, wall, j) || scene.PathBlocked(scene.S, c.R, wall, j)) continue;
    return {c.Length, true, c.R, mirror.Wall, j};
  }
  return {};
}

void placePoints(TSpectatorLine& line, const TScene& scene)
{
  line.FStartNode = line.FNodes[0];
  line.FEndNode = line.FNodes[1];
  const TPoint a = line.FStartNode->FPoint, b = line.FEndNode->FPoint;
  for (int i = 0; i < SpectatorPointCount; ++i) {
    TSpectatorPoint& pt = line.FPoints[static_cast<std::size_t>(i)];
    pt.Pos = pointOnLine(a, b, i);
    const TPoint p = RealToPoint(pt.Pos);
    pt.InDirectZone = Distance(p, scene.S) <= scene.Range;
    pt.DirectVisible = scene.DirectVisible(p);
  }
}

void calculateLine(TSpectatorLine& line, TScene& scene, TViewBase* view)
{
  // A line without its two nodes has no points to compute (a record may hold one).
  if (!line.IsCorrect()) return;
  placePoints(line, scene);
  for (int i = 0; i < SpectatorPointCount - 1; ++i) {
    TSpectatorPoint& pt = line.FPoints[static_cast<std::size_t>(i)];
    const TPoint p = RealToPoint(pt.Pos);
    const TBest best = scene.Fast ? bestReflectionFast(scene, p) : bestReflectionLiteral(scene, p);
    pt.Delay = (best.Length - Distance(p, scene.S)) / SoundSpeed;
    pt.Found = best.Found;
    pt.Reflection = best.Found ? best.R : TPoint{};
    if (best.Found) {
      auto& used = best.Wall->FSegmentUsed;
      const auto j = static_cast<std::size_t>(best.Segment);
      // Walls edited since the last reset get their marks sized again.
      if (j >= used.size()) used.resize(static_cast<std::size_t>(best.Wall->NodeCount() - 1), false);
      used[j] = true;
    }
  }
  line.FCalculated = true;
  if (view) line.PaintField(*view);
}

} // namespace

// ---- operations of the model classes ----

bool TConstruction::CanCalculate() const
{
  bool hasLine = false;
  for (const TElement* e : FElements.Items())
    if (dynamic_cast<const TSpectatorLine*>(e)) {
      hasLine = true;
      break;
    }
  return hasLine && CalculationSource(*this) != nullptr;
}

void TConstruction::PaintFields(TViewBase& view)
{
  for (TElement* e : FElements.Items())
    if (auto* line = dynamic_cast<TSpectatorLine*>(e); line && line->FCalculated) line->PaintField(view);
}

void TElementList::CalcReflections(TViewBase* view)
{
  for (TElement* e : FItems)
    if (auto* wall = dynamic_cast<TWallPolyLine*>(e)) wall->ResetUsedSegments();
  if (FConstruction && FConstruction->CanCalculate()) {
    TScene scene(*FConstruction, *CalculationSource(*FConstruction));
    for (TElement* e : FItems)
      if (auto* line = dynamic_cast<TSpectatorLine*>(e)) calculateLine(*line, scene, view);
  }
  bool ok = true;
  for (TElement* e : FItems)
    if (auto* wall = dynamic_cast<TWallPolyLine*>(e)) ok = ok && wall->UsedSegmentsLongEnough(MinReflectorLength);
  if (FConstruction) FConstruction->FReflectorsLargeEnough = ok;
}

void TSpectatorLine::PlacePoints()
{
  if (!FConstruction || !FConstruction->CanCalculate() || !IsCorrect()) return;
  const TScene scene(*FConstruction, *CalculationSource(*FConstruction));
  placePoints(*this, scene);
}

void TSpectatorLine::Calculate(TViewBase* view)
{
  if (!FConstruction || !FConstruction->CanCalculate()) return;
  TScene scene(*FConstruction, *CalculationSource(*FConstruction));
  calculateLine(*this, scene, view);
}

void TSpectatorLine::PaintField(TViewBase& view)
{
  TCanvas& c = view.Canvas();
  c.Pen.Width = FieldPenWidth;
  for (std::size_t i = 0; i + 1 < FPoints.size(); ++i) {
    c.Pen.Color = FieldClassColor(ClassifyFieldPointByDelay(FPoints[i]));
    c.Line(view.PointToPixel(RealToPoint(FPoints[i].Pos)), view.PointToPixel(RealToPoint(FPoints[i + 1].Pos)));
  }
}

std::int32_t TSpectatorLine::NearestPointIndex(TPoint q) const
{
  std::int32_t best = 0;
  double bestDistance = Distance(RealToPoint(FPoints[0].Pos), q);
  for (std::int32_t i = 1; i < SpectatorPointCount - 1; ++i) {
    const double d = Distance(RealToPoint(FPoints[static_cast<std::size_t>(i)].Pos), q);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

void TWallPolyLine::ResetUsedSegments()
{
  FSegmentUsed.assign(FNodes.size() < 2 ? 0 : FNodes.size() - 1, false);
}

double TWallPolyLine::FindReflection(TPoint p, TPoint s, std::int32_t& segment, TPoint& r) const
{
  double best = NoWallPathLength;
  TPoint bestPoint;
  std::int32_t bestSegment = -1;
  for (std::int32_t j = 0; j + 1 < NodeCount(); ++j) {
    TPoint q;
    if (!ReflectionPoint(p, s, NodePoint(j), NodePoint(j + 1), q)) continue;
    bool blocked = false;
    if (FConstruction) {
      for (const TElement* k : FConstruction->FElements.Items()) {
        if (!k->FOpaque) continue;
        const auto* plane = dynamic_cast<const TPlaneElement*>(k);
        if (!plane) continue;  // a point has no segments to block with
        const std::int32_t skip = k == this ? j : -1;
        if (plane->Crosses(p, q, skip) || plane->Crosses(s, q, skip)) {
          blocked = true;
          break;
        }
      }
    }
    if (blocked) continue;
    const double length = Distance(p, q) + Distance(q, s);
    if (length < best) {
      best = length;
      bestPoint = q;
      bestSegment = j;
    }
  }
  segment = bestSegment;
  r = bestPoint;
  return best;
}

bool TWallPolyLine::UsedSegmentsLongEnough(double minLength) const
{
  for (std::size_t j = 0; j < FSegmentUsed.size() && j + 1 < FNodes.size(); ++j)
    if (FSegmentUsed[j] && Distance(FNodes[j]->FPoint, FNodes[j + 1]->FPoint) / 1000 < minLength) return false;
  return true;
}

} // namespace sonvela
