// A throw-away application folder, a small materials base and scripted dialogs for window tests.
#pragma once
#include "scripted_ui.h"

#include "core/materials.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace sonvela::test {

// The base: Поверхности → Стены → {Кирпич, Штукатурка}, Поверхности → Паркет;
// Штучные звукопоглотители → Кресло мягкое.
class AppFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  TMaterial* addMaterial(TAlphaList& list, TMaterial* parent, const char* name, std::array<double, 6> coef,
                         bool inQuickName = true);
  QString path(const QString& name) const { return appDir + name; }

  QTemporaryDir dir;
  QString appDir;
  std::unique_ptr<TMaterialBase> base;
  TMaterial* walls = nullptr;
  TMaterial* brick = nullptr;
  TMaterial* plaster = nullptr;
  TMaterial* parquet = nullptr;
  TMaterial* seat = nullptr;
  std::unique_ptr<TScriptedUi> ui;
};

} // namespace sonvela::test
