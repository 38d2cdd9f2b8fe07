// Surface entries: their record, the list's look-ups, and re-linking to the materials base.
#include "core/surfaces.h"

#include "core/errors.h"
#include "core/materials.h"

#include <gtest/gtest.h>

using namespace sonvela;

namespace {

std::unique_ptr<TPovPoglot> entry(const std::string& name, std::int64_t id, double c0, bool surface = true)
{
  auto e = std::make_unique<TPovPoglot>();
  e->FName = name;
  e->FMaterialName = "Mat " + name;
  e->FMaterialFullName = "Full " + name;
  e->FIsSurface = surface;
  e->FAmount = 12.5;
  e->FMaterialId = id;
  e->FCoef = {c0, 0.2, 0.3, 0.4, 0.5, 0.6};
  return e;
}

TMaterial* addMaterial(TAlphaList& list, double c0)
{
  auto m = std::make_unique<TMaterial>();
  m->FName = "M";
  m->FCoef = {c0, 0.2, 0.3, 0.4, 0.5, 0.6};
  m->FParent = list.Root();
  return list.AddMaterial(std::move(m));
}

} // namespace

TEST(Surfaces, EntryRecordLayout)
{
  auto e = entry("Пол", 0x0102030405060708LL, 0.1, false);
  TBinaryWriter w;
  e->SaveToStream(w);
  const Bytes& b = w.Data();
  // name (4+3), material name (4+7), full name (4+8), flag, amount, id, six doubles
  ASSERT_EQ(b.size(), 7u + 11 + 12 + 1 + 8 + 8 + 48);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 7), (Bytes{3, 0, 0, 0, 0xCF, 0xEE, 0xEB}));
  EXPECT_EQ(b[30], 0);  // piece absorber
  EXPECT_EQ(Bytes(b.begin() + 39, b.begin() + 47), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  TBinaryReader r(b);
  TPovPoglot back;
  back.LoadFromStream(r);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(back.FName, "Пол");
  EXPECT_EQ(back.FMaterialFullName, "Full Пол");
  EXPECT_FALSE(back.FIsSurface);
  EXPECT_EQ(back.FAmount, 12.5);
  EXPECT_EQ(back.FMaterialId, 0x0102030405060708LL);
  EXPECT_EQ(back.FCoef, e->FCoef);
}

TEST(Surfaces, RelinkingToTheBase)
{
  TMaterialBase base;
  TMaterial* same = addMaterial(base.FSurfaceMaterials, 0.1);     // id 1
  addMaterial(base.FSurfaceMaterials, 0.9);                       // id 2, values edited since
  TMaterial* piece = addMaterial(base.FPieceAbsorbers, 0.1);      // id 1 in the other category

  TPovList list;
  list.Add(entry("a", 1, 0.1));
  list.Add(entry("b", 2, 0.1));
  list.Add(entry("c", 1, 0.1, false));
  list.Add(entry("d", 77, 0.15));
  list.RelinkMaterials(base);

  EXPECT_EQ(list.Items(0)->Material(), same);
  EXPECT_EQ(list.Items(1)->Material(), nullptr);  // values differ: unlinked, nothing added
  EXPECT_EQ(list.Items(2)->Material(), piece);
  ASSERT_EQ(base.FSurfaceMaterials.Count(), 4);
  TMaterial* added = base.FSurfaceMaterials.Items(3);
  EXPECT_EQ(list.Items(3)->Material(), added);
  EXPECT_EQ(list.Items(3)->FMaterialId, 77);  // the entry keeps its stored identifier
  EXPECT_EQ(added->FId, 3);
  EXPECT_EQ(added->FName, "Mat d");
  EXPECT_EQ(added->FFullName, "");
  EXPECT_TRUE(added->FInQuickName);
  EXPECT_EQ(added->FParent, base.FSurfaceMaterials.Root());
  EXPECT_EQ(added->FCoef, list.Items(3)->FCoef);
  EXPECT_EQ(base.FPieceAbsorbers.Count(), 2);

  // A material deleted later in the run leaves its entries without a material.
  EXPECT_TRUE(base.FSurfaceMaterials.Delete(added));
  EXPECT_EQ(list.Items(3)->Material(), nullptr);
}

TEST(Surfaces, NameLookups)
{
  TPovList list;
  list.Add(entry("Стены", 0, 0));
  list.Add(entry("стены", 0, 0));
  list.Add(entry("Стены", 0, 0.5));
  EXPECT_EQ(list.IndexOfName("Стены"), 2);  // the last one
  EXPECT_EQ(list.IndexOfName("стены"), 1);  // case matters
  EXPECT_EQ(list.IndexOfName("Пол"), -1);
  EXPECT_EQ(list.FindByName("Стены")->FCoef[0], 0.5);
  EXPECT_THROW(list.FindByName("Пол"), EError);
  std::vector<std::string> names{"x"};
  list.FillNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"x", "Стены", "стены", "Стены"}));
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_THROW(list.Delete(2), EError);
}

TEST(Surfaces, ListRecordRefusesCountsBeyondTheBytes)
{
  TBinaryWriter w;
  w.WriteInt32(1000);
  w.WriteInt32(0);
  TBinaryReader r(w.Data());
  TPovList list;
  try {
    list.LoadFromStream(r);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.offset(), 0u);
  }
  EXPECT_EQ(list.Count(), 0);
}
