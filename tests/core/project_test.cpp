// The project file: its layout, round trips, and failed reads and writes.
#include "core/project.h"

#include "core/errors.h"
#include "core/materials.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

using namespace sonvela;
namespace fs = std::filesystem;

namespace {

void appendDouble(Bytes& b, double v)
{
  std::uint8_t x[8];
  std::memcpy(x, &v, 8);
  b.insert(b.end(), x, x + 8);
}

// A project with two entries; the second names material 77, which a fresh base lacks.
std::unique_ptr<TRoom> sampleProject()
{
  auto room = std::make_unique<TRoom>();
  room->FName = "Зал";
  room->FHallType = 3;
  room->FVolume = 2500.25;
  room->FSeats = 321;
  room->FAlpha = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
  for (std::int64_t id : {0, 77}) {
    auto e = std::make_unique<TPovPoglot>();
    e->FName = "Entry " + std::to_string(id);
    e->FMaterialName = "Бархат";
    e->FMaterialId = id;
    e->FAmount = 10;
    e->FCoef.fill(id == 0 ? 0.0 : 0.25);
    room->FSurfaces->Add(std::move(e));
  }
  return room;
}

fs::path tempDir()
{
  const fs::path d = fs::temp_directory_path() / ("sonvela_project_" + std::to_string(::getpid()));
  fs::create_directories(d);
  return d;
}

} // namespace

TEST(ProjectFile, NewProjectIs97Bytes)
{
  TRoom room;
  room.FSaved = false;
  const Bytes b = saveProjectToBytes(room);
  Bytes expected = {0, 0, 0, 0, 6};
  for (double d : {1000.0, 20.0, 100.0}) appendDouble(expected, d);
  expected.insert(expected.end(), {0x2C, 0x01, 0, 0});  // 300
  appendDouble(expected, 4200);
  for (int i = 0; i < 6; ++i) appendDouble(expected, 0.5);
  expected.insert(expected.end(), 8, 0);  // no sections, no surfaces
  EXPECT_EQ(b.size(), 97u);
  EXPECT_EQ(b, expected);
  EXPECT_TRUE(room.FSaved);
}

TEST(ProjectFile, CyrillicNameIsStoredIn1251)
{
  TRoom room;
  room.FName = "Зал";
  const Bytes b = saveProjectToBytes(room);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 7), (Bytes{3, 0, 0, 0, 0xC7, 0xE0, 0xEB}));
  EXPECT_EQ(b.size(), 100u);
}

TEST(ProjectFile, SaveAndLoadRoundTrip)
{
  const fs::path dir = tempDir();
  const fs::path file = dir / "hall.snv";
  auto room = sampleProject();
  room->FSaved = false;
  saveProject(*room, file);
  EXPECT_TRUE(room->FSaved);
  EXPECT_TRUE(room->FFileName.empty());  // the caller names the project

  TMaterialBase base;
  auto back = loadProject(file, base);
  EXPECT_EQ(back->FFileName, file.string());
  EXPECT_TRUE(back->FSaved);
  EXPECT_EQ(back->FName, "Зал");
  EXPECT_EQ(back->FHallType, 3);
  EXPECT_EQ(back->FVolume, 2500.25);
  EXPECT_EQ(back->FSeats, 321);
  EXPECT_EQ(back->FAlpha, room->FAlpha);
  ASSERT_EQ(back->FSurfaces->Count(), 2);
  EXPECT_EQ(back->FSurfaces->Items(0)->Material(), base.FSurfaceMaterials.Root());  // id 0, zero values
  EXPECT_EQ(back->FSurfaces->Items(1)->Material(), base.FSurfaceMaterials.Items(1));
  EXPECT_EQ(saveProjectToBytes(*back), readFileBytes(file));

  // Reading again adds a second copy: the stored id 77 is still unknown to the base.
  loadProject(file, base);
  EXPECT_EQ(base.FSurfaceMaterials.Count(), 3);
  fs::remove_all(dir);
}

// fixtures/hall.snv and fixtures/base.dat were written byte by byte from the layouts: the
// hall "Зал" (type 3, V 2500, L 15, S_П 150, N 400, S_огр 1000, α 0.3), the wall surface
// "Стены" (material id 5, 200 m², 0.1 … 0.6) and two chairs "Кресла" (piece id 3, 0.3 m²).
TEST(ProjectFile, HandBuiltFixtureReadsAndResavesIdentically)
{
  const fs::path dir = fs::path(SONVELA_TEST_DIR) / "fixtures";
  TMaterialBase base(dir / "base.dat");
  base.Load();
  ASSERT_EQ(base.FPieceAbsorbers.Count(), 2);
  auto room = loadProject(dir / "hall.snv", base);
  EXPECT_EQ(room->FName, "Зал");
  EXPECT_EQ(room->FHallType, 3);
  EXPECT_EQ(room->FVolume, 2500);
  EXPECT_EQ(room->FLength, 15);
  EXPECT_EQ(room->FFloorArea, 150);
  EXPECT_EQ(room->FSeats, 400);
  EXPECT_EQ(room->FEnclosingArea, 1000);
  EXPECT_EQ(room->FAlpha[5], 0.3);
  ASSERT_EQ(room->FSurfaces->Count(), 2);
  const TPovPoglot* walls = room->FSurfaces->Items(0);
  const TPovPoglot* chairs = room->FSurfaces->Items(1);
  EXPECT_EQ(walls->FName, "Стены");
  EXPECT_EQ(walls->FMaterialFullName, "Штукатурка полн");
  EXPECT_TRUE(walls->FIsSurface);
  EXPECT_FALSE(chairs->FIsSurface);
  EXPECT_EQ(chairs->Material(), base.FPieceAbsorbers.Items(1));  // id 3 with the same values
  ASSERT_EQ(base.FSurfaceMaterials.Count(), 5);                  // id 5 was missing: added
  EXPECT_EQ(walls->Material(), base.FSurfaceMaterials.Items(4));
  EXPECT_EQ(base.FSurfaceMaterials.Items(4)->FId, 14);  // the counter after loading 4 items
  EXPECT_EQ(walls->FMaterialId, 5);
  EXPECT_EQ(saveProjectToBytes(*room), readFileBytes(dir / "hall.snv"));
  room->CalcAverageAlpha();
  EXPECT_NEAR(room->FAlpha[0], 0.0206, 1e-15);
}

TEST(ProjectFile, TrailingBytesAreIgnored)
{
  TMaterialBase base;
  Bytes b = saveProjectToBytes(*sampleProject());
  b.push_back(0xAB);
  EXPECT_EQ(loadProjectFromBytes(b, base)->FSurfaces->Count(), 2);
}

TEST(ProjectFile, EveryTruncationFailsWithAnOffsetAndChangesNothing)
{
  const Bytes file = saveProjectToBytes(*sampleProject());
  for (std::size_t len = 0; len < file.size(); ++len) {
    SCOPED_TRACE(len);
    TMaterialBase base;
    try {
      loadProjectFromBytes(std::span(file.data(), len), base);
      ADD_FAILURE() << "read a truncated file";
    } catch (const EReadError& e) {
      EXPECT_LE(e.offset(), len);
    }
    EXPECT_EQ(base.FSurfaceMaterials.Count(), 1);  // no material was added
  }
}

TEST(ProjectFile, HostileCountsFailAtTheirOffset)
{
  const std::size_t sections = 4 + 1 + 24 + 4 + 8 + 48;
  struct Case { const char* what; std::size_t at; std::int32_t value; std::size_t offset; };
  const Case cases[] = {
    {"name longer than the file", 0, 0x7fffffff, 0},
    {"sections without a drawing model", sections, 1, sections},
    {"surface count beyond the bytes", sections + 4, 0x10000000, sections + 4},
    {"negative surface count", sections + 4, -3, sections + 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TRoom room;
    Bytes b = saveProjectToBytes(room);
    std::memcpy(b.data() + c.at, &c.value, 4);
    TMaterialBase base;
    try {
      loadProjectFromBytes(b, base);
      ADD_FAILURE() << "accepted";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
  }
}

TEST(ProjectFile, FailedSaveIsReportedAndKeepsTheUnsavedMark)
{
  const fs::path dir = tempDir();
  const fs::path blocker = dir / "taken.snv";
  fs::create_directories(blocker / "inside");  // a folder where the file should go
  TRoom room;
  room.FSaved = false;
  EXPECT_THROW(saveProject(room, blocker), EWriteError);
  EXPECT_FALSE(room.FSaved);
  EXPECT_TRUE(fs::is_directory(blocker / "inside"));
  EXPECT_THROW(saveProject(room, dir / "missing" / "a.snv"), EWriteError);
  EXPECT_THROW(loadProject(dir / "missing.snv", *std::make_unique<TMaterialBase>()), EReadError);
  fs::remove_all(dir);
}
