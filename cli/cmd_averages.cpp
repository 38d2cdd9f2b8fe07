// sonvela-cli averages: equivalent absorption area and average coefficients of a project.
#include "cli/command.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/numreaders.h"
#include "core/project.h"
#include "core/strings.h"
#include "graphic/construction.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace sonvela::cli {

namespace {

int fail(const std::string& message, int code)
{
  std::cerr << message << "\n";
  return code;
}

int runAverages(const std::vector<std::string>& args)
{
  std::string project, baseFile;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--base") {
      if (i + 1 >= args.size()) return fail(std::string(str::CliMissingValue) + " --base", 2);
      baseFile = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      return fail(std::string(str::CliUnknownOption) + ": " + args[i], 2);
    } else if (project.empty()) {
      project = args[i];
    } else {
      return fail(std::string(str::CliExtraArgument) + ": " + args[i], 2);
    }
  }
  if (project.empty()) return fail(std::string("Использование: sonvela-cli ") + str::CliUsageAverages, 2);
  useGraphicSections();  // project files carry sections of the drawing model

  // Without a base file the entries are linked to a base that holds the two roots alone.
  TMaterialBase base;
  if (!baseFile.empty()) {
    try {
      base.LoadFromBytes(readFileBytes(baseFile));
    } catch (const EReadError& e) {
      return fail(std::string(str::BaseUnreadable) + " " + baseFile + ": " + e.what(), 1);
    }
  }
  std::unique_ptr<TRoom> room;
  try {
    room = loadProject(project, base);
  } catch (const EReadError& e) {
    return fail(std::string(str::ProjectUnreadable) + " " + project + ": " + e.what(), 1);
  }
  // The averages divide by S_огр, which the check window accepts from 1 m² only.
  if (!(room->FEnclosingArea >= 1 && room->FEnclosingArea <= 10000000))
    return fail(floatRangeMessage(str::LabelEnclosingArea, 1, 10000000, '.'), 2);
  room->CalcAverageAlpha();

  nlohmann::ordered_json out;
  out["EquivArea"] = room->FSurfaces->FEquivArea;
  out["Alpha"] = room->FAlpha;
  std::cout << out.dump(2) << "\n";
  return 0;
}

[[maybe_unused]] const bool registered = registerCommand("averages", {&runAverages, str::CliUsageAverages});

} // namespace

} // namespace sonvela::cli
