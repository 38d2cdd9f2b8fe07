// A throw-away application folder, a small materials base and scripted dialogs for window tests.
#include "app_fixture.h"

#include "app/help.h"
#include "app/startup.h"

namespace sonvela::test {

void AppFixture::SetUp()
{
  ASSERT_TRUE(dir.isValid());
  appDir = dir.path() + "/";
  SetupPaths(appDir);
  SetupHelp(appDir);
  base = std::make_unique<TMaterialBase>(AppPaths().BaseFile.toStdU16String());
  MaterialBase = base.get();
  TAlphaList& s = base->FSurfaceMaterials;
  walls = addMaterial(s, s.Root(), "Стены", {});
  brick = addMaterial(s, walls, "Кирпич", {0.03, 0.03, 0.03, 0.04, 0.05, 0.07});
  plaster = addMaterial(s, walls, "Штукатурка", {0.01, 0.02, 0.02, 0.03, 0.04, 0.05});
  parquet = addMaterial(s, s.Root(), "Паркет", {0.04, 0.04, 0.07, 0.06, 0.06, 0.07});
  TAlphaList& p = base->FPieceAbsorbers;
  seat = addMaterial(p, p.Root(), "Кресло мягкое", {0.15, 0.25, 0.3, 0.3, 0.3, 0.3});
  ui = std::make_unique<TScriptedUi>();
}

void AppFixture::TearDown()
{
  ui.reset();
  MaterialBase = nullptr;
  CloseHelp();
}

TMaterial* AppFixture::addMaterial(TAlphaList& list, TMaterial* parent, const char* name,
                                   std::array<double, 6> coef, bool inQuickName)
{
  auto m = std::make_unique<TMaterial>();
  m->FName = name;
  m->FParent = parent;
  m->FCoef = coef;
  m->FInQuickName = inQuickName;
  m->ComposeFullName();
  return list.AddMaterial(std::move(m));
}

} // namespace sonvela::test
