// The base of every graphics object behind an HGDIOBJ (pens, brushes,
// fonts, bitmaps, regions, palettes), and the process-wide book of live
// graphics objects that validates handles and counts them per kind.
//
// Every object, device context, icon and image list registers itself when
// made and leaves the book when destroyed; calls given a handle that is not
// in the book fail as the device's do with a stale handle, instead of
// touching freed memory. Stock objects (GetStockObject) and the platform's
// own surfaces are registered but not counted and never deleted, so tests
// can expect the live counts of what the system made to return to zero.
//
// Layers above the core add their own kinds by deriving from GdiObject: the
// font engine's FontObject takes GdiKind::Font and answers GetObjectW
// through Describe.
#pragma once

#include <cstdint>

#include "platform/types/gdi_handles.h"

enum class GdiKind : uint8_t {
  DeviceContext,
  Pen,
  Brush,
  Font,
  Bitmap,
  Region,
  Palette,
  Icon,
  ImageList,
};
constexpr int kGdiKindCount = 9;

struct GdiObject {
  // `counted` false for stock objects and the platform's own surfaces.
  GdiObject(GdiKind kind, bool counted = true);
  virtual ~GdiObject();
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  // GetObjectW: with `out` null, the bytes the description takes; else
  // copies at most `size` bytes of it and answers how many, 0 when `size` is
  // too small for the kind's record.
  virtual int Describe(int size, void* out) const = 0;

  const GdiKind kind;
  const bool counted;
  // Stock objects ignore DeleteObject.
  bool stock = false;
  // How many device contexts hold it selected; a selected object is not
  // deleted (DeleteObject fails and leaves it alive).
  int selectCount = 0;
};

// The book of live handles. Register/Unregister are done by the
// constructors and destructors of GdiObject, DeviceContext, IconObject and
// the image list; other code only asks.
void RegisterGdiHandle(const void* handle, GdiKind kind, bool counted);
void UnregisterGdiHandle(const void* handle, GdiKind kind, bool counted);
bool IsLiveGdiHandle(const void* handle);
// Whether a handle is live, and then its kind.
bool LiveHandleKind(const void* handle, GdiKind* kind);
// The object behind a handle when it is live and of that kind (or any kind
// for the one-argument form), else null.
GdiObject* LiveGdiObject(HGDIOBJ handle);
GdiObject* LiveGdiObject(HGDIOBJ handle, GdiKind kind);
