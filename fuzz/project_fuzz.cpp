// libFuzzer entry point: the project file reader on arbitrary bytes.
// fuzz-seeds: tests/core/fixtures/*.snv resources/examples/*.snv
#include "core/errors.h"
#include "core/materials.h"
#include "core/project.h"
#include "graphic/construction.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  using namespace sonvela;
  static const bool sections = (useGraphicSections(), true);  // sections of the drawing model
  (void)sections;
  TMaterialBase base;
  std::unique_ptr<TRoom> room;
  try {
    room = loadProjectFromBytes(std::span(data, size), base);
  } catch (const EError&) {
    // Refused with a message; the base must still have its category roots.
    if (!base.FSurfaceMaterials.Root() || !base.FPieceAbsorbers.Root()) __builtin_trap();
    return 0;
  }
  // Whatever was read writes a record that reads back to the same record.
  const Bytes first = saveProjectToBytes(*room);
  TMaterialBase base2;
  auto again = loadProjectFromBytes(first, base2);
  if (saveProjectToBytes(*again) != first) __builtin_trap();
  room->Calculate();
  room->CalcAverageAlpha();
  return 0;
}
