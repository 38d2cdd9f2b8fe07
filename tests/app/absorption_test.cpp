// The absorption window: the entry list, adding with a material, deleting, changing, the results page.
#include "app/absorption.h"
#include "app/alphabase.h"
#include "app_fixture.h"
#include "core/room.h"
#include "core/surfaces.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

using namespace sonvela;

namespace {

class AbsorptionTest : public test::AppFixture {
protected:
  TPovPoglot* addEntry(const char* name, bool surface, double amount, TMaterial* material)
  {
    auto e = std::make_unique<TPovPoglot>();
    e->FName = name;
    e->FIsSurface = surface;
    e->FAmount = amount;
    e->FCoef = material->FCoef;
    e->FMaterialName = material->FName;
    e->FMaterialFullName = material->FFullName;
    e->FMaterialId = material->FId;
    e->LinkMaterial(material);
    return room.FSurfaces->Add(std::move(e));
  }
  // A materials window handler: picks `material`, types `amount`, presses "Выбрать".
  std::function<int(QDialog&)> choose(TMaterial* material, const char* amount)
  {
    return [material, amount](QDialog& d) {
      auto& f = static_cast<TAlphaBaseForm&>(d);
      if (material->FOwner == &MaterialBase->FPieceAbsorbers)
        f.SetKind(0);
      f.SelectMaterial(material);
      f.AmountEdit()->setText(QString::fromUtf8(amount));
      f.ChooseClick();
      return d.result();
    };
  }
  static QStringList names(const TForm2& f)
  {
    QStringList n;
    for (int i = 0; i < f.PovList()->count(); ++i)
      n << f.PovList()->item(i)->text();
    return n;
  }
  TRoom room;
};

TEST_F(AbsorptionTest, EmptyProjectAsksForTheFirstNameAndCancellingThenClosingZeroesTheAverages)
{
  TForm2 form(room);
  ui->inputs.push_back(std::nullopt); // cancel the first name
  ui->modals.push_back([&](QDialog&) {
    EXPECT_EQ(ui->prompts, QStringList{QString::fromUtf8("Новый объект|Введите название нового звукопоглотителя")});
    EXPECT_EQ(form.EntryTitle(), QString::fromUtf8("Не выбран звукопоглотитель"));
    EXPECT_EQ(form.MaterialText(), QString::fromUtf8("Не выбран материал"));
    form.CloseClick();
    return form.result();
  });
  EXPECT_EQ(form.Execute(), QDialog::Accepted);
  EXPECT_EQ(room.FSurfaces->Count(), 0);
  for (double a : room.FAlpha)
    EXPECT_EQ(a, 0);
  EXPECT_EQ(form.AverageText(0), "0,000000");
  EXPECT_EQ(form.AreaText(), "4200,000000");
}

TEST_F(AbsorptionTest, AddingAnEntryChoosesItsMaterialAndAmount)
{
  TForm2 form(room);
  ui->inputs.push_back(QString::fromUtf8("Стена"));
  // The absorption window asks for the first name as it shows, and the materials window
  // opens inside that question.
  ui->modals.push_back([&](QDialog&) { return form.result(); });
  ui->modals.push_back(choose(brick, "250,5"));
  form.Execute();
  ASSERT_EQ(room.FSurfaces->Count(), 1);
  const TPovPoglot& e = *room.FSurfaces->Items(0);
  EXPECT_EQ(e.FName, "Стена");
  EXPECT_TRUE(e.FIsSurface);
  EXPECT_EQ(e.FAmount, 250.5);
  EXPECT_EQ(e.FCoef, brick->FCoef);
  EXPECT_EQ(e.Material(), brick);
  EXPECT_EQ(e.FMaterialId, brick->FId);
  EXPECT_EQ(e.FMaterialName, "Кирпич");
  EXPECT_EQ(e.FMaterialFullName, "Стены Кирпич");
  EXPECT_EQ(form.Current(), &e);
  EXPECT_EQ(form.EntryTitle(), QString::fromUtf8("Поверхность: Стена"));
  EXPECT_EQ(form.AmountCaption(), QString::fromUtf8("Площадь:"));
  EXPECT_EQ(form.AmountText(), "250,500");
  EXPECT_EQ(form.ValueText(5), "0,070");
  EXPECT_EQ(form.MaterialText(), QString::fromUtf8("Стены Кирпич"));
}

TEST_F(AbsorptionTest, DuplicateNamesAreRefusedAndAskedAgainLetterCaseCounts)
{
  addEntry("Пол", true, 100, parquet);
  TForm2 form(room);
  form.FillList();
  ui->inputs = {QString::fromUtf8("Пол"), QString::fromUtf8("пол")};
  ui->modals.push_back([](QDialog& d) { return d.result(); }); // closed without choosing
  form.AddEntry();
  EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8(
                              "Ошибка! Такое название уже есть в базе, попробуйте ввести другое название")});
  EXPECT_EQ(ui->prompts.size(), 2);
  ASSERT_EQ(room.FSurfaces->Count(), 2);
  // Closing the materials window without choosing still adds the entry, empty.
  const TPovPoglot& e = *room.FSurfaces->Items(1);
  EXPECT_EQ(e.FName, "пол");
  EXPECT_EQ(e.FAmount, 0);
  EXPECT_EQ(e.FCoef, (std::array<double, 6>{}));
  EXPECT_EQ(e.FMaterialFullName, "");
  EXPECT_EQ(names(form), (QStringList{QString::fromUtf8("Пол"), QString::fromUtf8("пол")}));
  EXPECT_EQ(form.PovList()->currentRow(), 1);
}

TEST_F(AbsorptionTest, DeletingSelectsTheSamePositionOrTheLast)
{
  addEntry("A", true, 1, brick);
  addEntry("B", true, 2, plaster);
  addEntry("C", false, 3, seat);
  TForm2 form(room);
  form.FillList();

  form.PovList()->setCurrentRow(1);
  ui->answers = {TAnswer::No};
  form.DeleteEntry();
  EXPECT_EQ(room.FSurfaces->Count(), 3);
  EXPECT_EQ(ui->questions, QStringList{QString::fromUtf8("Удалить B ?")});

  ui->answers = {TAnswer::Yes};
  form.DeleteEntry();
  EXPECT_EQ(names(form), (QStringList{"A", "C"}));
  EXPECT_EQ(form.PovList()->currentRow(), 1);
  EXPECT_EQ(form.EntryTitle(), QString::fromUtf8("Штучный звукопоглотитель: C"));
  EXPECT_EQ(form.AmountCaption(), QString::fromUtf8("Количество:"));

  ui->answers = {TAnswer::Yes};
  form.DeleteEntry(); // the last one: the one before it becomes selected
  EXPECT_EQ(names(form), QStringList{"A"});
  EXPECT_EQ(form.PovList()->currentRow(), 0);
  ui->answers = {TAnswer::Yes};
  form.DeleteEntry();
  EXPECT_EQ(form.PovList()->count(), 0);
  EXPECT_EQ(form.EntryTitle(), QString::fromUtf8("Не выбран звукопоглотитель"));
  form.DeleteEntry(); // nothing selected: nothing asked
  EXPECT_EQ(ui->questions.size(), 4);
}

TEST_F(AbsorptionTest, ChangingPresetsTheEntrysOwnAmountAndKind)
{
  addEntry("Кресла", false, 420, seat);
  addEntry("Пол", true, 123.45, parquet);
  TForm2 form(room);
  form.FillList();
  form.PovList()->setCurrentRow(1);
  ui->modals.push_back([&](QDialog& d) {
    auto& f = static_cast<TAlphaBaseForm&>(d);
    EXPECT_FALSE(f.PieceMode());
    EXPECT_EQ(f.Selected(), parquet);
    EXPECT_EQ(f.Tree()->currentItem(), f.ItemOf(parquet));
    EXPECT_EQ(f.AmountEdit()->text(), "123,45");
    EXPECT_EQ(f.CoefEdit(2)->text(), "0,070");
    f.SelectMaterial(brick);
    f.ChooseClick();
    return d.result();
  });
  form.ChangeClick();
  const TPovPoglot& floor = *room.FSurfaces->Items(1);
  EXPECT_EQ(floor.FAmount, 123.45); // not replaced by a fixed preset
  EXPECT_EQ(floor.Material(), brick);
  EXPECT_EQ(form.PovList()->currentRow(), 0); // the list is filled again

  ui->modals.push_back([&](QDialog& d) {
    auto& f = static_cast<TAlphaBaseForm&>(d);
    EXPECT_TRUE(f.PieceMode());
    EXPECT_EQ(f.AmountEdit()->text(), "420");
    EXPECT_EQ(f.AmountCaption(), QString::fromUtf8("Количество штучных поглотителей, шт."));
    d.reject();
    return d.result();
  });
  form.ChangeClick();
  EXPECT_EQ(room.FSurfaces->Items(0)->FAmount, 420);

  form.PovList()->clearSelection();
  form.PovList()->setCurrentRow(-1);
  form.ChangeClick();
  EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8("Не выбран объект для изменения")});
}

TEST_F(AbsorptionTest, EntryOfADeletedMaterialKeepsItsValuesAndName)
{
  TMaterial* gone = addMaterial(base->FSurfaceMaterials, walls, "Панель", {0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
  addEntry("Панели", true, 10, gone);
  ASSERT_TRUE(base->FSurfaceMaterials.Delete(gone));
  TForm2 form(room);
  form.FillList();
  EXPECT_EQ(form.MaterialText(), QString::fromUtf8("Стены Панель"));
  EXPECT_EQ(form.ValueText(0), "0,500");
  // "Изменить" opens the window with nothing selected; closing it changes nothing.
  ui->modals.push_back([&](QDialog& d) {
    EXPECT_EQ(static_cast<TAlphaBaseForm&>(d).Selected(), nullptr);
    EXPECT_EQ(static_cast<TAlphaBaseForm&>(d).AmountEdit()->text(), "10");
    d.reject();
    return d.result();
  });
  form.ChangeClick();
  EXPECT_EQ(room.FSurfaces->Items(0)->FCoef[0], 0.5);
  EXPECT_EQ(room.FSurfaces->Items(0)->FAmount, 10);
}

TEST_F(AbsorptionTest, ResultsPageShowsAreasAndAveragesWithSixDecimals)
{
  TMaterial* m = addMaterial(base->FSurfaceMaterials, walls, "M", {0.1, 0.2, 0.3, 0.4, 0.5, 0.6});
  TMaterial* p = addMaterial(base->FPieceAbsorbers, seat->FParent, "P", {0.3, 0.3, 0.3, 0.3, 0.3, 0.3});
  addEntry("S", true, 200, m);
  addEntry("N", false, 2, p);
  room.FEnclosingArea = 1000;
  TForm2 form(room);
  form.FillList();
  form.Pages()->setCurrentIndex(1);
  EXPECT_EQ(form.EquivText(0), "20,600000");
  EXPECT_EQ(form.EquivText(5), "120,600000");
  EXPECT_EQ(form.AverageText(0), "0,020600");
  EXPECT_EQ(form.AverageText(5), "0,120600");
  EXPECT_EQ(form.AreaText(), "1000,000000");
  EXPECT_DOUBLE_EQ(room.FAlpha[3], 0.0806);
  room.FAlpha[3] = 9;
  form.Pages()->setCurrentIndex(0); // switching back computes again
  EXPECT_DOUBLE_EQ(room.FAlpha[3], 0.0806);
}

} // namespace
