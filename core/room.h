// The hall project record, its norms and the space-planning and reverberation check.
#pragma once
#include "core/binary.h"
#include "core/section_list.h"
#include "core/surfaces.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace sonvela {

class TMaterialBase;

inline constexpr int HallTypeCount = 8;
inline constexpr int BandCount = 6;  // 125, 250, 500, 1000, 2000, 4000 Hz, index 0 first

// Norms of one hall type. Both ends of both ranges count as inside; the upper end of the
// length range is the maximum length L_доп.
struct THallNorm {
  double VolumePerSeatMin, VolumePerSeatMax;  // m³ per seat
  double LengthMin, LengthMax;                // m
  double BassRatioMin, BassRatioMax;          // dB, K_Н in the norm
  double TrebleRatioMin, TrebleRatioMax;      // dB, K_В in the norm
};

// Norms of hall type t, or nullptr for a type outside 0..7.
const THallNorm* hallNorm(int hallType);
// Texts of the type list and of the norms ("4-5", "24-25"); empty outside 0..7.
const char* hallTypeText(int hallType);
const char* volumePerSeatNormText(int hallType);
const char* maxLengthNormText(int hallType);

// The optimal reverberation time of figure 6 of SNiP 23-03-2003, kept as data: a family of
// curves T = A·lg V + B over a clamped volume range, and the curve each hall type follows.
// A finer digitisation of the figure replaces the table (setOptimalReverbTable), not code.
struct TOptimalReverbTable {
  struct TCurve { double A, B; };
  std::array<TCurve, 5> Curves;
  std::array<int, HallTypeCount> CurveOfHallType;  // index into Curves
  double VolumeMin, VolumeMax;                     // V is clamped into this range, m³
};
const TOptimalReverbTable& defaultOptimalReverbTable();
const TOptimalReverbTable& optimalReverbTable();
void setOptimalReverbTable(const TOptimalReverbTable& table);
// T_опт in seconds for hall type t and volume V; 0 for a type outside 0..7.
double optimalReverbTime(int hallType, double volume);

// The one calculation project: a hall, the inputs of its check, the check's results, and
// the two lists the project owns (surfaces and sections).
//
// Undefined results: a band whose formula has no finite positive value (α ≤ 0 in bands
// 0..3, α ≥ 1 in any band, or a value too large for a double) has no reverberation time,
// so its element of FReverbTime is empty, its FReverbOk is false, and a timbre ratio that
// needs it is empty too, with the verdict text "не определено". No result is ever inf or
// NaN. Calculate expects the inputs the check window accepts (V, L, S_П, S_огр ≥ 1,
// N ≥ 1, α ≥ 0).
class TRoom {
public:
  TRoom();   // Create: defaults, empty lists, saved
  ~TRoom();
  TRoom(const TRoom&) = delete;
  TRoom& operator=(const TRoom&) = delete;

  // Clears the name (keeps the file name), restores the input defaults, empties both
  // lists and marks the record saved.
  void Reset();
  // The check: fills every result field from the inputs; changes nothing else.
  void Calculate();
  // Averages of the surface list: α[i] = A[i] / S_огр. Callers guarantee S_огр ≥ 1.
  void CalcAverageAlpha();

  // The project file record (core/project.cpp). SaveToStream marks the record saved.
  // LoadFromStream resets the record, then reads it; the surface entries are re-linked to
  // `base` only once the whole record has been read, so a failed read leaves the base as
  // it was. Errors are EReadError with the byte offset.
  void SaveToStream(TBinaryWriter& w);
  void LoadFromStream(TBinaryReader& r, TMaterialBase& base);

  // Inputs
  bool FSaved = true;
  std::string FName;
  std::string FFileName;
  std::uint8_t FHallType = 6;
  double FVolume = 1000;
  double FLength = 20;
  double FFloorArea = 100;
  std::int32_t FSeats = 300;
  double FEnclosingArea = 4200;
  std::array<double, BandCount> FAlpha{0.5, 0.5, 0.5, 0.5, 0.5, 0.5};

  // Results of Calculate
  bool FLengthOk = false;
  bool FVolumePerSeatOk = false;
  double FWidth = 0;
  double FHeight = 0;
  bool FLengthToWidthOk = false;
  bool FWidthToHeightOk = false;
  double FLengthToWidth = 0;
  double FWidthToHeight = 0;
  double FCritFreq = 0;
  double FVolumePerSeat = 0;
  std::array<std::optional<double>, BandCount> FReverbTime{};
  double FOptimalReverbTime = 0;
  std::array<bool, BandCount> FReverbOk{};
  bool FCritFreqBelow125 = false;
  bool FSpacePlanningOk = false;
  bool FReverbAllOk = false;
  std::optional<double> FBassRatio;
  std::optional<double> FTrebleRatio;
  std::string FBassVerdict;
  std::string FTrebleVerdict;

  // Owned lists
  std::unique_ptr<TPovList> FSurfaces;
  std::unique_ptr<TSectionListBase> FSections;

private:
  void ResetInputs();
};

// Constants of the check.
inline constexpr double ReferenceFrequency = 125;  // Hz
inline constexpr double ReferenceVolume = 180;     // m³
inline constexpr double ReverbConstant = 0.163;
inline constexpr double AirAbsorption2000 = 0.009;
inline constexpr double AirAbsorption4000 = 0.022;
inline constexpr double ReverbLowerTolerance = 0.9;
inline constexpr double ReverbUpperTolerance = 1.1;
inline constexpr double ReverbUpperTolerance125 = 1.2;

} // namespace sonvela
