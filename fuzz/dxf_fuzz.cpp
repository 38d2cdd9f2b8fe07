// Fuzz target: the DXF reader and painter on arbitrary bytes.
// fuzz-seeds: tests/graphic/fixtures/*.dxf
#include "core/errors.h"
#include "graphic/dxf.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace sonvela;

// Checks every coordinate it is handed instead of painting.
class TCheckingCanvas : public TCanvas {
public:
  void Line(TPoint a, TPoint b) override { Check(a), Check(b); }
  void Polyline(const std::vector<TPoint>& p) override { for (TPoint q : p) Check(q); }
  void Polygon(const std::vector<TPoint>& p) override { for (TPoint q : p) Check(q); }
  void Rectangle(const TRect& r) override { Check(r); }
  void FillRect(const TRect& r) override { Check(r); }
  void Ellipse(const TRect& r) override { Check(r); }
  void Arc(const TRect& r, TPoint s, TPoint e) override { Check(r), Check(s), Check(e); }
  void TextOut(int x, int y, const std::string&) override { Check(TPoint{x, y}); }
  TTextSize TextExtent(const std::string&) override { return {}; }
  void SetPixel(int x, int y, TColor) override { Check(TPoint{x, y}); }
  TRect ClipRect() const override { return {0, 0, 1000, 1000}; }

private:
  static void Check(TPoint p)
  {
    if (std::abs(double(p.X)) > TDxf::DrawLimit + 1000 || std::abs(double(p.Y)) > TDxf::DrawLimit + 1000) std::abort();
  }
  static void Check(const TRect& r)
  {
    if (r.Left > r.Right || r.Top > r.Bottom) std::abort();
    Check(TPoint{r.Left, r.Top}), Check(TPoint{r.Right, r.Bottom});
  }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TDxf dxf;
  try {
    dxf.LoadFromStream(in);
  } catch (const EError&) {
    if (!dxf.GetEmpty()) std::abort();  // a failed load must leave nothing behind
    return 0;
  }
  TCheckingCanvas canvas;
  dxf.Draw(canvas, {0, 0, 640, 480});
  dxf.Draw(canvas, {-5, 7, -4, 8});
  TDxf copy;
  copy.Assign(dxf);
  copy.SetWidth(1000);
  copy.SetHeight(-3);
  if (copy.GetWidth() < 0 || copy.GetWidth() > TDxf::MaxSize || copy.GetHeight() < 0) std::abort();
  copy.Draw(canvas, {0, 0, 32767, 32767});
  return 0;
}
