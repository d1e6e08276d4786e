// The device context: what every drawing call draws through.
//
// A DC draws into a target bitmap. Which bitmap, and where, is pluggable:
//  - a memory DC (CreateCompatibleDC) targets the bitmap selected into it
//    (at first the stock 1x1 bitmap, so it draws nothing visible);
//  - a window DC (made by the windows layer for GetDC/BeginPaint) targets
//    the screen bitmap (a surface bitmap, CreateSurfaceBitmap) with its
//    device origin at the window's client origin on the screen and its
//    system clip set to the window's visible part (for BeginPaint, further
//    cut to the update region). The windows layer builds one with
//    NewDeviceContext(DcKind::Window), SetTarget(screen),
//    SetDeviceOrigin(origin) and SetSystemClip(rects), and frees it with
//    DestroyDeviceContext in ReleaseDC/EndPaint. Anything drawn this way
//    lands in the screen bitmap; the backend shows that bitmap.
// A DC may be made before any target exists (SetTarget(nullptr) draws
// nothing) and be pointed at one later.
//
// Coordinates. A logical point (x, y) lands on the target pixel
//   (x + viewportOrigin.x + deviceOrigin.x, y + viewportOrigin.y + deviceOrigin.y).
// "Device coordinates" are logical ones plus the viewport origin: the
// window's client coordinates for a window DC, the bitmap's for a memory DC.
// The application's clip (IntersectClipRect, ExcludeClipRect, SelectClipRgn)
// is kept in device coordinates, so a later SetViewportOrgEx does not move
// it, as on the device. The system clip is kept in target coordinates. The
// effective clip, which every drawing call honours, is the intersection of
// the target's bounds, the system clip and the application's clip moved by
// the device origin: a list of disjoint rectangles in target coordinates.
//
// Text. The font engine reads the selected font and the text attributes
// (textColor, bkColor, bkMode) from here and writes pixels only through
// DcFillSolid and DcBlendCoverage below, which honour the clip and origins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/gdi_types.h"
#include "platform/types/window_handle.h"

struct BitmapObject;

enum class DcKind : uint8_t { Memory, Window };

struct DeviceContext {
  explicit DeviceContext(DcKind kind);
  ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // Where the pixels go. For a memory DC, SelectObject of a bitmap sets it.
  void SetTarget(BitmapObject* bitmap);
  void SetDeviceOrigin(POINT origin);
  // The windows layer's clip in target coordinates; an empty list clips
  // everything away. ClearSystemClip lets the whole target be drawn.
  void SetSystemClip(const RECT* rects, size_t count);
  void ClearSystemClip();
  // The application's clip in device coordinates (hasClip false: none).
  void SetClip(std::vector<RECT> rects);
  void ClearClip();

  // Disjoint rectangles in target coordinates that drawing may touch.
  const std::vector<RECT>& EffectiveClip();
  // The offset from logical to target coordinates.
  int OffsetX() const { return viewportOrigin.x + deviceOrigin.x; }
  int OffsetY() const { return viewportOrigin.y + deviceOrigin.y; }
  // Bumps the target's change count after a drawing call.
  void NoteChanged();

  const DcKind kind;
  BitmapObject* target = nullptr;
  POINT deviceOrigin{0, 0};
  bool hasSystemClip = false;
  std::vector<RECT> systemClip;  // target coordinates
  bool hasClip = false;
  std::vector<RECT> clip;  // device coordinates

  // The window a window DC belongs to, and the windows layer's own record.
  HWND window = nullptr;
  void* owner = nullptr;

  // Selected objects. A fresh DC holds the black pen, the white brush, the
  // stock font (when the font engine supplies one) and, for a memory DC,
  // the stock 1x1 bitmap.
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;

  // Attributes.
  int rop2 = R2_COPYPEN;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  POINT viewportOrigin{0, 0};
  POINT position{0, 0};  // MoveToEx/LineTo
  int stretchMode = COLORONCOLOR;
  UINT textAlign = 0;

 private:
  void RebuildClip();
  bool clipValid_ = false;
  std::vector<RECT> effective_;
};

// Makes a DC of the kind with the default objects selected; null when
// memory runs out. Registered and counted as GdiKind::DeviceContext.
DeviceContext* NewDeviceContext(DcKind kind);
// Deselects everything (objects stay alive) and frees the DC.
void DestroyDeviceContext(DeviceContext* dc);
// The DC behind a handle when it is live, else null.
DeviceContext* LiveDeviceContext(HDC dc);

// Fills a rectangle in logical coordinates with a colour, ignoring the
// binary raster operation (text backgrounds, ETO_OPAQUE). `extraClip`, in
// logical coordinates, narrows the clip for this call (ETO_CLIPPED, DrawText
// without DT_NOCLIP).
void DcFillSolid(DeviceContext* dc, const RECT& rect, COLORREF colour, const RECT* extraClip = nullptr);
// Puts `colour` through a coverage mask of `width` x `height` bytes whose
// top-left lands on logical (x, y): 0 leaves the pixel, 255 sets the colour,
// values between blend (antialiased glyph edges).
void DcBlendCoverage(DeviceContext* dc, int x, int y, const uint8_t* coverage, int width, int height,
                     ptrdiff_t coverageStride, COLORREF colour, const RECT* extraClip = nullptr);

// The font engine supplies the stock fonts: GetStockObject(SYSTEM_FONT)
// and the font a fresh DC holds come from this hook (null until set; a DC
// without a font then holds none and the engine uses its default).
using StockFontProvider = HGDIOBJ (*)(int index);
void SetStockFontProvider(StockFontProvider provider);
