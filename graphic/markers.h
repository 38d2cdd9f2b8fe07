// Control markers of first reflections: data, list and record.
#pragma once
#include "core/binary.h"
#include "graphic/types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sonvela {

class TElementList;
class TSpectatorLine;
class TViewBase;

// A labelled flag fixed to one computed point (0..199) of a spectator line.
class TMarker {
public:
  // Follows its point: set to the rounded position of the point at every update.
  TPoint FPos;
  // The label, at most 10 characters (stored in Windows-1251).
  std::string FText;
  TColor FColor = clBlack;
  bool FInDirectZone = false;
  // Not owned; the line destroys its markers.
  TSpectatorLine* FLine = nullptr;
  std::int32_t FIndex = -1;

  bool IsBound() const { return FLine != nullptr && FIndex != -1; }

  // The 27-byte record. The line is stored as its position in elements, which must hold it.
  void ReadFromStream(TBinaryReader& r, const TElementList& elements);
  void WriteToStream(TBinaryWriter& w, const TElementList& elements) const;

  // Display; defined in graphic/marker_paint.cpp.
  // Recomputes FPos, FText, FColor, FInDirectZone from the bound point; the delay is written
  // with the given decimal separator. A line not yet calculated leaves the marker as it is.
  void Update(const std::string& separator = ".");
  // Update, then the normal look.
  void Draw(TViewBase& view);
  // The highlighted look, without Update.
  void DrawSelected(TViewBase& view);
};

constexpr std::size_t MarkerRecordSize = 27;
constexpr std::size_t MarkerTextMax = 10;

// The section's owning list of markers.
class TMarkers {
public:
  TMarkers() = default;
  ~TMarkers() { Clear(); }
  TMarkers(const TMarkers&) = delete;
  TMarkers& operator=(const TMarkers&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TMarker* operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)); }
  const std::vector<TMarker*>& Items() const { return FItems; }

  // Takes ownership.
  void Add(TMarker* marker);
  // Removes the marker from the list and destroys it; false if it is not in the list.
  bool Delete(TMarker* marker);
  // Destroys every marker that sits on line.
  void DeleteForLine(const TSpectatorLine* line);
  void Clear();
  // The marker nearest to p, the earlier on a tie, none for an empty list.
  TMarker* MarkerNearest(TPoint p) const;

  void ReadFromStream(TBinaryReader& r, const TElementList& elements);
  void WriteToStream(TBinaryWriter& w, const TElementList& elements) const;

  // Draw of every marker in list order; defined in graphic/marker_paint.cpp.
  void DrawAll(TViewBase& view);

private:
  std::vector<TMarker*> FItems;
};

} // namespace sonvela
