// The variables of the hall check report as the texts the report prints. Needs no window:
// the report, the command line and the tests share it.
#pragma once
#include <array>
#include <map>
#include <optional>
#include <string>

namespace sonvela {
class TRoom;
class TPovPoglot;
}

namespace sonvela::report {

// A decimal text with `digits` digits after `separator`, without grouping: 1234.5 with
// two digits and "," gives "1234,50". A value that rounds to zero has no minus sign.
std::string formatFixed(double value, int digits, const std::string& separator);
// As formatFixed; an empty value gives the "undefined" dash.
std::string formatFixed(const std::optional<double>& value, int digits, const std::string& separator);

using TVariableMap = std::map<std::string, std::string>;

// The decimal separator of the user's locale (Qt's default locale).
std::string systemDecimalSeparator();

// Every variable of the check report that comes from the project (RoomName, VInt, T0 ...),
// formatted as the report prints it. The project must have been checked (Calculate).
TVariableMap checkReportVariables(const TRoom& room, const std::string& decimalSeparator);

// The variables of one row of the surface table (table 1) or the piece absorber table
// (table 2): name_tableN, mater_tableN, s_tableN, freq1_N ... freq6_N.
struct TReportRecord {
  std::string FName;
  std::string FMaterialFullName;
  std::array<double, 6> FCoef{};
  double FAmount = 0;
};
TReportRecord reportRecord(const TPovPoglot& entry);
TVariableMap tableRowVariables(const TReportRecord& row, int table, const std::string& decimalSeparator);

} // namespace sonvela::report
