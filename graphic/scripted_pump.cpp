// A message pump that plays a script of window events and commands.
#include "graphic/scripted_pump.h"

#include <cstdio>
#include <cstdlib>

namespace sonvela {

namespace {
// A loop that catches EScriptExhausted and waits again would otherwise spin forever.
constexpr std::size_t MaxDryCalls = 1000;
} // namespace

EScriptExhausted::EScriptExhausted()
  : std::logic_error("The script ran out of steps while a loop was still waiting for input")
{
}

TScriptedPump& TScriptedPump::Add(std::function<void()> Step)
{
  FSteps.push_back(std::move(Step));
  return *this;
}

TScriptedPump& TScriptedPump::MoveTo(TPoint P)
{
  return Add([P] { deliverPointMove(P); });
}

TScriptedPump& TScriptedPump::Click()
{
  return Add([] { deliverEvent(TCNTXEvent::Click); });
}

TScriptedPump& TScriptedPump::ClickAt(TPoint P)
{
  return MoveTo(P).Click();
}

TScriptedPump& TScriptedPump::RightRelease()
{
  return Add([] { deliverEvent(TCNTXEvent::Finish); });
}

TScriptedPump& TScriptedPump::DblClick()
{
  return Add([] { deliverEvent(TCNTXEvent::DblClick); });
}

TScriptedPump& TScriptedPump::Paint()
{
  return Add([] { deliverEvent(TCNTXEvent::Paint); });
}

TScriptedPump& TScriptedPump::Key(std::uint16_t Key, TShiftState Shift)
{
  return Add([Key, Shift] { deliverKeyPress(Key, Shift); });
}

TScriptedPump& TScriptedPump::Command(std::function<void()> Command)
{
  return Add([Command = std::move(Command)] { runGuarded(Command); });
}

void TScriptedPump::ProcessOneMessage()
{
  if (FSteps.empty()) {
    if (++FDryCalls > MaxDryCalls) {
      std::fputs("TScriptedPump: a loop keeps waiting after the script ran out\n", stderr);
      std::abort();
    }
    throw EScriptExhausted();
  }
  const std::function<void()> Step = std::move(FSteps.front());
  FSteps.pop_front();
  ++FPlayed;
  Step();
}

} // namespace sonvela
