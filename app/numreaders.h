// The number readers of the windows: the core's parsing with the locale's decimal separator,
// and the message box when a typed number is refused.
#pragma once
#include <QString>
#include <cstdint>

class QWidget;

namespace sonvela {

// The decimal separator of the user's locale (QLocale's default).
char decimalSeparator();

// A refused text shows the reader's message and throws EAbort, which ends the calling
// operation silently. Bounds are inclusive.
double ReadFloat(const QString& text, const char* label, double min, double max, QWidget* parent = nullptr);
std::int32_t ReadInteger(const QString& text, const char* label, std::int32_t min, std::int32_t max,
                         QWidget* parent = nullptr);
// Like ReadFloat, but a number outside the bounds is returned after its message; only a
// text that is not a number abandons the operation.
double ReadFloatSoft(const QString& text, const char* label, double min, double max, QWidget* parent = nullptr);

// v with `decimals` digits after the locale's separator.
QString formatFixed(double v, int decimals);
// The shortest text that reads back to v, in fixed notation with the locale's separator.
QString formatShortest(double v);

} // namespace sonvela
