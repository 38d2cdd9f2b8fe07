// The message pump of the running program.
#include "view/qt_pump.h"

#include "core/errors.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace sonvela {

void TQtPump::ProcessOneMessage()
{
  SONVELA_ASSERT(QCoreApplication::instance());
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace sonvela
