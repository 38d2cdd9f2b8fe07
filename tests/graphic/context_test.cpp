// The context stack: dispatch, insertion and removal, modal loops and the event exceptions that end them.
#include "graphic/context.h"
#include "graphic/scripted_pump.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace sonvela {
namespace {

using Log = std::vector<std::string>;

// An observer that logs its name for every event of the given kinds and may pass it on.
class TProbe : public TCNTX {
public:
  TProbe(std::string Name, Log& Out, std::initializer_list<TCNTXEvent> Kinds, bool Pass = false)
    : FName(std::move(Name)), FOut(Out), FPass(Pass)
  {
    for (TCNTXEvent Kind : Kinds)
      SetEvent(Kind, &TProbe::Handle);
  }

private:
  void Handle()
  {
    FOut.push_back(FName);
    if (FPass)
      PassDown();
  }

  std::string FName;
  Log& FOut;
  bool FPass;
};

// The modal test contexts are built by RunCNTX without arguments, so they share this trace.
Log Trace;
std::vector<std::size_t> DepthSeen;  // the stack size each command saw
TPoint Picked;

// Logs "name end" whichever way the loop is left, as a modal loop's clean-up would run.
struct TEndGuard {
  const char* Name;
  ~TEndGuard() { Trace.push_back(std::string(Name) + " end"); }
};

// Waits for one click and keeps the point; every other event goes past it.
class TPickCNTX : public TExecuteCNTX {
public:
  void Execute() override
  {
    bool Done = false;
    SetEvent(TCNTXEvent::Click, [&] {
      Picked = EventPoint;
      Done = true;
    });
    while (!Done)
      WaitEvent();
  }
};

// Innermost of three nested loops: waits forever, handles EField only.
class TInnerCNTX : public TExecuteCNTX {
public:
  ~TInnerCNTX() override { Trace.push_back("~inner"); }
  void Execute() override
  {
    TEndGuard Guard{"inner"};
    Trace.push_back("inner start");
    for (;;) {
      try {
        WaitEvent();
      } catch (const EField&) {
        Trace.push_back("inner EField");
      }
    }
  }
};

// The tool level: reruns the inner loop on EEditConst.
class TMiddleCNTX : public TExecuteCNTX {
public:
  ~TMiddleCNTX() override { Trace.push_back("~middle"); }
  void Execute() override
  {
    TEndGuard Guard{"middle"};
    for (;;) {
      try {
        RunCNTX<TInnerCNTX>();
      } catch (const EEditConst&) {
        Trace.push_back("middle EEditConst");
      }
    }
  }
};

// The mode loop: reruns the middle loop on ERezim, and returns after the second one.
class TOuterCNTX : public TExecuteCNTX {
public:
  ~TOuterCNTX() override { Trace.push_back("~outer"); }
  void Execute() override
  {
    TEndGuard Guard{"outer"};
    for (int Turns = 0; Turns < 2;) {
      try {
        RunCNTX<TMiddleCNTX>();
      } catch (const ERezim&) {
        Trace.push_back("outer ERezim");
        ++Turns;
      }
    }
  }
};

// Breaks the rule that a modally run context is set up in Execute.
class TSetUpInConstructorCNTX : public TExecuteCNTX {
public:
  TSetUpInConstructorCNTX() { SetEvent(TCNTXEvent::Paint, [] {}); }
  void Execute() override {}
};

class ContextTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_EQ(CNTXList.Count(), 0u);
    PendingEvent.reset();
    Trace.clear();
    DepthSeen.clear();
    FPreviousReporter = setErrorReporter([this](const std::string& Text) { Errors.push_back(Text); });
  }
  void TearDown() override
  {
    setErrorReporter(FPreviousReporter);
    EXPECT_EQ(CNTXList.Count(), 0u);
    PendingEvent.reset();
  }

  // Commands that note how deep the stack is when they run, then raise E.
  template <class E>
  void raiseNotingDepth()
  {
    Pump.Command([] {
      DepthSeen.push_back(CNTXList.Count());
      CNTXExceptionHook(E());
    });
  }

  TScriptedPump Pump;
  TMessagePumpScope Scope{Pump};
  Log Errors;
  Log Got;

private:
  TErrorReporter FPreviousReporter;
};

std::vector<const TCNTX*> order(std::initializer_list<const TCNTX*> Items)
{
  return Items;
}

std::vector<const TCNTX*> stackOrder()
{
  return {CNTXList.Items().begin(), CNTXList.Items().end()};
}

TEST_F(ContextTest, EventGoesToTopmostContextWithThatSlotAndPassDownSkipsContextsWithout)
{
  TProbe A("A", Got, {TCNTXEvent::Click, TCNTXEvent::PointMove});
  A.InsertBelow(nullptr);
  TProbe B("B", Got, {TCNTXEvent::PointMove});
  B.InsertAbove(&A);
  TProbe C("C", Got, {TCNTXEvent::Click}, /*Pass=*/true);
  C.InsertAbove(&B);

  deliverEvent(TCNTXEvent::Click);
  EXPECT_EQ(Got, (Log{"C", "A"}));  // B has no Click slot

  Got.clear();
  deliverPointMove({5, 6});
  EXPECT_EQ(Got, (Log{"B"}));  // B consumes it: A does not see it
  EXPECT_EQ(EventPoint, (TPoint{5, 6}));

  Got.clear();
  deliverEvent(TCNTXEvent::Paint);  // nobody handles Paint: ignored
  deliverKeyPress(32, ssShift | ssCtrl);
  EXPECT_TRUE(Got.empty());
  EXPECT_EQ(EventKey, 32);
  EXPECT_EQ(EventShift, ssShift | ssCtrl);
}

TEST_F(ContextTest, InsertionPlacesAndDestructionRemovesWhereverTheContextStands)
{
  auto A = std::make_unique<TProbe>("A", Got, std::initializer_list<TCNTXEvent>{TCNTXEvent::Click});
  auto B = std::make_unique<TProbe>("B", Got, std::initializer_list<TCNTXEvent>{TCNTXEvent::Click}, true);
  auto C = std::make_unique<TProbe>("C", Got, std::initializer_list<TCNTXEvent>{TCNTXEvent::Click}, true);
  TCNTX Bottom;

  C->InsertBelow(nullptr);
  A->InsertBelow(C.get());       // takes C's index, C moves up
  B->InsertAbove(A.get());       // between A and C
  Bottom.InsertBelow(nullptr);   // under everything already there
  EXPECT_EQ(stackOrder(), order({&Bottom, A.get(), B.get(), C.get()}));
  EXPECT_EQ(A->List(), &CNTXList);

  B.reset();  // from the middle
  EXPECT_EQ(stackOrder(), order({&Bottom, A.get(), C.get()}));
  deliverEvent(TCNTXEvent::Click);
  EXPECT_EQ(Got, (Log{"C", "A"}));

  // Inserting a context that is already in the stack moves it: no stale second entry.
  C->InsertBelow(A.get());
  EXPECT_EQ(stackOrder(), order({&Bottom, C.get(), A.get()}));
  // With no stack it only leaves the stack it was in.
  A->InsertBelow(nullptr, nullptr);
  EXPECT_EQ(A->List(), nullptr);
  EXPECT_EQ(stackOrder(), order({&Bottom, C.get()}));

  // A context that is not in a stack has nothing to stand on.
  EXPECT_THROW(A->InsertAbove(A.get()), EAssertionFailed);
  TCNTX Loose;
  EXPECT_THROW(A->InsertAbove(&Loose), EAssertionFailed);
  EXPECT_THROW(A->InsertBelow(&Loose), EAssertionFailed);
  EXPECT_EQ(A->List(), nullptr);
  EXPECT_NO_THROW(A->PassDown());
}

TEST_F(ContextTest, AStackInsideTheStackForwardsFromItsOwnTopAndFreesItsItems)
{
  bool Freed = false;
  struct TTracked : TProbe {
    TTracked(Log& Out, bool& Freed) : TProbe("inner", Out, {TCNTXEvent::Paint}), FFreed(Freed) {}
    ~TTracked() override { FFreed = true; }
    bool& FFreed;
  };
  TProbe Below("below", Got, {TCNTXEvent::Paint});
  Below.InsertBelow(nullptr);
  auto Nested = std::make_unique<TCNTXList>();
  Nested->InsertAbove(&Below);
  (new TTracked(Got, Freed))->InsertBelow(nullptr, Nested.get());

  deliverEvent(TCNTXEvent::Paint);
  EXPECT_EQ(Got, (Log{"inner"}));

  Nested.reset();
  EXPECT_TRUE(Freed);
  EXPECT_EQ(stackOrder(), order({&Below}));
}

TEST_F(ContextTest, ModalPickWaitsOneMessageAtATimeAndLeavesTheStackAsItWas)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  TProbe Grid("grid", Got, {TCNTXEvent::PointMove, TCNTXEvent::Click}, true);
  Grid.InsertAbove(&Root);

  Pump.MoveTo({1, 2}).Key(27).ClickAt({30, 40}).Paint();
  Root.RunCNTX<TPickCNTX>();

  EXPECT_EQ(Picked, (TPoint{30, 40}));
  // The grid above the tool saw both moves and the click and passed them down; the tool
  // consumed the click; the loop stopped after the click, leaving the paint unplayed.
  EXPECT_EQ(Got, (Log{"grid", "grid", "grid"}));
  EXPECT_EQ(Pump.Remaining(), 1u);
  EXPECT_EQ(stackOrder(), order({&Root, &Grid}));
}

TEST_F(ContextTest, RunCNTXRefusesAContextThatSetsUpInItsConstructor)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  EXPECT_THROW(Root.RunCNTX<TSetUpInConstructorCNTX>(), EAssertionFailed);
  EXPECT_EQ(stackOrder(), order({&Root}));
}

TEST_F(ContextTest, ThreeNestedLoopsEndedByAModeChangeCaughtByTheOutermost)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  TProbe Grid("grid", Got, {});
  Grid.InsertAbove(&Root);

  Pump.Click();
  raiseNotingDepth<ERezim>();      // passes inner and middle, outer starts a new turn
  raiseNotingDepth<EField>();      // the inner loop handles it and keeps waiting
  raiseNotingDepth<EEditConst>();  // the middle loop reruns the inner one
  raiseNotingDepth<ERezim>();      // second turn: the outer loop returns
  Root.RunCNTX<TOuterCNTX>();

  EXPECT_EQ(Trace, (Log{"inner start",
                        "inner end", "~inner", "middle end", "~middle", "outer ERezim",
                        "inner start", "inner EField",
                        "inner end", "~inner", "middle EEditConst",
                        "inner start",
                        "inner end", "~inner", "middle end", "~middle", "outer ERezim",
                        "outer end", "~outer"}));
  // Root, grid and three loops each time a command ran.
  EXPECT_EQ(DepthSeen, (std::vector<std::size_t>{5, 5, 5, 5}));
  EXPECT_EQ(stackOrder(), order({&Root, &Grid}));
  EXPECT_EQ(Pump.Remaining(), 0u);
}

TEST_F(ContextTest, AnEventNoLoopHandlesUnwindsEveryLoopAndReachesTheCaller)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  TProbe Grid("grid", Got, {});
  Grid.InsertAbove(&Root);

  raiseNotingDepth<EQuit>();
  EXPECT_THROW(Root.RunCNTX<TOuterCNTX>(), EQuit);

  EXPECT_EQ(Trace, (Log{"inner start", "inner end", "~inner", "middle end", "~middle",
                        "outer end", "~outer"}));
  EXPECT_EQ(stackOrder(), order({&Root, &Grid}));
  EXPECT_TRUE(Errors.empty());  // nothing is shown
  EXPECT_EQ(PendingEvent, nullptr);
}

TEST_F(ContextTest, OnlyTheLaterOfTwoEventsInOneMessageIsRaised)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  Pump.Command([] {
    CNTXExceptionHook(ERezim());
    CNTXExceptionHook(EUndo());
  });
  EXPECT_THROW(Root.WaitEvent(), EUndo);

  // The same when the second one escapes the handler as a throw.
  Pump.Command([] {
    CNTXExceptionHook(EUndo());
    throw EEditSize();
  });
  EXPECT_THROW(Root.WaitEvent(), EEditSize);
}

template <class E>
void expectRaisedAsItsOwnClass(TCNTX& Waiter, TScriptedPump& Pump)
{
  Pump.Command([] { throw E("event", 7); });
  try {
    Waiter.WaitEvent();
    ADD_FAILURE() << typeid(E).name() << " was not raised";
  } catch (const E& Raised) {
    EXPECT_EQ(typeid(Raised), typeid(E));
    EXPECT_STREQ(Raised.what(), "event");
    EXPECT_EQ(Raised.HelpContext(), 7);
  }
}

TEST_F(ContextTest, TheHookKeepsTheExactClassOfEveryEvent)
{
  TCNTX Waiter;
  expectRaisedAsItsOwnClass<ECNTX>(Waiter, Pump);
  expectRaisedAsItsOwnClass<EUndo>(Waiter, Pump);
  expectRaisedAsItsOwnClass<ERezim>(Waiter, Pump);
  expectRaisedAsItsOwnClass<EEditConst>(Waiter, Pump);
  expectRaisedAsItsOwnClass<EEditSize>(Waiter, Pump);
  expectRaisedAsItsOwnClass<EField>(Waiter, Pump);
  expectRaisedAsItsOwnClass<ESetRegionSize>(Waiter, Pump);
  expectRaisedAsItsOwnClass<EQuit>(Waiter, Pump);

  // An event class that skipped TCNTXEventClass would come back as its base: refused and reported.
  struct EForgotClone : ERezim {};
  Pump.Command([] { throw EForgotClone(); });
  EXPECT_NO_THROW(Waiter.WaitEvent());
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_NE(Errors[0].find("Assertion failure"), std::string::npos);
}

TEST_F(ContextTest, AnEventStoredWhileNoLoopWaitsIsNeverRaised)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  runGuarded([] { throw EQuit(); });  // a command while no modal loop runs
  ASSERT_NE(PendingEvent, nullptr);

  Pump.ClickAt({3, 4});
  EXPECT_NO_THROW(Root.RunCNTX<TPickCNTX>());
  EXPECT_EQ(Picked, (TPoint{3, 4}));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ContextTest, OtherErrorsFromHandlersAreShownAndTheLoopGoesOnWaiting)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  TCNTX Faulty;
  Faulty.SetEvent(TCNTXEvent::KeyPress, [] { throw EError("Ключ не подходит"); });
  Faulty.InsertAbove(&Root);

  Pump.Key('K')
    .Command([] { throw 42; })
    .Command([] { SONVELA_ASSERT(false); })
    .ClickAt({7, 8});
  Root.RunCNTX<TPickCNTX>();

  EXPECT_EQ(Picked, (TPoint{7, 8}));
  ASSERT_EQ(Errors.size(), 3u);
  EXPECT_EQ(Errors[0], "Ключ не подходит");
  EXPECT_EQ(Errors[1], "Unknown exception");
  EXPECT_NE(Errors[2].find("Assertion failure (tests/graphic/context_test.cpp, line"), std::string::npos)
    << Errors[2];
}

TEST_F(ContextTest, AnErrorOfALoopItselfPropagatesAndARunDryScriptFailsInsteadOfHanging)
{
  TCNTX Root;
  Root.InsertBelow(nullptr);
  TProbe Grid("grid", Got, {});
  Grid.InsertAbove(&Root);

  Pump.MoveTo({1, 1});  // the pick waits for a click the script does not hold
  EXPECT_THROW(Root.RunCNTX<TPickCNTX>(), EScriptExhausted);
  EXPECT_THROW(Root.RunCNTX<TOuterCNTX>(), EScriptExhausted);
  EXPECT_EQ(Trace, (Log{"inner start", "inner end", "~inner", "middle end", "~middle",
                        "outer end", "~outer"}));
  EXPECT_EQ(stackOrder(), order({&Root, &Grid}));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ContextTest, WaitingWithoutAPumpIsAnInternalError)
{
  TMessagePump* Previous = setMessagePump(nullptr);
  TCNTX Waiter;
  EXPECT_THROW(Waiter.WaitEvent(), EAssertionFailed);
  setMessagePump(Previous);
}

} // namespace
} // namespace sonvela
