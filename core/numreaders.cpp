// Reading typed numbers: parsing, inclusive bounds and the readers' messages.
#include "core/numreaders.h"

#include "core/strings.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace sonvela {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s)
{
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Replaces the first "%s" of a message format by the label; the label is never a format.
std::string withLabel(const char* format, std::string_view label)
{
  std::string s = format;
  const auto at = s.find("%s");
  if (at != std::string::npos) s.replace(at, 2, label);
  return s;
}

void replaceFirst(std::string& s, std::string_view what, const std::string& by)
{
  const auto at = s.find(what);
  if (at != std::string::npos) s.replace(at, what.size(), by);
}

// The text rewritten with '.' as the separator, or empty when it is not a decimal number
// of the accepted form.
std::string normalizeFloat(std::string_view s, char sep)
{
  std::string out;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
  int digits = 0;
  while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++digits; }
  if (i < s.size() && s[i] == sep) {
    out += '.';
    ++i;
    while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++digits; }
  }
  if (digits == 0) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    out += s[i++];
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
    int expDigits = 0;
    while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++expDigits; }
    if (expDigits == 0) return {};
  }
  if (i != s.size()) return {};
  return out;
}

} // namespace

std::string formatFixed(double v, int decimals, char decimalSeparator, int width)
{
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  std::string s = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("?");
  for (char& c : s)
    if (c == '.') c = decimalSeparator;
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

std::string malformedNumberMessage(std::string_view label)
{
  return withLabel(str::NumberMalformed, label);
}

std::string floatRangeMessage(std::string_view label, double min, double max, char decimalSeparator)
{
  std::string s = withLabel(str::FloatOutOfRange, label);
  replaceFirst(s, "%8.3f", formatFixed(min, 3, decimalSeparator, 8));
  replaceFirst(s, "%8.3f", formatFixed(max, 3, decimalSeparator, 8));
  return s;
}

std::string integerRangeMessage(std::string_view label, std::int32_t min, std::int32_t max)
{
  std::string s = withLabel(str::IntegerOutOfRange, label);
  replaceFirst(s, "%d", std::to_string(min));
  replaceFirst(s, "%d", std::to_string(max));
  return s;
}

TNumberRead<double> parseFloat(std::string_view text, std::string_view label, double min, double max,
                               char decimalSeparator)
{
  TNumberRead<double> r;
  const std::string n = normalizeFloat(trimBlanks(text), decimalSeparator);
  double v = 0;
  const char* first = n.data();
  if (!n.empty() && n.front() == '+') ++first;  // from_chars takes no plus sign
  const auto res = std::from_chars(first, n.data() + n.size(), v);
  if (n.empty() || res.ec != std::errc() || res.ptr != n.data() + n.size() || !std::isfinite(v)) {
    r.Message = malformedNumberMessage(label);
    return r;
  }
  r.Value = v;
  if (v >= min && v <= max) {
    r.Status = TNumberStatus::Ok;
  } else {
    r.Status = TNumberStatus::OutOfRange;
    r.Message = floatRangeMessage(label, min, max, decimalSeparator);
  }
  return r;
}

TNumberRead<std::int32_t> parseInteger(std::string_view text, std::string_view label, std::int32_t min,
                                       std::int32_t max)
{
  TNumberRead<std::int32_t> r;
  std::string_view s = trimBlanks(text);
  const bool plus = !s.empty() && s.front() == '+';
  if (plus) s.remove_prefix(1);  // from_chars takes no plus sign
  std::int32_t v = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || (plus && s.front() == '-') || res.ec != std::errc() || res.ptr != s.data() + s.size()) {
    r.Message = malformedNumberMessage(label);
    return r;
  }
  r.Value = v;
  if (v >= min && v <= max) {
    r.Status = TNumberStatus::Ok;
  } else {
    r.Status = TNumberStatus::OutOfRange;
    r.Message = integerRangeMessage(label, min, max);
  }
  return r;
}

} // namespace sonvela
