// The editor's undo history: entries that take back one editing step on the current section.
#pragma once
#include "core/binary.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace sonvela {

// One editing step to take back. Entries refer to objects by their positions in the lists
// of the section that was current when they were recorded, and act on the current section.
// An entry taken back while another section is current is refused with an error, since the
// positions would name unrelated objects there.
class TUndoElem {
public:
  TUndoElem();
  virtual ~TUndoElem() = default;
  TUndoElem(const TUndoElem&) = delete;
  TUndoElem& operator=(const TUndoElem&) = delete;

  // Takes back the step on the current section.
  void Undo();

protected:
  virtual void DoUndo() = 0;

private:
  std::uint64_t FSection;
};

// An entry that keeps a record in memory.
class TStreamUndo : public TUndoElem {
protected:
  Bytes FStream;
};

// The whole body of the current section, restored as a whole.
class TUndoAll : public TStreamUndo {
public:
  TUndoAll();

protected:
  void DoUndo() override;
};

// A just-added element at position FIndex; taking it back deletes the element.
class TUndoInputElem : public TUndoElem {
public:
  explicit TUndoInputElem(std::int32_t index) : FIndex(index) {}
  std::int32_t FIndex;

protected:
  void DoUndo() override;
};

// A just-added dimension at position FIndex; taking it back deletes the dimension.
class TUndoInputSize : public TUndoElem {
public:
  explicit TUndoInputSize(std::int32_t index) : FIndex(index) {}
  std::int32_t FIndex;

protected:
  void DoUndo() override;
};

// The record of the dimension at FIndex before it is dragged.
class TUndoSizePosition : public TStreamUndo {
public:
  explicit TUndoSizePosition(std::int32_t index);
  std::int32_t FIndex;

protected:
  void DoUndo() override;

private:
  std::uint8_t FKind;
};

// The position (and owner) of the node at FNodeIndex before it is moved.
class TUndoNodePosition : public TUndoElem {
public:
  explicit TUndoNodePosition(std::int32_t nodeIndex);
  std::int32_t FNodeIndex;
  std::int32_t FX;
  std::int32_t FY;
  std::int32_t FOwnerIndex;

protected:
  void DoUndo() override;
};

// A bounded stack of entries, the oldest first; owns them.
class TUndoList {
public:
  static constexpr int MaxEntries = 50;

  // Appends the entry, dropping the oldest when the list is full.
  void Add(std::unique_ptr<TUndoElem> entry);
  // Takes back the newest entry and destroys it; nothing when empty. The entry leaves the
  // list even when taking it back fails.
  void Undo();
  bool IsEmpty() const { return FItems.empty(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<TUndoElem>> FItems;
};

// The one history of the program run.
TUndoList& undoHistory();

} // namespace sonvela
