// The check window: the input frame of the space-planning and reverberation check, its menu and tool bar.
#pragma once
#include <QDialog>
#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace sonvela {

class TRoom;

// The input frame: one edit per input of the check, the calculators' buttons and the
// button of the absorption window.
class TFrame1 : public QWidget {
  Q_OBJECT
public:
  explicit TFrame1(QWidget* parent = nullptr);

  // The project the frame edits; set before FillFields.
  TRoom* FRoom = nullptr;

  // Project -> edits. Like any change of a field, this marks the project changed.
  void FillFields();
  // Edits -> project, in the fixed order; each value is stored as soon as it passes, and
  // a refused one throws EAbort after its message.
  void ReadFields();
  // The coefficient edits, three decimals each.
  void ShowCoefficients();

  QLineEdit* NameEdit;
  QComboBox* TypeCombo;
  QLineEdit* LEdit;
  QLineEdit* SpolEdit;
  QToolButton* Button8;
  QLineEdit* VEdit;
  QToolButton* Button9;
  QLineEdit* SogrEdit;
  QLineEdit* SpecNumEdit;
  QPushButton* BtnCalcCoef;
  std::array<QLineEdit*, 6> AEdits{};
  QPushButton* BtnCalc;

private:
  void FieldChanged();
};

namespace report {
class TReportModule;
}

// The report module created at start-up; the check report runs through it.
void SetReportModule(report::TReportModule* module);

// Runs the check report of a project whose check has just been computed. The default
// shows the report module's preview; tests replace it.
using TCheckReportRunner = std::function<void(QWidget* parent, TRoom& room)>;
TCheckReportRunner& checkReportRunner();

class TGabaritCalcForm : public QDialog {
  Q_OBJECT
public:
  // saveProject is the start window's "Сохранить"; it returns whether the project was written.
  TGabaritCalcForm(TRoom& room, std::function<bool()> saveProject, QWidget* parent = nullptr);

  TFrame1* Frame() const { return FFrame; }

  void BtnCalcClick();
  void SaveClick();
  void BtnCalcCoefClick();
  void Button8Click();
  void Button9Click();

private:
  TFrame1* FFrame;
  std::function<bool()> FSaveProject;
};

// Opens the check window on the project modally; closing it copies nothing back.
void OpenCheckWindow(TRoom& room, const std::function<bool()>& saveProject, QWidget* parent);

} // namespace sonvela
