// The materials base: category trees, the base file record and its hostile variants.
#include "core/materials.h"

#include "core/errors.h"
#include "core/strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

using namespace sonvela;
namespace fs = std::filesystem;

namespace {

// Builds records byte by byte from the layout, independently of the writer under test.
struct TRecord {
  Bytes b;
  TRecord& i32(std::int32_t v) { return raw(&v, 4); }
  TRecord& i64(std::int64_t v) { return raw(&v, 8); }
  TRecord& u8(std::uint8_t v) { return raw(&v, 1); }
  TRecord& f64(double v) { return raw(&v, 8); }
  TRecord& str1251(const std::string& s) { i32(static_cast<std::int32_t>(s.size())); return raw(s.data(), s.size()); }
  TRecord& item(const std::string& name, const std::string& full, std::int64_t id, bool quick, double c0 = 0)
  {
    str1251(name).str1251(full).u8(0).i64(id).u8(quick ? 1 : 0);
    f64(c0);
    for (int i = 1; i < 6; ++i) f64(c0 / i);
    return *this;
  }
  TRecord& raw(const void* p, std::size_t n)
  {
    const auto* c = static_cast<const std::uint8_t*>(p);
    b.insert(b.end(), c, c + n);
    return *this;
  }
};

// "Поверхности" and "Штучные звукопоглотители" in Windows-1251.
const std::string Surfaces1251 = "\xCF\xEE\xE2\xE5\xF0\xF5\xED\xEE\xF1\xF2\xE8";
const std::string Pieces1251 =
  "\xD8\xF2\xF3\xF7\xED\xFB\xE5 \xE7\xE2\xF3\xEA\xEE\xEF\xEE\xE3\xEB\xEE\xF2\xE8\xF2\xE5\xEB\xE8";

TRecord defaultBase()
{
  TRecord r;
  r.i32(1).i64(1).item(Surfaces1251, "", 0, false).i32(-1);
  r.i32(1).i64(1).item(Pieces1251, "", 0, false).i32(-1);
  return r;
}

// Surfaces: counter 10, four items (root; Plaster under the root; Gypsum under Plaster; an
// orphan). Pieces: counter 3, root and one chair.
TRecord sampleBase(std::int64_t surfaceCounter = 10, std::int64_t pieceCounter = 3)
{
  TRecord r;
  r.i32(4).i64(surfaceCounter);
  r.item(Surfaces1251, "", 0, false).item("Plaster", "Plaster", 3, true, 0.02);
  r.item("Gypsum", "Plaster Gypsum", 7, false, 0.05).item("Orphan", "", 9, true, 0.5);
  r.i32(-1).i32(0).i32(1).i32(-1);
  r.i32(2).i64(pieceCounter);
  r.item(Pieces1251, "", 0, false).item("Chair", "Chair", 1, true, 0.4);
  r.i32(-1).i32(0);
  return r;
}

fs::path tempDir()
{
  const fs::path d = fs::temp_directory_path() / ("sonvela_materials_" + std::to_string(::getpid()));
  fs::create_directories(d);
  return d;
}

void writeBytes(const fs::path& p, const Bytes& b)
{
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

void expectRoots(const TMaterialBase& base)
{
  ASSERT_GE(base.FSurfaceMaterials.Count(), 1);
  ASSERT_GE(base.FPieceAbsorbers.Count(), 1);
  EXPECT_EQ(base.FSurfaceMaterials.Items(0)->FName, "Поверхности");
  EXPECT_EQ(base.FPieceAbsorbers.Items(0)->FName, "Штучные звукопоглотители");
  EXPECT_EQ(base.FSurfaceMaterials.Items(0)->FParent, nullptr);
  EXPECT_EQ(base.FPieceAbsorbers.Items(0)->FParent, nullptr);
}

} // namespace

TEST(MaterialBase, StartsWithTheTwoRoots)
{
  TMaterialBase base;
  for (const TAlphaList* list : {&base.FSurfaceMaterials, &base.FPieceAbsorbers}) {
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items(0)->FId, 0);
    EXPECT_FALSE(list->Items(0)->FInQuickName);
    EXPECT_EQ(list->Items(0)->FOwner, list);
    EXPECT_EQ(list->FNextId, 1);
  }
  expectRoots(base);
  EXPECT_EQ(base.SaveToBytes(), defaultBase().b);
}

TEST(MaterialBase, ReloadIsByteExactExceptTheCounterThatGrowsByTheItemCount)
{
  const Bytes file = sampleBase().b;
  TMaterialBase base;
  base.LoadFromBytes(file);
  const TAlphaList& s = base.FSurfaceMaterials;
  ASSERT_EQ(s.Count(), 4);
  EXPECT_EQ(s.Items(1)->FParent, s.Items(0));
  EXPECT_EQ(s.Items(2)->FParent, s.Items(1));
  EXPECT_EQ(s.Items(3)->FParent, nullptr);  // the orphan is not below the root
  EXPECT_EQ(s.Items(2)->FId, 7);            // stored identifiers are kept
  EXPECT_EQ(s.Items(2)->FCoef[0], 0.05);
  EXPECT_EQ(s.FindById(9), s.Items(3));
  EXPECT_EQ(s.FindById(4), nullptr);
  base.FSurfaceMaterials.RefreshHasChildren();
  EXPECT_TRUE(s.Items(0)->FHasChildren);
  EXPECT_TRUE(s.Items(1)->FHasChildren);
  EXPECT_FALSE(s.Items(2)->FHasChildren);
  EXPECT_FALSE(s.Items(3)->FHasChildren);

  EXPECT_EQ(base.SaveToBytes(), sampleBase(14, 5).b);
  TMaterialBase again;
  again.LoadFromBytes(base.SaveToBytes());
  EXPECT_EQ(again.SaveToBytes(), sampleBase(18, 7).b);
}

TEST(MaterialBase, FullNameComesFromFlaggedAncestorsOnly)
{
  TAlphaList list("Поверхности");
  auto add = [&](const char* name, TMaterial* parent, bool quick) {
    auto m = std::make_unique<TMaterial>();
    m->FName = name;
    m->FParent = parent;
    m->FInQuickName = quick;
    return list.AddMaterial(std::move(m));
  };
  TMaterial* a = add("A", list.Root(), true);
  TMaterial* b = add("B", a, false);
  TMaterial* c = add("C", b, true);
  c->ComposeFullName();
  EXPECT_EQ(c->FFullName, "A C");
  EXPECT_EQ(c->FId, 3);
  EXPECT_EQ(list.FNextId, 4);
}

TEST(MaterialBase, DeleteRefusesTheRootAndParents)
{
  TMaterialBase base;
  base.LoadFromBytes(sampleBase().b);
  TAlphaList& s = base.FSurfaceMaterials;
  EXPECT_FALSE(s.Delete(s.Items(0)));
  EXPECT_FALSE(s.Delete(s.Items(1)));  // has a child
  TMaterial* gypsum = s.Items(2);
  EXPECT_TRUE(s.Delete(gypsum));
  EXPECT_EQ(s.Count(), 3);
  EXPECT_TRUE(s.Delete(s.Items(1)));
  EXPECT_FALSE(s.Delete(nullptr));
  EXPECT_THROW(s.Items(5), EError);
}

TEST(MaterialBase, TruncatedFilesFailWithTheirOffsetAndKeepTheRoots)
{
  const Bytes file = sampleBase().b;
  std::size_t firstListSize = 0;
  {
    TMaterialBase b;
    b.LoadFromBytes(file);
    TBinaryWriter w;
    b.FSurfaceMaterials.SaveToStream(w);
    firstListSize = w.Size();
  }
  for (std::size_t len = 0; len < file.size(); ++len) {
    SCOPED_TRACE(len);
    TMaterialBase base;
    try {
      base.LoadFromBytes(std::span(file.data(), len));
      ADD_FAILURE() << "read a truncated file";
    } catch (const EReadError& e) {
      EXPECT_LE(e.offset(), len);
    }
    expectRoots(base);
    if (len >= firstListSize) {
      EXPECT_EQ(base.FSurfaceMaterials.Count(), 4);
    } else {
      EXPECT_EQ(base.FPieceAbsorbers.Count(), 1);
    }
  }
}

TEST(MaterialBase, HostileRecordsFailAtTheirOffset)
{
  struct Case { const char* what; Bytes bytes; std::size_t offset; };
  auto withParents = [](std::int32_t p1, std::int32_t p2, std::int32_t p0 = -1) {
    TRecord r;
    r.i32(3).i64(3).item(Surfaces1251, "", 0, false).item("A", "", 1, true).item("B", "", 2, true);
    r.i32(p0).i32(p1).i32(p2);
    return r.b;
  };
  const std::size_t parents = withParents(0, 0).size() - 12;
  std::vector<Case> cases = {
    {"huge count", TRecord().i32(0x7fffffff).i64(1).b, 0},
    {"negative count", TRecord().i32(-1).i64(1).b, 0},
    {"huge string", TRecord().i32(1).i64(1).i32(0x7ffffff0).raw(std::string(100, '\0').data(), 100).b, 12},
    {"parent past the end", withParents(0, 3), parents + 8},
    {"parent below -1", withParents(-2, 0), parents + 4},
    {"root with a parent", withParents(0, 0, 1), parents},
    {"item its own parent", withParents(1, 0), parents + 4},
    {"two items in a circle", withParents(2, 1), parents + 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMaterialBase base;
    try {
      base.LoadFromBytes(c.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
    expectRoots(base);
  }
}

TEST(MaterialBase, EmptyListAndExtremeCounterStaySound)
{
  TRecord r;
  r.i32(0).i64(42);
  r.i32(1).i64(std::numeric_limits<std::int64_t>::max()).item(Pieces1251, "", 5, false).i32(-1);
  TMaterialBase base;
  base.LoadFromBytes(r.b);
  expectRoots(base);
  EXPECT_EQ(base.FSurfaceMaterials.Count(), 1);  // the root is restored
  EXPECT_EQ(base.FPieceAbsorbers.FNextId, std::numeric_limits<std::int64_t>::min());
}

TEST(MaterialBase, FileLoadAndSave)
{
  const fs::path dir = tempDir();
  TMaterialBase missing(dir / "none.dat");
  missing.Load();
  EXPECT_FALSE(missing.LoadFailed());
  expectRoots(missing);
  EXPECT_FALSE(fs::exists(dir / "none.dat"));  // loading never writes

  const fs::path good = dir / "base.dat";
  writeBytes(good, sampleBase().b);
  TMaterialBase base(good);
  base.Load();
  EXPECT_EQ(base.FSurfaceMaterials.Count(), 4);
  base.Save();
  EXPECT_EQ(readFileBytes(good), sampleBase(14, 5).b);
  EXPECT_FALSE(fs::exists(dir / "base.dat.bak"));

  // A damaged file: reported, kept as .bak before the first save replaces it.
  Bytes damaged = sampleBase().b;
  damaged.resize(damaged.size() - 3);
  writeBytes(good, damaged);
  TMaterialBase broken(good);
  EXPECT_THROW(broken.Load(), EReadError);
  EXPECT_TRUE(broken.LoadFailed());
  EXPECT_EQ(readFileBytes(good), damaged);
  EXPECT_EQ(broken.FSurfaceMaterials.Count(), 4);
  broken.Save();
  EXPECT_EQ(readFileBytes(dir / "base.dat.bak"), damaged);
  TMaterialBase reread(good);
  reread.Load();
  EXPECT_EQ(reread.FSurfaceMaterials.Count(), 4);
  ASSERT_EQ(reread.FPieceAbsorbers.Count(), 2);  // the chair, whose parent index was cut off
  EXPECT_EQ(reread.FPieceAbsorbers.Items(1)->FParent, nullptr);

  TMaterialBase nowhere(dir / "no_such_folder" / "base.dat");
  EXPECT_THROW(nowhere.Save(), EWriteError);
  fs::remove_all(dir);
}
