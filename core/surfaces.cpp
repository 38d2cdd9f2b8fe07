// The project's absorbing surfaces and piece absorbers, and the equivalent absorption area.
#include "core/surfaces.h"

#include "core/errors.h"
#include "core/materials.h"
#include "core/strings.h"

namespace sonvela {

namespace {

// The smallest entry record: three empty strings, flag, amount, id, six doubles.
constexpr std::size_t MinEntryRecord = 3 * 4 + 1 + 8 + 8 + 6 * 8;

} // namespace

TMaterial* TPovPoglot::Material() const
{
  return FMaterial.lock().get();
}

void TPovPoglot::LinkMaterial(TMaterial* material)
{
  if (material)
    FMaterial = material->weak_from_this();
  else
    FMaterial.reset();
}

void TPovPoglot::SaveToStream(TBinaryWriter& w) const
{
  w.WriteString(FName);
  w.WriteString(FMaterialName);
  w.WriteString(FMaterialFullName);
  w.WriteBoolean(FIsSurface);
  w.WriteDouble(FAmount);
  w.WriteInt64(FMaterialId);
  for (double c : FCoef) w.WriteDouble(c);
}

void TPovPoglot::LoadFromStream(TBinaryReader& r)
{
  FName = r.ReadString();
  FMaterialName = r.ReadString();
  FMaterialFullName = r.ReadString();
  FIsSurface = r.ReadBoolean();
  FAmount = r.ReadDouble();
  FMaterialId = r.ReadInt64();
  for (double& c : FCoef) c = r.ReadDouble();
}

void TPovPoglot::RelinkMaterial(TMaterialBase& base)
{
  TAlphaList& list = base.ListFor(FIsSurface);
  if (TMaterial* found = list.FindById(FMaterialId)) {
    LinkMaterial(found->FCoef == FCoef ? found : nullptr);
    return;
  }
  auto m = std::make_unique<TMaterial>();
  m->FName = FMaterialName;
  m->FCoef = FCoef;
  m->FParent = list.Root();
  LinkMaterial(list.AddMaterial(std::move(m)));
}

TPovPoglot* TPovList::Items(int index) const
{
  if (index < 0 || index >= Count())
    throw EError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[static_cast<std::size_t>(index)].get();
}

TPovPoglot* TPovList::Add(std::unique_ptr<TPovPoglot> entry)
{
  SONVELA_ASSERT(entry);
  FItems.push_back(std::move(entry));
  return FItems.back().get();
}

void TPovList::Delete(int index)
{
  Items(index);  // range check
  FItems.erase(FItems.begin() + index);
}

void TPovList::Clear()
{
  FItems.clear();
}

void TPovList::SumEquivalentArea()
{
  FEquivArea.fill(0);
  for (const auto& e : FItems)
    for (std::size_t b = 0; b < FEquivArea.size(); ++b) FEquivArea[b] += e->FCoef[b] * e->FAmount;
}

void TPovList::FillNames(std::vector<std::string>& names) const
{
  for (const auto& e : FItems) names.push_back(e->FName);
}

int TPovList::IndexOfName(const std::string& name) const
{
  for (int i = Count() - 1; i >= 0; --i)
    if (FItems[static_cast<std::size_t>(i)]->FName == name) return i;
  return -1;
}

TPovPoglot* TPovList::FindByName(const std::string& name) const
{
  const int i = IndexOfName(name);
  if (i < 0) throw EError(std::string(str::NoSuchEntry) + " \"" + name + "\"");
  return Items(i);
}

void TPovList::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(static_cast<std::int32_t>(FItems.size()));
  for (const auto& e : FItems) e->SaveToStream(w);
}

void TPovList::LoadFromStream(TBinaryReader& r)
{
  const std::size_t n = r.CheckCount(r.ReadInt32(), MinEntryRecord, str::SurfaceEntries);
  for (std::size_t i = 0; i < n; ++i) {
    auto e = std::make_unique<TPovPoglot>();
    e->LoadFromStream(r);
    Add(std::move(e));
  }
}

void TPovList::RelinkMaterials(TMaterialBase& base)
{
  for (const auto& e : FItems) e->RelinkMaterial(base);
}

} // namespace sonvela
