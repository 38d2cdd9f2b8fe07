// The DXF reader: group pairs, tables, entities, extents, painting and hostile files.
#include "graphic/dxf.h"

#include "core/errors.h"
#include "graphic/strings.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <streambuf>

namespace sonvela {
namespace {

using testing::TRecordingCanvas;

const std::string FixtureDir = std::string(SONVELA_TEST_DIR) + "/fixtures/";

// A DXF text from alternating code and value lines.
std::string dxfText(std::initializer_list<const char*> lines, const char* eol = "\n")
{
  std::string s;
  for (const char* l : lines) s += std::string(l) + eol;
  return s;
}

TDxf loadText(const std::string& text)
{
  TDxf dxf;
  std::istringstream in(text);
  dxf.LoadFromStream(in);
  return dxf;
}

// The detail of the read error a text raises, or "" when it loads.
std::string loadError(const std::string& text)
{
  try {
    loadText(text);
  } catch (const EReadError& e) {
    return e.detail();
  }
  return "";
}

// Entities of one section, with the extents (0, 0)-(100, 100) in the header.
std::string drawing(std::initializer_list<const char*> header, std::initializer_list<const char*> entities)
{
  std::string s = dxfText({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "0", "20", "0", "9", "$EXTMAX",
                           "10", "100", "20", "100"});
  s += dxfText(header);
  s += dxfText({"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"});
  s += dxfText(entities);
  s += dxfText({"0", "ENDSEC", "0", "EOF"});
  return s;
}

TEST(DxfRead, PlanFixtureInEveryLineEndStyle)
{
  // The same hand-written plan with CR LF, LF and CR line ends, padded group codes and
  // trailing blanks, a leading comment, a block that is not drawn and a text entity.
  for (const char* name : {"plan_crlf.dxf", "plan_lf.dxf", "plan_cr.dxf"}) {
    SCOPED_TRACE(name);
    TDxf dxf;
    dxf.LoadFromFile(FixtureDir + name);
    EXPECT_FALSE(dxf.GetEmpty());

    // Extents relative to the UCS origin (100, 50, 0); "550,0" uses a decimal comma.
    EXPECT_EQ(dxf.Min(), (TDxfPoint{0, 0, 0}));
    EXPECT_EQ(dxf.Max(), (TDxfPoint{1000, 500, 0}));
    EXPECT_EQ(dxf.HeaderMax(), dxf.Max());
    EXPECT_EQ(dxf.GetWidth(), 1000);
    EXPECT_EQ(dxf.GetHeight(), 500);
    // $ANGDIR is not the angle direction: arcs in a DXF always run counterclockwise.
    EXPECT_EQ(dxf.AngDir(), 0);

    ASSERT_EQ(dxf.LineTypes().size(), 2u);
    EXPECT_EQ(dxf.LineTypes()[0], (TDxfLineType{"CONTINUOUS", 0}));
    EXPECT_EQ(dxf.LineTypes()[1], (TDxfLineType{"DASHED", 2}));
    ASSERT_EQ(dxf.Layers().size(), 3u);
    EXPECT_EQ(dxf.Layers()[0], (TDxfLayer{"0", 7, 0}));
    EXPECT_EQ(dxf.Layers()[1], (TDxfLayer{"WALLS", -3, 1}));
    // A Windows-1251 name comes out in UTF-8; an unknown line type is line type 0.
    EXPECT_EQ(dxf.Layers()[2], (TDxfLayer{"ЗАЛ", 4, 0}));

    using K = TDxfEntityKind;
    const std::vector<TDxfEntity> expected = {
      {1, K::Line, 0, 0, 0, 1000, 500, 0},
      {0, K::Circle, 500, 250, 0, 100, 0, 0},
      {2, K::Arc, 500, 250, 0, 200, 0, 90},
      {0, K::Line, 0, 500, 0, 1000, 0, 0},  // on a layer not in the table: layer 0
    };
    EXPECT_EQ(dxf.Entities(), expected);
  }
}

TEST(DxfRead, GroupValuesAndDefaults)
{
  // No extents in the header: (0, 0)-(1, 1). Values that are no number read as 0.
  const TDxf dxf = loadText(dxfText({"0", "SECTION", "2", "ENTITIES",
                                     "0", "LINE", "10", "nan", "20", "1.5e1", "30", "abc", "11", "-.5", "21", "+2", "31", "",
                                     "0", "CIRCLE", "10", "inf", "20", "0x10", "40", "3,25",
                                     "0", "ENDSEC", "0", "EOF"}));
  EXPECT_EQ(dxf.Min(), (TDxfPoint{0, 0, 0}));
  EXPECT_EQ(dxf.Max(), (TDxfPoint{1, 1, 1}));
  ASSERT_EQ(dxf.Entities().size(), 2u);
  EXPECT_EQ(dxf.Entities()[0], (TDxfEntity{0, TDxfEntityKind::Line, 0, 15, 0, -0.5f, 2, 0}));
  EXPECT_EQ(dxf.Entities()[1], (TDxfEntity{0, TDxfEntityKind::Circle, 0, 0, 0, 3.25f, 0, 0}));
}

TEST(DxfRead, ByteOrderMarkAndMissingEndOfFile)
{
  // A UTF-8 mark before the first code; a file that ends without ENDSEC and EOF keeps the
  // entity it ended in.
  const TDxf dxf = loadText("\xEF\xBB\xBF" + dxfText({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1", "11", "2"}));
  ASSERT_EQ(dxf.Entities().size(), 1u);
  EXPECT_EQ(dxf.Entities()[0].X2, 2);
}

TEST(DxfRead, Errors)
{
  struct TCase {
    const char* what;
    std::string text;
    const char* detail;
  };
  const std::string longLine(TDxf::MaxLineLength + 1, 'x');
  const TCase cases[] = {
    {"empty file", "", strings::DxfInvalidFile},
    {"only a comment", dxfText({"999", "nothing here"}), strings::DxfInvalidFile},
    {"first pair no section", dxfText({"0", "ENTITIES", "0", "EOF"}), strings::DxfInvalidFile},
    {"first code not 0", dxfText({"2", "SECTION", "0", "EOF"}), strings::DxfInvalidFile},
    {"three code lines no integers", dxfText({"0", "SECTION", "2", "HEADER", "x", "y", "z", "9"}), strings::DxfInvalidFile},
    {"code beyond 32 bits", dxfText({"0", "SECTION", "99999999999", "", "x"}), strings::DxfInvalidFile},
    {"binary junk", std::string("\x00\x01\x02\xff\r\n\x7f\x80\r\n\x10", 11), strings::DxfInvalidFile},
    {"endless line", longLine, strings::DxfInvalidFile},
    {"coordinate beyond single range",
     dxfText({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1e39"}), strings::DxfNumberOutOfRange},
    {"coordinate beyond double range",
     dxfText({"0", "SECTION", "2", "ENTITIES", "0", "CIRCLE", "40", "-1e400"}), strings::DxfNumberOutOfRange},
    {"coordinate minus origin overflows",
     dxfText({"0", "SECTION", "2", "HEADER", "9", "$UCSORG", "10", "-3e38", "0", "ENDSEC",
              "0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "3e38"}), strings::DxfNumberOutOfRange},
    {"header extent beyond range",
     dxfText({"0", "SECTION", "2", "HEADER", "9", "$EXTMAX", "20", "1e40"}), strings::DxfNumberOutOfRange},
  };
  for (const TCase& c : cases) EXPECT_EQ(loadError(c.text), c.detail) << c.what;

  // Values nobody uses may be of any size; a wrong code line or two is skipped.
  EXPECT_EQ(loadError(dxfText({"0", "SECTION", "2", "HEADER", "9", "$PLIMMAX", "10", "1e400", "20", "1e39",
                               "junk", "junk", "0", "ENDSEC", "0", "EOF"})), "");
}

TEST(DxfRead, ErrorNamesTheOffsetOfTheBadLine)
{
  const std::string text = dxfText({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1e39"}, "\r\n");
  try {
    loadText(text);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.offset(), text.find("1e39"));
  }
}

TEST(DxfRead, FailedLoadKeepsThePreviousDrawing)
{
  TDxf dxf;
  dxf.LoadFromFile(FixtureDir + "plan_lf.dxf");
  int changes = 0;
  dxf.OnChange = [&] { ++changes; };
  std::istringstream bad(dxfText({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1e39"}));
  EXPECT_THROW(dxf.LoadFromStream(bad), EReadError);
  EXPECT_EQ(dxf.Entities().size(), 4u);
  EXPECT_EQ(dxf.Layers().size(), 3u);
  EXPECT_EQ(dxf.GetWidth(), 1000);
  EXPECT_EQ(changes, 0);
  EXPECT_THROW(dxf.LoadFromFile(FixtureDir + "no_such_file.dxf"), EReadError);
  EXPECT_EQ(dxf.Entities().size(), 4u);
}

// Input without end: a head, then a pattern repeated forever.
class TEndlessBuffer : public std::streambuf {
public:
  TEndlessBuffer(std::string head, const std::string& pattern) : FHead(std::move(head))
  {
    for (int i = 0; i < 4096; ++i) FChunk += pattern;
  }

protected:
  int_type underflow() override
  {
    std::string& next = FHeadDone || FHead.empty() ? FChunk : FHead;
    FHeadDone = true;
    setg(next.data(), next.data(), next.data() + next.size());
    return traits_type::to_int_type(next[0]);
  }

private:
  std::string FHead;
  std::string FChunk;
  bool FHeadDone = false;
};

TEST(DxfRead, EndlessStreamsEndInAnError)
{
  struct TCase {
    std::string head;
    std::string pattern;
    const char* detail;
  };
  const TCase cases[] = {
    {"", std::string(1, '\0'), strings::DxfInvalidFile},
    {dxfText({"0", "SECTION", "2", "ENTITIES"}), "0\nLINE\n", strings::DxfTooManyObjects},
    {dxfText({"0", "SECTION", "2", "TABLES"}), "0\nLAYER\n2\nA\n", strings::DxfTooManyObjects},
  };
  for (const TCase& c : cases) {
    TEndlessBuffer endless(c.head, c.pattern);
    std::istream in(&endless);
    std::string detail;
    try {
      TDxf().LoadFromStream(in);
    } catch (const EReadError& e) {
      detail = e.detail();
    }
    EXPECT_EQ(detail, c.detail) << c.pattern;
  }
}

TEST(DxfDraw, PlanPensAndPositions)
{
  TDxf dxf;
  dxf.SetSystemColors(clBlack, clRed);
  dxf.LoadFromFile(FixtureDir + "plan_crlf.dxf");
  TRecordingCanvas canvas;
  canvas.Brush.Style = TBrushStyle::Solid;
  // 1001 × 501 pixels for 1000 × 500 units: one pixel per unit, Y flipped.
  dxf.Draw(canvas, {0, 0, 1001, 501});

  ASSERT_EQ(canvas.Ops.size(), 6u);
  const auto& ops = canvas.Ops;
  for (const auto& op : ops) EXPECT_EQ(op.Brush.Style, TBrushStyle::Clear);
  // Layer WALLS, colour -3 painted like 3, dashed line type drawn dotted.
  EXPECT_EQ(ops[0].Kind, "Line");
  EXPECT_EQ(ops[0].Points, (std::vector<TPoint>{{0, 500}, {1000, 0}}));
  EXPECT_EQ(ops[0].Pen.Color, clRed);
  EXPECT_EQ(ops[0].Pen.Style, TPenStyle::Dot);
  EXPECT_EQ(ops[1].Kind, "Pixel");
  EXPECT_EQ(ops[1].Points[0], (TPoint{1000, 0}));
  EXPECT_EQ(ops[1].PixelColor, clRed);
  // Layer 0, colour 7: window text, solid.
  EXPECT_EQ(ops[2].Kind, "Ellipse");
  EXPECT_EQ(ops[2].Points, (std::vector<TPoint>{{400, 150}, {600, 350}}));
  EXPECT_EQ(ops[2].Pen.Color, clBlack);
  EXPECT_EQ(ops[2].Pen.Style, TPenStyle::Solid);
  // Layer ЗАЛ, colour 4: the upper right quarter of the circle around (500, 250).
  EXPECT_EQ(ops[3].Kind, "Arc");
  EXPECT_EQ(ops[3].Points, (std::vector<TPoint>{{300, 50}, {700, 450}, {700, 250}, {500, 50}}));
  EXPECT_EQ(ops[3].Pen.Color, clRed);
  // The entity on a layer missing from the table takes layer 0's pen.
  EXPECT_EQ(ops[4].Kind, "Line");
  EXPECT_EQ(ops[4].Points, (std::vector<TPoint>{{0, 0}, {1000, 500}}));
  EXPECT_EQ(ops[4].Pen.Color, clBlack);
  EXPECT_EQ(ops[4].Pen.Style, TPenStyle::Solid);
  EXPECT_EQ(ops[5].Kind, "Pixel");
}

TEST(DxfDraw, ArcsAndTheAngleBase)
{
  // An arc of radius 40 around (50, 50) in a 101 × 101 rectangle: pixel = (x, 100 - y).
  struct TCase {
    const char* angBase;
    const char* angDir;
    const char* start;
    const char* end;
    TPoint from, to;
  };
  const TCase cases[] = {
    {"0", "0", "0", "90", {90, 50}, {50, 10}},     // upper right quarter
    {"90", "0", "0", "90", {50, 10}, {10, 50}},    // upper left quarter
    {"0", "0", "180", "360", {10, 50}, {90, 50}},  // lower half
    {"0", "1", "0", "90", {90, 50}, {50, 90}},     // a clockwise direction negates the angles
    {"-90", "0", "90", "180", {90, 50}, {50, 10}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.angBase) + " " + c.angDir + " " + c.start + " " + c.end);
    const TDxf dxf = loadText(drawing({"9", "$ANGBASE", "50", c.angBase, "70", c.angDir},
                                      {"0", "ARC", "10", "50", "20", "50", "40", "40", "50", c.start, "51", c.end}));
    TRecordingCanvas canvas;
    dxf.Draw(canvas, {0, 0, 101, 101});
    ASSERT_EQ(canvas.Ops.size(), 1u);
    EXPECT_EQ(canvas.Ops[0].Points, (std::vector<TPoint>{{10, 10}, {90, 90}, c.from, c.to}));
  }
}

TEST(DxfDraw, FittingIntoTheRectangle)
{
  // Without header extents one drawing unit fills the rectangle.
  const TDxf unit = loadText(dxfText({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "11", "1", "21", "1",
                                      "0", "ENDSEC", "0", "EOF"}));
  TRecordingCanvas canvas;
  unit.Draw(canvas, {10, 20, 211, 121});
  ASSERT_FALSE(canvas.Ops.empty());
  EXPECT_EQ(canvas.Ops[0].Points, (std::vector<TPoint>{{10, 120}, {210, 20}}));

  // Halves round to even: 0.5 units at 3 pixels per unit from pixel 0.
  const TDxf halves = loadText(drawing({}, {"0", "LINE", "10", "0.5", "20", "0.5", "11", "1.5", "21", "1.5"}));
  TRecordingCanvas small;
  halves.Draw(small, {0, 0, 301, 301});
  EXPECT_EQ(small.Ops[0].Points, (std::vector<TPoint>{{2, 298}, {4, 296}}));

  // An empty drawing paints nothing.
  TRecordingCanvas none;
  TDxf().Draw(none, {0, 0, 100, 100});
  EXPECT_TRUE(none.Ops.empty());
}

TEST(DxfDraw, DegenerateExtentsAndFarEntities)
{
  // Flat extents count as one unit; a line running far out is cut, not refused; a circle
  // that big is left out. Nothing throws.
  const TDxf dxf = loadText(dxfText({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "5", "20", "5",
                                     "9", "$EXTMAX", "10", "5", "20", "5", "0", "ENDSEC",
                                     "0", "SECTION", "2", "ENTITIES",
                                     "0", "LINE", "10", "5", "20", "5", "11", "3e38", "21", "5",
                                     "0", "CIRCLE", "10", "5", "20", "5", "40", "1e30",
                                     "0", "LINE", "10", "-3e38", "20", "-3e38", "11", "-3e38", "21", "3e38",
                                     "0", "ENDSEC", "0", "EOF"}));
  TRecordingCanvas canvas;
  ASSERT_NO_THROW(dxf.Draw(canvas, {0, 0, 101, 101}));
  ASSERT_EQ(canvas.Ops.size(), 1u);
  EXPECT_EQ(canvas.Ops[0].Kind, "Line");
  EXPECT_EQ(canvas.Ops[0].Points[0], (TPoint{0, 100}));
  EXPECT_EQ(canvas.Ops[0].Points[1], (TPoint{int(TDxf::DrawLimit), 100}));
}

// A picture of another kind, to try Assign with.
class TOtherGraphic : public TGraphic {
public:
  void Assign(const TGraphic&) override {}
  void Draw(TCanvas&, const TRect&) const override {}
  bool GetEmpty() const override { return true; }
  int GetHeight() const override { return 0; }
  int GetWidth() const override { return 0; }
  void SetHeight(int) override {}
  void SetWidth(int) override {}
  void LoadFromStream(std::istream&) override {}
  void SaveToStream(std::ostream&) const override {}
  void LoadFromClipboardFormat() override {}
  void SaveToClipboardFormat() const override {}
};

TEST(DxfPicture, AssignSizeAndUnsupportedOperations)
{
  TDxf source;
  source.LoadFromFile(FixtureDir + "plan_lf.dxf");
  source.SetWidth(250);  // a quarter pixel per unit
  EXPECT_FLOAT_EQ(source.Scale(), 0.25f);
  EXPECT_EQ(source.GetWidth(), 250);
  EXPECT_EQ(source.GetHeight(), 125);
  source.SetHeight(100000);  // 200 pixels per unit, beyond the largest size
  EXPECT_EQ(source.GetWidth(), TDxf::MaxSize);
  EXPECT_EQ(source.GetHeight(), TDxf::MaxSize);
  source.SetHeight(1000);

  TDxf copy;
  int changes = 0;
  copy.OnChange = [&] { ++changes; };
  copy.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(copy.GetEmpty());
  EXPECT_EQ(copy.Entities(), source.Entities());
  EXPECT_EQ(copy.Layers(), source.Layers());
  EXPECT_EQ(copy.LineTypes(), source.LineTypes());
  EXPECT_EQ(copy.Max(), source.Max());
  EXPECT_EQ(copy.GetWidth(), 2000);
  EXPECT_EQ(copy.GetHeight(), 1000);

  copy.Assign(TDxf());
  EXPECT_TRUE(copy.GetEmpty());
  EXPECT_TRUE(copy.Entities().empty());

  const auto message = [](auto&& f) {
    try {
      f();
    } catch (const EError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(message([&] { copy.Assign(TOtherGraphic()); }), strings::DxfAssignOnlyDxf);
  std::ostringstream out;
  EXPECT_EQ(message([&] { source.SaveToStream(out); }), strings::DxfNoSaveToStream);
  EXPECT_EQ(message([&] { source.SaveToClipboardFormat(); }), strings::DxfNoSaveToClipboard);
  EXPECT_EQ(message([&] { source.LoadFromClipboardFormat(); }), strings::DxfNoLoadFromClipboard);

  // A flat drawing can still be given a size.
  TDxf flat = loadText(drawing({"9", "$EXTMAX", "20", "0"}, {}));
  ASSERT_NO_THROW(flat.SetHeight(300));
  EXPECT_EQ(flat.GetHeight(), 0);
  EXPECT_EQ(flat.GetWidth(), 30000);
}

} // namespace
} // namespace sonvela
