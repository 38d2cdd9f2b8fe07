// Sections: the section record (versions 6 to 9, hostile input), parameters, the section list
// and the project file holding sections.
#include "graphic/construction.h"

#include "core/errors.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/room.h"
#include "graphic/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace sonvela {
namespace {

// Builds records by hand from the byte layout.
struct TRec {
  TBinaryWriter w;
  TRec& u8(int v)
  {
    w.WriteByte(static_cast<std::uint8_t>(v));
    return *this;
  }
  TRec& i32(std::int32_t v)
  {
    w.WriteInt32(v);
    return *this;
  }
  TRec& str(std::string_view s)
  {
    w.WriteString(s);
    return *this;
  }
  TRec& bytes(const Bytes& b)
  {
    w.WriteBytes(b);
    return *this;
  }
  // Version byte, empty name, unit, the default region, the scale.
  TRec& header(int version = 9, int unit = 2, std::int32_t scale = 0)
  {
    return u8(version).i32(0).u8(unit).i32(0).i32(0).i32(49999).i32(19999).i32(50000).i32(20000).i32(scale);
  }
  // A marker record: position, short string, line index, point index.
  TRec& marker(std::int32_t x, std::int32_t y, const std::string& text1251, std::int32_t line, std::int32_t index,
               int length = -1)
  {
    i32(x).i32(y).u8(length < 0 ? int(text1251.size()) : length);
    for (std::size_t i = 0; i < MarkerTextMax; ++i) u8(i < text1251.size() ? text1251[i] : 0);
    return i32(line).i32(index);
  }
  Bytes data() const { return w.Data(); }
};

Bytes writeRecord(TConstruction& s)
{
  TBinaryWriter w;
  s.WriteRecord(w);
  return w.Data();
}

void readRecord(TConstruction& s, const Bytes& bytes)
{
  TCurrentConstructionGuard current(&s);
  TBinaryReader r(bytes);
  s.ReadRecord(r);
  EXPECT_TRUE(r.AtEnd()) << "read " << r.Offset() << " of " << bytes.size();
}

// One of each element kind, dimensions of every kind, markers.
void buildFullSection(TConstruction& s)
{
  TCurrentConstructionGuard current(&s);
  s.FName = "Продольный разрез";
  s.FParametrs.FUnit = luCentimetre;
  s.FParametrs.SetRegionSize(60000, 30000);
  s.FParametrs.FScale = 500;
  auto* polygon = new TPolygon;
  s.FElements.Add(polygon);
  for (TPoint p : {TPoint{0, 0}, TPoint{1000, 0}, TPoint{0, 1000}}) polygon->AddNode(p);
  auto* circle = new TCircle;
  s.FElements.Add(circle);
  circle->CreateCentre({5000, 5000});
  circle->FRadius = 700;
  auto* sound = new TSound;
  s.FElements.Add(sound);
  sound->CreateNode({2000, 1500});
  sound->FRange = 13000;
  sound->FMusic = true;
  s.FElements.FSound = sound;
  auto* wall = new TWallPolyLine;
  s.FElements.Add(wall);
  for (TPoint p : {TPoint{-100, 0}, TPoint{-100, 8000}, TPoint{20000, 9000}}) wall->AddNode(p);
  auto* place = new TSpectatorPlace;
  s.FElements.Add(place);
  place->CreateNode({7000, 300});
  auto* line = new TSpectatorLine;
  s.FElements.Add(line);
  line->AddNode({6000, 500});
  line->AddNode({18000, 2500});
  auto* floor = new TPoglotWall;
  s.FElements.Add(floor);
  floor->AddNode({0, -10});
  floor->AddNode({20000, -10});

  auto* h = new TLinearSize;
  h->FNode = wall->FNodes[0];
  h->FNode2 = wall->FNodes[2];
  h->FOffset = {0, 700};
  s.FSizes.Add(h);
  auto* a = new TLinearSize;
  a->FNode = line->FNodes[0];
  a->FNode2 = line->FNodes[1];
  a->FKind = skAligned;
  a->FOffset = {-30, 400};
  s.FSizes.Add(a);
  auto* c = new TCircleSize;
  c->FNode = circle->FCentre;
  c->FCircle = circle;
  c->FOffset = {900, 100};
  c->FDiameter = false;
  s.FSizes.Add(c);

  auto* m1 = new TMarker;
  m1->FPos = {6060, 510};
  m1->FText = "ЗПЗ";
  m1->FLine = line;
  m1->FIndex = 1;
  s.FMarkers.Add(m1);
  auto* m2 = new TMarker;
  m2->FPos = {12000, 1500};
  m2->FText = "12.50";
  m2->FLine = line;
  m2->FIndex = 100;
  s.FMarkers.Add(m2);
}

TEST(SectionRecord, EmptySection)
{
  TConstruction s;
  s.FParametrs.FModified = true;
  s.FParametrs.FSizesModified = true;
  const Bytes expected = TRec().header().i32(0).i32(0).i32(-1).i32(0).i32(0).data();
  EXPECT_EQ(writeRecord(s), expected);
  EXPECT_EQ(expected.size(), 54u);
  EXPECT_FALSE(s.FParametrs.FModified);
  EXPECT_FALSE(s.FParametrs.FSizesModified);
  EXPECT_TRUE(s.FDoubleArrows);
  EXPECT_FALSE(s.FReflectorsLargeEnough);
}

TEST(SectionRecord, RoundTripKeepsEveryObjectAndByte)
{
  TConstruction original;
  buildFullSection(original);
  const Bytes bytes = writeRecord(original);

  TConstruction copy;
  copy.FParametrs.FModified = true;
  readRecord(copy, bytes);
  EXPECT_EQ(FormatVersion, 9);
  EXPECT_EQ(copy.FName, "Продольный разрез");
  EXPECT_EQ(copy.FParametrs.FUnit, luCentimetre);
  EXPECT_EQ(copy.FParametrs.FRegion, original.FParametrs.FRegion);
  EXPECT_EQ(copy.FParametrs.FRegionWidth, 60000);
  EXPECT_FALSE(copy.FParametrs.FModified);
  ASSERT_EQ(copy.FNodes.Count(), original.FNodes.Count());
  ASSERT_EQ(copy.FElements.Count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(copy.FElements[i]->GetKind(), original.FElements[i]->GetKind());
  for (int i = 0; i < copy.FNodes.Count(); ++i) {
    EXPECT_EQ(copy.FNodes[i]->FPoint, original.FNodes[i]->FPoint);
    EXPECT_EQ(copy.FElements.IndexOf(copy.FNodes[i]->FOwner), original.FElements.IndexOf(original.FNodes[i]->FOwner));
  }
  // The source comes back by reference, with the defaults of a new source.
  auto* sound = dynamic_cast<TSound*>(copy.FElements[2]);
  ASSERT_EQ(copy.FElements.FSound, sound);
  EXPECT_EQ(sound->FRange, 9000.0);
  EXPECT_FALSE(sound->FMusic);
  // The circle dimension refers to the same circle.
  auto* cs = dynamic_cast<TCircleSize*>(copy.FSizes[2]);
  ASSERT_NE(cs, nullptr);
  EXPECT_EQ(cs->FCircle, copy.FElements[1]);
  EXPECT_FALSE(cs->FDiameter);
  EXPECT_EQ(cs->FOffset, (TPoint{900, 100}));
  EXPECT_EQ(dynamic_cast<TLinearSize*>(copy.FSizes[1])->FKind, skAligned);
  ASSERT_EQ(copy.FMarkers.Count(), 2);
  EXPECT_EQ(copy.FMarkers[0]->FText, "ЗПЗ");
  EXPECT_EQ(copy.FMarkers[0]->FLine, copy.FElements[5]);
  EXPECT_EQ(copy.FMarkers[1]->FIndex, 100);
  EXPECT_EQ(copy.FMarkers[1]->FPos, (TPoint{12000, 1500}));
  EXPECT_TRUE(copy.FMarkers[1]->IsBound());

  EXPECT_EQ(writeRecord(copy), bytes);
}

TEST(SectionRecord, OlderVersions)
{
  // One source and one wall. soundIndex < -1 leaves the field out (version 6).
  auto section = [](int version, std::int32_t scale, std::int32_t soundIndex, bool markers) {
    TRec r;
    r.header(version, 2, scale);
    r.i32(3).i32(0).i32(0).i32(0).i32(0).i32(1000).i32(0);
    r.i32(2);
    if (soundIndex >= -1) r.i32(soundIndex);
    r.u8(2).i32(0).u8(3).i32(2).i32(1).i32(2);
    r.i32(0).i32(1).i32(1).i32(0);
    if (markers) r.i32(0);
    return r.data();
  };

  TConstruction s6, s7, s10;
  readRecord(s6, section(6, 250, -2, false));
  EXPECT_EQ(FormatVersion, 6);
  EXPECT_EQ(s6.FElements.Count(), 2);
  EXPECT_EQ(s6.FElements.FSound, nullptr) << "version 6 names no source";
  readRecord(s7, section(7, 0, 0, false));
  EXPECT_EQ(FormatVersion, 7);
  EXPECT_EQ(s7.FElements.FSound, s7.FElements[0]);
  EXPECT_EQ(s7.FMarkers.Count(), 0);
  readRecord(s10, section(10, 0, 0, true));
  EXPECT_EQ(FormatVersion, 9) << "a later version reads as 9";
  EXPECT_EQ(s10.FElements.FSound, s10.FElements[0]);

  // Written again, every section takes the current layout.
  EXPECT_EQ(writeRecord(s6), section(9, 250, -1, true));
  EXPECT_EQ(writeRecord(s7), section(9, 0, 0, true));
}

struct THostileCase {
  const char* name;
  Bytes bytes;
  const char* message;
  std::size_t offset;
};

// A section with two nodes; `elements` writes the element count onward.
Bytes twoNodes(const std::function<void(TRec&)>& elements, int unit = 2)
{
  TRec r;
  r.header(9, unit).i32(2).i32(0).i32(0).i32(1000).i32(0);
  elements(r);
  return r.data();
}

// Two nodes held by one wall, then `tail` from the dimension count onward.
Bytes wallThen(const std::function<void(TRec&)>& tail)
{
  return twoNodes([&](TRec& r) {
    r.i32(1).i32(-1).u8(3).i32(2).i32(0).i32(1).i32(0).i32(0);
    tail(r);
  });
}

// Offsets in a two-node record: node count 34, element count 54, source index 58, first tag
// 62; with one wall of two nodes: its node indices 67 and 71, owners 75 and 79, dimension
// count 83, the first dimension 87, the marker count (without dimensions) 87.
TEST(SectionRecord, HostileRecordsFailWithTheirOffset)
{
  const THostileCase cases[] = {
      {"node count beyond the file", TRec().header().i32(0x7fffffff).data(), "Число элементов больше", 34},
      {"negative node count", TRec().header().i32(-5).data(), "Отрицательное", 34},
      {"name longer than the file", TRec().u8(9).i32(1000000).data(), "Длина строки", 1},
      {"unknown unit", TRec().header(9, 4).data(), strings::ErrUnknownUnit, 5},
      {"element count beyond the file", twoNodes([](TRec& r) { r.i32(100000).i32(-1); }), "Число элементов больше", 54},
      {"unknown element tag", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(9).i32(0); }), strings::ErrUnknownElementTag, 62},
      {"element node count beyond the file", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(0).i32(0x10000000); }),
       "Число элементов больше", 63},
      {"node index outside the list", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(3).i32(2).i32(0).i32(5); }),
       strings::ErrNodeIndex, 71},
      {"node held twice", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(3).i32(2).i32(0).i32(0); }), strings::ErrNodeShared, 71},
      {"node held by no element", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(3).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0); }),
       strings::ErrNodeOrphan, 75},
      {"owner outside the list", twoNodes([](TRec& r) { r.i32(1).i32(-1).u8(3).i32(2).i32(0).i32(1).i32(0).i32(3); }),
       strings::ErrElementIndex, 79},
      {"source index names a wall", twoNodes([](TRec& r) { r.i32(1).i32(0).u8(3).i32(2).i32(0).i32(1).i32(0).i32(0); }),
       strings::ErrNotSound, 58},
      {"source index outside the list", twoNodes([](TRec& r) { r.i32(1).i32(4).u8(3).i32(2).i32(0).i32(1).i32(0).i32(0); }),
       strings::ErrElementIndex, 58},
      {"unknown dimension tag", wallThen([](TRec& r) { r.i32(1).u8(7).i32(0).i32(0).i32(0).u8(0).i32(1).i32(0); }),
       strings::ErrUnknownSizeTag, 87},
      {"unknown linear kind", wallThen([](TRec& r) { r.i32(1).u8(0).i32(0).i32(0).i32(0).u8(5).i32(1).i32(0); }),
       strings::ErrUnknownSizeKind, 100},
      {"dimension node outside the list", wallThen([](TRec& r) { r.i32(1).u8(0).i32(0).i32(0).i32(0).u8(0).i32(2).i32(0); }),
       strings::ErrNodeIndex, 101},
      {"circle dimension on a wall", wallThen([](TRec& r) { r.i32(1).u8(1).i32(0).i32(0).i32(0).u8(1).i32(0).i32(0); }),
       strings::ErrNotCircle, 101},
      {"marker on a wall", wallThen([](TRec& r) { r.i32(0).i32(1).marker(0, 0, "1", 0, 5); }), strings::ErrNotSpectatorLine, 110},
      {"marker count beyond the file", wallThen([](TRec& r) { r.i32(0).i32(2).marker(0, 0, "1", 0, 5); }),
       "Число элементов больше", 87},
      {"marker text longer than 10", wallThen([](TRec& r) { r.i32(0).i32(1).marker(0, 0, "1", 0, 5, 11); }),
       strings::ErrMarkerText, 99},
      {"marker on point 200",
       twoNodes([](TRec& r) {
         r.i32(1).i32(-1).u8(5).i32(2).i32(0).i32(1).i32(0).i32(0).i32(0);
         r.i32(1).marker(0, 0, "1", 0, 200);
       }),
       strings::ErrMarkerIndex, 114},
      {"circle dimension off its centre",
       TRec().header().i32(3).i32(0).i32(0).i32(1).i32(1).i32(2).i32(2)
           .i32(2).i32(-1).u8(1).i32(0).i32(500).u8(3).i32(2).i32(1).i32(2)
           .i32(0).i32(1).i32(1)
           .i32(1).u8(1).i32(1).i32(0).i32(0).u8(1).i32(0).i32(0).data(),
       strings::ErrCircleCentre, 122},
  };
  for (const auto& c : cases) {
    TConstruction s;
    TCurrentConstructionGuard current(&s);
    TBinaryReader r(c.bytes);
    try {
      s.ReadRecord(r);
      ADD_FAILURE() << c.name << ": read without error";
    } catch (const EReadError& e) {
      EXPECT_NE(e.detail().find(c.message), std::string::npos) << c.name << ": " << e.what();
      EXPECT_EQ(e.offset(), c.offset) << c.name << ": " << e.what();
    }
    // The section read half-way is still consistent: clearing and freeing it is safe.
    s.Clear();
    EXPECT_EQ(s.FNodes.Count(), 0) << c.name;
  }
}

TEST(SectionRecord, EveryTruncationFails)
{
  TConstruction original;
  buildFullSection(original);
  const Bytes bytes = writeRecord(original);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    TConstruction s;
    TCurrentConstructionGuard current(&s);
    const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    TBinaryReader r(prefix);
    EXPECT_THROW(s.ReadRecord(r), EReadError) << n;
  }
}

TEST(SectionParameters, RegionSizeCentresOnTheContents)
{
  TConstruction s;
  TCurrentConstructionGuard current(&s);
  EXPECT_EQ(s.FParametrs.FRegion, (TRect{0, 0, 49999, 19999})) << "an empty section starts at the origin";
  auto* wall = new TWallPolyLine;
  s.FElements.Add(wall);
  wall->AddNode({0, 0});
  wall->AddNode({4000, 3000});
  s.FParametrs.FModified = false;
  s.FParametrs.SetRegionSize(10000, 8000);
  EXPECT_EQ(s.FParametrs.FRegion, (TRect{-3000, -2500, 6999, 5499}));
  EXPECT_EQ(s.FParametrs.FRegionWidth, 10000);
  EXPECT_EQ(s.FParametrs.FRegionHeight, 8000);
  EXPECT_TRUE(s.FParametrs.FModified);
  s.FParametrs.FSnapOrigin = true;
  s.FParametrs.SetRegionSize(10000, 8000, 1000);
  EXPECT_EQ(s.FParametrs.FRegion, (TRect{-3000, -2000, 6999, 5999})) << "-2.5 steps round to -2";
  // Odd halves truncate toward zero.
  wall->FNodes[0]->FPoint = {-3, -3};
  wall->FNodes[1]->FPoint = {3, 3};
  s.FParametrs.FSnapOrigin = false;
  s.FParametrs.SetRegionSize(5, 5);
  EXPECT_EQ(s.FParametrs.FRegion, (TRect{-2, -2, 2, 2}));
}

TEST(SectionParameters, UnitsAndScale)
{
  TConstruction s;
  struct Case {
    std::uint8_t unit;
    const char* name;
    double inches;
  } cases[] = {{luMillimetre, "мм", 1.0}, {luCentimetre, "см", 10.0}, {luMetre, "м", 1000.0}, {luInch, "inch", 25.4}};
  for (const auto& c : cases) {
    s.FParametrs.FUnit = c.unit;
    EXPECT_EQ(s.FParametrs.UnitName(), c.name);
    EXPECT_DOUBLE_EQ(s.FParametrs.LengthToInches(25400), c.inches) << c.name;
  }
  int calls = 0;
  TConstParametrs::OnScaleChanged = [&](TConstParametrs& p) {
    ++calls;
    EXPECT_EQ(p.FScale, 750);
  };
  s.FParametrs.SetScale(750);
  TConstParametrs::OnScaleChanged = nullptr;
  EXPECT_EQ(calls, 1);
}

TEST(SectionList, AddEnsureDelete)
{
  TConstructionList list;
  list.EnsureSection();
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0]->FName, "БезНазвания");
  EXPECT_EQ(CurrentConstruction, list[0]);
  list.AddSection("Поперечный");
  list.AddSection("Поперечный");
  EXPECT_EQ(CurrentConstruction, list[2]);
  list.EnsureSection();
  EXPECT_EQ(list.Count(), 3) << "adds nothing to a non-empty list";
  EXPECT_EQ(CurrentConstruction, list[0]);

  // Writing leaves the current section current.
  CurrentConstruction = list[1];
  TBinaryWriter w;
  list.WriteToStream(w);
  EXPECT_EQ(CurrentConstruction, list[1]);

  // Reading: each section is current while it is read.
  TConstructionList copy;
  TBinaryReader r(w.Data());
  copy.ReadFromStream(r);
  EXPECT_TRUE(r.AtEnd());
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy[2]->FName, "Поперечный");
  EXPECT_EQ(CurrentConstruction, copy[2]);

  // Deleting the current section leaves none current rather than a dangling one.
  copy.DeleteSection(2);
  EXPECT_EQ(CurrentConstruction, nullptr);
  EXPECT_THROW(copy.DeleteSection(5), EError);
  list.DeleteAll();
  EXPECT_EQ(list.Count(), 0);
}

TEST(SectionList, DeleteAllFreesEveryNodeOnce)
{
  TConstructionList list;
  for (int i = 0; i < 3; ++i) buildFullSection(*list.AddSection("Разрез"));
  CurrentConstruction = list[0];
  list.DeleteAll();  // a double free would abort the test program
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(CurrentConstruction, nullptr);
}

TEST(SectionList, ReadingReplacesTheListAndRefusesHugeCounts)
{
  TConstructionList list;
  list.AddSection("старый");
  const Bytes huge = TRec().i32(1000000).data();
  TBinaryReader r(huge);
  EXPECT_THROW(list.ReadFromStream(r), EReadError);
  EXPECT_EQ(list.Count(), 0);
}

class ProjectWithSections : public ::testing::Test {
protected:
  void SetUp() override { useGraphicSections(); }
  void TearDown() override { setSectionListFactory(nullptr); }
  TMaterialBase base;
};

TEST_F(ProjectWithSections, NewProjectIs97Bytes)
{
  TRoom room;
  ASSERT_NE(dynamic_cast<TConstructionList*>(room.FSections.get()), nullptr);
  EXPECT_EQ(saveProjectToBytes(room).size(), 97u);
}

TEST_F(ProjectWithSections, SavedSectionsReadBackByteForByte)
{
  TRoom room;
  auto& sections = dynamic_cast<TConstructionList&>(*room.FSections);
  buildFullSection(*sections.AddSection(""));
  sections.AddSection("");  // an empty section
  const Bytes bytes = saveProjectToBytes(room);

  // The empty section's record ends the section list, followed by the empty surface list.
  const Bytes empty = TRec().header().i32(0).i32(0).i32(-1).i32(0).i32(0).i32(0).data();
  ASSERT_GT(bytes.size(), empty.size());
  EXPECT_TRUE(std::equal(empty.begin(), empty.end(), bytes.end() - static_cast<std::ptrdiff_t>(empty.size())));

  std::unique_ptr<TRoom> loaded = loadProjectFromBytes(bytes, base);
  auto& read = dynamic_cast<TConstructionList&>(*loaded->FSections);
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read[0]->FName, "Продольный разрез");
  EXPECT_EQ(read[0]->FElements.Count(), 7);
  EXPECT_EQ(saveProjectToBytes(*loaded), bytes);
}

TEST_F(ProjectWithSections, OlderSectionVersionsInAProject)
{
  // A new project's fields, then two sections of versions 6 and 7, then no surfaces.
  TRoom fresh;
  const Bytes newProject = saveProjectToBytes(fresh);
  const Bytes head(newProject.begin(), newProject.end() - 8);
  const Bytes project = TRec()
                            .bytes(head)
                            .i32(2)
                            .header(6).i32(1).i32(5).i32(5).i32(1).u8(4).i32(0).i32(0).i32(0)
                            .header(7).i32(1).i32(5).i32(5).i32(1).i32(0).u8(2).i32(0).i32(0).i32(0)
                            .i32(0)
                            .data();
  std::unique_ptr<TRoom> loaded = loadProjectFromBytes(project, base);
  auto& read = dynamic_cast<TConstructionList&>(*loaded->FSections);
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read[0]->FElements[0]->GetKind(), 4);
  EXPECT_EQ(read[1]->FElements.FSound, read[1]->FElements[0]);
  const Bytes expected = TRec()
                             .bytes(head)
                             .i32(2)
                             .header(9).i32(1).i32(5).i32(5).i32(1).i32(-1).u8(4).i32(0).i32(0).i32(0).i32(0)
                             .header(9).i32(1).i32(5).i32(5).i32(1).i32(0).u8(2).i32(0).i32(0).i32(0).i32(0)
                             .i32(0)
                             .data();
  EXPECT_EQ(saveProjectToBytes(*loaded), expected);

  // A broken section fails the whole read with its offset; nothing is returned.
  Bytes broken = project;
  const std::size_t tagAt = head.size() + 4 + 34 + 4 + 8 + 4;  // the first element's tag
  broken[tagAt] = 9;
  try {
    loadProjectFromBytes(broken, base);
    ADD_FAILURE() << "read without error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.offset(), tagAt);
  }
}

} // namespace
} // namespace sonvela
