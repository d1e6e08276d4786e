// Clipping calls and rectangle regions. The application's clip is kept in
// device coordinates (see device_context.h).
#include <new>

#include "platform/gdi/clip_rects.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"

using namespace gdi_internal;

namespace {

// The application's clip as a list, the "whole plane" when it has none.
std::vector<RECT> CurrentClip(DeviceContext* dc) {
  if (dc->hasClip) return dc->clip;
  return std::vector<RECT>{FarRect()};
}

RECT DeviceRect(DeviceContext* dc, int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return RectOffset(RECT{left, top, right, bottom}, dc->viewportOrigin.x, dc->viewportOrigin.y);
}

RegionObject* Region(HRGN handle) { return static_cast<RegionObject*>(LiveGdiObject(handle, GdiKind::Region)); }

}  // namespace

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = Dc(handle);
  Journal("IntersectClipRect(%d,%d,%d,%d)", left, top, right, bottom);
  if (!dc) return ERROR;
  try {
    std::vector<RECT> clip = CurrentClip(dc);
    IntersectList(&clip, DeviceRect(dc, left, top, right, bottom));
    dc->SetClip(std::move(clip));
  } catch (...) {
    return ERROR;
  }
  return ListKind(dc->clip);
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = Dc(handle);
  Journal("ExcludeClipRect(%d,%d,%d,%d)", left, top, right, bottom);
  if (!dc) return ERROR;
  try {
    std::vector<RECT> clip = CurrentClip(dc);
    if (!SubtractFromList(&clip, DeviceRect(dc, left, top, right, bottom))) return ERROR;
    dc->SetClip(std::move(clip));
  } catch (...) {
    return ERROR;
  }
  return ListKind(dc->clip);
}

int SelectClipRgn(HDC handle, HRGN regionHandle) {
  DeviceContext* dc = Dc(handle);
  Journal("SelectClipRgn(%s)", regionHandle ? "region" : "null");
  if (!dc) return ERROR;
  if (!regionHandle) {
    dc->ClearClip();
    return SIMPLEREGION;
  }
  RegionObject* region = Region(regionHandle);
  if (!region) return ERROR;
  try {
    dc->SetClip(region->rects);
  } catch (...) {
    return ERROR;
  }
  return ListKind(dc->clip);
}

int GetClipBox(HDC handle, RECT* box) {
  DeviceContext* dc = Dc(handle);
  if (!dc || !box) return ERROR;
  const std::vector<RECT>& clip = dc->EffectiveClip();
  RECT bounds = ListBounds(clip);
  if (!clip.empty()) bounds = RectOffset(bounds, -dc->OffsetX(), -dc->OffsetY());
  *box = bounds;
  return ListKind(clip);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  Journal("CreateRectRgn(%d,%d,%d,%d)", left, top, right, bottom);
  auto* region = new (std::nothrow) RegionObject;
  if (!region) return nullptr;
  if (!SetRectRgn(region, left, top, right, bottom)) {
    delete region;
    return nullptr;
  }
  return region;
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
  RegionObject* region = Region(handle);
  if (!region) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  region->rects.clear();
  RECT r{left, top, right, bottom};
  if (!RectIsEmpty(r)) {
    try {
      region->rects.push_back(r);
    } catch (...) {
      return FALSE;
    }
  }
  return TRUE;
}

int CombineRgn(HRGN targetHandle, HRGN firstHandle, HRGN secondHandle, int mode) {
  RegionObject* target = Region(targetHandle);
  RegionObject* first = Region(firstHandle);
  RegionObject* second = mode == RGN_COPY ? nullptr : Region(secondHandle);
  if (!target || !first || (mode != RGN_COPY && !second)) return ERROR;
  try {
    std::vector<RECT> result = first->rects;
    bool ok = true;
    switch (mode) {
      case RGN_COPY: break;
      case RGN_AND: ok = IntersectLists(first->rects, second->rects, &result); break;
      case RGN_OR: ok = UniteLists(&result, second->rects); break;
      case RGN_DIFF:
        for (const RECT& r : second->rects) ok = ok && SubtractFromList(&result, r);
        break;
      case RGN_XOR: {
        std::vector<RECT> other = second->rects;
        for (const RECT& r : first->rects) ok = ok && SubtractFromList(&other, r);
        for (const RECT& r : second->rects) ok = ok && SubtractFromList(&result, r);
        ok = ok && UniteLists(&result, other);
        break;
      }
      default: return ERROR;
    }
    if (!ok) return ERROR;
    target->rects = std::move(result);
  } catch (...) {
    return ERROR;
  }
  return ListKind(target->rects);
}

int GetRgnBox(HRGN handle, RECT* box) {
  RegionObject* region = Region(handle);
  if (!region || !box) return ERROR;
  *box = ListBounds(region->rects);
  return ListKind(region->rects);
}

BOOL PtInRegion(HRGN handle, int x, int y) {
  RegionObject* region = Region(handle);
  if (!region) return FALSE;
  for (const RECT& r : region->rects) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return TRUE;
  }
  return FALSE;
}
