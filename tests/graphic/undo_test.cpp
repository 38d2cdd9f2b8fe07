// The undo history: its bound, the five entry kinds, and entries that no longer fit.
#include "graphic/undo.h"

#include "core/errors.h"
#include "graphic/construction.h"
#include "graphic/strings.h"

#include <gtest/gtest.h>

namespace sonvela {
namespace {

class UndoTest : public ::testing::Test {
protected:
  void SetUp() override { history.Clear(); }
  void TearDown() override { history.Clear(); }

  TConstruction section;
  TCurrentConstructionGuard current{&section};
  TUndoList& history = undoHistory();

  // What an input tool does: append the element, then record it.
  TWallPolyLine* drawWall(TPoint a, TPoint b)
  {
    auto* w = new TWallPolyLine;
    section.FElements.Add(w);
    w->AddNode(a);
    w->AddNode(b);
    history.Add(std::make_unique<TUndoInputElem>(section.FElements.IndexOf(w)));
    return w;
  }

  TLinearSize* putSize(TNode* a, TNode* b)
  {
    auto* s = new TLinearSize;
    s->FNode = a;
    s->FNode2 = b;
    section.FSizes.Add(s);
    history.Add(std::make_unique<TUndoInputSize>(section.FSizes.IndexOf(s)));
    return s;
  }

  Bytes body()
  {
    TBinaryWriter w;
    section.WriteBody(w);
    return w.Data();
  }
};

TEST_F(UndoTest, HoldsTheNewestFifty)
{
  EXPECT_TRUE(history.IsEmpty());
  history.Undo();  // nothing to take back
  for (int i = 0; i < 51; ++i) drawWall({i * 100, 0}, {i * 100, 1000});
  EXPECT_EQ(history.Count(), TUndoList::MaxEntries);
  for (int i = 0; i < 50; ++i) history.Undo();
  EXPECT_TRUE(history.IsEmpty());
  ASSERT_EQ(section.FElements.Count(), 1) << "the first step can no longer be taken back";
  EXPECT_EQ(dynamic_cast<TPolygon*>(section.FElements[0])->FNodes[0]->FPoint, (TPoint{0, 0}));
  history.Undo();
  EXPECT_EQ(section.FElements.Count(), 1);
}

TEST_F(UndoTest, NewElementsAndDimensionsAreTakenBackInOrder)
{
  auto* first = drawWall({0, 0}, {1000, 0});
  putSize(first->FNodes[0], first->FNodes[1]);
  drawWall({0, 500}, {1000, 500});
  history.Undo();
  EXPECT_EQ(section.FElements.Count(), 1);
  EXPECT_EQ(section.FNodes.Count(), 2);
  EXPECT_EQ(section.FSizes.Count(), 1);
  history.Undo();
  EXPECT_EQ(section.FSizes.Count(), 0);
  history.Undo();
  EXPECT_EQ(section.FElements.Count(), 0);
  EXPECT_EQ(section.FNodes.Count(), 0);
}

TEST_F(UndoTest, DeletingAnElementIsTakenBackWhole)
{
  drawWall({0, 0}, {1000, 0});
  auto* line = new TSpectatorLine;
  section.FElements.Add(line);
  line->AddNode({0, 2000});
  line->AddNode({4000, 2000});
  putSize(line->FNodes[0], line->FNodes[1]);
  auto* marker = new TMarker;
  marker->FLine = line;
  marker->FIndex = 7;
  marker->FText = "НО";
  section.FMarkers.Add(marker);
  section.FParametrs.FScale = 200;
  history.Clear();

  const Bytes before = body();
  history.Add(std::make_unique<TUndoAll>());
  section.FElements.Delete(1);
  section.FParametrs.SetModified(true);
  section.FParametrs.FScale = 500;  // the view changed its scale meanwhile
  ASSERT_EQ(section.FMarkers.Count(), 0);
  ASSERT_EQ(section.FSizes.Count(), 0);

  history.Undo();
  EXPECT_TRUE(history.IsEmpty());
  EXPECT_EQ(section.FElements.Count(), 2);
  ASSERT_EQ(section.FMarkers.Count(), 1);
  EXPECT_EQ(section.FMarkers[0]->FLine, section.FElements[1]);
  EXPECT_EQ(section.FMarkers[0]->FText, "НО");
  EXPECT_EQ(section.FSizes.Count(), 1);
  EXPECT_FALSE(section.FParametrs.FModified);
  EXPECT_EQ(section.FParametrs.FScale, 500) << "the scale stays the view's";
  section.FParametrs.FScale = 200;
  EXPECT_EQ(body(), before);
}

TEST_F(UndoTest, MovedNodeAndDraggedDimension)
{
  auto* wall = drawWall({0, 0}, {1000, 0});
  auto* size = putSize(wall->FNodes[0], wall->FNodes[1]);
  size->FOffset = {0, 300};
  history.Clear();

  history.Add(std::make_unique<TUndoSizePosition>(0));
  size->FOffset = {0, -900};
  size->FKind = skAligned;
  history.Add(std::make_unique<TUndoNodePosition>(1));
  wall->FNodes[1]->FPoint = {5000, 5000};

  history.Undo();
  EXPECT_EQ(wall->FNodes[1]->FPoint, (TPoint{1000, 0}));
  EXPECT_EQ(wall->FNodes[1]->FOwner, wall);
  history.Undo();
  EXPECT_EQ(size->FOffset, (TPoint{0, 300}));
  EXPECT_EQ(size->FKind, skHorizontal);
  EXPECT_EQ(size->FNode2, wall->FNodes[1]);
}

TEST_F(UndoTest, AnInvalidMoveIsTakenBackAtOnce)
{
  auto* polygon = new TPolygon;
  section.FElements.Add(polygon);
  for (TPoint p : {TPoint{0, 0}, TPoint{1000, 0}, TPoint{0, 1000}}) polygon->AddNode(p);
  history.Add(std::make_unique<TUndoInputElem>(0));

  // The move tool: record, move, check, take back.
  history.Add(std::make_unique<TUndoNodePosition>(1));
  polygon->FNodes[1]->FPoint = {10, 0};
  ASSERT_FALSE(polygon->IsCorrect());
  history.Undo();
  EXPECT_EQ(polygon->FNodes[1]->FPoint, (TPoint{1000, 0}));
  EXPECT_EQ(history.Count(), 1);
}

TEST_F(UndoTest, EntriesThatNoLongerFitAreRefused)
{
  drawWall({0, 0}, {1000, 0});
  section.FElements.Delete(0);  // deleted behind the history's back
  try {
    history.Undo();
    FAIL() << "no error";
  } catch (const EError& e) {
    EXPECT_NE(std::string(e.what()).find(strings::ErrListIndex), std::string::npos);
  }
  EXPECT_TRUE(history.IsEmpty()) << "the entry is gone all the same";

  // An entry recorded in another section is not taken back here.
  drawWall({0, 0}, {1000, 0});
  TConstruction other;
  auto* stranger = new TWallPolyLine;
  other.FElements.Add(stranger);
  {
    TCurrentConstructionGuard switched(&other);
    try {
      history.Undo();
      FAIL() << "no error";
    } catch (const EError& e) {
      EXPECT_EQ(std::string(e.what()), strings::ErrUndoOtherSection);
    }
  }
  EXPECT_EQ(other.FElements.Count(), 1);
  EXPECT_EQ(section.FElements.Count(), 1);
}

TEST_F(UndoTest, ReadingASectionEmptiesTheHistory)
{
  drawWall({0, 0}, {1000, 0});
  TBinaryWriter w;
  section.WriteRecord(w);
  TBinaryReader r(w.Data());
  section.ReadRecord(r);
  EXPECT_TRUE(history.IsEmpty());
}

} // namespace
} // namespace sonvela
