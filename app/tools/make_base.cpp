// Builds base.dat from the readable materials table, and optionally the example project on it.
// Usage: sonvela-makebase TABLE.tsv BASE.dat [EXAMPLE.snv]
#include "app/starter_base.h"
#include "core/binary.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/room.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
  using namespace sonvela;
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: sonvela-makebase TABLE.tsv BASE.dat [EXAMPLE.snv]\n");
    return 2;
  }
  try {
    const Bytes table = readFileBytes(argv[1]);
    TMaterialBase base(argv[2]);
    buildStarterBase(std::string(table.begin(), table.end()), base);
    base.Save();
    if (argc == 4) {
      auto room = buildExampleHall(base);
      saveProject(*room, argv[3]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sonvela-makebase: %s\n", e.what());
    return 1;
  }
  return 0;
}
