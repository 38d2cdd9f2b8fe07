// Control markers on the drawing: labels and colours from the marked point, the flag, the
// sound paths, the highlighted look.
#include <stdexcept>  // fake_view.h throws std::runtime_error

#include "fake_view.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/markers.h"
#include "graphic/reflections.h"
#include "section_generator.h"

#include <gtest/gtest.h>

namespace sonvela {
namespace {

using testing::TFakeView;
using testing::TRecordedOp;

class MarkerPaintTest : public ::testing::Test {
protected:
  TConstruction Section;
  testing::TSectionBuilder Build{Section};
  TSound* Source = Build.Source({0, 0});
  TSpectatorLine* Line = Build.Spectators({0, 5000}, {20000, 5000});
  TFakeView View;  // 0.1 pixel per unit, Y turned over below 10000

  // Point 7 of the line with the given results; the line counts as calculated.
  TSpectatorPoint& Point(bool visible, bool zone, bool found, double delay)
  {
    Line->FCalculated = true;
    TSpectatorPoint& p = Line->FPoints[7];
    p.Pos = {10000.5f, 4999.5f};
    p.DirectVisible = visible;
    p.InDirectZone = zone;
    p.Found = found;
    p.Delay = delay;
    p.Reflection = {5000, 8500};
    return p;
  }

  TMarker* Marker(std::int32_t index = 7)
  {
    auto* m = new TMarker;
    m->FLine = Line;
    m->FIndex = index;
    m->FPos = {1, 2};
    m->FText = "old";
    Section.FMarkers.Add(m);
    return m;
  }
};

TEST_F(MarkerPaintTest, UpdateTakesLabelColourAndPositionFromThePoint)
{
  struct Case {
    bool Visible, Zone, Found;
    double Delay;
    const char* Separator;
    const char* Text;
    TColor Color;
  };
  const Case cases[] = {
    {true, false, true, 25.0, ",", "25,00", clGreen},
    {true, false, true, 25.004, ".", "25.00", clYellow},  // the label rounds, the colour does not
    {true, false, true, 35.0, ",", "35,00", clYellow},
    {true, false, true, 35.126, ",", "35,13", clRed},
    {true, false, true, 0.0, ",", "0,00", clGreen},
    {true, false, true, 123456789.5, ",", "123456789,", clRed},  // cut to 10 characters
    {false, true, true, 10, ",", "ОПЗ", clFuchsia},
    {true, true, false, 1e17, ",", "ЗПЗ", clBlue},
    {true, false, false, 2.9e17, ",", "НО", clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    Point(c.Visible, c.Zone, c.Found, c.Delay);
    TMarker m;
    m.FLine = Line;
    m.FIndex = 7;
    m.Update(c.Separator);
    EXPECT_EQ(m.FText, c.Text);
    EXPECT_EQ(m.FColor, c.Color);
    EXPECT_EQ(m.FInDirectZone, c.Zone);
    EXPECT_EQ(m.FPos, (TPoint{10000, 5000}));  // halves to even
  }
}

TEST_F(MarkerPaintTest, MarkerOnALineWithoutResultsKeepsItsRecord)
{
  // As read from a file, before any calculation: position and label stay as stored.
  TMarker* m = Marker();
  Line->FCalculated = false;
  m->Draw(View);
  EXPECT_EQ(m->FPos, (TPoint{1, 2}));
  EXPECT_EQ(m->FText, "old");
  EXPECT_EQ(View.Recorder.OfKind("TextOut").at(0).Text, "old");
  EXPECT_EQ(View.Recorder.OfKind("Line").size(), 1u);  // the flag's staff only
}

TEST_F(MarkerPaintTest, NormalLookFlagAndPaths)
{
  Point(true, false, true, 25.0);
  TMarker* m = Marker();
  View.Separator = ",";
  View.Recorder.Pen.Mode = TPenMode::NotXor;
  m->Draw(View);
  const auto& ops = View.Recorder.Ops;
  ASSERT_EQ(ops.size(), 9u + 3u + 3u);

  // (10000, 5000) is pixel (1000, 500); the label "25,00" is 30 x 13 pixels.
  int k = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx, ++k) {
      EXPECT_EQ(ops[k].Kind, "Pixel");
      EXPECT_EQ(ops[k].Points[0], (TPoint{1000 + dx, 500 + dy}));
      EXPECT_EQ(ops[k].PixelColor, clBlack);
    }
  auto expectOp = [&](const TRecordedOp& op, const char* kind, std::vector<TPoint> points, TColor pen) {
    EXPECT_EQ(op.Kind, kind);
    EXPECT_EQ(op.Points, points);
    EXPECT_EQ(op.Pen, (TPen{pen, TPenStyle::Solid, 1, TPenMode::Copy}));
    EXPECT_EQ(op.Brush, (TBrush{clWhite, TBrushStyle::Solid}));
  };
  expectOp(ops[9], "Line", {{1000, 500}, {1000, 473}}, clBlack);
  expectOp(ops[10], "Rectangle", {{1000, 473}, {1035, 490}}, clBlack);
  expectOp(ops[11], "TextOut", {{1002, 474}}, clBlack);
  EXPECT_EQ(ops[11].Text, "25,00");
  EXPECT_EQ(ops[11].Font.Color, clBlack);
  // Source (pixel (0, 1000)) to the point, to the reflection (500, 150), back to the source.
  expectOp(ops[12], "Line", {{0, 1000}, {1000, 500}}, clGreen);
  expectOp(ops[13], "Line", {{1000, 500}, {500, 150}}, clGreen);
  expectOp(ops[14], "Line", {{500, 150}, {0, 1000}}, clGreen);
  EXPECT_EQ(View.Recorder.Font.Color, clBlack);
}

TEST_F(MarkerPaintTest, PathsOnlyWhereTheDirectSoundAndAReflectionArrive)
{
  struct Case {
    bool Visible, Zone, Found, WithSource;
    std::size_t PathLines;
  };
  const Case cases[] = {
    {true, false, true, true, 3},
    {true, true, true, true, 1},  // in the direct zone: the direct path alone
    {true, false, false, true, 0},
    {false, false, true, true, 0},
    {true, false, true, false, 0},  // the source deleted after the calculation
  };
  for (const Case& c : cases) {
    TConstruction section;
    testing::TSectionBuilder b(section);
    if (c.WithSource) b.Source({0, 0});
    TSpectatorLine* line = b.Spectators({0, 5000}, {20000, 5000});
    line->FCalculated = true;
    TSpectatorPoint& p = line->FPoints[3];
    p.DirectVisible = c.Visible;
    p.InDirectZone = c.Zone;
    p.Found = c.Found;
    p.Reflection = {100, 100};
    auto* m = new TMarker;
    m->FLine = line;
    m->FIndex = 3;
    section.FMarkers.Add(m);
    TFakeView view;
    m->Draw(view);
    EXPECT_EQ(view.Recorder.OfKind("Line").size(), 1 + c.PathLines);
  }
}

TEST_F(MarkerPaintTest, HighlightedLookIsRedAndKeepsTheLastUpdate)
{
  Point(true, false, true, 30.0);
  TMarker* m = Marker();
  m->Update();
  Point(true, false, true, 40.0);  // changed since; the highlight does not look
  m->DrawSelected(View);
  const auto text = View.Recorder.OfKind("TextOut");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0].Text, "30.00");
  EXPECT_EQ(text[0].Font.Color, clRed);
  EXPECT_EQ(text[0].Pen, (TPen{clRed, TPenStyle::Solid, 1, TPenMode::Copy}));
  for (const auto& px : View.Recorder.OfKind("Pixel")) EXPECT_EQ(px.PixelColor, clRed);
  // The paths keep the colour of the last update.
  const auto lines = View.Recorder.OfKind("Line");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].Pen.Color, clYellow);
  EXPECT_EQ(View.Recorder.Font.Color, clBlack);
}

TEST_F(MarkerPaintTest, MarkersFollowTheirPointAfterTheLineMoves)
{
  Build.Wall({{-10000, 15000}, {40000, 15000}});
  Section.FElements.CalcReflections();
  TMarker* first = Marker(37);
  TMarker* second = Marker(199);
  Section.FMarkers.DrawAll(View);
  EXPECT_EQ(first->FPos, (TPoint{3700, 5000}));
  EXPECT_EQ(second->FPos, (TPoint{19900, 5000}));
  const auto texts = View.Recorder.OfKind("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, first->FText);
  EXPECT_EQ(texts[1].Text, second->FText);

  Line->FNodes[1]->FPoint = {0, 25000};
  Section.FElements.CalcReflections();
  first->Draw(View);
  EXPECT_EQ(first->FLine, Line);
  EXPECT_EQ(first->FIndex, 37);
  EXPECT_EQ(first->FPos, (TPoint{0, 5000 + 37 * 100}));
}

} // namespace
} // namespace sonvela
