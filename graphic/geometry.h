// Plane geometry on integer model points: distances, segment tests, the mirror reflection.
#pragma once
#include "graphic/types.h"

#include <cstdint>

namespace sonvela {

// Distance in model units within which an end point counts as touching a segment.
constexpr std::int32_t NearTolerance = 25;

// Integer sums and differences of coordinates are overflow-checked (ERangeError), products
// are formed in 64 bits, and rounding is to nearest with ties to even (ERangeError when the
// result leaves 32 bits). No function holds state or catches anything.

TPoint RealToPoint(TRealPoint r);
std::int32_t ManhattanDistance(TPoint a, TPoint b);
double Distance(TPoint a, TPoint b);
// Distance from p to the closed segment ab (to a when a = b).
double DistanceToSegment(TPoint p, TPoint a, TPoint b);
// Direction cosines of the vector a -> b; (1, 0) for equal points.
void UnitVector(TPoint a, TPoint b, double& c, double& s);
TPoint AddPoints(TPoint a, TPoint b);
TPoint SubPoints(TPoint a, TPoint b);
std::int64_t DotProduct(TPoint u, TPoint v);
// Rounds a length to 1, 2, 5 or 10 times a power of ten (grid steps).
double NiceStep(double x);
// p lies beside segment ab, its projection strictly inside ab, closer than NearTolerance.
bool PointNearSegment(TPoint p, TPoint a, TPoint b);
// Segments a1a2 and b1b2 meet (end points included, with the end tolerance); r is the
// meeting point, valid only when true.
bool SegmentsIntersect(TPoint a1, TPoint a2, TPoint b1, TPoint b2, TPoint& r);
// The point r of wall segment ab at which sound from one of p, q reflects to the other,
// found by mirroring q in the wall's line. A wall of zero length reflects nothing (false).
bool ReflectionPoint(TPoint p, TPoint q, TPoint a, TPoint b, TPoint& r);

} // namespace sonvela
