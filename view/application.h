// The application object: the Qt pump and error box for the context stack, and the last safety net
// that keeps every exception from unwinding through Qt.
#pragma once
#include "graphic/context.h"
#include "view/qt_pump.h"

#include <QApplication>

#include <functional>
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
bool notifyGuarded(const std::function<bool()>& Deliver) noexcept;

// The standard error box: a critical message box with the error's text, over the active window.
void showErrorBox(const std::string& Text);

} // namespace sonvela
