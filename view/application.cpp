// The application object and its exception safety net.
#include "view/application.h"

#include <QMessageBox>
#include <QString>

namespace sonvela {

TSonvelaApplication::TSonvelaApplication(int& argc, char** argv)
  : QApplication(argc, argv),
    FPreviousPump(setMessagePump(&FPump)),
    FPreviousReporter(setErrorReporter(&showErrorBox))
{
}

TSonvelaApplication::~TSonvelaApplication()
{
  setErrorReporter(std::move(FPreviousReporter));
  setMessagePump(FPreviousPump);
}

bool TSonvelaApplication::notify(QObject* Receiver, QEvent* Event)
{
  return notifyGuarded([&] { return QApplication::notify(Receiver, Event); });
}

bool notifyGuarded(const std::function<bool()>& Deliver) noexcept
{
  try {
    return Deliver();
  } catch (...) {
    // The hook itself never throws: it stores an event or reports the error.
    CNTXExceptionHook(std::current_exception());
    return false;
  }
}

void showErrorBox(const std::string& Text)
{
  QWidget* Parent = QApplication::activeModalWidget();
  if (!Parent)
    Parent = QApplication::activeWindow();
  QMessageBox::critical(Parent, QApplication::applicationDisplayName(), QString::fromStdString(Text));
}

} // namespace sonvela
