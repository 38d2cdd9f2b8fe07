// The application object: the Qt pump and error box for the context stack, and the last safety net
// that keeps every exception from unwinding through Qt.
#pragma once
#include "graphic/context.h"
#include "view/qt_pump.h"

#include <QApplication>

#include <exception>
#include <string>

namespace sonvela {

// Constructed once by main(). While it lives, WaitEvent processes Qt events and errors that
// escape a window handler are shown in a message box.
class TSonvelaApplication : public QApplication {
public:
  TSonvelaApplication(int& argc, char** argv);
  ~TSonvelaApplication() override;

  // Every event delivery passes here: whatever a handler lets escape stops at this frame.
  bool notify(QObject* Receiver, QEvent* Event) override;

private:
  TQtPump FPump;
  TMessagePump* FPreviousPump;
  TErrorReporter FPreviousReporter;
};

// Runs one delivery so that nothing it throws leaves it: an event exception is stored in the
// pending slot for the waiting loop, any other error is shown. After an exception it returns false.
// A template, not a std::function: it wraps every event Qt delivers.
template <class TDeliver>
bool notifyGuarded(TDeliver&& Deliver) noexcept
{
  try {
    return Deliver();
  } catch (...) {
    // The hook itself never throws: it stores an event or reports the error.
    CNTXExceptionHook(std::current_exception());
    return false;
  }
}

// The standard error box: a critical message box with the error's text, over the active window.
void showErrorBox(const std::string& Text);

} // namespace sonvela
