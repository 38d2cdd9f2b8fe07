// Drawing elements: correctness, painting through the canvas, hit tests, ownership.
#include "graphic/construction.h"

#include "core/errors.h"
#include "fake_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace sonvela {
namespace {

using testing::TFakeView;
using testing::TRecordedOp;

class ElementsTest : public ::testing::Test {
protected:
  TConstruction section;
  TCurrentConstructionGuard current{&section};
  TFakeView view;

  template <class T>
  T* add(std::initializer_list<TPoint> points)
  {
    auto* e = new T;
    section.FElements.Add(e);
    for (TPoint p : points) e->AddNode(p);
    return e;
  }

  template <class T>
  T* addPoint(TPoint p)
  {
    auto* e = new T;
    section.FElements.Add(e);
    e->CreateNode(p);
    return e;
  }

  TCircle* addCircle(TPoint centre, std::int32_t radius)
  {
    auto* c = new TCircle;
    section.FElements.Add(c);
    c->CreateCentre(centre);
    c->FRadius = radius;
    return c;
  }

  TLinearSize* addSize(TNode* a, TNode* b)
  {
    auto* s = new TLinearSize;
    s->FNode = a;
    s->FNode2 = b;
    section.FSizes.Add(s);
    return s;
  }

  const std::vector<TRecordedOp>& ops() { return view.Recorder.Ops; }
};

TEST_F(ElementsTest, Correctness)
{
  EXPECT_FALSE(add<TPolygon>({{0, 0}, {24, 0}, {0, 1000}})->IsCorrect()) << "24 units apart";
  EXPECT_TRUE(add<TPolygon>({{0, 0}, {25, 0}, {0, 1000}})->IsCorrect()) << "25 units apart";
  EXPECT_FALSE(add<TPolygon>({{0, 0}, {1000, 0}, {10, 14}})->IsCorrect()) << "closing pair 24 apart";
  EXPECT_FALSE(add<TPolygon>({{0, 0}, {1000, 0}})->IsCorrect()) << "two nodes";
  EXPECT_FALSE(add<TWallPolyLine>({{0, 0}})->IsCorrect());
  EXPECT_TRUE(add<TWallPolyLine>({{5, 5}, {5, 5}})->IsCorrect()) << "coincident nodes are fine";
  EXPECT_FALSE(addCircle({0, 0}, 100)->IsCorrect());
  EXPECT_TRUE(addCircle({0, 0}, 101)->IsCorrect());
  EXPECT_TRUE(addPoint<TSound>({0, 0})->IsCorrect());
}

TEST_F(ElementsTest, IncorrectElementsAreNotPainted)
{
  add<TPolygon>({{0, 0}, {24, 0}, {0, 1000}})->Draw(view);
  add<TWallPolyLine>({{0, 0}})->Draw(view);
  addCircle({0, 0}, 100)->Draw(view);
  EXPECT_TRUE(ops().empty());
  add<TPolygon>({{0, 0}, {25, 0}, {0, 1000}})->Draw(view);
  EXPECT_EQ(ops().size(), 1u);
}

TEST_F(ElementsTest, KindsAndDefaults)
{
  struct Case {
    std::uint8_t tag;
    bool opaque;
    int width;
    TColor color;
  } cases[] = {
      {0, false, 1, clBlack}, {1, false, 1, clBlack}, {3, true, 2, clBlack},
      {5, false, 2, 0x808080}, {6, true, 2, 0x808000},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TElement> e(CreateElement(c.tag));
    EXPECT_EQ(e->GetKind(), c.tag);
    EXPECT_EQ(e->FOpaque, c.opaque) << int(c.tag);
    auto* plane = dynamic_cast<TPlaneElement*>(e.get());
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(plane->FWidth, c.width) << int(c.tag);
    EXPECT_EQ(plane->FColor, c.color) << int(c.tag);
    EXPECT_EQ(plane->FStyle, TPenStyle::Solid);
  }
  std::unique_ptr<TElement> sound(CreateElement(2));
  EXPECT_EQ(sound->GetKind(), 2);
  EXPECT_EQ(static_cast<TSound*>(sound.get())->FRange, 9000.0);
  EXPECT_FALSE(static_cast<TSound*>(sound.get())->FMusic);
  EXPECT_EQ(std::unique_ptr<TElement>(CreateElement(4))->GetKind(), 4);
  EXPECT_FALSE(std::unique_ptr<TElement>(CreateElement(4))->FOpaque);
  try {
    CreateElement(7);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(std::string(e.what()).find("Assertion failure (graphic/elements.cpp, line"), std::string::npos) << e.what();
  }
}

TEST_F(ElementsTest, LinesPaintWithTheirPen)
{
  struct Case {
    TPolyLine* line;
    TColor color;
  } cases[] = {
      {add<TWallPolyLine>({{0, 0}, {1000, 0}, {1000, 2000}}), clBlack},
      {add<TPoglotWall>({{0, 0}, {1000, 0}, {1000, 2000}}), clTeal},
      {add<TSpectatorLine>({{0, 0}, {1000, 0}, {1000, 2000}}), clGray},
  };
  for (const auto& c : cases) {
    view.Recorder.Ops.clear();
    c.line->Draw(view);
    ASSERT_EQ(ops().size(), 1u);
    const TRecordedOp& op = ops()[0];
    EXPECT_EQ(op.Kind, "Polyline");
    EXPECT_EQ(op.Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}, {100, 800}}));
    EXPECT_EQ(op.Pen.Color, c.color);
    EXPECT_EQ(op.Pen.Width, 2);
    EXPECT_EQ(op.Pen.Style, TPenStyle::Solid);
  }
}

TEST_F(ElementsTest, PolygonFillsWithTheCurrentBrush)
{
  auto* p = add<TPolygon>({{0, 0}, {1000, 0}, {0, 1000}});
  p->FColor = clBlue;
  p->FStyle = TPenStyle::Dash;
  view.Recorder.Brush = {clAqua, TBrushStyle::Cross};
  p->Draw(view);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].Kind, "Polygon");
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}, {0, 900}}));
  EXPECT_EQ(ops()[0].Pen.Color, clBlue);
  EXPECT_EQ(ops()[0].Pen.Style, TPenStyle::Dash);
  EXPECT_EQ(ops()[0].Pen.Width, 1);
  EXPECT_EQ(ops()[0].Brush, (TBrush{clAqua, TBrushStyle::Cross}));
}

TEST_F(ElementsTest, HighlightsAreNotXorAndRestoreCopyMode)
{
  auto* polygon = add<TPolygon>({{0, 0}, {1000, 0}, {0, 1000}});
  auto* wall = add<TWallPolyLine>({{0, 0}, {1000, 0}, {1000, 1000}});
  auto* circle = addCircle({1000, 2000}, 500);
  auto* sound = addPoint<TSound>({500, 500});
  auto* place = addPoint<TSpectatorPlace>({500, 500});

  polygon->DrawSelected(view);
  wall->DrawSelected(view);
  circle->DrawSelected(view);
  sound->DrawSelected(view);
  place->DrawSelected(view);
  ASSERT_EQ(ops().size(), 5u);
  for (const auto& op : ops()) {
    EXPECT_EQ(op.Pen.Mode, TPenMode::NotXor) << op.Kind;
    EXPECT_EQ(op.Pen.Color, clRed) << op.Kind;
    EXPECT_EQ(op.Pen.Style, TPenStyle::Solid) << op.Kind;
  }
  EXPECT_EQ(view.Recorder.Pen.Mode, TPenMode::Copy);

  // The polygon's outline is closed, the wall's open.
  EXPECT_EQ(ops()[0].Kind, "Polyline");
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}, {0, 900}, {0, 1000}}));
  EXPECT_EQ(ops()[0].Pen.Width, 5);
  EXPECT_EQ(ops()[1].Points.size(), 3u);
  EXPECT_EQ(ops()[1].Pen.Width, 5);
  // A full circle as an arc starting and ending at the rightmost point.
  EXPECT_EQ(ops()[2].Kind, "Arc");
  EXPECT_EQ(ops()[2].Points, (std::vector<TPoint>{{50, 750}, {150, 850}, {150, 800}, {150, 800}}));
  EXPECT_EQ(ops()[2].Pen.Width, 5);
  // Point elements: the yellow square with a red pen of width 4.
  for (int i : {3, 4}) {
    EXPECT_EQ(ops()[i].Kind, "Rectangle");
    EXPECT_EQ(ops()[i].Points, (std::vector<TPoint>{{47, 947}, {53, 953}}));
    EXPECT_EQ(ops()[i].Pen.Width, 4);
    EXPECT_EQ(ops()[i].Brush, (TBrush{clYellow, TBrushStyle::Solid}));
  }

  // Painting that fails still leaves the pen in copy mode.
  testing::TFailingView failing;
  for (TElement* e : std::vector<TElement*>{polygon, wall, circle, sound}) {
    EXPECT_THROW(e->DrawSelected(failing), std::runtime_error);
    EXPECT_EQ(failing.Failing.Pen.Mode, TPenMode::Copy);
    failing.Failing.Pen.Mode = TPenMode::NotXor;
  }
  EXPECT_THROW(wall->DrawSelectedEdge(failing, wall->FNodes[0]), std::runtime_error);
  EXPECT_EQ(failing.Failing.Pen.Mode, TPenMode::Copy);
}

TEST_F(ElementsTest, CircleAndPointElementsPaint)
{
  view.Recorder.Pen = {clGreen, TPenStyle::Dot, 3, TPenMode::Copy};
  addCircle({1000, 2000}, 500)->Draw(view);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].Kind, "Ellipse");
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{50, 750}, {150, 850}}));
  EXPECT_EQ(ops()[0].Pen.Color, clGreen) << "the circle paints with the current pen";

  view.Recorder.Ops.clear();
  addPoint<TSound>({500, 500})->Draw(view);
  addPoint<TSpectatorPlace>({600, 500})->Draw(view);
  ASSERT_EQ(ops().size(), 2u);
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{47, 947}, {53, 953}}));
  EXPECT_EQ(ops()[0].Brush, (TBrush{clYellow, TBrushStyle::Solid}));
  EXPECT_EQ(ops()[0].Pen, (TPen{clBlack, TPenStyle::Solid, 1, TPenMode::Copy}));
  EXPECT_EQ(ops()[1].Points, (std::vector<TPoint>{{57, 947}, {63, 953}}));
  EXPECT_EQ(ops()[1].Brush, (TBrush{clRed, TBrushStyle::Solid}));
}

TEST_F(ElementsTest, DrawAllPaintsPointElementsOnTop)
{
  addPoint<TSound>({0, 0});
  add<TWallPolyLine>({{0, 0}, {1000, 0}});
  add<TSpectatorLine>({{0, 0}, {1000, 0}});
  addPoint<TSpectatorPlace>({0, 0});
  add<TPoglotWall>({{0, 0}});  // not correct: skipped
  section.FElements.DrawAll(view);
  std::vector<std::string> kinds;
  for (const auto& op : ops()) kinds.push_back(op.Kind + (op.Brush.Color == clYellow ? "/yellow" : ""));
  EXPECT_EQ(kinds, (std::vector<std::string>{"Polyline", "Polyline", "Rectangle/yellow", "Rectangle"}));
}

TEST_F(ElementsTest, HighlightPrimitivesOfTheView)
{
  view.DrawMark({500, 500});
  view.DrawLine({0, 0}, {1000, 0}, clBlue);
  view.DrawTriangle({0, 0}, {1000, 0}, {0, 1000}, clFuchsia);
  add<TWallPolyLine>({{500, 500}, {0, 0}})->FNodes[0]->DrawSelected(view);
  ASSERT_EQ(ops().size(), 4u);
  EXPECT_EQ(ops()[0].Kind, "Rectangle");
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{45, 945}, {55, 955}}));
  EXPECT_EQ(ops()[0].Pen.Color, clRed);
  EXPECT_EQ(ops()[0].Brush.Style, TBrushStyle::Clear);
  EXPECT_EQ(ops()[1].Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}}));
  EXPECT_EQ(ops()[1].Pen.Color, clBlue);
  EXPECT_EQ(ops()[2].Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}, {0, 900}, {0, 1000}}));
  EXPECT_EQ(ops()[2].Pen.Color, clFuchsia);
  EXPECT_EQ(ops()[3].Points, ops()[0].Points);
  for (const auto& op : ops()) {
    EXPECT_EQ(op.Pen.Mode, TPenMode::NotXor);
    EXPECT_EQ(op.Pen.Width, 1);
  }
  EXPECT_EQ(view.Recorder.Pen.Mode, TPenMode::Copy);
}

TEST_F(ElementsTest, Edges)
{
  auto* polygon = add<TPolygon>({{0, 0}, {1000, 0}, {1000, 1000}});
  auto* wall = add<TWallPolyLine>({{0, 0}, {1000, 0}, {1000, 1000}});
  polygon->DrawEdge(view, 2);
  wall->DrawEdge(view, 2);
  wall->DrawEdge(view, 0);
  ASSERT_EQ(ops().size(), 3u);
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{100, 900}, {0, 1000}})) << "polygon: last edge closes";
  EXPECT_EQ(ops()[1].Points, (std::vector<TPoint>{{100, 900}, {100, 1000}})) << "line: last index goes back";
  EXPECT_EQ(ops()[2].Points, (std::vector<TPoint>{{0, 1000}, {100, 1000}}));

  view.Recorder.Ops.clear();
  wall->DrawSelectedEdge(view, wall->FNodes[1]);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].Points, (std::vector<TPoint>{{100, 1000}, {100, 900}}));
  EXPECT_EQ(ops()[0].Pen, (TPen{clRed, TPenStyle::Solid, 5, TPenMode::NotXor}));
  EXPECT_EQ(view.Recorder.Pen.Mode, TPenMode::Copy);

  // The nearest edge of an open line includes the imaginary closing segment.
  EXPECT_EQ(wall->NearestEdgeNode({400, 600}), wall->FNodes[2]);
  EXPECT_EQ(wall->NearestEdgeNode({500, -10}), wall->FNodes[0]);
  EXPECT_EQ(wall->NearestEdgeNode({1000, 0}), wall->FNodes[0]) << "ties go to the lower index";
  EXPECT_EQ(add<TWallPolyLine>({})->NearestEdgeNode({0, 0}), nullptr);

  auto* circle = addCircle({0, 0}, 500);
  EXPECT_EQ(circle->NearestEdgeNode({9999, 9999}), circle->FCentre);
  EXPECT_THROW(circle->DrawSelectedEdge(view, wall->FNodes[0]), EAssertionFailed);
  auto* broken = add<TPolygon>({{0, 0}, {10, 0}, {0, 1000}});
  EXPECT_THROW(broken->DrawSelectedEdge(view, broken->FNodes[0]), EAssertionFailed);
  EXPECT_THROW(wall->DrawSelectedEdge(view, polygon->FNodes[0]), EAssertionFailed);
}

TEST_F(ElementsTest, HitTests)
{
  auto* square = add<TPolygon>({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  auto* wall = add<TWallPolyLine>({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  EXPECT_TRUE(square->Contains({50, 50}));
  EXPECT_FALSE(square->Contains({150, 50}));
  EXPECT_FALSE(square->Contains({50, 150}));
  EXPECT_FALSE(wall->Contains({50, 50}));
  auto* circle = addCircle({0, 0}, 500);
  EXPECT_TRUE(circle->Contains({300, 400})) << "on the circumference";
  EXPECT_FALSE(circle->Contains({300, 401}));
  EXPECT_TRUE(addCircle({INT32_MIN, 0}, INT32_MAX)->Contains({INT32_MIN, 0}));
  EXPECT_FALSE(addCircle({INT32_MIN, INT32_MIN}, 1000)->Contains({INT32_MAX, INT32_MAX})) << "no overflow";

  // Distances: the polygon includes its closing edge, the open line does not.
  EXPECT_DOUBLE_EQ(square->DistanceTo({-30, 50}), 30);
  EXPECT_DOUBLE_EQ(wall->DistanceTo({-30, 50}), std::hypot(30.0, 50.0));
  EXPECT_DOUBLE_EQ(circle->DistanceTo({300, 400}), 500) << "to the centre";
  EXPECT_THROW(add<TPolygon>({{0, 0}, {10, 0}})->DistanceTo({0, 0}), EAssertionFailed);
  EXPECT_THROW(add<TWallPolyLine>({{0, 0}})->DistanceTo({0, 0}), EAssertionFailed);

  // Crossing: a vertical path through the bottom (segment 0) and top (segment 2) edges.
  EXPECT_TRUE(wall->Crosses({50, -50}, {50, 150}, -1));
  EXPECT_TRUE(wall->Crosses({50, -50}, {50, 150}, 0));
  EXPECT_FALSE(wall->Crosses({50, -50}, {50, 50}, 0)) << "the only crossing segment is skipped";
  EXPECT_FALSE(wall->Crosses({-50, 50}, {10, 50}, -1)) << "the open side has no edge";
  EXPECT_TRUE(square->Crosses({-50, 50}, {10, 50}, -1)) << "the polygon's closing edge counts";
  EXPECT_FALSE(square->Crosses({-50, 50}, {10, 50}, 3));
  EXPECT_TRUE(circle->Crosses({-1000, 500}, {1000, 500}, -1)) << "passes at the radius";
  EXPECT_FALSE(circle->Crosses({-1000, 501}, {1000, 501}, -1));
}

TEST_F(ElementsTest, DeletingAnElementTakesItsNodesDimensionsAndMarkers)
{
  auto* wall = add<TWallPolyLine>({{0, 0}, {1000, 0}, {1000, 1000}});
  auto* line = add<TSpectatorLine>({{0, 2000}, {1000, 2000}});
  auto* other = add<TSpectatorLine>({{0, 3000}, {1000, 3000}});
  addSize(wall->FNodes[0], wall->FNodes[1]);
  auto* kept = addSize(line->FNodes[0], line->FNodes[1]);
  addSize(line->FNodes[0], wall->FNodes[2]);
  for (TSpectatorLine* l : {line, other, line}) {
    auto* m = new TMarker;
    m->FLine = l;
    m->FIndex = 5;
    section.FMarkers.Add(m);
  }
  ASSERT_EQ(section.FNodes.Count(), 7);

  section.FElements.Delete(section.FElements.IndexOf(wall));
  EXPECT_EQ(section.FNodes.Count(), 4);
  ASSERT_EQ(section.FSizes.Count(), 1);
  EXPECT_EQ(section.FSizes[0], kept);
  for (TNode* n : section.FNodes.Items()) EXPECT_NE(n->FOwner, wall);

  section.FElements.Delete(section.FElements.IndexOf(line));
  EXPECT_EQ(section.FNodes.Count(), 2);
  EXPECT_EQ(section.FSizes.Count(), 0);
  ASSERT_EQ(section.FMarkers.Count(), 1);
  EXPECT_EQ(section.FMarkers[0]->FLine, other);

  // Node editing: the node goes from both lists and takes its dimensions along.
  auto* floor = add<TPoglotWall>({{0, 0}, {500, 0}, {900, 0}});
  addSize(floor->FNodes[0], floor->FNodes[1]);
  floor->DeleteNode(floor->FNodes[1]);
  EXPECT_EQ(floor->NodeCount(), 2);
  EXPECT_EQ(section.FSizes.Count(), 0);
  floor->DeleteLastNode();
  EXPECT_EQ(floor->NodeCount(), 1);
  EXPECT_EQ(section.FNodes.Count(), 3);
  EXPECT_THROW(floor->DeleteNode(other->FNodes[0]), EAssertionFailed);
}

TEST_F(ElementsTest, DeletingTheSourceClearsOnlyItsOwnReference)
{
  auto* spare = addPoint<TSound>({0, 0});
  auto* source = addPoint<TSound>({100, 0});
  section.FElements.FSound = source;
  section.FElements.Delete(section.FElements.IndexOf(spare));
  EXPECT_EQ(section.FElements.FSound, source);
  section.FElements.Delete(section.FElements.IndexOf(source));
  EXPECT_EQ(section.FElements.FSound, nullptr);
  EXPECT_EQ(section.FNodes.Count(), 0);
}

TEST_F(ElementsTest, NearestPicks)
{
  auto* big = add<TPolygon>({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
  auto* small = add<TPolygon>({{4000, 4000}, {6000, 4000}, {6000, 6000}, {4000, 6000}});
  auto* wall = add<TWallPolyLine>({{5000, 5800}, {5500, 5800}});
  auto* place = addPoint<TSpectatorPlace>({20000, 20000});
  add<TWallPolyLine>({{5000, 5000}});  // not correct: never picked

  // The topmost shape containing the point, unless an open line lies nearer than its outline.
  EXPECT_EQ(section.FElements.ElementNearest({4100, 4500}), small);
  EXPECT_EQ(section.FElements.ElementNearest({5200, 5700}), wall);
  EXPECT_EQ(section.FElements.ElementNearest({1000, 5000}), big);
  EXPECT_EQ(section.FElements.ElementNearest({30000, 30000}), place) << "no distance limit";
  TPickFilter<TElement> noPolygons = [](const TElement* e) { return e->GetKind() != 0; };
  EXPECT_EQ(section.FElements.ElementNearest({4100, 4500}, noPolygons), wall);
  TPickFilter<TElement> nothing = [](const TElement*) { return false; };
  EXPECT_EQ(section.FElements.ElementNearest({4100, 4500}, nothing), nullptr);

  auto* l1 = add<TSpectatorLine>({{0, 100}, {100, 100}});
  add<TSpectatorLine>({{0, -100}, {100, -100}});
  EXPECT_EQ(section.FElements.SpectatorLineNearest({50, 0}), l1) << "ties go to the first";

  EXPECT_EQ(section.FNodes.NodeNearest({5010, 5790}), wall->FNodes[0]);
  TPickFilter<TNode> ofSmall = [&](const TNode* n) { return n->FOwner == small; };
  EXPECT_EQ(section.FNodes.NodeNearest({5010, 5790}, ofSmall), small->FNodes[2]);
  EXPECT_EQ(section.FNodes.NodeNearest({0, 0}), big->FNodes[0]);
}

} // namespace
} // namespace sonvela
