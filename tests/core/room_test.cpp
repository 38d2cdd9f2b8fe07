// The hall record and the space-planning and reverberation check.
#include "core/check_inputs.h"
#include "core/numreaders.h"
#include "core/room.h"

#include "core/strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sonvela;

namespace {

// The coefficient that gives reverberation time `t` in a band of formula 32.
double alphaFor(double t, double v, double s)
{
  return 1 - std::exp(-ReverbConstant * v / (s * t));
}

void expectAllFinite(const TRoom& r)
{
  for (double d : {r.FWidth, r.FHeight, r.FLengthToWidth, r.FWidthToHeight, r.FCritFreq, r.FVolumePerSeat,
                   r.FOptimalReverbTime})
    EXPECT_TRUE(std::isfinite(d));
  for (const auto& t : r.FReverbTime)
    EXPECT_TRUE(!t || (std::isfinite(*t) && *t > 0));
  EXPECT_TRUE(!r.FBassRatio || std::isfinite(*r.FBassRatio));
  EXPECT_TRUE(!r.FTrebleRatio || std::isfinite(*r.FTrebleRatio));
}

} // namespace

TEST(Room, NewRecordHoldsTheDefaults)
{
  TRoom r;
  EXPECT_EQ(r.FHallType, 6);
  EXPECT_STREQ(hallTypeText(r.FHallType), "Многоцелевой зал");
  EXPECT_EQ(r.FVolume, 1000);
  EXPECT_EQ(r.FLength, 20);
  EXPECT_EQ(r.FFloorArea, 100);
  EXPECT_EQ(r.FSeats, 300);
  EXPECT_EQ(r.FEnclosingArea, 4200);
  for (double a : r.FAlpha) EXPECT_EQ(a, 0.5);
  EXPECT_TRUE(r.FName.empty());
  EXPECT_TRUE(r.FFileName.empty());
  EXPECT_TRUE(r.FSaved);
  EXPECT_EQ(r.FSurfaces->Count(), 0);
  EXPECT_EQ(r.FSections->Count(), 0);
  EXPECT_FALSE(r.FReverbTime[0].has_value());
  EXPECT_TRUE(r.FBassVerdict.empty());
}

TEST(Room, ResetKeepsTheFileNameOnly)
{
  TRoom r;
  r.FName = "Зал";
  r.FFileName = "/tmp/a.snv";
  r.FHallType = 2;
  r.FVolume = 5;
  r.FSeats = 7;
  r.FAlpha[3] = 0.1;
  r.FSaved = false;
  r.FSurfaces->Add(std::make_unique<TPovPoglot>());
  r.Reset();
  EXPECT_EQ(r.FFileName, "/tmp/a.snv");
  EXPECT_TRUE(r.FName.empty());
  EXPECT_EQ(r.FHallType, 6);
  EXPECT_EQ(r.FVolume, 1000);
  EXPECT_EQ(r.FSeats, 300);
  EXPECT_EQ(r.FAlpha[3], 0.5);
  EXPECT_TRUE(r.FSaved);
  EXPECT_EQ(r.FSurfaces->Count(), 0);
}

TEST(Room, HallTypeAndNormTexts)
{
  EXPECT_STREQ(hallTypeText(0), "Зал драматического театра, аудитории, конференц-зал");
  EXPECT_STREQ(hallTypeText(7), "Концертный зал современной эстрадной музыки (киноконцертный зал)");
  EXPECT_STREQ(volumePerSeatNormText(5), "10-12");
  EXPECT_STREQ(maxLengthNormText(4), "42-46");
  for (int t : {-1, 8, 255}) {
    EXPECT_STREQ(hallTypeText(t), "");
    EXPECT_STREQ(volumePerSeatNormText(t), "");
    EXPECT_STREQ(maxLengthNormText(t), "");
    EXPECT_EQ(hallNorm(t), nullptr);
  }
}

TEST(Check, WorkedReverberationExample)
{
  TRoom r;
  r.FVolume = 1500;
  r.FEnclosingArea = 1000;
  r.FAlpha.fill(0.25);
  r.Calculate();
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(*r.FReverbTime[i], 0.84990, 5e-5);
  EXPECT_NEAR(*r.FReverbTime[4], 0.81180, 5e-5);
  EXPECT_NEAR(*r.FReverbTime[5], 0.76244, 5e-5);
  EXPECT_EQ(*r.FBassRatio, 0);
  EXPECT_NEAR(*r.FTrebleRatio, -0.333, 5e-4);
  // Type 6: K_Н in [-0.5, 1], K_В in [-1, 0].
  EXPECT_EQ(r.FBassVerdict, "Баланс низких частот в норме");
  EXPECT_EQ(r.FTrebleVerdict, "Баланс высоких частот в норме");
}

TEST(Check, DefaultsFailTheProportions)
{
  TRoom r;
  r.Calculate();
  EXPECT_EQ(r.FWidth, 5);
  EXPECT_EQ(r.FHeight, 10);
  EXPECT_EQ(r.FLengthToWidth, 4);
  EXPECT_EQ(r.FWidthToHeight, 0.5);
  EXPECT_FALSE(r.FLengthToWidthOk);
  EXPECT_FALSE(r.FWidthToHeightOk);
  EXPECT_FALSE(r.FSpacePlanningOk);
  EXPECT_NEAR(r.FVolumePerSeat, 3.3333, 1e-4);
  EXPECT_FALSE(r.FVolumePerSeatOk);  // type 6 wants 4..6
  EXPECT_TRUE(r.FLengthOk);
  EXPECT_NEAR(r.FCritFreq, 70.58, 0.005);
  EXPECT_TRUE(r.FCritFreqBelow125);
  EXPECT_DOUBLE_EQ(r.FOptimalReverbTime, 0.98);  // curve 4 at lg V = 3
}

TEST(Check, CriticalFrequencyAt180IsNotBelow125)
{
  TRoom r;
  r.FVolume = 180;
  r.Calculate();
  EXPECT_EQ(r.FCritFreq, 125);
  EXPECT_FALSE(r.FCritFreqBelow125);
}

TEST(Check, RangeEndsCountAsInside)
{
  // Type 0: 4..5 m³ per seat, L_доп = 25 m.
  struct Case { double v; int n; double l; bool volumeOk; bool lengthOk; };
  const Case cases[] = {
    {1200, 300, 25, true, true},
    {1500, 300, 24, true, true},
    {1197, 300, 25.001, false, false},
    {1503, 300, 10, false, true},
  };
  for (const Case& c : cases) {
    TRoom r;
    r.FHallType = 0;
    r.FVolume = c.v;
    r.FSeats = c.n;
    r.FLength = c.l;
    r.Calculate();
    EXPECT_EQ(r.FVolumePerSeatOk, c.volumeOk) << c.v;
    EXPECT_EQ(r.FLengthOk, c.lengthOk) << c.l;
  }
}

TEST(Check, ProportionLimitsAreExcluded)
{
  struct Case { double l, s, v; bool lbOk, bhOk; };
  const Case cases[] = {
    {10, 100, 1000, false, false},  // L/B = 1, B/H = 1
    {20, 200, 2000, false, false},  // L/B = 2, B/H = 1
    {15, 150, 1000, true, true},    // L/B = 1.5, B/H = 1.5
    {15, 150, 750, true, false},    // L/B = 1.5, B/H = 2
  };
  for (const Case& c : cases) {
    TRoom r;
    r.FLength = c.l;
    r.FFloorArea = c.s;
    r.FVolume = c.v;
    r.Calculate();
    EXPECT_EQ(r.FLengthToWidthOk, c.lbOk) << c.l;
    EXPECT_EQ(r.FWidthToHeightOk, c.bhOk) << c.l;
  }
  // All four space-planning verdicts hold: type 6, 5 m³ per seat, L = 15 ≤ 34.
  TRoom r;
  r.FLength = 15;
  r.FFloorArea = 150;
  r.FVolume = 1000;
  r.FSeats = 200;
  r.Calculate();
  EXPECT_TRUE(r.FSpacePlanningOk);
}

TEST(Check, BandZeroHasTheWiderTolerance)
{
  TRoom r;
  r.FVolume = 1500;
  r.FEnclosingArea = 1000;
  const double topt = optimalReverbTime(r.FHallType, r.FVolume);
  r.FAlpha.fill(alphaFor(topt, r.FVolume, r.FEnclosingArea));
  r.FAlpha[0] = r.FAlpha[1] = alphaFor(1.15 * topt, r.FVolume, r.FEnclosingArea);
  r.Calculate();
  EXPECT_TRUE(r.FReverbOk[0]);
  EXPECT_FALSE(r.FReverbOk[1]);
  EXPECT_TRUE(r.FReverbOk[2]);
  EXPECT_TRUE(r.FReverbOk[3]);
  EXPECT_FALSE(r.FReverbAllOk);
  r.FAlpha[1] = r.FAlpha[2];
  r.FAlpha[0] = alphaFor(0.89 * topt, r.FVolume, r.FEnclosingArea);
  r.Calculate();
  EXPECT_FALSE(r.FReverbOk[0]);
}

TEST(Check, BandsWithoutReverberationTime)
{
  struct Case { int band; double alpha; bool bassDefined; bool trebleDefined; };
  const Case cases[] = {
    {0, 0.0, false, true},   // formula 32 divides by zero
    {3, 0.0, false, false},  // band 3 is in both ratios
    {4, 0.0, true, true},    // formula 33 still has the air term
    {5, 1.0, true, false},   // ln(0)
    {1, 2.0, false, true},   // ln of a negative number
    {2, 1e7, false, false},
    {0, 5e-324, false, true},  // T beyond a double
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    TRoom r;
    r.FAlpha[c.band] = c.alpha;
    r.Calculate();
    EXPECT_EQ(r.FReverbTime[c.band].has_value(), c.band == 4);
    EXPECT_TRUE(c.band == 4 || !r.FReverbOk[c.band]);
    EXPECT_EQ(r.FBassRatio.has_value(), c.bassDefined);
    EXPECT_EQ(r.FTrebleRatio.has_value(), c.trebleDefined);
    EXPECT_EQ(r.FBassVerdict == "не определено", !c.bassDefined);
    EXPECT_EQ(r.FTrebleVerdict == "не определено", !c.trebleDefined);
    EXPECT_FALSE(r.FReverbAllOk);
    expectAllFinite(r);
  }
  TRoom r;
  r.FAlpha[4] = 0;
  r.Calculate();
  EXPECT_NEAR(*r.FReverbTime[4], ReverbConstant / AirAbsorption2000, 1e-12);
}

TEST(Check, TimbreVerdictsByHallType)
{
  // Bands 0-1 against 2-3 set the bass ratio; 4-5 against 2-3 the treble ratio.
  struct Case { int type; double bassT; double trebleT; const char* bass; const char* treble; };
  const Case cases[] = {
    {0, 1.0, 1.05, str::BassInNorm, str::TrebleHigh},  // K_Н = 0 is the top of [-0.5, 0]
    {0, 1.2, 0.8, str::BassHigh, str::TrebleInNorm},
    {0, 0.85, 0.7, str::BassLow, str::TrebleLow},
    {1, 1.0, 0.9, str::BassInNorm, str::TrebleInNorm},  // K_Н = 0 is the bottom of [0, 1.5]
    {3, 0.95, 0.9, str::BassLow, str::TrebleInNorm},
    {5, 1.5, 0.9, str::BassHigh, str::TrebleInNorm},    // +1.76 dB
    {6, 1.2, 0.9, str::BassInNorm, str::TrebleInNorm},  // +0.79 dB within [-0.5, 1]
    {7, 1.3, 0.9, str::BassHigh, str::TrebleInNorm},    // +1.14 dB
  };
  const double v = 2000, s = 1500;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    TRoom r;
    r.FHallType = static_cast<std::uint8_t>(c.type);
    r.FVolume = v;
    r.FEnclosingArea = s;
    r.FAlpha[2] = r.FAlpha[3] = alphaFor(1.0, v, s);
    r.FAlpha[0] = r.FAlpha[1] = alphaFor(c.bassT, v, s);
    // Bands 4 and 5 carry the air term, so solve formula 33 for them.
    for (int b : {4, 5}) {
      const double n = b == 4 ? AirAbsorption2000 : AirAbsorption4000;
      r.FAlpha[b] = 1 - std::exp(-(ReverbConstant * v / c.trebleT - n * v) / s);
    }
    r.Calculate();
    EXPECT_EQ(r.FBassVerdict, c.bass) << *r.FBassRatio;
    EXPECT_EQ(r.FTrebleVerdict, c.treble) << *r.FTrebleRatio;
  }
}

TEST(Check, UnknownHallTypeYieldsNoNormsAndNoCrash)
{
  TRoom r;
  r.FHallType = 200;
  r.Calculate();
  EXPECT_FALSE(r.FVolumePerSeatOk);
  EXPECT_FALSE(r.FLengthOk);
  EXPECT_EQ(r.FOptimalReverbTime, 0);
  EXPECT_FALSE(r.FReverbAllOk);
  EXPECT_EQ(r.FBassVerdict, "");
  expectAllFinite(r);
}

TEST(Check, NothingIsInfiniteOverTheAcceptedInputs)
{
  const double extremes[] = {1, 1e8};
  const double areas[] = {1, 1e7};
  const double alphas[] = {0, 1e-300, 1e-17, 0.5, 0.9999, 1, 1e7};
  for (double v : extremes)
    for (double s : areas)
      for (double a : alphas) {
        TRoom r;
        r.FVolume = v;
        r.FLength = s > 60 ? 60 : 1;
        r.FFloorArea = s;
        r.FEnclosingArea = s;
        r.FSeats = 1;
        r.FAlpha.fill(a);
        r.Calculate();
        SCOPED_TRACE(a);
        expectAllFinite(r);
      }
}

TEST(OptimalReverbTime, CurvesClampAndReplace)
{
  EXPECT_DOUBLE_EQ(optimalReverbTime(5, 1000), 1.5);   // curve 1
  EXPECT_DOUBLE_EQ(optimalReverbTime(4, 1000), 1.3);   // curve 2
  EXPECT_DOUBLE_EQ(optimalReverbTime(2, 1000), 1.05);  // curve 3
  EXPECT_DOUBLE_EQ(optimalReverbTime(0, 1000), 0.85);  // curve 5
  EXPECT_DOUBLE_EQ(optimalReverbTime(6, 1), optimalReverbTime(6, 100));
  EXPECT_DOUBLE_EQ(optimalReverbTime(7, 1e8), 0.36 * 5 - 0.10);
  for (int t = 0; t < HallTypeCount; ++t)
    for (double v : {1.0, 100.0, 3000.0, 1e8}) EXPECT_GT(optimalReverbTime(t, v), 0);

  TOptimalReverbTable table = defaultOptimalReverbTable();
  table.Curves[4] = {0.0, 2.0};
  setOptimalReverbTable(table);
  EXPECT_EQ(optimalReverbTime(0, 1000), 2.0);
  setOptimalReverbTable(defaultOptimalReverbTable());
  EXPECT_DOUBLE_EQ(optimalReverbTime(0, 1000), 0.85);
}

TEST(AverageAlpha, FromTheSurfaceList)
{
  TRoom r;
  r.FEnclosingArea = 1000;
  r.CalcAverageAlpha();
  for (double a : r.FAlpha) EXPECT_EQ(a, 0);

  auto surface = std::make_unique<TPovPoglot>();
  surface->FAmount = 200;
  surface->FCoef = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
  r.FSurfaces->Add(std::move(surface));
  auto pieces = std::make_unique<TPovPoglot>();
  pieces->FIsSurface = false;
  pieces->FAmount = 2;
  pieces->FCoef.fill(0.3);
  r.FSurfaces->Add(std::move(pieces));
  r.CalcAverageAlpha();
  const double expected[] = {20.6, 40.6, 60.6, 80.6, 100.6, 120.6};
  for (int i = 0; i < BandCount; ++i) {
    EXPECT_NEAR(r.FSurfaces->FEquivArea[i], expected[i], 1e-12);
    EXPECT_NEAR(r.FAlpha[i], expected[i] / 1000, 1e-15);
  }

  TRoom two;
  two.FEnclosingArea = 1000;
  for (double c : {0.2, 0.4}) {
    auto e = std::make_unique<TPovPoglot>();
    e->FAmount = 100;
    e->FCoef.fill(c);
    two.FSurfaces->Add(std::move(e));
  }
  two.CalcAverageAlpha();
  EXPECT_NEAR(two.FAlpha[2], 0.06, 1e-15);
}

TEST(CheckInputs, TheFirstRefusedInputInTheWindowsOrderIsNamed)
{
  TRoom room;
  EXPECT_FALSE(refusedCheckInput(room, ','));  // a new record is acceptable
  room.FLength = 60;
  room.FSeats = 0;
  room.FAlpha[2] = -0.1;
  const auto refused = refusedCheckInput(room, ',');
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find(str::LabelAlpha[2]), std::string::npos) << *refused;
  room.FAlpha[2] = 0;
  EXPECT_EQ(refusedCheckInput(room, ','), integerRangeMessage(str::LabelSeats, 1, 1000000));
  room.FSeats = 1;
  room.FVolume = std::nan("");
  EXPECT_EQ(refusedCheckInput(room, '.'), floatRangeMessage(str::LabelVolume, 1, 100000000, '.'));
}
