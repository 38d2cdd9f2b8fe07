// The context stack: event slots, dispatch, modal waiting and the exception hook.
#include "graphic/context.h"

#include "core/errors.h"

#include <algorithm>
#include <iostream>
#include <typeinfo>

namespace sonvela {

TCNTXList CNTXList;
TCNTXEvent CurrentEvent = TCNTXEvent::PointMove;
TPoint EventPoint;
std::uint16_t EventKey = 0;
TShiftState EventShift = 0;
std::unique_ptr<ECNTX> PendingEvent;

namespace {

TMessagePump* GPump = nullptr;

void reportToStandardError(const std::string& Text)
{
  std::cerr << Text << '\n';
}

TErrorReporter GReporter = reportToStandardError;

std::size_t slotOf(TCNTXEvent Kind)
{
  const auto Index = static_cast<std::size_t>(Kind);
  SONVELA_ASSERT(Index < CNTXEventCount);
  return Index;
}

// The hook runs where the toolkit has already caught an exception: nothing may leave it.
void report(const std::string& Text) noexcept
{
  try {
    if (GReporter)
      GReporter(Text);
    else
      reportToStandardError(Text);
  } catch (...) {
    reportToStandardError(Text);
  }
}

} // namespace

// ---- TCNTX ----

TCNTX::~TCNTX()
{
  if (FList)
    FList->Remove(this);
}

void TCNTX::SetEvent(TCNTXEvent Kind, TCNTXHandler Handler)
{
  FEvents[slotOf(Kind)] = std::move(Handler);
}

bool TCNTX::HasEvent(TCNTXEvent Kind) const
{
  return static_cast<bool>(FEvents[slotOf(Kind)]);
}

void TCNTX::InsertBelow(TCNTX* Other)
{
  InsertBelow(Other, &CNTXList);
}

void TCNTX::InsertBelow(TCNTX* Other, TCNTXList* List)
{
  SONVELA_ASSERT(Other != this && List != this);
  SONVELA_ASSERT(!Other || (List && List->IndexOf(Other) >= 0));
  // A context stands in one place only: inserting it again moves it. A stale second entry
  // would outlive the context and be called after it is gone.
  if (FList)
    FList->Remove(this);
  if (List)
    List->Insert(Other ? static_cast<std::size_t>(List->IndexOf(Other)) : 0, this);
}

void TCNTX::InsertAbove(TCNTX* Other)
{
  SONVELA_ASSERT(Other && Other != this && Other->FList && Other->FList != this);
  if (FList)
    FList->Remove(this);
  TCNTXList* List = Other->FList;
  List->Insert(static_cast<std::size_t>(List->IndexOf(Other)) + 1, this);
}

void TCNTX::PassDown()
{
  if (!FList)
    return;
  const std::ptrdiff_t At = FList->IndexOf(this);
  if (At >= 0)
    FList->DispatchFrom(At);
}

void TCNTX::DoEvent()
{
  // Called through a copy: a handler may change or clear its own slot, or end its context.
  TCNTXHandler Handler = FEvents[slotOf(CurrentEvent)];
  if (Handler)
    Handler();
}

void TCNTX::WaitEvent()
{
  PendingEvent.reset();
  TMessagePump* Pump = GPump;
  SONVELA_ASSERT(Pump);
  Pump->ProcessOneMessage();
  if (PendingEvent) {
    const std::unique_ptr<ECNTX> Event = std::move(PendingEvent);
    Event->Raise();
  }
}

void TCNTX::RunCNTX(TExecuteCNTXClass Class)
{
  SONVELA_ASSERT(Class);
  const std::unique_ptr<TExecuteCNTX> Instance = Class();
  SONVELA_ASSERT(Instance);
  // A modally run context starts with every slot empty; its set-up belongs in Execute.
  for (const TCNTXHandler& Slot : Instance->FEvents)
    SONVELA_ASSERT(!Slot);
  Instance->InsertAbove(this);
  Instance->Execute();
}

// ---- TCNTXList ----

TCNTXList::TCNTXList()
{
  for (TCNTXHandler& Slot : FEvents)
    Slot = [this] { DispatchTop(); };
}

TCNTXList::~TCNTXList()
{
  // Bottom first. Each context is taken out before it is destroyed, so a destructor that
  // destroys further contexts of this stack finds a consistent list.
  while (!FItems.empty()) {
    TCNTX* Item = FItems.front();
    FItems.erase(FItems.begin());
    Item->FList = nullptr;
    delete Item;
  }
}

void TCNTXList::DispatchTop()
{
  DispatchFrom(static_cast<std::ptrdiff_t>(FItems.size()));
}

void TCNTXList::DispatchFrom(std::ptrdiff_t Index)
{
  const std::size_t Slot = slotOf(CurrentEvent);
  const auto Top = std::min<std::ptrdiff_t>(Index, static_cast<std::ptrdiff_t>(FItems.size()));
  for (std::ptrdiff_t I = Top - 1; I >= 0; --I) {
    const TCNTXHandler& Handler = FItems[static_cast<std::size_t>(I)]->FEvents[Slot];
    if (Handler) {
      TCNTXHandler Call = Handler;
      Call();
      return;
    }
  }
}

std::ptrdiff_t TCNTXList::IndexOf(const TCNTX* C) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), C);
  return It == FItems.end() ? -1 : It - FItems.begin();
}

void TCNTXList::Insert(std::size_t Index, TCNTX* C)
{
  SONVELA_ASSERT(Index <= FItems.size());
  FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(Index), C);
  C->FList = this;
}

void TCNTXList::Remove(TCNTX* C)
{
  const auto It = std::find(FItems.begin(), FItems.end(), C);
  if (It != FItems.end())
    FItems.erase(It);
  C->FList = nullptr;
}

// ---- pump, hook and delivery ----

TMessagePump* setMessagePump(TMessagePump* Pump)
{
  TMessagePump* Previous = GPump;
  GPump = Pump;
  return Previous;
}

TMessagePump* messagePump()
{
  return GPump;
}

TErrorReporter setErrorReporter(TErrorReporter Reporter)
{
  TErrorReporter Previous = std::move(GReporter);
  GReporter = std::move(Reporter);
  return Previous;
}

void CNTXExceptionHook(const std::exception& E) noexcept
{
  const auto* Event = dynamic_cast<const ECNTX*>(&E);
  if (!Event) {
    report(E.what());
    return;
  }
  try {
    std::unique_ptr<ECNTX> Copy = Event->Clone();
    // An event class that does not derive through TCNTXEventClass would be stored as its base
    // and caught by the wrong loop.
    SONVELA_ASSERT(Copy && typeid(*Copy) == typeid(*Event));
    PendingEvent = std::move(Copy);
  } catch (const std::exception& Failure) {
    report(Failure.what());
  }
}

void CNTXExceptionHook(std::exception_ptr E) noexcept
{
  if (!E)
    return;
  try {
    std::rethrow_exception(E);
  } catch (const std::exception& Caught) {
    CNTXExceptionHook(Caught);
  } catch (...) {
    report("Unknown exception");
  }
}

void runGuarded(const std::function<void()>& Handler) noexcept
{
  try {
    Handler();
  } catch (const std::exception& E) {
    CNTXExceptionHook(E);
  } catch (...) {
    CNTXExceptionHook(std::current_exception());
  }
}

void deliverEvent(TCNTXEvent Kind)
{
  runGuarded([Kind] {
    CurrentEvent = Kind;
    CNTXList.DoEvent();
  });
}

void deliverPointMove(TPoint P)
{
  EventPoint = P;
  deliverEvent(TCNTXEvent::PointMove);
}

void deliverKeyPress(std::uint16_t Key, TShiftState Shift)
{
  EventKey = Key;
  EventShift = Shift;
  deliverEvent(TCNTXEvent::KeyPress);
}

} // namespace sonvela
