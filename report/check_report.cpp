// The hall check report: the FrSonvela template, its builder and the report module.
#include "report/check_report.h"

#include "core/errors.h"
#include "core/room.h"
#include "core/surfaces.h"
#include "report/formula.h"
#include "report/preview.h"
#include "report/strings.h"


namespace sonvela::report {

namespace {

namespace s = str::check;

QString qs(const char* text) { return QString::fromUtf8(text); }

TFontSpec font(double size, bool bold = false, bool italic = false)
{
  TFontSpec f;
  f.Size = size;
  f.Bold = bold;
  f.Italic = italic;
  return f;
}

const TFontSpec Body = font(10);
const TFontSpec Heading = font(10, true);
const TFontSpec TableText = font(8);
const TFontSpec TableTitle = font(9, true);
const TFontSpec Caption = font(7);

// Width of the flowing bands: the frame's inside less a margin on both sides, on A4.
constexpr double FrameLeft = mm(20), FrameMargin = mm(5), Inset = mm(3);
constexpr double HeaderHeight = 18;
constexpr double TitleBlockHeight = mm(15), TitleBlockWidth = mm(185);
const double DataWidth = A4Portrait.width() - FrameLeft - FrameMargin - 2 * Inset;
constexpr double ItemGap = 4;



// The memo's text as it measures at template time: fields count as empty.
TRichText measuredRuns(const TMemo& m)
{
  const auto empty = [](const QString&) { return QString(); };
  TRichText runs = m.Rich ? parseRichMarkup(m.Text) : plainRuns(m.Text);
  for (TTextRun& r : runs) r.Text = fillFields(r.Text, empty);
  return runs;
}

struct TTextOptions {
  TFontSpec Font = Body;
  bool Rich = false;
  double Width = 0;  // 0: as wide as the text; negative: the rest of the row
  THAlign HAlign = THAlign::Left;
};

// Lays out a band as rows of memos and formulas, left to right; each row is as tall as its
// tallest item, memos stretch with their filled text and push what follows down.
class TBandBuilder {
public:
  explicit TBandBuilder(TBand& band) : FBand(band) {}

  TBandBuilder& text(const QString& name, const QString& text, TTextOptions o = {})
  {
    TMemo m;
    m.Name = name;
    m.Text = text;
    m.Rich = o.Rich;
    m.Font = o.Font;
    m.HAlign = o.HAlign;
    m.VAlign = TVAlign::Center;
    m.Stretch = true;
    const double rest = DataWidth - FX;
    double width = o.Width < 0 ? rest : o.Width;
    if (width == 0) {
      const TTextLayout natural = layoutText(measuredRuns(m), m.Font, 1e9, false, m.Rich);
      width = std::min(rest, natural.Width + 2 * m.Padding + 1);
    }
    m.Rect = QRectF(FX, FY, width, 0);
    const TTextLayout layout = layoutText(measuredRuns(m), m.Font, width - 2 * m.Padding, true, m.Rich);
    m.Rect.setHeight(layout.Height + 2 * m.Padding);
    place(FBand.add(std::move(m)).Rect);
    return *this;
  }

  TBandBuilder& formula(const QString& name, const TFormulaPtr& f)
  {
    place(FBand.add(TFormula(f).picture(name, QPointF(FX, FY))).Rect);
    return *this;
  }

  TBandBuilder& indent(double x)
  {
    FX = std::max(FX, x);
    return *this;
  }

  TBandBuilder& row(double gap = 2)
  {
    closeRow();
    FY += gap;
    return *this;
  }

  void finish(double bottomGap = 4)
  {
    closeRow();
    FBand.Height = FY + bottomGap;
  }

private:
  void place(const QRectF& r)
  {
    FRow.push_back(FBand.Objects.size() - 1);
    FRowHeight = std::max(FRowHeight, r.height());
    FX = r.right() + ItemGap;
  }

  // Items of a row share its height; memos centre their text, pictures sit in the middle.
  void closeRow()
  {
    for (std::size_t i : FRow) {
      if (auto* m = std::get_if<TMemo>(&FBand.Objects[i])) m->Rect.setHeight(FRowHeight);
      if (auto* p = std::get_if<TPicture>(&FBand.Objects[i])) p->Rect.moveTop(FY + (FRowHeight - p->Rect.height()) / 2);
    }
    FY += FRowHeight;
    FRow.clear();
    FRowHeight = 0;
    FX = 0;
  }

  TBand& FBand;
  double FX = 0, FY = 0, FRowHeight = 0;
  std::vector<std::size_t> FRow;
};

TMemo cell(const QString& name, QRectF r, const QString& text, const TFontSpec& f = TableText,
           THAlign align = THAlign::Center)
{
  TMemo m;
  m.Name = name;
  m.Rect = r;
  m.Text = text;
  m.Font = f;
  m.HAlign = align;
  m.VAlign = TVAlign::Center;
  m.Frame = FrameAll;
  m.FrameWidth = 0.75;
  m.Padding = 1.5;
  return m;
}

// A column head: smaller type rather than a word broken in a narrow column.
TMemo head(const QString& name, QRectF r, const QString& text)
{
  TMemo m = cell(name, r, text);
  m.ShrinkToFit = true;
  return m;
}

TBand band(const QString& name, TBandKind kind = TBandKind::MasterData)
{
  TBand b;
  b.Name = name;
  b.Kind = kind;
  return b;
}

// --- formulas ------------------------------------------------------------------------

using namespace fm;

TFormulaPtr alphaAverage() { return vsub(QStringLiteral("α"), QStringLiteral("ср")); }

TFormulaPtr lnTerm()
{
  return row({text(QStringLiteral("−")), var(QStringLiteral("S")), text(QStringLiteral(" ln")),
              parens(row({text(QStringLiteral("1 − ")), alphaAverage()}))});
}

TFormulaPtr reverbFormula(bool withAir)
{
  std::vector<TFormulaPtr> den{lnTerm()};
  if (withAir) {
    den.push_back(text(QStringLiteral(" + ")));
    den.push_back(var(QStringLiteral("nV")));
  }
  return row({var(QStringLiteral("T")), text(QStringLiteral(" = ")),
              frac(row({text(QStringLiteral("0.163")), var(QStringLiteral("V"))}), row(den))});
}

TFormulaPtr timbreFormula(const QString& k, const QString& t1, const QString& t2)
{
  const auto sumOf = [](const QString& a, const QString& b) {
    return row({vsub(QStringLiteral("T"), a), text(QStringLiteral(" + ")), vsub(QStringLiteral("T"), b)});
  };
  return row({vsub(QStringLiteral("K"), k), text(QStringLiteral(" = 10 lg")),
              parens(frac(sumOf(t1, t2), sumOf(QStringLiteral("500"), QStringLiteral("1000")))),
              text(QStringLiteral(" = "))});
}

TFormulaPtr indexed(const QString& v, const QString& i) { return sub(var(v), var(i)); }

// --- the drawing frame ---------------------------------------------------------------

std::vector<TReportObject> frameObjects(QSizeF page)
{
  const double left = FrameLeft, right = page.width() - FrameMargin;
  const double top = FrameMargin, bottom = page.height() - FrameMargin;
  TBand b;
  const auto line = [&b](const char* name, QPointF from, QPointF to) {
    b.add(TLine{QString::fromLatin1(name), from, to, 2, Qt::black, true});
  };
  line("LeftLine", {left, top}, {left, bottom});
  line("RightLine", {right, top}, {right, bottom});
  line("TopLine", {left, top}, {right, top});
  line("BottomLine", {left, bottom}, {right, bottom});

  TMemo header;
  header.Name = QStringLiteral("MemoPageHeader");
  header.Rect = QRectF(left, top + 1, right - left - mm(2), HeaderHeight - 2);
  header.Text = qs(s::PageHeader);
  header.Font = font(8, false, true);
  header.HAlign = THAlign::Right;
  header.VAlign = TVAlign::Center;
  b.add(header);

  // Side strips at the lower left: caption reading upwards beside an empty field.
  const double stripHeights[3] = {mm(25), mm(35), mm(25)};
  double y = bottom - mm(85);
  for (int i = 0; i < 3; ++i) {
    const QString n = QString::number(i + 1);
    TMemo caption = cell(QStringLiteral("SideCaption") + n, QRectF(left - mm(12), y, mm(5), stripHeights[i]),
                         qs(s::SideCaptions[i]), Caption);
    caption.Rotation = 90;
    b.add(caption);
    b.add(cell(QStringLiteral("SideField") + n, QRectF(left - mm(7), y, mm(7), stripHeights[i]), {}));
    y += stripHeights[i];
  }

  // Title block: two rows of empty cells over the captions, the object's name, the sheet.
  const double x0 = right - TitleBlockWidth, y0 = bottom - TitleBlockHeight;
  const double columns[6] = {mm(7), mm(10), mm(10), mm(10), mm(15), mm(10)};
  double x = x0;
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 3; ++r)
      b.add(cell(QStringLiteral("Title%1_%2").arg(r + 1).arg(c + 1), QRectF(x, y0 + r * mm(5), columns[c], mm(5)),
                 r == 2 ? qs(s::TitleCaptions[c]) : QString(), Caption));
    x += columns[c];
  }
  const double nameWidth = TitleBlockWidth - (x - x0) - mm(10);
  TMemo name = cell(QStringLiteral("TitleRoomName"), QRectF(x, y0, nameWidth, TitleBlockHeight),
                    qs(s::RoomNameField), font(11));
  name.WordWrap = true;
  name.ShrinkToFit = true;
  b.add(name);
  x += nameWidth;
  b.add(cell(QStringLiteral("TitleSheet"), QRectF(x, y0, mm(10), mm(7)), qs(s::TitleSheet), Caption));
  b.add(cell(QStringLiteral("TitlePage"), QRectF(x, y0 + mm(7), mm(10), mm(8)), qs(s::PageField), font(10)));
  line("TitleTopLine", {x0, y0}, {right, y0});
  line("TitleLeftLine", {x0, y0}, {x0, bottom});
  return b.Objects;
}

void layoutPage(TReport& r)
{
  const double top = FrameMargin + HeaderHeight;
  const double bottom = r.PageSize.height() - FrameMargin - TitleBlockHeight - mm(2);
  r.DataArea = QRectF(FrameLeft + Inset, top, r.PageSize.width() - FrameLeft - FrameMargin - 2 * Inset, bottom - top);
  if (TBand* overlay = r.findBand(QStringLiteral("Band2"))) overlay->Objects = frameObjects(r.PageSize);
  if (TBand* object = r.findBand(QStringLiteral("MasterData1")))
    object->Visible = !r.variable(QStringLiteral("RoomName")).isEmpty();
}

// --- the tables ----------------------------------------------------------------------

constexpr double NameColumn = 108, MaterialColumn = 194, AmountColumn = 52, BandColumn = 40;

TBand tableTitle(const QString& bandName, const char* title, const char* material, const char* amount,
                 const char* bands)
{
  TBand b = band(bandName);
  b.KeepWithNext = true;
  TBandBuilder(b).row(6).text(bandName + QStringLiteral("Title"), qs(title),
                              {TableTitle, false, NameColumn + MaterialColumn + AmountColumn + 6 * BandColumn,
                               THAlign::Center})
      .finish(2);
  const double y = b.Height;
  const double headHeight = 26, bandHeight = 16;
  const double fullHeight = headHeight + bandHeight;
  double x = 0;
  b.add(head(bandName + QStringLiteral("Name"), QRectF(x, y, NameColumn, fullHeight), qs(s::ColumnName)));
  x += NameColumn;
  b.add(head(bandName + QStringLiteral("Material"), QRectF(x, y, MaterialColumn, fullHeight), qs(material)));
  x += MaterialColumn;
  b.add(head(bandName + QStringLiteral("Amount"), QRectF(x, y, AmountColumn, fullHeight), qs(amount)));
  x += AmountColumn;
  b.add(head(bandName + QStringLiteral("Bands"), QRectF(x, y, 6 * BandColumn, headHeight), qs(bands)));
  for (int i = 0; i < 6; ++i)
    b.add(cell(bandName + QStringLiteral("Band%1").arg(i + 1), QRectF(x + i * BandColumn, y + headHeight, BandColumn, bandHeight),
               qs(s::Bands[i])));
  b.Height = y + fullHeight;
  return b;
}

TBand tableRows(const QString& bandName, const QString& header, int table)
{
  TBand b = band(bandName);
  b.RepeatHeader = header;
  b.RecordCount = 0;
  const double h = 16;
  const QString t = QString::number(table);
  double x = 0;
  const auto add = [&](const QString& field, double width, THAlign align) {
    TMemo m = cell(bandName + QStringLiteral("_") + field, QRectF(x, 0, width, h),
                   QStringLiteral("[%1]").arg(field), TableText, align);
    m.Stretch = true;
    m.StretchToBand = true;
    b.add(m);
    x += width;
  };
  add(QStringLiteral("name_table") + t, NameColumn, THAlign::Left);
  add(QStringLiteral("mater_table") + t, MaterialColumn, THAlign::Left);
  add(QStringLiteral("s_table") + t, AmountColumn, THAlign::Center);
  for (int i = 1; i <= 6; ++i) add(QStringLiteral("freq%1_%2").arg(i).arg(t), BandColumn, THAlign::Center);
  b.Height = h;
  return b;
}

TBand alphaTable()
{
  TBand b = band(QStringLiteral("MasterData12"));
  constexpr double First = 223, Column = 55;
  const double y = 8;
  b.add(head(QStringLiteral("AlphaHead"), QRectF(0, y, First, 28), qs(s::AlphaHead)));
  b.add(head(QStringLiteral("AlphaRow"), QRectF(0, y + 28, First, 28), qs(s::AlphaRow)));
  for (int i = 0; i < 6; ++i) {
    b.add(cell(QStringLiteral("AlphaBand%1").arg(i + 1), QRectF(First + i * Column, y, Column, 28), qs(s::Bands[i])));
    b.add(cell(QStringLiteral("Alpha%1").arg(i), QRectF(First + i * Column, y + 28, Column, 28),
               QStringLiteral("[A%1]").arg(i), font(9)));
  }
  b.Height = y + 56 + 8;
  return b;
}

} // namespace

TReport makeCheckReportTemplate()
{
  TReport r;
  r.Name = QStringLiteral("FrSonvela");
  r.PageSize = A4Portrait;
  r.PageScript = layoutPage;
  const TTextOptions rest{Body, false, -1};
  const TTextOptions richRest{Body, true, -1};
  const TTextOptions heading{Heading};

  r.Bands.push_back(band(QStringLiteral("Band2"), TBandKind::Overlay));

  {
    TBand b = band(QStringLiteral("MasterData1"));
    TBandBuilder(b).text(QStringLiteral("Memo1"), qs(s::Object), heading)
        .text(QStringLiteral("Memo2"), QStringLiteral("[RoomName]"), {Heading, false, -1})
        .finish(6);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData3"));
    b.KeepWithNext = true;
    TBandBuilder(b).text(QStringLiteral("Memo3"), qs(s::Source), heading).finish(2);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData5"));
    TBandBuilder(b).text(QStringLiteral("Memo5"), qs(s::HallType)).text(QStringLiteral("Memo6"), QStringLiteral("[ZalTypeStr]"), rest).finish(0);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData6"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo7"), qs(s::Seats) + QStringLiteral(" [PlacesInt]"), rest).row()
        .text(QStringLiteral("Memo8"), qs(s::Volume) + QStringLiteral(" [VInt]"), richRest).row()
        .text(QStringLiteral("Memo9"), qs(s::FloorArea) + QStringLiteral(" [SzalInt]"), richRest)
        .finish(8);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData4"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo10"), qs(s::Calculation), heading).row()
        .text(QStringLiteral("Memo11"), qs(s::Step1), rest).row(4)
        .text(QStringLiteral("Memo12"), qs(s::VolumePerSeatNorm) + QStringLiteral(" [VudelMaxStr]"), richRest).row()
        .text(QStringLiteral("Memo13"), qs(s::VolumePerSeat), rest).row()
        .text(QStringLiteral("Memo14"), qs(s::MaxLength) + QStringLiteral(" [LMaxStr]"), richRest).row()
        .text(QStringLiteral("Memo15"), qs(s::Length) + QStringLiteral(" [Lint]"), richRest).row()
        .formula(QStringLiteral("PictureLessEq"), row({var(QStringLiteral("L")), text(QStringLiteral(" ≤ ")), vsub(QStringLiteral("L"), QStringLiteral("доп"))}))
        .text(QStringLiteral("Memo16"), QStringLiteral("[LLDopStr]"), rest).row()
        .text(QStringLiteral("Memo17"), qs(s::Width))
        .formula(QStringLiteral("PictureWidth"), row({var(QStringLiteral("B")), text(QStringLiteral(" = ")),
                                                      frac(vsub(QStringLiteral("S"), QStringLiteral("П")), var(QStringLiteral("L"))),
                                                      text(QStringLiteral(" = "))}))
        .text(QStringLiteral("Memo18"), QStringLiteral("[Breal]"), rest).row()
        .text(QStringLiteral("Memo19"), qs(s::Height))
        .formula(QStringLiteral("PictureHeight"), row({var(QStringLiteral("H")), text(QStringLiteral(" = ")),
                                                       frac(var(QStringLiteral("V")), vsub(QStringLiteral("S"), QStringLiteral("П"))),
                                                       text(QStringLiteral(" = "))}))
        .text(QStringLiteral("Memo20"), QStringLiteral("[Hreal]"), rest).row()
        .text(QStringLiteral("Memo21"), qs(s::Proportions), rest)
        .finish(8);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData7"));
    b.KeepWithNext = true;
    TBandBuilder(b).text(QStringLiteral("Memo22"), qs(s::Step2), rest).finish(0);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData14"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo23"), qs(s::Formula31))
        .formula(QStringLiteral("PictureCritFreq"),
                 row({vsub(QStringLiteral("f"), QStringLiteral("КР")), text(QStringLiteral(" = 125")), space(0.15),
                      root(text(QStringLiteral("3")), frac(text(QStringLiteral("180")), var(QStringLiteral("V")))),
                      text(QStringLiteral(" = "))}))
        .text(QStringLiteral("Memo24"), QStringLiteral("[fkr]"), rest).row()
        .text(QStringLiteral("Memo25"), QStringLiteral("[FkrStr]"), rest)
        .finish(8);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData15"));
    b.KeepWithNext = true;
    TBandBuilder(b).text(QStringLiteral("Memo26"), qs(s::Step3), rest).finish(0);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData13"));
    b.KeepWithNext = true;
    TBandBuilder(b)
        .text(QStringLiteral("Memo27"), qs(s::AverageAlpha))
        .formula(QStringLiteral("PictureAlphaAverage"),
                 row({alphaAverage(), text(QStringLiteral(" = ")),
                      frac(var(QStringLiteral("A")), vsub(QStringLiteral("S"), QStringLiteral("огр")))}))
        .finish(2);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterHeader1"), TBandKind::MasterHeader);
    b.KeepWithNext = true;
    TBandBuilder builder(b);
    builder.text(QStringLiteral("Memo28"), qs(s::EquivalentArea), rest).row()
        .indent(40)
        .formula(QStringLiteral("PictureEquivalentArea"),
                 row({var(QStringLiteral("A")), text(QStringLiteral(" = ")),
                      sum(text(QStringLiteral("i=1")), var(QStringLiteral("n"))),
                      indexed(QStringLiteral("α"), QStringLiteral("i")), indexed(QStringLiteral("S"), QStringLiteral("i")),
                      text(QStringLiteral(" + ")), sum(text(QStringLiteral("j=1")), var(QStringLiteral("m"))),
                      indexed(QStringLiteral("A"), QStringLiteral("j")), indexed(QStringLiteral("n"), QStringLiteral("j"))}))
        .row();
    const std::pair<const char*, const char*> legend[4] = {
        {"α", s::LegendAlpha}, {"S", s::LegendS}, {"A", s::LegendA}, {"n", s::LegendN}};
    const char* indices[4] = {"i", "i", "j", "j"};
    for (int i = 0; i < 4; ++i)
      builder.indent(40)
          .formula(QStringLiteral("PictureLegend%1").arg(i + 1), indexed(qs(legend[i].first), qs(indices[i])))
          .indent(80)
          .text(QStringLiteral("MemoLegend%1").arg(i + 1), qs(legend[i].second), rest)
          .row(0);
    builder.row(2)
        .text(QStringLiteral("Memo29"), qs(s::EnclosingAreaOgr) + QStringLiteral(" [SogrInt]"), richRest)
        .finish(2);
    r.Bands.push_back(b);
  }
  r.Bands.push_back(tableTitle(QStringLiteral("MasterDataPoverhnost"), s::SurfaceTitle, s::ColumnMaterial,
                               s::ColumnArea, s::ColumnBandsSurface));
  r.Bands.push_back(tableRows(QStringLiteral("SurfaceMasterData"), QStringLiteral("MasterDataPoverhnost"), 1));
  r.Bands.push_back(tableTitle(QStringLiteral("MasterDataPoints"), s::PieceTitle, s::ColumnPiece, s::ColumnCount,
                               s::ColumnBandsPiece));
  r.Bands.push_back(tableRows(QStringLiteral("PointsMasterData"), QStringLiteral("MasterDataPoints"), 2));
  r.Bands.push_back(alphaTable());
  {
    TBand b = band(QStringLiteral("MasterData8"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo30"), qs(s::OptimalTime), richRest).row(4)
        .text(QStringLiteral("Memo31"), qs(s::Formula32))
        .formula(QStringLiteral("PictureFormula32"), reverbFormula(false)).row()
        .text(QStringLiteral("Memo32"), qs(s::EnclosingAreaS) + QStringLiteral(" [SogrInt]"), richRest).row()
        .text(QStringLiteral("Memo33"), qs(s::Volume) + QStringLiteral(" [VInt]"), richRest)
        .finish(2);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData10"));
    TBandBuilder(b).text(QStringLiteral("Memo34"), qs(s::Times125to1000), richRest).finish(6);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData9"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo35"), qs(s::Formula33))
        .formula(QStringLiteral("PictureFormula33"), reverbFormula(true)).row()
        .text(QStringLiteral("Memo36"), qs(s::AirAbsorption), rest).row()
        .text(QStringLiteral("Memo37"), qs(s::Times2000to4000Names), {Body, true, 0})
        .text(QStringLiteral("Memo38"), qs(s::Times2000to4000), richRest)
        .finish(8);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("MasterData16"));
    TBandBuilder(b)
        .text(QStringLiteral("Memo39"), qs(s::Step4), rest).row()
        .formula(QStringLiteral("PictureBass"), timbreFormula(QStringLiteral("Н"), QStringLiteral("125"), QStringLiteral("250")))
        .text(QStringLiteral("Memo40"), qs(s::Bass), rest).row()
        .text(QStringLiteral("Memo41"), qs(s::TrebleIntro), rest).row()
        .formula(QStringLiteral("PictureTreble"), timbreFormula(QStringLiteral("В"), QStringLiteral("2000"), QStringLiteral("4000")))
        .text(QStringLiteral("Memo42"), qs(s::Treble), rest)
        .finish(8);
    r.Bands.push_back(b);
  }
  {
    TBand b = band(QStringLiteral("ReportSummary1"), TBandKind::ReportSummary);
    TBandBuilder(b)
        .text(QStringLiteral("Memo43"), qs(s::Conclusion), heading).row()
        .text(QStringLiteral("Memo44"), qs(s::Results), rest)
        .finish(0);
    r.Bands.push_back(b);
  }
  return r;
}

// --- builder -------------------------------------------------------------------------

TReportBuilder::TReportBuilder(const TRoom& room, TReport& report) : FRoom(room), FReport(report) {}

void TReportBuilder::FillTables()
{
  FPieceTable.clear();
  FSurfaceTable.clear();
  const TPovList& list = *FRoom.FSurfaces;
  for (int i = 0; i < list.Count(); ++i) {
    const TPovPoglot& entry = *list.Items(i);
    (entry.FIsSurface ? FSurfaceTable : FPieceTable).push_back(reportRecord(entry));
  }
}

TPreparedReport TReportBuilder::Prepare(QSizeF pageSize)
{
  FSurfaceRow = -1;
  FPieceRow = -1;
  const auto show = [this](const char* name, bool visible, int rows) {
    if (TBand* b = FReport.findBand(QString::fromLatin1(name))) {
      b->Visible = visible;
      if (rows >= 0) b->RecordCount = rows;
    }
  };
  const int surfaces = static_cast<int>(FSurfaceTable.size());
  const int pieces = static_cast<int>(FPieceTable.size());
  show("MasterDataPoverhnost", surfaces > 0, -1);
  show("SurfaceMasterData", surfaces > 0, surfaces);
  show("MasterDataPoints", pieces > 0, -1);
  show("PointsMasterData", pieces > 0, pieces);
  FReport.PageSize = pageSize;
  return prepareReport(FReport);
}

void TReportBuilder::Run(QWidget* parent, const QString& title)
{
  showReportPreview(parent, title, [this](QSizeF pageSize) { return Prepare(pageSize); });
}

void TReportBuilder::BeginBand(const TBand& band)
{
  if (band.Name == QLatin1String("SurfaceMasterData") && FSurfaceRow < static_cast<int>(FSurfaceTable.size()))
    ++FSurfaceRow;
  if (band.Name == QLatin1String("PointsMasterData") && FPieceRow < static_cast<int>(FPieceTable.size()))
    ++FPieceRow;
}

void TReportBuilder::GetTableValue(const QString& name, QString& value) const
{
  // The row indices can stand one past the end after the last print: answer only real rows.
  const auto answer = [&](const TReportTable& table, int row, int number) {
    if (row < 0 || row >= static_cast<int>(table.size())) return;
    const TVariableMap vars = tableRowVariables(table[static_cast<std::size_t>(row)], number, FDecimalSeparator);
    if (const auto it = vars.find(name.toStdString()); it != vars.end()) value = QString::fromStdString(it->second);
  };
  answer(FSurfaceTable, FSurfaceRow, 1);
  answer(FPieceTable, FPieceRow, 2);
}

// --- module --------------------------------------------------------------------------

TReportModule::TReportModule() : FrSonvela(makeCheckReportTemplate())
{
  FrSonvela.OnGetValue = [this](const QString& name, QString& value) { FrSonvelaGetValue(name, value); };
  FrSonvela.OnBeginBand = [this](const TBand& band) { FrSonvelaBeginBand(band); };
}

std::string TReportModule::decimalSeparator() const
{
  return FDecimalSeparator.empty() ? systemDecimalSeparator() : FDecimalSeparator;
}

template <class F>
auto TReportModule::withBuilder(F&& f)
{
  SONVELA_ASSERT(FRoom);
  TReportBuilder builder(*FRoom, FrSonvela);
  builder.FDecimalSeparator = decimalSeparator();
  FVariables = checkReportVariables(*FRoom, builder.FDecimalSeparator);
  builder.FillTables();
  ReportBuilder = &builder;
  struct TReset {
    TReportModule& M;
    ~TReset() { M.ReportBuilder = nullptr; }
  } reset{*this};
  return f(builder);
}

void TReportModule::RunCheckReport(QWidget* parent)
{
  withBuilder([&](TReportBuilder& b) { b.Run(parent, FrSonvela.variable(QStringLiteral("RoomName"))); });
}

TPreparedReport TReportModule::PrepareCheckReport(QSizeF pageSize)
{
  return withBuilder([&](TReportBuilder& b) { return b.Prepare(pageSize); });
}

void TReportModule::FrSonvelaGetValue(const QString& name, QString& value) const
{
  if (const auto it = FVariables.find(name.toStdString()); it != FVariables.end())
    value = QString::fromStdString(it->second);
  if (ReportBuilder) ReportBuilder->GetTableValue(name, value);
}

void TReportModule::FrSonvelaBeginBand(const TBand& band)
{
  if (ReportBuilder) ReportBuilder->BeginBand(band);
}

} // namespace sonvela::report
