// First reflections: the colour rule, the direct zone, delays at the colour limits, vertex
// reflections, floors, equal paths, the reflector flag, painting, and the optimised search
// held against the plain implementation on random sections.
#include "graphic/reflections.h"

#include "core/errors.h"
#include "fake_view.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "reflections_reference.h"
#include "section_generator.h"

#include <gtest/gtest.h>

#include <bit>
#include <optional>
#include <vector>

namespace sonvela {
namespace {

using testing::TFakeView;
using testing::TSectionBuilder;

TSpectatorPoint point(bool visible, bool zone, bool found, double delay)
{
  TSpectatorPoint p;
  p.DirectVisible = visible;
  p.InDirectZone = zone;
  p.Found = found;
  p.Delay = delay;
  return p;
}

TEST(FieldClass, FirstMatchingRowWins)
{
  struct Case {
    TSpectatorPoint P;
    TFieldClass Full;
    TFieldClass ByDelay;
    TColor Color;
  };
  const Case cases[] = {
    {point(false, true, false, 0), TFieldClass::Obstructed, TFieldClass::Obstructed, clFuchsia},
    {point(true, true, false, 1e18), TFieldClass::DirectZone, TFieldClass::DirectZone, clBlue},
    {point(true, false, false, 1e18), TFieldClass::NoReflection, TFieldClass::Late, clRed},
    // The line's rule skips row 3: a point without a reflection but a small delay would be
    // green there (after a real calculation its delay is always huge).
    {point(true, false, false, 3), TFieldClass::NoReflection, TFieldClass::Good, clRed},
    {point(true, false, true, -0.0), TFieldClass::Good, TFieldClass::Good, clGreen},
    {point(true, false, true, 25.0), TFieldClass::Good, TFieldClass::Good, clGreen},
    {point(true, false, true, 25.000000001), TFieldClass::Fair, TFieldClass::Fair, clYellow},
    {point(true, false, true, 35.0), TFieldClass::Fair, TFieldClass::Fair, clYellow},
    {point(true, false, true, 35.000000001), TFieldClass::Late, TFieldClass::Late, clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.P.Delay);
    EXPECT_EQ(ClassifyFieldPoint(c.P), c.Full);
    EXPECT_EQ(ClassifyFieldPointByDelay(c.P), c.ByDelay);
    EXPECT_EQ(FieldClassColor(c.Full), c.Color);
  }
  EXPECT_EQ(FieldClassColor(TFieldClass::Fair), 0x00FFFFu);
  EXPECT_EQ(FieldClassColor(TFieldClass::Good), 0x008000u);
}

// A source at the origin under a ceiling at height h/2: a listener at (x, 0) hears the
// ceiling's reflection over the path to the image (0, h). With x = 4250 (k^2 - 1) and
// h = 8500 k the path difference is exactly 8500, 25 ms; with 5950 multiples, 35 ms.
class ReflectionsTest : public ::testing::Test {
protected:
  TConstruction Section;
  TSectionBuilder Build{Section};

  // A spectator line whose point 100 (t = 0.5) lies at (x, 0).
  TSpectatorLine* LineThrough(std::int32_t x, std::int32_t halfLength = 7750)
  {
    return Build.Spectators({x - halfLength, 0}, {x + halfLength, 0});
  }

  const TSpectatorPoint& At(const TSpectatorLine* line, int i) { return line->FPoints[static_cast<std::size_t>(i)]; }

  void Calc() { Section.FElements.CalcReflections(); }
};

TEST_F(ReflectionsTest, DelayAtTheColourLimits)
{
  struct Case {
    std::int32_t Ceiling, X, Rx;
    double Delay;
    TFieldClass Before, At, After;
  };
  const Case cases[] = {
    {8500, 12750, 6375, 25.0, TFieldClass::Fair, TFieldClass::Good, TFieldClass::Good},
    {11900, 17850, 8925, 35.0, TFieldClass::Late, TFieldClass::Fair, TFieldClass::Fair},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Delay);
    TConstruction section;
    TSectionBuilder b(section);
    b.Wall({{-10000, c.Ceiling}, {40000, c.Ceiling}});
    b.Source({0, 0}, 1000);
    TSpectatorLine* line = b.Spectators({c.X - 7750, 0}, {c.X + 7750, 0});
    section.FElements.CalcReflections();
    ASSERT_TRUE(line->FCalculated);
    const TSpectatorPoint& p = line->FPoints[100];
    EXPECT_EQ(p.Pos, (TRealPoint{float(c.X), 0}));
    EXPECT_TRUE(p.Found);
    EXPECT_TRUE(p.DirectVisible);
    EXPECT_FALSE(p.InDirectZone);
    EXPECT_EQ(p.Reflection, (TPoint{c.Rx, c.Ceiling}));
    EXPECT_EQ(p.Delay, c.Delay);
    // The delay falls as the listener moves away from the source.
    EXPECT_EQ(ClassifyFieldPoint(line->FPoints[99]), c.Before);
    EXPECT_EQ(ClassifyFieldPoint(p), c.At);
    EXPECT_EQ(ClassifyFieldPoint(line->FPoints[101]), c.After);
  }
}

TEST_F(ReflectionsTest, PointsInSinglePrecisionAndPointTwoHundredWithoutResult)
{
  Build.Source({0, 0}, 1000);
  TSpectatorLine* line = Build.Spectators({1001, 3}, {2002, 1000003});
  Calc();
  // t = 1/200 of (1001, 1000000) from (1001, 3): 1006.005 and 5003.0 as floats.
  EXPECT_EQ(At(line, 1).Pos, (TRealPoint{1006.005f, 5003.0f}));
  EXPECT_EQ(At(line, 200).Pos, (TRealPoint{2002, 1000003}));
  EXPECT_EQ(At(line, 0).Pos, (TRealPoint{1001, 3}));
  // The far end is placed and tested for direct sound, but gets no reflection.
  EXPECT_TRUE(At(line, 200).DirectVisible);
  EXPECT_FALSE(At(line, 200).Found);
  EXPECT_EQ(At(line, 200).Delay, 0);
  EXPECT_EQ(line->FStartNode, line->FNodes[0]);
  EXPECT_EQ(line->FEndNode, line->FNodes[1]);
}

TEST_F(ReflectionsTest, DirectZoneEdgeIsInside)
{
  for (double range : {5000.0, 4999.999}) {
    TConstruction section;
    TSectionBuilder b(section);
    b.Source({0, 0}, range);
    // Point 0 at distance 5000 exactly; point 1 just beyond it. No wall: nothing reflects.
    TSpectatorLine* line = b.Spectators({3000, 4000}, {23000, 4000});
    section.FElements.CalcReflections();
    const bool inside = range >= 5000;
    EXPECT_EQ(line->FPoints[0].InDirectZone, inside);
    EXPECT_EQ(ClassifyFieldPoint(line->FPoints[0]), inside ? TFieldClass::DirectZone : TFieldClass::NoReflection);
    EXPECT_FALSE(line->FPoints[1].InDirectZone);
    EXPECT_EQ(ClassifyFieldPoint(line->FPoints[1]), TFieldClass::NoReflection);
    EXPECT_FALSE(line->FPoints[1].Found);
    EXPECT_GT(line->FPoints[1].Delay, 1e17);
  }
}

TEST_F(ReflectionsTest, ReflectionExactlyAtASharedVertexIsRejected)
{
  // The ceiling of the 25 ms case, split where point 100 would reflect.
  TWallPolyLine* ceiling = Build.Wall({{-10000, 8500}, {6375, 8500}, {40000, 8500}});
  Build.Source({0, 0}, 1000);
  TSpectatorLine* line = LineThrough(12750);
  Calc();
  EXPECT_FALSE(At(line, 100).Found);
  EXPECT_EQ(ClassifyFieldPoint(At(line, 100)), TFieldClass::NoReflection);
  // Its neighbours reflect 39 units away from the vertex, on either side.
  EXPECT_TRUE(At(line, 99).Found);
  EXPECT_EQ(At(line, 99).Reflection, (TPoint{6336, 8500}));
  EXPECT_TRUE(At(line, 101).Found);
  EXPECT_EQ(At(line, 101).Reflection, (TPoint{6414, 8500}));
  EXPECT_EQ(ceiling->FSegmentUsed, (std::vector<bool>{true, true}));
}

TEST_F(ReflectionsTest, FloorsBlockButNeverReflect)
{
  // A floor in place of the ceiling reflects nothing.
  {
    TConstruction section;
    TSectionBuilder b(section);
    TPoglotWall* floor = b.Floor({{-10000, 8500}, {40000, 8500}});
    b.Source({0, 0}, 1000);
    TSpectatorLine* line = b.Spectators({5000, 0}, {20500, 0});
    section.FElements.CalcReflections();
    for (const TSpectatorPoint& p : line->FPoints) EXPECT_FALSE(p.Found);
    EXPECT_EQ(floor->FSegmentUsed, (std::vector<bool>{false}));
    EXPECT_TRUE(section.FReflectorsLargeEnough);
  }
  // A floor piece across the reflected path of point 100 (which meets y = 4000 at x = 9750)
  // hides the reflection; a spectator line there changes nothing.
  for (bool floorPiece : {true, false}) {
    TConstruction section;
    TSectionBuilder b(section);
    b.Wall({{-10000, 8500}, {40000, 8500}});
    b.Source({0, 0}, 1000);
    TSpectatorLine* line = b.Spectators({5000, 0}, {20500, 0});
    if (floorPiece)
      b.Floor({{9000, 4000}, {10500, 4000}});
    else
      b.Spectators({9000, 4000}, {10500, 4000});
    // Across the direct path too; only the floor hides the source.
    if (floorPiece)
      b.Floor({{20000, -1000}, {20000, 1000}});
    else
      b.Spectators({20000, -1000}, {20000, 1000});
    section.FElements.CalcReflections();
    EXPECT_EQ(line->FPoints[100].Found, !floorPiece);
    EXPECT_TRUE(line->FPoints[0].Found);
    EXPECT_EQ(line->FPoints[199].DirectVisible, !floorPiece);
    EXPECT_EQ(ClassifyFieldPoint(line->FPoints[199]), floorPiece ? TFieldClass::Obstructed : TFieldClass::Good);
    EXPECT_TRUE(line->FPoints[100].DirectVisible);
  }
}

TEST_F(ReflectionsTest, ClosedOutlinesAndCirclesBlockTheDirectSound)
{
  // Listener at (10000, 0), source at the origin: the direct path runs along the X axis.
  struct Case {
    const char* Name;
    bool Blocks;
  };
  const Case cases[] = {{"polygon, closing edge across", true}, {"polygon beside", false},
                        {"circle within radius", true}, {"circle beyond radius", false}};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(cases[k].Name);
    TConstruction section;
    TSectionBuilder b(section);
    b.Source({0, 0}, 100);
    switch (k) {
    // A box around the source; only its closing edge, from (5000, -1000) back to
    // (5000, 1000), crosses the path.
    case 0: b.Polygon({{5000, 1000}, {-3000, 1000}, {-3000, -1000}, {5000, -1000}}); break;
    case 1: b.Polygon({{5000, 1000}, {6000, 2000}, {5000, 3000}}); break;
    case 2: b.Circle({5000, 500}, 501); break;
    case 3: b.Circle({5000, 700}, 600); break;
    }
    TSpectatorLine* line = b.Spectators({10000, 0}, {10000, 20000});
    section.FElements.CalcReflections();
    EXPECT_EQ(line->FPoints[0].DirectVisible, !cases[k].Blocks);
  }
}

TEST_F(ReflectionsTest, EqualPathsKeepTheEarlierWall)
{
  for (bool lowerFirst : {false, true}) {
    TConstruction section;
    TSectionBuilder b(section);
    const std::vector<TPoint> upper{{-10000, 8500}, {40000, 8500}}, lower{{-10000, -8500}, {40000, -8500}};
    TWallPolyLine* first = b.Wall(lowerFirst ? lower : upper);
    TWallPolyLine* second = b.Wall(lowerFirst ? upper : lower);
    b.Source({0, 0}, 1000);
    TSpectatorLine* line = b.Spectators({5000, 0}, {20500, 0});
    section.FElements.CalcReflections();
    EXPECT_EQ(line->FPoints[100].Reflection, (TPoint{6375, lowerFirst ? -8500 : 8500}));
    EXPECT_EQ(first->FSegmentUsed, (std::vector<bool>{true}));
    EXPECT_EQ(second->FSegmentUsed, (std::vector<bool>{false}));
  }
}

TEST_F(ReflectionsTest, ReflectorsShorterThanTwoMetres)
{
  // Points reflect off the ceiling between x = 2500 and 10250.
  struct Case {
    std::vector<TPoint> Ceiling;
    bool LargeEnough;
  };
  const Case cases[] = {
    // A 1999-unit panel far from every reflection does not count.
    {{{-10000, 8500}, {20000, 8500}, {21999, 8500}, {40000, 8500}}, true},
    {{{-10000, 8500}, {6000, 8500}, {7999, 8500}, {40000, 8500}}, false},
    {{{-10000, 8500}, {6000, 8500}, {8000, 8500}, {40000, 8500}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Ceiling[2].X);
    TConstruction section;
    TSectionBuilder b(section);
    TWallPolyLine* ceiling = b.Wall(c.Ceiling);
    b.Source({0, 0}, 1000);
    b.Spectators({5000, 0}, {20500, 0});
    section.FElements.CalcReflections();
    EXPECT_EQ(section.FReflectorsLargeEnough, c.LargeEnough);
    EXPECT_EQ(ceiling->FSegmentUsed[1], c.Ceiling[1].X == 6000);
    EXPECT_EQ(ceiling->UsedSegmentsLongEnough(2.0), c.LargeEnough);
  }
}

TEST_F(ReflectionsTest, WithoutSourceOrLineNothingIsComputed)
{
  TWallPolyLine* ceiling = Build.Wall({{-10000, 8500}, {6000, 8500}, {7999, 8500}, {40000, 8500}});
  TSpectatorLine* line = LineThrough(12750);
  EXPECT_FALSE(Section.CanCalculate());
  EXPECT_FALSE(Section.FReflectorsLargeEnough);
  Calc();
  EXPECT_FALSE(line->FCalculated);
  EXPECT_TRUE(Section.FReflectorsLargeEnough);
  EXPECT_EQ(ceiling->FSegmentUsed, (std::vector<bool>{false, false, false}));

  // With a source the short panel carries reflections; the source deleted, the results of
  // that calculation stay, while the marks and the flag start afresh.
  Build.Source({0, 0}, 1000);
  Calc();
  ASSERT_TRUE(line->FCalculated);
  EXPECT_FALSE(Section.FReflectorsLargeEnough);
  const TSpectatorPoint before = At(line, 100);
  Section.FElements.Delete(Section.FElements.IndexOf(Section.FElements.FSound));
  EXPECT_EQ(Section.FElements.FSound, nullptr);
  EXPECT_FALSE(Section.CanCalculate());
  Calc();
  EXPECT_TRUE(line->FCalculated);
  EXPECT_EQ(At(line, 100).Delay, before.Delay);
  EXPECT_EQ(At(line, 100).Reflection, before.Reflection);
  EXPECT_TRUE(Section.FReflectorsLargeEnough);
}

TEST_F(ReflectionsTest, SourceWithoutReferenceAndDegenerateElements)
{
  // A record before version 7 keeps the source out of FSound; the calculation still uses it.
  Build.Wall({{-10000, 8500}, {-5000, 8500}, {-5000, 8500}, {40000, 8500}});  // a zero-length segment
  Build.Source({0, 0}, 1000, false);
  TSpectatorLine* line = LineThrough(12750);
  // A spectator line with a single node (a record may hold one) is not computed.
  auto* broken = Build.Line<TSpectatorLine>({{100, 100}});
  EXPECT_TRUE(Section.CanCalculate());
  Calc();
  EXPECT_TRUE(line->FCalculated);
  EXPECT_EQ(At(line, 100).Delay, 25.0);
  EXPECT_FALSE(broken->FCalculated);
}

TEST_F(ReflectionsTest, NearestPointIndex)
{
  Build.Source({0, -5000});
  TSpectatorLine* line = Build.Spectators({0, 0}, {20000, 0});  // points every 100 units
  Calc();
  struct Case {
    TPoint Q;
    std::int32_t Index;
  };
  const Case cases[] = {
    {{3720, 900}, 37}, {{3750, 0}, 37} /* a tie keeps the lower index */, {{-5000, 0}, 0},
    {{19990, 0}, 199} /* point 200 is never chosen */, {{50000, 50000}, 199},
  };
  for (const Case& c : cases) EXPECT_EQ(line->NearestPointIndex(c.Q), c.Index) << c.Q.X;
}

TEST_F(ReflectionsTest, PaintFieldDrawsTwoHundredPiecesInTheirColours)
{
  Build.Wall({{-10000, 8500}, {40000, 8500}});
  Build.Source({0, 0}, 5300);
  TSpectatorLine* line = LineThrough(12750);
  Build.Floor({{19000, -1000}, {19000, 1000}});  // hides the source from the far end
  TSpectatorLine* uncalculated = Build.Spectators({0, 3000}, {1000, 3000});

  TFakeView view;
  Calc();
  uncalculated->FCalculated = false;  // as if added after the calculation
  view.Recorder.Pen.Mode = TPenMode::Copy;
  view.Recorder.Pen.Style = TPenStyle::Dash;
  Section.PaintFields(view);
  const auto lines = view.Recorder.OfKind("Line");
  ASSERT_EQ(lines.size(), 200u);
  ASSERT_EQ(view.Recorder.Ops.size(), 200u);
  for (std::size_t i = 0; i < 200; ++i) {
    SCOPED_TRACE(i);
    const TSpectatorPoint& p = line->FPoints[i];
    EXPECT_EQ(lines[i].Pen.Width, 3);
    EXPECT_EQ(lines[i].Pen.Style, TPenStyle::Dash);  // left as the painters before left it
    EXPECT_EQ(lines[i].Pen.Color, FieldClassColor(ClassifyFieldPointByDelay(p)));
    EXPECT_EQ(lines[i].Points[0], view.PointToPixel(RealToPoint(p.Pos)));
    EXPECT_EQ(lines[i].Points[1], view.PointToPixel(RealToPoint(line->FPoints[i + 1].Pos)));
  }
  // Every colour of the line's rule appears: blue near the source, yellow, green, fuchsia.
  EXPECT_EQ(lines[0].Pen.Color, clBlue);
  EXPECT_EQ(lines[99].Pen.Color, clYellow);
  EXPECT_EQ(lines[100].Pen.Color, clGreen);
  EXPECT_EQ(lines[199].Pen.Color, clFuchsia);

  // With a view, the calculation paints each line as soon as it is computed.
  TFakeView live;
  Section.FElements.CalcReflections(&live);
  EXPECT_EQ(live.Recorder.OfKind("Line").size(), 400u);
}

// ---- the optimised search against the plain rules ----

::testing::AssertionResult sameResults(const TConstruction& section, const testing::TReferenceResult& expected)
{
  std::size_t lineAt = 0, wallAt = 0;
  for (const TElement* e : section.FElements.Items()) {
    if (auto* wall = dynamic_cast<const TWallPolyLine*>(e)) {
      if (wall->FSegmentUsed != expected.SegmentUsed.at(wallAt))
        return ::testing::AssertionFailure() << "segment marks of wall line " << wallAt;
      ++wallAt;
    }
    auto* line = dynamic_cast<const TSpectatorLine*>(e);
    if (!line || !line->FCalculated) continue;
    if (lineAt >= expected.Lines.size() || expected.Lines[lineAt].Line != line)
      return ::testing::AssertionFailure() << "unexpected calculated line " << lineAt;
    for (std::size_t i = 0; i < line->FPoints.size(); ++i) {
      const TSpectatorPoint &a = line->FPoints[i], &b = expected.Lines[lineAt].Points[i];
      const bool same = std::bit_cast<std::uint64_t>(a.Pos) == std::bit_cast<std::uint64_t>(b.Pos) &&
                        std::bit_cast<std::uint64_t>(a.Delay) == std::bit_cast<std::uint64_t>(b.Delay) &&
                        a.InDirectZone == b.InDirectZone && a.DirectVisible == b.DirectVisible &&
                        a.Found == b.Found && a.Reflection == b.Reflection;
      if (!same)
        return ::testing::AssertionFailure()
               << "line " << lineAt << " point " << i << ": delay " << a.Delay << " vs " << b.Delay << ", found "
               << a.Found << " vs " << b.Found << ", reflection (" << a.Reflection.X << ", " << a.Reflection.Y
               << ") vs (" << b.Reflection.X << ", " << b.Reflection.Y << ")";
    }
    ++lineAt;
  }
  if (lineAt != expected.Lines.size()) return ::testing::AssertionFailure() << "calculated lines " << lineAt;
  if (section.FReflectorsLargeEnough != expected.ReflectorsLargeEnough)
    return ::testing::AssertionFailure() << "reflector flag";
  return ::testing::AssertionSuccess();
}

TEST(ReflectionsAgainstReference, RandomSections)
{
  int found = 0, blocked = 0, obstructed = 0, lines = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE(seed);
    TConstruction section;
    testing::buildRandomSection(section, seed);
    const auto expected = testing::referenceReflections(section);
    section.FElements.CalcReflections();
    ASSERT_TRUE(sameResults(section, expected));
    for (const auto& line : expected.Lines) {
      ++lines;
      for (int i = 0; i < 200; ++i) {
        found += line.Points[i].Found;
        blocked += !line.Points[i].Found;
        obstructed += !line.Points[i].DirectVisible;
      }
    }
  }
  // The sections exercise every outcome.
  EXPECT_GT(lines, 500);
  EXPECT_GT(found, 20000);
  EXPECT_GT(blocked, 50000);
  EXPECT_GT(obstructed, 30000);
}

TEST(ReflectionsAgainstReference, HugeSectionsAndTheGeneratedHall)
{
  // Coordinates beyond the bound of the flat scans take the literal way; results and
  // errors must still be those of the rules.
  int failures = 0;
  auto check = [&](TConstruction& section) {
    std::optional<testing::TReferenceResult> expected;
    try {
      expected = testing::referenceReflections(section);
    } catch (const ERangeError&) {
      ++failures;
      EXPECT_THROW(section.FElements.CalcReflections(), ERangeError);
      return;
    }
    section.FElements.CalcReflections();
    EXPECT_TRUE(sameResults(section, *expected));
  };
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    TConstruction section;
    testing::buildRandomSection(section, seed, seed % 2 ? 20000 : 30000);
    check(section);
  }
  {
    // The source's mirror image in the wall lies outside 32 bits.
    TConstruction section;
    TSectionBuilder b(section);
    b.Wall({{-2000000000, -1000}, {-2000000000, 1000}});
    b.Source({1000000000, 0});
    b.Spectators({0, 5000}, {1000, 5000});
    check(section);
  }
  {
    // The far end of the line rounds to 2^31 in single precision.
    TConstruction section;
    TSectionBuilder b(section);
    b.Source({0, 0});
    b.Spectators({2147483000, 0}, {2147483647, 0});
    check(section);
  }
  EXPECT_EQ(failures, 2);

  TConstruction hall;
  testing::buildHall(hall, 3, 120);
  const auto expected = testing::referenceReflections(hall);
  hall.FElements.CalcReflections();
  EXPECT_TRUE(sameResults(hall, expected));
}

} // namespace
} // namespace sonvela
