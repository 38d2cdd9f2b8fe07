// Dimensions: imposing values and their propagation, texts, drawing, picking.
#include "graphic/construction.h"

#include "core/errors.h"
#include "fake_view.h"

#include <gtest/gtest.h>

#include <climits>

namespace sonvela {
namespace {

using testing::TFakeView;
using testing::TRecordedOp;

class DimensionsTest : public ::testing::Test {
protected:
  TConstruction section;
  TCurrentConstructionGuard current{&section};
  TFakeView view;

  std::vector<TNode*> wall(std::initializer_list<TPoint> points)
  {
    auto* w = new TWallPolyLine;
    section.FElements.Add(w);
    for (TPoint p : points) w->AddNode(p);
    return w->FNodes;
  }

  TLinearSize* size(TNode* a, TNode* b, std::uint8_t kind, TPoint offset = {})
  {
    auto* s = new TLinearSize;
    s->FNode = a;
    s->FNode2 = b;
    s->FKind = kind;
    s->FOffset = offset;
    section.FSizes.Add(s);
    return s;
  }

  TCircleSize* circleSize(TPoint centre, std::int32_t radius, TPoint offset = {})
  {
    auto* c = new TCircle;
    section.FElements.Add(c);
    c->CreateCentre(centre);
    c->FRadius = radius;
    auto* s = new TCircleSize;
    s->FNode = c->FCentre;
    s->FCircle = c;
    s->FOffset = offset;
    section.FSizes.Add(s);
    return s;
  }

  std::vector<TPoint> linesOf(const std::vector<TRecordedOp>& ops)
  {
    std::vector<TPoint> pts;
    for (const auto& op : ops)
      if (op.Kind == "Line") pts.insert(pts.end(), op.Points.begin(), op.Points.end());
    return pts;
  }
};

TEST_F(DimensionsTest, HorizontalValueMovesTheSecondNodeAwayFromTheFirst)
{
  auto right = wall({{0, 0}, {4000, 0}});
  size(right[0], right[1], skHorizontal)->SetValue(5000);
  EXPECT_EQ(right[1]->FPoint, (TPoint{5000, 0}));
  auto left = wall({{0, 100}, {-4000, 100}});
  size(left[0], left[1], skHorizontal)->SetValue(5000);
  EXPECT_EQ(left[1]->FPoint, (TPoint{-5000, 100}));
  EXPECT_EQ(left[0]->FPoint, (TPoint{0, 100})) << "the first node never moves";

  auto up = wall({{0, 0}, {10, -300}});
  auto* vertical = size(up[0], up[1], skVertical);
  vertical->SetValue(1000);
  EXPECT_EQ(up[1]->FPoint, (TPoint{10, -1000}));
  EXPECT_EQ(vertical->GetValue(), 1000);
}

TEST_F(DimensionsTest, AlignedNodesFollowAMovedNode)
{
  auto r = wall({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}});
  size(r[0], r[1], skHorizontal)->SetValue(5000);
  EXPECT_EQ(r[1]->FPoint, (TPoint{5000, 0}));
  EXPECT_EQ(r[2]->FPoint, (TPoint{5000, 3000})) << "shares X with the moved node";
  EXPECT_EQ(r[3]->FPoint, (TPoint{0, 3000}));
  EXPECT_EQ(r[0]->FPoint, (TPoint{0, 0}));
}

TEST_F(DimensionsTest, ANodeHeldByAnotherDimensionStays)
{
  auto r = wall({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}});
  size(r[3], r[2], skHorizontal, {0, 500});
  size(r[0], r[1], skHorizontal)->SetValue(5000);
  EXPECT_EQ(r[1]->FPoint, (TPoint{5000, 0}));
  EXPECT_EQ(r[2]->FPoint, (TPoint{4000, 3000}));
}

TEST_F(DimensionsTest, ADimensionStartingAtAMovedNodeKeepsItsLength)
{
  auto a = wall({{0, 0}, {4000, 0}});
  auto b = wall({{4500, 2000}, {9000, 9000}});
  auto* first = size(a[0], a[1], skHorizontal);
  auto* dependent = size(a[1], b[0], skVertical);
  const std::int32_t before = dependent->GetValue();
  first->SetValue(5000);
  EXPECT_EQ(b[0]->FPoint, (TPoint{5500, 2000})) << "shifted by the same displacement";
  EXPECT_EQ(dependent->GetValue(), before);
  EXPECT_EQ(b[1]->FPoint, (TPoint{9000, 9000}));
}

TEST_F(DimensionsTest, AlignedValueAndOverflow)
{
  auto n = wall({{0, 0}, {3000, 4000}});
  auto* aligned = size(n[0], n[1], skAligned);
  EXPECT_EQ(aligned->GetValue(), 5000);
  aligned->SetValue(10000);
  EXPECT_EQ(n[1]->FPoint, (TPoint{6000, 8000}));

  auto far = wall({{10, 0}, {20, 0}});
  EXPECT_THROW(size(far[0], far[1], skHorizontal)->SetValue(INT_MAX), ERangeError);
}

TEST_F(DimensionsTest, KindSwitching)
{
  auto n = wall({{0, 0}, {0, 0}, {0, 100}, {100, 0}, {100, 50}});
  struct Case {
    TNode* second;
    std::uint8_t expected;
  } cases[] = {{n[1], skHorizontal}, {n[2], skVertical}, {n[3], skHorizontal}, {n[4], skAligned}};
  for (const auto& c : cases) {
    auto* s = size(n[0], c.second, skAligned);
    s->AdjustKind();
    EXPECT_EQ(s->FKind, c.expected) << c.second->FPoint.X << "," << c.second->FPoint.Y;
  }
  auto* s = size(n[0], n[4], skHorizontal);
  for (std::uint8_t k : {skVertical, skAligned, skHorizontal}) {
    s->SwitchKind();
    EXPECT_EQ(s->FKind, k);
  }
}

TEST_F(DimensionsTest, CircleValue)
{
  auto* d = circleSize({0, 0}, 500);
  EXPECT_EQ(d->GetValue(), 1000);
  d->SetValue(201);
  EXPECT_EQ(d->FCircle->FRadius, 100) << "odd diameter loses its half unit";
  EXPECT_FALSE(d->FCircle->IsCorrect());
  d->FCircle->Draw(view);
  d->Draw(view, true);
  EXPECT_TRUE(view.Recorder.Ops.empty()) << "a circle of radius 100 is not painted";
  d->SetValue(199);
  EXPECT_EQ(d->FCircle->FRadius, 100);
  d->SetValue(-2000);
  EXPECT_EQ(d->FCircle->FRadius, 100);
  d->SwitchKind();
  EXPECT_FALSE(d->FDiameter);
  d->SetValue(150);
  EXPECT_EQ(d->FCircle->FRadius, 150);
  EXPECT_EQ(d->GetValue(), 150);
}

TEST_F(DimensionsTest, ValueText)
{
  const std::pair<std::int32_t, const char*> cases[] = {
      {12345, "12.35"}, {24, "0"}, {25, "0"}, {75, "0.1"}, {125, "0.1"},
      {-12345, "-12.35"}, {1000, "1"}, {0, "0"}, {INT_MAX, "2147483.65"},
  };
  for (const auto& [v, text] : cases) EXPECT_EQ(lengthToStr(v), text) << v;
  EXPECT_EQ(section.FParametrs.LengthToStr(12345, ","), "12,35");
}

TEST_F(DimensionsTest, HorizontalDimensionDrawing)
{
  auto n = wall({{1000, 1000}, {3000, 1000}});
  auto* s = size(n[0], n[1], skHorizontal, {0, -500});
  view.Recorder.Pen.Width = 4;
  s->DrawNormal(view);
  const auto& ops = view.Recorder.Ops;
  EXPECT_EQ(linesOf(ops), (std::vector<TPoint>{
                              {100, 900}, {100, 950},  // extension lines
                              {300, 900}, {300, 950},
                              {300, 950}, {100, 950},  // dimension line E2 -> E1
                              {300, 950}, {293, 946},  // arrow at the second node
                              {300, 950}, {293, 954},
                              {100, 950}, {107, 954},  // and at the first
                              {100, 950}, {107, 946},
                          }));
  for (const auto& op : ops) {
    EXPECT_EQ(op.Pen, (TPen{clBlack, TPenStyle::Solid, 1, TPenMode::Copy}));
    EXPECT_EQ(op.Brush, (TBrush{clWhite, TBrushStyle::Solid}));
    EXPECT_EQ(op.Font.Color, clBlack);
  }
  const auto texts = view.Recorder.OfKind("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "2");
  EXPECT_EQ(texts[0].Points[0], (TPoint{197, 935})) << "centred above the line";

  // While dimensions are edited only the moving end carries an arrowhead.
  view.Recorder.Ops.clear();
  section.FDoubleArrows = false;
  s->DrawSelected(view);
  EXPECT_EQ(view.Recorder.OfKind("Line").size(), 5u);
  for (const auto& op : view.Recorder.Ops) {
    EXPECT_EQ(op.Pen.Color, clRed);
    EXPECT_EQ(op.Font.Color, clRed);
  }

  // The drag outline: NOT-XOR, no text, copy mode afterwards.
  view.Recorder.Ops.clear();
  s->DrawXor(view);
  EXPECT_TRUE(view.Recorder.OfKind("TextOut").empty());
  for (const auto& op : view.Recorder.Ops) EXPECT_EQ(op.Pen.Mode, TPenMode::NotXor);
  EXPECT_EQ(view.Recorder.Pen.Mode, TPenMode::Copy);
}

TEST_F(DimensionsTest, TextPositionsAndTextPoints)
{
  struct Case {
    const char* name;
    TPoint n1, n2;
    std::uint8_t kind;
    TPoint offset;
    const char* text;
    TPoint textAt;
    TPoint textPoint;
  } cases[] = {
      {"vertical: right of the line", {1000, 1000}, {1000, 3000}, skVertical, {500, 0}, "2", {152, 793}, {1500, 2000}},
      {"aligned, one shift negative: below", {0, 0}, {3000, 4000}, skAligned, {400, -300}, "5", {192, 832}, {1900, 1700}},
      {"aligned, both shifts negative: above", {0, 0}, {3000, -4000}, skAligned, {-400, -300}, "5", {112, 1215}, {1100, -2300}},
      {"horizontal", {1000, 1000}, {3000, 1000}, skHorizontal, {0, -500}, "2", {197, 935}, {2000, 500}},
  };
  for (const auto& c : cases) {
    view.Recorder.Ops.clear();
    auto n = wall({c.n1, c.n2});
    auto* s = size(n[0], n[1], c.kind, c.offset);
    s->DrawNormal(view);
    const auto texts = view.Recorder.OfKind("TextOut");
    ASSERT_EQ(texts.size(), 1u) << c.name;
    EXPECT_EQ(texts[0].Text, c.text) << c.name;
    EXPECT_EQ(texts[0].Points[0], c.textAt) << c.name;
    EXPECT_EQ(s->GetTextPoint(), c.textPoint) << c.name;
    EXPECT_DOUBLE_EQ(s->DistanceTo(c.textPoint), 0) << c.name;
  }
}

TEST_F(DimensionsTest, CircleDimensionDrawing)
{
  struct Case {
    const char* name;
    bool diameter;
    TPoint offset;
    std::vector<TPoint> lines;
    TPoint textAt;
  } cases[] = {
      {"radius, text at the centre", false, {0, 0},
       {{100, 900}, {150, 900}, {150, 900}, {143, 896}, {150, 900}, {143, 904}}, {100, 885}},
      {"diameter, text at the centre", true, {0, 0},
       {{50, 900}, {150, 900}, {150, 900}, {143, 896}, {150, 900}, {143, 904}, {50, 900}, {57, 904}, {50, 900}, {57, 896}},
       {100, 885}},
      {"radius, text outside to the right", false, {1000, 0},
       {{100, 900}, {200, 900}, {150, 900}, {143, 896}, {150, 900}, {143, 904}, {200, 900}, {218, 900}}, {200, 885}},
      {"radius, text outside to the left", false, {-1000, 0},
       {{100, 900}, {0, 900}, {50, 900}, {57, 904}, {50, 900}, {57, 896}, {0, 900}, {-18, 900}}, {-18, 885}},
  };
  for (const auto& c : cases) {
    view.Recorder.Ops.clear();
    auto* s = circleSize({1000, 1000}, 500, c.offset);
    s->FDiameter = c.diameter;
    s->DrawNormal(view);
    EXPECT_EQ(linesOf(view.Recorder.Ops), c.lines) << c.name;
    const auto texts = view.Recorder.OfKind("TextOut");
    ASSERT_EQ(texts.size(), 1u) << c.name;
    EXPECT_EQ(texts[0].Text, c.diameter ? "1" : "0.5") << c.name;
    EXPECT_EQ(texts[0].Points[0], c.textAt) << c.name;
    // Without text the shelf is still drawn.
    view.Recorder.Ops.clear();
    s->DrawXor(view);
    EXPECT_EQ(linesOf(view.Recorder.Ops), c.lines) << c.name;
  }
}

TEST_F(DimensionsTest, PickingAndBounds)
{
  EXPECT_LT(section.FParametrs.GetBounds().Right, section.FParametrs.GetBounds().Left) << "empty section";
  auto n = wall({{0, 0}, {1000, 0}, {0, 2000}});
  auto* a = size(n[0], n[1], skHorizontal, {0, -700});
  auto* b = size(n[0], n[2], skVertical, {-300, 0});
  EXPECT_EQ(section.FSizes.SizeNearest({500, -600}), a);
  EXPECT_EQ(section.FSizes.SizeNearest({-300, 1500}), b);
  EXPECT_EQ(section.FSizes.SizeNearest({-1000000, 1000000}), b) << "no distance limit";
  TPickFilter<TSize> onlyA = [&](const TSize* s) { return s == a; };
  EXPECT_EQ(section.FSizes.SizeNearest({-300, 1500}, onlyA), a);
  EXPECT_EQ(section.FParametrs.GetBounds(), (TRect{-300, -700, 1000, 2000}));
}

TEST_F(DimensionsTest, DrawArrowAtANonAxisAngle)
{
  TFakeView v;
  DrawArrow(v.Recorder, {0, 0}, {0, 100});
  // Pointing down the screen: the barbs go back up at about 30 degrees.
  EXPECT_EQ(linesOf(v.Recorder.Ops), (std::vector<TPoint>{{0, 100}, {4, 93}, {0, 100}, {-4, 93}}));
}

} // namespace
} // namespace sonvela
