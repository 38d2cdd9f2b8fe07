// The number readers of the windows.
#include "app/numreaders.h"

#include "app/uihooks.h"
#include "core/errors.h"
#include "core/numreaders.h"

#include <QLocale>
#include <charconv>

namespace sonvela {

namespace {

template <class T> T accept(const TNumberRead<T>& read, bool soft, QWidget* parent)
{
  if (read.Ok())
    return read.Value;
  showMessage(parent, QString::fromStdString(read.Message), TMessageKind::Warning);
  if (soft && read.Status == TNumberStatus::OutOfRange)
    return read.Value;
  throw EAbort();
}

} // namespace

char decimalSeparator()
{
  const QString point = QLocale().decimalPoint();
  // Every locale Qt knows writes its separator as one ASCII character; anything else
  // falls back to the point.
  return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

double ReadFloat(const QString& text, const char* label, double min, double max, QWidget* parent)
{
  return accept(parseFloat(text.toStdString(), label, min, max, decimalSeparator()), false, parent);
}

std::int32_t ReadInteger(const QString& text, const char* label, std::int32_t min, std::int32_t max,
                         QWidget* parent)
{
  return accept(parseInteger(text.toStdString(), label, min, max), false, parent);
}

double ReadFloatSoft(const QString& text, const char* label, double min, double max, QWidget* parent)
{
  return accept(parseFloat(text.toStdString(), label, min, max, decimalSeparator()), true, parent);
}

QString formatFixed(double v, int decimals)
{
  return QString::fromStdString(sonvela::formatFixed(v, decimals, decimalSeparator()));
}

QString formatShortest(double v)
{
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (res.ec != std::errc())
    return QStringLiteral("?");
  QString s = QString::fromLatin1(buf, res.ptr - buf);
  s.replace(QLatin1Char('.'), QLatin1Char(decimalSeparator()));
  return s;
}

} // namespace sonvela
