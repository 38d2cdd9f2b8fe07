// The two small calculators of the check window.
#include "app/calculators.h"

#include "app/numreaders.h"
#include "app/strings.h"
#include "app/uihooks.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonvela {

TCalculatorForm::TCalculatorForm(const char* caption, int edits, QWidget* parent) : QDialog(parent)
{
  setWindowTitle(QString::fromUtf8(caption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* form = new QFormLayout;
  const char* labels[3] = {appstr::CalcWidth, appstr::CalcLength, appstr::CalcHeight};
  for (int i = 0; i < edits; ++i) {
    FEdits[i] = new QLineEdit(QStringLiteral("10"), this);
    FEdits[i]->setFixedWidth(100);
    form->addRow(QString::fromUtf8(labels[i]), FEdits[i]);
  }
  auto* ok = new QPushButton(QString::fromUtf8(appstr::Ok), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  setFixedSize(sizeHint());
}

namespace {
constexpr double MinDimension = 1;
constexpr double MaxDimension = 10000;

double readDimension(QLineEdit* edit, const char* label, QWidget* parent)
{
  return ReadFloat(edit->text(), label, MinDimension, MaxDimension, parent);
}
} // namespace

double CalcFloorArea(QWidget* parent)
{
  TCalculatorForm form(appstr::AreaCaption, 2, parent);
  runModal(form);
  const double width = readDimension(form.WidthEdit(), appstr::MsgWidth, parent);
  const double length = readDimension(form.LengthEdit(), appstr::MsgCalcLength, parent);
  return width * length;
}

double CalcVolume(QWidget* parent)
{
  TCalculatorForm form(appstr::VolumeCaption, 3, parent);
  runModal(form);
  const double width = readDimension(form.WidthEdit(), appstr::MsgWidth, parent);
  const double length = readDimension(form.LengthEdit(), appstr::MsgCalcLength, parent);
  const double height = readDimension(form.HeightEdit(), appstr::MsgHeight, parent);
  return width * length * height;
}

} // namespace sonvela
