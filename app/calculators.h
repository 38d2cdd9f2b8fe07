// The two small calculators of the check window: floor area and air volume from the hall's dimensions.
#pragma once
#include <QDialog>
#include <array>

class QLineEdit;

namespace sonvela {

// A dialog of labelled edits, all preset to "10", and "OK".
class TCalculatorForm : public QDialog {
  Q_OBJECT
public:
  TCalculatorForm(const char* caption, int edits, QWidget* parent);
  QLineEdit* WidthEdit() const { return FEdits[0]; }
  QLineEdit* LengthEdit() const { return FEdits[1]; }
  QLineEdit* HeightEdit() const { return FEdits[2]; } // nullptr in the area form

private:
  std::array<QLineEdit*, 3> FEdits{};
};

// Each shows its form modally; however it is closed, the values are read (1 to 10 000)
// and their product returned. A refused value throws EAbort after its message.
double CalcFloorArea(QWidget* parent);
double CalcVolume(QWidget* parent);

} // namespace sonvela
