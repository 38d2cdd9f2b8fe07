// Text of report memos: rich runs with sub- and superscripts, word wrapping, painting.
#pragma once
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;
class QFont;

namespace sonvela::report {

// Report coordinates are in units of 1/96 inch; font sizes are in points.
constexpr double UnitsPerInch = 96.0;
constexpr double mm(double v) { return v * UnitsPerInch / 25.4; }

enum class TScript { Normal, Sub, Super };

struct TTextRun {
  QString Text;
  TScript Script = TScript::Normal;
  bool operator==(const TTextRun&) const = default;
};
using TRichText = std::vector<TTextRun>;

// "_{...}" writes its content as a subscript and "^{...}" as a superscript; everything
// else, an underscore or caret without a brace among it, is plain text.
TRichText parseRichMarkup(const QString& markup);
// The whole text as one plain run.
TRichText plainRuns(const QString& text);
// The runs' text without markup.
QString runsText(const TRichText& runs);

struct TFontSpec {
  QString Family = QStringLiteral("Arial");
  double Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
};

// One stretch of a laid-out line in one script, with its offset from the line start.
struct TTextPiece {
  QString Text;
  TScript Script = TScript::Normal;
  double X = 0;
};

struct TTextLine {
  std::vector<TTextPiece> Pieces;
  double Width = 0;
  double Ascent = 0;   // above the baseline, scripts included
  double Descent = 0;  // below the baseline, scripts included
};

struct TTextLayout {
  std::vector<TTextLine> Lines;
  double Width = 0;   // of the widest line
  double Height = 0;  // all lines stacked
  bool BrokenWords = false;  // some word was too wide for a line and was broken inside
};

// Breaks the runs into lines no wider than `width` (hard breaks at '\n'; with wordWrap,
// soft breaks at blanks, and inside a word only when the word alone is too wide). With
// roomForScripts every line is as tall as one with sub- and superscripts, so the lines of
// rich memos set side by side stay level.
TTextLayout layoutText(const TRichText& runs, const TFontSpec& font, double width, bool wordWrap,
                       bool roomForScripts = false);

// Width in report units of a text in one script.
double textWidth(const QString& text, const TFontSpec& font, TScript script = TScript::Normal);

enum class THAlign { Left, Center, Right };
enum class TVAlign { Top, Center, Bottom };

// Paints a layout inside `box` (report units on the painter), aligned as asked.
void paintTextLayout(QPainter& p, const TTextLayout& layout, const TFontSpec& font, const QRectF& box,
                     THAlign hAlign, TVAlign vAlign);

// Paints one line of plain text with its baseline at `origin`.
void paintText(QPainter& p, const QString& text, const TFontSpec& font, QPointF origin,
               TScript script = TScript::Normal);

} // namespace sonvela::report
