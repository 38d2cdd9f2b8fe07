// Rounding to 32-bit integers and overflow-checked integer arithmetic.
#include "core/numeric.h"

#include "core/errors.h"

#include <cfenv>
#include <cmath>

namespace sonvela {

std::int32_t roundToInt(double v)
{
  // nearbyint rounds ties to even under the default rounding mode, which we never change.
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw ERangeError("Range check error");
  return static_cast<std::int32_t>(r);
}

std::int32_t checkedAdd(std::int32_t a, std::int32_t b)
{
  std::int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw ERangeError("Integer overflow");
  return r;
}

std::int32_t checkedSub(std::int32_t a, std::int32_t b)
{
  std::int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw ERangeError("Integer overflow");
  return r;
}

std::int64_t checkedAdd64(std::int64_t a, std::int64_t b)
{
  std::int64_t r;
  if (__builtin_add_overflow(a, b, &r)) throw ERangeError("Integer overflow");
  return r;
}

std::int64_t checkedSub64(std::int64_t a, std::int64_t b)
{
  std::int64_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw ERangeError("Integer overflow");
  return r;
}

std::int64_t checkedMul64(std::int64_t a, std::int64_t b)
{
  std::int64_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw ERangeError("Integer overflow");
  return r;
}

} // namespace sonvela
