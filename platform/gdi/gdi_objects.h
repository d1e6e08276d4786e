// The pen, brush and region objects behind their handles.
#pragma once

#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/gdi_types.h"

struct PenObject final : GdiObject {
  explicit PenObject(bool counted = true) : GdiObject(GdiKind::Pen, counted) {}
  int Describe(int size, void* out) const override;
  int style = PS_SOLID;
  int width = 1;
  COLORREF colour = 0;
};

struct BrushObject final : GdiObject {
  explicit BrushObject(bool counted = true) : GdiObject(GdiKind::Brush, counted) {}
  int Describe(int size, void* out) const override;
  UINT style = BS_SOLID;
  COLORREF colour = 0;
};

// A region: disjoint rectangles.
struct RegionObject final : GdiObject {
  RegionObject() : GdiObject(GdiKind::Region, true) {}
  int Describe(int size, void* out) const override;
  std::vector<RECT> rects;
};
