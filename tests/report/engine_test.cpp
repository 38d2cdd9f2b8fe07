// The band engine: fields, rich text, band prints, stretching, painting and PDF output.
#include "core/errors.h"
#include "report/engine.h"
#include "qt_print.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sonvela;
using namespace sonvela::report;

namespace {

TMemo memo(const QString& name, QRectF r, const QString& text)
{
  TMemo m;
  m.Name = name;
  m.Rect = r;
  m.Text = text;
  return m;
}

// A small report: one page of 100 × 200 units whose data area is 100 × 100 units.
TReport smallReport()
{
  TReport r;
  r.PageSize = QSizeF(100, 200);
  r.DataArea = QRectF(0, 50, 100, 100);
  r.OnGetValue = [](const QString& name, QString& value) {
    if (name == QLatin1String("X")) value = QStringLiteral("икс");
  };
  return r;
}

TBand dataBand(const QString& name, double height, const QString& text = {})
{
  TBand b;
  b.Name = name;
  b.Height = height;
  if (!text.isEmpty()) b.add(memo(name + QStringLiteral("Memo"), QRectF(0, 0, 100, height), text));
  return b;
}

std::vector<QString> bandsOf(const TPreparedReport& p, int page) { return p.page(page).Bands; }

} // namespace

TEST(Fields, FilledFromTheCallbackLiterallyAndOnlyForFieldNames)
{
  const auto value = [](const QString& n) {
    if (n == QLatin1String("A")) return QStringLiteral("1,5");
    if (n == QLatin1String("Loop")) return QStringLiteral("[A]");
    return QString();
  };
  EXPECT_EQ(fillFields(QStringLiteral("([A];[A])"), value), QStringLiteral("(1,5;1,5)"));
  EXPECT_EQ(fillFields(QStringLiteral("[Unknown]|[A"), value), QStringLiteral("|[A"));
  EXPECT_EQ(fillFields(QStringLiteral("[a b] [Loop]"), value), QStringLiteral("[a b] [A]"));  // no second pass
}

TEST(Fields, RichMarkupGivesScriptsAndLeavesOtherUnderscoresAlone)
{
  const TRichText runs = parseRichMarkup(QStringLiteral("S_{П} (м²) [name_table1] T_{125"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0], (TTextRun{QStringLiteral("S"), TScript::Normal}));
  EXPECT_EQ(runs[1], (TTextRun{QStringLiteral("П"), TScript::Sub}));
  EXPECT_EQ(runs[2], (TTextRun{QStringLiteral(" (м²) [name_table1] T_{125"), TScript::Normal}));
  EXPECT_EQ(parseRichMarkup(QStringLiteral("м^{3}"))[1].Script, TScript::Super);
}

TEST(TextLayout, WrapsAtBlanksKeepsHardBreaksAndBreaksOverlongWords)
{
  TFontSpec f;
  const double word = textWidth(QStringLiteral("слово"), f);
  const double blank = textWidth(QStringLiteral(" "), f);
  // Two words fit a line, three do not.
  const TTextLayout wrapped =
      layoutText(plainRuns(QStringLiteral("слово слово слово")), f, 2 * word + blank + 0.1, true);
  ASSERT_EQ(wrapped.Lines.size(), 2u);
  EXPECT_FALSE(wrapped.BrokenWords);
  EXPECT_NEAR(wrapped.Lines[0].Width, 2 * word + blank, 0.01);

  const TTextLayout breaks = layoutText(plainRuns(QStringLiteral("a\n\nb")), f, 1000, true);
  EXPECT_EQ(breaks.Lines.size(), 3u);  // the empty line counts

  const TTextLayout unwrapped = layoutText(plainRuns(QStringLiteral("слово слово слово")), f, word, false);
  EXPECT_EQ(unwrapped.Lines.size(), 1u);

  const TTextLayout broken = layoutText(plainRuns(QStringLiteral("слово")), f, word / 2, true);
  EXPECT_TRUE(broken.BrokenWords);
  EXPECT_GE(broken.Lines.size(), 2u);
  for (const TTextLine& l : broken.Lines) EXPECT_LE(l.Width, word / 2 + 0.01);
}

TEST(TextLayout, ScriptsMakeLinesTallerAndRichLinesAreLevel)
{
  TFontSpec f;
  const double plain = layoutText(plainRuns(QStringLiteral("T = 1")), f, 1000, true).Height;
  const double sub = layoutText(parseRichMarkup(QStringLiteral("T_{125} = 1")), f, 1000, true).Height;
  EXPECT_GT(sub, plain);
  // With room for scripts, a line without any is as tall as one with both.
  const double reserved = layoutText(plainRuns(QStringLiteral("T = 1")), f, 1000, true, true).Height;
  const double both = layoutText(parseRichMarkup(QStringLiteral("T_{1}^{2}")), f, 1000, true, true).Height;
  EXPECT_DOUBLE_EQ(reserved, both);
}

TEST(Prepare, DataBandsPrintTheirRecordCountWithABandStartEach)
{
  TReport r = smallReport();
  r.Bands.push_back(dataBand(QStringLiteral("Title"), 10));
  for (int count : {0, 3}) {
    r.Bands.resize(1);
    TBand rows = dataBand(QStringLiteral("Rows"), 10, QStringLiteral("[Row]"));
    rows.RecordCount = count;
    r.Bands.push_back(rows);
    int row = -1;
    std::vector<QString> starts;
    r.OnBeginBand = [&](const TBand& b) {
      starts.push_back(b.Name);
      if (b.Name == QLatin1String("Rows")) ++row;
    };
    r.OnGetValue = [&](const QString& name, QString& value) {
      if (name == QLatin1String("Row")) value = QString::number(row);
    };
    const TPreparedReport p = prepareReport(r);
    ASSERT_EQ(p.pageCount(), 1);
    std::vector<QString> expectedBands{QStringLiteral("Title")};
    std::vector<QString> expectedTexts;
    for (int i = 0; i < count; ++i) {
      expectedBands.push_back(QStringLiteral("Rows"));
      expectedTexts.push_back(QString::number(i));
    }
    EXPECT_EQ(bandsOf(p, 0), expectedBands) << count;
    EXPECT_EQ(starts, expectedBands) << count;
    EXPECT_EQ(p.pageTexts(0), expectedTexts) << count;
  }
}

TEST(Prepare, HiddenBandsDoNotPrintAndThePageScriptRunsFirst)
{
  TReport r = smallReport();
  r.Bands.push_back(dataBand(QStringLiteral("A"), 10, QStringLiteral("a")));
  r.Bands.push_back(dataBand(QStringLiteral("B"), 10, QStringLiteral("b")));
  r.Bands[1].Visible = false;
  r.PageScript = [](TReport& rep) {
    rep.findBand(QStringLiteral("A"))->Visible = rep.variable(QStringLiteral("X")).isEmpty();
  };
  const TPreparedReport p = prepareReport(r);
  EXPECT_TRUE(bandsOf(p, 0).empty());
  EXPECT_TRUE(p.pageTexts(0).empty());
}

TEST(Prepare, OverlaysPrintOnEveryPageWithTheirPageNumber)
{
  TReport r = smallReport();
  TBand overlay = dataBand(QStringLiteral("Frame"), 200, QStringLiteral("[PAGE#]/[TOTALPAGES#] [X]"));
  overlay.Kind = TBandKind::Overlay;
  r.Bands.push_back(overlay);
  for (int i = 0; i < 3; ++i) r.Bands.push_back(dataBand(QStringLiteral("D%1").arg(i), 60));
  const TPreparedReport p = prepareReport(r);
  ASSERT_EQ(p.pageCount(), 3);
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(bandsOf(p, n).front(), QStringLiteral("Frame"));
    EXPECT_EQ(p.pageTexts(n), std::vector<QString>{QStringLiteral("%1/3 икс").arg(n + 1)});
  }
  EXPECT_EQ(p.page(2).Bands, (std::vector<QString>{QStringLiteral("Frame"), QStringLiteral("D2")}));
}

TEST(Prepare, StretchingMemoPushesWhatIsBelowAndTableCellsStayEven)
{
  TReport r = smallReport();
  r.DataArea.setHeight(1000);
  TBand b = dataBand(QStringLiteral("B"), 40);
  TMemo grow = memo(QStringLiteral("Grow"), QRectF(0, 0, 50, 20), QStringLiteral("[Long]"));
  grow.Stretch = true;
  b.add(grow);
  b.add(memo(QStringLiteral("Beside"), QRectF(50, 0, 50, 20), QStringLiteral("x")));
  b.add(memo(QStringLiteral("Below"), QRectF(0, 20, 100, 20), QStringLiteral("y")));
  r.Bands.push_back(b);

  TBand row = dataBand(QStringLiteral("Row"), 16);
  for (int i = 0; i < 2; ++i) {
    TMemo c = memo(QStringLiteral("Cell%1").arg(i), QRectF(50 * i, 0, 50, 16), i == 0 ? QStringLiteral("[Long]") : QString());
    c.Stretch = c.StretchToBand = true;
    row.add(c);
  }
  r.Bands.push_back(row);
  r.OnGetValue = [](const QString& name, QString& value) {
    if (name == QLatin1String("Long")) value = QStringLiteral("много слов подряд в узкой колонке таблицы");
  };
  const TPreparedReport p = prepareReport(r);
  std::map<QString, QRectF> rects;
  for (const TPreparedObject& o : p.page(0).Objects) rects[objectName(o.Object)] = std::get<TMemo>(o.Object).Rect;

  const double growth = rects["Grow"].height() - 20;
  ASSERT_GT(growth, 0);
  EXPECT_DOUBLE_EQ(rects["Beside"].top(), 50);  // same row: stays
  EXPECT_DOUBLE_EQ(rects["Below"].top(), 50 + 20 + growth);
  EXPECT_DOUBLE_EQ(rects["Cell0"].height(), rects["Cell1"].height());
  EXPECT_DOUBLE_EQ(rects["Cell0"].top(), 50 + 40 + growth);
  EXPECT_TRUE(p.overflowingMemos().empty());
}

TEST(Prepare, OverflowingMemosAreFound)
{
  TReport r = smallReport();
  TBand b = dataBand(QStringLiteral("B"), 10);
  b.add(memo(QStringLiteral("Small"), QRectF(0, 0, 30, 10), QStringLiteral("слишком длинный текст")));
  TMemo shrink = memo(QStringLiteral("Shrinks"), QRectF(0, 0, 60, 14), QStringLiteral("длинный текст"));
  shrink.WordWrap = false;
  shrink.ShrinkToFit = true;
  b.add(shrink);
  r.Bands.push_back(b);
  const TPreparedReport p = prepareReport(r);
  EXPECT_EQ(p.overflowingMemos(), std::vector<QString>{QStringLiteral("Small")});
}

TEST(Paint, DrawsAtTheDeviceResolution)
{
  TReport r = smallReport();
  TBand overlay = dataBand(QStringLiteral("Frame"), 200);
  overlay.Kind = TBandKind::Overlay;
  overlay.add(TLine{QStringLiteral("L"), QPointF(10, 100), QPointF(90, 100), 2, Qt::black, true});
  r.Bands.push_back(overlay);
  const TPreparedReport p = prepareReport(r);

  for (int dpi : {96, 192}) {
    QImage image(200 * dpi / 96, 400 * dpi / 96, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    p.paintPage(0, painter);
    painter.end();
    const double k = dpi / 96.0;
    EXPECT_EQ(image.pixelColor(qRound(50 * k), qRound(100 * k)), QColor(Qt::black)) << dpi;
    EXPECT_EQ(image.pixelColor(qRound(50 * k), qRound(110 * k)), QColor(Qt::white)) << dpi;
    EXPECT_EQ(image.pixelColor(qRound(95 * k), qRound(100 * k)), QColor(Qt::white)) << dpi;
  }
}

TEST(Pdf, WritesEveryPageAndReportsAFailureWithoutTouchingTheOldFile)
{
  TReport r = smallReport();
  for (int i = 0; i < 3; ++i) r.Bands.push_back(dataBand(QStringLiteral("D%1").arg(i), 60, QStringLiteral("страница")));
  const TPreparedReport p = prepareReport(r);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("r.pdf"));
  writePdf(p, path, QStringLiteral("Отчет"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray pdf = file.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 3);
  file.close();

  EXPECT_THROW(writePdf(p, dir.filePath(QStringLiteral("missing/r.pdf"))), EWriteError);
  // A write that fails half-way leaves the previous file as it was.
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool readOnly = !QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
  if (readOnly) {  // not when the tests run with rights that ignore permissions
    EXPECT_THROW(writePdf(p, path), EWriteError);
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), pdf);
  }
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(Pdf, LandscapeSheetWithAPictureTheCallerDrawsAtPrintTime)
{
  // The shape of a drawing sheet: objects on the page, placed by the page script from the
  // page size, and a picture drawn by its owner when the page is painted.
  TReport r;
  r.PageSize = QSizeF(mm(297), mm(210));
  TBand sheet = dataBand(QStringLiteral("Sheet"), 0);
  sheet.Kind = TBandKind::Overlay;
  TPicture map;
  map.Name = QStringLiteral("Map");
  std::vector<QRectF> drawnInto;
  map.Draw = [&](QPainter& p, const QRectF& rect) {
    drawnInto.push_back(rect);
    p.fillRect(rect, Qt::blue);
  };
  sheet.add(map);
  r.Bands.push_back(sheet);
  r.PageScript = [](TReport& rep) {
    auto& m = std::get<TPicture>(*rep.findObject(QStringLiteral("Map")));
    m.Rect = QRectF(52, 105, rep.PageSize.width() - 105, rep.PageSize.height() - 335);
  };
  const TPreparedReport p = prepareReport(r);
  EXPECT_TRUE(drawnInto.empty());  // nothing is drawn before printing

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
  writePdf(p, path);
  ASSERT_EQ(drawnInto.size(), 1u);
  EXPECT_NEAR(drawnInto[0].width(), mm(297) - 105, 0.01);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString pdf = QString::fromLatin1(file.readAll());
  // The page is wider than tall: 842 × 595 points.
  const QRegularExpressionMatch box =
      QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(pdf);
  ASSERT_TRUE(box.hasMatch());
  EXPECT_NEAR(box.captured(1).toDouble(), 842, 1);
  EXPECT_NEAR(box.captured(2).toDouble(), 595, 1);
}
