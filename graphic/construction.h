// Hall sections: their lists, drawing parameters, the section record and the list of sections.
#pragma once
#include "core/binary.h"
#include "core/section_list.h"
#include "graphic/dimensions.h"
#include "graphic/elements.h"
#include "graphic/markers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sonvela {

class TConstruction;
class TViewBase;

// Every node of a section, for indexing and streaming. The elements own the nodes; Clear
// destroys those still listed (nodes no element holds any more).
class TNodeList {
public:
  explicit TNodeList(TConstruction* owner) : FConstruction(owner) {}
  ~TNodeList();
  TNodeList(const TNodeList&) = delete;
  TNodeList& operator=(const TNodeList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TNode* operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)); }
  const std::vector<TNode*>& Items() const { return FItems; }
  int IndexOf(const TNode* node) const;
  void Add(TNode* node);
  // Takes node out of the list (not destroyed); false if it is not listed.
  bool Remove(TNode* node);
  void Clear();
  // The accepted node nearest to p; a later node wins only when strictly nearer.
  TNode* NodeNearest(TPoint p, const TPickFilter<TNode>& filter = {}) const;

private:
  TConstruction* FConstruction;
  std::vector<TNode*> FItems;
};

// The elements of a section in drawing and file order; owns them.
class TElementList {
public:
  explicit TElementList(TConstruction* owner) : FConstruction(owner) {}
  ~TElementList() { Clear(); }
  TElementList(const TElementList&) = delete;
  TElementList& operator=(const TElementList&) = delete;

  // The section's sound source, or none.
  TSound* FSound = nullptr;
  TConstruction* const FConstruction;

  int Count() const { return static_cast<int>(FItems.size()); }
  TElement* operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)); }
  const std::vector<TElement*>& Items() const { return FItems; }
  int IndexOf(const TElement* element) const;
  // Takes ownership; the element now belongs to this list's section.
  void Add(TElement* element);
  // Takes the element at index out of the list without destroying it.
  TElement* Extract(int index);
  // Removes the element at index and destroys it (with its nodes, their dimensions and, for
  // a spectator line, its markers).
  void Delete(int index);
  // Destroys every element in list order.
  void Clear();
  // Plane elements first, then point elements on top; incorrect elements are skipped.
  void DrawAll(TViewBase& view);
  // The topmost closed shape containing p, unless a point element or an open line lies
  // nearer than that shape's outline. No distance limit.
  TElement* ElementNearest(TPoint p, const TPickFilter<TElement>& filter = {}) const;
  TSpectatorLine* SpectatorLineNearest(TPoint p) const;

  // Computes every spectator line and sets the section's FReflectorsLargeEnough; defined in
  // graphic/reflections.cpp.
  void CalcReflections(TViewBase* view = nullptr);

private:
  std::vector<TElement*> FItems;
};

// The dimensions of a section; owns them.
class TSizeList {
public:
  explicit TSizeList(TConstruction* owner) : FConstruction(owner) {}
  ~TSizeList() { Clear(); }
  TSizeList(const TSizeList&) = delete;
  TSizeList& operator=(const TSizeList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TSize* operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)); }
  const std::vector<TSize*>& Items() const { return FItems; }
  int IndexOf(const TSize* size) const;
  // Takes ownership; the dimension now belongs to this list's section.
  void Add(TSize* size);
  TSize* Extract(int index);
  void Delete(int index);
  // Destroys every dimension that uses node.
  void DeleteUsing(const TNode* node);
  void Clear();
  // DrawNormal of every dimension in list order.
  void DrawAll(TViewBase& view);
  // The accepted dimension whose text point is nearest to p, the first on ties.
  TSize* SizeNearest(TPoint p, const TPickFilter<TSize>& filter = {}) const;

private:
  TConstruction* FConstruction;
  std::vector<TSize*> FItems;
};

// Length units of a section: 1000 model units are one unit.
enum : std::uint8_t { luMillimetre = 0, luCentimetre = 1, luMetre = 2, luInch = 3 };
constexpr std::uint8_t UnitCount = 4;

// A length in model units as text: rounded to a multiple of 50, divided by 1000, shortest
// decimal form (up to 15 significant digits), no unit name.
std::string lengthToStr(std::int32_t v, std::string_view separator = ".");

// Drawing parameters of a section.
class TConstParametrs {
public:
  explicit TConstParametrs(TConstruction* owner);

  TConstruction* const FOwner;
  // Elements or nodes changed since the section was read or written.
  bool FModified = false;
  // SetRegionSize rounds the region's origin to the view's grid step.
  bool FSnapOrigin = false;
  std::uint8_t FUnit = luMetre;
  // Left = minimum X, Top = minimum Y, Right = maximum X, Bottom = maximum Y (inclusive).
  TRect FRegion;
  std::int32_t FRegionWidth = 50000;
  std::int32_t FRegionHeight = 20000;
  // Denominator N of the drawing scale 1:N; 0 until a view sets it (reading keeps the stored one).
  std::int32_t FScale = 0;
  // Dimensions changed since the section was read or written.
  bool FSizesModified = false;

  // Centres a region of w x h on the contents (the origin for an empty section); with
  // FSnapOrigin the origin is rounded to gridStep (the view's FGridStep) when it is positive.
  void SetRegionSize(std::int32_t w, std::int32_t h, std::int32_t gridStep = 0);
  void SetModified(bool value) { FModified = value; }
  // Bounds of every node and every dimension text point; Right < Left when empty.
  TRect GetBounds() const;
  std::string UnitName() const;
  double LengthToInches(double v) const;
  // Sets the scale and lets the view recompute its mapping (OnScaleChanged).
  void SetScale(std::int32_t n);
  // A length in model units as text in the section's unit, rounded to 50 model units,
  // shortest form, without the unit name: 12345 gives "12.35" (with separator ".").
  std::string LengthToStr(std::int32_t v, std::string_view separator = ".") const;

  // Called by SetScale; the section view installs it to recompute its mapping.
  static inline std::function<void(TConstParametrs&)> OnScaleChanged;
};

// A hall section: nodes, elements, dimensions, markers and drawing parameters.
class TConstruction {
public:
  TConstruction();
  // Clears the section; if it is the current section, there is none afterwards.
  ~TConstruction();
  TConstruction(const TConstruction&) = delete;
  TConstruction& operator=(const TConstruction&) = delete;

  std::string FName;
  TNodeList FNodes{this};
  TElementList FElements{this};
  TSizeList FSizes{this};
  TConstParametrs FParametrs{this};
  // Linear dimensions get arrowheads at both ends; the dimension mode turns it off.
  bool FDoubleArrows = true;
  // Set by the reflection calculation; not stored.
  bool FReflectorsLargeEnough = false;
  TMarkers FMarkers;
  // Unique for the run; lets an undo entry tell which section it was recorded in.
  const std::uint64_t FSerial;

  // Dimensions, then elements (with their nodes and markers), then nodes left over.
  // Name and parameters stay.
  void Clear();
  // Version byte into FormatVersion, then the body; also empties the undo history.
  void ReadRecord(TBinaryReader& r);
  // Fields after the version byte. Versions 6 and earlier have no sound index, 7 and
  // earlier no markers; above 9 reads as 9. A hostile record fails with EReadError.
  void ReadBody(TBinaryReader& r, int version);
  void WriteRecord(TBinaryWriter& w);
  // The current format; the section is current while it is written. Clears both flags.
  void WriteBody(TBinaryWriter& w);
  // Clears the SetValue marks of every node and holds the second node of every linear
  // dimension in the axes its dimension measures.
  void PrepareNodeMarks();

  // Both a spectator line and a sound source exist; defined in graphic/reflections.cpp.
  bool CanCalculate() const;
  // PaintField of every calculated spectator line; defined in graphic/reflections.cpp.
  void PaintFields(TViewBase& view);
};

// The section being edited, painted, read or written; none when null.
extern TConstruction* CurrentConstruction;
// Format version of the section record being read.
extern int FormatVersion;
constexpr int CurrentFormatVersion = 9;

// Makes section current for the lifetime of the guard, then restores the previous one.
class TCurrentConstructionGuard {
public:
  explicit TCurrentConstructionGuard(TConstruction* section) : FPrevious(CurrentConstruction)
  {
    CurrentConstruction = section;
  }
  ~TCurrentConstructionGuard() { CurrentConstruction = FPrevious; }
  TCurrentConstructionGuard(const TCurrentConstructionGuard&) = delete;
  TCurrentConstructionGuard& operator=(const TCurrentConstructionGuard&) = delete;

private:
  TConstruction* FPrevious;
};

// The project's sections, in order; owns them.
class TConstructionList : public TSectionListBase {
public:
  TConstructionList() = default;
  ~TConstructionList() override { DeleteAll(); }

  int Count() const override { return static_cast<int>(FItems.size()); }
  TConstruction* operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)).get(); }
  int IndexOf(const TConstruction* section) const;
  void Clear() override { DeleteAll(); }
  void SaveToStream(TBinaryWriter& w) const override { WriteToStream(w); }
  void LoadFromStream(TBinaryReader& r) override { ReadFromStream(r); }

  // Creates a section with that name, makes it current and appends it.
  TConstruction* AddSection(const std::string& name);
  void DeleteSection(int index);
  void DeleteAll();
  // The first section becomes current; with none, adds "БезНазвания".
  void EnsureSection();
  // Replaces the list with the record's sections (each current while it is read).
  void ReadFromStream(TBinaryReader& r);
  // Count and every section record; the current section is the same afterwards.
  void WriteToStream(TBinaryWriter& w) const;

private:
  std::vector<std::unique_ptr<TConstruction>> FItems;
};

// Makes every project record created afterwards own a TConstructionList.
void useGraphicSections();

} // namespace sonvela
