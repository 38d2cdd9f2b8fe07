// The hall project record, its norms and the space-planning and reverberation check.
#include "core/room.h"

#include "core/strings.h"

#include <algorithm>
#include <cmath>

namespace sonvela {

namespace {

// Specific air volume per seat and maximum length by hall type (clause 13.2), and the
// timbre limits: K_Н per type, K_В [-1, 0] dB for every type.
constexpr THallNorm HallNorms[HallTypeCount] = {
  {4, 5, 24, 25, -0.5, 0.0, -1.0, 0.0},
  {5, 7, 28, 29, 0.0, 1.5, -1.0, 0.0},
  {6, 8, 30, 32, 0.0, 1.5, -1.0, 0.0},
  {6, 8, 20, 22, 0.0, 1.5, -1.0, 0.0},
  {8, 10, 42, 46, 0.0, 1.5, -1.0, 0.0},
  {10, 12, 42, 46, 0.0, 1.5, -1.0, 0.0},
  {4, 6, 30, 34, -0.5, 1.0, -1.0, 0.0},
  {4, 6, 48, 50, -0.5, 1.0, -1.0, 0.0},
};

// Provisional reading of figure 6: five straight lines in lg V over 100..100 000 m³.
constexpr TOptimalReverbTable DefaultReverbTable = {
  {{{0.50, 0.00}, {0.50, -0.20}, {0.40, -0.15}, {0.36, -0.10}, {0.30, -0.05}}},
  {4, 3, 2, 2, 1, 0, 3, 3},
  100,
  100000,
};

TOptimalReverbTable gReverbTable = DefaultReverbTable;

bool validType(int t) { return t >= 0 && t < HallTypeCount; }

// A reverberation time only when it is a finite positive number.
std::optional<double> positiveFinite(double v)
{
  if (std::isfinite(v) && v > 0) return v;
  return std::nullopt;
}

// 10·lg(num/den) of two pairs of band times, when all four exist and the result is finite.
std::optional<double> timbreRatio(const std::optional<double>& a, const std::optional<double>& b,
                                  const std::optional<double>& c, const std::optional<double>& d)
{
  if (!a || !b || !c || !d) return std::nullopt;
  const double r = 10 * std::log10((*a + *b) / (*c + *d));
  if (!std::isfinite(r)) return std::nullopt;
  return r;
}

std::string timbreVerdict(const std::optional<double>& ratio, double lo, double hi, const char* low,
                          const char* inNorm, const char* high)
{
  if (!ratio) return str::RatioUndefined;
  if (*ratio < lo) return low;
  if (*ratio > hi) return high;
  return inNorm;
}

} // namespace

const THallNorm* hallNorm(int hallType) { return validType(hallType) ? &HallNorms[hallType] : nullptr; }
const char* hallTypeText(int hallType) { return validType(hallType) ? str::HallTypes[hallType] : ""; }
const char* volumePerSeatNormText(int hallType) { return validType(hallType) ? str::VolumePerSeatNorms[hallType] : ""; }
const char* maxLengthNormText(int hallType) { return validType(hallType) ? str::MaxLengthNorms[hallType] : ""; }

const TOptimalReverbTable& defaultOptimalReverbTable() { return DefaultReverbTable; }
const TOptimalReverbTable& optimalReverbTable() { return gReverbTable; }
void setOptimalReverbTable(const TOptimalReverbTable& table) { gReverbTable = table; }

double optimalReverbTime(int hallType, double volume)
{
  if (!validType(hallType)) return 0;
  const TOptimalReverbTable& t = gReverbTable;
  const auto& curve = t.Curves.at(static_cast<std::size_t>(t.CurveOfHallType[hallType]));
  const double v = std::clamp(volume, t.VolumeMin, t.VolumeMax);
  return curve.A * std::log10(v) + curve.B;
}

TRoom::TRoom() : FSurfaces(std::make_unique<TPovList>()), FSections(makeSectionList()) {}

TRoom::~TRoom() = default;

void TRoom::ResetInputs()
{
  FName.clear();
  FHallType = 6;
  FVolume = 1000;
  FLength = 20;
  FFloorArea = 100;
  FSeats = 300;
  FEnclosingArea = 4200;
  FAlpha.fill(0.5);
  FSaved = true;
}

void TRoom::Reset()
{
  ResetInputs();
  FSurfaces->Clear();
  FSections->Clear();
}

void TRoom::Calculate()
{
  const int t = FHallType;
  const THallNorm* norm = hallNorm(t);

  // Clause 13.2: specific volume, length and proportions.
  FVolumePerSeat = FVolume / FSeats;
  FVolumePerSeatOk = norm && FVolumePerSeat >= norm->VolumePerSeatMin && FVolumePerSeat <= norm->VolumePerSeatMax;
  FLengthOk = norm && FLength <= norm->LengthMax;
  FWidth = FFloorArea / FLength;
  FHeight = FVolume / FFloorArea;
  FLengthToWidth = FLength / FWidth;
  FWidthToHeight = FWidth / FHeight;
  FLengthToWidthOk = FLengthToWidth > 1 && FLengthToWidth < 2;
  FWidthToHeightOk = FWidthToHeight > 1 && FWidthToHeight < 2;
  FSpacePlanningOk = FVolumePerSeatOk && FLengthOk && FLengthToWidthOk && FWidthToHeightOk;

  // Clause 13.3: critical frequency (formula 31).
  FCritFreq = ReferenceFrequency * std::cbrt(ReferenceVolume / FVolume);
  FCritFreqBelow125 = FCritFreq < ReferenceFrequency;

  // Reverberation time per band (formulas 32 and 33). log1p keeps small coefficients exact.
  FOptimalReverbTime = optimalReverbTime(t, FVolume);
  const double airAbsorption[BandCount] = {0, 0, 0, 0, AirAbsorption2000, AirAbsorption4000};
  FReverbAllOk = true;
  for (int i = 0; i < BandCount; ++i) {
    const double a = FAlpha[i];
    std::optional<double> time;
    if (a < 1) {  // also refuses NaN
      const double absorption = -FEnclosingArea * std::log1p(-a) + airAbsorption[i] * FVolume;
      time = positiveFinite(ReverbConstant * FVolume / absorption);
    }
    FReverbTime[i] = time;
    const double upper = (i == 0 ? ReverbUpperTolerance125 : ReverbUpperTolerance) * FOptimalReverbTime;
    FReverbOk[i] = time && *time >= ReverbLowerTolerance * FOptimalReverbTime && *time <= upper;
    FReverbAllOk = FReverbAllOk && FReverbOk[i];
  }

  // Timbre ratios.
  FBassRatio = timbreRatio(FReverbTime[0], FReverbTime[1], FReverbTime[2], FReverbTime[3]);
  FTrebleRatio = timbreRatio(FReverbTime[4], FReverbTime[5], FReverbTime[2], FReverbTime[3]);
  if (norm) {
    FBassVerdict = timbreVerdict(FBassRatio, norm->BassRatioMin, norm->BassRatioMax, str::BassLow,
                                 str::BassInNorm, str::BassHigh);
    FTrebleVerdict = timbreVerdict(FTrebleRatio, norm->TrebleRatioMin, norm->TrebleRatioMax, str::TrebleLow,
                                   str::TrebleInNorm, str::TrebleHigh);
  } else {
    FBassVerdict = FBassRatio ? "" : str::RatioUndefined;
    FTrebleVerdict = FTrebleRatio ? "" : str::RatioUndefined;
  }
}

void TRoom::CalcAverageAlpha()
{
  FSurfaces->SumEquivalentArea();
  for (int i = 0; i < BandCount; ++i) FAlpha[i] = FSurfaces->FEquivArea[i] / FEnclosingArea;
}

} // namespace sonvela
