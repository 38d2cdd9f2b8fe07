// A plain implementation of the first-reflection rules, written to be read rather than to be
// fast: every wall asked in list order, every candidate path checked against every opaque
// element. It leaves the section untouched and returns its results, so the tests and the
// benchmark can hold the production calculation against it.
#pragma once
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/reflections.h"

#include <array>
#include <vector>

namespace sonvela::testing {

struct TReferenceLine {
  const TSpectatorLine* Line = nullptr;
  std::array<TSpectatorPoint, SpectatorPointCount> Points{};
};

struct TReferenceResult {
  // Every spectator line that was calculated, in list order.
  std::vector<TReferenceLine> Lines;
  // FSegmentUsed of every wall line (floors included), in list order.
  std::vector<std::vector<bool>> SegmentUsed;
  bool ReflectorsLargeEnough = true;
};

namespace reference {

inline bool isReflector(const TElement* e)
{
  return e->FOpaque && dynamic_cast<const TWallPolyLine*>(e) && !dynamic_cast<const TPoglotWall*>(e);
}

// Some element other than a spectator line, with an outline, crosses the path p-s.
inline bool directBlocked(const TConstruction& section, TPoint p, TPoint s)
{
  for (const TElement* e : section.FElements.Items()) {
    auto* plane = dynamic_cast<const TPlaneElement*>(e);
    if (plane && !dynamic_cast<const TSpectatorLine*>(e) && plane->Crosses(p, s, -1)) return true;
  }
  return false;
}

// Some opaque element crosses p-r or s-r; the reflecting segment j of wall itself is skipped.
inline bool pathBlocked(const TConstruction& section, const TElement* wall, int j, TPoint p, TPoint s, TPoint r)
{
  for (const TElement* k : section.FElements.Items()) {
    auto* plane = dynamic_cast<const TPlaneElement*>(k);
    if (!k->FOpaque || !plane) continue;
    const int skip = k == wall ? j : -1;
    if (plane->Crosses(p, r, skip) || plane->Crosses(s, r, skip)) return true;
  }
  return false;
}

// The shortest unobstructed reflection off one wall; 1e21 when there is none.
inline double wallReflection(const TConstruction& section, const TWallPolyLine* wall, TPoint p, TPoint s, int& segment,
                             TPoint& r)
{
  double best = 1e21;
  segment = -1;
  r = {};
  for (int j = 0; j + 1 < wall->NodeCount(); ++j) {
    TPoint q;
    if (!ReflectionPoint(p, s, wall->NodePoint(j), wall->NodePoint(j + 1), q)) continue;
    if (pathBlocked(section, wall, j, p, s, q)) continue;
    const double length = Distance(p, q) + Distance(q, s);
    if (length < best) {
      best = length;
      r = q;
      segment = j;
    }
  }
  return best;
}

} // namespace reference

inline TReferenceResult referenceReflections(const TConstruction& section)
{
  using namespace reference;
  TReferenceResult result;
  const auto& elements = section.FElements.Items();
  std::vector<const TWallPolyLine*> walls;
  for (const TElement* e : elements)
    if (auto* w = dynamic_cast<const TWallPolyLine*>(e)) {
      walls.push_back(w);
      result.SegmentUsed.emplace_back(w->NodeCount() < 2 ? 0 : w->NodeCount() - 1, false);
    }

  const TSound* source = CalculationSource(section);
  bool anyLine = false;
  for (const TElement* e : elements) anyLine = anyLine || dynamic_cast<const TSpectatorLine*>(e);
  if (source && anyLine) {
    const TPoint s = source->FNode->FPoint;
    for (const TElement* e : elements) {
      auto* line = dynamic_cast<const TSpectatorLine*>(e);
      if (!line || line->NodeCount() < 2) continue;
      TReferenceLine out;
      out.Line = line;
      const TPoint a = line->NodePoint(0), b = line->NodePoint(1);
      for (int i = 0; i <= 200; ++i) {
        TSpectatorPoint& pt = out.Points[static_cast<std::size_t>(i)];
        const double t = i / 200.0;
        const long double x = b.X * static_cast<long double>(t) + (1 - static_cast<long double>(t)) * a.X;
        const long double y = b.Y * static_cast<long double>(t) + (1 - static_cast<long double>(t)) * a.Y;
        pt.Pos = {static_cast<float>(x), static_cast<float>(y)};
        const TPoint p = RealToPoint(pt.Pos);
        pt.InDirectZone = Distance(p, s) <= source->FRange;
        pt.DirectVisible = !directBlocked(section, p, s);
      }
      for (int i = 0; i < 200; ++i) {
        TSpectatorPoint& pt = out.Points[static_cast<std::size_t>(i)];
        const TPoint p = RealToPoint(pt.Pos);
        double best = 1e20;
        bool found = false;
        TPoint bestPoint;
        int bestWall = -1, bestSegment = -1;
        for (std::size_t w = 0; w < walls.size(); ++w) {
          if (!isReflector(walls[w])) continue;
          int segment;
          TPoint r;
          const double length = wallReflection(section, walls[w], p, s, segment, r);
          if (length < best) {
            best = length;
            bestPoint = r;
            found = true;
            bestWall = static_cast<int>(w);
            bestSegment = segment;
          }
        }
        pt.Delay = (best - Distance(p, s)) / 340;
        pt.Found = found;
        pt.Reflection = found ? bestPoint : TPoint{};
        if (found) result.SegmentUsed[static_cast<std::size_t>(bestWall)][static_cast<std::size_t>(bestSegment)] = true;
      }
      result.Lines.push_back(out);
    }
  }

  for (std::size_t w = 0; w < walls.size(); ++w)
    for (std::size_t j = 0; j < result.SegmentUsed[w].size(); ++j)
      if (result.SegmentUsed[w][j] &&
          Distance(walls[w]->NodePoint(int(j)), walls[w]->NodePoint(int(j) + 1)) / 1000 < 2.0)
        result.ReflectorsLargeEnough = false;
  return result;
}

} // namespace sonvela::testing
