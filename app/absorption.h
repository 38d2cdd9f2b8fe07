// The absorption window: the project's surfaces and piece absorbers and the average absorption coefficients.
#pragma once
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace sonvela {

class TPovPoglot;
class TRoom;

class TForm2 : public QDialog {
  Q_OBJECT
public:
  TForm2(TRoom& room, QWidget* parent = nullptr);

  // FillList, then shows the window modally. The first name is asked for at once when the
  // project has no entries yet.
  int Execute();

  void FillList();
  void ShowEntry();
  void AddEntry();
  void DeleteEntry();
  void ChangeClick();
  void ShowResults();
  void CloseClick();
  void HelpClick();
  // Selecting a name in the list.
  void PovListClick();

  TPovPoglot* Current() const { return FCurrent; }
  QListWidget* PovList() const { return FPovList; }
  QTabWidget* Pages() const { return FPages; }
  // Texts of the details and the results, for tests and screenshots.
  QString EntryTitle() const;
  QString AmountCaption() const;
  QString AmountText() const;
  QString MaterialText() const;
  QString ValueText(int band) const;
  QString EquivText(int band) const;
  QString AverageText(int band) const;
  QString AreaText() const;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormActivate();

  TRoom& FRoom;
  TPovPoglot* FCurrent = nullptr;
  bool FActivated = false;

  QTabWidget* FPages;
  QListWidget* FPovList;
  QLabel* FEntryTitle;
  QLabel* FAmountCaption;
  QLabel* FAmount;
  QGroupBox* FMaterialGroup;
  QLabel* FMaterial;
  QGroupBox* FValuesGroup;
  std::array<QLabel*, 6> FValues{};
  std::array<QLabel*, 6> FEkv{};
  std::array<QLabel*, 6> FAvg{};
  QLabel* FArea;
};

} // namespace sonvela
