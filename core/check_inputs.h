// What the check accepts as its inputs: one table for the check window and the command line.
#pragma once
#include "core/room.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sonvela {

// Inclusive bounds of the check's inputs.
namespace CheckInputBounds {
constexpr double LengthMin = 1, LengthMax = 60;
constexpr double VolumeMin = 1, VolumeMax = 100000000;
constexpr double AreaMin = 1, AreaMax = 10000000;  // floor and enclosing area
constexpr double AlphaMin = 0, AlphaMax = 10000000;
constexpr std::int32_t SeatsMin = 1, SeatsMax = 1000000;
} // namespace CheckInputBounds

// The range message of the first input of the record, in the check window's order, that
// the window would refuse; none when every input is acceptable. Guards the check against
// project files written elsewhere or damaged.
std::optional<std::string> refusedCheckInput(const TRoom& room, char decimalSeparator);

} // namespace sonvela
