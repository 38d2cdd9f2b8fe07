// Rounding to 32-bit integers and overflow-checked integer arithmetic.
#pragma once
#include <cstdint>

namespace sonvela {

// Nearest integer, exact halves to the even neighbour; ERangeError when the result does
// not fit in 32 bits (NaN and infinities included).
std::int32_t roundToInt(double v);

// 32-bit sum and difference; ERangeError on overflow.
std::int32_t checkedAdd(std::int32_t a, std::int32_t b);
std::int32_t checkedSub(std::int32_t a, std::int32_t b);

// The same in 64 bits, for products of coordinates.
std::int64_t checkedAdd64(std::int64_t a, std::int64_t b);
std::int64_t checkedSub64(std::int64_t a, std::int64_t b);
std::int64_t checkedMul64(std::int64_t a, std::int64_t b);

} // namespace sonvela
