// Start-up: paths, the materials base lifecycle, the starter base and the example project.
#include "app/startup.h"
#include "app/starter_base.h"
#include "core/binary.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/room.h"
#include "core/surfaces.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <set>

using namespace sonvela;

namespace {

std::string sourceFile(const char* relative)
{
  const Bytes bytes = readFileBytes(std::string(SONVELA_SOURCE_DIR) + "/" + relative);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Startup, PathsAndTheCoefficientMaskFollowTheApplicationFolderAndLocale)
{
  SetupPaths("/opt/sonvela/");
  EXPECT_EQ(AppPaths().AppDir, "/opt/sonvela/");
  EXPECT_EQ(AppPaths().BaseFile, "/opt/sonvela/base.dat");
  EXPECT_EQ(AppPaths().CoefMask, "0,000;_");
}

TEST(Startup, AnUnreadableBaseIsToldOnceAndKeptAsBakBeforeItIsOverwritten)
{
  QTemporaryDir dir;
  const QString file = dir.path() + "/base.dat";
  {
    TMaterialBase missing(file.toStdU16String());
    EXPECT_TRUE(LoadMaterialBase(missing).isEmpty()); // a missing base is no error
  }
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray("\x05\0\0\0\x01\0\0\0", 8)); // five items announced, the file ends
  f.close();

  TMaterialBase base(file.toStdU16String());
  const QString told = LoadMaterialBase(base);
  EXPECT_TRUE(told.contains(QDir::toNativeSeparators(file)));
  EXPECT_TRUE(told.contains("base.dat.bak"));
  EXPECT_EQ(base.FSurfaceMaterials.Root()->FName, "Поверхности"); // the roots are there to work on

  EXPECT_TRUE(SaveMaterialBase(base).isEmpty());
  QFile bak(file + ".bak");
  ASSERT_TRUE(bak.open(QIODevice::ReadOnly));
  EXPECT_EQ(bak.readAll(), QByteArray("\x05\0\0\0\x01\0\0\0", 8));
  TMaterialBase again(file.toStdU16String());
  EXPECT_TRUE(LoadMaterialBase(again).isEmpty());

  // A save that cannot be written is told, with the file.
  TMaterialBase nowhere((dir.path() + "/no/such/folder/base.dat").toStdU16String());
  EXPECT_TRUE(SaveMaterialBase(nowhere).contains("base.dat"));
}

class StarterBase : public ::testing::Test {
protected:
  void SetUp() override { buildStarterBase(sourceFile("resources/materials.tsv"), base); }
  // Materials with values, as opposed to the group nodes of the tree.
  static int materials(const TAlphaList& list)
  {
    int n = 0;
    for (int i = 1; i < list.Count(); ++i)
      n += list.Items(i)->FCoef != std::array<double, 6>{};
    return n;
  }
  TMaterialBase base;
};

TEST_F(StarterBase, HoldsEnoughMaterialsInATreeWithSensibleValues)
{
  EXPECT_GE(materials(base.FSurfaceMaterials), 40);
  EXPECT_GE(materials(base.FPieceAbsorbers), 10);
  for (TAlphaList* list : {&base.FSurfaceMaterials, &base.FPieceAbsorbers}) {
    std::set<std::int64_t> ids;
    for (int i = 1; i < list->Count(); ++i) {
      const TMaterial* m = list->Items(i);
      EXPECT_NE(m->FParent, nullptr) << m->FName;
      EXPECT_TRUE(ids.insert(m->FId).second) << m->FName;
      for (double v : m->FCoef) {
        // Within the window's soft bounds, with at most the three decimals it shows.
        EXPECT_GE(v, 0) << m->FName;
        EXPECT_LT(v, 1) << m->FName;
        EXPECT_DOUBLE_EQ(v, std::round(v * 1000) / 1000) << m->FName;
      }
    }
  }
  // Piece values are per piece: coefficient × the seat's area.
  TMaterial* seat = nullptr;
  for (int i = 0; i < base.FPieceAbsorbers.Count(); ++i)
    if (base.FPieceAbsorbers.Items(i)->FFullName == "Кресло с тканевой обивкой, занятое")
      seat = base.FPieceAbsorbers.Items(i);
  ASSERT_NE(seat, nullptr);
  EXPECT_DOUBLE_EQ(seat->FCoef[0], 0.324); // 0.60 × 0.54 m²
  EXPECT_EQ(seat->FParent->FName, "Кресла");
}

TEST_F(StarterBase, SurvivesTheBaseFileUnchanged)
{
  const Bytes saved = base.SaveToBytes();
  TMaterialBase reread;
  reread.LoadFromBytes(saved);
  ASSERT_EQ(reread.FSurfaceMaterials.Count(), base.FSurfaceMaterials.Count());
  for (int i = 0; i < base.FSurfaceMaterials.Count(); ++i) {
    EXPECT_EQ(reread.FSurfaceMaterials.Items(i)->FFullName, base.FSurfaceMaterials.Items(i)->FFullName);
    EXPECT_EQ(reread.FSurfaceMaterials.Items(i)->FCoef, base.FSurfaceMaterials.Items(i)->FCoef);
  }
}

TEST_F(StarterBase, MalformedLinesNameTheirLine)
{
  TMaterialBase other;
  try {
    buildStarterBase("# comment\nS\tGroup\tName\tFull\t0.1\t0.2\n", other);
    FAIL();
  } catch (const EError& e) {
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos);
  }
  EXPECT_THROW(buildStarterBase("P\tG\tN\tF\t0.1\t0.2\t0.3\tx\t0.5\t0.6\t\t1\n", other), EError);
  // The base file stores Windows-1251: a name it cannot hold is refused, not mangled.
  EXPECT_THROW(buildStarterBase("S\tG\tN\tна 1 м²\t0.1\t0.2\t0.3\t0.4\t0.5\t0.6\t\t1\n", other), EError);
}

TEST_F(StarterBase, ExampleHallReadsBackLinkedToTheStarterBase)
{
  const std::string shipped = sourceFile("resources/examples/hall.snv");
  const std::size_t materialsBefore = base.FSurfaceMaterials.Count() + base.FPieceAbsorbers.Count();
  auto room = loadProjectFromBytes(Bytes(shipped.begin(), shipped.end()), base);
  ASSERT_EQ(room->FSurfaces->Count(), 5);
  int surfaces = 0;
  for (int i = 0; i < room->FSurfaces->Count(); ++i) {
    const TPovPoglot& e = *room->FSurfaces->Items(i);
    surfaces += e.FIsSurface;
    EXPECT_NE(e.Material(), nullptr) << e.FName; // same identifiers and values as the base
  }
  EXPECT_EQ(surfaces, 3);
  EXPECT_EQ(std::size_t(base.FSurfaceMaterials.Count() + base.FPieceAbsorbers.Count()), materialsBefore);
  // The file is what the example builder makes today.
  auto built = buildExampleHall(base);
  EXPECT_EQ(saveProjectToBytes(*built), Bytes(shipped.begin(), shipped.end()));
}

} // namespace
