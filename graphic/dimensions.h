// Dimensions of a hall section: linear and circle dimensions that show and impose lengths.
#pragma once
#include "graphic/elements.h"

#include <cstdint>

namespace sonvela {

class TCircle;

// A dimension hangs on nodes of its section; it never owns them.
class TSize : public TStoredObject {
public:
  // Linear: vector from the measured segment to the dimension line; circle: text point
  // relative to the centre. Model units.
  TPoint FOffset;
  // The anchor: first end of a linear dimension, the centre node of a circle dimension.
  TNode* FNode = nullptr;

  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;

  // Paints with the canvas's current pen colour, font and brush, solid pen of width 1.
  virtual void Draw(TViewBase& view, bool withText) = 0;
  virtual bool IsCorrect() const = 0;
  virtual bool UsesNode(const TNode* node) const = 0;
  // The point by which the dimension is picked (model units).
  virtual TPoint GetTextPoint() const = 0;
  // Imposes a length in model units.
  virtual void SetValue(std::int32_t value) = 0;
  virtual std::int32_t GetValue() const = 0;
  virtual void SwitchKind() = 0;

  // Black, copy mode, white brush: the normal picture.
  void DrawNormal(TViewBase& view);
  // Red over the picture (pen mode unchanged).
  void DrawSelected(TViewBase& view);
  // Red in NOT-XOR without text; twice restores the picture.
  void DrawXor(TViewBase& view);
  double DistanceTo(TPoint p) const;

protected:
  // The value text in the section's unit with the view's decimal separator.
  std::string ValueText(TViewBase& view) const;
  // Reads the common part; the caller assigns only when its own part is valid too.
  struct TCommon {
    TNode* Node;
    TPoint Offset;
  };
  TCommon ReadCommon(TBinaryReader& r) const;
  TNode* ResolveNode(TBinaryReader& r, std::size_t at, std::int32_t index) const;
};

// Kinds of a linear dimension.
enum : std::uint8_t { skHorizontal = 0, skVertical = 1, skAligned = 2 };

class TLinearSize : public TSize {
public:
  // 0 horizontal, 1 vertical, 2 aligned.
  std::uint8_t FKind = skHorizontal;
  TNode* FNode2 = nullptr;

  std::uint8_t GetKind() const override { return 0; }
  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;
  void Draw(TViewBase& view, bool withText) override;
  bool IsCorrect() const override { return FNode && FNode2; }
  bool UsesNode(const TNode* node) const override { return node == FNode || node == FNode2; }
  TPoint GetTextPoint() const override;
  // Keeps FNode in place, moves FNode2 and drags along every node aligned with a moved
  // node, and the far ends of the dimensions that start at a moved node.
  void SetValue(std::int32_t value) override;
  std::int32_t GetValue() const override;
  void SwitchKind() override { FKind = static_cast<std::uint8_t>((FKind + 1) % 3); }
  // Vertical when both nodes share X, then horizontal when they share Y.
  void AdjustKind();

private:
  // Model displacement of the aligned dimension line from the measured segment.
  TPoint AlignedShift() const;
};

class TCircleSize : public TSize {
public:
  TCircle* FCircle = nullptr;
  bool FDiameter = true;

  std::uint8_t GetKind() const override { return 1; }
  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;
  void Draw(TViewBase& view, bool withText) override;
  bool IsCorrect() const override;
  bool UsesNode(const TNode* node) const override { return node == FNode; }
  TPoint GetTextPoint() const override;
  void SetValue(std::int32_t value) override;
  std::int32_t GetValue() const override;
  void SwitchKind() override { FDiameter = !FDiameter; }
};

// An open arrowhead at tip with 8-pixel barbs, on screen points.
void DrawArrow(TCanvas& canvas, TPoint tail, TPoint tip);

// An empty dimension for tag 0 (linear) or 1 (circle); another tag is a programming error.
TSize* CreateSize(std::uint8_t tag);
bool IsSizeTag(std::uint8_t tag);

} // namespace sonvela
