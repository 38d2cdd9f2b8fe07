// Hall sections: lists, drawing parameters, the section record and the list of sections.
#include "graphic/construction.h"

#include "core/errors.h"
#include "core/numeric.h"
#include "graphic/geometry.h"
#include "graphic/strings.h"
#include "graphic/undo.h"
#include "graphic/view_base.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>

namespace sonvela {

TConstruction* CurrentConstruction = nullptr;
int FormatVersion = CurrentFormatVersion;

namespace {

// Position of item in v, using and refreshing the item's remembered position.
template <class T>
int indexWithHint(const std::vector<T*>& v, const T* item)
{
  if (!item) return -1;
  const int hint = item->FListHint;
  if (hint >= 0 && hint < static_cast<int>(v.size()) && v[static_cast<std::size_t>(hint)] == item) return hint;
  const auto it = std::find(v.begin(), v.end(), item);
  if (it == v.end()) return -1;
  item->FListHint = static_cast<int>(it - v.begin());
  return item->FListHint;
}

template <class T>
void renumber(const std::vector<T*>& v)
{
  for (std::size_t i = 0; i < v.size(); ++i) v[i]->FListHint = static_cast<int>(i);
}

template <class T>
T* extractAt(std::vector<T*>& v, int index)
{
  if (index < 0 || index >= static_cast<int>(v.size()))
    throw EError(strings::ErrListIndex + std::to_string(index));
  T* item = v[static_cast<std::size_t>(index)];
  v.erase(v.begin() + index);
  return item;
}

// Smallest record of each counted item, for the count checks before allocation.
constexpr std::size_t MinNodeRecord = 8 + 4;       // position, then its owner entry
constexpr std::size_t MinElementRecord = 1 + 4;    // tag and one integer
constexpr std::size_t MinSizeRecord = 1 + 4 * 4 + 1;
constexpr std::size_t MinSectionRecord = 1 + 4 + 1 + 16 + 4 * 3 + 4 * 3;

std::atomic<std::uint64_t> gSectionSerial{0};

} // namespace

// ---- TNodeList ----

TNodeList::~TNodeList()
{
  // The section clears its lists before it goes; never throw from here.
  for (TNode* n : FItems) delete n;
}

int TNodeList::IndexOf(const TNode* node) const
{
  return indexWithHint(FItems, node);
}

void TNodeList::Add(TNode* node)
{
  node->FListHint = static_cast<int>(FItems.size());
  FItems.push_back(node);
}

bool TNodeList::Remove(TNode* node)
{
  const int i = IndexOf(node);
  if (i < 0) return false;
  FItems.erase(FItems.begin() + i);
  return true;
}

void TNodeList::Clear()
{
  while (!FItems.empty()) {
    TNode* node = FItems.back();
    FItems.pop_back();
    if (FConstruction) FConstruction->FSizes.DeleteUsing(node);
    delete node;
  }
}

TNode* TNodeList::NodeNearest(TPoint p, const TPickFilter<TNode>& filter) const
{
  TNode* best = nullptr;
  double bestDistance = 0;
  for (TNode* n : FItems) {
    if (filter && !filter(n)) continue;
    const double d = Distance(n->FPoint, p);
    if (!best || d < bestDistance) {
      best = n;
      bestDistance = d;
    }
  }
  return best;
}

// ---- TElementList ----

int TElementList::IndexOf(const TElement* element) const
{
  return indexWithHint(FItems, static_cast<const TElement*>(element));
}

void TElementList::Add(TElement* element)
{
  element->FConstruction = FConstruction;
  element->FListHint = static_cast<int>(FItems.size());
  FItems.push_back(element);
}

TElement* TElementList::Extract(int index)
{
  return extractAt(FItems, index);
}

void TElementList::Delete(int index)
{
  delete Extract(index);
}

void TElementList::Clear()
{
  // Taken out first, so no destructor sees a list holding destroyed elements.
  std::vector<TElement*> items;
  items.swap(FItems);
  for (TElement* e : items) delete e;
  FSound = nullptr;
}

void TElementList::DrawAll(TViewBase& view)
{
  for (TElement* e : FItems)
    if (dynamic_cast<TPlaneElement*>(e)) e->Draw(view);
  for (TElement* e : FItems)
    if (dynamic_cast<TPointElement*>(e)) e->Draw(view);
}

TElement* TElementList::ElementNearest(TPoint p, const TPickFilter<TElement>& filter) const
{
  // Elements that are not correct are neither painted nor measurable, so never picked.
  auto accepted = [&](const TElement* e) { return e->IsCorrect() && (!filter || filter(e)); };
  TElement* candidate = nullptr;
  double best = 1e20;
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    auto* plane = dynamic_cast<TPlaneElement*>(*it);
    if (plane && accepted(plane) && plane->Contains(p)) {
      candidate = plane;
      best = plane->DistanceTo(p);
      break;
    }
  }
  for (TElement* e : FItems) {
    if (!(dynamic_cast<TPointElement*>(e) || dynamic_cast<TPolyLine*>(e)) || !accepted(e)) continue;
    const double d = e->DistanceTo(p);
    if (!candidate || d < best) {
      candidate = e;
      best = d;
    }
  }
  return candidate;
}

TSpectatorLine* TElementList::SpectatorLineNearest(TPoint p) const
{
  TSpectatorLine* best = nullptr;
  double bestDistance = 0;
  for (TElement* e : FItems) {
    auto* line = dynamic_cast<TSpectatorLine*>(e);
    if (!line || !line->IsCorrect()) continue;
    const double d = line->DistanceTo(p);
    if (!best || d < bestDistance) {
      best = line;
      bestDistance = d;
    }
  }
  return best;
}

// ---- TSizeList ----

int TSizeList::IndexOf(const TSize* size) const
{
  return indexWithHint(FItems, size);
}

void TSizeList::Add(TSize* size)
{
  size->FConstruction = FConstruction;
  size->FListHint = static_cast<int>(FItems.size());
  FItems.push_back(size);
}

TSize* TSizeList::Extract(int index)
{
  return extractAt(FItems, index);
}

void TSizeList::Delete(int index)
{
  delete Extract(index);
}

void TSizeList::DeleteUsing(const TNode* node)
{
  std::vector<TSize*> doomed;
  std::erase_if(FItems, [&](TSize* s) {
    if (!s->UsesNode(node)) return false;
    doomed.push_back(s);
    return true;
  });
  for (TSize* s : doomed) delete s;
}

void TSizeList::Clear()
{
  std::vector<TSize*> items;
  items.swap(FItems);
  for (TSize* s : items) delete s;
}

void TSizeList::DrawAll(TViewBase& view)
{
  for (TSize* s : FItems) s->DrawNormal(view);
}

TSize* TSizeList::SizeNearest(TPoint p, const TPickFilter<TSize>& filter) const
{
  TSize* best = nullptr;
  double bestDistance = 0;
  for (TSize* s : FItems) {
    if (!s->IsCorrect() || (filter && !filter(s))) continue;
    const double d = s->DistanceTo(p);
    if (!best || d < bestDistance) {
      best = s;
      bestDistance = d;
    }
  }
  return best;
}

// ---- TConstParametrs ----

std::string lengthToStr(std::int32_t v, std::string_view separator)
{
  const std::int64_t rounded = std::int64_t(roundToInt(v / 50.0)) * 50;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", static_cast<double>(rounded) / 1000);
  std::string text(buf);
  if (const auto dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, separator);
  return text;
}

TConstParametrs::TConstParametrs(TConstruction* owner) : FOwner(owner)
{
  SetRegionSize(50000, 20000);
  SetModified(false);
  FSizesModified = false;
}

TRect TConstParametrs::GetBounds() const
{
  TRect b{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  auto include = [&b](TPoint p) {
    b.Left = std::min(b.Left, p.X);
    b.Top = std::min(b.Top, p.Y);
    b.Right = std::max(b.Right, p.X);
    b.Bottom = std::max(b.Bottom, p.Y);
  };
  if (!FOwner) return b;
  for (const TNode* n : FOwner->FNodes.Items()) include(n->FPoint);
  for (const TSize* s : FOwner->FSizes.Items())
    if (s->IsCorrect()) include(s->GetTextPoint());
  return b;
}

void TConstParametrs::SetRegionSize(std::int32_t w, std::int32_t h, std::int32_t gridStep)
{
  FRegionWidth = w;
  FRegionHeight = h;
  const TRect b = GetBounds();
  auto origin = [&](std::int32_t lo, std::int32_t hi, std::int32_t size) -> std::int32_t {
    std::int32_t v = hi >= lo ? checkedSub(lo / 2 + hi / 2, size / 2) : 0;
    if (FSnapOrigin && gridStep > 0) {
      const std::int64_t snapped = std::int64_t(roundToInt(double(v) / gridStep)) * gridStep;
      if (snapped < INT32_MIN || snapped > INT32_MAX) throw ERangeError("Range check error");
      v = static_cast<std::int32_t>(snapped);
    }
    return v;
  };
  FRegion.Left = origin(b.Left, b.Right, w);
  FRegion.Right = checkedSub(checkedAdd(FRegion.Left, w), 1);
  FRegion.Top = origin(b.Top, b.Bottom, h);
  FRegion.Bottom = checkedSub(checkedAdd(FRegion.Top, h), 1);
  SetModified(true);
}

std::string TConstParametrs::UnitName() const
{
  return FUnit < UnitCount ? strings::UnitNames[FUnit] : "";
}

double TConstParametrs::LengthToInches(double v) const
{
  switch (FUnit) {
  case luMillimetre: return v / 1000 / 2.54 / 10;
  case luCentimetre: return v / 1000 / 2.54;
  case luMetre: return v / 1000 / 2.54 * 100;
  default: return v / 1000;
  }
}

void TConstParametrs::SetScale(std::int32_t n)
{
  FScale = n;
  if (OnScaleChanged) OnScaleChanged(*this);
}

std::string TConstParametrs::LengthToStr(std::int32_t v, std::string_view separator) const
{
  return lengthToStr(v, separator);
}

// ---- TConstruction ----

TConstruction::TConstruction() : FSerial(++gSectionSerial) {}

TConstruction::~TConstruction()
{
  Clear();
  if (CurrentConstruction == this) CurrentConstruction = nullptr;
}

void TConstruction::Clear()
{
  FSizes.Clear();
  FElements.Clear();
  FNodes.Clear();
  FMarkers.Clear();
}

void TConstruction::ReadRecord(TBinaryReader& r)
{
  undoHistory().Clear();
  FormatVersion = std::min<int>(r.ReadByte(), CurrentFormatVersion);
  ReadBody(r, FormatVersion);
}

void TConstruction::ReadBody(TBinaryReader& r, int version)
{
  Clear();
  FName = r.ReadString();
  const std::size_t unitAt = r.Offset();
  const std::uint8_t unit = r.ReadByte();
  if (unit >= UnitCount) r.FailAt(strings::ErrUnknownUnit + std::to_string(unit), unitAt);
  FParametrs.FUnit = unit;
  FParametrs.FRegion.Left = r.ReadInt32();
  FParametrs.FRegion.Top = r.ReadInt32();
  FParametrs.FRegion.Right = r.ReadInt32();
  FParametrs.FRegion.Bottom = r.ReadInt32();
  FParametrs.FRegionWidth = r.ReadInt32();
  FParametrs.FRegionHeight = r.ReadInt32();
  // The scale is kept as stored, so a project read and written again comes back byte for
  // byte; the view sets its own when it shows the section.
  FParametrs.FScale = r.ReadInt32();

  SONVELA_ASSERT(FNodes.Count() == 0);
  const std::size_t nodeCount = r.CheckCount(r.ReadInt32(), MinNodeRecord, strings::WhatNodes);
  for (std::size_t i = 0; i < nodeCount; ++i) {
    auto* node = new TNode;
    FNodes.Add(node);
    node->FPoint.X = r.ReadInt32();
    node->FPoint.Y = r.ReadInt32();
  }

  const std::size_t elementCount = r.CheckCount(r.ReadInt32(), MinElementRecord, strings::WhatElements);
  const std::size_t soundAt = r.Offset();
  const std::int32_t soundIndex = version > 6 ? r.ReadInt32() : -1;
  for (std::size_t i = 0; i < elementCount; ++i) {
    const std::size_t at = r.Offset();
    const std::uint8_t tag = r.ReadByte();
    if (!IsElementTag(tag)) r.FailAt(strings::ErrUnknownElementTag + std::to_string(tag), at);
    TElement* element = CreateElement(tag);
    FElements.Add(element);
    element->LoadFromStream(r);
  }
  if (soundIndex != -1) {
    if (soundIndex < 0 || soundIndex >= FElements.Count())
      r.FailAt(strings::ErrElementIndex + std::to_string(soundIndex), soundAt);
    auto* sound = dynamic_cast<TSound*>(FElements[soundIndex]);
    if (!sound) r.FailAt(strings::ErrNotSound + std::to_string(soundIndex), soundAt);
    FElements.FSound = sound;
  }

  // The owner table. Every node must be held by an element (which destroys it); the element
  // holding it is its owner whatever the table says.
  for (int i = 0; i < FNodes.Count(); ++i) {
    const std::size_t at = r.Offset();
    const std::int32_t owner = r.ReadInt32();
    if (owner < 0 || owner >= FElements.Count()) r.FailAt(strings::ErrElementIndex + std::to_string(owner), at);
    if (!FNodes[i]->FOwner) r.FailAt(strings::ErrNodeOrphan + std::to_string(i), at);
  }

  const std::size_t sizeCount = r.CheckCount(r.ReadInt32(), MinSizeRecord, strings::WhatSizes);
  for (std::size_t i = 0; i < sizeCount; ++i) {
    const std::size_t at = r.Offset();
    const std::uint8_t tag = r.ReadByte();
    if (!IsSizeTag(tag)) r.FailAt(strings::ErrUnknownSizeTag + std::to_string(tag), at);
    std::unique_ptr<TSize> size(CreateSize(tag));
    size->FConstruction = this;
    size->LoadFromStream(r);
    FSizes.Add(size.release());
  }

  if (version > 7) FMarkers.ReadFromStream(r, FElements);
  FParametrs.SetModified(false);
  FParametrs.FSizesModified = false;
}

void TConstruction::WriteRecord(TBinaryWriter& w)
{
  w.WriteByte(CurrentFormatVersion);
  WriteBody(w);
}

void TConstruction::WriteBody(TBinaryWriter& w)
{
  w.WriteString(FName);
  TCurrentConstructionGuard current(this);
  const TConstParametrs& p = FParametrs;
  w.WriteByte(p.FUnit);
  w.WriteInt32(p.FRegion.Left);
  w.WriteInt32(p.FRegion.Top);
  w.WriteInt32(p.FRegion.Right);
  w.WriteInt32(p.FRegion.Bottom);
  w.WriteInt32(p.FRegionWidth);
  w.WriteInt32(p.FRegionHeight);
  w.WriteInt32(p.FScale);

  renumber(FNodes.Items());
  renumber(FElements.Items());
  w.WriteInt32(FNodes.Count());
  for (const TNode* n : FNodes.Items()) {
    w.WriteInt32(n->FPoint.X);
    w.WriteInt32(n->FPoint.Y);
  }
  w.WriteInt32(FElements.Count());
  w.WriteInt32(FElements.IndexOf(FElements.FSound));
  for (const TElement* e : FElements.Items()) {
    w.WriteByte(e->GetKind());
    e->SaveToStream(w);
  }
  for (const TNode* n : FNodes.Items()) w.WriteInt32(FElements.IndexOf(n->FOwner));
  w.WriteInt32(FSizes.Count());
  for (const TSize* s : FSizes.Items()) {
    w.WriteByte(s->GetKind());
    s->SaveToStream(w);
  }
  FMarkers.WriteToStream(w, FElements);
  FParametrs.SetModified(false);
  FParametrs.FSizesModified = false;
}

void TConstruction::PrepareNodeMarks()
{
  for (TNode* n : FNodes.Items()) n->FMoved = n->FFixedX = n->FFixedY = false;
  for (TSize* s : FSizes.Items()) {
    auto* linear = dynamic_cast<TLinearSize*>(s);
    if (!linear || !linear->IsCorrect()) continue;
    const TPoint n1 = linear->FNode->FPoint, n2 = linear->FNode2->FPoint;
    switch (linear->FKind) {
    case skHorizontal: linear->FNode2->FFixedX = true; break;
    case skVertical: linear->FNode2->FFixedY = true; break;
    default:
      if (n1.X != n2.X) linear->FNode2->FFixedX = true;
      if (n1.Y != n2.Y) linear->FNode2->FFixedY = true;
      break;
    }
  }
}

// ---- TConstructionList ----

int TConstructionList::IndexOf(const TConstruction* section) const
{
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == section) return static_cast<int>(i);
  return -1;
}

TConstruction* TConstructionList::AddSection(const std::string& name)
{
  auto section = std::make_unique<TConstruction>();
  CurrentConstruction = section.get();
  section->FName = name;
  FItems.push_back(std::move(section));
  return FItems.back().get();
}

void TConstructionList::DeleteSection(int index)
{
  if (index < 0 || index >= Count()) throw EError(strings::ErrListIndex + std::to_string(index));
  FItems.erase(FItems.begin() + index);
}

void TConstructionList::DeleteAll()
{
  for (int i = Count() - 1; i >= 0; --i) DeleteSection(i);
}

void TConstructionList::EnsureSection()
{
  if (!FItems.empty())
    CurrentConstruction = FItems.front().get();
  else
    AddSection(strings::UntitledSection);
}

void TConstructionList::ReadFromStream(TBinaryReader& r)
{
  DeleteAll();
  const std::size_t count = r.CheckCount(r.ReadInt32(), MinSectionRecord, strings::WhatSections);
  for (std::size_t i = 0; i < count; ++i) {
    // Appended before it is read, so a section that fails half-way is still owned and freed.
    FItems.push_back(std::make_unique<TConstruction>());
    CurrentConstruction = FItems.back().get();
    CurrentConstruction->ReadRecord(r);
  }
}

void TConstructionList::WriteToStream(TBinaryWriter& w) const
{
  w.WriteInt32(Count());
  for (const auto& section : FItems) section->WriteRecord(w);
}

void useGraphicSections()
{
  setSectionListFactory([]() -> std::unique_ptr<TSectionListBase> { return std::make_unique<TConstructionList>(); });
}

} // namespace sonvela
