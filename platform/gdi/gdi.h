// The device's graphics calls, re-created in software: device contexts,
// bitmaps and DIB sections, pens and brushes, shapes, blits, clipping,
// icons and image lists, with the device's edge rules:
//  - Rectangle, Ellipse, RoundRect, FillRect and PatBlt cover left..right-1
//    and top..bottom-1 (right and bottom edges excluded); the pen draws the
//    outline inside that box, the brush the inside;
//  - with a PS_NULL pen a shape comes out one pixel smaller on the right
//    and bottom (the brush alone covers left..right-2, top..bottom-2);
//  - LineTo and Polyline leave out the last point of each line;
//  - R2_NOT inverts every bit of the destination, so anything drawn twice
//    in R2_NOT (or R2_XORPEN) gives back the pixels it covered;
//  - ScrollDC moves the pixels inside its rectangle and leaves the strip
//    the move uncovers as it was.
// Text calls are the font engine's (platform/text_drawing/text.h); window DCs
// (GetDC, BeginPaint) the windows layer's.
#pragma once

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/rectangles.h"
#include "platform/types/gdi_handles.h"

// Device contexts and objects.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int GetObjectW(HGDIOBJ object, int size, LPVOID out);
DWORD GetObjectType(HGDIOBJ object);
int GetDeviceCaps(HDC dc, int index);

// Bitmaps.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);

// Pens and brushes.
HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

// Attributes.
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
int SetStretchBltMode(HDC dc, int mode);

// Clipping and regions.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN region);
int GetClipBox(HDC dc, RECT* box);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int CombineRgn(HRGN target, HRGN first, HRGN second, int mode);
int GetRgnBox(HRGN region, RECT* box);
BOOL PtInRegion(HRGN region, int x, int y);

// Shapes and pixels.
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC dc, const RECT* rect);

// Blits.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
// Copies the source rectangle, scaled to the target rectangle, leaving out
// the source pixels of colour `transparent`. The source is a DC or a
// bitmap, as on the device.
BOOL TransparentImage(HDC target, int x, int y, int width, int height, HANDLE source, int sourceX,
                      int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent);
BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect);

// System metrics and colours.
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// Icons.
HICON CreateIconIndirect(ICONINFO* info);
BOOL DestroyIcon(HICON icon);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker,
                UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

// Image lists.
struct ImageListObject;
using HIMAGELIST = ImageListObject*;
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour);
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_Remove(HIMAGELIST list, int index);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
