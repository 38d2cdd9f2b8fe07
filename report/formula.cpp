// Formulas of the reports: a small box typesetter painting text, bars and strokes.
#include "report/formula.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sonvela::report {

namespace {

constexpr double IndexScale = 0.7;
constexpr double Axis = 0.27;       // height of fraction bars and of Σ's centre, in em
constexpr double Rule = 0.05;       // thickness of bars and strokes, in em
constexpr double Margin = 2;        // around a whole formula, report units
const QString MathFamily = QStringLiteral("Times New Roman");

TFontSpec mathFont(double px, bool italic)
{
  TFontSpec f;
  f.Family = MathFamily;
  f.Size = px * 72.0 / UnitsPerInch;
  f.Italic = italic;
  return f;
}

// The ink of a text, above and below the baseline, at pixel size px.
std::pair<double, double> inkExtent(const QString& s, double px, bool italic)
{
  constexpr double ReferencePx = 256;
  QFont font(MathFamily);
  font.setPixelSize(static_cast<int>(ReferencePx));
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(s);
  const double k = px / ReferencePx;
  return {-ink.top() * k, ink.bottom() * k};
}

QPen rulePen(double px) { return QPen(Qt::black, std::max(0.6, Rule * px), Qt::SolidLine, Qt::FlatCap); }

class TText : public TFormulaNode {
public:
  TText(QString s, bool italic) : FText(std::move(s)), FItalic(italic) {}
  TBox measure(double px) const override
  {
    const auto [ascent, descent] = inkExtent(FText, px, FItalic);
    // Every text reaches at least the x-height, so "=" and "+" sit in rows like letters.
    return {textWidth(FText, mathFont(px, FItalic)) + (FItalic ? 0.08 * px : 0), std::max(ascent, 0.45 * px),
            std::max(descent, 0.0)};
  }
  void paint(QPainter& p, QPointF baseline, double px) const override
  {
    paintText(p, FText, mathFont(px, FItalic), baseline);
  }

private:
  QString FText;
  bool FItalic;
};

class TRow : public TFormulaNode {
public:
  explicit TRow(std::vector<TFormulaPtr> items) : FItems(std::move(items)) {}
  TBox measure(double px) const override
  {
    TBox box;
    for (const TFormulaPtr& item : FItems) {
      const TBox b = item->measure(px);
      box.Width += b.Width;
      box.Ascent = std::max(box.Ascent, b.Ascent);
      box.Descent = std::max(box.Descent, b.Descent);
    }
    return box;
  }
  void paint(QPainter& p, QPointF baseline, double px) const override
  {
    for (const TFormulaPtr& item : FItems) {
      item->paint(p, baseline, px);
      baseline.rx() += item->measure(px).Width;
    }
  }

private:
  std::vector<TFormulaPtr> FItems;
};

class TSub : public TFormulaNode {
public:
  TSub(TFormulaPtr base, TFormulaPtr index) : FBase(std::move(base)), FIndex(std::move(index)) {}
  TBox measure(double px) const override
  {
    const TBox b = FBase->measure(px);
    const TBox i = FIndex->measure(IndexScale * px);
    const double shift = 0.22 * px;
    return {b.Width + 0.04 * px + i.Width, std::max(b.Ascent, i.Ascent - shift), std::max(b.Descent, i.Descent + shift)};
  }
  void paint(QPainter& p, QPointF baseline, double px) const override
  {
    FBase->paint(p, baseline, px);
    const double x = baseline.x() + FBase->measure(px).Width + 0.04 * px;
    FIndex->paint(p, QPointF(x, baseline.y() + 0.22 * px), IndexScale * px);
  }

private:
  TFormulaPtr FBase, FIndex;
};

class TFrac : public TFormulaNode {
public:
  TFrac(TFormulaPtr num, TFormulaPtr den) : FNum(std::move(num)), FDen(std::move(den)) {}
  TBox measure(double px) const override
  {
    const TBox n = FNum->measure(px), d = FDen->measure(px);
    const double gap = 0.15 * px, half = Rule * px / 2, axis = Axis * px;
    return {std::max(n.Width, d.Width) + 0.4 * px, axis + half + gap + n.Descent + n.Ascent,
            d.Ascent + gap + half - axis + d.Descent};
  }
  void paint(QPainter& p, QPointF baseline, double px) const override
  {
    const TBox n = FNum->measure(px), d = FDen->measure(px);
    const double gap = 0.15 * px, half = Rule * px / 2, axis = Axis * px;
    const double width = std::max(n.Width, d.Width) + 0.4 * px;
    const double bar = baseline.y() - axis;
    p.setPen(rulePen(px));
    p.drawLine(QPointF(baseline.x() + 0.1 * px, bar), QPointF(baseline.x() + width - 0.1 * px, bar));
    FNum->paint(p, QPointF(baseline.x() + (width - n.Width) / 2, bar - half - gap - n.Descent), px);
    FDen->paint(p, QPointF(baseline.x() + (width - d.Width) / 2, bar + half + gap + d.Ascent), px);
  }

private:
  TFormulaPtr FNum, FDen;
};

class TRoot : public TFormulaNode {
public:
  TRoot(TFormulaPtr degree, TFormulaPtr body) : FDegree(std::move(degree)), FBody(std::move(body)) {}

  struct TGeometry {
    TBox Box;
    double SignWidth, Top, Bottom;  // Top and Bottom relative to the baseline, down positive
    QPointF DegreeBaseline;         // relative to the formula's origin
    double DegreePx;
  };

  TGeometry geometry(double px) const
  {
    const TBox b = FBody->measure(px);
    TGeometry g{};
    g.DegreePx = 0.55 * px;
    const TBox dg = FDegree ? FDegree->measure(g.DegreePx) : TBox{};
    g.SignWidth = std::max(0.65 * px, dg.Width + 0.4 * px);
    g.Top = -(b.Ascent + 0.12 * px);
    g.Bottom = b.Descent + 0.05 * px;
    const double tickTop = g.Bottom - 0.42 * (g.Bottom - g.Top);
    g.DegreeBaseline = QPointF(g.SignWidth - 0.42 * px - dg.Width, tickTop - 0.1 * px);
    g.Box = {g.SignWidth + b.Width + 0.1 * px, std::max(-g.Top + Rule * px, dg.Ascent - g.DegreeBaseline.y()),
             g.Bottom + Rule * px};
    return g;
  }
  TBox measure(double px) const override { return geometry(px).Box; }
  void paint(QPainter& p, QPointF o, double px) const override
  {
    const TGeometry g = geometry(px);
    const double h = g.Bottom - g.Top;
    const double w = g.SignWidth;
    QPainterPath sign;
    sign.moveTo(o + QPointF(w - 0.6 * px, g.Bottom - 0.32 * h));
    sign.lineTo(o + QPointF(w - 0.48 * px, g.Bottom - 0.4 * h));
    sign.lineTo(o + QPointF(w - 0.25 * px, g.Bottom));
    sign.lineTo(o + QPointF(w - 0.02 * px, g.Top));
    sign.lineTo(o + QPointF(g.Box.Width, g.Top));
    QPen pen = rulePen(px);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(sign);
    if (FDegree) FDegree->paint(p, o + g.DegreeBaseline, g.DegreePx);
    FBody->paint(p, QPointF(o.x() + w, o.y()), px);
  }

private:
  TFormulaPtr FDegree, FBody;
};

class TSum : public TFormulaNode {
public:
  TSum(TFormulaPtr below, TFormulaPtr above) : FBelow(std::move(below)), FAbove(std::move(above)) {}

  struct TGeometry {
    TBox Box;
    double SigmaBaseline, AboveBaseline, BelowBaseline;
    TBox Sigma, Above, Below;
  };
  TGeometry geometry(double px) const
  {
    TGeometry g{};
    const double sigmaPx = 1.5 * px, gap = 0.12 * px;
    const auto [sa, sd] = inkExtent(QStringLiteral("Σ"), sigmaPx, false);
    g.Sigma = {textWidth(QStringLiteral("Σ"), mathFont(sigmaPx, false)), sa, sd};
    g.Above = FAbove->measure(IndexScale * px);
    g.Below = FBelow->measure(IndexScale * px);
    g.SigmaBaseline = -Axis * px + (sa - sd) / 2;
    g.AboveBaseline = g.SigmaBaseline - sa - gap - g.Above.Descent;
    g.BelowBaseline = g.SigmaBaseline + sd + gap + g.Below.Ascent;
    g.Box = {std::max({g.Sigma.Width, g.Above.Width, g.Below.Width}) + 0.1 * px, -g.AboveBaseline + g.Above.Ascent,
             g.BelowBaseline + g.Below.Descent};
    return g;
  }
  TBox measure(double px) const override { return geometry(px).Box; }
  void paint(QPainter& p, QPointF o, double px) const override
  {
    const TGeometry g = geometry(px);
    const double w = g.Box.Width;
    paintText(p, QStringLiteral("Σ"), mathFont(1.5 * px, false),
              QPointF(o.x() + (w - g.Sigma.Width) / 2, o.y() + g.SigmaBaseline));
    FAbove->paint(p, QPointF(o.x() + (w - g.Above.Width) / 2, o.y() + g.AboveBaseline), IndexScale * px);
    FBelow->paint(p, QPointF(o.x() + (w - g.Below.Width) / 2, o.y() + g.BelowBaseline), IndexScale * px);
  }

private:
  TFormulaPtr FBelow, FAbove;
};

class TParens : public TFormulaNode {
public:
  explicit TParens(TFormulaPtr body) : FBody(std::move(body)) {}

  struct TGeometry {
    double Top, Bottom, Width;  // of one parenthesis
    TBox Body;
  };
  TGeometry geometry(double px) const
  {
    const TBox b = FBody->measure(px);
    const double top = -std::max(b.Ascent + 0.08 * px, 0.75 * px);
    const double bottom = std::max(b.Descent + 0.08 * px, 0.22 * px);
    return {top, bottom, 0.25 * px + 0.06 * (bottom - top), b};
  }
  TBox measure(double px) const override
  {
    const TGeometry g = geometry(px);
    return {2 * g.Width + g.Body.Width + 0.1 * px, -g.Top + Rule * px, g.Bottom + Rule * px};
  }
  void paint(QPainter& p, QPointF o, double px) const override
  {
    const TGeometry g = geometry(px);
    const double h = g.Bottom - g.Top;
    const double right = o.x() + 2 * g.Width + g.Body.Width + 0.1 * px;
    auto bow = [&](double from, double bulge) {
      QPainterPath path;
      path.moveTo(from, o.y() + g.Top);
      path.cubicTo(bulge, o.y() + g.Top + 0.25 * h, bulge, o.y() + g.Bottom - 0.25 * h, from, o.y() + g.Bottom);
      p.drawPath(path);
    };
    p.setPen(rulePen(px));
    p.setBrush(Qt::NoBrush);
    bow(o.x() + 0.8 * g.Width, o.x() + 0.05 * g.Width);
    bow(right - 0.8 * g.Width, right - 0.05 * g.Width);
    FBody->paint(p, QPointF(o.x() + g.Width + 0.05 * px, o.y()), px);
  }

private:
  TFormulaPtr FBody;
};

class TSpace : public TFormulaNode {
public:
  explicit TSpace(double em) : FEm(em) {}
  TBox measure(double px) const override { return {FEm * px, 0, 0}; }
  void paint(QPainter&, QPointF, double) const override {}

private:
  double FEm;
};

} // namespace

namespace fm {
TFormulaPtr text(const QString& s) { return std::make_shared<TText>(s, false); }
TFormulaPtr var(const QString& s) { return std::make_shared<TText>(s, true); }
TFormulaPtr row(std::vector<TFormulaPtr> items) { return std::make_shared<TRow>(std::move(items)); }
TFormulaPtr sub(TFormulaPtr base, TFormulaPtr index) { return std::make_shared<TSub>(std::move(base), std::move(index)); }
TFormulaPtr frac(TFormulaPtr n, TFormulaPtr d) { return std::make_shared<TFrac>(std::move(n), std::move(d)); }
TFormulaPtr root(TFormulaPtr degree, TFormulaPtr body) { return std::make_shared<TRoot>(std::move(degree), std::move(body)); }
TFormulaPtr sum(TFormulaPtr below, TFormulaPtr above) { return std::make_shared<TSum>(std::move(below), std::move(above)); }
TFormulaPtr parens(TFormulaPtr body) { return std::make_shared<TParens>(std::move(body)); }
TFormulaPtr space(double em) { return std::make_shared<TSpace>(em); }
TFormulaPtr vsub(const QString& v, const QString& index) { return sub(var(v), text(index)); }
} // namespace fm

TFormula::TFormula(TFormulaPtr root, double sizePt) : FRoot(std::move(root)), FPx(sizePt * UnitsPerInch / 72.0) {}

QSizeF TFormula::size() const
{
  const TFormulaNode::TBox b = FRoot->measure(FPx);
  return QSizeF(b.Width + 2 * Margin, b.Ascent + b.Descent + 2 * Margin);
}

void TFormula::paint(QPainter& p, const QRectF& r) const
{
  const TFormulaNode::TBox b = FRoot->measure(FPx);
  const QSizeF natural = size();
  const double s = std::min({1.0, r.width() / natural.width(), r.height() / natural.height()});
  const double top = r.center().y() - (b.Ascent + b.Descent) * s / 2;
  p.save();
  p.translate(r.left() + Margin * s, top + b.Ascent * s);
  p.scale(s, s);
  FRoot->paint(p, QPointF(0, 0), FPx);
  p.restore();
}

TPicture TFormula::picture(const QString& name, QPointF topLeft) const
{
  TPicture pic;
  pic.Name = name;
  pic.Rect = QRectF(topLeft, size());
  pic.Draw = [f = *this](QPainter& p, const QRectF& r) { f.paint(p, r); };
  return pic;
}

} // namespace sonvela::report
