// The materials base window: the tree, adding and deleting materials, the soft-checked values, choosing.
#include "app/alphabase.h"
#include "app_fixture.h"
#include "core/surfaces.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidget>

using namespace sonvela;

namespace {

class AlphaBaseTest : public test::AppFixture {
protected:
  void SetUp() override
  {
    AppFixture::SetUp();
    form = std::make_unique<TAlphaBaseForm>(*base, entry);
  }
  // The tree as indented names, depth first.
  QStringList tree() const
  {
    QStringList out;
    for (QTreeWidgetItemIterator it(form->Tree()); *it; ++it) {
      int depth = 0;
      for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
        ++depth;
      out << QString(depth * 2, ' ') + (*it)->text(0);
    }
    return out;
  }
  TPovPoglot entry;
  std::unique_ptr<TAlphaBaseForm> form;
};

TEST_F(AlphaBaseTest, OpensOnTheSurfacesTreeWithAmountOne)
{
  EXPECT_FALSE(form->PieceMode());
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("База материалов и штучных звукопоглотителей"));
  EXPECT_EQ(form->GroupCaption(), QString::fromUtf8("Коэффициент звукопоглощения поверхности"));
  EXPECT_EQ(form->AmountCaption(), QString::fromUtf8("Площадь поверхности, м кв"));
  EXPECT_EQ(form->AmountEdit()->text(), "1");
  EXPECT_EQ(tree(), (QStringList{QString::fromUtf8("Поверхности"), QString::fromUtf8("  Стены"),
                                 QString::fromUtf8("    Кирпич"), QString::fromUtf8("    Штукатурка"),
                                 QString::fromUtf8("  Паркет")}));
  EXPECT_EQ(form->Selected(), nullptr);
  EXPECT_EQ(form->CoefEdit(0)->inputMask(), "0,000;_");

  form->SetKind(0);
  EXPECT_TRUE(form->PieceMode());
  EXPECT_EQ(form->GroupCaption(), QString::fromUtf8("Эквивалентная площадь звукопоглощения, м кв"));
  EXPECT_EQ(form->AmountCaption(), QString::fromUtf8("Количество штучных поглотителей, шт."));
  EXPECT_EQ(tree(), (QStringList{QString::fromUtf8("Штучные звукопоглотители"), QString::fromUtf8("  Кресло мягкое")}));
}

TEST_F(AlphaBaseTest, AnItemWithoutParentIsNotInTheTree)
{
  auto orphan = std::make_unique<TMaterial>();
  orphan->FName = "Сирота";
  base->FSurfaceMaterials.AddMaterial(std::move(orphan));
  form->RebuildTree();
  EXPECT_FALSE(tree().join('|').contains(QString::fromUtf8("Сирота")));
}

TEST_F(AlphaBaseTest, ClickingShowsAMaterialAndStoresTheEditsOfThePreviousOne)
{
  form->SelectMaterial(brick);
  EXPECT_EQ(form->Selected(), brick);
  EXPECT_EQ(form->CoefEdit(5)->text(), "0,070");
  EXPECT_EQ(form->FullNameEdit()->text(), QString::fromUtf8("Стены Кирпич"));
  EXPECT_FALSE(form->QuickNameCheck()->isChecked());

  form->CoefEdit(0)->setText("0,5");
  form->FullNameEdit()->setText(QString::fromUtf8("Кладка кирпичная"));
  form->QuickNameCheck()->setChecked(true);
  form->SelectMaterial(plaster);
  EXPECT_EQ(brick->FCoef[0], 0.5);
  EXPECT_EQ(brick->FFullName, "Кладка кирпичная");
  EXPECT_FALSE(brick->FInQuickName);
  EXPECT_EQ(form->CoefEdit(0)->text(), "0,010");
}

TEST_F(AlphaBaseTest, ValuesOutOfRangeAreReportedAndStoredAllTheSame)
{
  form->SelectMaterial(brick);
  form->CoefEdit(1)->setText("1,2");
  form->SelectMaterial(parquet);
  ASSERT_EQ(ui->messages.size(), 1);
  EXPECT_EQ(ui->messages[0], QString::fromUtf8("Число \"250 Гц\" должно быть больше, чем    0,000 и меньше, чем    1,000"));
  EXPECT_DOUBLE_EQ(brick->FCoef[1], 1.2);
  EXPECT_EQ(form->Selected(), parquet);
}

TEST_F(AlphaBaseTest, AMalformedValueKeepsItsMaterialSelectedWithTheTextToCorrect)
{
  form->SelectMaterial(brick);
  form->CoefEdit(3)->setText(",");
  form->SelectMaterial(plaster);
  EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8("Число \"1000 Гц\" записано неверно")});
  EXPECT_EQ(form->Selected(), brick);
  EXPECT_EQ(form->Tree()->currentItem(), form->ItemOf(brick));
  EXPECT_EQ(form->CoefEdit(3)->text(), ",");
  EXPECT_EQ(brick->FCoef[2], 0.03); // the bands before the bad one are stored, unchanged here
}

TEST_F(AlphaBaseTest, ValuesTheMaskCannotHoldAreShownAndKeptWhole)
{
  seat->FCoef = {12.5, -0.25, 0.3, 0.3, 0.3, 0.3};
  form->SetKind(0);
  form->SelectMaterial(seat);
  EXPECT_EQ(form->CoefEdit(0)->text(), "12,500");
  EXPECT_EQ(form->CoefEdit(1)->text(), "-0,250");
  EXPECT_EQ(form->CoefEdit(2)->text(), "0,300");
  form->StoreEdits();
  EXPECT_EQ(seat->FCoef[0], 12.5);
  EXPECT_EQ(seat->FCoef[1], -0.25);
}

TEST_F(AlphaBaseTest, SwitchingTheKindNeverWritesClearedEditsIntoAMaterial)
{
  form->SelectMaterial(brick);
  const auto before = brick->FCoef;
  form->SetKind(0); // the edits are cleared for the other category
  EXPECT_EQ(form->CoefEdit(0)->text(), "0,000");
  form->reject(); // closing stores the edits: nothing is selected any more
  EXPECT_EQ(brick->FCoef, before);
  EXPECT_TRUE(ui->messages.isEmpty());
}

TEST_F(AlphaBaseTest, AddingComposesTheFullNameAndSelectsTheNewMaterial)
{
  form->SelectMaterial(walls);
  ui->inputs = {QString::fromUtf8("Бетон")};
  form->AddClick();
  EXPECT_EQ(ui->prompts, QStringList{QString::fromUtf8("Материал|Введите название нового материала")});
  TMaterial* added = form->Selected();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->FName, "Бетон");
  EXPECT_EQ(added->FParent, walls);
  EXPECT_EQ(added->FFullName, "Стены Бетон");
  EXPECT_EQ(added->FOwner, &base->FSurfaceMaterials);
  EXPECT_GT(added->FId, parquet->FId);
  EXPECT_EQ(form->Tree()->currentItem(), form->ItemOf(added));
  EXPECT_EQ(form->FullNameEdit()->text(), QString::fromUtf8("Стены Бетон"));

  ui->inputs = {QString()};
  form->AddClick(); // an empty name adds nothing
  EXPECT_EQ(base->FSurfaceMaterials.Count(), 6);

  form->SetKind(0);
  form->SelectMaterial(base->FPieceAbsorbers.Root());
  ui->inputs = {QString::fromUtf8("Слушатель")};
  form->AddClick();
  EXPECT_EQ(ui->prompts.last(),
            QString::fromUtf8("Штучный звукопоглотитель|Введите название нового штучного звукопоглотителя"));
  EXPECT_EQ(form->Selected()->FFullName, "Слушатель"); // the root is not put in front
}

TEST_F(AlphaBaseTest, DeletingALeafSelectsItsParentAMaterialWithChildrenStays)
{
  form->SelectMaterial(walls);
  const QStringList before = tree();
  ui->answers = {TAnswer::Yes};
  form->DeleteClick();
  EXPECT_EQ(ui->questions, QStringList{QString::fromUtf8("Удалить Стены ?")});
  EXPECT_EQ(tree(), before);
  EXPECT_EQ(base->FSurfaceMaterials.Count(), 5);
  EXPECT_EQ(form->Selected(), walls);
  EXPECT_TRUE(ui->messages.isEmpty());

  form->SelectMaterial(plaster);
  ui->answers = {TAnswer::No};
  form->DeleteClick();
  EXPECT_EQ(base->FSurfaceMaterials.Count(), 5);

  const auto wallValues = walls->FCoef;
  ui->answers = {TAnswer::Yes};
  form->DeleteClick();
  EXPECT_EQ(base->FSurfaceMaterials.Count(), 4);
  EXPECT_EQ(base->FSurfaceMaterials.IndexOf(plaster), -1);
  EXPECT_EQ(form->Selected(), walls);
  EXPECT_EQ(form->Tree()->currentItem(), form->ItemOf(walls));
  EXPECT_EQ(walls->FCoef, wallValues);

  form->SelectMaterial(base->FSurfaceMaterials.Root());
  form->DeleteClick(); // the category root: nothing asked, nothing deleted
  EXPECT_EQ(ui->questions.size(), 3);
  EXPECT_EQ(base->FSurfaceMaterials.Count(), 4);
}

TEST_F(AlphaBaseTest, ChoosingCopiesTheMaterialIntoTheEntryAndCloses)
{
  form->SetKind(0);
  form->SelectMaterial(seat);
  form->CoefEdit(0)->setText("0,2");
  form->AmountEdit()->setText("350000");
  form->ChooseClick();
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_FALSE(entry.FIsSurface);
  EXPECT_EQ(entry.FCoef[0], 0.2);
  EXPECT_EQ(seat->FCoef[0], 0.2);
  EXPECT_EQ(entry.Material(), seat);
  EXPECT_EQ(entry.FMaterialId, seat->FId);
  EXPECT_EQ(entry.FMaterialName, "Кресло мягкое");
  EXPECT_EQ(entry.FAmount, 350000); // reported, kept
  EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8(
                              "Число \"Количество штучных поглотителей\" должно быть больше, чем    1,000 и меньше, "
                              "чем 300000,000")});
}

TEST_F(AlphaBaseTest, ChoosingWithAMalformedAmountStillCloses)
{
  form->SelectMaterial(brick);
  form->AmountEdit()->setText("много");
  form->ChooseClick();
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_EQ(ui->messages.size(), 1);
  EXPECT_EQ(entry.FAmount, 0);
  EXPECT_EQ(entry.Material(), brick); // what came before the amount is stored
}

} // namespace
