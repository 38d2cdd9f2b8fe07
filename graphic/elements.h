// Drawing elements of a hall section (walls, floors, spectator lines, the source...) and their nodes.
#pragma once
#include "core/binary.h"
#include "graphic/canvas.h"
#include "graphic/types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace sonvela {

class TConstruction;
class TElement;
class TViewBase;

// A vertex. It lives in its section's node list (for indexing and streaming) and belongs to
// the element whose outline or position it is; that element destroys it.
class TNode {
public:
  explicit TNode(TElement* owner = nullptr) : FOwner(owner) {}
  TNode(const TNode&) = delete;
  TNode& operator=(const TNode&) = delete;

  TPoint FPoint;
  TElement* FOwner = nullptr;
  // Work marks of TLinearSize::SetValue; no meaning between calls.
  bool FMoved = false;
  bool FFixedX = false;
  bool FFixedY = false;

  // The section view's mark around the node (a red NOT-XOR square).
  void DrawSelected(TViewBase& view) const;

  // Remembered position in the node list; only a hint, checked before use.
  mutable int FListHint = -1;
};

// Base of everything a section record stores behind a one-byte tag: elements and dimensions.
class TStoredObject {
public:
  // The object belongs to the current section until a list of another section takes it.
  TStoredObject();
  virtual ~TStoredObject() = default;
  TStoredObject(const TStoredObject&) = delete;
  TStoredObject& operator=(const TStoredObject&) = delete;

  virtual std::uint8_t GetKind() const = 0;
  // The record without its tag. Node and element references are written and read as
  // positions in the lists of the object's section, which must already hold them.
  virtual void SaveToStream(TBinaryWriter& w) const;
  virtual void LoadFromStream(TBinaryReader& r);

  // The section the object belongs to (its lists resolve node and element references).
  TConstruction* FConstruction;
  mutable int FListHint = -1;
};

// Base of the drawing elements.
class TElement : public TStoredObject {
public:
  // A wall for reflected sound: the reflection calculation refuses paths crossing it.
  bool FOpaque = false;

  TConstruction* Section() const { return FConstruction; }

  virtual void Draw(TViewBase& view) = 0;
  // Highlight in NOT-XOR: painting it twice restores the picture.
  virtual void DrawSelected(TViewBase& view) = 0;
  // Distance in model units from p, for picking.
  virtual double DistanceTo(TPoint p) const = 0;
  // Complete enough to paint and use.
  virtual bool IsCorrect() const { return true; }
  // The node that starts the outline edge nearest to p (a circle: its centre).
  virtual TNode* NearestEdgeNode(TPoint p) const = 0;
  // Highlights the edge that starts at node.
  virtual void DrawSelectedEdge(TViewBase& view, TNode* node) = 0;

protected:
  // Resolves a node reference read from a record and claims the node for this element.
  // A node may belong to one element only; EReadError otherwise.
  TNode* ClaimNode(TBinaryReader& r, std::size_t at, std::int32_t index);
  // Position of node in the section's node list (-1 if none).
  std::int32_t NodeIndex(const TNode* node) const;
  // Removes node from the section's node list, destroys the dimensions on it and the node.
  void DestroyNode(TNode* node);
};

// Elements with an outline: pen, inside test and crossing test.
class TPlaneElement : public TElement {
public:
  std::int32_t FWidth = 1;
  TColor FColor = clBlack;
  TPenStyle FStyle = TPenStyle::Solid;

  // p lies inside the closed outline.
  virtual bool Contains(TPoint p) const = 0;
  // Segment p1-p2 meets one of the element's segments other than number skipEdge (-1: none).
  virtual bool Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const = 0;

protected:
  void SetPen(TCanvas& c) const;
};

// A closed outline through its nodes (also the base of the open lines).
class TPolygon : public TPlaneElement {
public:
  ~TPolygon() override;
  // Vertices in drawing order; owned.
  std::vector<TNode*> FNodes;

  std::uint8_t GetKind() const override { return 0; }
  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;
  void Draw(TViewBase& view) override;
  void DrawSelected(TViewBase& view) override;
  double DistanceTo(TPoint p) const override;
  bool IsCorrect() const override;
  TNode* NearestEdgeNode(TPoint p) const override;
  void DrawSelectedEdge(TViewBase& view, TNode* node) override;
  bool Contains(TPoint p) const override;
  // Any edge, the closing edge included, with the end tolerance of SegmentsIntersect.
  bool Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const override;
  // Creates a node at p owned by the element, appends it to the section's node list and
  // to FNodes; returns it.
  virtual TNode* AddNode(TPoint p);
  // Removes node from the section's node list and FNodes, then destroys it (and the
  // dimensions on it).
  virtual void DeleteNode(TNode* node);
  // A line with the current pen from node index to the next node of the outline.
  virtual void DrawEdge(TViewBase& view, std::int32_t index);

  void DeleteLastNode();
  std::int32_t NodeCount() const { return static_cast<std::int32_t>(FNodes.size()); }
  TPoint NodePoint(std::int32_t i) const { return FNodes[static_cast<std::size_t>(i)]->FPoint; }

protected:
  std::vector<TPoint> ScreenPoints(TViewBase& view) const;
};

// An open line through its nodes.
class TPolyLine : public TPolygon {
public:
  void Draw(TViewBase& view) override;
  void DrawSelected(TViewBase& view) override;
  double DistanceTo(TPoint p) const override;
  bool IsCorrect() const override;
  bool Contains(TPoint) const override { return false; }
  bool Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const override;
  void DrawEdge(TViewBase& view, std::int32_t index) override;
};

// A reflecting wall or ceiling line.
class TWallPolyLine : public TPolyLine {
public:
  TWallPolyLine();
  std::uint8_t GetKind() const override { return 3; }

  // Entry k: segment k carried the first reflection of some point in the last calculation.
  std::vector<bool> FSegmentUsed;

  // The reflection calculation; defined in graphic/reflections.cpp.
  void ResetUsedSegments();
  // Shortest unobstructed path source -> wall -> listener over the wall's segments, in model
  // units (1e21 if none); defined in graphic/reflections.cpp.
  double FindReflection(TPoint p, TPoint s, std::int32_t& segment, TPoint& r) const;
  // Every used segment is at least minLength metres long; defined in graphic/reflections.cpp.
  bool UsedSegmentsLongEnough(double minLength) const;
};

// The absorbing floor: blocks sound, never reflects it.
class TPoglotWall : public TWallPolyLine {
public:
  TPoglotWall();
  std::uint8_t GetKind() const override { return 6; }
};

// One computed point of a spectator line (memory only).
struct TSpectatorPoint {
  TRealPoint Pos;
  double Delay = 0;
  bool InDirectZone = false;
  bool DirectVisible = false;
  bool Found = false;
  TPoint Reflection;
};

constexpr int SpectatorPointCount = 201;

// A straight line of spectator places (two nodes).
class TSpectatorLine : public TPolyLine {
public:
  TSpectatorLine();
  // Also destroys the section's markers that sit on this line.
  ~TSpectatorLine() override;
  std::uint8_t GetKind() const override { return 5; }

  std::array<TSpectatorPoint, SpectatorPointCount> FPoints{};
  TNode* FStartNode = nullptr;
  TNode* FEndNode = nullptr;
  bool FCalculated = false;

  // The reflection calculation; defined in graphic/reflections.cpp.
  void PlacePoints();
  // With a view, the line is painted in its colours right after its computation.
  void Calculate(TViewBase* view = nullptr);
  void PaintField(TViewBase& view);
  std::int32_t NearestPointIndex(TPoint q) const;
};

class TCircle : public TPlaneElement {
public:
  ~TCircle() override;
  TNode* FCentre = nullptr;
  std::int32_t FRadius = 0;

  std::uint8_t GetKind() const override { return 1; }
  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;
  void Draw(TViewBase& view) override;
  void DrawSelected(TViewBase& view) override;
  // Distance to the centre, not to the circumference.
  double DistanceTo(TPoint p) const override;
  bool IsCorrect() const override;
  TNode* NearestEdgeNode(TPoint) const override { return FCentre; }
  void DrawSelectedEdge(TViewBase& view, TNode* node) override;
  bool Contains(TPoint p) const override;
  // The segment passes within the radius of the centre.
  bool Crosses(TPoint p1, TPoint p2, std::int32_t skipEdge) const override;

  // Creates the centre node at p, owned by the circle, in the section's node list.
  TNode* CreateCentre(TPoint p);
};

// Elements at a single node.
class TPointElement : public TElement {
public:
  ~TPointElement() override;
  TNode* FNode = nullptr;

  void SaveToStream(TBinaryWriter& w) const override;
  void LoadFromStream(TBinaryReader& r) override;
  double DistanceTo(TPoint p) const override;
  // Point elements have no edges.
  TNode* NearestEdgeNode(TPoint) const override { return nullptr; }
  void DrawSelectedEdge(TViewBase&, TNode*) override {}

  // Creates the element's node at p, owned by it, in the section's node list.
  TNode* CreateNode(TPoint p);

protected:
  void DrawSquare(TViewBase& view, TColor fill, bool selected);
};

// The sound source; a section has at most one (TElementList::FSound).
class TSound : public TPointElement {
public:
  ~TSound() override;
  // Radius of action of the direct sound, model units; not stored.
  double FRange = 9000.0;
  // False speech, true music; not stored.
  bool FMusic = false;

  std::uint8_t GetKind() const override { return 2; }
  void Draw(TViewBase& view) override;
  void DrawSelected(TViewBase& view) override;
};

class TSpectatorPlace : public TPointElement {
public:
  std::uint8_t GetKind() const override { return 4; }
  void Draw(TViewBase& view) override;
  void DrawSelected(TViewBase& view) override;
};

// An empty element of the class that reports tag (0..6); the section reader fills it.
// Another tag is a programming error ("Assertion failure").
TElement* CreateElement(std::uint8_t tag);
bool IsElementTag(std::uint8_t tag);

// Predicates of the calling context for the nearest-pick searches; empty accepts all.
template <class T>
using TPickFilter = std::function<bool(const T*)>;

} // namespace sonvela
