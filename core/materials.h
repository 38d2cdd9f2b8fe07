// The materials base: two category trees of absorbing materials, and the base file.
#pragma once
#include "core/binary.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace sonvela {

class TAlphaList;

// One item of a category tree. Items live in shared ownership of their list so that the
// surface entries linked to them hold a weak link: an entry whose material is deleted in
// the same run sees no material instead of a freed one.
class TMaterial : public std::enable_shared_from_this<TMaterial> {
public:
  std::uint8_t FReserved = 0;   // stored and carried unchanged
  std::int64_t FId = -1;        // unique within the list; -1 = not yet assigned
  bool FInQuickName = true;     // the name goes in front of its descendants' full names
  std::string FName;
  std::string FFullName;
  std::array<double, 6> FCoef{};  // absorption coefficient, or m² per piece; 125 Hz first
  TMaterial* FParent = nullptr;   // none for a category root
  TAlphaList* FOwner = nullptr;
  bool FHasChildren = false;      // recomputed by RefreshHasChildren, not stored

  // FFullName := the names of the flagged ancestors, root side first, each followed by
  // one blank, then FName.
  void ComposeFullName();

  void SaveToStream(TBinaryWriter& w) const;  // item record, without the parent link
  void LoadFromStream(TBinaryReader& r);
};

// Owning list of one category's items; item 0 is the category root, the tree is given by
// the FParent links and the list order is the order of creation.
class TAlphaList {
public:
  explicit TAlphaList(std::string rootName = {});
  TAlphaList(const TAlphaList&) = delete;
  TAlphaList& operator=(const TAlphaList&) = delete;

  std::int64_t FNextId = 0;  // source of new identifiers

  int Count() const { return static_cast<int>(FItems.size()); }
  TMaterial* Items(int index) const;  // EError for an index outside the list
  TMaterial* Root() const { return FItems.empty() ? nullptr : FItems.front().get(); }
  int IndexOf(const TMaterial* item) const;  // -1 when not in the list
  const std::string& RootName() const { return FRootName; }

  // Takes the item: sets its owner; an item without identifier gets FNextId; FNextId then
  // grows by one in every case (so loading a base and saving it again stores a counter
  // larger by the number of items). Returns the item.
  TMaterial* AddMaterial(std::unique_ptr<TMaterial> item);
  TMaterial* FindById(std::int64_t id) const;
  void RefreshHasChildren();
  // Removes and frees an item that no other item has as parent; the root is never
  // removed. Returns whether it was removed.
  bool Delete(TMaterial* item);
  // Frees every item, the root too.
  void Clear();
  // Clear, then the category root alone with identifier 0 and the counter at 1.
  void ResetToRoot();

  // The list record. Loading reads into the list as it goes; on an error the list keeps
  // what was read, and if not even the root was read the default root is restored, so
  // item 0 is always the category root. Throws EReadError with the offset.
  void SaveToStream(TBinaryWriter& w) const;
  void LoadFromStream(TBinaryReader& r);

private:
  void LoadItems(TBinaryReader& r);
  std::string FRootName;
  std::vector<std::shared_ptr<TMaterial>> FItems;
};

// The whole base: two category lists and the file they live in.
class TMaterialBase {
public:
  TMaterialBase();  // the two category roots alone
  explicit TMaterialBase(std::filesystem::path fileName);
  TMaterialBase(const TMaterialBase&) = delete;
  TMaterialBase& operator=(const TMaterialBase&) = delete;

  TAlphaList FSurfaceMaterials;
  TAlphaList FPieceAbsorbers;
  std::filesystem::path FFileName;

  // Reads the base file if it exists (a missing file leaves the two roots). A file that
  // cannot be read completely throws EReadError; the lists keep what was read and item 0
  // of each is its category root. Never writes anything.
  void Load();
  // Writes both lists atomically; EWriteError on failure, the old file stays intact. After
  // a Load that failed, the unreadable file is first kept as "<name>.bak", so nothing of
  // it is lost by the save.
  void Save();
  bool LoadFailed() const { return FLoadFailed; }

  void LoadFromBytes(std::span<const std::uint8_t> bytes);  // throws EReadError
  Bytes SaveToBytes() const;

  TAlphaList& ListFor(bool isSurface) { return isSurface ? FSurfaceMaterials : FPieceAbsorbers; }

private:
  bool FLoadFailed = false;
};

// The base of the running program: start-up creates and loads it and sets this pointer;
// the program's windows reach it here. Core functions take the base as a parameter.
extern TMaterialBase* MaterialBase;

} // namespace sonvela
