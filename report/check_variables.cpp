// The variables of the hall check report, formatted.
#include "report/check_variables.h"

#include "core/room.h"
#include "core/strings.h"
#include "core/surfaces.h"
#include "report/strings.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace sonvela::report {

std::string formatFixed(double value, int digits, const std::string& separator)
{
  if (!std::isfinite(value)) return str::Undefined;
  char buffer[400];  // the largest double has 309 integer digits
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
  if (ec != std::errc()) return str::Undefined;
  std::string text(buffer, end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (const auto dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, separator);
  return text;
}

std::string formatFixed(const std::optional<double>& value, int digits, const std::string& separator)
{
  return value ? formatFixed(*value, digits, separator) : std::string(str::Undefined);
}

std::string systemDecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

TVariableMap checkReportVariables(const TRoom& room, const std::string& sep)
{
  const auto fixed2 = [&sep](double v) { return formatFixed(v, 2, sep); };
  const auto verdict = [](bool ok, const char* yes, const char* no) { return std::string(ok ? yes : no); };
  TVariableMap v;
  v["RoomName"] = room.FName;
  v["ZalTypeStr"] = hallTypeText(room.FHallType);
  v["PlacesInt"] = std::to_string(room.FSeats);
  v["VInt"] = fixed2(room.FVolume);
  v["Lint"] = fixed2(room.FLength);
  v["SzalInt"] = fixed2(room.FFloorArea);
  v["SogrInt"] = fixed2(room.FEnclosingArea);
  v["VudelMaxStr"] = volumePerSeatNormText(room.FHallType);
  v["LMaxStr"] = maxLengthNormText(room.FHallType);
  v["VudelInt"] = fixed2(room.FVolumePerSeat);
  v["VudelStr"] = verdict(room.FVolumePerSeatOk, sonvela::str::VolumePerSeatOk, sonvela::str::VolumePerSeatBad);
  v["LLDopStr"] = verdict(room.FLengthOk, sonvela::str::LengthOk, sonvela::str::LengthBad);
  v["LBStr"] = verdict(room.FLengthToWidthOk, sonvela::str::LengthToWidthOk, sonvela::str::LengthToWidthBad);
  v["BHStr"] = verdict(room.FWidthToHeightOk, sonvela::str::WidthToHeightOk, sonvela::str::WidthToHeightBad);
  v["Breal"] = fixed2(room.FWidth);
  v["Hreal"] = fixed2(room.FHeight);
  v["LBreal"] = fixed2(room.FLengthToWidth);
  v["BHreal"] = fixed2(room.FWidthToHeight);
  v["fkr"] = fixed2(room.FCritFreq);
  v["FkrStr"] = verdict(room.FCritFreqBelow125, sonvela::str::CritFreqBelow, sonvela::str::CritFreqAbove);
  for (int i = 0; i < BandCount; ++i) {
    const std::string n = std::to_string(i);
    v["A" + n] = fixed2(room.FAlpha[i]);
    v["T" + n] = formatFixed(room.FReverbTime[i], 2, sep);
    v["T" + n + "Str"] = verdict(room.FReverbOk[i], sonvela::str::ReverbBandOk, sonvela::str::ReverbBandBad);
  }
  v["Topt"] = fixed2(room.FOptimalReverbTime);
  v["PorogMin10"] = fixed2(ReverbLowerTolerance * room.FOptimalReverbTime);
  v["PorogMax10"] = fixed2(ReverbUpperTolerance * room.FOptimalReverbTime);
  v["PorogMax20"] = fixed2(ReverbUpperTolerance125 * room.FOptimalReverbTime);
  v["Kn"] = formatFixed(room.FBassRatio, 5, sep);
  v["Kv"] = formatFixed(room.FTrebleRatio, 5, sep);
  v["Knstr"] = room.FBassVerdict;
  v["Kvstr"] = room.FTrebleVerdict;
  v["Res132"] = verdict(room.FSpacePlanningOk, sonvela::str::SpacePlanningOk, sonvela::str::SpacePlanningBad);
  v["Res133a"] = verdict(room.FCritFreqBelow125, sonvela::str::ReverbApproximateOk, sonvela::str::ReverbApproximate);
  v["Res133"] = verdict(room.FReverbAllOk, sonvela::str::ReverbAllOk, sonvela::str::ReverbAllBad);
  return v;
}

TReportRecord reportRecord(const TPovPoglot& entry)
{
  return {entry.FName, entry.FMaterialFullName, entry.FCoef, entry.FAmount};
}

TVariableMap tableRowVariables(const TReportRecord& row, int table, const std::string& sep)
{
  const std::string t = std::to_string(table);
  TVariableMap v;
  v["name_table" + t] = row.FName;
  v["mater_table" + t] = row.FMaterialFullName;
  v["s_table" + t] = formatFixed(row.FAmount, 3, sep);
  for (int i = 0; i < 6; ++i) v["freq" + std::to_string(i + 1) + "_" + t] = formatFixed(row.FCoef[i], 3, sep);
  return v;
}

} // namespace sonvela::report
