// DisplayManager: makes the reader usable in four screen orientations and
// scrolls pages in by themselves. When the platform cannot turn the display,
// the element tree draws into an off-screen screen image in the text's
// orientation and the manager copies the changed parts to the real screen
// through a rotating blit, maps stylus points and rectangles between the
// two, and remaps the direction keys. Automatic scrolling slides the next
// page in from the bottom a few pixels per tick of timer 1, through the same
// image. While it runs the device's battery idle time-out is raised to an
// hour; every path that ends scrolling gives the saved value back.
//
// Rotation codes: 0 upright, 1 and 2 quarter turns, 3 a half turn, 255 unset
// (software rotation off). UI thread only.
//
// Files: display_manager.cpp (life, orientation, transforms, keys),
// display_manager_redraw.cpp (the screen image and its copy to the screen),
// display_manager_autoscroll.cpp (commands 79-82, the tick, speed keys).
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/geometry/transform.h"
#include "layout/display/display_host.h"
#include "layout/drawing/memory_bitmap.h"
#include "layout/drawing/surface_display_link.h"

class DrawingSurface;

class DisplayManager : public SurfaceDisplayLink {
 public:
  static constexpr uint8_t kUnset = 255;
  static constexpr int32_t kNoCommand = 0xFFFFFF;
  static constexpr uint32_t kTimerId = 1;
  static constexpr uint32_t kScrollIdleTimeout = 3600;
  static constexpr uint32_t kNotEnoughMemory = 5034;
  // Commands of the controller.
  static constexpr int32_t kNextOrientation = 74;
  static constexpr int32_t kStartScroll = 79;
  static constexpr int32_t kStopScroll = 80;
  static constexpr int32_t kSettleScroll = 81;
  static constexpr int32_t kToggleScroll = 82;
  static constexpr int32_t kFaster = 21;
  static constexpr int32_t kSlower = 22;

  DisplayManager() = default;
  ~DisplayManager();
  DisplayManager(const DisplayManager&) = delete;
  DisplayManager& operator=(const DisplayManager&) = delete;

  // ---- Life.
  void Attach(DrawingSurface* surface, DisplayHost* host, int32_t width, int32_t height, bool forced);
  void Detach();
  // Stops the timer (ending scrolling) and frees both images.
  void ReleaseBuffers();
  void SetImageMode(int mode) { imageMode_ = static_cast<uint8_t>(mode); }

  // ---- Orientation.
  static uint8_t NextOrientation(uint8_t code);
  static int32_t CommandForOrientation(uint8_t code);
  bool HandleCommand(int32_t command);
  void SetScreenSize(int32_t width, int32_t height);
  bool Resize(int32_t width, int32_t height);
  void UpdateMode();
  uint8_t Rotation() const { return rotation_; }
  uint8_t PreferredOrientation() const { return preferred_; }
  bool IsRotationEnabled() const { return enabled_ != 0; }
  bool IsActive() const { return active_ != 0; }
  Size LogicalSize() const { return Size{logicalWidth_, logicalHeight_}; }

  // ---- Mapping.
  Point MapPoint(Point point, bool toSurface) const;
  Point MapVector(Point vector, bool toSurface) const;
  void TransformRect(Rect* rect, bool toSurface) const;
  void GetScreenTransform(Transform* out) const { *out = toScreen_; }
  uint32_t MapKey(uint32_t key) const;
  int32_t ChooseByOrientation(int32_t code, int32_t up, int32_t down, int32_t left, int32_t right, int32_t value9,
                              int32_t value10) const;

  // ---- The screen image.
  void InvalidateScreen(const Rect* rect, bool fromPaint) override;
  void InvalidateFull(const Rect* rect);
  bool CanRedraw() const;
  void Redraw() override;
  const MemoryBitmap& ScreenImage() const { return screenImage_; }

  // ---- Automatic scrolling.
  bool HandleAutoscrollKey(int32_t code);
  // Timer 1 of the surface's window fired.
  void OnTimer();
  bool IsAutoscrolling() const { return running_ != 0; }
  bool IsAutoscrollActive() const { return running_ != 0 && enabled_ != 0; }
  void StopAutoscroll();
  int32_t AutoscrollStep() const { return step_; }
  int32_t AutoscrollDelay() const { return delay_; }
  void SetAutoscrollSpeed(int32_t step, int32_t delay);
  int32_t AutoscrollRemaining() const { return remaining_; }
  bool TimerRunning() const { return timerId_ != 0; }

  // ---- Page images (the page-image target is refused in this system).
  bool HasPageImage(int32_t stamp, uint32_t position) const;
  bool CanHoldPageImages() const;
  void ShowPageImage(const Rect* rect);
  void ForgetPageImage();
  bool RequestPageImageTarget() { return false; }

  // ---- What the drawing surface asks (SurfaceDisplayLink).
  void SelectDrawTarget(DrawingSurface* surface, bool select) override;
  bool IsOrientationActive() const override;
  uint8_t RotationCode() const override { return rotation_; }
  void GetOrientationTransform(Transform* out) const override { *out = toScreen_; }
  void TransformRect(Rect* rect) const override { TransformRect(rect, false); }
  Point MapWindowPoint(Point point) const override { return MapPoint(point, true); }
  bool HandleKey(const CommandEvent& event) override;
  void RedrawScreen() override { Redraw(); }
  void UpdateDisplayMode() override { UpdateMode(); }
  bool HandleDisplayCommand(int32_t command) override { return HandleCommand(command); }
  MemoryBitmap* OffscreenImage(Transform* toImage) override;

 private:
  uint8_t EffectiveRotation(uint8_t preferred, bool forced) const;
  // True when it invalidated the whole window.
  bool ApplyOrientation(bool changed);
  void ComputeTransforms();
  // False when a needed screen image cannot be made.
  bool PrepareImage();
  void StartTimer();
  void StopTimer();
  // Ends scrolling on every path: timer, flags, remaining distance and the
  // battery idle time-out saved at the start.
  void EndScrolling();
  void RestoreIdleTimeout();
  bool NextAutoscrollPage();
  void StartScrolling();
  void StopScrolling(bool settle);
  void ScrollAreaOnScreen(int32_t step);

  DrawingSurface* surface_ = nullptr;
  DisplayHost* host_ = nullptr;
  int32_t imageStamp_ = -1;
  uint32_t imagePosition_ = 0;
  int32_t step_ = 1;
  int32_t delay_ = 50;
  uintptr_t timerId_ = 0;
  uint8_t rotation_ = kUnset;
  uint8_t preferred_ = 0;
  Rect pending_;
  Rect full_;
  Rect area_;
  uint8_t active_ = 0;
  uint8_t areaChanged_ = 0;
  uint8_t running_ = 0;
  uint8_t enabled_ = 0;
  uint8_t reevaluate_ = 0;
  uint8_t stopAtTick_ = 0;
  uint8_t drawingPageImage_ = 0;
  uint8_t pageImageHeld_ = 0;
  uint8_t forced_ = 0;
  uint8_t firstPaintPending_ = 1;
  int32_t logicalWidth_ = 0;
  int32_t logicalHeight_ = 0;
  Transform toSurface_;
  Transform toScreen_;
  MemoryBitmap screenImage_;
  MemoryBitmap pageImage_;
  int32_t remaining_ = 0;
  int64_t savedIdleTimeout_ = -1;
  uint8_t imageMode_ = 2;
  uint8_t redirected_ = 0;  // the surface draws into one of our images
  uint8_t redrawing_ = 0;
};
