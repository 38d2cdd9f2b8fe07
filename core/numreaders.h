// Reading typed numbers: parsing with a given decimal separator, inclusive bounds, and the
// readers' message texts. The windows show the message and abandon the operation.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace sonvela {

enum class TNumberStatus {
  Ok,
  Malformed,   // not a number: message "Число "…" записано неверно"
  OutOfRange,  // a number outside [min, max]: the range message; Value holds the number
};

template <class T>
struct TNumberRead {
  TNumberStatus Status = TNumberStatus::Malformed;
  T Value{};
  std::string Message;  // empty when Ok
  bool Ok() const { return Status == TNumberStatus::Ok; }
};

// A decimal number: optional blanks around it, an optional sign, digits with at most one
// decimal separator (the given one only), an optional exponent. A value beyond the range
// of a double is not a number. Bounds are inclusive; NaN is never inside them.
TNumberRead<double> parseFloat(std::string_view text, std::string_view label, double min, double max,
                               char decimalSeparator);
// A whole number: optional blanks around it, an optional sign, digits; it must fit in 32 bits.
TNumberRead<std::int32_t> parseInteger(std::string_view text, std::string_view label, std::int32_t min,
                                       std::int32_t max);

// The three messages, formatted as the readers give them.
std::string malformedNumberMessage(std::string_view label);
std::string floatRangeMessage(std::string_view label, double min, double max, char decimalSeparator);
std::string integerRangeMessage(std::string_view label, std::int32_t min, std::int32_t max);

// v with exactly `decimals` digits after the separator (printf "%.Nf", locale-free), right
// aligned in `width` characters.
std::string formatFixed(double v, int decimals, char decimalSeparator, int width = 0);

} // namespace sonvela
