// libFuzzer entry point: the materials base file reader on arbitrary bytes.
// fuzz-seeds: tests/core/fixtures/*.dat resources/*.dat
#include "core/errors.h"
#include "core/materials.h"

#include <cstddef>
#include <cstdint>

namespace {

// Item 0 is the category root, and every parent chain ends.
void checkTree(sonvela::TAlphaList& list)
{
  if (!list.Root() || list.Root()->FParent) __builtin_trap();
  for (int i = 0; i < list.Count(); ++i) {
    int steps = 0;
    for (const sonvela::TMaterial* p = list.Items(i); p; p = p->FParent)
      if (++steps > list.Count()) __builtin_trap();
    list.Items(i)->ComposeFullName();
  }
  list.RefreshHasChildren();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  using namespace sonvela;
  TMaterialBase base;
  bool ok = true;
  try {
    base.LoadFromBytes(std::span(data, size));
  } catch (const EError&) {
    ok = false;
  }
  checkTree(base.FSurfaceMaterials);
  checkTree(base.FPieceAbsorbers);
  if (!ok) return 0;
  // A base that was read writes a file that reads back with the same items.
  TMaterialBase again;
  again.LoadFromBytes(base.SaveToBytes());
  if (again.FSurfaceMaterials.Count() != base.FSurfaceMaterials.Count() ||
      again.FPieceAbsorbers.Count() != base.FPieceAbsorbers.Count())
    __builtin_trap();
  return 0;
}
