// The reading-position bar: its sizes, its track geometry and its painting
// (see position_bar.h).
#include "browser/bar/position_bar.h"

#include "layout/drawing/drawing_surface.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr WCHAR kLabelSample[] = u"0000000";
constexpr uint32_t kLengthUnknown = 0xFFFFFFFFu;
constexpr uint32_t kNoMark = 0xFFFFFFFFu;
// Marks of these kinds are drawn; higher bits mark records the user does
// not see as marks on the page.
constexpr uint32_t kShownKinds = 0x3F;

const Color kBlack = Color::FromRgb(0, 0, 0);
const Color kWhite = Color::FromRgb(255, 255, 255);
const Color kMarkBehind = Color::FromRgb(224, 224, 224);
const Color kMarkAhead = Color::FromRgb(128, 128, 255);

// The shade of a row: 1 at the top, falling with the row.
double RowShade(int32_t row, int32_t barHeight) {
  return 1.0 - static_cast<double>(row) / static_cast<double>(barHeight);
}
uint8_t Tone(double shade, double span, double base) {
  int value = static_cast<int>(shade * span + base);
  return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}
uint8_t GreyTone(double shade) { return Tone(shade, 64, 191); }
uint8_t ReadTone(double shade) { return Tone(shade, 192, 31); }

int32_t Clamp32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

PositionBar::PositionBar(PositionBarHost* host) : host_(host) {
  side_ = kSideBottom;
  trackThickness_ = host_->GetDefaultSetting(kTrackThicknessKey);
  barHeight_ = host_->GetDefaultSetting(kBarHeightKey);
  hitMargin_ = host_->GetDefaultSetting(kHitMarginKey);
  capWidth_ = trackThickness_ + 2;
}

void PositionBar::Invalidate() {
  if (visible_ && container_) container_->InvalidateRect(&band_);
}

void PositionBar::PaintNow() { Paint(band_, 0); }

bool PositionBar::SideFileHasMarks() {
  BookParameterFile* sideFile = host_->GetSideFile();
  if (!sideFile) return false;
  MarkIterator iterator;
  return sideFile->FirstBookmark(0, kNoMark, &iterator) != kNoMark;
}

bool PositionBar::GetTrackGeometry(TrackGeometry* out) {
  uint32_t length = host_->GetTextLength();
  // A length not known yet (a script page still running) is no length.
  if (length == 0 || length == kLengthUnknown) return false;
  TrackGeometry geometry;
  if (length <= kUnscaledLimit) {
    geometry.range = length;
    geometry.shift = 0;
  } else {
    geometry.range = length >> kLengthShift;
    geometry.shift = kLengthShift;
  }
  int64_t width;
  if (hasMarks_) {
    geometry.left = capWidth_;
    width = int64_t{band_.width} - 2 * int64_t{capWidth_} - labelWidth_;
  } else {
    geometry.left = 2;
    width = int64_t{band_.width} - 2 - labelWidth_;
  }
  if (width <= 0) return false;
  geometry.width = static_cast<int32_t>(width);
  *out = geometry;
  return true;
}

int64_t PositionBar::PositionToOffset(const TrackGeometry& geometry, uint32_t position) {
  return int64_t{geometry.width} * (position >> geometry.shift) / geometry.range;
}

uint32_t PositionBar::OffsetToPosition(const TrackGeometry& geometry, int32_t offset) {
  uint64_t scaled = static_cast<uint64_t>(offset) * geometry.range / static_cast<uint64_t>(geometry.width);
  return static_cast<uint32_t>(scaled << geometry.shift);
}

int32_t PositionBar::TrackTop() const { return band_.y + (barHeight_ - trackThickness_) / 2; }

int32_t PositionBar::TrackRowY(int32_t i) const { return TrackTop() + i; }

void PositionBar::MeasureLabel() {
  labelFontSize_ = host_->GetFontSize();
  container_->SetFontSpec(1, labelFontSize_);
  Size size;
  labelWidth_ = container_->MeasureText(kLabelSample, 7, &size) ? size.width : 0;
}

void PositionBar::Paint(const Rect& /*rect*/, uint32_t /*flags*/) {
  if (!visible_ || !container_) return;
  if (!container_->BeginDraw(false)) return;
  if (labelWidth_ == 0) MeasureLabel();
  PaintBackground(band_);
  PaintMarks();
  PaintPageNumber();
  container_->EndDraw();
}

void PositionBar::PaintTrack(const TrackGeometry& geometry, int32_t read) {
  const int32_t left = geometry.left;
  const int32_t split = Clamp32(int64_t{left} + read);
  const int32_t end = Clamp32(int64_t{left} + geometry.width - 1);
  for (int32_t i = 1; i < trackThickness_; ++i) {
    const int32_t y = TrackRowY(i);
    const double shade = RowShade(i, barHeight_);
    // The first and last rows are one pixel shorter at the left and longer
    // at the right, which rounds the track's left corners.
    const int32_t edge = (i == 1 || i == trackThickness_ - 1) ? 1 : 0;
    uint8_t r = ReadTone(shade);
    container_->SetPenColor(Color::FromRgb(r, r, 255));
    container_->DrawLine(Point{left + edge, y}, Point{split, y});
    uint8_t g = GreyTone(shade);
    container_->SetPenColor(Color::FromRgb(g, g, g));
    container_->DrawLine(Point{split, y}, Point{end + edge, y});
  }
}

void PositionBar::PaintMarks() {
  BookParameterFile* sideFile = host_->GetSideFile();
  if (sideFile) hasMarks_ = SideFileHasMarks() ? 1 : 0;
  TrackGeometry geometry;
  if (!GetTrackGeometry(&geometry)) return;
  const uint32_t current = host_->GetCurrentPosition();
  int64_t read = PositionToOffset(geometry, current);
  if (read > geometry.width) read = geometry.width;
  PaintTrack(geometry, static_cast<int32_t>(read));

  container_->SetPenColor(kBlack);
  if (!sideFile) return;
  MarkIterator iterator;
  uint32_t mark = sideFile->FirstBookmark(0, kNoMark, &iterator);
  if (mark != kNoMark) PaintCaps(geometry);
  const uint32_t length = host_->GetTextLength();
  bool ahead = false;
  // Dense marks share pixel columns: a bracket drawn again in the same
  // place and colour changes no pixel, so it is drawn once.
  int64_t lastX = -1;
  bool lastAhead = false;
  for (; mark != kNoMark; mark = sideFile->NextBookmark(&iterator)) {
    uint32_t start, end, viewPosition, viewExtra, extra;
    if (sideFile->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra) != RecordResult::kOk)
      continue;
    uint32_t kind = sideFile->GetBookmarkKind(mark);
    if (kind == 0 || (kind & ~kShownKinds) != 0) continue;
    // A view position from the side file beyond the book is not drawn.
    if (viewPosition > length) continue;
    if (viewPosition > current) ahead = true;
    const int64_t x = int64_t{geometry.left} + PositionToOffset(geometry, viewPosition);
    if (x == lastX && ahead == lastAhead) continue;
    lastX = x;
    lastAhead = ahead;
    PaintBracket(x, ahead ? kMarkAhead : kMarkBehind);
  }
  container_->SetFillColor(kWhite);
}

void PositionBar::PaintBracket(int64_t x64, Color color) {
  const int32_t x = Clamp32(x64);
  const int32_t top = TrackTop();
  const int32_t bottom = band_.y + (barHeight_ + trackThickness_) / 2;
  container_->SetPenColor(color);
  container_->DrawLine(Point{x + 1, top + 1}, Point{x, top + 2});
  container_->DrawLine(Point{x, top + 2}, Point{x, bottom - 2});
  container_->DrawLine(Point{x, bottom - 2}, Point{x + 1, bottom - 1});
}

void PositionBar::PaintCaps(const TrackGeometry& geometry) {
  const int32_t n = trackThickness_;
  const int32_t a = (n - 1) / 2;
  const int32_t c = capWidth_;
  const int32_t w = 2 * c + geometry.width;
  for (int32_t i = 1; i < n; ++i) {
    const int32_t y = TrackRowY(i);
    const double shade = RowShade(i, barHeight_);
    const uint8_t g = GreyTone(shade);
    const uint8_t r = ReadTone(shade);
    const bool edgeRow = (i == 1 || i == n - 1);
    const int32_t xs = edgeRow ? 3 : 2;
    const int32_t xa = i < n / 2 ? c - a - i - 1 : c + i - a - n - 1;
    const int32_t xb = (n / 4 < i && i < 3 * n / 4) ? c - 2 : c - a - 2;
    const int32_t xe = edgeRow ? c : c - 1;
    const Color grey = Color::FromRgb(g, g, g);
    const Color arrow = Color::FromRgb(255, r, r);
    // Left cap: an arrow pointing left in a grey box.
    container_->SetPenColor(grey);
    container_->DrawLine(Point{xs, y}, Point{xa, y});
    container_->DrawLine(Point{xb, y}, Point{xe, y});
    container_->SetPenColor(arrow);
    container_->DrawLine(Point{xa, y}, Point{xb, y});
    // Right cap: the same, mirrored.
    const int32_t rs = edgeRow ? w : w - 1;
    const int32_t re = edgeRow ? w - c + 1 : w - c;
    container_->SetPenColor(grey);
    container_->DrawLine(Point{rs, y}, Point{w - 1 - xa, y});
    container_->DrawLine(Point{w - 1 - xb, y}, Point{re, y});
    container_->SetPenColor(arrow);
    container_->DrawLine(Point{w - 1 - xa, y}, Point{w - 1 - xb, y});
  }
}

void PositionBar::PaintPageNumber() {
  if (labelWidth_ < 3) return;
  uint32_t page = host_->GetCurrentPageNumber();
  if (page == 0) return;
  WCHAR digits[11];
  int count = 0;
  WCHAR reversed[11];
  for (uint32_t rest = page; rest != 0; rest /= 10) reversed[count++] = static_cast<WCHAR>(u'0' + rest % 10);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  // The page renderer changes the surface's font between paints: select
  // the label's every time (its width is still measured only once).
  container_->SetFontSpec(1, labelFontSize_);
  Size size;
  if (!container_->MeasureText(digits, count, &size)) return;
  Rect text{Clamp32(int64_t{band_.width} - size.width - 2), Clamp32(int64_t{band_.y} + barHeight_ - size.height),
            size.width, size.height};
  PaintBackground(text);
  container_->SetTextColor(host_->GetTextColor());
  container_->DrawText(digits, count, Point{text.x, text.y});
}
