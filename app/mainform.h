// The start window: project file commands, the two mode buttons with their frames, hot help.
#pragma once
#include <QMainWindow>
#include <memory>

class QGroupBox;
class QPushButton;

namespace sonvela {

class THelpFrame;
class TRoom;

// Frame of the mode "Проверка объемно-планировочного решения".
class TGabaritStartFrame : public QWidget {
  Q_OBJECT
public:
  explicit TGabaritStartFrame(QWidget* parent);
  QPushButton* StartButton;
};

// Frame of the mode "Проверка равномерности поступления первых отражений". The graphical
// editor is not part of this version: its button stays disabled.
class TGraphicStartFrame : public QWidget {
  Q_OBJECT
public:
  explicit TGraphicStartFrame(QWidget* parent);
  QPushButton* StartButton;
};

class TMainF : public QMainWindow {
  Q_OBJECT
public:
  explicit TMainF(QWidget* parent = nullptr);
  ~TMainF() override;

  TRoom& Room() const { return *FRoom; }
  QWidget* ModeFrame() const { return FModeFrame; }
  THelpFrame* HelpFrame() const { return FHelpFrame; }
  QPushButton* GabaritButton() const { return FGabaritButton; }
  QPushButton* GraphicButton() const { return FGraphicButton; }
  bool ShowAboutPending() const { return FShowAbout; }

  // The file commands; each returns whether it went through.
  bool NewClick();
  bool OpenClick();
  bool SaveClick();
  bool SaveAsClick();
  // Asks "Сохранить изменения?" while the project holds unsaved changes; false = stop.
  bool AskSaveChanges();

  // What the window does each time it becomes active.
  void FormActivate();
  // The mode buttons pressed or released.
  void GabaritToggled(bool down);
  void GraphicToggled(bool down);
  // The start frame's "Выполнить расчет".
  void OpenCheck();

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  bool WriteProject(const QString& path);
  void UpdateCaption();
  void ShowModeFrame(QWidget* frame, const char* topic);
  void QueueActivation();

  std::unique_ptr<TRoom> FRoom;
  QWidget* FModeFrame = nullptr;
  bool FShowAbout = true;
  bool FActivationQueued = false;
  QPushButton* FGabaritButton;
  QPushButton* FGraphicButton;
  QGroupBox* FModeGroup;
  THelpFrame* FHelpFrame;
};

} // namespace sonvela
