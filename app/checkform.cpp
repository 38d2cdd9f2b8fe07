// The check window: the input frame of the space-planning and reverberation check, its menu and tool bar.
#include "app/checkform.h"

#include "app/about.h"
#include "app/absorption.h"
#include "app/calculators.h"
#include "app/help.h"
#include "app/numreaders.h"
#include "app/strings.h"
#include "app/uihooks.h"
#include "core/check_inputs.h"
#include "core/room.h"
#include "core/strings.h"
#include "report/check_report.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace sonvela {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QLineEdit* numberEdit(QWidget* parent)
{
  auto* edit = new QLineEdit(parent);
  edit->setFixedWidth(110);
  return edit;
}

QToolButton* calculatorButton(QWidget* parent)
{
  auto* b = new QToolButton(parent);
  b->setText(QStringLiteral("..."));
  b->setToolTip(u8(appstr::CalcHint));
  return b;
}

} // namespace

TFrame1::TFrame1(QWidget* parent) : QWidget(parent)
{
  auto* input = new QGroupBox(u8(appstr::InputGroup), this);
  auto* grid = new QGridLayout(input);
  grid->addWidget(new QLabel(u8(appstr::InputGroupLine), input), 0, 0, 1, 3);

  NameEdit = new QLineEdit(input);
  TypeCombo = new QComboBox(input);
  for (const char* type : str::HallTypes)
    TypeCombo->addItem(u8(type));
  LEdit = numberEdit(input);
  SpolEdit = numberEdit(input);
  Button8 = calculatorButton(input);
  VEdit = numberEdit(input);
  Button9 = calculatorButton(input);
  SogrEdit = numberEdit(input);
  SpecNumEdit = numberEdit(input);

  int row = 1;
  grid->addWidget(new QLabel(u8(appstr::LabelObject), input), row, 0);
  grid->addWidget(NameEdit, row++, 1, 1, 2);
  grid->addWidget(new QLabel(u8(appstr::LabelType), input), row, 0);
  grid->addWidget(TypeCombo, row++, 1, 1, 2);
  const struct { const char* label; QLineEdit* edit; QToolButton* button; } numbers[] = {
      {appstr::LabelLength, LEdit, nullptr},   {appstr::LabelFloor, SpolEdit, Button8},
      {appstr::LabelVolume, VEdit, Button9},   {appstr::LabelEnclosing, SogrEdit, nullptr},
      {appstr::LabelSeats, SpecNumEdit, nullptr},
  };
  for (const auto& n : numbers) {
    grid->addWidget(new QLabel(u8(n.label), input), row, 0);
    auto* cell = new QHBoxLayout;
    cell->addWidget(n.edit);
    if (n.button)
      cell->addWidget(n.button);
    cell->addStretch(1);
    grid->addLayout(cell, row++, 1, 1, 2);
  }

  auto* alphaGroup = new QGroupBox(u8(appstr::AlphaGroup), input);
  auto* alphaGrid = new QGridLayout(alphaGroup);
  for (int i = 0; i < 6; ++i) {
    AEdits[i] = numberEdit(alphaGroup);
    // Wide enough for a coefficient in its shortest exact form, as an opened project holds it.
    AEdits[i]->setFixedWidth(150);
    auto* cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(new QLabel(u8(appstr::BandLabels[i]), alphaGroup));
    cell->addWidget(AEdits[i]);
    alphaGrid->addLayout(cell, i / 3, i % 3);
  }
  BtnCalcCoef = new QPushButton(u8(appstr::BtnCalcCoef), alphaGroup);
  alphaGrid->addWidget(BtnCalcCoef, 0, 3, 2, 1, Qt::AlignVCenter);
  alphaGrid->setColumnStretch(4, 1);
  grid->addWidget(alphaGroup, row++, 0, 1, 3);
  grid->setColumnStretch(2, 1);

  BtnCalc = new QPushButton(u8(appstr::RunCheck), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(input);
  layout->addWidget(BtnCalc, 0, Qt::AlignLeft);

  QWidget* order[] = {NameEdit, TypeCombo, LEdit, SpolEdit, Button8, VEdit, Button9, SogrEdit, SpecNumEdit,
                      BtnCalcCoef, AEdits[0], AEdits[1], AEdits[2], AEdits[3], AEdits[4], AEdits[5], BtnCalc};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);

  for (QLineEdit* e : {NameEdit, LEdit, SpolEdit, VEdit, SogrEdit, SpecNumEdit})
    connect(e, &QLineEdit::textChanged, this, &TFrame1::FieldChanged);
  for (QLineEdit* e : AEdits)
    connect(e, &QLineEdit::textChanged, this, &TFrame1::FieldChanged);
  connect(TypeCombo, &QComboBox::currentIndexChanged, this, &TFrame1::FieldChanged);
}

void TFrame1::FieldChanged()
{
  if (FRoom)
    FRoom->FSaved = false;
}

void TFrame1::FillFields()
{
  NameEdit->setText(QString::fromStdString(FRoom->FName));
  TypeCombo->setCurrentIndex(FRoom->FHallType < HallTypeCount ? FRoom->FHallType : -1);
  LEdit->setText(formatShortest(FRoom->FLength));
  VEdit->setText(formatShortest(FRoom->FVolume));
  SpolEdit->setText(formatShortest(FRoom->FFloorArea));
  SogrEdit->setText(formatShortest(FRoom->FEnclosingArea));
  for (int i = 0; i < 6; ++i)
    AEdits[i]->setText(formatShortest(FRoom->FAlpha[i]));
  SpecNumEdit->setText(QString::number(FRoom->FSeats));
  // Long numbers show their beginning.
  for (QLineEdit* e : {LEdit, VEdit, SpolEdit, SogrEdit, AEdits[0], AEdits[1], AEdits[2], AEdits[3], AEdits[4], AEdits[5]})
    e->setCursorPosition(0);
}

void TFrame1::ReadFields()
{
  TRoom& r = *FRoom;
  r.FName = NameEdit->text().toStdString();
  if (TypeCombo->currentIndex() >= 0)
    r.FHallType = static_cast<std::uint8_t>(TypeCombo->currentIndex());
  using namespace CheckInputBounds;
  r.FLength = ReadFloat(LEdit->text(), str::LabelLength, LengthMin, LengthMax, this);
  r.FVolume = ReadFloat(VEdit->text(), str::LabelVolume, VolumeMin, VolumeMax, this);
  r.FFloorArea = ReadFloat(SpolEdit->text(), str::LabelFloorArea, AreaMin, AreaMax, this);
  r.FEnclosingArea = ReadFloat(SogrEdit->text(), str::LabelEnclosingArea, AreaMin, AreaMax, this);
  for (int i = 0; i < 6; ++i)
    r.FAlpha[i] = ReadFloat(AEdits[i]->text(), str::LabelAlpha[i], AlphaMin, AlphaMax, this);
  r.FSeats = ReadInteger(SpecNumEdit->text(), str::LabelSeats, SeatsMin, SeatsMax, this);
}

void TFrame1::ShowCoefficients()
{
  for (int i = 0; i < 6; ++i)
    AEdits[i]->setText(formatFixed(FRoom->FAlpha[i], 3));
}

namespace {
report::TReportModule* gReportModule = nullptr;
}

void SetReportModule(report::TReportModule* module)
{
  gReportModule = module;
}

TCheckReportRunner& checkReportRunner()
{
  static TCheckReportRunner runner = [](QWidget* parent, TRoom& room) {
    if (!gReportModule) {
      showMessage(parent, u8(appstr::ReportNotReady));
      return;
    }
    gReportModule->FRoom = &room;
    gReportModule->RunCheckReport(parent);
  };
  return runner;
}

TGabaritCalcForm::TGabaritCalcForm(TRoom& room, std::function<bool()> saveProject, QWidget* parent)
  : QDialog(parent), FSaveProject(std::move(saveProject))
{
  setWindowTitle(u8(appstr::CheckCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* saveAction = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), u8(appstr::MenuSave), this);
  saveAction->setToolTip(u8(appstr::HintSave));
  connect(saveAction, &QAction::triggered, this, [this] { guarded(this, [this] { SaveClick(); }); });
  auto* contentsAction = new QAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), u8(appstr::MenuContents), this);
  contentsAction->setToolTip(u8(appstr::HintHelp));
  connect(contentsAction, &QAction::triggered, this, [] { ShowHelpTopic(); });

  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(u8(appstr::MenuFile));
  file->addAction(saveAction);
  file->addSeparator();
  file->addAction(u8(appstr::MenuExit), this, &QDialog::reject);
  QMenu* help = menu->addMenu(u8(appstr::MenuHelp));
  help->addAction(contentsAction);
  help->addAction(u8(appstr::MenuSnip), this, [this] { OpenSnip(this); });
  help->addAction(u8(appstr::MenuSp), this, [this] { OpenSp(this); });
  help->addAction(u8(appstr::MenuGuide), this, [this] { ShowGuide(this); });
  help->addSeparator();
  help->addAction(u8(appstr::MenuAbout), this, [this] {
    TAboutForm about(this);
    runModal(about);
  });

  auto* tools = new QToolBar(this);
  tools->setIconSize(QSize(20, 20));
  tools->addAction(saveAction);
  tools->addSeparator();
  tools->addAction(contentsAction);
  // The tool buttons show their hints, not the menu texts.
  for (QAction* a : {saveAction, contentsAction})
    tools->widgetForAction(a)->setToolTip(a->toolTip());

  FFrame = new TFrame1(this);
  FFrame->FRoom = &room;
  auto* close = new QPushButton(u8(appstr::Close), this);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addWidget(tools);
  layout->addWidget(FFrame);
  layout->addWidget(close, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(FFrame->BtnCalc, &QPushButton::clicked, this, [this] { guarded(this, [this] { BtnCalcClick(); }); });
  connect(FFrame->BtnCalcCoef, &QPushButton::clicked, this, [this] { guarded(this, [this] { BtnCalcCoefClick(); }); });
  connect(FFrame->Button8, &QToolButton::clicked, this, [this] { guarded(this, [this] { Button8Click(); }); });
  connect(FFrame->Button9, &QToolButton::clicked, this, [this] { guarded(this, [this] { Button9Click(); }); });
}

void TGabaritCalcForm::BtnCalcClick()
{
  FFrame->FRoom->FSaved = false;
  FFrame->ReadFields();
  FFrame->FRoom->Calculate();
  checkReportRunner()(this, *FFrame->FRoom);
}

void TGabaritCalcForm::SaveClick()
{
  FFrame->ReadFields();
  if (FSaveProject)
    FSaveProject();
}

void TGabaritCalcForm::BtnCalcCoefClick()
{
  FFrame->ReadFields();
  // The coefficients are shown again however the absorption window ends.
  try {
    TForm2 form(*FFrame->FRoom, this);
    form.Execute();
  } catch (...) {
    FFrame->ShowCoefficients();
    throw;
  }
  FFrame->ShowCoefficients();
}

void TGabaritCalcForm::Button8Click()
{
  FFrame->SpolEdit->setText(formatFixed(CalcFloorArea(this), 6));
}

void TGabaritCalcForm::Button9Click()
{
  FFrame->VEdit->setText(formatFixed(CalcVolume(this), 6));
}

void OpenCheckWindow(TRoom& room, const std::function<bool()>& saveProject, QWidget* parent)
{
  TGabaritCalcForm form(room, saveProject, parent);
  form.Frame()->FillFields();
  runModal(form);
}

} // namespace sonvela
