// Formulas of the reports, typeset and painted as vector drawings.
#pragma once
#include "report/engine.h"

#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

namespace sonvela::report {

// A formula is a tree of boxes measured at a font size and painted from its baseline.
class TFormulaNode {
public:
  struct TBox {
    double Width = 0;
    double Ascent = 0;   // above the baseline
    double Descent = 0;  // below the baseline
  };
  virtual ~TFormulaNode() = default;
  virtual TBox measure(double px) const = 0;  // px: font pixel size in report units
  virtual void paint(QPainter& p, QPointF baseline, double px) const = 0;
};
using TFormulaPtr = std::shared_ptr<const TFormulaNode>;

namespace fm {
TFormulaPtr text(const QString& s);  // upright: digits, operators, function names
TFormulaPtr var(const QString& s);   // italic variable
TFormulaPtr row(std::vector<TFormulaPtr> items);
TFormulaPtr sub(TFormulaPtr base, TFormulaPtr index);
TFormulaPtr frac(TFormulaPtr numerator, TFormulaPtr denominator);
TFormulaPtr root(TFormulaPtr degree, TFormulaPtr body);  // degree may be null
TFormulaPtr sum(TFormulaPtr below, TFormulaPtr above);  // Σ with its limits
TFormulaPtr parens(TFormulaPtr body);                   // parentheses as tall as the body
TFormulaPtr space(double em);
// Variable with an upright subscript, the common case: sub(var(v), text(index)).
TFormulaPtr vsub(const QString& v, const QString& index);
} // namespace fm

class TFormula {
public:
  TFormula(TFormulaPtr root, double sizePt = 12);
  // Natural size in report units, a small margin included.
  QSizeF size() const;
  // Paints the formula left-aligned and centred vertically in `r`, shrunk to fit if needed.
  void paint(QPainter& p, const QRectF& r) const;
  // A picture object of the formula's natural size at `topLeft`.
  TPicture picture(const QString& name, QPointF topLeft) const;

private:
  TFormulaPtr FRoot;
  double FPx;
};

} // namespace sonvela::report
