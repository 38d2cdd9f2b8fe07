// Control markers: list operations and their record inside the section record.
#include "graphic/markers.h"

#include "core/cp1251.h"
#include "graphic/construction.h"
#include "graphic/geometry.h"
#include "graphic/strings.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace sonvela {

void TMarker::ReadFromStream(TBinaryReader& r, const TElementList& elements)
{
  const std::int32_t x = r.ReadInt32();
  const std::int32_t y = r.ReadInt32();
  const std::size_t textAt = r.Offset();
  const std::uint8_t length = r.ReadByte();
  const auto chars = r.ReadBytes(MarkerTextMax);
  if (length > MarkerTextMax) r.FailAt(strings::ErrMarkerText + std::to_string(length), textAt);
  const std::size_t lineAt = r.Offset();
  const std::int32_t line = r.ReadInt32();
  if (line < 0 || line >= elements.Count()) r.FailAt(strings::ErrElementIndex + std::to_string(line), lineAt);
  auto* spectators = dynamic_cast<TSpectatorLine*>(elements[line]);
  if (!spectators) r.FailAt(strings::ErrNotSpectatorLine + std::to_string(line), lineAt);
  const std::size_t indexAt = r.Offset();
  const std::int32_t index = r.ReadInt32();
  // Points 0..199 carry results; -1 marks a marker bound to no point.
  if (index < -1 || index >= SpectatorPointCount - 1)
    r.FailAt(strings::ErrMarkerIndex + std::to_string(index), indexAt);
  FPos = {x, y};
  FText = fromCp1251(std::string_view(reinterpret_cast<const char*>(chars.data()), length));
  FLine = spectators;
  FIndex = index;
}

void TMarker::WriteToStream(TBinaryWriter& w, const TElementList& elements) const
{
  w.WriteInt32(FPos.X);
  w.WriteInt32(FPos.Y);
  std::string text = toCp1251(FText);
  if (text.size() > MarkerTextMax) text.resize(MarkerTextMax);
  std::array<std::uint8_t, MarkerTextMax> chars{};
  std::copy(text.begin(), text.end(), chars.begin());
  w.WriteByte(static_cast<std::uint8_t>(text.size()));
  w.WriteBytes(chars);
  w.WriteInt32(elements.IndexOf(FLine));
  w.WriteInt32(FIndex);
}

void TMarkers::Add(TMarker* marker)
{
  FItems.push_back(marker);
}

bool TMarkers::Delete(TMarker* marker)
{
  const auto it = std::find(FItems.begin(), FItems.end(), marker);
  if (it == FItems.end()) return false;
  FItems.erase(it);
  delete marker;
  return true;
}

void TMarkers::DeleteForLine(const TSpectatorLine* line)
{
  std::vector<TMarker*> doomed;
  std::erase_if(FItems, [&](TMarker* m) {
    if (m->FLine != line) return false;
    doomed.push_back(m);
    return true;
  });
  for (TMarker* m : doomed) delete m;
}

void TMarkers::Clear()
{
  std::vector<TMarker*> items;
  items.swap(FItems);
  for (TMarker* m : items) delete m;
}

TMarker* TMarkers::MarkerNearest(TPoint p) const
{
  TMarker* best = nullptr;
  double bestDistance = 0;
  for (TMarker* m : FItems) {
    const double d = Distance(m->FPos, p);
    if (!best || d < bestDistance) {
      best = m;
      bestDistance = d;
    }
  }
  return best;
}

void TMarkers::ReadFromStream(TBinaryReader& r, const TElementList& elements)
{
  const std::size_t count = r.CheckCount(r.ReadInt32(), MarkerRecordSize, strings::WhatMarkers);
  for (std::size_t i = 0; i < count; ++i) {
    auto marker = std::make_unique<TMarker>();
    marker->ReadFromStream(r, elements);
    FItems.push_back(marker.release());
  }
}

void TMarkers::WriteToStream(TBinaryWriter& w, const TElementList& elements) const
{
  w.WriteInt32(Count());
  for (const TMarker* m : FItems) m->WriteToStream(w, elements);
}

} // namespace sonvela
