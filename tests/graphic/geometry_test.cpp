// Plane geometry: distances, grid steps, segment tests with the end tolerance, reflections.
#include "graphic/geometry.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace sonvela {
namespace {

TEST(Geometry, DistancesAndRounding)
{
  EXPECT_EQ(ManhattanDistance({0, 0}, {-3, 4}), 7);
  EXPECT_DOUBLE_EQ(Distance({0, 0}, {-3, 4}), 5);
  EXPECT_DOUBLE_EQ(Distance({7, 7}, {7, 7}), 0);
  EXPECT_EQ(DotProduct({3, -2}, {5, 7}), 1);

  EXPECT_EQ(RealToPoint({2.5f, 3.5f}), (TPoint{2, 4}));
  EXPECT_EQ(RealToPoint({-2.5f, -0.5f}), (TPoint{-2, 0}));
  EXPECT_THROW(RealToPoint({3e9f, 0}), ERangeError);

  EXPECT_THROW(AddPoints({INT_MAX, 0}, {1, 0}), ERangeError);
  EXPECT_THROW(SubPoints({0, INT_MIN}, {0, 1}), ERangeError);
  EXPECT_THROW(Distance({INT_MIN, 0}, {INT_MAX, 0}), ERangeError);
  EXPECT_THROW(ManhattanDistance({INT_MIN, 0}, {0, INT_MAX}), ERangeError);
  EXPECT_THROW(DotProduct({INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}), ERangeError);
}

TEST(Geometry, DistanceToSegment)
{
  struct Case {
    TPoint p, a, b;
    double expected;
  } cases[] = {
      {{-30, 40}, {0, 0}, {100, 0}, 50},    // projection before a
      {{130, -40}, {0, 0}, {100, 0}, 50},   // beyond b
      {{50, 7}, {0, 0}, {100, 0}, 7},       // beside the middle
      {{3, 4}, {0, 0}, {0, 0}, 5},          // a = b
      {{100, 0}, {0, 0}, {100, 100}, std::sqrt(5000.0)},
  };
  for (const auto& c : cases) EXPECT_NEAR(DistanceToSegment(c.p, c.a, c.b), c.expected, 1e-9) << c.p.X << "," << c.p.Y;
}

TEST(Geometry, UnitVector)
{
  double c = 0, s = 0;
  UnitVector({5, 5}, {5, 5}, c, s);
  EXPECT_EQ(c, 1.0);
  EXPECT_EQ(s, 0.0);
  UnitVector({1, 1}, {-2, 5}, c, s);
  EXPECT_DOUBLE_EQ(c, -0.6);
  EXPECT_DOUBLE_EQ(s, 0.8);
}

TEST(Geometry, NiceStep)
{
  const std::pair<double, double> cases[] = {
      {1.3, 1},     {1.5, 2},    {4, 5},     {8, 10},     {230, 200}, {0.3, 1},   {-45, -50}, {1.41, 2},
      {1.409, 1},   {7.5, 10},   {0, 0},     {2.99, 2},   {3, 5},     {1000, 1000}, {1058.3, 1000},
      {0.05, 0.1},  {-0.001, -0.001},
  };
  for (const auto& [x, expected] : cases) EXPECT_DOUBLE_EQ(NiceStep(x), expected) << x;
}

TEST(Geometry, PointNearSegment)
{
  const TPoint a{0, 0}, b{1000, 0};
  EXPECT_FALSE(PointNearSegment({0, 10}, a, b)) << "above an end: projection not strictly inside";
  EXPECT_FALSE(PointNearSegment({1000, 10}, a, b));
  EXPECT_TRUE(PointNearSegment({500, 24}, a, b));
  EXPECT_TRUE(PointNearSegment({500, -24}, a, b));
  EXPECT_FALSE(PointNearSegment({500, 25}, a, b));
  EXPECT_FALSE(PointNearSegment({-5, 0}, a, b));
  // Oblique: 17.68 units from the diagonal.
  EXPECT_TRUE(PointNearSegment({525, 500}, {0, 0}, {1000, 1000}));
  EXPECT_FALSE(PointNearSegment({536, 500}, {0, 0}, {1000, 1000}));
}

TEST(Geometry, SegmentsIntersect)
{
  struct Case {
    const char* name;
    TPoint a1, a2, b1, b2;
    bool expected;
    TPoint r;
  } cases[] = {
      {"plain crossing", {0, 0}, {1000, 1000}, {0, 1000}, {1000, 0}, true, {500, 500}},
      {"crossing rounded half to even", {0, 0}, {5, 1}, {0, 1}, {5, 0}, true, {2, 0}},
      {"meets at start of b (u = 0)", {0, 0}, {1000, 0}, {500, 0}, {500, 1000}, true, {500, 0}},
      {"ends on b (t = 1)", {0, 0}, {500, 0}, {500, -500}, {500, 500}, true, {500, 0}},
      {"collinear overlap", {0, 0}, {1000, 0}, {500, 0}, {1500, 0}, true, {1000, 0}},
      {"collinear, b inside a", {0, 0}, {1000, 0}, {200, 0}, {300, 0}, true, {200, 0}},
      {"collinear, end to end", {0, 0}, {1000, 0}, {1000, 0}, {2000, 0}, false, {}},
      {"parallel apart", {0, 0}, {1000, 0}, {0, 30}, {1000, 30}, false, {}},
      {"parallel within tolerance", {0, 0}, {1000, 100}, {100, 30}, {900, 110}, true, {100, 30}},
      {"parallel within tolerance, boxes apart", {0, 0}, {1000, 0}, {100, 20}, {900, 20}, false, {}},
      {"end 20 short of oblique", {0, 0}, {1000, 1000}, {514, 486}, {800, 200}, true, {514, 486}},
      {"axis T with gap: boxes apart", {0, 0}, {1000, 0}, {500, 20}, {500, 1000}, false, {}},
      {"carrying lines cross outside", {0, 0}, {100, 0}, {200, -100}, {200, 100}, false, {}},
  };
  for (const auto& c : cases) {
    TPoint r{-1, -1};
    EXPECT_EQ(SegmentsIntersect(c.a1, c.a2, c.b1, c.b2, r), c.expected) << c.name;
    if (c.expected) {
      EXPECT_EQ(r, c.r) << c.name;
    }
  }
}

TEST(Geometry, ReflectionPoint)
{
  TPoint r;
  ASSERT_TRUE(ReflectionPoint({200, 500}, {800, 500}, {0, 0}, {1000, 0}, r));
  EXPECT_EQ(r, (TPoint{500, 0}));
  // Mirror line x = 1000: source (0, 0), listener (0, 2000) reflect at (1000, 1000).
  ASSERT_TRUE(ReflectionPoint({0, 2000}, {0, 0}, {1000, -5000}, {1000, 5000}, r));
  EXPECT_EQ(r, (TPoint{1000, 1000}));
  // The mirror path misses the segment.
  EXPECT_FALSE(ReflectionPoint({200, 500}, {800, 500}, {2000, 0}, {3000, 0}, r));
  // A wall of zero length reflects nothing.
  EXPECT_FALSE(ReflectionPoint({200, 500}, {800, 500}, {500, 0}, {500, 0}, r));
}

} // namespace
} // namespace sonvela
