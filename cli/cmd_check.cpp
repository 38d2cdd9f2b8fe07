// sonvela-cli check: the space-planning and reverberation check of a hall, as JSON.
#include "cli/command.h"
#include "core/check_inputs.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/numreaders.h"
#include "core/project.h"
#include "core/strings.h"
#include "graphic/construction.h"
#include "report/strings.h"
#ifdef SONVELA_HAS_REPORT
#include "report/check_variables.h"
#endif

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>

namespace sonvela::cli {

// The inputs and results of the check as one object, {"inputs": …, "results": …}. This is
// the one place the output is built; undefined values are null.
nlohmann::ordered_json checkJson(const TRoom& room)
{
  using json = nlohmann::ordered_json;
  auto optional = [](const std::optional<double>& v) { return v ? json(*v) : json(nullptr); };

  json inputs;
  inputs["Name"] = room.FName;
  inputs["HallType"] = room.FHallType;
  inputs["Volume"] = room.FVolume;
  inputs["Length"] = room.FLength;
  inputs["FloorArea"] = room.FFloorArea;
  inputs["Seats"] = room.FSeats;
  inputs["EnclosingArea"] = room.FEnclosingArea;
  inputs["Alpha"] = room.FAlpha;

  json results;
  results["VolumePerSeat"] = room.FVolumePerSeat;
  results["VolumePerSeatOk"] = room.FVolumePerSeatOk;
  results["LengthOk"] = room.FLengthOk;
  results["Width"] = room.FWidth;
  results["Height"] = room.FHeight;
  results["LengthToWidthOk"] = room.FLengthToWidthOk;
  results["WidthToHeightOk"] = room.FWidthToHeightOk;
  results["LengthToWidth"] = room.FLengthToWidth;
  results["WidthToHeight"] = room.FWidthToHeight;
  results["CritFreq"] = room.FCritFreq;
  json times = json::array();
  for (const auto& t : room.FReverbTime) times.push_back(optional(t));
  results["ReverbTime"] = times;
  results["OptimalReverbTime"] = room.FOptimalReverbTime;
  results["ReverbOk"] = room.FReverbOk;
  results["CritFreqBelow125"] = room.FCritFreqBelow125;
  results["SpacePlanningOk"] = room.FSpacePlanningOk;
  results["ReverbAllOk"] = room.FReverbAllOk;
  results["BassRatio"] = optional(room.FBassRatio);
  results["TrebleRatio"] = optional(room.FTrebleRatio);
  results["BassVerdict"] = room.FBassVerdict;
  results["TrebleVerdict"] = room.FTrebleVerdict;

  json out;
  out["inputs"] = std::move(inputs);
  out["results"] = std::move(results);
  return out;
}

namespace {

// A refused argument: the message goes to stderr, the code is the exit code.
struct ECliError : EError {
  ECliError(const std::string& what, int code) : EError(what), Code(code) {}
  int Code;
};

struct TCheckOptions {
  std::optional<std::string> Project;
  std::map<std::string, std::string> Values;  // option → its text as typed
  char Decimal = '.';                         // decimal separator of typed numbers
  bool Vars = false;                          // add the check report's variables
};

// Options that take a value. Further options of the command are added here and read in
// runCheck.
const char* const ValueOptions[] = {"--type", "--volume", "--length", "--floor", "--seats", "--enclosing", "--alpha",
                                    "--decimal"};

TCheckOptions parseArgs(const std::vector<std::string>& args)
{
  TCheckOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      if (o.Project) throw ECliError(std::string(str::CliExtraArgument) + ": " + a, 2);
      o.Project = a;
      continue;
    }
    if (a == "--vars") {
      o.Vars = true;
      continue;
    }
    if (std::find(std::begin(ValueOptions), std::end(ValueOptions), a) == std::end(ValueOptions))
      throw ECliError(std::string(str::CliUnknownOption) + ": " + a, 2);
    if (i + 1 >= args.size()) throw ECliError(std::string(str::CliMissingValue) + " " + a, 2);
    o.Values[a] = args[++i];
  }
  // --decimal: the separator of the typed numbers and of the report's texts.
  if (const auto d = o.Values.find("--decimal"); d != o.Values.end()) {
    if (d->second != "," && d->second != ".") throw ECliError(report::str::CliBadDecimal, 2);
    o.Decimal = d->second[0];
  }
  return o;
}

// The check report's variables as the report prints them: {"VInt": "1000,00", ...}, with
// the separator given by --decimal or else the locale's.
nlohmann::ordered_json reportVariablesJson(const TRoom& room, const TCheckOptions& o)
{
#ifdef SONVELA_HAS_REPORT
  const std::string sep = o.Values.count("--decimal") ? std::string(1, o.Decimal) : report::systemDecimalSeparator();
  nlohmann::ordered_json vars = nlohmann::ordered_json::object();
  for (const auto& [name, text] : report::checkReportVariables(room, sep)) vars[name] = text;
  return vars;
#else
  (void)room;
  (void)o;
  throw ECliError(report::str::CliNoReport, 2);
#endif
}

template <class T>
T accepted(const TNumberRead<T>& r)
{
  if (!r.Ok()) throw ECliError(r.Message, 2);
  return r.Value;
}

// Copies the typed values into the record in the order of the check window, each checked
// with its reader, label and bounds; a value not typed keeps the record's own (from the
// project file or the defaults), which must lie within the same bounds.
void applyInputs(TRoom& room, const TCheckOptions& o)
{
  auto typed = [&](const char* option) -> const std::string* {
    const auto it = o.Values.find(option);
    return it == o.Values.end() ? nullptr : &it->second;
  };
  auto readFloat = [&](const std::string* text, const char* label, double min, double max, double& field) {
    if (text)
      field = accepted(parseFloat(*text, label, min, max, o.Decimal));
    else if (!(field >= min && field <= max))
      throw ECliError(floatRangeMessage(label, min, max, o.Decimal), 2);
  };

  if (const std::string* t = typed("--type"))
    room.FHallType = static_cast<std::uint8_t>(accepted(parseInteger(*t, str::LabelHallType, 0, HallTypeCount - 1)));
  using namespace CheckInputBounds;
  readFloat(typed("--length"), str::LabelLength, LengthMin, LengthMax, room.FLength);
  readFloat(typed("--volume"), str::LabelVolume, VolumeMin, VolumeMax, room.FVolume);
  readFloat(typed("--floor"), str::LabelFloorArea, AreaMin, AreaMax, room.FFloorArea);
  readFloat(typed("--enclosing"), str::LabelEnclosingArea, AreaMin, AreaMax, room.FEnclosingArea);

  std::vector<std::string> alpha;
  if (const std::string* t = typed("--alpha")) {
    // With a comma as the decimal separator the values are parted by semicolons.
    const char sep = (o.Decimal == ',' || t->find(';') != std::string::npos) ? ';' : ',';
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = t->find(sep, start);
      alpha.push_back(t->substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    if (alpha.size() != static_cast<std::size_t>(BandCount)) throw ECliError(str::CliAlphaCount, 2);
  }
  for (int i = 0; i < BandCount; ++i)
    readFloat(alpha.empty() ? nullptr : &alpha[static_cast<std::size_t>(i)], str::LabelAlpha[i], AlphaMin, AlphaMax,
              room.FAlpha[static_cast<std::size_t>(i)]);

  if (const std::string* t = typed("--seats"))
    room.FSeats = accepted(parseInteger(*t, str::LabelSeats, SeatsMin, SeatsMax));
  else if (room.FSeats < SeatsMin || room.FSeats > SeatsMax)
    throw ECliError(integerRangeMessage(str::LabelSeats, SeatsMin, SeatsMax), 2);
}

int runCheck(const std::vector<std::string>& args)
{
  try {
    const TCheckOptions o = parseArgs(args);
      useGraphicSections();  // project files carry sections of the drawing model
    std::unique_ptr<TRoom> room;
    if (o.Project) {
      TMaterialBase base;  // the check needs no materials; entries link to a throwaway base
      try {
        room = loadProject(*o.Project, base);
      } catch (const EReadError& e) {
        throw ECliError(std::string(str::ProjectUnreadable) + " " + *o.Project + ": " + e.what(), 1);
      }
    } else {
      room = std::make_unique<TRoom>();
    }
    applyInputs(*room, o);
    room->Calculate();
    nlohmann::ordered_json out = checkJson(*room);
    if (o.Vars) out["variables"] = reportVariablesJson(*room, o);
    std::cout << out.dump(2) << "\n";
    return 0;
  } catch (const ECliError& e) {
    std::cerr << e.what() << "\n";
    return e.Code;
  }
}

[[maybe_unused]] const bool registered = registerCommand("check", {&runCheck, std::string(str::CliUsageCheck) + report::str::CliUsageCheckVars});

} // namespace

} // namespace sonvela::cli
