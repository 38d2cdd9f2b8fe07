// The DXF underlay: a reader and painter for the lines, circles and arcs of a DXF drawing.
#pragma once
#include "graphic/canvas.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace sonvela {

// A picture that a picture holder can draw, stretch and load. The DXF drawing is the only
// kind kept in the Qt-free layers; the GUI wraps bitmaps itself.
class TGraphic {
public:
  virtual ~TGraphic() = default;
  virtual void Assign(const TGraphic& source) = 0;
  virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;
  virtual bool GetEmpty() const = 0;
  virtual int GetHeight() const = 0;
  virtual int GetWidth() const = 0;
  virtual void SetHeight(int value) = 0;
  virtual void SetWidth(int value) = 0;
  virtual void LoadFromStream(std::istream& stream) = 0;
  virtual void SaveToStream(std::ostream& stream) const = 0;
  virtual void LoadFromClipboardFormat() = 0;
  virtual void SaveToClipboardFormat() const = 0;

  // Called after every change of the picture (load, assign, resize).
  std::function<void()> OnChange;

protected:
  void Changed()
  {
    if (OnChange) OnChange();
  }
};

struct TDxfPoint {
  float X = 0;
  float Y = 0;
  float Z = 0;
  friend bool operator==(const TDxfPoint&, const TDxfPoint&) = default;
};

enum class TDxfEntityKind : std::uint8_t { Line = 0, Circle = 1, Arc = 2 };

// Line: X1..Z1 start, X2..Z2 end. Circle and arc: X1..Z1 centre, X2 radius; for an arc Y2
// and Z2 are the start and end angle in degrees.
struct TDxfEntity {
  std::int16_t Layer = 0;
  TDxfEntityKind Kind = TDxfEntityKind::Line;
  float X1 = 0, Y1 = 0, Z1 = 0;
  float X2 = 0, Y2 = 0, Z2 = 0;
  friend bool operator==(const TDxfEntity&, const TDxfEntity&) = default;
};

struct TDxfLineType {
  std::string Name;  // UTF-8, at most 255 characters
  std::uint8_t PenStyle = 0;  // 0 solid, 2 dotted
  friend bool operator==(const TDxfLineType&, const TDxfLineType&) = default;
};

struct TDxfLayer {
  std::string Name;  // UTF-8, at most 255 characters
  std::int16_t Color = 0;  // colour number; negative for a switched-off layer
  std::int16_t LineType = 0;  // index into the line types
  friend bool operator==(const TDxfLayer&, const TDxfLayer&) = default;
};

class TDxf : public TGraphic {
public:
  // Limits of what one drawing may hold. Layer and line type indices are 16-bit.
  static constexpr std::size_t MaxEntities = 4'000'000;
  static constexpr std::size_t MaxTableItems = 32767;
  static constexpr std::size_t MaxLineLength = 65536;
  static constexpr std::uint64_t MaxFileBytes = std::uint64_t(1) << 30;
  static constexpr int MaxSize = 32767;  // FWidth and FHeight
  // Mapped coordinates are kept within this many pixels of the origin when drawing.
  static constexpr double DrawLimit = 16777216.0;

  TDxf();

  // Reads a DXF file. On failure (EReadError with the byte offset of the offending line)
  // the drawing loaded before stays as it was.
  void LoadFromStream(std::istream& stream) override;
  void LoadFromFile(const std::filesystem::path& path);
  // Fits the extents into the rectangle and paints every entity. Nothing when empty.
  void Draw(TCanvas& canvas, const TRect& rect) const override;
  void Assign(const TGraphic& source) override;
  bool GetEmpty() const override { return FEmpty; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  void SaveToStream(std::ostream& stream) const override;
  void LoadFromClipboardFormat() override;
  void SaveToClipboardFormat() const override;

  // Pen colours: colour numbers 3 and 4 (modulo 16) take the highlight colour, the others
  // the window text colour. The GUI passes its palette's colours.
  void SetSystemColors(TColor windowText, TColor highlight);

  const std::vector<TDxfEntity>& Entities() const { return FEntities; }
  const std::vector<TDxfLayer>& Layers() const { return FLayers; }
  const std::vector<TDxfLineType>& LineTypes() const { return FLineTypes; }
  const std::array<TColor, 16>& Colors() const { return FColors; }
  TDxfPoint HeaderMin() const { return FHeaderMin; }
  TDxfPoint HeaderMax() const { return FHeaderMax; }
  TDxfPoint Min() const { return FMin; }
  TDxfPoint Max() const { return FMax; }
  float AngBase() const { return FAngBase; }
  std::int16_t AngDir() const { return FAngDir; }
  float Scale() const { return FScale; }

private:
  void Clear();
  void UpdateSize();

  float FAngBase = 0;
  std::int16_t FAngDir = 0;
  std::vector<TDxfEntity> FEntities;
  std::array<TColor, 16> FColors{};
  bool FEmpty = true;
  int FHeight = 0;
  int FWidth = 0;
  std::vector<TDxfLineType> FLineTypes;
  std::vector<TDxfLayer> FLayers;
  TDxfPoint FHeaderMax{1, 1, 1};
  TDxfPoint FHeaderMin{0, 0, 0};
  TDxfPoint FMax{1, 1, 1};
  TDxfPoint FMin{0, 0, 0};
  float FScale = 1.0f;

  friend class TDxfReader;
};

} // namespace sonvela
