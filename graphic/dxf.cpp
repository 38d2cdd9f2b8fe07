// The DXF underlay: reading group pairs into entity, layer and line type records, and painting.
#include "graphic/dxf.h"

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numeric.h"
#include "graphic/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <limits>
#include <numbers>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace sonvela {

namespace {

constexpr std::size_t BufferSize = 16384;
constexpr std::size_t MaxNameLength = 255;  // characters

std::string_view trimBlanks(std::string_view s)
{
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole decimal integer with an optional sign, within 32 bits.
std::optional<std::int32_t> parseInteger(std::string_view s)
{
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return std::nullopt;
  std::int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// A decimal number written with "." or "," and an optional exponent. Infinities, NaN and
// hexadecimal forms are no numbers. A number beyond the double range comes back as an
// infinity of its sign, one too small as zero, so that only values actually used can be
// refused for their size.
std::optional<double> parseReal(std::string_view text)
{
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t mantissaStart = i;
  std::size_t intDigits = 0, fracDigits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++intDigits;
  std::size_t point = std::string::npos;
  if (i < s.size() && s[i] == '.') {
    point = i++;
    while (i < s.size() && isDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return std::nullopt;
  const std::size_t mantissaEnd = i;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (i >= s.size() || !isDigit(s[i])) return std::nullopt;
    for (; i < s.size() && isDigit(s[i]); ++i)
      exponent = std::min<long long>(exponent * 10 + (s[i] - '0'), 1'000'000'000);
    if (expNegative) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;

  double v = 0;
  const char* first = s.data() + mantissaStart;
  const auto [end, ec] = std::from_chars(first, s.data() + s.size(), v);
  if (ec == std::errc() && end == s.data() + s.size()) return negative ? -v : v;
  if (ec != std::errc::result_out_of_range) return std::nullopt;

  // Out of the double range: the decimal order of the leading digit tells which way.
  long long order = exponent;
  const std::string_view mantissa(s.data() + mantissaStart, mantissaEnd - mantissaStart);
  const std::size_t firstNonZero = mantissa.find_first_of("123456789");
  if (firstNonZero == std::string_view::npos) return negative ? -0.0 : 0.0;
  const std::size_t pointPos = point == std::string::npos ? mantissa.size() : point - mantissaStart;
  order += firstNonZero < pointPos ? static_cast<long long>(pointPos - firstNonZero) - 1
                                   : -static_cast<long long>(firstNonZero - pointPos);
  const double big = std::numeric_limits<double>::infinity();
  if (order > 0) return negative ? -big : big;
  return negative ? -0.0 : 0.0;
}

bool isValidUtf8(std::string_view s)
{
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = s[i];
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) n = 1, cp = c & 0x1F;
    else if ((c & 0xF0) == 0xE0) n = 2, cp = c & 0x0F;
    else if ((c & 0xF8) == 0xF0) n = 3, cp = c & 0x07;
    else return false;
    if (i + n >= s.size()) return false;
    for (std::size_t k = 1; k <= n; ++k) {
      const unsigned char d = s[i + k];
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

// Names are kept in UTF-8: newer files are UTF-8 already, older ones carry Windows-1251.
// Cut to the 255 characters a name record holds.
std::string decodeName(std::string_view raw)
{
  std::string s = isValidUtf8(raw) ? std::string(raw) : fromCp1251(raw);
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
    if (chars++ == MaxNameLength) {
      s.resize(i);
      break;
    }
  }
  return s;
}

enum class TValueKind { String, Real, Integer, Ignored };

TValueKind valueKind(std::int32_t code)
{
  if ((code >= 0 && code <= 9) || (code >= 999 && code <= 1009)) return TValueKind::String;
  if ((code >= 10 && code <= 59) || (code >= 140 && code <= 147) || (code >= 210 && code <= 239) ||
      (code >= 1010 && code <= 1059))
    return TValueKind::Real;
  if ((code >= 60 && code <= 79) || (code >= 170 && code <= 175) || (code >= 1060 && code <= 1075))
    return TValueKind::Integer;
  return TValueKind::Ignored;
}

} // namespace

// Reads the lines of a DXF stream through a fixed buffer. A line ends at a carriage
// return, a line feed or the pair of both, so files from any system read alike.
class TDxfLineSource {
public:
  explicit TDxfLineSource(std::istream& stream) : FStream(stream) {}

  // False when no byte is left.
  bool ReadLine(std::string& line)
  {
    line.clear();
    FLineStart = FOffset;
    bool any = false;
    for (;;) {
      if (FPos == FFill && !Fill()) {
        if (FFirstLine) StripByteOrderMark(line);
        FFirstLine = false;
        return any;
      }
      const char c = static_cast<char>(FBuffer[FPos++]);
      ++FOffset;
      if (FSkipLineFeed) {
        FSkipLineFeed = false;
        if (c == '\n') {
          FLineStart = FOffset;
          continue;
        }
      }
      any = true;
      if (c == '\r' || c == '\n') {
        FSkipLineFeed = c == '\r';
        if (FFirstLine) StripByteOrderMark(line);
        FFirstLine = false;
        return true;
      }
      if (line.size() >= TDxf::MaxLineLength) throw EReadError(strings::DxfInvalidFile, FLineStart);
      line.push_back(c);
    }
  }

  // Byte offset of the start of the line read last.
  std::uint64_t LineStart() const { return FLineStart; }

private:
  bool Fill()
  {
    if (FStream.bad() || FStream.eof()) return false;
    FStream.read(reinterpret_cast<char*>(FBuffer.data()), BufferSize);
    if (FStream.bad()) throw EReadError(strings::DxfCannotRead, FOffset);
    FFill = static_cast<std::size_t>(FStream.gcount());
    FPos = 0;
    FTotal += FFill;
    if (FTotal > TDxf::MaxFileBytes) throw EReadError(strings::DxfFileTooLarge, TDxf::MaxFileBytes);
    return FFill > 0;
  }

  static void StripByteOrderMark(std::string& line)
  {
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  }

  std::istream& FStream;
  std::array<std::uint8_t, BufferSize> FBuffer{};
  std::size_t FFill = 0;
  std::size_t FPos = 0;
  std::uint64_t FOffset = 0;
  std::uint64_t FTotal = 0;
  std::uint64_t FLineStart = 0;
  bool FSkipLineFeed = false;
  bool FFirstLine = true;
};

// One pass over a DXF stream into a fresh drawing; the state of the group-pair reader.
class TDxfReader {
public:
  TDxfReader(std::istream& stream, TDxf& out) : FLines(stream), FOut(out) {}

  void Read()
  {
    // Comments may precede the first section.
    bool any = ReadGroup();
    while (any && FCode == 999) any = ReadGroup();
    if (!any || FCode != 0 || FString != "SECTION") throw EReadError(strings::DxfInvalidFile, FCodeOffset);
    do {
      if (!Handle()) return;
    } while (ReadGroup());
    // A file cut short still gives what it holds.
    FinishItem();
  }

  TDxfPoint Origin() const { return FOrigin; }

private:
  enum class TItem { None, Entity, LineType, Layer };

  // A code line and a value line. False at the end of the data.
  bool ReadGroup()
  {
    std::optional<std::int32_t> code;
    for (int tries = 0; !code; ++tries) {
      if (tries == 3) throw EReadError(strings::DxfInvalidFile, FCodeOffset);
      if (!FLines.ReadLine(FLine)) return false;
      if (tries == 0) FCodeOffset = FLines.LineStart();
      code = parseInteger(trimBlanks(FLine));
    }
    if (!FLines.ReadLine(FLine)) return false;
    FCode = *code;
    FValueOffset = FLines.LineStart();
    const std::string_view value = trimBlanks(FLine);
    FString.clear();
    FReal = 0;
    FInteger = 0;
    switch (valueKind(FCode)) {
    case TValueKind::String: FString = value; break;
    case TValueKind::Real: FReal = parseReal(value).value_or(0.0); break;
    case TValueKind::Integer: FInteger = parseInteger(value).value_or(0); break;
    case TValueKind::Ignored: break;
    }
    return true;
  }

  // The value as a single, refused when it does not fit.
  float Single(double v) const
  {
    if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
      throw EReadError(strings::DxfNumberOutOfRange, FValueOffset);
    return static_cast<float>(v);
  }
  float Single() const { return Single(FReal); }
  float MinusOrigin(float origin) const { return Single(double(Single()) - double(origin)); }

  bool IsEntityName() const { return FN == "LINE" || FN == "CIRCLE" || FN == "ARC"; }
  bool InEntity() const { return FS == "ENTITIES" && FItem == TItem::Entity && IsEntityName(); }
  bool InLayer() const { return FT == "LAYER" && FN == "LAYER" && FItem == TItem::Layer; }
  bool InLineType() const { return FT == "LTYPE" && FN == "LTYPE" && FItem == TItem::LineType; }

  void FinishItem()
  {
    switch (FItem) {
    case TItem::None: break;
    case TItem::Entity:
      if (FOut.FEntities.size() >= TDxf::MaxEntities) throw EReadError(strings::DxfTooManyObjects, FCodeOffset);
      FOut.FEntities.push_back(FEntity);
      break;
    case TItem::LineType:
      Append(FOut.FLineTypes, FLineTypeIndex, FLineType);
      break;
    case TItem::Layer:
      Append(FOut.FLayers, FLayerIndex, FLayer);
      break;
    }
    FItem = TItem::None;
  }

  template <class T>
  void Append(std::vector<T>& list, std::unordered_map<std::string, std::int16_t>& index, const T& item)
  {
    if (list.size() >= TDxf::MaxTableItems) throw EReadError(strings::DxfTooManyObjects, FCodeOffset);
    index.emplace(item.Name, static_cast<std::int16_t>(list.size()));
    list.push_back(item);
  }

  static std::int16_t Lookup(const std::unordered_map<std::string, std::int16_t>& index, const std::string& raw)
  {
    const auto it = index.find(decodeName(raw));
    return it == index.end() ? 0 : it->second;
  }

  // False when reading ends here.
  bool Handle()
  {
    if (FCode == 0 || FCode == 9) {
      FinishItem();
      FN = FString;
      if (FCode == 0) {
        if (FN == "EOF") return false;
        if (FN == "ENDSEC") FS.clear();
        if (FN == "ENDTAB") FT.clear();
      }
      if (FS == "ENTITIES" && IsEntityName()) {
        FItem = TItem::Entity;
        FEntity = {};
        FEntity.Kind = FN == "LINE" ? TDxfEntityKind::Line
                     : FN == "CIRCLE" ? TDxfEntityKind::Circle : TDxfEntityKind::Arc;
      } else if (FS == "TABLES" && FN == "LTYPE") {
        FItem = TItem::LineType;
        FLineType = {};
      } else if (FS == "TABLES" && FN == "LAYER") {
        FItem = TItem::Layer;
        FLayer = {};
      }
      return true;
    }
    const bool header = FS == "HEADER";
    switch (FCode) {
    case 2:
      if (FN == "SECTION") FS = FString;
      else if (FN == "TABLE") FT = FString;
      else if (InLineType()) FLineType.Name = decodeName(FString);
      else if (InLayer()) FLayer.Name = decodeName(FString);
      break;
    case 6:
      if (InLayer()) FLayer.LineType = Lookup(FLineTypeIndex, FString);
      break;
    case 8:
      if (InEntity()) FEntity.Layer = Lookup(FLayerIndex, FString);
      break;
    case 10: case 20: case 30: {
      const int axis = FCode / 10 - 1;
      if (header) {
        TDxfPoint* p = FN == "$EXTMAX" ? &FOut.FHeaderMax
                     : FN == "$EXTMIN" ? &FOut.FHeaderMin
                     : FN == "$UCSORG" ? &FOrigin : nullptr;
        if (p) (axis == 0 ? p->X : axis == 1 ? p->Y : p->Z) = Single();
      } else if (InEntity()) {
        float& f = axis == 0 ? FEntity.X1 : axis == 1 ? FEntity.Y1 : FEntity.Z1;
        f = MinusOrigin(axis == 0 ? FOrigin.X : axis == 1 ? FOrigin.Y : FOrigin.Z);
      }
      break;
    }
    case 11: case 21: case 31:
      if (InEntity() && FEntity.Kind == TDxfEntityKind::Line) {
        const int axis = FCode / 10 - 1;
        float& f = axis == 0 ? FEntity.X2 : axis == 1 ? FEntity.Y2 : FEntity.Z2;
        f = MinusOrigin(axis == 0 ? FOrigin.X : axis == 1 ? FOrigin.Y : FOrigin.Z);
      }
      break;
    case 40:
      if (InEntity() && FEntity.Kind != TDxfEntityKind::Line) FEntity.X2 = Single();
      break;
    case 50:
      if (InEntity() && FEntity.Kind == TDxfEntityKind::Arc) FEntity.Y2 = Single();
      else if (header && FN == "$ANGBASE") FOut.FAngBase = Single();
      break;
    case 51:
      if (InEntity() && FEntity.Kind == TDxfEntityKind::Arc) FEntity.Z2 = Single();
      break;
    case 62:
      if (InLayer()) FLayer.Color = static_cast<std::int16_t>(FInteger);
      break;
    case 70:
      if (header && FN == "$ANGBASE") FOut.FAngDir = static_cast<std::int16_t>(FInteger);
      break;
    case 73:
      if (InLineType()) FLineType.PenStyle = FInteger != 0 ? 2 : 0;
      break;
    default:
      break;
    }
    return true;
  }

  TDxfLineSource FLines;
  TDxf& FOut;
  std::string FLine;
  // The current group pair.
  std::int32_t FCode = 0;
  std::string FString;
  double FReal = 0;
  std::int32_t FInteger = 0;
  std::uint64_t FCodeOffset = 0;
  std::uint64_t FValueOffset = 0;
  // Section, table and item names.
  std::string FS, FT, FN;
  TDxfPoint FOrigin;
  TItem FItem = TItem::None;
  TDxfEntity FEntity;
  TDxfLineType FLineType;
  TDxfLayer FLayer;
  std::unordered_map<std::string, std::int16_t> FLayerIndex;
  std::unordered_map<std::string, std::int16_t> FLineTypeIndex;
};

TDxf::TDxf()
{
  SetSystemColors(clBlack, clNavy);
}

void TDxf::SetSystemColors(TColor windowText, TColor highlight)
{
  for (std::size_t i = 0; i < FColors.size(); ++i) FColors[i] = (i == 3 || i == 4) ? highlight : windowText;
}

void TDxf::Clear()
{
  FEntities.clear();
  FLineTypes.clear();
  FLayers.clear();
  FEmpty = true;
  FWidth = 0;
  FHeight = 0;
}

void TDxf::LoadFromStream(std::istream& stream)
{
  // Read into a fresh drawing so that a failure leaves this one as it was.
  TDxf fresh;
  TDxfReader reader(stream, fresh);
  reader.Read();
  const TDxfPoint o = reader.Origin();
  const auto relative = [&](TDxfPoint p) {
    const auto sub = [&](float v, float origin) {
      const double d = double(v) - double(origin);
      if (!(std::fabs(d) <= std::numeric_limits<float>::max())) throw EReadError(strings::DxfNumberOutOfRange, 0);
      return static_cast<float>(d);
    };
    return TDxfPoint{sub(p.X, o.X), sub(p.Y, o.Y), sub(p.Z, o.Z)};
  };
  fresh.FHeaderMin = relative(fresh.FHeaderMin);
  fresh.FHeaderMax = relative(fresh.FHeaderMax);

  FEntities = std::move(fresh.FEntities);
  FLineTypes = std::move(fresh.FLineTypes);
  FLayers = std::move(fresh.FLayers);
  FAngBase = fresh.FAngBase;
  FAngDir = fresh.FAngDir;
  FHeaderMin = fresh.FHeaderMin;
  FHeaderMax = fresh.FHeaderMax;
  FMin = FHeaderMin;
  FMax = FHeaderMax;
  FEmpty = false;
  UpdateSize();
  Changed();
}

void TDxf::LoadFromFile(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EReadError(std::string(strings::DxfCannotOpen) + " " + path.string(), 0);
  LoadFromStream(in);
}

void TDxf::Assign(const TGraphic& source)
{
  const auto* dxf = dynamic_cast<const TDxf*>(&source);
  if (!dxf) throw EError(strings::DxfAssignOnlyDxf);
  if (dxf == this) return;
  Clear();
  if (dxf->FEmpty) {
    Changed();
    return;
  }
  FEntities = dxf->FEntities;
  FLineTypes = dxf->FLineTypes;
  FLayers = dxf->FLayers;
  FAngBase = dxf->FAngBase;
  FAngDir = dxf->FAngDir;
  FHeaderMin = dxf->FHeaderMin;
  FHeaderMax = dxf->FHeaderMax;
  FMin = dxf->FMin;
  FMax = dxf->FMax;
  FScale = dxf->FScale;
  FEmpty = false;
  UpdateSize();
  Changed();
}

namespace {

// An extent of the drawing; a flat one counts as one drawing unit so that nothing divides
// by zero.
double extent(float from, float to)
{
  const double d = double(to) - double(from);
  return d == 0 ? 1.0 : d;
}

int clampSize(double v)
{
  if (!(v > 0)) return 0;
  if (v >= TDxf::MaxSize) return TDxf::MaxSize;
  return roundToInt(v);
}

} // namespace

void TDxf::UpdateSize()
{
  FHeight = clampSize(std::fabs(double(FMax.Y) - double(FMin.Y)) * FScale);
  FWidth = clampSize(std::fabs(double(FMax.X) - double(FMin.X)) * FScale);
}

static float scaleFor(int pixels, double units)
{
  const double s = pixels / std::fabs(units);
  const double top = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(s, -top, top));
}

void TDxf::SetWidth(int value)
{
  FScale = scaleFor(value, extent(FMin.X, FMax.X));
  UpdateSize();
  Changed();
}

void TDxf::SetHeight(int value)
{
  FScale = scaleFor(value, extent(FMin.Y, FMax.Y));
  UpdateSize();
  Changed();
}

void TDxf::SaveToStream(std::ostream&) const { throw EError(strings::DxfNoSaveToStream); }
void TDxf::SaveToClipboardFormat() const { throw EError(strings::DxfNoSaveToClipboard); }
void TDxf::LoadFromClipboardFormat() { throw EError(strings::DxfNoLoadFromClipboard); }

namespace {

struct TDxfMapping {
  double sx, sy, ox, oy;
  double X(double x) const { return ox + sx * x; }
  double Y(double y) const { return oy + sy * y; }
};

bool withinLimit(double v) { return std::fabs(v) <= TDxf::DrawLimit; }

// Cuts the segment to the square of DrawLimit (Liang-Barsky). False when nothing is left;
// endClipped tells whether the end point moved.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, bool& endClipped)
{
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 + TDxf::DrawLimit, TDxf::DrawLimit - x1, y1 + TDxf::DrawLimit, TDxf::DrawLimit - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, r);
    else t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  endClipped = t1 < 1;
  const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
  if (endClipped) x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
  x1 = nx1;
  y1 = ny1;
  // Rounding error of the cut must not carry a coordinate past the limit.
  for (double* v : {&x1, &y1, &x2, &y2}) *v = std::clamp(*v, -TDxf::DrawLimit, TDxf::DrawLimit);
  return true;
}

TPoint pixel(double x, double y) { return {roundToInt(x), roundToInt(y)}; }

} // namespace

void TDxf::Draw(TCanvas& canvas, const TRect& r) const
{
  if (FEmpty) return;
  TDxfMapping m;
  m.sx = (double(r.Right) - r.Left - 1) / extent(FMin.X, FMax.X);
  m.sy = (double(r.Top) - r.Bottom + 1) / extent(FMin.Y, FMax.Y);
  m.ox = r.Left - FMin.X * m.sx;
  m.oy = r.Bottom - FMin.Y * m.sy - 1;

  canvas.Brush.Style = TBrushStyle::Clear;
  bool first = true;
  std::int16_t previousLayer = 0;
  for (const TDxfEntity& e : FEntities) {
    if (first || e.Layer != previousLayer) {
      first = false;
      previousLayer = e.Layer;
      // A drawing without a layer table, or a layer naming no line type, draws solid in
      // the colour of number 0.
      int color = 0;
      TPenStyle style = TPenStyle::Solid;
      if (e.Layer >= 0 && static_cast<std::size_t>(e.Layer) < FLayers.size()) {
        const TDxfLayer& layer = FLayers[e.Layer];
        color = std::abs(layer.Color % 16);
        if (layer.LineType >= 0 && static_cast<std::size_t>(layer.LineType) < FLineTypes.size() &&
            FLineTypes[layer.LineType].PenStyle == 2)
          style = TPenStyle::Dot;
      }
      canvas.Pen.Style = style;
      canvas.Pen.Color = FColors[color];
    }
    switch (e.Kind) {
    case TDxfEntityKind::Line: {
      double x1 = m.X(e.X1), y1 = m.Y(e.Y1), x2 = m.X(e.X2), y2 = m.Y(e.Y2);
      bool endClipped = false;
      if (!clipSegment(x1, y1, x2, y2, endClipped)) break;
      const TPoint a = pixel(x1, y1), b = pixel(x2, y2);
      canvas.MoveTo(a.X, a.Y);
      canvas.LineTo(b.X, b.Y);
      if (!endClipped) canvas.SetPixel(b.X, b.Y, canvas.Pen.Color);
      break;
    }
    case TDxfEntityKind::Circle:
    case TDxfEntityKind::Arc: {
      const double cx = e.X1, cy = e.Y1, rad = e.X2;
      const double left = m.X(cx - rad), right = m.X(cx + rad);
      const double bottom = m.Y(cy - rad), top = m.Y(cy + rad);
      double sx = 0, sy = 0, ex = 0, ey = 0;
      if (e.Kind == TDxfEntityKind::Arc) {
        double a1 = e.Y2, a2 = e.Z2;
        if (FAngDir == 1) a1 = -a1, a2 = -a2;
        a1 = (a1 + FAngBase) * std::numbers::pi / 180;
        a2 = (a2 + FAngBase) * std::numbers::pi / 180;
        sx = m.X(cx + rad * std::cos(a1));
        sy = m.Y(cy + rad * std::sin(a1));
        ex = m.X(cx + rad * std::cos(a2));
        ey = m.Y(cy + rad * std::sin(a2));
      }
      // A figure too far off to draw is left out rather than distorted.
      bool fits = true;
      for (double v : {left, right, bottom, top, sx, sy, ex, ey}) fits = fits && withinLimit(v);
      if (!fits) break;
      const TPoint p1 = pixel(left, top), p2 = pixel(right, bottom);
      const TRect box{std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::max(p1.X, p2.X), std::max(p1.Y, p2.Y)};
      if (e.Kind == TDxfEntityKind::Circle) canvas.Ellipse(box);
      else canvas.Arc(box, pixel(sx, sy), pixel(ex, ey));
      break;
    }
    }
  }
}

} // namespace sonvela
