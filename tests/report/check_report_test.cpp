// The hall check report: bands, their order, the tables, visibility and the frame.
#include "core/errors.h"
#include "hall_fixture.h"
#include "qt_print.h"
#include "report/check_report.h"
#include "report/preview.h"

#include <QAction>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

#include <algorithm>

using namespace sonvela;
using namespace sonvela::report;
using sonvela::testing::makeHall;

namespace {

// Flowing bands of all pages in printing order; the overlay and the table heads repeated
// after a page break left out.
std::vector<QString> printedBands(const TPreparedReport& p)
{
  std::vector<QString> bands;
  for (int n = 0; n < p.pageCount(); ++n)
    for (const QString& b : p.page(n).Bands) {
      const bool head = b == QLatin1String("MasterDataPoverhnost") || b == QLatin1String("MasterDataPoints");
      if (b == QLatin1String("Band2") || (head && std::find(bands.begin(), bands.end(), b) != bands.end())) continue;
      bands.push_back(b);
    }
  return bands;
}

std::vector<QString> allTexts(const TPreparedReport& p)
{
  std::vector<QString> texts;
  for (int n = 0; n < p.pageCount(); ++n) {
    const auto t = p.pageTexts(n);
    texts.insert(texts.end(), t.begin(), t.end());
  }
  return texts;
}

bool hasText(const TPreparedReport& p, const QString& text)
{
  const auto texts = allTexts(p);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

int countOf(const std::vector<QString>& v, const char* s)
{
  return static_cast<int>(std::count(v.begin(), v.end(), QString::fromLatin1(s)));
}

TPreparedReport prepare(TRoom& room, const std::string& sep = ",")
{
  TReportModule module;
  module.FRoom = &room;
  module.FDecimalSeparator = sep;
  return module.PrepareCheckReport();
}

} // namespace

TEST(CheckReport, BandsInPrintingOrderWithBothTables)
{
  auto room = makeHall(3, 2);
  const TPreparedReport p = prepare(*room);
  std::vector<QString> expected;
  for (const char* b : {"MasterData1", "MasterData3", "MasterData5", "MasterData6", "MasterData4", "MasterData7",
                        "MasterData14", "MasterData15", "MasterData13", "MasterHeader1", "MasterDataPoverhnost",
                        "SurfaceMasterData", "SurfaceMasterData", "SurfaceMasterData", "MasterDataPoints",
                        "PointsMasterData", "PointsMasterData", "MasterData12", "MasterData8", "MasterData10",
                        "MasterData9", "MasterData16", "ReportSummary1"})
    expected.push_back(QString::fromLatin1(b));
  EXPECT_EQ(printedBands(p), expected);
  EXPECT_EQ(p.overflowingMemos(), std::vector<QString>{});
}

TEST(CheckReport, SurfaceRowsInListOrderWithThreeDecimals)
{
  auto room = makeHall(3, 2);
  const TPreparedReport p = prepare(*room);
  const auto texts = allTexts(p);
  std::vector<QString> names, amounts, pieces;
  for (std::size_t i = 0; i + 2 < texts.size(); ++i) {
    if (texts[i].startsWith(QStringLiteral("Материал "))) {
      names.push_back(texts[i - 1]);
      amounts.push_back(texts[i + 1]);
    }
    if (texts[i].startsWith(QStringLiteral("Поглотитель "))) pieces.push_back(texts[i - 1] + ' ' + texts[i + 1]);
  }
  EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("Потолок"), QStringLiteral("Стены"), QStringLiteral("Пол")}));
  EXPECT_EQ(amounts, (std::vector<QString>{QStringLiteral("100,500"), QStringLiteral("201,000"), QStringLiteral("301,500")}));
  EXPECT_EQ(pieces, (std::vector<QString>{QStringLiteral("Кресла 1000,000"), QStringLiteral("Зрители 1001,000")}));
  EXPECT_TRUE(hasText(p, QStringLiteral("0,300")));  // a band value of the third surface
}

TEST(CheckReport, TablesAndTheirTitlesShowOnlyWithRows)
{
  struct TCase {
    int Surfaces, Pieces;
  };
  for (const TCase c : {TCase{0, 0}, TCase{0, 2}, TCase{3, 0}}) {
    auto room = makeHall(c.Surfaces, c.Pieces);
    const TPreparedReport p = prepare(*room);
    const auto bands = printedBands(p);
    EXPECT_EQ(countOf(bands, "MasterDataPoverhnost"), c.Surfaces > 0 ? 1 : 0) << c.Surfaces << c.Pieces;
    EXPECT_EQ(countOf(bands, "SurfaceMasterData"), c.Surfaces);
    EXPECT_EQ(countOf(bands, "MasterDataPoints"), c.Pieces > 0 ? 1 : 0);
    EXPECT_EQ(countOf(bands, "PointsMasterData"), c.Pieces);
    EXPECT_EQ(hasText(p, QStringLiteral("Коэффициенты звукопоглощения поверхностей")), c.Surfaces > 0);
    EXPECT_EQ(hasText(p, QStringLiteral("Эквивалентная площадь звукопоглощения штучных звукопоглотителей")),
              c.Pieces > 0);
    EXPECT_EQ(p.overflowingMemos(), std::vector<QString>{});
  }
}

TEST(CheckReport, ReportingAgainStartsTheRowsAfresh)
{
  auto room = makeHall(3, 2);
  TReportModule module;
  module.FRoom = room.get();
  const auto first = allTexts(module.PrepareCheckReport());
  const auto second = allTexts(module.PrepareCheckReport());
  EXPECT_EQ(first, second);
  EXPECT_EQ(module.ReportBuilder, nullptr);
  // Fewer rows the next time: the tables follow the project, not the last run.
  room->FSurfaces->Delete(0);
  EXPECT_EQ(countOf(printedBands(module.PrepareCheckReport()), "SurfaceMasterData"), 2);
}

TEST(CheckReport, NamelessProjectHidesTheObjectLine)
{
  auto named = makeHall(0, 0, "Зал");
  auto nameless = makeHall(0, 0, "");
  EXPECT_TRUE(hasText(prepare(*named), QStringLiteral("Объект:")));
  const TPreparedReport p = prepare(*nameless);
  EXPECT_FALSE(hasText(p, QStringLiteral("Объект:")));
  EXPECT_EQ(countOf(printedBands(p), "MasterData1"), 0);
}

TEST(CheckReport, FrameAndTitleBlockOnEveryPageWithItsNumber)
{
  auto room = makeHall(3, 2, "Зал камерной музыки");
  const TPreparedReport p = prepare(*room);
  ASSERT_GE(p.pageCount(), 2);
  for (int n = 0; n < p.pageCount(); ++n) {
    const auto texts = p.pageTexts(n);
    const auto has = [&](const QString& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has(QStringLiteral("Расчет выполнен с помощью программы Sonvela '2011 ")));
    EXPECT_TRUE(has(QStringLiteral("Зал камерной музыки")));
    EXPECT_TRUE(has(QString::number(n + 1)));
    for (const char* c : {"Изм.", "К.уч.", "Лист", "Nдок", "Подпись", "Дата", "Взам. инв. N", "Подп. и дата",
                          "Инв. N подл."})
      EXPECT_TRUE(has(QString::fromUtf8(c))) << c;
  }
}

TEST(CheckReport, TheReverberationLinesAndTheConclusion)
{
  auto room = makeHall(3, 2);
  const TPreparedReport p = prepare(*room, ".");
  const TVariableMap v = checkReportVariables(*room, ".");
  const QString tol = QStringLiteral(" (%1;%2)").arg(QString::fromStdString(v.at("PorogMin10")),
                                                     QString::fromStdString(v.at("PorogMax10")));
  const auto var = [&](const char* n) { return QString::fromStdString(v.at(n)); };
  // The 125 Hz line shows no tolerance range; the others do.
  EXPECT_TRUE(hasText(p, QStringLiteral("T125 = %1c. %2\nT250 = %3c. %4%5\nT500 = %6c. %7%5\nT1000 = %8c. %9%5")
                             .arg(var("T0"), var("T0Str"), var("T1"), var("T1Str"), tol, var("T2"), var("T2Str"),
                                  var("T3"), var("T3Str"))));
  EXPECT_TRUE(hasText(p, QStringLiteral("%1\n%2\n%3\n").arg(var("Res132"), var("Res133a"), var("Res133"))));
  EXPECT_TRUE(hasText(p, var("Kn") + QStringLiteral("  ") + var("Knstr")));
}

TEST(CheckReport, LongTextsAndHugeNumbersStayInsideTheirBoxes)
{
  auto room = makeHall(3, 2, std::string(6, ' ') + "Большой концертный зал с очень длинным названием, которое "
                                                   "занимает несколько строк в заголовке отчета и в штампе листа");
  room->FVolume = 100000000;
  room->FFloorArea = 10000000;
  room->FEnclosingArea = 10000000;
  room->FSeats = 1000000;
  room->FSurfaces->Items(0)->FMaterialFullName =
      "Штукатурка известковая по металлической сетке с воздушной прослойкой 50 мм, окрашенная клеевой краской";
  room->FSurfaces->Items(0)->FAmount = 10000000;
  room->Calculate();
  const TPreparedReport p = prepare(*room);
  EXPECT_EQ(p.overflowingMemos(), std::vector<QString>{});
}

TEST(CheckReport, ManyRowsRunOverPagesWithTheirHead)
{
  auto room = makeHall(0, 0);
  for (int i = 0; i < 80; ++i)
    sonvela::testing::addEntry(*room, "Поверхность " + std::to_string(i + 1), "Материал", true, 10, {});
  room->Calculate();
  const TPreparedReport p = prepare(*room);
  int heads = 0, rows = 0;
  for (int n = 0; n < p.pageCount(); ++n) {
    const auto& bands = p.page(n).Bands;
    const int pageRows = countOf(bands, "SurfaceMasterData");
    rows += pageRows;
    heads += countOf(bands, "MasterDataPoverhnost");
    if (pageRows > 0) {
      EXPECT_EQ(countOf(bands, "MasterDataPoverhnost"), 1) << "page " << n + 1;
    }
  }
  EXPECT_EQ(rows, 80);
  EXPECT_GE(heads, 2);
  EXPECT_EQ(p.overflowingMemos(), std::vector<QString>{});
}

TEST(CheckReportPreview, RunsFromTheModuleSavesAsPdfAndFollowsThePaper)
{
  auto room = makeHall(3, 2);
  TReportModule module;
  module.FRoom = room.get();
  module.FDecimalSeparator = ",";
  QTemporaryDir dir;
  const QString asked = dir.filePath(QStringLiteral("отчет"));  // the suffix is added
  TReportPreview::AskPdfFileName = [&](QWidget*, const QString& suggested) {
    EXPECT_EQ(suggested, QStringLiteral("Концертный зал.pdf"));
    return asked;
  };
  std::vector<QString> errors;
  TReportPreview::ShowError = [&](QWidget*, const QString& m) { errors.push_back(m); };
  bool shown = false;
  TReportPreview::Exec = [&](TReportPreview& preview) {
    shown = true;
    EXPECT_NE(module.ReportBuilder, nullptr);
    EXPECT_TRUE(preview.windowTitle().endsWith(QStringLiteral("Концертный зал")));
    ASSERT_NE(preview.savePdfAction(), nullptr);
    const auto bars = preview.findChildren<QToolBar*>();
    ASSERT_FALSE(bars.isEmpty());
    EXPECT_TRUE(bars.front()->actions().contains(preview.savePdfAction()));
    EXPECT_EQ(preview.savePdfAction()->text(), QStringLiteral("Сохранить в PDF"));
    EXPECT_TRUE(hasText(preview.pages(), QStringLiteral("Общий воздушный объем зала, V (м³): 12000,00")));

    preview.savePdfAction()->trigger();
    EXPECT_TRUE(QFile::exists(asked + QStringLiteral(".pdf")));

    // Page set-up to Letter landscape: the report is laid out again for that paper.
    preview.printer()->setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    const TPreparedReport& letter = preview.pages();
    EXPECT_NEAR(letter.pageSize().width(), 11 * 96, 0.5);
    EXPECT_EQ(countOf(printedBands(letter), "SurfaceMasterData"), 3);
    EXPECT_EQ(letter.overflowingMemos(), std::vector<QString>{});

    EXPECT_FALSE(preview.savePdf(dir.filePath(QStringLiteral("missing/r.pdf"))));
  };
  module.RunCheckReport(nullptr);
  EXPECT_TRUE(shown);
  EXPECT_EQ(module.ReportBuilder, nullptr);
  EXPECT_EQ(errors.size(), 1u);
}

TEST(CheckReportPreview, AnErrorEndsTheRunAndLeavesNoBuilderBehind)
{
  auto room = makeHall(1, 1);
  TReportModule module;
  module.FRoom = room.get();
  TReportPreview::Exec = [](TReportPreview&) { throw EError("сбой"); };
  EXPECT_THROW(module.RunCheckReport(nullptr), EError);
  EXPECT_EQ(module.ReportBuilder, nullptr);
  EXPECT_EQ(room->FSurfaces->Count(), 2);
}
