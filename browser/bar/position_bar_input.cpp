// The reading-position bar's pointer input: the press and its inverted
// feedback, and the tap on release (see position_bar.h).
#include "browser/bar/position_bar.h"

#include "layout/drawing/drawing_surface.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kNoMark = 0xFFFFFFFFu;
constexpr int32_t kMarkerWidth = 3;

}  // namespace

bool PositionBar::OnPress(Point point) {
  tapX_ = point.x;
  tapY_ = point.y;
  pressed_ = 1;
  CaptureInput(false);
  PaintPressFeedback();
  return true;
}

void PositionBar::PaintPressFeedback() {
  if (!container_) return;
  const int64_t tx = tapX_;
  const int64_t w = band_.width;
  const int64_t lw = labelWidth_;
  Rect area;
  if (tx >= w - lw) {
    area = Rect{static_cast<int32_t>(w - lw), band_.y, labelWidth_, band_.height};
  } else {
    area.y = static_cast<int32_t>(int64_t{band_.y} + band_.height - barHeight_);
    area.height = barHeight_;
    if (tx < capWidth_ && hasMarks_) {
      area.x = 0;
      area.width = capWidth_ - 1;
    } else if (tx < w - capWidth_ - lw || !hasMarks_) {
      area.x = tapX_;
      area.width = kMarkerWidth;
    } else {
      area.x = static_cast<int32_t>(w - capWidth_ - lw + 1);
      area.width = capWidth_ - 1;
    }
  }
  if (!container_->BeginDraw(false)) return;
  // Inverting twice gives every pixel back.
  uint32_t mode = container_->SetXorMode(DrawingSurface::kXorMode);
  container_->SetPenColor(Color::FromRgb(0, 0, 0));
  container_->SetFillColor(Color::FromRgb(0, 0, 0));
  container_->DrawRect(area, true);
  container_->SetXorMode(mode);
  container_->EndDraw();
}

bool PositionBar::HandleTap(Point point) {
  ReleaseInput(false);
  if (!pressed_) return false;
  PaintPressFeedback();
  pressed_ = 0;
  if (!HitTest(point)) return false;
  const int64_t tx = tapX_;
  const int64_t w = band_.width;
  const int64_t lw = labelWidth_;
  if (tx > w - lw) {
    host_->RunCommand(kGoToPageCommand);
    return true;
  }
  TrackGeometry geometry;
  if (!GetTrackGeometry(&geometry)) return false;
  BookParameterFile* sideFile = host_->GetSideFile();
  MarkIterator iterator;
  uint32_t mark = sideFile ? sideFile->FirstBookmark(0, kNoMark, &iterator) : kNoMark;
  const int64_t onTrack = tx - geometry.left;
  if (mark != kNoMark) {
    if (tx < capWidth_) return host_->PreviousBookmark();
    if (w - capWidth_ - lw < tx && tx < w - lw) return host_->NextBookmark();
    const uint32_t length = host_->GetTextLength();
    for (; mark != kNoMark; mark = sideFile->NextBookmark(&iterator)) {
      uint32_t start, end, viewPosition, viewExtra, extra;
      if (sideFile->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra) != RecordResult::kOk)
        continue;
      if (viewPosition > length) continue;
      int64_t distance = PositionToOffset(geometry, viewPosition) - onTrack;
      if (distance < 0) distance = -distance;
      if (distance <= hitMargin_) {
        host_->GoToBookmark(mark);
        host_->ApplyProgressBarSetting();
        return true;
      }
    }
  }
  if (onTrack < 0 || onTrack >= geometry.width) return false;
  return host_->GoToTextPosition(OffsetToPosition(geometry, static_cast<int32_t>(onTrack)));
}
