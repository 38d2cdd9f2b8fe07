// The materials base window: one category of the base as a tree; add, delete, edit and choose materials.
#include "app/alphabase.h"

#include "app/help.h"
#include "app/numreaders.h"
#include "app/startup.h"
#include "app/strings.h"
#include "app/uihooks.h"
#include "core/materials.h"
#include "core/surfaces.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

namespace sonvela {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

constexpr double MaxCoef = 0.9999;
constexpr double MinAmount = 1;
constexpr double MaxAmount = 300000;
// The largest value the coefficient mask (one digit before the separator) can show.
constexpr double MaskLimit = 9.9995;

TMaterial* materialOf(const QTreeWidgetItem* item)
{
  return item ? reinterpret_cast<TMaterial*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

} // namespace

TAlphaBaseForm::TAlphaBaseForm(TMaterialBase& base, TPovPoglot& entry, QWidget* parent)
  : QDialog(parent), FBase(base), FEntry(entry)
{
  setWindowTitle(u8(appstr::BaseCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* kind = new QGroupBox(this);
  FPieceRadio = new QRadioButton(u8(appstr::KindPieces), kind);
  FSurfaceRadio = new QRadioButton(u8(appstr::KindSurfaces), kind);
  FSurfaceRadio->setChecked(true);
  auto* kl = new QHBoxLayout(kind);
  kl->addWidget(FPieceRadio);
  kl->addWidget(FSurfaceRadio);
  kl->addStretch(1);

  FTree = new QTreeWidget(this);
  FTree->setHeaderHidden(true);
  FTree->setMinimumSize(300, 320);
  // The selection stays visible when the tree loses the focus.
  QPalette pal = FTree->palette();
  pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
  FTree->setPalette(pal);

  FFullMaterEdit = new QLineEdit(this);
  FFastNameCheck = new QCheckBox(u8(appstr::NoQuickName), this);

  FCoefGroup = new QGroupBox(this);
  auto* cg = new QGridLayout(FCoefGroup);
  for (int i = 0; i < 6; ++i) {
    FCoefEdits[i] = new QLineEdit(FCoefGroup);
    FCoefEdits[i]->setInputMask(AppPaths().CoefMask);
    FCoefEdits[i]->setFixedWidth(70);
    cg->addWidget(new QLabel(u8(appstr::BandLabels[i]), FCoefGroup), i % 3, (i / 3) * 2);
    cg->addWidget(FCoefEdits[i], i % 3, (i / 3) * 2 + 1);
  }
  cg->setColumnStretch(4, 1);

  FAmountLabel = new QLabel(this);
  FSEdit = new QLineEdit(this);
  FSEdit->setFixedWidth(110);

  auto* add = new QPushButton(u8(appstr::Add), this);
  auto* del = new QPushButton(u8(appstr::Delete), this);
  auto* help = new QPushButton(u8(appstr::Help), this);
  auto* choose = new QPushButton(u8(appstr::Choose), this);
  choose->setDefault(true);

  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(u8(appstr::FullName), this));
  right->addWidget(FFullMaterEdit);
  right->addWidget(FFastNameCheck);
  right->addWidget(FCoefGroup);
  auto* amount = new QHBoxLayout;
  amount->addWidget(FAmountLabel);
  amount->addWidget(FSEdit);
  amount->addStretch(1);
  right->addLayout(amount);
  right->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(del);
  buttons->addStretch(1);
  buttons->addWidget(help);
  buttons->addWidget(choose);
  right->addLayout(buttons);

  auto* body = new QHBoxLayout;
  body->addWidget(FTree, 1);
  body->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(kind);
  layout->addLayout(body, 1);

  connect(FPieceRadio, &QRadioButton::clicked, this, [this] { SetKind(0); });
  connect(FSurfaceRadio, &QRadioButton::clicked, this, [this] { SetKind(1); });
  // A node chosen with the mouse or the keys; the tree's own changes while it is rebuilt
  // or put back are not choices.
  connect(FTree, &QTreeWidget::currentItemChanged, this, [this] {
    if (!FRebuilding)
      TreeClick();
  });
  connect(add, &QPushButton::clicked, this, [this] { guarded(this, [this] { AddClick(); }); });
  connect(del, &QPushButton::clicked, this, [this] { guarded(this, [this] { DeleteClick(); }); });
  connect(help, &QPushButton::clicked, this, &TAlphaBaseForm::HelpClick);
  connect(choose, &QPushButton::clicked, this, [this] { ChooseClick(); });

  ApplyKind();
}

void TAlphaBaseForm::PrepareEditEntry()
{
  // The entry's own amount, not a fixed one: "Выбрать" stores the field as the entry's
  // area or count, so any other preset would silently replace what the user entered.
  // (An entry that never got an amount keeps the preset 1.)
  if (FEntry.FAmount > 0) {
    FAmount = FEntry.FAmount;
    FSEdit->setText(formatShortest(FAmount));
  }
  FSelected = FEntry.Material();
  if (!FSelected)
    return;
  FMaterialToSelect = FSelected;
  // Setting the kind here stores nothing into the material.
  (FEntry.FIsSurface ? FSurfaceRadio : FPieceRadio)->setChecked(true);
  ApplyKind();
  ShowMaterial();
}

void TAlphaBaseForm::SetKind(int index)
{
  const bool piece = index == 0;
  if (piece != FPieceMode && FSelected) {
    try {
      StoreEdits();
    } catch (...) {
      // The selected material's edits were refused: the category stays.
      (FPieceMode ? FPieceRadio : FSurfaceRadio)->setChecked(true);
      reportException(this, std::current_exception());
      return;
    }
  }
  (piece ? FPieceRadio : FSurfaceRadio)->setChecked(true);
  if (piece != FPieceMode)
    guarded(this, [this] { ApplyKind(); });
}

void TAlphaBaseForm::ApplyKind()
{
  FPieceMode = FPieceRadio->isChecked();
  if (FPieceMode) {
    FCoefGroup->setTitle(u8(appstr::PieceGroup));
    FAmountLabel->setText(u8(appstr::PieceAmountLabel));
    FRoot = FBase.FPieceAbsorbers.Root();
  } else {
    FCoefGroup->setTitle(u8(appstr::SurfaceValues));
    FAmountLabel->setText(u8(appstr::SurfaceAmountLabel));
    FRoot = FBase.FSurfaceMaterials.Root();
  }
  // Shown exactly in both kinds: rounding a preset area would change it on "Выбрать".
  FSEdit->setText(formatShortest(FAmount));
  RebuildTree();
}

void TAlphaBaseForm::RebuildTree()
{
  FRebuilding = true;
  for (int i = 0; i < 6; ++i)
    SetCoefText(i, 0);
  TAlphaList& list = *FRoot->FOwner;
  list.RefreshHasChildren();
  FTree->clear();
  std::set<const TMaterial*> placed;
  QTreeWidgetItem* toSelect = nullptr;
  auto addNode = [&](auto&& self, TMaterial* m, QTreeWidgetItem* parent) -> void {
    // A material appears once, whatever its links say.
    if (!placed.insert(m).second)
      return;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(FTree);
    item->setText(0, QString::fromStdString(m->FName));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(m)));
    if (m == FMaterialToSelect)
      toSelect = item;
    if (!m->FHasChildren)
      return;
    for (int i = 0; i < list.Count(); ++i)
      if (list.Items(i)->FParent == m)
        self(self, list.Items(i), item);
  };
  addNode(addNode, FRoot, nullptr);
  FTree->topLevelItem(0)->setExpanded(true);
  if (toSelect) {
    FTree->setCurrentItem(toSelect);
    toSelect->setExpanded(true);
    FTree->scrollToItem(toSelect, QAbstractItemView::PositionAtCenter);
  }
  // The edits always belong to the material the buttons act on: one outside the category
  // now shown is no longer selected, so that the cleared edits are never stored into it.
  if (FSelected && !ItemOf(FSelected))
    FSelected = nullptr;
  if (FSelected)
    ShowMaterial();
  FRebuilding = false;
}

QTreeWidgetItem* TAlphaBaseForm::ItemOf(const TMaterial* material) const
{
  for (QTreeWidgetItemIterator it(FTree); *it; ++it)
    if (materialOf(*it) == material)
      return *it;
  return nullptr;
}

void TAlphaBaseForm::TreeClick()
{
  guarded(this, [this] {
    TMaterial* clicked = materialOf(FTree->currentItem());
    try {
      if (FSelected && clicked != FSelected)
        StoreEdits();
    } catch (...) {
      // The edits of the selected material were refused: it stays selected, with the
      // text the user is to correct.
      if (QTreeWidgetItem* item = ItemOf(FSelected)) {
        const QSignalBlocker block(FTree);
        FTree->setCurrentItem(item);
      }
      throw;
    }
    FSelected = clicked;
    if (FSelected)
      ShowMaterial();
  });
}

void TAlphaBaseForm::SelectMaterial(TMaterial* material)
{
  if (QTreeWidgetItem* item = ItemOf(material))
    FTree->setCurrentItem(item);
}

void TAlphaBaseForm::SetCoefText(int band, double value)
{
  QLineEdit* edit = FCoefEdits[band];
  // A value the mask cannot hold (negative, or ten and more) is shown without the mask,
  // so that it is neither cut nor changed when the edits are stored.
  const bool fits = value >= 0 && value < MaskLimit;
  if (fits != !edit->inputMask().isEmpty())
    edit->setInputMask(fits ? AppPaths().CoefMask : QString());
  edit->setText(formatFixed(value, 3));
}

QString TAlphaBaseForm::CoefText(int band) const
{
  QString text = FCoefEdits[band]->text();
  text.remove(QLatin1Char('_'));
  text = text.trimmed();
  // "0," as the mask leaves a whole number.
  if (text.endsWith(QLatin1Char(decimalSeparator())))
    text.chop(1);
  return text;
}

void TAlphaBaseForm::ShowMaterial()
{
  if (!FSelected)
    return;
  for (int i = 0; i < 6; ++i)
    SetCoefText(i, FSelected->FCoef[i]);
  FFastNameCheck->setChecked(!FSelected->FInQuickName);
  FFullMaterEdit->setText(QString::fromStdString(FSelected->FFullName));
}

void TAlphaBaseForm::StoreEdits()
{
  if (!FSelected)
    return;
  for (int i = 0; i < 6; ++i)
    FSelected->FCoef[i] = ReadFloatSoft(CoefText(i), appstr::BandLabels[i], 0, MaxCoef, this);
  FSelected->FFullName = FFullMaterEdit->text().toStdString();
  FSelected->FInQuickName = !FFastNameCheck->isChecked();
}

void TAlphaBaseForm::AddClick()
{
  StoreEdits();
  if (!FSelected)
    return;
  QString name;
  const bool ok = FPieceMode ? inputQuery(this, u8(appstr::NewPieceCaption), u8(appstr::NewPiecePrompt), name)
                             : inputQuery(this, u8(appstr::NewMaterialCaption), u8(appstr::NewMaterialPrompt), name);
  if (!ok || name.isEmpty())
    return;
  auto material = std::make_unique<TMaterial>();
  material->FName = name.toStdString();
  material->FParent = FSelected;
  material->ComposeFullName();
  TMaterial* added = FSelected->FOwner->AddMaterial(std::move(material));
  FMaterialToSelect = added;
  FSelected = added;
  RebuildTree();
}

void TAlphaBaseForm::DeleteClick()
{
  if (!FSelected || FSelected == FRoot)
    return;
  const QString question =
      u8(appstr::DeletePrefix) + QString::fromStdString(FSelected->FName) + u8(appstr::DeleteSuffix);
  if (askQuestion(this, question, false) != TAnswer::Yes)
    return;
  TAlphaList& list = *FSelected->FOwner;
  list.RefreshHasChildren();
  // A material with children stays where it is.
  if (!FSelected->FHasChildren) {
    TMaterial* parent = FSelected->FParent;
    if (FMaterialToSelect == FSelected)
      FMaterialToSelect = nullptr;
    if (list.Delete(FSelected)) {
      FSelected = parent;
      FMaterialToSelect = parent;
    }
  }
  if (FSelected)
    FMaterialToSelect = FSelected;
  RebuildTree();
  if (QTreeWidgetItem* item = FTree->currentItem())
    FSelected = materialOf(item);
  ShowMaterial();
}

void TAlphaBaseForm::ChooseClick()
{
  // The window closes however the choice ends.
  guarded(this, [this] {
    if (!FSelected)
      return;
    FStoredOnChoose = true;
    StoreEdits();
    FEntry.FCoef = FSelected->FCoef;
    FEntry.LinkMaterial(FSelected);
    FEntry.FMaterialId = FSelected->FId;
    FEntry.FIsSurface = !FPieceMode;
    FEntry.FMaterialName = FSelected->FName;
    FEntry.FMaterialFullName = FSelected->FFullName;
    FEntry.FAmount = ReadFloatSoft(FSEdit->text(), FPieceMode ? appstr::PieceAmountMsg : appstr::SurfaceAmountLabel,
                                   MinAmount, MaxAmount, this);
  });
  accept();
}

void TAlphaBaseForm::HelpClick()
{
  ShowHelpTopic(QStringLiteral("HotHelpBaseEditor"));
}

void TAlphaBaseForm::done(int result)
{
  // Closing in any way keeps what was typed for the selected material.
  if (!FStoredOnChoose)
    guarded(this, [this] { StoreEdits(); });
  FStoredOnChoose = false;
  QDialog::done(result);
}

void TAlphaBaseForm::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  // Laid out only now: the chosen material can be brought into view.
  if (QTreeWidgetItem* item = FTree->currentItem())
    FTree->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

QString TAlphaBaseForm::GroupCaption() const { return FCoefGroup->title(); }
QString TAlphaBaseForm::AmountCaption() const { return FAmountLabel->text(); }

void ChooseMaterial(TPovPoglot& entry, QWidget* parent)
{
  TAlphaBaseForm form(*MaterialBase, entry, parent);
  runModal(form);
}

void EditEntryMaterial(TPovPoglot& entry, QWidget* parent)
{
  TAlphaBaseForm form(*MaterialBase, entry, parent);
  form.PrepareEditEntry();
  runModal(form);
}

} // namespace sonvela
