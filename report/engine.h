// The band report engine: a template of bands and objects, its preparation into pages, and
// one painter for the preview, the printer and PDF files.
#pragma once
#include "report/text_layout.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <functional>
#include <variant>
#include <vector>

class QPainter;

namespace sonvela::report {

enum TFrameSide : unsigned { FrameNone = 0, FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8, FrameAll = 15 };

// Text with [Variable] fields. Positions are relative to the band, in report units. When a
// stretching memo grows, the objects below it in its band move down by as much.
struct TMemo {
  QString Name;
  QRectF Rect;
  QString Text;          // lines separated by '\n'
  bool Rich = false;     // "_{...}" subscripts and "^{...}" superscripts
  TFontSpec Font;
  THAlign HAlign = THAlign::Left;
  TVAlign VAlign = TVAlign::Top;
  unsigned Frame = FrameNone;
  double FrameWidth = 1;
  bool WordWrap = true;
  bool Stretch = false;        // grows downwards with its text, and its band with it
  bool StretchToBand = false;  // takes the final height of its band (cells of a table row)
  bool ShrinkToFit = false;    // a smaller font (down to 5 pt) rather than text outside the
                               // box or a word broken inside
  int Rotation = 0;            // 0, or 90 for text that reads upwards
  double Padding = 2;
  bool Visible = true;
};

struct TLine {
  QString Name;
  QPointF From, To;
  double Width = 1;
  QColor Color = Qt::black;
  bool Visible = true;
};

struct TRectangle {
  QString Name;
  QRectF Rect;
  double Width = 1;
  QColor Color = Qt::black;
  QColor Fill = Qt::transparent;
  bool Visible = true;
};

// A vector picture: Draw paints it into the given rectangle (report units) at print time.
struct TPicture {
  using TDraw = std::function<void(QPainter&, const QRectF&)>;
  QString Name;
  QRectF Rect;
  TDraw Draw;
  unsigned Frame = FrameNone;
  double FrameWidth = 1;
  bool Visible = true;
};

using TReportObject = std::variant<TMemo, TLine, TRectangle, TPicture>;

const QString& objectName(const TReportObject& o);

enum class TBandKind {
  Overlay,       // painted on every page at page coordinates, under the other bands
  MasterHeader,  // prints like a data band of one record
  MasterData,    // prints RecordCount times
  ReportSummary  // prints once at the end
};

struct TBand {
  QString Name;
  TBandKind Kind = TBandKind::MasterData;
  double Height = 0;
  bool Visible = true;
  int RecordCount = 1;
  bool KeepWithNext = false;  // never ends a page alone
  QString RepeatHeader;       // band printed again above this one when it starts a page
  std::vector<TReportObject> Objects;

  TMemo& add(TMemo m);
  TLine& add(TLine l);
  TRectangle& add(TRectangle r);
  TPicture& add(TPicture p);
};

// Built-in fields the engine fills itself.
inline const QString PageNumberField = QStringLiteral("PAGE#");
inline const QString TotalPagesField = QStringLiteral("TOTALPAGES#");

class TReport {
public:
  QString Name;
  QSizeF PageSize{mm(210), mm(297)};
  QRectF DataArea;  // where the flowing bands go, page coordinates
  std::vector<TBand> Bands;  // in printing order

  // Runs before every preparation, after PageSize is set: may move objects to the page
  // size and show or hide bands.
  std::function<void(TReport&)> PageScript;
  // Called before each print of a band (each record of a data band).
  std::function<void(const TBand&)> OnBeginBand;
  // Sets the value of a variable; leaves it untouched (empty) when the name is unknown.
  std::function<void(const QString& name, QString& value)> OnGetValue;

  TBand* findBand(const QString& name);
  TReportObject* findObject(const QString& name);
  QString variable(const QString& name) const;
};

// A memo after its fields were filled; an object on a prepared page, in page coordinates.
struct TPreparedObject {
  TReportObject Object;
  TRichText Runs;  // memos only; page-number fields are filled when the page is painted
  QRectF Clip;     // the data area for flowing bands, the whole page for overlays
};

struct TPreparedPage {
  std::vector<TPreparedObject> Objects;
  std::vector<QString> Bands;  // names of the bands printed on it, in order (overlays first)
};

class TPreparedReport {
public:
  TPreparedReport() = default;
  TPreparedReport(QSizeF pageSize, std::vector<TPreparedPage> pages);

  int pageCount() const { return static_cast<int>(FPages.size()); }
  QSizeF pageSize() const { return FPageSize; }
  const TPreparedPage& page(int n) const { return FPages.at(static_cast<std::size_t>(n)); }

  // Paints page n (0-based) with the page's corner at the painter's origin, scaled from
  // report units to the painter's device resolution.
  void paintPage(int n, QPainter& p) const;
  // Same, at a given scale from report units to painter units.
  void paintPage(int n, QPainter& p, double scale) const;

  // The texts of the visible memos on page n, page numbers filled, markup removed.
  std::vector<QString> pageTexts(int n) const;
  // Names of memos whose text needs more room than their rectangle gives it.
  std::vector<QString> overflowingMemos() const;

private:
  QSizeF FPageSize;
  std::vector<TPreparedPage> FPages;
};

// Runs the page script, prints every visible band through the callbacks and breaks the
// flow into pages.
TPreparedReport prepareReport(TReport& report);

// Writes the pages to a PDF file of the report's page size; EWriteError when it cannot.
void writePdf(const TPreparedReport& prepared, const QString& path, const QString& title = {});

// Replaces each [Name] of the text by its value: page fields by placeholders that the
// painter fills, others through `value`.
QString fillFields(const QString& text, const std::function<QString(const QString&)>& value);

} // namespace sonvela::report
