// Handles of the device's graphics objects. Pens, brushes, fonts, bitmaps,
// regions and palettes are all GDI objects (one handle type, as the device's
// SelectObject/DeleteObject take any of them); a device context is a handle
// of its own. The objects themselves are defined in platform/gdi/.
#pragma once

struct GdiObject;
using HGDIOBJ = GdiObject*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;

struct DeviceContext;
using HDC = DeviceContext*;

// Icons and cursors (one object kind, as on the device) are graphics
// objects too, though windows classes and resources carry them.
struct IconObject;
using HICON = IconObject*;
using HCURSOR = HICON;
