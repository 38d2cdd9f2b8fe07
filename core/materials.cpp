// The materials base: two category trees of absorbing materials, and the base file.
#include "core/materials.h"

#include "core/errors.h"
#include "core/strings.h"

#include <algorithm>
#include <system_error>

namespace sonvela {

TMaterialBase* MaterialBase = nullptr;

namespace {

// The smallest item record: two empty strings, reserved byte, id, flag, six doubles.
constexpr std::size_t MinItemRecord = 4 + 4 + 1 + 8 + 1 + 6 * 8;
// Each item also has a 4-byte parent index after the records.
constexpr std::size_t MinItemBytes = MinItemRecord + 4;

} // namespace

void TMaterial::ComposeFullName()
{
  std::string name = FName;
  // A well-formed tree has no cycles (the reader refuses them); the bound is a safety net
  // for links made in memory.
  std::size_t guard = FOwner ? static_cast<std::size_t>(FOwner->Count()) : 1000000;
  for (const TMaterial* p = FParent; p && guard > 0; p = p->FParent, --guard)
    if (p->FInQuickName) name = p->FName + " " + name;
  FFullName = std::move(name);
}

void TMaterial::SaveToStream(TBinaryWriter& w) const
{
  w.WriteString(FName);
  w.WriteString(FFullName);
  w.WriteByte(FReserved);
  w.WriteInt64(FId);
  w.WriteBoolean(FInQuickName);
  for (double c : FCoef) w.WriteDouble(c);
}

void TMaterial::LoadFromStream(TBinaryReader& r)
{
  FName = r.ReadString();
  FFullName = r.ReadString();
  FReserved = r.ReadByte();
  FId = r.ReadInt64();
  FInQuickName = r.ReadBoolean();
  for (double& c : FCoef) c = r.ReadDouble();
}

TAlphaList::TAlphaList(std::string rootName) : FRootName(std::move(rootName))
{
  if (!FRootName.empty()) ResetToRoot();
}

TMaterial* TAlphaList::Items(int index) const
{
  if (index < 0 || index >= Count())
    throw EError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[static_cast<std::size_t>(index)].get();
}

int TAlphaList::IndexOf(const TMaterial* item) const
{
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

TMaterial* TAlphaList::AddMaterial(std::unique_ptr<TMaterial> item)
{
  SONVELA_ASSERT(item);
  item->FOwner = this;
  if (item->FId == -1) item->FId = FNextId;
  // The stored counter may be anything; it wraps like the 64-bit counter it is.
  FNextId = static_cast<std::int64_t>(static_cast<std::uint64_t>(FNextId) + 1);
  FItems.push_back(std::shared_ptr<TMaterial>(std::move(item)));
  return FItems.back().get();
}

TMaterial* TAlphaList::FindById(std::int64_t id) const
{
  for (const auto& m : FItems)
    if (m->FId == id) return m.get();
  return nullptr;
}

void TAlphaList::RefreshHasChildren()
{
  for (const auto& m : FItems) m->FHasChildren = false;
  for (const auto& m : FItems)
    if (m->FParent) m->FParent->FHasChildren = true;
}

bool TAlphaList::Delete(TMaterial* item)
{
  const int index = IndexOf(item);
  if (index <= 0) return false;
  for (const auto& m : FItems)
    if (m->FParent == item) return false;
  FItems.erase(FItems.begin() + index);
  return true;
}

void TAlphaList::Clear()
{
  FItems.clear();
}

void TAlphaList::ResetToRoot()
{
  Clear();
  FNextId = 0;
  auto root = std::make_unique<TMaterial>();
  root->FName = FRootName;
  root->FInQuickName = false;
  AddMaterial(std::move(root));
}

void TAlphaList::SaveToStream(TBinaryWriter& w) const
{
  w.WriteInt32(static_cast<std::int32_t>(FItems.size()));
  w.WriteInt64(FNextId);
  for (const auto& m : FItems) m->SaveToStream(w);
  for (const auto& m : FItems) w.WriteInt32(m->FParent ? IndexOf(m->FParent) : -1);
}

void TAlphaList::LoadFromStream(TBinaryReader& r)
{
  Clear();
  FNextId = 0;
  try {
    LoadItems(r);
  } catch (...) {
    // The rest of the program relies on item 0 being the category root.
    if (FItems.empty()) ResetToRoot();
    throw;
  }
  if (FItems.empty()) ResetToRoot();
}

void TAlphaList::LoadItems(TBinaryReader& r)
{
  const std::size_t n = r.CheckCount(r.ReadInt32(), MinItemBytes, str::MaterialItems);
  FNextId = r.ReadInt64();
  for (std::size_t i = 0; i < n; ++i) {
    auto m = std::make_unique<TMaterial>();
    m->LoadFromStream(r);
    AddMaterial(std::move(m));
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = r.Offset();
    const std::int32_t p = r.ReadInt32();
    if (p == -1) continue;
    // Item 0 is the category root and has no parent.
    if (p < 0 || static_cast<std::size_t>(p) >= n || i == 0) r.FailAt(str::BadParentIndex, at);
    TMaterial* item = FItems[i].get();
    TMaterial* parent = FItems[static_cast<std::size_t>(p)].get();
    // The links read so far form a forest; refuse the one that would close a circle.
    for (const TMaterial* a = parent; a; a = a->FParent)
      if (a == item) r.FailAt(str::ParentCycle, at);
    item->FParent = parent;
  }
}

TMaterialBase::TMaterialBase()
  : FSurfaceMaterials(str::SurfaceMaterialsRoot), FPieceAbsorbers(str::PieceAbsorbersRoot)
{
}

TMaterialBase::TMaterialBase(std::filesystem::path fileName) : TMaterialBase()
{
  FFileName = std::move(fileName);
}

void TMaterialBase::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
  TBinaryReader r(bytes);
  try {
    FSurfaceMaterials.LoadFromStream(r);
  } catch (...) {
    // The second category was never reached: it keeps its default root.
    FPieceAbsorbers.ResetToRoot();
    throw;
  }
  FPieceAbsorbers.LoadFromStream(r);
}

Bytes TMaterialBase::SaveToBytes() const
{
  TBinaryWriter w;
  FSurfaceMaterials.SaveToStream(w);
  FPieceAbsorbers.SaveToStream(w);
  return std::move(w.Data());
}

void TMaterialBase::Load()
{
  std::error_code ec;
  if (!std::filesystem::exists(FFileName, ec)) return;
  FLoadFailed = true;
  const Bytes data = readFileBytes(FFileName);
  LoadFromBytes(data);
  FLoadFailed = false;
}

void TMaterialBase::Save()
{
  if (FLoadFailed) {
    // Keep the file that could not be read before the base replaces it.
    std::filesystem::path backup = FFileName;
    backup += ".bak";
    std::error_code ec;
    if (std::filesystem::exists(FFileName, ec)) {
      std::filesystem::copy_file(FFileName, backup, std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) throw EWriteError("Не удается сохранить копию файла " + FFileName.string() + ": " + ec.message());
    }
    FLoadFailed = false;
  }
  const Bytes data = SaveToBytes();
  writeFileAtomic(FFileName, data);
}

} // namespace sonvela
