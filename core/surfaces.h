// The project's absorbing surfaces and piece absorbers, and the equivalent absorption area.
#pragma once
#include "core/binary.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sonvela {

class TMaterial;
class TMaterialBase;

// One entry: a surface (material and area) or a piece absorber (type and number of pieces).
class TPovPoglot {
public:
  std::array<double, 6> FCoef{};  // copied from the material when chosen; 125 Hz first
  double FAmount = 0;             // m² for a surface, pieces for a piece absorber
  bool FIsSurface = true;
  std::string FMaterialName;
  std::string FMaterialFullName;
  std::string FName;              // unique within the project's list
  std::int64_t FMaterialId = 0;
  // Link to the chosen material while linked; not stored. Weak, so a material deleted from
  // the base later in the run reads as no material.
  std::weak_ptr<TMaterial> FMaterial;

  TMaterial* Material() const;
  void LinkMaterial(TMaterial* material);  // nullptr unlinks

  void SaveToStream(TBinaryWriter& w) const;
  // Reads the record only; RelinkMaterial links it to a base.
  void LoadFromStream(TBinaryReader& r);
  // Looks up FMaterialId in the matching category: the same six values link the entry;
  // other values leave it unlinked; an unknown identifier adds a new material below the
  // category root (it gets a new identifier, the entry keeps its own) and links to it.
  void RelinkMaterial(TMaterialBase& base);
};

// Owning list of entries in the user's order of creation.
class TPovList {
public:
  TPovList() = default;
  TPovList(const TPovList&) = delete;
  TPovList& operator=(const TPovList&) = delete;

  std::array<double, 6> FEquivArea{};  // filled by SumEquivalentArea

  int Count() const { return static_cast<int>(FItems.size()); }
  TPovPoglot* Items(int index) const;  // EError for an index outside the list
  TPovPoglot* Add(std::unique_ptr<TPovPoglot> entry);
  void Delete(int index);
  void Clear();

  // A = Σ coefficient × amount per band, surfaces and piece absorbers alike.
  void SumEquivalentArea();
  void FillNames(std::vector<std::string>& names) const;
  // Index of the last entry with exactly this name, or -1.
  int IndexOfName(const std::string& name) const;
  // The entry at IndexOfName; EError when there is none.
  TPovPoglot* FindByName(const std::string& name) const;

  void SaveToStream(TBinaryWriter& w) const;
  // Appends the entries of the record, without linking them.
  void LoadFromStream(TBinaryReader& r);
  void RelinkMaterials(TMaterialBase& base);

private:
  std::vector<std::unique_ptr<TPovPoglot>> FItems;
};

} // namespace sonvela
