// What the check accepts as its inputs.
#include "core/check_inputs.h"

#include "core/numreaders.h"
#include "core/strings.h"

namespace sonvela {

std::optional<std::string> refusedCheckInput(const TRoom& room, char decimalSeparator)
{
  using namespace CheckInputBounds;
  auto outside = [](double v, double min, double max) { return !(v >= min && v <= max); };
  if (outside(room.FLength, LengthMin, LengthMax))
    return floatRangeMessage(str::LabelLength, LengthMin, LengthMax, decimalSeparator);
  if (outside(room.FVolume, VolumeMin, VolumeMax))
    return floatRangeMessage(str::LabelVolume, VolumeMin, VolumeMax, decimalSeparator);
  if (outside(room.FFloorArea, AreaMin, AreaMax))
    return floatRangeMessage(str::LabelFloorArea, AreaMin, AreaMax, decimalSeparator);
  if (outside(room.FEnclosingArea, AreaMin, AreaMax))
    return floatRangeMessage(str::LabelEnclosingArea, AreaMin, AreaMax, decimalSeparator);
  for (int i = 0; i < BandCount; ++i)
    if (outside(room.FAlpha[static_cast<std::size_t>(i)], AlphaMin, AlphaMax))
      return floatRangeMessage(str::LabelAlpha[i], AlphaMin, AlphaMax, decimalSeparator);
  if (room.FSeats < SeatsMin || room.FSeats > SeatsMax)
    return integerRangeMessage(str::LabelSeats, SeatsMin, SeatsMax);
  return std::nullopt;
}

} // namespace sonvela
