// Text of report memos: rich runs, word wrapping and painting.
//
// Glyphs are measured and drawn from one large reference font scaled down by the painter,
// so a line measures the same on the screen, in the preview and in a PDF (no hinting or
// device rounding of advances) and a memo that fits in one fits in all.
#include "report/text_layout.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <map>
#include <tuple>

namespace sonvela::report {

namespace {

constexpr double ReferencePx = 256;
constexpr double ScriptScale = 0.7;
constexpr double SubShift = 0.22;    // of the normal pixel size, downwards
constexpr double SuperShift = 0.38;  // upwards
constexpr double Eps = 1e-6;

double pixelSize(const TFontSpec& f) { return f.Size * UnitsPerInch / 72.0; }

double scriptPixelSize(const TFontSpec& f, TScript s)
{
  return s == TScript::Normal ? pixelSize(f) : pixelSize(f) * ScriptScale;
}

// Vertical offset of a script's baseline from the line's baseline (down is positive).
double baselineShift(const TFontSpec& f, TScript s)
{
  switch (s) {
  case TScript::Sub: return SubShift * pixelSize(f);
  case TScript::Super: return -SuperShift * pixelSize(f);
  case TScript::Normal: break;
  }
  return 0;
}

QFont referenceFont(const TFontSpec& f)
{
  QFont font(f.Family);
  font.setPixelSize(static_cast<int>(ReferencePx));
  font.setBold(f.Bold);
  font.setItalic(f.Italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

std::map<std::tuple<QString, bool, bool>, QFontMetricsF>& metricsCache()
{
  static std::map<std::tuple<QString, bool, bool>, QFontMetricsF> cache;
  return cache;
}

const QFontMetricsF& referenceMetrics(const TFontSpec& f)
{
  auto& cache = metricsCache();
  const auto key = std::make_tuple(f.Family, f.Bold, f.Italic);
  auto it = cache.find(key);
  if (it == cache.end()) {
    // Font metrics belong to the application object: forget them when it goes.
    if (cache.empty()) qAddPostRoutine([] { metricsCache().clear(); });
    it = cache.emplace(key, QFontMetricsF(referenceFont(f))).first;
  }
  return it->second;
}

struct TScriptMetrics {
  double Ascent, Descent, Leading;
};

TScriptMetrics scriptMetrics(const TFontSpec& f, TScript s)
{
  const QFontMetricsF& m = referenceMetrics(f);
  const double k = scriptPixelSize(f, s) / ReferencePx;
  return {m.ascent() * k, m.descent() * k, std::max(0.0, m.leading() * k)};
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// A word or a single blank of one paragraph, as runs.
struct TToken {
  TRichText Runs;
  bool Blank = false;
};

void appendRun(TRichText& runs, QChar c, TScript s)
{
  if (!runs.empty() && runs.back().Script == s)
    runs.back().Text += c;
  else
    runs.push_back({QString(c), s});
}

std::vector<TToken> tokenize(const TRichText& paragraph)
{
  std::vector<TToken> tokens;
  for (const TTextRun& run : paragraph)
    for (QChar c : run.Text) {
      if (isBlank(c)) {
        tokens.push_back({{{QStringLiteral(" "), run.Script}}, true});
        continue;
      }
      if (tokens.empty() || tokens.back().Blank) tokens.push_back({{}, false});
      appendRun(tokens.back().Runs, c, run.Script);
    }
  return tokens;
}

double runsWidth(const TRichText& runs, const TFontSpec& f)
{
  double w = 0;
  for (const TTextRun& r : runs) w += textWidth(r.Text, f, r.Script);
  return w;
}

class TLineBuilder {
public:
  TLineBuilder(const TFontSpec& f, TTextLayout& out, bool roomForScripts)
      : FFont(f), FOut(out), FRoomForScripts(roomForScripts)
  {
    start();
  }

  double x() const { return FLine.Width; }
  bool hasWord() const { return FHasWord; }

  void place(const TRichText& runs, bool word)
  {
    for (const TTextRun& r : runs) {
      if (!FLine.Pieces.empty() && FLine.Pieces.back().Script == r.Script)
        FLine.Pieces.back().Text += r.Text;
      else
        FLine.Pieces.push_back({r.Text, r.Script, FLine.Width});
      FLine.Width += textWidth(r.Text, FFont, r.Script);
      widen(r.Script);
    }
    FHasWord = FHasWord || word;
  }

  void finish()
  {
    const TScriptMetrics n = scriptMetrics(FFont, TScript::Normal);
    FOut.Lines.push_back(FLine);
    FOut.Width = std::max(FOut.Width, FLine.Width);
    FOut.Height += FLine.Ascent + FLine.Descent + n.Leading;
    start();
  }

private:
  void start()
  {
    const TScriptMetrics n = scriptMetrics(FFont, TScript::Normal);
    FLine = TTextLine{{}, 0, n.Ascent, n.Descent};
    FHasWord = false;
    if (FRoomForScripts) {
      widen(TScript::Sub);
      widen(TScript::Super);
    }
  }

  void widen(TScript s)
  {
    if (s == TScript::Normal) return;
    const TScriptMetrics m = scriptMetrics(FFont, s);
    const double shift = baselineShift(FFont, s);
    FLine.Ascent = std::max(FLine.Ascent, m.Ascent - shift);
    FLine.Descent = std::max(FLine.Descent, m.Descent + shift);
  }

  const TFontSpec& FFont;
  TTextLayout& FOut;
  bool FRoomForScripts;
  TTextLine FLine;
  bool FHasWord = false;
};

std::vector<TRichText> splitParagraphs(const TRichText& runs)
{
  std::vector<TRichText> paragraphs(1);
  for (const TTextRun& run : runs) {
    const QStringList parts = run.Text.split(u'\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) paragraphs.emplace_back();
      if (!parts[i].isEmpty()) paragraphs.back().push_back({parts[i], run.Script});
    }
  }
  return paragraphs;
}

} // namespace

TRichText parseRichMarkup(const QString& markup)
{
  TRichText runs;
  qsizetype i = 0;
  QString plain;
  auto flush = [&] {
    if (!plain.isEmpty()) runs.push_back({plain, TScript::Normal});
    plain.clear();
  };
  while (i < markup.size()) {
    const QChar c = markup[i];
    if ((c == u'_' || c == u'^') && i + 1 < markup.size() && markup[i + 1] == u'{') {
      const qsizetype close = markup.indexOf(u'}', i + 2);
      if (close >= 0) {
        flush();
        runs.push_back({markup.mid(i + 2, close - i - 2), c == u'_' ? TScript::Sub : TScript::Super});
        i = close + 1;
        continue;
      }
    }
    plain += c;
    ++i;
  }
  flush();
  return runs;
}

TRichText plainRuns(const QString& text)
{
  if (text.isEmpty()) return {};
  return {{text, TScript::Normal}};
}

QString runsText(const TRichText& runs)
{
  QString s;
  for (const TTextRun& r : runs) s += r.Text;
  return s;
}

double textWidth(const QString& text, const TFontSpec& font, TScript script)
{
  if (text.isEmpty()) return 0;
  return referenceMetrics(font).horizontalAdvance(text) * scriptPixelSize(font, script) / ReferencePx;
}

TTextLayout layoutText(const TRichText& runs, const TFontSpec& font, double width, bool wordWrap,
                       bool roomForScripts)
{
  TTextLayout out;
  TLineBuilder line(font, out, roomForScripts);
  for (const TRichText& paragraph : splitParagraphs(runs)) {
    std::vector<TToken> blanks;  // blanks seen since the last word, placed with the next word
    for (const TToken& token : tokenize(paragraph)) {
      if (token.Blank) {
        blanks.push_back(token);
        continue;
      }
      double blanksWidth = 0;
      for (const TToken& b : blanks) blanksWidth += runsWidth(b.Runs, font);
      const double w = runsWidth(token.Runs, font);
      if (wordWrap && line.hasWord() && line.x() + blanksWidth + w > width + Eps) {
        line.finish();  // the blanks at a soft break vanish
      } else {
        for (const TToken& b : blanks) line.place(b.Runs, false);
      }
      blanks.clear();
      if (wordWrap && line.x() + w > width + Eps) {
        // Too wide for a line of its own: break between characters, at least one a line.
        out.BrokenWords = true;
        for (const TTextRun& r : token.Runs)
          for (QChar c : r.Text) {
            const double cw = textWidth(QString(c), font, r.Script);
            if (line.hasWord() && line.x() + cw > width + Eps) line.finish();
            line.place({{QString(c), r.Script}}, true);
          }
      } else {
        line.place(token.Runs, true);
      }
    }
    line.finish();  // blanks at the end of a paragraph are not printed
  }
  return out;
}

void paintText(QPainter& p, const QString& text, const TFontSpec& font, QPointF origin, TScript script)
{
  if (text.isEmpty()) return;
  const double k = scriptPixelSize(font, script) / ReferencePx;
  p.save();
  p.translate(origin);
  p.scale(k, k);
  p.setFont(referenceFont(font));
  p.drawText(QPointF(0, 0), text);
  p.restore();
}

void paintTextLayout(QPainter& p, const TTextLayout& layout, const TFontSpec& font, const QRectF& box,
                     THAlign hAlign, TVAlign vAlign)
{
  double y = box.top();
  if (vAlign == TVAlign::Center) y += (box.height() - layout.Height) / 2;
  if (vAlign == TVAlign::Bottom) y += box.height() - layout.Height;
  const double leading = scriptMetrics(font, TScript::Normal).Leading;
  for (const TTextLine& line : layout.Lines) {
    double x = box.left();
    if (hAlign == THAlign::Center) x += (box.width() - line.Width) / 2;
    if (hAlign == THAlign::Right) x += box.width() - line.Width;
    const double baseline = y + line.Ascent;
    for (const TTextPiece& piece : line.Pieces)
      paintText(p, piece.Text, font, QPointF(x + piece.X, baseline + baselineShift(font, piece.Script)),
                piece.Script);
    y += line.Ascent + line.Descent + leading;
  }
}

} // namespace sonvela::report
