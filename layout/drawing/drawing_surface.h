// DrawingSurface: the root of a window's element tree and the one drawing
// context of that window. Every element draws through it, inside nested
// drawing passes (BeginDraw/EndDraw): the outermost pass takes the
// window's device context (or the paint DC, a redirect DC, a target
// bitmap's DC) and gives back everything it selected into it at the end.
//
// It keeps pens, brushes and fonts lazily: a pen or brush is made again
// only when its colour changed, and platform fonts live in a five-entry
// cache with least-recently-used replacement. Every shape and bitmap
// operation reports the rectangle it drew (NoteDrawn) to the display
// manager, which keeps turned or off-screen page images up to date.
// UI thread only.
//
// Files: drawing_surface.cpp (life, tree slots, passes, state),
// drawing_surface_colors.cpp (colours, pens, brushes), drawing_surface_text.cpp
// (fonts and text), drawing_surface_shapes.cpp (shapes, clip, origin),
// drawing_surface_window.cpp (window, invalidation, pointer, queries),
// drawing_surface_own_window.cpp (a window of the surface's own class),
// drawing_surface_bitmaps.cpp, drawing_surface_rotation.cpp,
// drawing_surface_picture.cpp and drawing_surface_effects.cpp (bitmaps,
// rotated blits, pictures and icons, gradients and zigzags).
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "layout/drawing/advance_table.h"
#include "layout/drawing/color.h"
#include "layout/drawing/font_spec.h"
#include "layout/drawing/font_table.h"
#include "layout/drawing/memory_bitmap.h"
#include "layout/drawing/surface_display_link.h"
#include "layout/elements/ui_container.h"
#include "layout/fonts/bitmap_font_renderer.h"
#include "platform/text_drawing/text.h"
#include "platform/types/window_handle.h"

class DrawingSurface : public UIContainer {
 public:
  static constexpr int kFontCacheSize = 5;
  // The mode word's bit that inverts what is drawn (R2_NOT).
  static constexpr uint32_t kXorMode = 0x1;

  // The table is the application's, not owned.
  explicit DrawingSurface(const FontTable* fontTable);
  ~DrawingSurface() override;

  // ---- Element-tree slots.
  void CaptureInput(bool activate) override;
  void ReleaseInput(bool deactivate) override;
  void OnCaptureChanged(bool captured) override;
  bool Show(bool visible) override;
  bool HandleCommand(const CommandEvent& event) override;
  void Redraw(const Rect* rect) override;
  bool BeginDraw(bool noRedraw) override;
  // True when the outermost pass ended.
  bool EndDraw() override;
  void GetTransform(Transform* out, bool inner) override;
  bool IsFocusScope() override { return true; }
  void FocusChild(UIElement* child) override;
  void OnChildrenRedrawn() override {}

  // ---- Window.
  void SetWindow(HWND window) { window_ = window; }
  HWND Window() const { return window_; }
  // The client size less a visible menu bar; unless raw, turned for the
  // display manager's rotation.
  bool GetClientSize(Size* out, bool raw);
  void SetDisplayManager(SurfaceDisplayLink* display) { display_ = display; }
  void SetClearType(bool on) { clearType_ = on ? 1 : 0; }
  // Registers the class "CorvellineDrawingSurface" (an existing one is
  // kept) and makes a window of it over the rectangle, limited to the work
  // area: a pop-up, or a child of `parent`; `flag` adds the disabled style.
  // A window made earlier is destroyed first. The surface then owns it.
  bool CreateSurfaceWindow(bool popup, HWND parent, const Rect& rect, bool flag);
  // The procedure of such windows: messages go to the surface stored in
  // the window's user data.
  static LRESULT SurfaceWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // ---- Passes and targets.
  void BeginBackBuffer(HDC paintDc);
  void EndBackBuffer();
  void RedirectToDC(HDC dc);
  void RestoreDC();
  // Draws into a memory bitmap (null: back to the window).
  void SetTargetBitmap(TargetBitmap* target);
  HDC CurrentDC() const { return currentDc_; }
  uint32_t PassDepth() const { return depth_; }

  // ---- Colours and modes.
  void SetPenColor(Color color);
  void SetFillColor(Color color);
  void SetTextColor(Color color);
  void SetBackgroundColor(Color color) { background_ = color; }
  Color FillColor() const { return fillColor_; }
  Color BackgroundColor() const { return background_; }
  // Bit 0 inverts (R2_NOT); answers the previous word.
  uint32_t SetXorMode(uint32_t mode);

  // ---- Fonts and text.
  void SetFont(const FontSpec& spec);
  void SetFontSpec(uint8_t id, int8_t size);
  const FontSpec& GetFont() const { return fontSpec_; }
  // Deletes the cached fonts of the identifier (0: of every identifier).
  void FlushFontCache(uint8_t id);
  void DrawText(const WCHAR* text, int32_t count, Point point);
  void DrawDecorationGap(Point point, int32_t width);
  bool MeasureText(const WCHAR* text, int32_t count, Size* out);
  int32_t FitText(const WCHAR* text, int32_t count, int32_t maxWidth);
  // The advance of each of the count units of the text in the current
  // font (a surrogate pair's advance on its first unit, 0 on its second);
  // false when they cannot be measured.
  bool MeasureCharacters(const WCHAR* text, int32_t count, int32_t* widths);
  int32_t GetAscent();
  int32_t GetDescent();
  int32_t BaselineShift() const { return baselineShift_; }
  // The platform font of a font request (FontSpec) from the cache (made when
  // missing); null when no font can be made.
  HFONT GetCachedFont(const FontSpec& spec);

  // ---- Shapes.
  void DrawRect(const Rect& rect, bool filled);
  void DrawRoundRect(const Rect& rect, int32_t radius);
  void DrawLine(Point from, Point to);
  void DrawCircle(Point centre, int32_t radius, bool filled);
  void EraseRect(const Rect& rect);

  // ---- Clip, origin and state.
  void SetClipRect(const Rect& rect);
  void ClipToRect(const Rect& rect);
  void ClearClip();
  const Rect& ClipRect() const { return clip_; }
  void SetOrigin(Point origin);
  Point Origin() const { return origin_; }
  bool SaveState();
  void RestoreState();
  void StoreClipRect(const Rect& rect) { paintArea_ = rect; }
  const Rect& PaintArea() const { return paintArea_; }

  // ---- Invalidation and the display manager.
  void InvalidateRect(const Rect* rect);
  void NoteDrawn(const Rect* rect);
  void InvalidateScreen(const Rect* rect);
  void RedrawScreen();
  void UpdateDisplayMode();
  bool HandleDisplayCommand(int32_t command);
  void DrawLineMirrored(Point from, Point to);
  void ScrollRectMirrored(const Rect& rect, Point delta);

  // ---- Pointer input from the window (window coordinates).
  bool SendPointerDown(Point point);
  bool SendPointerUp(Point point);
  bool SendPointerMove(uint32_t keys, Point point);

  // ---- Scrolling and queries.
  void ScrollRect(const Rect& rect, Point delta);
  bool IsPaintAborted() { return false; }
  bool QueryPenGesture() { return false; }
  // 0 small (below 240 in either direction), 2 large (at least 640 x 480
  // either way), else 1.
  static int GetScreenClass();
  static bool GetWorkArea(Rect* out);
  static void RectFromEdges(Rect* out, const RECT& edges);

  // ---- Bitmaps, pictures, icons and painted effects.
  void CreateCompatibleBitmap(MemoryBitmap* bitmap, const Rect& rect);
  void CreateDibBitmap(MemoryBitmap* bitmap, const Size& size);
  // True when the copy failed or nothing could be drawn (callers test for
  // failure, not success).
  bool BlitBitmap(MemoryBitmap* bitmap, const Rect& rect, bool release);
  void BlitBitmapAt(const MemoryBitmap& bitmap, Point source, const Rect& rect);
  void BlitFromDC(HDC dc, Point source, const Rect& rect);
  void BlitBetween(MemoryBitmap* target, const MemoryBitmap& source, Point sourcePoint, const Rect& rect);
  void StretchBitmap(const MemoryBitmap& bitmap, const Rect& source, const Rect& rect);
  void DrawTransparent(const MemoryBitmap& bitmap, const Rect& source, const Rect& rect, Color color);
  void DrawBitmapOnBackground(const MemoryBitmap& bitmap, const Rect& rect, Color color);
  // Rotation 0 or 255: a plain blit; 1, 2, 3: the rotated copies, so that a
  // source pixel lands where the display's orientation transform puts it.
  void BlitRotated(const MemoryBitmap& bitmap, Point point, const Rect& rect, uint8_t rotation);
  bool DrawIcon(const Rect& rect, const Rect& clip, HICON icon, const Size& iconSize);
  // False when the picture cannot be decoded or a resource ran out.
  bool DrawPicture(const Rect& rect, const Rect& clip, const uint8_t* data, uint32_t length);
  void FillGradient(const Rect& rect, Color from, Color to, bool rows);
  void DrawZigzag(const Rect& rect, bool vertical, bool startHigh, bool alignToGrid);
  // A top-down DIB section of the screen's depth on the screen DC; null on
  // failure.
  HBITMAP CreateDibSection(const Size& size, void** bits);

  // ---- The bitmap-text strip: an 8-bit bitmap that text in a bitmap font
  // is drawn into (4 pixels right of the strip's position) and then copied
  // to the surface. DrawText opens and flushes one around its own run when
  // none is open, so a caller opens one only to gather several runs.
  // Answers 1 at once when the current font is not a bitmap font, 0 when
  // the strip cannot be made (nothing is drawn then).
  int BeginBitmapText(Point position, Size size, uint32_t word);
  // Copies the strip to the surface at its position and size.
  void FlushBitmapText();

 private:
  struct FontCacheEntry {
    HFONT font = nullptr;
    FontSpec spec;
    uint32_t stamp = 0;
    AdvanceTable advances;  // of this font, learnt as text is measured
  };
  struct SavedState {
    Rect clip;
    Rect paintArea;
    Point origin;
  };

  void ReleaseGdiObjects();
  bool PreparePen();
  bool PrepareBrush();
  // Selects a pen or brush the surface made; the first object that comes
  // out of the DC is its initial one and is kept, later ones are deleted.
  void SelectOwnObject(HGDIOBJ object, HGDIOBJ* initial);
  bool SelectFont();
  // Deletes a cached font (deselecting it first) and forgets its advances.
  void DropCachedFont(FontCacheEntry* entry);
  // The advances of the text's units summed (and each stored in widths
  // when given) from the selected platform font's table, characters not in
  // it measured once through the platform; false when the table cannot
  // serve (no platform font selected, a surrogate, a failed measurement).
  bool SumAdvances(const WCHAR* text, int32_t count, int32_t* widths, int64_t* total);
  bool ResolveFontEntry(uint8_t id, FontTableEntry* entry) const;
  void RotatedStrips(const MemoryBitmap& bitmap, Point point, const Rect& rect, uint8_t rotation);
  // Opens the font file of a bitmap-font identifier (when it changed) and
  // chooses its face; false when the identifier must fall back.
  bool SelectBitmapFont(const FontTableEntry& entry);
  void ReleaseBitmapStrip();
  void DrawBitmapText(const WCHAR* text, int32_t count, Point point);
  void DrawBitmapDecorationGap(Point point, int32_t width);

  const FontTable* fontTable_;
  SurfaceDisplayLink* display_ = nullptr;
  int32_t baselineShift_ = 0;
  uint32_t depth_ = 0;
  int32_t redrawMark_ = -1;
  TargetBitmap* target_ = nullptr;
  uint32_t mode_ = 0;
  Rect paintArea_;
  Rect clip_;
  Point origin_;
  Color background_ = Color::FromRgb(255, 255, 255);
  MemoryBitmap* backgroundPicture_ = nullptr;
  SegmentedArray stateStack_;
  FontCacheEntry fontCache_[kFontCacheSize];
  AdvanceTable* selectedAdvances_ = nullptr;  // of the platform font selected
  uint32_t useCounter_ = 0xFFFFFFFFu;
  HDC currentDc_ = nullptr;
  HDC paintDc_ = nullptr;
  HDC ownDc_ = nullptr;
  HDC redirectDc_ = nullptr;
  HWND window_ = nullptr;
  FontSpec fontSpec_;
  uint8_t clearType_ = 0;
  uint8_t decorated_ = 0;
  TEXTMETRICW metrics_{};
  Color fillColor_{Color::kUnapplied};
  Color penColor_{Color::kUnapplied};
  Color textColor_{Color::kUnapplied};
  HGDIOBJ initialBrush_ = nullptr;
  HGDIOBJ initialPen_ = nullptr;
  HGDIOBJ initialFont_ = nullptr;
  uint8_t brushValid_ = 0;
  uint8_t penValid_ = 0;
  uint8_t fontSelected_ = 0;
  uint8_t ownsWindow_ = 0;
  uint8_t focusing_ = 0;
  uint8_t windowFlag_ = 0;  // cleared when the window is created
  BitmapFontRenderer bitmapFont_;
  int32_t bitmapFontId_ = -1;  // whose file is open; -1: none
  uint8_t bitmapActive_ = 0;   // the selected font is a bitmap face
  HBITMAP strip_ = nullptr;
  uint8_t* stripBits_ = nullptr;
  int32_t stripWidth_ = 0;  // allocated: the requested width + 8
  int32_t stripHeight_ = 0;
  int32_t stripFontId_ = -1;  // whose palette the strip holds
  Point stripPosition_;
  Size stripSize_;
  uint32_t stripWord_ = 0;
  uint8_t stripDirty_ = 0;
};

// Whether the platform's major version is above 4, read once for every
// surface: rectangles in XOR mode are grown by a pixel on older platforms.
bool SurfacePlatformAbove4();
// Tests change the platform version between cases: read it again.
void ResetSurfacePlatformVersion();
