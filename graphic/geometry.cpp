// Plane geometry on integer model points.
#include "graphic/geometry.h"

#include "core/errors.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace sonvela {

namespace {

// a*b - c*d in 64 bits, checked.
std::int64_t cross64(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d)
{
  return checkedSub64(checkedMul64(a, b), checkedMul64(c, d));
}

// 0 <= n/den <= 1, decided on the integers by the sign of den (den != 0).
bool inUnitInterval(std::int64_t n, std::int64_t den)
{
  return den > 0 ? (n >= 0 && n <= den) : (n <= 0 && n >= den);
}

} // namespace

TPoint RealToPoint(TRealPoint r)
{
  return {roundToInt(r.X), roundToInt(r.Y)};
}

std::int32_t ManhattanDistance(TPoint a, TPoint b)
{
  const std::int64_t dx = std::abs(static_cast<std::int64_t>(checkedSub(a.X, b.X)));
  const std::int64_t dy = std::abs(static_cast<std::int64_t>(checkedSub(a.Y, b.Y)));
  const std::int64_t sum = dx + dy;
  if (sum > INT32_MAX) throw ERangeError("Integer overflow");
  return static_cast<std::int32_t>(sum);
}

double Distance(TPoint a, TPoint b)
{
  const double dx = checkedSub(b.X, a.X);
  const double dy = checkedSub(b.Y, a.Y);
  return std::sqrt(dx * dx + dy * dy);
}

double DistanceToSegment(TPoint p, TPoint a, TPoint b)
{
  if (a == b) return Distance(p, a);
  const double px = double(p.X) - a.X;
  const double py = double(p.Y) - a.Y;
  const double ex = double(b.X) - a.X;
  const double ey = double(b.Y) - a.Y;
  const double l = ex * ex + ey * ey;
  const double t = px * ex + py * ey;
  if (t > l) return Distance(p, b);
  if (t < 0) return Distance(p, a);
  return std::sqrt(std::fabs(px * px + py * py - t * t / l));
}

void UnitVector(TPoint a, TPoint b, double& c, double& s)
{
  if (a == b) {
    c = 1.0;
    s = 0.0;
    return;
  }
  const double d = Distance(a, b);
  c = checkedSub(b.X, a.X) / d;
  s = checkedSub(b.Y, a.Y) / d;
}

TPoint AddPoints(TPoint a, TPoint b)
{
  return {checkedAdd(a.X, b.X), checkedAdd(a.Y, b.Y)};
}

TPoint SubPoints(TPoint a, TPoint b)
{
  return {checkedSub(a.X, b.X), checkedSub(a.Y, b.Y)};
}

std::int64_t DotProduct(TPoint u, TPoint v)
{
  return checkedAdd64(checkedMul64(u.X, v.X), checkedMul64(u.Y, v.Y));
}

double NiceStep(double x)
{
  if (x == 0) return 0;
  const double a = std::fabs(x);
  const double e = std::pow(10.0, std::trunc(std::log10(a)));
  const double m = a / e;
  double k;
  if (m < 1.41)
    k = 1;
  else if (m < 3)
    k = 2;
  else if (m < 7.5)
    k = 5;
  else
    k = 10;
  const double r = k * e;
  return x > 0 ? r : -r;
}

bool PointNearSegment(TPoint p, TPoint a, TPoint b)
{
  const TPoint v = SubPoints(b, a);
  if (DotProduct(v, SubPoints(p, a)) <= 0) return false;
  if (DotProduct(v, SubPoints(p, b)) >= 0) return false;
  const std::int64_t k = cross64(v.Y, checkedSub(p.X, a.X), v.X, checkedSub(p.Y, a.Y));
  const double kd = static_cast<double>(k);
  // The squared distance times |v|^2, compared exactly with the 64-bit |v|^2.
  return static_cast<long double>(kd * kd / 625.0) < static_cast<long double>(DotProduct(v, v));
}

bool SegmentsIntersect(TPoint a1, TPoint a2, TPoint b1, TPoint b2, TPoint& r)
{
  if (std::min(b1.X, b2.X) > std::max(a1.X, a2.X) || std::max(b1.X, b2.X) < std::min(a1.X, a2.X) ||
      std::min(b1.Y, b2.Y) > std::max(a1.Y, a2.Y) || std::max(b1.Y, b2.Y) < std::min(a1.Y, a2.Y))
    return false;
  const TPoint d1 = SubPoints(a2, a1);
  const TPoint d2 = SubPoints(b2, b1);
  const TPoint d3 = SubPoints(b1, a1);
  const std::int64_t den = cross64(d1.Y, d2.X, d1.X, d2.Y);
  if (den != 0) {
    const std::int64_t n1 = cross64(d3.Y, d2.X, d3.X, d2.Y);
    const std::int64_t n2 = cross64(d1.X, d3.Y, d1.Y, d3.X);
    if (inUnitInterval(n1, den) && inUnitInterval(n2, den)) {
      const double t = static_cast<double>(n1) / static_cast<double>(den);
      r = {checkedAdd(a1.X, roundToInt(d1.X * t)), checkedAdd(a1.Y, roundToInt(d1.Y * t))};
      return true;
    }
  }
  if (PointNearSegment(a1, b1, b2)) {
    r = a1;
    return true;
  }
  if (PointNearSegment(a2, b1, b2)) {
    r = a2;
    return true;
  }
  if (PointNearSegment(b1, a1, a2)) {
    r = b1;
    return true;
  }
  if (PointNearSegment(b2, a1, a2)) {
    r = b2;
    return true;
  }
  return false;
}

bool ReflectionPoint(TPoint p, TPoint q, TPoint a, TPoint b, TPoint& r)
{
  const double la = double(b.Y) - a.Y;
  const double lb = double(a.X) - b.X;
  const double lc = double(b.X) * a.Y - double(a.X) * b.Y;
  const double n = std::sqrt(la * la + lb * lb);
  if (n == 0) return false;  // a wall of zero length has no mirror line
  const double d = (la * q.X + lb * q.Y + lc) / n;
  const TPoint image{roundToInt(q.X - 2 * d * la / n), roundToInt(q.Y - 2 * d * lb / n)};
  return SegmentsIntersect(a, b, p, image, r);
}

} // namespace sonvela
