// Modal loops on the Qt pump: real key events and QAction commands reach the waiting loop, nothing
// escapes into Qt, and the safety net and error box of the application.
#include "view/application.h"
#include "view/qt_pump.h"

#include "core/errors.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace sonvela {
namespace {

// Raised by the watchdog timer: a loop that never got its command ends instead of hanging.
class ETestTimeout : public TCNTXEventClass<ETestTimeout> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};

std::vector<std::pair<std::uint16_t, TShiftState>> Keys;

// A stand-in for the editor window: turns its key presses into context events.
class TKeyWindow : public QWidget {
protected:
  void keyPressEvent(QKeyEvent* Event) override
  {
    TShiftState Shift = 0;
    if (Event->modifiers() & Qt::ShiftModifier)
      Shift |= ssShift;
    if (Event->modifiers() & Qt::ControlModifier)
      Shift |= ssCtrl;
    if (Event->modifiers() & Qt::AltModifier)
      Shift |= ssAlt;
    deliverKeyPress(static_cast<std::uint16_t>(Event->key()), Shift);
  }
};

// A tool that records every key and waits until a command ends it.
class TKeyToolCNTX : public TExecuteCNTX {
public:
  void Execute() override
  {
    SetEvent(TCNTXEvent::KeyPress, [] { Keys.emplace_back(EventKey, EventShift); });
    for (;;)
      WaitEvent();
  }
};

// The Qt pump, counting the steps that came back to WaitEvent normally.
class TWatchedPump : public TMessagePump {
public:
  void ProcessOneMessage() override
  {
    ++Calls;
    FQt.ProcessOneMessage();
    ++Returned;
  }
  int Calls = 0;
  int Returned = 0;

private:
  TQtPump FQt;
};

class QtPumpTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Keys.clear();
    PendingEvent.reset();
    // Let whatever earlier tests left queued go by before a loop waits.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    FPreviousReporter = setErrorReporter([this](const std::string& Text) { Errors.push_back(Text); });
    Root.InsertBelow(nullptr);
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] { CNTXExceptionHook(ETestTimeout()); });
    Watchdog.start(10000);
  }
  void TearDown() override
  {
    Watchdog.stop();
    setErrorReporter(FPreviousReporter);
    PendingEvent.reset();
  }

  TWatchedPump Pump;
  TMessagePumpScope Scope{Pump};
  TCNTX Root;
  QTimer Watchdog;
  std::vector<std::string> Errors;

private:
  TErrorReporter FPreviousReporter;
};

TEST_F(QtPumpTest, KeyAndCommandReachTheWaitingLoopAndItsCallerNotQt)
{
  TKeyWindow Window;
  Window.show();
  bool SlotsAfterTheCommandRan = false;
  QAction Quit;  // a command stores its event through the hook and returns
  QObject::connect(&Quit, &QAction::triggered, [] { CNTXExceptionHook(EQuit()); });
  QObject::connect(&Quit, &QAction::triggered, [&] { SlotsAfterTheCommandRan = true; });

  QCoreApplication::postEvent(&Window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier));
  QCoreApplication::postEvent(&Window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
  QMetaObject::invokeMethod(&Quit, &QAction::trigger, Qt::QueuedConnection);

  EXPECT_THROW(Root.RunCNTX<TKeyToolCNTX>(), EQuit);

  EXPECT_EQ(Keys, (std::vector<std::pair<std::uint16_t, TShiftState>>{{'A', ssShift}, {32, 0}}));
  // The event came out of WaitEvent after Qt's step had returned, not through Qt's frames.
  EXPECT_GE(Pump.Calls, 1);
  EXPECT_EQ(Pump.Returned, Pump.Calls);
  EXPECT_TRUE(SlotsAfterTheCommandRan);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(CNTXList.Count(), 1u);  // the tool is gone, the root stays
}

TEST_F(QtPumpTest, ACommandThatThrowsIsContainedAndTheLaterCommandWins)
{
  QAction Rezim;
  QAction Undo;
  QObject::connect(&Rezim, &QAction::triggered, [] { runGuarded([] { throw ERezim(); }); });
  QObject::connect(&Undo, &QAction::triggered, [] { CNTXExceptionHook(EUndo()); });
  QMetaObject::invokeMethod(&Rezim, &QAction::trigger, Qt::QueuedConnection);
  QMetaObject::invokeMethod(&Undo, &QAction::trigger, Qt::QueuedConnection);

  EXPECT_THROW(Root.RunCNTX<TKeyToolCNTX>(), EUndo);
  EXPECT_EQ(Pump.Returned, Pump.Calls);
  EXPECT_EQ(CNTXList.Count(), 1u);

  // A command while no loop waits is stored and dropped by the next wait.
  Undo.trigger();
  ASSERT_NE(PendingEvent, nullptr);
  QMetaObject::invokeMethod(&Rezim, &QAction::trigger, Qt::QueuedConnection);
  EXPECT_THROW(Root.RunCNTX<TKeyToolCNTX>(), ERezim);
}

TEST_F(QtPumpTest, WaitEventWaitsForAnEventWhenNoneIsQueued)
{
  QTimer::singleShot(30, [] { CNTXExceptionHook(EEditSize()); });
  // A pump that returned at once without an event would use up these turns long before 30 ms.
  EXPECT_THROW(
    {
      for (int Turn = 0; Turn < 3; ++Turn)
        Root.WaitEvent();
    },
    EEditSize);
}

TEST_F(QtPumpTest, TheSafetyNetStoresEventsAndReportsOtherErrors)
{
  EXPECT_TRUE(notifyGuarded([] { return true; }));
  EXPECT_FALSE(notifyGuarded([]() -> bool { throw EField(); }));
  ASSERT_NE(PendingEvent, nullptr);
  EXPECT_EQ(typeid(*PendingEvent), typeid(EField));
  EXPECT_TRUE(Errors.empty());

  EXPECT_FALSE(notifyGuarded([]() -> bool { throw EError("Файл не найден"); }));
  EXPECT_FALSE(notifyGuarded([]() -> bool { throw 1; }));
  EXPECT_EQ(Errors, (std::vector<std::string>{"Файл не найден", "Unknown exception"}));
  EXPECT_EQ(typeid(*PendingEvent), typeid(EField));  // other errors leave the pending event alone
}

TEST_F(QtPumpTest, TheErrorBoxIsACriticalMessageBoxWithTheErrorsText)
{
  QString Shown;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QTimer Closer;  // looks for the box once its own loop runs, and closes it
  QObject::connect(&Closer, &QTimer::timeout, [&] {
    for (QWidget* Top : QApplication::topLevelWidgets()) {
      auto* Box = qobject_cast<QMessageBox*>(Top);
      if (Box && Box->isVisible()) {
        Shown = Box->text();
        Icon = Box->icon();
        Closer.stop();
        Box->done(QMessageBox::Ok);
        return;
      }
    }
  });
  Closer.start(5);
  showErrorBox("Число \"abc\" записано неверно");
  EXPECT_EQ(Shown, QString::fromUtf8("Число \"abc\" записано неверно"));
  EXPECT_EQ(Icon, QMessageBox::Critical);
}

} // namespace
} // namespace sonvela
