// The absorption window: the project's surfaces and piece absorbers and the average absorption coefficients.
#include "app/absorption.h"

#include "app/alphabase.h"
#include "app/help.h"
#include "app/numreaders.h"
#include "app/strings.h"
#include "app/uihooks.h"
#include "core/room.h"
#include "core/surfaces.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace sonvela {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QLabel* valueLabel(QWidget* parent)
{
  auto* l = new QLabel(parent);
  l->setMinimumWidth(90);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setFrameShape(QFrame::StyledPanel);
  l->setFrameShadow(QFrame::Sunken);
  return l;
}

} // namespace

TForm2::TForm2(TRoom& room, QWidget* parent) : QDialog(parent), FRoom(room)
{
  setWindowTitle(u8(appstr::AbsorptionCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* formula = new QLabel(u8(appstr::FormulaLine), this);
  QFont bold = formula->font();
  bold.setBold(true);
  formula->setFont(bold);

  // Page "Исходные данные": the names, their buttons and the details of the selected one.
  auto* input = new QWidget;
  FPovList = new QListWidget(input);
  FPovList->setMinimumWidth(200);
  auto* add = new QPushButton(u8(appstr::Add), input);
  auto* del = new QPushButton(u8(appstr::Delete), input);
  auto* change = new QPushButton(u8(appstr::Change), input);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(del);
  buttons->addWidget(change);
  auto* left = new QVBoxLayout;
  left->addWidget(FPovList, 1);
  left->addLayout(buttons);

  auto* details = new QGroupBox(input);
  FEntryTitle = new QLabel(details);
  FEntryTitle->setFont(bold);
  FEntryTitle->setWordWrap(true);
  FAmountCaption = new QLabel(details);
  FAmount = valueLabel(details);
  auto* amountRow = new QHBoxLayout;
  amountRow->addWidget(FAmountCaption);
  amountRow->addWidget(FAmount);
  amountRow->addStretch(1);

  FMaterialGroup = new QGroupBox(details);
  auto* ml = new QHBoxLayout(FMaterialGroup);
  ml->addWidget(new QLabel(u8(appstr::MaterialCaption), FMaterialGroup));
  FMaterial = new QLabel(u8(appstr::MaterialNotChosen), FMaterialGroup);
  FMaterial->setWordWrap(true);
  ml->addWidget(FMaterial, 1);

  FValuesGroup = new QGroupBox(details);
  auto* vl = new QGridLayout(FValuesGroup);
  for (int i = 0; i < 6; ++i) {
    FValues[i] = valueLabel(FValuesGroup);
    vl->addWidget(new QLabel(u8(appstr::BandCaptions[i]), FValuesGroup), i % 3, (i / 3) * 2);
    vl->addWidget(FValues[i], i % 3, (i / 3) * 2 + 1);
  }
  auto* dl = new QVBoxLayout(details);
  dl->addWidget(FEntryTitle);
  dl->addLayout(amountRow);
  dl->addWidget(FMaterialGroup);
  dl->addWidget(FValuesGroup);
  dl->addStretch(1);

  auto* il = new QHBoxLayout(input);
  il->addLayout(left);
  il->addWidget(details, 1);

  // Page "Результаты расчета".
  auto* results = new QWidget;
  auto* rl = new QGridLayout(results);
  const char* heads[3] = {appstr::ColFrequency, appstr::ColEquivArea, appstr::ColAverage};
  for (int c = 0; c < 3; ++c) {
    auto* h = new QLabel(u8(heads[c]), results);
    h->setFont(bold);
    h->setWordWrap(true);
    h->setAlignment(Qt::AlignCenter);
    rl->addWidget(h, 0, c);
  }
  for (int i = 0; i < 6; ++i) {
    auto* band = new QLabel(u8(appstr::BandNames[i]), results);
    band->setAlignment(Qt::AlignCenter);
    rl->addWidget(band, i + 1, 0);
    FEkv[i] = valueLabel(results);
    FAvg[i] = valueLabel(results);
    rl->addWidget(FEkv[i], i + 1, 1);
    rl->addWidget(FAvg[i], i + 1, 2);
  }
  auto* areaCaption = new QLabel(u8(appstr::TotalArea), results);
  FArea = valueLabel(results);
  rl->addWidget(areaCaption, 7, 0, 1, 2, Qt::AlignRight);
  rl->addWidget(FArea, 7, 2);
  rl->setRowStretch(8, 1);

  FPages = new QTabWidget(this);
  FPages->addTab(input, u8(appstr::PageInput));
  FPages->addTab(results, u8(appstr::PageResults));

  auto* close = new QPushButton(u8(appstr::Close), this);
  auto* help = new QPushButton(u8(appstr::Help), this);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(close);
  bottom->addWidget(help);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(formula);
  layout->addWidget(FPages, 1);
  layout->addLayout(bottom);
  resize(720, 420);

  connect(add, &QPushButton::clicked, this, [this] { guarded(this, [this] { AddEntry(); }); });
  connect(del, &QPushButton::clicked, this, [this] { guarded(this, [this] { DeleteEntry(); }); });
  connect(change, &QPushButton::clicked, this, [this] { guarded(this, [this] { ChangeClick(); }); });
  connect(close, &QPushButton::clicked, this, [this] { guarded(this, [this] { CloseClick(); }); });
  connect(help, &QPushButton::clicked, this, &TForm2::HelpClick);
  connect(FPages, &QTabWidget::currentChanged, this, [this] { guarded(this, [this] { ShowResults(); }); });
  connect(FPovList, &QListWidget::itemClicked, this, [this] { PovListClick(); });
}

int TForm2::Execute()
{
  FillList();
  return runModal(*this);
}

void TForm2::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  // The first name is asked for once the window is on the screen, not from inside the
  // event that shows it.
  if (!FActivated) {
    FActivated = true;
    QTimer::singleShot(0, this, [this] { guarded(this, [this] { FormActivate(); }); });
  }
}

// On opening: a project without entries starts with the question for the first name.
// (Asked on opening only: asking again whenever the window is reactivated would never let
// the user leave an empty list.)
void TForm2::FormActivate()
{
  if (FRoom.FSurfaces->Count() == 0)
    AddEntry();
  else if (FPovList->count() > 0 && !FPovList->currentItem())
    FPovList->setCurrentRow(0);
}

void TForm2::FillList()
{
  std::vector<std::string> names;
  FRoom.FSurfaces->FillNames(names);
  FPovList->clear();
  for (const std::string& n : names)
    FPovList->addItem(QString::fromStdString(n));
  FCurrent = nullptr;
  if (FPovList->count() > 0) {
    FPovList->setCurrentRow(0);
    FCurrent = FRoom.FSurfaces->Items(0);
  }
  ShowEntry();
}

void TForm2::PovListClick()
{
  const int row = FPovList->currentRow();
  if (row < 0)
    return;
  const int index = FRoom.FSurfaces->IndexOfName(FPovList->item(row)->text().toStdString());
  FCurrent = index >= 0 ? FRoom.FSurfaces->Items(index) : nullptr;
  ShowEntry();
}

void TForm2::ShowEntry()
{
  if (!FCurrent) {
    FEntryTitle->setText(u8(appstr::NoEntry));
    FAmountCaption->setText(u8(appstr::NoEntryAmount));
    FMaterialGroup->setTitle(u8(appstr::NoEntryKind));
    FValuesGroup->setTitle(u8(appstr::SurfaceValues));
    FAmount->setText(QStringLiteral("0"));
    for (QLabel* v : FValues)
      v->setText(QStringLiteral("0"));
    FMaterial->setText(u8(appstr::NoMaterial));
    return;
  }
  const TPovPoglot& e = *FCurrent;
  const QString name = QString::fromStdString(e.FName);
  if (e.FIsSurface) {
    FEntryTitle->setText(u8(appstr::SurfacePrefix) + name);
    FAmountCaption->setText(u8(appstr::SurfaceAmount));
    FMaterialGroup->setTitle(u8(appstr::SurfaceMaterial));
    FValuesGroup->setTitle(u8(appstr::SurfaceValues));
  } else {
    FEntryTitle->setText(u8(appstr::PiecePrefix) + name);
    FAmountCaption->setText(u8(appstr::PieceAmount));
    FMaterialGroup->setTitle(u8(appstr::PieceMaterial));
    FValuesGroup->setTitle(u8(appstr::PieceValues));
  }
  FAmount->setText(formatFixed(e.FAmount, 3));
  for (int i = 0; i < 6; ++i)
    FValues[i]->setText(formatFixed(e.FCoef[i], 3));
  // The stored name, also when the material has since been deleted from the base.
  FMaterial->setText(QString::fromStdString(e.FMaterialFullName));
}

void TForm2::AddEntry()
{
  QString name;
  for (;;) {
    name.clear();
    if (!inputQuery(this, u8(appstr::NewEntryCaption), u8(appstr::NewEntryPrompt), name) || name.isEmpty())
      return;
    if (FRoom.FSurfaces->IndexOfName(name.toStdString()) < 0)
      break;
    showMessage(this, u8(appstr::DuplicateName), TMessageKind::Warning);
  }
  auto entry = std::make_unique<TPovPoglot>();
  entry->FName = name.toStdString();
  entry->FIsSurface = true;
  // The entry joins the list whether or not a material was chosen, even when choosing ended
  // with an error.
  std::exception_ptr error;
  try {
    ChooseMaterial(*entry, this);
  } catch (...) {
    error = std::current_exception();
  }
  TPovPoglot* added = FRoom.FSurfaces->Add(std::move(entry));
  FillList();
  for (int row = 0; row < FPovList->count(); ++row)
    if (FPovList->item(row)->text() == name)
      FPovList->setCurrentRow(row);
  FCurrent = added;
  ShowEntry();
  if (error)
    std::rethrow_exception(error);
}

void TForm2::DeleteEntry()
{
  const int row = FPovList->currentRow();
  if (row < 0 || !FPovList->currentItem()->isSelected())
    return;
  const QString name = FPovList->item(row)->text();
  if (askQuestion(this, u8(appstr::DeletePrefix) + name + u8(appstr::DeleteSuffix), false) != TAnswer::Yes)
    return;
  const int index = FRoom.FSurfaces->IndexOfName(name.toStdString());
  if (index >= 0)
    FRoom.FSurfaces->Delete(index);
  FillList();
  FCurrent = nullptr;
  if (FPovList->count() > 0) {
    const int next = std::min(row, FPovList->count() - 1);
    FPovList->setCurrentRow(next);
    FCurrent = FRoom.FSurfaces->Items(FRoom.FSurfaces->IndexOfName(FPovList->item(next)->text().toStdString()));
  }
  ShowEntry();
}

void TForm2::ChangeClick()
{
  const int row = FPovList->currentRow();
  if (row < 0 || !FPovList->currentItem()->isSelected()) {
    showMessage(this, u8(appstr::NothingToChange), TMessageKind::Warning);
  } else {
    const int index = FRoom.FSurfaces->IndexOfName(FPovList->item(row)->text().toStdString());
    if (index >= 0) {
      std::exception_ptr error;
      try {
        EditEntryMaterial(*FRoom.FSurfaces->Items(index), this);
      } catch (...) {
        error = std::current_exception();
      }
      FillList();
      if (error)
        std::rethrow_exception(error);
      return;
    }
  }
  FillList();
}

void TForm2::ShowResults()
{
  FRoom.CalcAverageAlpha();
  for (int i = 0; i < 6; ++i) {
    FEkv[i]->setText(formatFixed(FRoom.FSurfaces->FEquivArea[i], 6));
    FAvg[i]->setText(formatFixed(FRoom.FAlpha[i], 6));
  }
  FArea->setText(formatFixed(FRoom.FEnclosingArea, 6));
}

void TForm2::CloseClick()
{
  ShowResults();
  accept();
}

void TForm2::HelpClick()
{
  ShowHelpTopic(QStringLiteral("HotHelpMiddleCoeff"));
}

QString TForm2::EntryTitle() const { return FEntryTitle->text(); }
QString TForm2::AmountCaption() const { return FAmountCaption->text(); }
QString TForm2::AmountText() const { return FAmount->text(); }
QString TForm2::MaterialText() const { return FMaterial->text(); }
QString TForm2::ValueText(int band) const { return FValues[band]->text(); }
QString TForm2::EquivText(int band) const { return FEkv[band]->text(); }
QString TForm2::AverageText(int band) const { return FAvg[band]->text(); }
QString TForm2::AreaText() const { return FArea->text(); }

} // namespace sonvela
