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

void showErrorBox(const std::string& Text)
{
  QWidget* Parent = QApplication::activeModalWidget();
  if (!Parent)
    Parent = QApplication::activeWindow();
  QMessageBox::critical(Parent, QApplication::applicationDisplayName(), QString::fromStdString(Text));
}

} // namespace sonvela
