// The start window: project file commands, the two mode buttons with their frames, hot help.
#include "app/mainform.h"

#include "app/about.h"
#include "app/checkform.h"
#include "app/help.h"
#include "app/startup.h"
#include "app/strings.h"
#include "app/uihooks.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/room.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace sonvela {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

std::filesystem::path toPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }

QLabel* frameLabel(const char* text, QWidget* parent, bool bold = false)
{
  auto* l = new QLabel(u8(text), parent);
  l->setWordWrap(true);
  if (bold) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
  return l;
}

// Sizes and places of the start window, in pixels.
constexpr int ClientWidth = 665;
constexpr int ClientHeight = 491;
constexpr int HelpHeight = 267;
constexpr int ModeButtonWidth = 313;
constexpr int ModeButtonHeight = 33;
constexpr int ModeGroupWidth = 337;

} // namespace

TGabaritStartFrame::TGabaritStartFrame(QWidget* parent) : QWidget(parent)
{
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(4, 0, 4, 4);
  l->addWidget(frameLabel(appstr::FrameAllows, this, true));
  l->addWidget(frameLabel(appstr::Gabarit1, this));
  l->addWidget(frameLabel(appstr::Gabarit2, this));
  l->addWidget(frameLabel(appstr::Gabarit3, this));
  l->addStretch(1);
  StartButton = new QPushButton(u8(appstr::GabaritButton), this);
  l->addWidget(StartButton, 0, Qt::AlignHCenter);
}

TGraphicStartFrame::TGraphicStartFrame(QWidget* parent) : QWidget(parent)
{
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(4, 0, 4, 4);
  l->addWidget(frameLabel(appstr::FrameAllows, this, true));
  l->addWidget(frameLabel(appstr::Graphic1, this));
  l->addWidget(frameLabel(appstr::GraphicNote, this));
  l->addStretch(1);
  StartButton = new QPushButton(u8(appstr::GraphicButton), this);
  StartButton->setEnabled(false);
  StartButton->setToolTip(u8(appstr::EditorNotReady));
  l->addWidget(StartButton, 0, Qt::AlignHCenter);
}

TMainF::TMainF(QWidget* parent) : QMainWindow(parent), FRoom(std::make_unique<TRoom>())
{
  setWindowTitle(u8(appstr::AppCaption));

  auto* newAction = new QAction(style()->standardIcon(QStyle::SP_FileIcon), u8(appstr::MenuNew), this);
  newAction->setToolTip(u8(appstr::HintNew));
  auto* openAction = new QAction(style()->standardIcon(QStyle::SP_DialogOpenButton), u8(appstr::MenuOpen), this);
  openAction->setToolTip(u8(appstr::HintOpen));
  auto* saveAction = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), u8(appstr::MenuSave), this);
  saveAction->setToolTip(u8(appstr::HintSave));
  auto* contentsAction = new QAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), u8(appstr::MenuContents), this);
  contentsAction->setToolTip(u8(appstr::HintHelp));
  connect(newAction, &QAction::triggered, this, [this] { guarded(this, [this] { NewClick(); }); });
  connect(openAction, &QAction::triggered, this, [this] { guarded(this, [this] { OpenClick(); }); });
  connect(saveAction, &QAction::triggered, this, [this] { guarded(this, [this] { SaveClick(); }); });
  connect(contentsAction, &QAction::triggered, this, [] { ShowHelpTopic(); });

  QMenu* file = menuBar()->addMenu(u8(appstr::MenuFile));
  file->addAction(newAction);
  file->addAction(openAction);
  file->addAction(saveAction);
  file->addAction(u8(appstr::MenuSaveAs), this, [this] { guarded(this, [this] { SaveAsClick(); }); });
  file->addSeparator();
  file->addAction(u8(appstr::MenuExit), this, &QWidget::close);
  QMenu* help = menuBar()->addMenu(u8(appstr::MenuHelp));
  help->addAction(contentsAction);
  help->addAction(u8(appstr::MenuSnip), this, [this] { OpenSnip(this); });
  help->addAction(u8(appstr::MenuGuide), this, [this] { ShowGuide(this); });
  help->addSeparator();
  help->addAction(u8(appstr::MenuAbout), this, [this] {
    TAboutForm about(this);
    runModal(about);
  });

  QToolBar* tools = addToolBar(QString());
  tools->setMovable(false);
  tools->setIconSize(QSize(20, 20));
  tools->addAction(newAction);
  tools->addAction(openAction);
  tools->addAction(saveAction);
  tools->addSeparator();
  tools->addAction(contentsAction);
  // The tool buttons show their hints, not the menu texts.
  for (QAction* a : {newAction, openAction, saveAction, contentsAction})
    tools->widgetForAction(a)->setToolTip(a->toolTip());

  auto* central = new QWidget(this);
  auto* top = new QWidget(central);
  const int topHeight = ClientHeight - HelpHeight - tools->sizeHint().height();
  top->setFixedHeight(topHeight);
  FGabaritButton = new QPushButton(u8(appstr::ModeGabarit), top);
  FGraphicButton = new QPushButton(u8(appstr::ModeGraphic), top);
  // The buttons keep their width unless their caption needs more in the font at hand.
  const int buttonWidth =
      std::max({ModeButtonWidth, FGabaritButton->sizeHint().width(), FGraphicButton->sizeHint().width()});
  const int y0 = (topHeight - 2 * ModeButtonHeight) / 3;
  FGabaritButton->setGeometry(8, y0, buttonWidth, ModeButtonHeight);
  FGraphicButton->setGeometry(8, 2 * y0 + ModeButtonHeight + 6, buttonWidth, ModeButtonHeight);
  for (QPushButton* b : {FGabaritButton, FGraphicButton})
    b->setCheckable(true);
  FModeGroup = new QGroupBox(top);
  FModeGroup->setGeometry(buttonWidth + 15, 2, ModeGroupWidth, topHeight - 6);
  const int clientWidth = std::max(ClientWidth, buttonWidth + 15 + ModeGroupWidth + 4);

  FHelpFrame = new THelpFrame(central);
  // The help panel takes what the window gains when it is made larger.
  FHelpFrame->setMinimumHeight(HelpHeight);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(FHelpFrame, 1);
  setCentralWidget(central);
  resize(clientWidth, ClientHeight + menuBar()->sizeHint().height());
  if (const QScreen* desktop = screen())
    move(desktop->availableGeometry().center() - rect().center());

  connect(FGabaritButton, &QPushButton::toggled, this, &TMainF::GabaritToggled);
  connect(FGraphicButton, &QPushButton::toggled, this, &TMainF::GraphicToggled);
}

TMainF::~TMainF()
{
  if (HotHelpTarget() == FHelpFrame)
    SetHotHelpTarget(nullptr);
}

void TMainF::changeEvent(QEvent* event)
{
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    SetHotHelpTarget(FHelpFrame);
    QueueActivation();
  }
}

// Showing counts as the first activation: without a window manager, or with one that keeps
// new windows from taking the focus, the window may never be activated by itself.
void TMainF::showEvent(QShowEvent* event)
{
  QMainWindow::showEvent(event);
  if (!event->spontaneous())
    QueueActivation();
}

// The About box opens once the activation is over, not from inside it.
void TMainF::QueueActivation()
{
  if (!FShowAbout || FActivationQueued)
    return;
  FActivationQueued = true;
  QTimer::singleShot(0, this, [this] {
    FActivationQueued = false;
    guarded(this, [this] { FormActivate(); });
  });
}

void TMainF::FormActivate()
{
  SetHotHelpTarget(FHelpFrame);
  if (!FShowAbout)
    return;
  FShowAbout = false;
  TAboutForm about(this);
  runModal(about);
  ShowHotHelp(u8(appstr::HotHelpConsecution));
}

void TMainF::ShowModeFrame(QWidget* frame, const char* topic)
{
  delete FModeFrame;
  FModeFrame = frame;
  frame->setGeometry(5, 18, FModeGroup->width() - 10, FModeGroup->height() - 22);
  frame->show();
  ShowHotHelp(u8(topic));
}

void TMainF::GabaritToggled(bool down)
{
  if (down) {
    {
      const QSignalBlocker block(FGraphicButton);
      FGraphicButton->setChecked(false);
    }
    auto* frame = new TGabaritStartFrame(FModeGroup);
    connect(frame->StartButton, &QPushButton::clicked, this, &TMainF::OpenCheck);
    ShowModeFrame(frame, appstr::HotHelpGabaritStart);
  } else {
    delete FModeFrame;
    FModeFrame = nullptr;
    ShowHotHelp(u8(appstr::HotHelpConsecution));
  }
}

void TMainF::GraphicToggled(bool down)
{
  if (down) {
    {
      const QSignalBlocker block(FGabaritButton);
      FGabaritButton->setChecked(false);
    }
    ShowModeFrame(new TGraphicStartFrame(FModeGroup), appstr::HotHelpGraphicStart);
  } else {
    delete FModeFrame;
    FModeFrame = nullptr;
    ShowHotHelp(u8(appstr::HotHelpConsecution));
  }
}

void TMainF::OpenCheck()
{
  guarded(this, [this] { OpenCheckWindow(*FRoom, [this] { return SaveClick(); }, this); });
}

void TMainF::UpdateCaption()
{
  setWindowTitle(u8(appstr::AppCaption) + QLatin1Char(' ') +
                 QFileInfo(QString::fromStdString(FRoom->FFileName)).fileName());
}

bool TMainF::WriteProject(const QString& path)
{
  try {
    saveProject(*FRoom, toPath(path));
    return true;
  } catch (const std::exception& e) {
    showMessage(this, u8(appstr::SaveFailed).arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what())),
                TMessageKind::Error);
    return false;
  }
}

bool TMainF::SaveClick()
{
  if (FRoom->FFileName.empty())
    return SaveAsClick();
  return WriteProject(QString::fromStdString(FRoom->FFileName));
}

bool TMainF::SaveAsClick()
{
  QString path = uiHooks().fileName(this, true, AppPaths().AppDir, u8(appstr::ProjectFilter), u8(appstr::ProjectExt));
  if (path.isEmpty()) {
    // A cancelled dialog still writes a project that already has its file.
    return !FRoom->FFileName.empty() && WriteProject(QString::fromStdString(FRoom->FFileName));
  }
  if (QFileInfo(path).suffix().isEmpty())
    path += QLatin1Char('.') + u8(appstr::ProjectExt);
  // The new name becomes the project's only once the project is in that file.
  if (!WriteProject(path))
    return false;
  FRoom->FFileName = path.toStdString();
  UpdateCaption();
  return true;
}

bool TMainF::AskSaveChanges()
{
  if (FRoom->FSaved)
    return true;
  switch (askQuestion(this, u8(appstr::SaveChanges), true)) {
  case TAnswer::Yes:
    // Changes that could not be written are not given up: the operation stops.
    return SaveClick() && FRoom->FSaved;
  case TAnswer::No: return true;
  case TAnswer::Cancel: return false;
  }
  return false;
}

bool TMainF::NewClick()
{
  if (!AskSaveChanges())
    return false;
  FRoom = std::make_unique<TRoom>();
  FShowAbout = true;
  // The window is usually active already: greet the new project as an activation would.
  if (isActiveWindow())
    QueueActivation();
  return true;
}

bool TMainF::OpenClick()
{
  if (!AskSaveChanges())
    return false;
  const QString path =
      uiHooks().fileName(this, false, AppPaths().AppDir, u8(appstr::ProjectFilter), u8(appstr::ProjectExt));
  if (path.isEmpty())
    return false;
  try {
    // Read into a fresh record: a file that cannot be read leaves the current project,
    // its file name and the caption as they were.
    std::unique_ptr<TRoom> room = loadProject(toPath(path), *MaterialBase);
    room->FFileName = path.toStdString();
    FRoom = std::move(room);
  } catch (const std::exception& e) {
    showMessage(this, u8(appstr::OpenFailed).arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what())),
                TMessageKind::Error);
    return false;
  }
  UpdateCaption();
  return true;
}

void TMainF::closeEvent(QCloseEvent* event)
{
  bool close = false;
  guarded(this, [&] { close = AskSaveChanges(); });
  if (close)
    event->accept();
  else
    event->ignore();
}

} // namespace sonvela
