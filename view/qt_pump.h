// The message pump of the running program: one turn of Qt's event processing for WaitEvent.
#pragma once
#include "graphic/context.h"

namespace sonvela {

// Processes the pending Qt events; if there are none, waits until one arrives and processes it.
class TQtPump : public TMessagePump {
public:
  void ProcessOneMessage() override;
};

} // namespace sonvela
