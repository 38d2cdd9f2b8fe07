// The check window: filling, reading and validating the fields, the calculators, the check and the absorption window.
#include "app/absorption.h"
#include "app/calculators.h"
#include "app/checkform.h"
#include "app_fixture.h"
#include "core/room.h"
#include "core/surfaces.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

using namespace sonvela;

namespace {

class CheckFormTest : public test::AppFixture {
protected:
  void SetUp() override
  {
    AppFixture::SetUp();
    form = std::make_unique<TGabaritCalcForm>(room, [this] { ++saves; return true; });
    frame = form->Frame();
  }
  void fill()
  {
    frame->FillFields();
  }
  TRoom room;
  int saves = 0;
  std::unique_ptr<TGabaritCalcForm> form;
  TFrame1* frame = nullptr;
};

TEST_F(CheckFormTest, FillingShowsTheProjectAndMarksItChanged)
{
  room.FName = "Зал";
  room.FLength = 20.25;
  room.FAlpha[5] = 0.1 + 0.2;
  EXPECT_TRUE(room.FSaved);
  fill();
  EXPECT_FALSE(room.FSaved); // filling counts as a change
  EXPECT_EQ(frame->NameEdit->text(), QString::fromUtf8("Зал"));
  EXPECT_EQ(frame->TypeCombo->currentText(), QString::fromUtf8("Многоцелевой зал"));
  EXPECT_EQ(frame->TypeCombo->count(), 8);
  EXPECT_EQ(frame->LEdit->text(), "20,25");
  EXPECT_EQ(frame->VEdit->text(), "1000");
  EXPECT_EQ(frame->SpolEdit->text(), "100");
  EXPECT_EQ(frame->SogrEdit->text(), "4200");
  EXPECT_EQ(frame->SpecNumEdit->text(), "300");
  EXPECT_EQ(frame->AEdits[0]->text(), "0,5");
  EXPECT_EQ(frame->AEdits[5]->text(), "0,30000000000000004"); // reads back to the same double
}

TEST_F(CheckFormTest, EveryEditMarksTheProjectChanged)
{
  fill();
  const std::vector<std::function<void()>> edits = {
      [&] { frame->NameEdit->setText("x"); },
      [&] { frame->TypeCombo->setCurrentIndex(2); },
      [&] { frame->LEdit->setText("30"); },
      [&] { frame->AEdits[3]->setText("0,2"); },
      [&] { frame->SpecNumEdit->setText("12"); },
  };
  for (const auto& edit : edits) {
    room.FSaved = true;
    edit();
    EXPECT_FALSE(room.FSaved);
  }
}

TEST_F(CheckFormTest, ReadingStoresTheFieldsInOrderUntilOneIsRefused)
{
  fill();
  frame->NameEdit->setText("Малый зал");
  frame->TypeCombo->setCurrentIndex(3);
  frame->LEdit->setText("60");
  frame->VEdit->setText("2500,5");
  frame->SpolEdit->setText("200");
  frame->SogrEdit->setText("1500");
  for (int i = 0; i < 6; ++i)
    frame->AEdits[i]->setText(i == 0 ? "0" : "0,25");
  frame->SpecNumEdit->setText("12a");
  EXPECT_THROW(frame->ReadFields(), EAbort);
  EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8("Число \"Количество зрительских мест\" записано неверно")});
  // Everything before the seats is already in the project; the seats are not.
  EXPECT_EQ(room.FName, "Малый зал");
  EXPECT_EQ(room.FHallType, 3);
  EXPECT_EQ(room.FLength, 60);
  EXPECT_EQ(room.FVolume, 2500.5);
  EXPECT_EQ(room.FFloorArea, 200);
  EXPECT_EQ(room.FEnclosingArea, 1500);
  EXPECT_EQ(room.FAlpha[0], 0);
  EXPECT_EQ(room.FAlpha[5], 0.25);
  EXPECT_EQ(room.FSeats, 300);

  frame->SpecNumEdit->setText("450");
  frame->ReadFields();
  EXPECT_EQ(room.FSeats, 450);
}

TEST_F(CheckFormTest, RefusedFieldsAndTheirMessages)
{
  struct Case {
    QLineEdit* TFrame1::*edit;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {&TFrame1::LEdit, "60,5",
       "Число \"Длина зала по его центральной оси, м\" должно быть больше, чем    1,000 и меньше, чем   60,000"},
      {&TFrame1::LEdit, "0,5",
       "Число \"Длина зала по его центральной оси, м\" должно быть больше, чем    1,000 и меньше, чем   60,000"},
      {&TFrame1::VEdit, "абв", "Число \"Общий воздушный объем зала, м куб\" записано неверно"},
      {&TFrame1::SogrEdit, "0", "Число \"Площадь ограждающих конструкций в зале, м кв\" должно быть больше, чем    "
                                "1,000 и меньше, чем 10000000,000"},
      {&TFrame1::SpecNumEdit, "1000001",
       "Число \"Количество зрительских мест\" должно быть больше, чем 1 и меньше, чем 1000000"},
  };
  for (const Case& c : cases) {
    fill();
    ui->messages.clear();
    (frame->*c.edit)->setText(QString::fromUtf8(c.text));
    EXPECT_THROW(frame->ReadFields(), EAbort) << c.text;
    EXPECT_EQ(ui->messages, QStringList{QString::fromUtf8(c.message)}) << c.text;
  }
  // A coefficient of 0 passes, -0,1 is refused.
  fill();
  ui->messages.clear();
  frame->AEdits[2]->setText("-0,1");
  EXPECT_THROW(frame->ReadFields(), EAbort);
  ASSERT_EQ(ui->messages.size(), 1);
  EXPECT_TRUE(ui->messages[0].contains("500Гц"));
}

TEST_F(CheckFormTest, CalculatorsFillTheirFieldWithSixDecimals)
{
  fill();
  ui->modals.push_back([](QDialog& d) {
    auto& f = static_cast<TCalculatorForm&>(d);
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Вычисление площади пола зала"));
    EXPECT_EQ(f.HeightEdit(), nullptr);
    EXPECT_EQ(f.WidthEdit()->text(), "10");
    f.WidthEdit()->setText("12");
    f.LengthEdit()->setText("25");
    d.accept();
    return d.result();
  });
  frame->Button8->click();
  EXPECT_EQ(frame->SpolEdit->text(), "300,000000");

  // Closed by the title bar: the values are read all the same.
  ui->modals.push_back([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Вычисление объема зала"));
    static_cast<TCalculatorForm&>(d).HeightEdit()->setText("2,5");
    d.reject();
    return d.result();
  });
  frame->Button9->click();
  EXPECT_EQ(frame->VEdit->text(), "250,000000");

  // A refused value leaves the field unchanged.
  ui->modals.push_back([](QDialog& d) {
    static_cast<TCalculatorForm&>(d).LengthEdit()->setText("10001");
    return 0;
  });
  frame->Button8->click();
  EXPECT_EQ(frame->SpolEdit->text(), "300,000000");
  ASSERT_EQ(ui->messages.size(), 1);
  EXPECT_TRUE(ui->messages[0].startsWith(QString::fromUtf8("Число \"Длина зала\" должно быть больше")));
}

TEST_F(CheckFormTest, RunningTheCheckReadsTheFieldsComputesAndRunsTheReport)
{
  int reports = 0;
  const TCheckReportRunner saved = checkReportRunner();
  checkReportRunner() = [&](QWidget*, TRoom& r) {
    ++reports;
    EXPECT_EQ(&r, &room);
    EXPECT_NEAR(r.FCritFreq, 125 * std::cbrt(180.0 / 1500), 1e-9);
  };
  fill();
  room.FSaved = true;
  frame->VEdit->setText("1500");
  room.FSaved = true;
  frame->BtnCalc->click();
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(room.FSaved);
  EXPECT_EQ(room.FVolume, 1500);

  frame->LEdit->setText("61");
  frame->BtnCalc->click(); // refused: no check, no report
  EXPECT_EQ(reports, 1);
  checkReportRunner() = saved;
}

TEST_F(CheckFormTest, SavingReadsTheFieldsFirst)
{
  fill();
  frame->NameEdit->setText("Новый");
  form->SaveClick();
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(room.FName, "Новый");
  frame->SogrEdit->setText("");
  EXPECT_THROW(form->SaveClick(), EAbort);
  EXPECT_EQ(saves, 1);
}

TEST_F(CheckFormTest, AbsorptionWindowWritesTheAveragesBackWithThreeDecimals)
{
  fill();
  auto entry = std::make_unique<TPovPoglot>();
  entry->FName = "Пол";
  entry->FAmount = 100;
  entry->FCoef = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
  room.FSurfaces->Add(std::move(entry));
  frame->SogrEdit->setText("1000");
  ui->modals.push_back([](QDialog& d) {
    EXPECT_EQ(static_cast<TForm2&>(d).PovList()->count(), 1);
    static_cast<TForm2&>(d).CloseClick();
    return d.result();
  });
  frame->BtnCalcCoef->click();
  EXPECT_EQ(room.FEnclosingArea, 1000); // read before the window opened
  EXPECT_DOUBLE_EQ(room.FAlpha[0], 0.01);
  EXPECT_EQ(frame->AEdits[0]->text(), "0,010");
  EXPECT_EQ(frame->AEdits[5]->text(), "0,060");
}

} // namespace
