// PatBlt, BitBlt, StretchBlt, TransparentImage and ScrollDC over one blit
// engine: a target rectangle, a source rectangle mapped onto it (nearest
// pixel), a ternary raster operation and an optional transparent colour.
// Rows are converted once per row (row_converter.h); equal formats with
// SRCCOPY are plain row copies.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/clip_rects.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/painter.h"
#include "platform/gdi/row_converter.h"

using namespace gdi_internal;

namespace {

struct BlitRequest {
  DeviceContext* target = nullptr;
  RECT area{};  // target coordinates, normalised
  const BitmapObject* source = nullptr;
  COLORREF sourceBk = RGB(255, 255, 255);
  int sx = 0, sy = 0, sw = 0, sh = 0;  // source coordinates, normalised
  bool flipX = false, flipY = false;
  uint32_t rop = 0xCC;
  bool keyed = false;
  COLORREF key = 0;
  // A monochrome mask over the source (source coordinates + mask offset):
  // where it has 1 the target is left alone.
  const BitmapObject* mask = nullptr;
  int maskDx = 0, maskDy = 0;
};

// Where target column (or row) i of n takes its source from; -1 outside
// the source bitmap.
void BuildMap(std::vector<int>* map, int n, int start, int length, bool flip, int limit) {
  map->resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const long long offset = static_cast<long long>(i) * length / n;
    const int s = flip ? start + length - 1 - static_cast<int>(offset) : start + static_cast<int>(offset);
    (*map)[i] = s >= 0 && s < limit ? s : -1;
  }
}

// A copy of part of a bitmap, for blits whose source and target overlap.
std::unique_ptr<BitmapObject> Snapshot(const BitmapObject& bitmap, const RECT& part) {
  BitmapObject* copy = NewBitmapObject(bitmap.format, part.right - part.left, part.bottom - part.top, false, true,
                                       bitmap.palette, bitmap.paletteSize, false);
  if (!copy) return nullptr;
  copy->paletteSize = bitmap.paletteSize;
  std::vector<uint32_t> row(static_cast<size_t>(copy->width));
  for (int y = 0; y < copy->height; ++y) {
    ReadRow(bitmap, part.left, part.top + y, copy->width, row.data());
    WriteRow(*copy, 0, y, copy->width, row.data());
  }
  return std::unique_ptr<BitmapObject>(copy);
}

// under[i] := rop(pattern, values[i], under[i]) except where `skip` is set;
// the operation chosen once per row rather than once per pixel.
void CombineRow(uint32_t rop, uint32_t pattern, const uint32_t* values, uint32_t* under, int n, uint32_t mask,
                const uint8_t* skip) {
  auto apply = [&](auto op) {
    if (skip) {
      for (int i = 0; i < n; ++i) {
        if (!skip[i]) under[i] = op(values[i], under[i]) & mask;
      }
    } else {
      for (int i = 0; i < n; ++i) under[i] = op(values[i], under[i]) & mask;
    }
  };
  switch (rop) {
    case 0xCC: apply([](uint32_t s, uint32_t) { return s; }); return;
    case 0x88: apply([](uint32_t s, uint32_t d) { return s & d; }); return;
    case 0xEE: apply([](uint32_t s, uint32_t d) { return s | d; }); return;
    case 0x66: apply([](uint32_t s, uint32_t d) { return s ^ d; }); return;
    default: apply([&](uint32_t s, uint32_t d) { return ApplyRop3(rop, pattern, s, d); }); return;
  }
}

bool RunBlit(BlitRequest request) {
  DeviceContext* dc = request.target;
  Painter painter(dc);
  if (!painter.Ready()) return true;
  BitmapObject& target = painter.Bitmap();
  const int width = request.area.right - request.area.left, height = request.area.bottom - request.area.top;
  if (width <= 0 || height <= 0 || request.sw <= 0 || request.sh <= 0) return true;

  // Target rows and columns whose source lies inside the source bitmap.
  std::vector<int> columns, rows;
  BuildMap(&columns, width, request.sx, request.sw, request.flipX, request.source->width);
  BuildMap(&rows, height, request.sy, request.sh, request.flipY, request.source->height);
  auto firstValid = [](const std::vector<int>& map) {
    return static_cast<int>(std::find_if(map.begin(), map.end(), [](int v) { return v >= 0; }) - map.begin());
  };
  auto endValid = [](const std::vector<int>& map) {
    return static_cast<int>(map.rend() - std::find_if(map.rbegin(), map.rend(), [](int v) { return v >= 0; }));
  };
  const RECT valid{request.area.left + firstValid(columns), request.area.top + firstValid(rows),
                   request.area.left + endValid(columns), request.area.top + endValid(rows)};
  if (RectIsEmpty(valid)) return true;
  const int minColumn = *std::min_element(columns.begin() + (valid.left - request.area.left),
                                          columns.begin() + (valid.right - request.area.left));
  const int maxColumn = *std::max_element(columns.begin() + (valid.left - request.area.left),
                                          columns.begin() + (valid.right - request.area.left));

  // A source that is the target itself is read from a copy.
  std::unique_ptr<BitmapObject> copy;
  const BitmapObject* source = request.source;
  int sourceLeft = 0, sourceTop = 0;
  if (source == &target) {
    const int minRow = *std::min_element(rows.begin() + (valid.top - request.area.top),
                                         rows.begin() + (valid.bottom - request.area.top));
    const int maxRow = *std::max_element(rows.begin() + (valid.top - request.area.top),
                                         rows.begin() + (valid.bottom - request.area.top));
    copy = Snapshot(target, RECT{minColumn, minRow, maxColumn + 1, maxRow + 1});
    if (!copy) return false;
    source = copy.get();
    sourceLeft = minColumn;
    sourceTop = minRow;
  }

  RowConverter converter(*request.source, target, request.sourceBk, dc->textColor, dc->bkColor);
  const bool identityColumns = request.sw == width && !request.flipX;
  const uint32_t mask = RawMask(target.format);
  const bool plainCopy = request.rop == 0xCC && !request.keyed && !request.mask;
  const bool rowCopy = plainCopy && converter.Identity() && identityColumns && target.format != PixelFormat::Mono1;
  const int bytesPerPixel = BitsPerPixelOf(target.format) / 8;

  uint32_t pattern = 0;
  if (Rop3UsesPattern(request.rop)) {
    const BrushObject* brush = DrawingBrush(dc);
    if (!brush) return true;
    pattern = painter.Raw(brush->colour);
  }
  // The transparent colour, tested on source pixels before conversion.
  bool keyedIndex[256] = {};
  uint32_t keyRaw = 0;
  if (request.keyed) {
    const uint32_t keyRgb = ColourToRgb(request.key);
    if (request.source->format == PixelFormat::Indexed8 || request.source->format == PixelFormat::Mono1) {
      for (int i = 0; i < request.source->paletteSize; ++i) {
        keyedIndex[i] = PaletteRgb(request.source->palette[i]) == keyRgb;
      }
    } else {
      keyRaw = RgbToRaw(*request.source, keyRgb);
    }
  }
  const bool keyByIndex =
      request.source->format == PixelFormat::Indexed8 || request.source->format == PixelFormat::Mono1;

  std::vector<uint32_t> sourceRow(static_cast<size_t>(maxColumn - minColumn + 1));
  std::vector<uint32_t> values(static_cast<size_t>(width)), under(static_cast<size_t>(width));
  std::vector<uint8_t> transparent(static_cast<size_t>(width));
  for (const RECT& clip : painter.Clip()) {
    const RECT r = RectIntersection(valid, clip);
    if (RectIsEmpty(r)) continue;
    const int n = r.right - r.left;
    const int firstColumn = r.left - request.area.left;
    for (int y = r.top; y < r.bottom; ++y) {
      const int sourceY = rows[y - request.area.top] - sourceTop;
      if (rowCopy) {
        std::memcpy(target.Row(y) + static_cast<ptrdiff_t>(r.left) * bytesPerPixel,
                    source->Row(sourceY) + static_cast<ptrdiff_t>(columns[firstColumn] - sourceLeft) * bytesPerPixel,
                    static_cast<size_t>(n) * bytesPerPixel);
        continue;
      }
      if (identityColumns) {
        ReadRow(*source, columns[firstColumn] - sourceLeft, sourceY, n, values.data());
      } else {
        ReadRow(*source, minColumn - sourceLeft, sourceY, maxColumn - minColumn + 1, sourceRow.data());
        for (int i = 0; i < n; ++i) values[i] = sourceRow[columns[firstColumn + i] - minColumn];
      }
      if (request.keyed) {
        for (int i = 0; i < n; ++i) {
          transparent[i] = keyByIndex ? keyedIndex[values[i] & 0xFF] : values[i] == keyRaw;
        }
      } else if (request.mask) {
        const int maskY = rows[y - request.area.top] + request.maskDy;
        for (int i = 0; i < n; ++i) {
          const int maskX = columns[firstColumn + i] + request.maskDx;
          transparent[i] = maskX >= 0 && maskX < request.mask->width && maskY >= 0 && maskY < request.mask->height &&
                           (ReadRaw(*request.mask, maskX, maskY) & 1);
        }
      }
      converter.Convert(values.data(), n);
      if (plainCopy) {
        WriteRow(target, r.left, y, n, values.data());
        continue;
      }
      ReadRow(target, r.left, y, n, under.data());
      CombineRow(request.rop, pattern, values.data(), under.data(), n, mask,
                 request.keyed || request.mask ? transparent.data() : nullptr);
      WriteRow(target, r.left, y, n, under.data());
    }
    painter.Touched();
  }
  return true;
}

// The source of a blit: a DC's target, with its offsets.
struct SourceOf {
  const BitmapObject* bitmap = nullptr;
  int offsetX = 0, offsetY = 0;
  COLORREF bk = RGB(255, 255, 255);
};

bool SourceFromDc(HDC handle, SourceOf* out) {
  DeviceContext* dc = Dc(handle);
  if (!dc || !dc->target) return false;
  out->bitmap = dc->target;
  out->offsetX = dc->OffsetX();
  out->offsetY = dc->OffsetY();
  out->bk = dc->bkColor;
  return true;
}

bool PatternBlit(DeviceContext* dc, int x, int y, int width, int height, uint32_t rop) {
  Painter painter(dc);
  if (!painter.Ready()) return true;
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  const RECT area{painter.X(x), painter.Y(y), painter.X(x) + width, painter.Y(y) + height};
  switch (rop) {
    case 0x00: painter.Fill(area, painter.Raw(RGB(0, 0, 0)), R2_COPYPEN); return true;
    case 0xFF: painter.Fill(area, painter.Raw(RGB(255, 255, 255)), R2_COPYPEN); return true;
    case 0x55: painter.Fill(area, 0, R2_NOT); return true;
    case 0xAA: return true;
    default: break;
  }
  const BrushObject* brush = DrawingBrush(dc);
  if (!brush) return true;
  const uint32_t pattern = painter.Raw(brush->colour);
  switch (rop) {
    case 0xF0: painter.Fill(area, pattern, R2_COPYPEN); return true;
    case 0x5A: painter.Fill(area, pattern, R2_XORPEN); return true;
    case 0x0F: painter.Fill(area, pattern, R2_NOTCOPYPEN); return true;
    case 0xA0: painter.Fill(area, pattern, R2_MASKPEN); return true;
    case 0xFA: painter.Fill(area, pattern, R2_MERGEPEN); return true;
    default: break;
  }
  // Any other operation without a source: source bits taken as 0.
  BitmapObject& target = painter.Bitmap();
  const uint32_t mask = RawMask(target.format);
  for (const RECT& clip : painter.Clip()) {
    const RECT r = RectIntersection(area, clip);
    for (int ty = r.top; ty < r.bottom; ++ty) {
      for (int tx = r.left; tx < r.right; ++tx) {
        WriteRaw(target, tx, ty, ApplyRop3(rop, pattern, 0, ReadRaw(target, tx, ty)) & mask);
      }
    }
    if (!RectIsEmpty(r)) painter.Touched();
  }
  return true;
}

bool Stretch(HDC targetHandle, int x, int y, int width, int height, const SourceOf& source, int sx, int sy,
             int sw, int sh, uint32_t rop, bool keyed, COLORREF key, const BitmapObject* mask = nullptr,
             int maskDx = 0, int maskDy = 0) {
  DeviceContext* dc = Dc(targetHandle);
  if (!dc) return false;
  BlitRequest request;
  request.mask = mask;
  request.maskDx = maskDx;
  request.maskDy = maskDy;
  request.target = dc;
  request.source = source.bitmap;
  request.sourceBk = source.bk;
  request.rop = rop;
  request.keyed = keyed;
  request.key = key;
  if (width < 0) {
    x += width + 1;
    width = -width;
    request.flipX = !request.flipX;
  }
  if (height < 0) {
    y += height + 1;
    height = -height;
    request.flipY = !request.flipY;
  }
  if (sw < 0) {
    sx += sw + 1;
    sw = -sw;
    request.flipX = !request.flipX;
  }
  if (sh < 0) {
    sy += sh + 1;
    sh = -sh;
    request.flipY = !request.flipY;
  }
  const int ox = dc->OffsetX(), oy = dc->OffsetY();
  request.area = RECT{x + ox, y + oy, x + ox + width, y + oy + height};
  request.sx = sx + source.offsetX;
  request.sy = sy + source.offsetY;
  request.sw = sw;
  request.sh = sh;
  try {
    return RunBlit(request);
  } catch (...) {
    return false;
  }
}

}  // namespace

namespace gdi_internal {

bool BlitFromBitmap(DeviceContext* dc, int x, int y, int width, int height, const BitmapObject* source, int sx,
                    int sy, int sw, int sh, uint32_t rop3, const BitmapObject* mask, int maskDx, int maskDy) {
  if (!dc || !source) return false;
  SourceOf from;
  from.bitmap = source;
  return Stretch(dc, x, y, width, height, from, sx, sy, sw, sh, rop3, false, 0, mask, maskDx, maskDy);
}

}  // namespace gdi_internal

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* dc = Dc(handle);
  Journal("PatBlt(%d,%d,%d,%d,0x%08x)", x, y, width, height, rop);
  if (!dc) return FALSE;
  const uint32_t code = (rop >> 16) & 0xFF;
  if (Rop3UsesSource(code)) return FALSE;
  return PatternBlit(dc, x, y, width, height, code) ? TRUE : FALSE;
}

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  Journal("BitBlt(%d,%d,%d,%d,%d,%d,0x%08x)", x, y, width, height, sourceX, sourceY, rop);
  DeviceContext* dc = Dc(target);
  if (!dc) return FALSE;
  const uint32_t code = (rop >> 16) & 0xFF;
  if (!Rop3UsesSource(code)) return PatternBlit(dc, x, y, width, height, code) ? TRUE : FALSE;
  SourceOf from;
  if (!SourceFromDc(source, &from)) return FALSE;
  if (width <= 0 || height <= 0) return TRUE;
  return Stretch(target, x, y, width, height, from, sourceX, sourceY, width, height, code, false, 0) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
  Journal("StretchBlt(%d,%d,%d,%d,%d,%d,%d,%d,0x%08x)", x, y, width, height, sourceX, sourceY, sourceWidth,
          sourceHeight, rop);
  DeviceContext* dc = Dc(target);
  if (!dc) return FALSE;
  const uint32_t code = (rop >> 16) & 0xFF;
  if (!Rop3UsesSource(code)) return PatternBlit(dc, x, y, width, height, code) ? TRUE : FALSE;
  SourceOf from;
  if (!SourceFromDc(source, &from)) return FALSE;
  return Stretch(target, x, y, width, height, from, sourceX, sourceY, sourceWidth, sourceHeight, code, false, 0)
             ? TRUE
             : FALSE;
}

BOOL TransparentImage(HDC target, int x, int y, int width, int height, HANDLE source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, COLORREF transparent) {
  Journal("TransparentImage(%d,%d,%d,%d,%d,%d,%d,%d,0x%06x)", x, y, width, height, sourceX, sourceY, sourceWidth,
          sourceHeight, transparent);
  SourceOf from;
  // The source is a DC or a bitmap, as on the device.
  if (!SourceFromDc(static_cast<HDC>(source), &from)) {
    auto* bitmap = static_cast<BitmapObject*>(LiveGdiObject(static_cast<HGDIOBJ>(source), GdiKind::Bitmap));
    if (!bitmap) return FALSE;
    from.bitmap = bitmap;
  }
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return FALSE;
  return Stretch(target, x, y, width, height, from, sourceX, sourceY, sourceWidth, sourceHeight, 0xCC, true,
                 transparent & 0xFFFFFF)
             ? TRUE
             : FALSE;
}

BOOL ScrollDC(HDC handle, int dx, int dy, const RECT* scroll, const RECT* clipRect, HRGN update, RECT* updateRect) {
  DeviceContext* dc = Dc(handle);
  Journal("ScrollDC(%d,%d)", dx, dy);
  if (!dc) return FALSE;
  RECT area;
  if (scroll) {
    area = *scroll;
  } else if (GetClipBox(handle, &area) == ERROR) {
    return FALSE;
  }
  if (clipRect) area = RectIntersection(area, *clipRect);
  // The pixels that move land on `moved`; the rest of `area` is the strip
  // the move uncovers, left as it was and reported for repainting.
  RECT moved = RectIntersection(RectOffset(area, dx, dy), area);
  if (RectIsEmpty(area)) moved = RECT{0, 0, 0, 0};
  if (!RectIsEmpty(moved) && (dx != 0 || dy != 0)) {
    SourceOf from;
    if (SourceFromDc(handle, &from)) {
      const int w = moved.right - moved.left, h = moved.bottom - moved.top;
      Stretch(handle, moved.left, moved.top, w, h, from, moved.left - dx, moved.top - dy, w, h, 0xCC, false, 0);
    }
  }
  std::vector<RECT> uncovered;
  try {
    if (!RectIsEmpty(area)) uncovered.push_back(area);
    SubtractFromList(&uncovered, moved);
  } catch (...) {
    return FALSE;
  }
  // Reported in client (device) coordinates.
  for (RECT& r : uncovered) r = RectOffset(r, dc->viewportOrigin.x, dc->viewportOrigin.y);
  if (updateRect) *updateRect = ListBounds(uncovered);
  if (update) {
    auto* region = static_cast<RegionObject*>(LiveGdiObject(update, GdiKind::Region));
    if (region) {
      try {
        region->rects = uncovered;
      } catch (...) {
        return FALSE;
      }
    }
  }
  return TRUE;
}
