// sonvela-cli dxf: what the DXF reader takes from a drawing, as JSON.
#include "cli/command.h"
#include "core/errors.h"
#include "graphic/dxf.h"
#include "graphic/strings.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <iostream>

namespace sonvela::cli {

namespace {

// The shortest decimal that reads back as the same single, so 0.1 shows as 0.1.
double shortest(float v)
{
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  double d = 0;
  std::from_chars(buf, end, d);
  return d;
}

nlohmann::json point(TDxfPoint p)
{
  return nlohmann::json::array({shortest(p.X), shortest(p.Y), shortest(p.Z)});
}

int runDxf(const std::vector<std::string>& args)
{
  if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
    std::cerr << "Использование: sonvela-cli " << strings::CliUsageDxf << "\n";
    return 2;
  }
  TDxf dxf;
  try {
    dxf.LoadFromFile(args[0]);
  } catch (const EError& e) {
    std::cerr << strings::DxfCannotRead << " " << args[0] << ": " << e.what() << "\n";
    return 1;
  }
  int counts[3] = {0, 0, 0};
  for (const TDxfEntity& e : dxf.Entities()) ++counts[static_cast<int>(e.Kind)];
  nlohmann::ordered_json out;
  out["Entities"] = {{"LINE", counts[0]}, {"CIRCLE", counts[1]}, {"ARC", counts[2]}};
  out["Layers"] = nlohmann::json::array();
  for (const TDxfLayer& layer : dxf.Layers()) out["Layers"].push_back(layer.Name);
  out["Min"] = point(dxf.Min());
  out["Max"] = point(dxf.Max());
  out["Width"] = dxf.GetWidth();
  out["Height"] = dxf.GetHeight();
  std::cout << out.dump(2) << "\n";
  return 0;
}

[[maybe_unused]] const bool registered = registerCommand("dxf", {&runDxf, strings::CliUsageDxf});

} // namespace

} // namespace sonvela::cli
