// sonvela-cli reflections: the first-reflection calculation of one section of a project, as JSON.
#include "cli/command.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/numreaders.h"
#include "core/project.h"
#include "core/strings.h"
#include "graphic/construction.h"
#include "graphic/reflections.h"
#include "graphic/strings.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iostream>
#include <optional>

namespace sonvela::cli {

namespace {

int fail(const std::string& message, int code)
{
  std::cerr << message << "\n";
  return code;
}

// The single-precision positions go out as the doubles they convert to, which read back
// as the same floats.
nlohmann::ordered_json pointJson(const TSpectatorPoint& p, bool withResult)
{
  nlohmann::ordered_json out;
  out["X"] = static_cast<double>(p.Pos.X);
  out["Y"] = static_cast<double>(p.Pos.Y);
  if (!withResult) return out;
  out["Delay"] = p.Delay;
  out["Found"] = p.Found;
  out["DirectVisible"] = p.DirectVisible;
  out["InDirectZone"] = p.InDirectZone;
  out["Reflection"] = p.Found ? nlohmann::ordered_json::array({p.Reflection.X, p.Reflection.Y}) : nullptr;
  return out;
}

int runReflections(const std::vector<std::string>& args)
{
  std::string project, sectionText = "0", rangeText;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--section" || args[i] == "--range") {
      if (i + 1 >= args.size()) return fail(std::string(str::CliMissingValue) + " " + args[i], 2);
      (args[i] == "--section" ? sectionText : rangeText) = args[i + 1];
      ++i;
    } else if (args[i].rfind("--", 0) == 0) {
      return fail(std::string(str::CliUnknownOption) + ": " + args[i], 2);
    } else if (project.empty()) {
      project = args[i];
    } else {
      return fail(std::string(str::CliExtraArgument) + ": " + args[i], 2);
    }
  }
  if (project.empty()) return fail(std::string("Использование: sonvela-cli ") + strings::CliUsageReflections, 2);

  const auto index = parseInteger(sectionText, strings::LabelSectionNumber, 0, INT32_MAX);
  if (!index.Ok()) return fail(index.Message, 2);
  std::optional<double> range;
  if (!rangeText.empty()) {
    // The bounds of the source type dialog, in metres.
    const auto metres = parseFloat(rangeText, strings::LabelSoundRange, 0, 1000, '.');
    if (!metres.Ok()) return fail(metres.Message, 2);
    range = metres.Value * 1000;
  }

  useGraphicSections();  // project files carry sections of the drawing model
  TMaterialBase base;    // re-linking must not touch the user's base
  std::unique_ptr<TRoom> room;
  try {
    room = loadProject(project, base);
  } catch (const EReadError& e) {
    return fail(std::string(str::ProjectUnreadable) + " " + project + ": " + e.what(), 1);
  }
  auto* sections = dynamic_cast<TConstructionList*>(room->FSections.get());
  if (!sections || index.Value >= sections->Count())
    return fail(std::string(strings::CliNoSuchSection) + " " + sectionText, 2);
  TConstruction& section = *(*sections)[index.Value];
  TCurrentConstructionGuard current(&section);
  if (range)
    if (TSound* source = CalculationSource(section)) source->FRange = *range;
  try {
    section.FElements.CalcReflections();
  } catch (const EError& e) {
    // Coordinates so far apart that a path or a mirror image leaves the 32-bit range.
    return fail(std::string(strings::CliCalculationFailed) + " " + sectionText + ": " + e.what(), 1);
  }

  nlohmann::ordered_json out;
  out["ReflectorsLargeEnough"] = section.FReflectorsLargeEnough;
  out["Lines"] = nlohmann::ordered_json::array();
  for (int i = 0; i < section.FElements.Count(); ++i) {
    auto* line = dynamic_cast<const TSpectatorLine*>(section.FElements[i]);
    if (!line || !line->FCalculated) continue;
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (std::size_t k = 0; k < line->FPoints.size(); ++k)
      points.push_back(pointJson(line->FPoints[k], k + 1 < line->FPoints.size()));
    nlohmann::ordered_json entry;
    entry["Element"] = i;
    entry["Points"] = std::move(points);
    out["Lines"].push_back(std::move(entry));
  }
  std::cout << out.dump(2) << "\n";
  return 0;
}

[[maybe_unused]] const bool registered =
  registerCommand("reflections", {&runReflections, strings::CliUsageReflections});

} // namespace

} // namespace sonvela::cli
