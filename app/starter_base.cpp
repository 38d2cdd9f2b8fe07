// The starter materials base, built from its readable table, and the example project built on it.
#include "app/starter_base.h"

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/room.h"
#include "core/surfaces.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace sonvela {

namespace {

std::vector<std::string_view> split(std::string_view s, char sep)
{
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = s.find(sep);
    parts.push_back(s.substr(0, at));
    if (at == std::string_view::npos)
      return parts;
    s.remove_prefix(at + 1);
  }
}

double number(std::string_view text, int line)
{
  double v = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v) || v < 0)
    throw EError("materials table, line " + std::to_string(line) + ": bad number \"" + std::string(text) + "\"");
  return v;
}

TMaterial* childNamed(TAlphaList& list, TMaterial* parent, std::string_view name)
{
  for (int i = 0; i < list.Count(); ++i)
    if (list.Items(i)->FParent == parent && list.Items(i)->FName == name)
      return list.Items(i);
  return nullptr;
}

// The group node of a path below the category root, created on first use.
TMaterial* groupOf(TAlphaList& list, std::string_view path)
{
  TMaterial* node = list.Root();
  for (std::string_view part : split(path, '/')) {
    if (part.empty())
      continue;
    TMaterial* child = childNamed(list, node, part);
    if (!child) {
      auto group = std::make_unique<TMaterial>();
      group->FName = std::string(part);
      group->FParent = node;
      group->ComposeFullName();
      child = list.AddMaterial(std::move(group));
    }
    node = child;
  }
  return node;
}

TMaterial* findByFullName(TAlphaList& list, std::string_view fullName)
{
  for (int i = 0; i < list.Count(); ++i)
    if (list.Items(i)->FFullName == fullName)
      return list.Items(i);
  throw EError("starter base lacks \"" + std::string(fullName) + "\"");
}

void addEntry(TRoom& room, const TMaterialBase& base, const char* name, TMaterial* m, double amount)
{
  auto e = std::make_unique<TPovPoglot>();
  e->FName = name;
  e->FIsSurface = m->FOwner == &base.FSurfaceMaterials;
  e->FAmount = amount;
  e->FCoef = m->FCoef;
  e->FMaterialName = m->FName;
  e->FMaterialFullName = m->FFullName;
  e->FMaterialId = m->FId;
  e->LinkMaterial(m);
  room.FSurfaces->Add(std::move(e));
}

} // namespace

void buildStarterBase(std::string_view table, TMaterialBase& base)
{
  int lineNo = 0;
  for (std::string_view line : split(table, '\n')) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
      continue;
    const auto f = split(line, '\t');
    if (f.size() != 12 || (f[0] != "S" && f[0] != "P") || f[2].empty())
      throw EError("materials table, line " + std::to_string(lineNo) + ": expected 12 tab-separated fields");
    for (std::string_view text : {f[1], f[2], f[3]})
      if (fromCp1251(toCp1251(text)) != text)
        throw EError("materials table, line " + std::to_string(lineNo) + ": a character the base file cannot store");
    TAlphaList& list = base.ListFor(f[0] == "S");
    auto m = std::make_unique<TMaterial>();
    m->FName = std::string(f[2]);
    m->FFullName = std::string(f[3].empty() ? f[2] : f[3]);
    m->FParent = groupOf(list, f[1]);
    const double area = f[10].empty() ? 1 : number(f[10], lineNo);
    for (int b = 0; b < 6; ++b) {
      // Three decimals, as the materials window shows and stores them.
      m->FCoef[b] = std::round(number(f[4 + b], lineNo) * area * 1000) / 1000;
    }
    list.AddMaterial(std::move(m));
  }
}

std::unique_ptr<TRoom> buildExampleHall(TMaterialBase& base)
{
  auto room = std::make_unique<TRoom>();
  room->FName = "Малый концертный зал (пример)";
  room->FHallType = 3;
  room->FLength = 20;
  room->FFloorArea = 300;
  room->FVolume = 2500;
  room->FSeats = 400;
  room->FEnclosingArea = 1183;
  addEntry(*room, base, "Пол", findByFullName(base.FSurfaceMaterials, "Паркет по бетонному основанию"), 300);
  addEntry(*room, base, "Потолок", findByFullName(base.FSurfaceMaterials, "Гипсокартон с глубоким воздушным промежутком"), 300);
  addEntry(*room, base, "Стены", findByFullName(base.FSurfaceMaterials, "Гипсокартон на каркасе, воздушный зазор 100 мм"), 583);
  addEntry(*room, base, "Кресла в партере", findByFullName(base.FPieceAbsorbers, "Кресло с тканевой обивкой, занятое"), 300);
  addEntry(*room, base, "Свободные кресла", findByFullName(base.FPieceAbsorbers, "Кресло с тканевой обивкой, свободное"), 100);
  room->CalcAverageAlpha();
  return room;
}

} // namespace sonvela
