// The materials base window: one category of the base as a tree; add, delete, edit and choose materials.
#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sonvela {

class TMaterial;
class TMaterialBase;
class TPovPoglot;

class TAlphaBaseForm : public QDialog {
  Q_OBJECT
public:
  TAlphaBaseForm(TMaterialBase& base, TPovPoglot& entry, QWidget* parent = nullptr);

  // Opens the entry's linked material for editing, with the entry's own amount preset.
  void PrepareEditEntry();

  void ApplyKind();
  void RebuildTree();
  void ShowMaterial();
  void StoreEdits();
  void AddClick();
  void DeleteClick();
  void ChooseClick();
  void HelpClick();
  // The kind radio group: 0 piece absorbers, 1 surfaces.
  void SetKind(int index);
  // A node chosen in the tree, as a click does.
  void SelectMaterial(TMaterial* material);

  TMaterial* Selected() const { return FSelected; }
  bool PieceMode() const { return FPieceMode; }
  QTreeWidget* Tree() const { return FTree; }
  QLineEdit* CoefEdit(int band) const { return FCoefEdits[band]; }
  QLineEdit* FullNameEdit() const { return FFullMaterEdit; }
  QCheckBox* QuickNameCheck() const { return FFastNameCheck; }
  QLineEdit* AmountEdit() const { return FSEdit; }
  QString GroupCaption() const;
  QString AmountCaption() const;
  QTreeWidgetItem* ItemOf(const TMaterial* material) const;

  void done(int result) override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void TreeClick();
  void SetCoefText(int band, double value);
  QString CoefText(int band) const;

  TMaterialBase& FBase;
  TPovPoglot& FEntry;
  TMaterial* FSelected = nullptr;
  TMaterial* FRoot = nullptr;
  TMaterial* FMaterialToSelect = nullptr;
  bool FPieceMode = false;
  double FAmount = 1;
  bool FStoredOnChoose = false;
  bool FRebuilding = false;

  QRadioButton* FPieceRadio;
  QRadioButton* FSurfaceRadio;
  QTreeWidget* FTree;
  QLineEdit* FFullMaterEdit;
  QCheckBox* FFastNameCheck;
  QGroupBox* FCoefGroup;
  std::array<QLineEdit*, 6> FCoefEdits{};
  QLabel* FAmountLabel;
  QLineEdit* FSEdit;
};

// The materials window for a new entry (ChooseMaterial) and for an existing one
// (EditEntryMaterial).
void ChooseMaterial(TPovPoglot& entry, QWidget* parent);
void EditEntryMaterial(TPovPoglot& entry, QWidget* parent);

} // namespace sonvela
