// The context stack: event slots, dispatch, modal waiting and the event exceptions that end loops.
#pragma once
#include "graphic/types.h"

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace sonvela {

// The six kinds of event a context can handle; the value is the slot index.
enum class TCNTXEvent : std::uint8_t {
  PointMove = 0,  // EventPoint holds the pointer in section units
  Click = 1,
  Finish = 2,     // right mouse button released
  DblClick = 3,
  Paint = 4,
  KeyPress = 5,   // EventKey and EventShift hold the key
};
constexpr std::size_t CNTXEventCount = 6;

// Shift keys and mouse buttons held during a key press, one bit each.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1 << 0;
constexpr TShiftState ssAlt = 1 << 1;
constexpr TShiftState ssCtrl = 1 << 2;
constexpr TShiftState ssLeft = 1 << 3;
constexpr TShiftState ssRight = 1 << 4;
constexpr TShiftState ssMiddle = 1 << 5;
constexpr TShiftState ssDouble = 1 << 6;

// One event slot: a handler bound to its context. It takes no arguments and reads the event
// globals. An empty function is an empty slot.
using TCNTXHandler = std::function<void()>;

class TCNTXList;
class TExecuteCNTX;

// A factory for a context type run modally: makes an instance with every slot empty.
using TExecuteCNTXClass = std::unique_ptr<TExecuteCNTX> (*)();

// Base of every context. A context sits on one stack; the destructor takes it out of the stack
// wherever it stands.
class TCNTX {
public:
  TCNTX() = default;
  TCNTX(const TCNTX&) = delete;
  TCNTX& operator=(const TCNTX&) = delete;
  virtual ~TCNTX();

  // Stores the handler in the slot of that kind; an empty handler clears the slot.
  void SetEvent(TCNTXEvent Kind, TCNTXHandler Handler);
  // Binds a member function of the concrete context: SetEvent(TCNTXEvent::Click, &TMyCNTX::OnClick).
  template <class C>
  void SetEvent(TCNTXEvent Kind, void (C::*Method)())
  {
    static_assert(std::is_base_of_v<TCNTX, C>);
    C* Self = static_cast<C*>(this);
    SetEvent(Kind, [Self, Method] { (Self->*Method)(); });
  }
  bool HasEvent(TCNTXEvent Kind) const;

  // Into CNTXList directly under Other (at Other's index); with no Other at the very bottom.
  void InsertBelow(TCNTX* Other);
  // Into the given stack directly under Other, or at its bottom. With no stack it only detaches
  // the context from any stack and inserts nothing.
  void InsertBelow(TCNTX* Other, TCNTXList* List);
  // Directly over Other, into the stack Other is in; Other must be in a stack.
  void InsertAbove(TCNTX* Other);

  // Hands the current event to the next context below this one that handles it.
  void PassDown();
  // Calls this context's own slot for CurrentEvent, if set.
  void DoEvent();

  // The wait step of every modal loop: processes one window message (waiting for one) and then
  // raises the event exception a command stored meanwhile, in this call chain.
  void WaitEvent();

  // Runs a context type modally directly above this context. The instance lives exactly as long
  // as its Execute and leaves the stack as it found it, also when Execute ends by an exception.
  void RunCNTX(TExecuteCNTXClass Class);
  template <class T>
  void RunCNTX();

  TCNTXList* List() const { return FList; }

protected:
  TCNTXList* FList = nullptr;  // not owning
  std::array<TCNTXHandler, CNTXEventCount> FEvents;

  friend class TCNTXList;
};

// The stack. It is itself a context whose six slots dispatch into its own items from the top.
// Index 0 is the bottom. It destroys the contexts still in it when it is destroyed.
class TCNTXList : public TCNTX {
public:
  TCNTXList();
  ~TCNTXList() override;

  // DispatchFrom with the number of items.
  void DispatchTop();
  // Calls the CurrentEvent slot of the first item below Index, walking down, that has it set.
  void DispatchFrom(std::ptrdiff_t Index);

  const std::vector<TCNTX*>& Items() const { return FItems; }
  std::size_t Count() const { return FItems.size(); }
  // -1 when the context is not in this stack.
  std::ptrdiff_t IndexOf(const TCNTX* C) const;

private:
  void Insert(std::size_t Index, TCNTX* C);
  void Remove(TCNTX* C);

  std::vector<TCNTX*> FItems;

  friend class TCNTX;
};

// A context that is run modally: Execute is its loop. Types run with RunCNTX do all their
// set-up in Execute and none in their constructor.
class TExecuteCNTX : public TCNTX {
public:
  virtual void Execute() = 0;
};

// Base of the event exceptions. The class is the event; the message is never shown.
class ECNTX : public std::runtime_error {
public:
  explicit ECNTX(const std::string& Message = std::string(), int HelpContext = 0)
    : std::runtime_error(Message), FHelpContext(HelpContext)
  {
  }
  int HelpContext() const { return FHelpContext; }

  // A new object of exactly this class with the same message and help context.
  virtual std::unique_ptr<ECNTX> Clone() const { return std::make_unique<ECNTX>(*this); }
  // Throws a copy of exactly this class.
  [[noreturn]] virtual void Raise() const { throw *this; }

private:
  int FHelpContext;
};

// Gives an event exception class its own Clone and Raise; every event class derives through it.
template <class Self, class Base = ECNTX>
class TCNTXEventClass : public Base {
public:
  using Base::Base;
  std::unique_ptr<ECNTX> Clone() const override
  {
    return std::make_unique<Self>(static_cast<const Self&>(*this));
  }
  [[noreturn]] void Raise() const override { throw static_cast<const Self&>(*this); }
};

// Undo the last step.
class EUndo : public TCNTXEventClass<EUndo> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// The mode choice has changed.
class ERezim : public TCNTXEventClass<ERezim> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// The element tool choice has changed (or the section list became empty).
class EEditConst : public TCNTXEventClass<EEditConst> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// The dimension tool choice has changed.
class EEditSize : public TCNTXEventClass<EEditSize> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// The marker tool choice has changed.
class EField : public TCNTXEventClass<EField> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// Show the region size dialog.
class ESetRegionSize : public TCNTXEventClass<ESetRegionSize> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};
// Leave the editor.
class EQuit : public TCNTXEventClass<EQuit> {
public:
  using TCNTXEventClass::TCNTXEventClass;
};

// The one-message step of WaitEvent, provided by the window toolkit (or by a test script).
class TMessagePump {
public:
  virtual ~TMessagePump() = default;
  // Processes one pending window message; if none is queued, waits for one and processes it.
  virtual void ProcessOneMessage() = 0;
};

// Installs the pump WaitEvent uses and returns the previous one (none at program start).
TMessagePump* setMessagePump(TMessagePump* Pump);
TMessagePump* messagePump();

// Installs a pump for a scope and puts the previous one back.
class TMessagePumpScope {
public:
  explicit TMessagePumpScope(TMessagePump& Pump) : FPrevious(setMessagePump(&Pump)) {}
  ~TMessagePumpScope() { setMessagePump(FPrevious); }
  TMessagePumpScope(const TMessagePumpScope&) = delete;
  TMessagePumpScope& operator=(const TMessagePumpScope&) = delete;

private:
  TMessagePump* FPrevious;
};

// The application's standard error box for an error that escaped a window handler; the GUI
// installs a message box, the default writes to standard error. Returns the previous one.
using TErrorReporter = std::function<void(const std::string& Text)>;
TErrorReporter setErrorReporter(TErrorReporter Reporter);

// The handler for every exception escaping a window event handler. An event exception is stored
// as a copy of exactly its class in PendingEvent, replacing any earlier one, and nothing is
// shown; any other error goes to the error reporter and the program goes on. Commands store
// their event with it and return: CNTXExceptionHook(ERezim()).
void CNTXExceptionHook(const std::exception& E) noexcept;
// The same for whatever a catch (...) caught.
void CNTXExceptionHook(std::exception_ptr E) noexcept;

// Runs a window event handler or a command so that nothing it throws leaves it: whatever escapes
// goes to CNTXExceptionHook. This is the toolkit's side of every window message.
void runGuarded(const std::function<void()>& Handler) noexcept;

// What the editor window does for each of its events: set the globals, dispatch through
// CNTXList from the top, keep every exception on this side of the toolkit.
void deliverEvent(TCNTXEvent Kind);
void deliverPointMove(TPoint P);
void deliverKeyPress(std::uint16_t Key, TShiftState Shift);

// Global state of the framework, one of each for the whole program.
extern TCNTXList CNTXList;
extern TCNTXEvent CurrentEvent;
extern TPoint EventPoint;  // pointer in section units; handlers may change it before PassDown
extern std::uint16_t EventKey;
extern TShiftState EventShift;
extern std::unique_ptr<ECNTX> PendingEvent;  // stored by the hook, raised by WaitEvent

// The factory RunCNTX uses: the instance comes from the type's default constructor, which must
// leave every slot empty (RunCNTX checks it).
template <class T>
std::unique_ptr<TExecuteCNTX> createCNTX()
{
  static_assert(std::is_base_of_v<TExecuteCNTX, T>, "only a TExecuteCNTX can be run modally");
  static_assert(std::is_default_constructible_v<T>, "a modally run context is set up in Execute");
  return std::make_unique<T>();
}

template <class T>
TExecuteCNTXClass CNTXClass()
{
  return &createCNTX<T>;
}

template <class T>
void TCNTX::RunCNTX()
{
  RunCNTX(CNTXClass<T>());
}

} // namespace sonvela
