// A message pump that plays a script of window events and commands, for driving modal loops in tests.
#pragma once
#include "graphic/context.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>

namespace sonvela {

// The script ran out while a loop was still waiting: the test supplied too little input.
class EScriptExhausted : public std::logic_error {
public:
  EScriptExhausted();
};

// Each call of ProcessOneMessage plays one step, as the window would: a window event sets the
// event globals and is dispatched through CNTXList; a command runs. Whatever a step throws is
// caught and handed to CNTXExceptionHook, so an event exception reaches the waiting loop the
// same way it does in the program. Steps are queued with the builder calls:
//   pump.MoveTo({100, 200}).Click().Command([] { CNTXExceptionHook(EQuit()); });
// When the script is empty, ProcessOneMessage throws EScriptExhausted instead of waiting; a loop
// that swallows it and keeps waiting is stopped (the process aborts) rather than left to hang.
class TScriptedPump : public TMessagePump {
public:
  TScriptedPump& MoveTo(TPoint P);              // PointMove with EventPoint := P
  TScriptedPump& Click();                       // Click at the last EventPoint
  TScriptedPump& ClickAt(TPoint P);             // two steps: MoveTo(P), Click()
  TScriptedPump& RightRelease();                // Finish
  TScriptedPump& DblClick();
  TScriptedPump& Paint();
  TScriptedPump& Key(std::uint16_t Key, TShiftState Shift = 0);  // KeyPress
  // A command of the window: a callable that stores an event through the hook or throws one.
  TScriptedPump& Command(std::function<void()> Command);
  // A command that only raises the event E.
  template <class E>
  TScriptedPump& Raise()
  {
    return Command([] { CNTXExceptionHook(E()); });
  }

  void ProcessOneMessage() override;

  std::size_t Remaining() const { return FSteps.size(); }
  std::size_t Played() const { return FPlayed; }

private:
  TScriptedPump& Add(std::function<void()> Step);

  std::deque<std::function<void()>> FSteps;
  std::size_t FPlayed = 0;
  std::size_t FDryCalls = 0;
};

} // namespace sonvela
