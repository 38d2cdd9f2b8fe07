// Sections built in code for the reflection tests and the benchmark: a small builder, random
// sections from a seed, and a large generated hall.
#pragma once
#include "graphic/construction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace sonvela::testing {

// Appends elements with their nodes to a section (which need not be the current one).
class TSectionBuilder {
public:
  explicit TSectionBuilder(TConstruction& section) : FSection(section) {}

  template <class T>
  T* Line(const std::vector<TPoint>& points)
  {
    auto* e = new T;
    FSection.FElements.Add(e);
    for (TPoint p : points) e->AddNode(p);
    return e;
  }
  TWallPolyLine* Wall(const std::vector<TPoint>& points) { return Line<TWallPolyLine>(points); }
  TPoglotWall* Floor(const std::vector<TPoint>& points) { return Line<TPoglotWall>(points); }
  TSpectatorLine* Spectators(TPoint a, TPoint b) { return Line<TSpectatorLine>({a, b}); }
  TPolygon* Polygon(const std::vector<TPoint>& points) { return Line<TPolygon>(points); }

  TCircle* Circle(TPoint centre, std::int32_t radius)
  {
    auto* c = new TCircle;
    FSection.FElements.Add(c);
    c->CreateCentre(centre);
    c->FRadius = radius;
    return c;
  }

  // The section's source; `referenced` false leaves it out of FSound, as records before
  // version 7 do.
  TSound* Source(TPoint p, double range = 9000.0, bool referenced = true)
  {
    auto* s = new TSound;
    FSection.FElements.Add(s);
    s->CreateNode(p);
    s->FRange = range;
    if (referenced) FSection.FElements.FSound = s;
    return s;
  }

  TSpectatorPlace* Place(TPoint p)
  {
    auto* s = new TSpectatorPlace;
    FSection.FElements.Add(s);
    s->CreateNode(p);
    return s;
  }

private:
  TConstruction& FSection;
};

// A random section: a few walls, floors and spectator lines in a box of 30 x 20 m, now and
// then a polygon, a circle, a zero-length segment, a degenerate line or a source outside the
// source reference. Coordinates are often on a coarse grid, so paths through vertices and
// collinear segments occur; one section in four is symmetric about the horizontal through
// the source, with its spectator lines on that axis, so that paths of equal length off
// different walls occur too. `scale` multiplies every coordinate.
inline void buildRandomSection(TConstruction& section, std::uint32_t seed, std::int32_t scale = 1)
{
  std::mt19937 rng(seed);
  auto below = [&](std::uint32_t n) { return static_cast<std::int32_t>(rng() % n); };
  const std::int32_t grid = std::vector<std::int32_t>{1, 250, 500, 1000}[static_cast<std::size_t>(below(4))];
  auto coord = [&](std::int32_t limit) { return (below(static_cast<std::uint32_t>(limit / grid + 1)) * grid); };
  auto point = [&] { return TPoint{(coord(30000) - 5000) * scale, coord(20000) * scale}; };
  auto polyline = [&](int maxSegments) {
    std::vector<TPoint> pts{point()};
    const int n = 1 + below(static_cast<std::uint32_t>(maxSegments));
    for (int i = 0; i < n; ++i) {
      if (below(12) == 0) {
        pts.push_back(pts.back());  // a zero-length segment
        continue;
      }
      TPoint next = pts.back();
      next.X += (coord(12000) - 6000) * scale;
      next.Y += (coord(8000) - 4000) * scale;
      pts.push_back(next);
    }
    return pts;
  };

  enum { kWall, kFloor, kLine, kPolygon, kCircle, kPlace, kSource };
  struct TItem {
    int Kind;
    std::vector<TPoint> Points;
    std::int32_t Size = 0;  // a circle's radius, a source's range
  };
  const bool symmetric = below(4) == 0;
  const TPoint source = point();
  auto mirrored = [&](std::vector<TPoint> pts) {
    for (TPoint& p : pts) p.Y = 2 * source.Y - p.Y;
    return pts;
  };
  std::vector<TItem> items;
  for (int i = 0, n = 1 + below(5); i < n; ++i) items.push_back({kWall, polyline(6)});
  for (int i = 0, n = below(3); i < n; ++i) items.push_back({kFloor, polyline(4)});
  if (symmetric) {
    for (std::size_t i = 0, n = items.size(); i < n; ++i)
      if (below(3) != 0) items.push_back({items[i].Kind, mirrored(items[i].Points)});
    for (int i = 0, n = 1 + below(2); i < n; ++i)
      items.push_back({kLine, {{point().X, source.Y}, {point().X, source.Y}}});
  } else {
    for (int i = 0, n = 1 + below(3); i < n; ++i) {
      const TPoint a = point();
      items.push_back({kLine, {a, below(10) == 0 ? a : point()}});
    }
  }
  if (below(4) == 0) items.push_back({kPolygon, {point(), point(), point()}});
  if (below(4) == 0) items.push_back({kCircle, {point()}, (200 + coord(2000)) * scale});
  if (below(6) == 0) items.push_back({kPlace, {point()}});
  items.push_back({kSource, {source}, coord(15000) * scale});
  // List order varies between kinds too.
  std::shuffle(items.begin(), items.end(), rng);
  const bool referenced = below(8) != 0;

  TSectionBuilder b(section);
  for (const TItem& item : items) {
    switch (item.Kind) {
    case kWall: b.Wall(item.Points); break;
    case kFloor: b.Floor(item.Points); break;
    case kLine: b.Spectators(item.Points[0], item.Points[1]); break;
    case kPolygon: b.Polygon(item.Points); break;
    case kCircle: b.Circle(item.Points[0], item.Size); break;
    case kPlace: b.Place(item.Points[0]); break;
    case kSource: b.Source(item.Points[0], double(item.Size), referenced); break;
    }
  }
}

// A hall for the benchmark: a stepped absorbing floor, a stage, front and back walls, a
// ceiling of tilted reflector panels, a balcony and hanging reflectors, with `lines`
// spectator lines along the rake. `ceilingSegments` sets most of the wall segments; the
// default gives over 500 in all.
inline void buildHall(TConstruction& section, int lines = 12, int ceilingSegments = 380, std::uint32_t seed = 1)
{
  std::mt19937 rng(seed);
  auto jitter = [&](int amplitude) { return static_cast<std::int32_t>(rng() % (2 * amplitude + 1)) - amplitude; };
  TSectionBuilder b(section);
  const std::int32_t hallEnd = 40000, stageEnd = 6000, rakeTop = 8000;
  auto rake = [&](std::int32_t x) { return static_cast<std::int32_t>(std::int64_t(x - stageEnd) * rakeTop / (hallEnd - stageEnd)); };

  b.Floor({{0, 0}, {stageEnd, 0}});
  std::vector<TPoint> steps{{stageEnd, 0}};
  const int stepCount = 50;
  for (int i = 1; i <= stepCount; ++i) {
    const std::int32_t x = stageEnd + (hallEnd - stageEnd) * i / stepCount;
    steps.push_back({x, steps.back().Y});
    steps.push_back({x, rake(x)});
  }
  b.Floor(steps);

  std::vector<TPoint> front;
  for (int i = 0; i <= 40; ++i) front.push_back({i % 2 ? 20 : 0, 12000 * i / 40});
  b.Wall(front);
  std::vector<TPoint> back;
  for (int i = 0; i <= 40; ++i) back.push_back({hallEnd - (i % 2 ? 20 : 0), rakeTop + 6000 * i / 40});
  b.Wall(back);
  std::vector<TPoint> ceiling;
  // A gently waving ceiling: four waves of 300 over the hall's length.
  for (int i = 0; i <= ceilingSegments; ++i) {
    const double wave = 300 * std::sin(8 * std::acos(-1.0) * i / ceilingSegments);
    ceiling.push_back({hallEnd * i / ceilingSegments,
                       12000 + 2000 * i / ceilingSegments + static_cast<std::int32_t>(wave) + jitter(5)});
  }
  b.Wall(ceiling);

  // Balcony: front parapet and underside.
  std::vector<TPoint> balcony{{30000, 11200}, {30000, 10500}};
  for (int i = 1; i <= 20; ++i) balcony.push_back({30000 + 10000 * i / 20, 10500 + jitter(10)});
  b.Wall(balcony);
  // Hanging reflectors, some panels shorter than 2 m.
  for (int r = 0; r < 3; ++r) {
    std::vector<TPoint> panel;
    const std::int32_t x0 = 8000 + 7000 * r;
    for (int i = 0; i <= 10; ++i) panel.push_back({x0 + 400 * i, 10000 - 100 * r + jitter(15)});
    b.Wall(panel);
  }

  b.Source({3000, 1500}, 9000);
  for (int i = 0; i < lines; ++i) {
    const std::int32_t x1 = stageEnd + 500 + (hallEnd - stageEnd - 1000) * i / lines;
    const std::int32_t x2 = stageEnd + 500 + (hallEnd - stageEnd - 1000) * (i + 1) / lines - 200;
    b.Spectators({x1, rake(x1) + 1200}, {x2, rake(x2) + 1200});
  }
}

} // namespace sonvela::testing
