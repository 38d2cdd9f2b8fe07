// First reflections: the colour rule of computed spectator points and the calculation's
// shared constants. The calculation itself is defined on the model classes
// (TElementList::CalcReflections, TSpectatorLine::Calculate, TWallPolyLine::FindReflection...).
#pragma once
#include "graphic/elements.h"
#include "graphic/types.h"

namespace sonvela {

class TConstruction;

// Model units per millisecond of path difference: 340 m/s with one model unit taken as 1 mm.
constexpr double SoundSpeed = 340.0;
// Delay limits of the colour rule, ms.
constexpr double DelayGoodLimit = 25.0;
constexpr double DelayFairLimit = 35.0;
// Reflectors shorter than this (metres) make the result approximate.
constexpr double MinReflectorLength = 2.0;
// Path length a point starts with before any wall is tried, and what a wall without an
// unobstructed reflection answers. The second is larger so such a wall never counts.
constexpr double NoPathLength = 1e20;
constexpr double NoWallPathLength = 1e21;
// Pen width of the coloured spectator lines, pixels.
constexpr int FieldPenWidth = 3;

// Rows of the colour rule of a computed point; the first matching row applies.
enum class TFieldClass {
  Obstructed = 1,    // the direct sound does not reach the point
  DirectZone = 2,    // within the source's radius of direct sound
  NoReflection = 3,  // no single reflection reaches the point
  Good = 4,          // delay <= 25 ms
  Fair = 5,          // 25 < delay <= 35 ms
  Late = 6,          // delay > 35 ms
};

TFieldClass ClassifyFieldPoint(const TSpectatorPoint& p);
// The same rule without row 3, as the coloured line uses it: a point without a reflection
// falls to row 6 through its huge delay.
TFieldClass ClassifyFieldPointByDelay(const TSpectatorPoint& p);
TColor FieldClassColor(TFieldClass c);

// The source the calculation works from: the section's source reference, or, in a section
// whose record carries none (versions before 7), the first source of its element list.
// None when the section has no source with a position.
TSound* CalculationSource(const TConstruction& section);

} // namespace sonvela
