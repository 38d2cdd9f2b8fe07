// The editor's undo history.
#include "graphic/undo.h"

#include "core/errors.h"
#include "graphic/construction.h"
#include "graphic/strings.h"

#include <string>

namespace sonvela {

namespace {

TConstruction& current()
{
  SONVELA_ASSERT(CurrentConstruction != nullptr);
  return *CurrentConstruction;
}

void checkIndex(std::int32_t index, int count)
{
  if (index < 0 || index >= count) throw EError(strings::ErrListIndex + std::to_string(index));
}

} // namespace

TUndoElem::TUndoElem() : FSection(current().FSerial) {}

void TUndoElem::Undo()
{
  if (current().FSerial != FSection) throw EError(strings::ErrUndoOtherSection);
  DoUndo();
}

TUndoAll::TUndoAll()
{
  TBinaryWriter w;
  current().WriteBody(w);
  FStream = std::move(w.Data());
}

void TUndoAll::DoUndo()
{
  // The scale belongs to the view showing the section, not to the step taken back.
  TConstruction& c = current();
  const std::int32_t scale = c.FParametrs.FScale;
  TBinaryReader r(FStream);
  c.ReadBody(r, CurrentFormatVersion);
  c.FParametrs.FScale = scale;
}

void TUndoInputElem::DoUndo()
{
  current().FElements.Delete(FIndex);
}

void TUndoInputSize::DoUndo()
{
  current().FSizes.Delete(FIndex);
}

TUndoSizePosition::TUndoSizePosition(std::int32_t index) : FIndex(index)
{
  const TSizeList& sizes = current().FSizes;
  checkIndex(index, sizes.Count());
  FKind = sizes[index]->GetKind();
  TBinaryWriter w;
  sizes[index]->SaveToStream(w);
  FStream = std::move(w.Data());
}

void TUndoSizePosition::DoUndo()
{
  const TSizeList& sizes = current().FSizes;
  checkIndex(FIndex, sizes.Count());
  TSize* size = sizes[FIndex];
  if (size->GetKind() != FKind) throw EError(strings::ErrListIndex + std::to_string(FIndex));
  TBinaryReader r(FStream);
  size->LoadFromStream(r);
}

TUndoNodePosition::TUndoNodePosition(std::int32_t nodeIndex) : FNodeIndex(nodeIndex)
{
  TConstruction& c = current();
  checkIndex(nodeIndex, c.FNodes.Count());
  const TNode* node = c.FNodes[nodeIndex];
  FX = node->FPoint.X;
  FY = node->FPoint.Y;
  FOwnerIndex = c.FElements.IndexOf(node->FOwner);
}

void TUndoNodePosition::DoUndo()
{
  TConstruction& c = current();
  checkIndex(FNodeIndex, c.FNodes.Count());
  checkIndex(FOwnerIndex, c.FElements.Count());
  TNode* node = c.FNodes[FNodeIndex];
  // A node's owner never changes; an entry naming another owner belongs to other objects.
  if (node->FOwner != c.FElements[FOwnerIndex]) throw EError(strings::ErrListIndex + std::to_string(FOwnerIndex));
  node->FPoint = {FX, FY};
}

void TUndoList::Add(std::unique_ptr<TUndoElem> entry)
{
  if (static_cast<int>(FItems.size()) >= MaxEntries) FItems.erase(FItems.begin());
  FItems.push_back(std::move(entry));
}

void TUndoList::Undo()
{
  if (FItems.empty()) return;
  std::unique_ptr<TUndoElem> entry = std::move(FItems.back());
  FItems.pop_back();
  entry->Undo();
}

TUndoList& undoHistory()
{
  static TUndoList history;
  return history;
}

} // namespace sonvela
