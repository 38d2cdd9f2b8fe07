// The band report engine: preparation of a template into pages, and painting of a page.
#include "report/engine.h"

#include "core/errors.h"
#include "report/pagination.h"
#include "report/strings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <map>

namespace sonvela::report {

namespace {

// Stand-ins for the page fields until the page is painted.
constexpr char16_t PageNumberMark = u'\uE000';
constexpr char16_t TotalPagesMark = u'\uE001';

// Pens on the edge of the data area stay whole.
constexpr double ClipSlack = 2;

QString fillPageMarks(QString text, int page, int total)
{
  text.replace(QChar(PageNumberMark), QString::number(page + 1));
  text.replace(QChar(TotalPagesMark), QString::number(total));
  return text;
}

TRichText fillPageMarks(TRichText runs, int page, int total)
{
  for (TTextRun& r : runs) r.Text = fillPageMarks(r.Text, page, total);
  return runs;
}

// The rectangle the text of a memo is laid out in, before rotation.
QRectF textBox(const TMemo& m)
{
  const QSizeF size = m.Rotation == 90 ? QSizeF(m.Rect.height(), m.Rect.width()) : m.Rect.size();
  return QRectF(m.Padding, m.Padding, size.width() - 2 * m.Padding, size.height() - 2 * m.Padding);
}

TTextLayout memoLayout(const TMemo& m, const TRichText& runs)
{
  return layoutText(runs, m.Font, textBox(m).width(), m.WordWrap, m.Rich);
}

void translateObject(TReportObject& o, QPointF d)
{
  std::visit(
      [d](auto& x) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, TLine>) {
          x.From += d;
          x.To += d;
        } else {
          x.Rect.translate(d);
        }
      },
      o);
}

QRectF bounds(const TReportObject& o)
{
  return std::visit(
      [](const auto& x) -> QRectF {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, TLine>)
          return QRectF(x.From, x.To).normalized().adjusted(-x.Width, -x.Width, x.Width, x.Width);
        else
          return x.Rect;
      },
      o);
}

bool isVisible(const TReportObject& o)
{
  return std::visit([](const auto& x) { return x.Visible; }, o);
}

struct TBandPrint {
  QString Band;
  std::vector<TPreparedObject> Objects;  // band coordinates
  double Height = 0;
};

double topOf(const TReportObject& o)
{
  if (const auto* l = std::get_if<TLine>(&o)) return std::min(l->From.y(), l->To.y());
  return bounds(o).top();
}

double neededHeight(const TMemo& m, const TRichText& runs)
{
  return memoLayout(m, runs).Height + 2 * m.Padding;
}

void shrinkToFit(TMemo& m, const TRichText& runs)
{
  constexpr double MinSize = 5;
  while (m.Font.Size > MinSize) {
    const TTextLayout layout = memoLayout(m, runs);
    if (layout.Height <= textBox(m).height() && layout.Width <= textBox(m).width() && !layout.BrokenWords) break;
    m.Font.Size = std::max(MinSize, m.Font.Size - 0.5);
  }
}

TBandPrint printBand(const TReport& report, const TBand& band)
{
  constexpr double Eps = 0.01;
  const auto value = [&report](const QString& name) { return report.variable(name); };
  TBandPrint print{band.Name, {}, band.Height};
  std::vector<double> growth;
  for (const TReportObject& object : band.Objects) {
    if (!isVisible(object)) continue;
    TPreparedObject prepared{object, {}, {}};
    double g = 0;
    if (auto* memo = std::get_if<TMemo>(&prepared.Object)) {
      if (memo->Rich) {
        prepared.Runs = parseRichMarkup(memo->Text);
        for (TTextRun& r : prepared.Runs) r.Text = fillFields(r.Text, value);
      } else {
        prepared.Runs = plainRuns(fillFields(memo->Text, value));
      }
      if (memo->ShrinkToFit) shrinkToFit(*memo, prepared.Runs);
      if (memo->Stretch && memo->Rotation == 0)
        g = std::max(0.0, neededHeight(*memo, prepared.Runs) - memo->Rect.height());
    }
    print.Objects.push_back(std::move(prepared));
    growth.push_back(g);
  }

  // An object moves down by the growth of every stretching memo that ends above it, and by
  // what moved those memos; the band grows by the largest such move.
  const std::size_t n = print.Objects.size();
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return topOf(print.Objects[a].Object) < topOf(print.Objects[b].Object);
  });
  std::vector<double> shift(n, 0);
  std::vector<std::size_t> stretched;  // memos that grew, in order of their tops
  double bandGrowth = 0;
  for (std::size_t i : order) {
    TPreparedObject& o = print.Objects[i];
    const auto* memo = std::get_if<TMemo>(&o.Object);
    if (memo && memo->StretchToBand) {  // spans the band: grows it, never moves
      bandGrowth = std::max(bandGrowth, growth[i]);
      continue;
    }
    const double top = topOf(o.Object);
    for (std::size_t j : stretched)
      if (bounds(print.Objects[j].Object).bottom() <= top + Eps) shift[i] = std::max(shift[i], shift[j] + growth[j]);
    bandGrowth = std::max(bandGrowth, shift[i] + growth[i]);
    if (growth[i] > 0) stretched.push_back(i);
  }
  for (std::size_t i = 0; i < n; ++i) {
    TPreparedObject& o = print.Objects[i];
    auto* memo = std::get_if<TMemo>(&o.Object);
    if (memo && memo->StretchToBand) {
      memo->Rect.setHeight(memo->Rect.height() + bandGrowth);
      continue;
    }
    translateObject(o.Object, QPointF(0, shift[i]));
    if (memo) memo->Rect.setHeight(memo->Rect.height() + growth[i]);
  }
  print.Height += bandGrowth;
  return print;
}

void placeBand(TPreparedPage& page, TBandPrint print, QPointF at, const QRectF& clip)
{
  for (TPreparedObject& o : print.Objects) {
    translateObject(o.Object, at);
    o.Clip = clip;
    page.Objects.push_back(std::move(o));
  }
  page.Bands.push_back(print.Band);
}

void drawFrame(QPainter& p, const QRectF& r, unsigned sides, double width)
{
  if (sides == FrameNone) return;
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap));
  if (sides & FrameLeft) p.drawLine(r.topLeft(), r.bottomLeft());
  if (sides & FrameTop) p.drawLine(r.topLeft(), r.topRight());
  if (sides & FrameRight) p.drawLine(r.topRight(), r.bottomRight());
  if (sides & FrameBottom) p.drawLine(r.bottomLeft(), r.bottomRight());
}

void paintMemo(QPainter& p, const TMemo& m, const TRichText& runs)
{
  drawFrame(p, m.Rect, m.Frame, m.FrameWidth);
  p.save();
  // A form field keeps even text that cannot shrink enough inside its box.
  if (m.ShrinkToFit) p.setClipRect(m.Rect, Qt::IntersectClip);
  p.setPen(Qt::black);
  if (m.Rotation == 90) {
    p.translate(m.Rect.bottomLeft());
    p.rotate(-90);
  } else {
    p.translate(m.Rect.topLeft());
  }
  paintTextLayout(p, memoLayout(m, runs), m.Font, textBox(m), m.HAlign, m.VAlign);
  p.restore();
}

void paintObject(QPainter& p, const TPreparedObject& o, int page, int total)
{
  if (const auto* m = std::get_if<TMemo>(&o.Object)) {
    paintMemo(p, *m, fillPageMarks(o.Runs, page, total));
  } else if (const auto* l = std::get_if<TLine>(&o.Object)) {
    p.setPen(QPen(l->Color, l->Width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(l->From, l->To);
  } else if (const auto* r = std::get_if<TRectangle>(&o.Object)) {
    p.setPen(r->Width > 0 ? QPen(r->Color, r->Width) : QPen(Qt::NoPen));
    p.setBrush(r->Fill);
    p.drawRect(r->Rect);
    p.setBrush(Qt::NoBrush);
  } else if (const auto* pic = std::get_if<TPicture>(&o.Object)) {
    if (pic->Draw) {
      p.save();
      p.setClipRect(pic->Rect, Qt::IntersectClip);
      p.setPen(Qt::black);
      pic->Draw(p, pic->Rect);
      p.restore();
    }
    drawFrame(p, pic->Rect, pic->Frame, pic->FrameWidth);
  }
}

} // namespace

const QString& objectName(const TReportObject& o)
{
  return std::visit([](const auto& x) -> const QString& { return x.Name; }, o);
}

TMemo& TBand::add(TMemo m) { return std::get<TMemo>(Objects.emplace_back(std::move(m))); }
TLine& TBand::add(TLine l) { return std::get<TLine>(Objects.emplace_back(std::move(l))); }
TRectangle& TBand::add(TRectangle r) { return std::get<TRectangle>(Objects.emplace_back(std::move(r))); }
TPicture& TBand::add(TPicture p) { return std::get<TPicture>(Objects.emplace_back(std::move(p))); }

TBand* TReport::findBand(const QString& name)
{
  for (TBand& b : Bands)
    if (b.Name == name) return &b;
  return nullptr;
}

TReportObject* TReport::findObject(const QString& name)
{
  for (TBand& b : Bands)
    for (TReportObject& o : b.Objects)
      if (objectName(o) == name) return &o;
  return nullptr;
}

QString TReport::variable(const QString& name) const
{
  QString value;
  if (OnGetValue) OnGetValue(name, value);
  return value;
}

QString fillFields(const QString& text, const std::function<QString(const QString&)>& value)
{
  static const QRegularExpression field(QStringLiteral(R"(\[([A-Za-z0-9_#]+)\])"));
  QString out;
  qsizetype last = 0;
  for (auto it = field.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += QStringView(text).mid(last, m.capturedStart() - last);
    const QString name = m.captured(1);
    if (name == PageNumberField)
      out += QChar(PageNumberMark);
    else if (name == TotalPagesField)
      out += QChar(TotalPagesMark);
    else
      out += value(name);
    last = m.capturedEnd();
  }
  out += QStringView(text).mid(last);
  return out;
}

TPreparedReport::TPreparedReport(QSizeF pageSize, std::vector<TPreparedPage> pages)
    : FPageSize(pageSize), FPages(std::move(pages))
{
}

void TPreparedReport::paintPage(int n, QPainter& p) const
{
  const QPaintDevice* device = p.device();
  paintPage(n, p, device ? device->logicalDpiX() / UnitsPerInch : 1.0);
}

void TPreparedReport::paintPage(int n, QPainter& p, double scale) const
{
  const TPreparedPage& pg = page(n);
  p.save();
  p.scale(scale, scale);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  for (const TPreparedObject& o : pg.Objects) {
    const bool clip = !o.Clip.isNull() && !o.Clip.contains(bounds(o.Object));
    if (clip) {
      p.save();
      p.setClipRect(o.Clip, Qt::IntersectClip);
    }
    paintObject(p, o, n, pageCount());
    if (clip) p.restore();
  }
  p.restore();
}

std::vector<QString> TPreparedReport::pageTexts(int n) const
{
  std::vector<QString> texts;
  for (const TPreparedObject& o : page(n).Objects)
    if (std::holds_alternative<TMemo>(o.Object)) texts.push_back(fillPageMarks(runsText(o.Runs), n, pageCount()));
  return texts;
}

std::vector<QString> TPreparedReport::overflowingMemos() const
{
  constexpr double Slack = 0.5;
  std::vector<QString> names;
  for (int n = 0; n < pageCount(); ++n)
    for (const TPreparedObject& o : page(n).Objects) {
      const auto* m = std::get_if<TMemo>(&o.Object);
      if (!m) continue;
      const TTextLayout layout = memoLayout(*m, fillPageMarks(o.Runs, n, pageCount()));
      const QRectF box = textBox(*m);
      if (layout.Height > box.height() + Slack || layout.Width > box.width() + Slack
          || (!o.Clip.isNull() && !o.Clip.adjusted(-Slack, -Slack, Slack, Slack).contains(m->Rect)))
        names.push_back(m->Name);
    }
  return names;
}

TPreparedReport prepareReport(TReport& report)
{
  if (report.PageScript) report.PageScript(report);

  std::vector<TBandPrint> prints;
  std::vector<TFlowItem> flow;
  std::map<QString, int> lastPrint;  // band name -> its latest item in the flow
  for (const TBand& band : report.Bands) {
    if (!band.Visible || band.Kind == TBandKind::Overlay) continue;
    const int count = band.Kind == TBandKind::MasterData ? std::max(0, band.RecordCount) : 1;
    for (int record = 0; record < count; ++record) {
      if (report.OnBeginBand) report.OnBeginBand(band);
      prints.push_back(printBand(report, band));
      const auto header = band.RepeatHeader.isEmpty() ? lastPrint.end() : lastPrint.find(band.RepeatHeader);
      flow.push_back({prints.back().Height, band.KeepWithNext, header == lastPrint.end() ? -1 : header->second});
      lastPrint[band.Name] = static_cast<int>(flow.size()) - 1;
    }
  }

  const QRectF area = report.DataArea;
  const QRectF pageRect(QPointF(0, 0), report.PageSize);
  const QRectF dataClip = area.adjusted(-ClipSlack, -ClipSlack, ClipSlack, ClipSlack);
  std::vector<TPreparedPage> pages;
  for (const TPageLayout& layout : paginate(flow, area.height())) {
    TPreparedPage page;
    for (const TBand& band : report.Bands) {
      if (!band.Visible || band.Kind != TBandKind::Overlay) continue;
      if (report.OnBeginBand) report.OnBeginBand(band);
      placeBand(page, printBand(report, band), QPointF(0, 0), pageRect);
    }
    for (const TPlacement& placement : layout)
      placeBand(page, prints[static_cast<std::size_t>(placement.Item)], area.topLeft() + QPointF(0, placement.Top),
                dataClip);
    pages.push_back(std::move(page));
  }
  return TPreparedReport(report.PageSize, std::move(pages));
}

void writePdf(const TPreparedReport& prepared, const QString& path, const QString& title)
{
  const auto fail = [&path] { throw EWriteError(QString::fromUtf8(str::CannotWriteFile).arg(path).toStdString()); };
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) fail();
  {
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Sonvela"));
    const QSizeF size = prepared.pageSize() * (25.4 / UnitsPerInch);
    const bool landscape = size.width() > size.height();
    const QPageSize pageSize(landscape ? size.transposed() : size, QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
    writer.setPageLayout(QPageLayout(pageSize, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) fail();
    for (int n = 0; n < prepared.pageCount(); ++n) {
      if (n > 0) writer.newPage();
      prepared.paintPage(n, painter);
    }
    painter.end();
  }
  if (!file.commit()) fail();
}

} // namespace sonvela::report
