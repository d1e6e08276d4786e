// PositionBar: the reading-position bar, a thin band docked at the bottom
// of the main window. Its track shows how far the reader is in the
// document (the read part blue, the rest grey, both shaded top to bottom),
// the marks of the book's side file as small brackets, arrow caps at both
// ends when there are marks, and the page number in a label at the right.
// A tap on the track goes to the position under it, near a mark to that
// mark, on a cap to the previous or next mark, on the label to the go-to-
// page command.
//
// Positions become track offsets through 64-bit products: lengths above
// 2^21 are first scaled down by 2^11 (the range), which keeps the figures
// the bar has always shown, and the 64-bit intermediates keep wide tracks
// (a Linux window passes 1,024 pixels easily) from overflowing.
//
// Files: position_bar.cpp (life, geometry, painting), position_bar_input.cpp
// (pressing, press feedback, taps).
#pragma once

#include <cstdint>

#include "browser/bar/docked_element.h"
#include "browser/bar/position_bar_host.h"

class PositionBar : public DockedElement {
 public:
  // Keys of the table of integer defaults.
  static constexpr uint32_t kBarHeightKey = 12;
  static constexpr uint32_t kTrackThicknessKey = 13;
  static constexpr uint32_t kHitMarginKey = 15;
  // Lengths above this are scaled down by kLengthShift.
  static constexpr uint32_t kUnscaledLimit = 1u << 21;
  static constexpr int kLengthShift = 11;
  // The go-to-page command a tap on the label runs.
  static constexpr int32_t kGoToPageCommand = 20;
  static constexpr int32_t kHitPriority = 127;

  struct TrackGeometry {
    uint32_t range = 0;
    int shift = 0;
    int32_t left = 0;
    int32_t width = 0;
  };

  // Reads its sizes from the host's defaults; side bottom, not visible,
  // one reference.
  explicit PositionBar(PositionBarHost* host);

  // ---- Docked element.
  void Invalidate() override;
  void PaintNow() override;
  int32_t GetThickness(int /*side*/) override { return barHeight_; }
  int32_t GetHitMargin() override { return hitMargin_; }
  Color GetBackgroundColor() override { return host_->GetBackgroundColor(); }

  // ---- Element part.
  void Paint(const Rect& rect, uint32_t flags) override;
  bool OnPointerDown(Point point) override { return OnPress(point); }
  bool OnPointerMove(bool /*buttonDown*/, Point /*point*/) override { return false; }
  bool OnPointerUp(Point point) override { return HandleTap(point); }
  int32_t GetHitPriority() override { return kHitPriority; }

  // False when the document has no known length or the track has no room.
  bool GetTrackGeometry(TrackGeometry* out);
  // The offset on the track of a text position (64-bit product).
  static int64_t PositionToOffset(const TrackGeometry& geometry, uint32_t position);
  // The text position under a track offset (0 <= offset < width).
  static uint32_t OffsetToPosition(const TrackGeometry& geometry, int32_t offset);

  bool OnPress(Point point);
  bool HandleTap(Point point);

  int32_t CapWidth() const { return capWidth_; }
  int32_t TrackThickness() const { return trackThickness_; }
  int32_t BarHeight() const { return barHeight_; }
  int32_t LabelWidth() const { return labelWidth_; }
  bool HasMarks() const { return hasMarks_ != 0; }
  bool IsPressed() const { return pressed_ != 0; }

 private:
  ~PositionBar() override = default;

  void MeasureLabel();
  void PaintMarks();
  void PaintTrack(const TrackGeometry& geometry, int32_t read);
  void PaintCaps(const TrackGeometry& geometry);
  void PaintBracket(int64_t x, Color color);
  void PaintPageNumber();
  void PaintPressFeedback();
  // Whether the side file holds a mark; false without one.
  bool SideFileHasMarks();
  // A track row's y (i from 1 to thickness - 1).
  int32_t TrackRowY(int32_t i) const;
  int32_t TrackTop() const;

  PositionBarHost* host_;
  int32_t tapX_ = 0;
  int32_t tapY_ = 0;
  uint8_t pressed_ = 0;
  int32_t capWidth_ = 0;
  int32_t trackThickness_ = 0;
  int32_t barHeight_ = 0;
  int32_t hitMargin_ = 0;
  int32_t labelWidth_ = 0;
  int8_t labelFontSize_ = 0;
  uint8_t hasMarks_ = 0;
};
