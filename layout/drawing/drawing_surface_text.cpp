// DrawingSurface: fonts and text. A font request (FontSpec) is turned into a
// platform font through the five-entry cache (least recently used out);
// the font is selected again before the next text call after any change.
//
// Identifiers that the font table marks as bitmap fonts are measured by the
// bitmap-font renderer without a DC and drawn through the bitmap-text strip
// (drawing_surface_bitmap_text.cpp); a font file that cannot be opened or
// has no fitting face falls back to identifier 1, a platform face.
#include <cstring>
#include <new>

#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/painting.h"

namespace {

constexpr uint8_t kFallbackFontId = 1;

// 64 spaces: DrawTextW of them draws only the underline or strike-out.
constexpr WCHAR kDecorationSpaces[] = u"                                                                ";

// Raised text moves up and lowered text down by a third of the size.
int32_t ShiftOfPosition(const FontSpec& spec) {
  uint8_t position = spec.VerticalPosition();
  if (position == FontSpec::kPositionRaised) return spec.size / -3;
  if (position == FontSpec::kPositionLowered) return spec.size / 3;
  return 0;
}

}  // namespace

void DrawingSurface::SetFont(const FontSpec& spec) {
  // Line layout asks for the font of every word: the one the DC holds
  // already is not selected (nor its metrics read) again.
  if (fontSelected_ && spec == fontSpec_) return;
  fontSpec_ = spec;
  decorated_ = (spec.style & (FontSpec::kUnderline | FontSpec::kStrikeOut)) != 0 ? 1 : 0;
  fontSelected_ = 0;
}

void DrawingSurface::SetFontSpec(uint8_t id, int8_t size) {
  FontSpec spec;
  spec.size = size;
  spec.style = FontSpec::kPositionBaseline << 4;
  spec.id = id;
  SetFont(spec);
}

void DrawingSurface::FlushFontCache(uint8_t id) {
  if (id == 0 || id == bitmapFontId_) {
    // The table entry may name another file now: open it afresh next time.
    bitmapFont_.Close(false);
    bitmapFontId_ = -1;
    stripFontId_ = -1;
    fontSelected_ = 0;
  }
  for (FontCacheEntry& entry : fontCache_) {
    if (entry.font == nullptr || (id != 0 && entry.spec.id != id)) continue;
    DropCachedFont(&entry);
  }
}

void DrawingSurface::DropCachedFont(FontCacheEntry* entry) {
  // A font still selected into the current DC is given back first.
  if (currentDc_ != nullptr && fontSelected_ && initialFont_ != nullptr) {
    SelectObject(currentDc_, initialFont_);
    fontSelected_ = 0;
  }
  DeleteObject(entry->font);
  entry->font = nullptr;
  entry->advances.Reset();
  selectedAdvances_ = nullptr;
}

bool DrawingSurface::ResolveFontEntry(uint8_t id, FontTableEntry* entry) const {
  *entry = FontTableEntry{};
  if (fontTable_ == nullptr) return false;
  // Font numbers come from styles and face look-ups; one the table does not
  // hold is read as the fallback identifier instead of past the table.
  if (fontTable_->GetEntry(id, entry)) return true;
  return id != kFallbackFontId && fontTable_->GetEntry(kFallbackFontId, entry);
}

HFONT DrawingSurface::GetCachedFont(const FontSpec& spec) {
  FontCacheEntry* victim = nullptr;
  for (FontCacheEntry& entry : fontCache_) {
    if (entry.font != nullptr && entry.spec == spec) {
      entry.stamp = ++useCounter_;
      return entry.font;
    }
    if (victim == nullptr || (victim->font != nullptr && (entry.font == nullptr || entry.stamp < victim->stamp))) {
      victim = &entry;
    }
  }

  LOGFONTW description{};
  // Above 96 dots per inch the size is scaled by dpi / 96 in whole steps
  // (integer division first), as the platform's own fonts are.
  int32_t height = spec.size;
  HDC screen = GetDC(nullptr);
  int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  if (dpi > 96) height *= dpi / 96;
  description.lfHeight = height;
  description.lfWeight = (spec.style & FontSpec::kBold) != 0 ? FW_BOLD : FW_NORMAL;
  description.lfItalic = (spec.style & FontSpec::kItalic) != 0 ? 1 : 0;
  description.lfUnderline = (spec.style & FontSpec::kUnderline) != 0 ? 1 : 0;
  description.lfStrikeOut = (spec.style & FontSpec::kStrikeOut) != 0 ? 1 : 0;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = clearType_ ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  FontTableEntry entry;
  if (ResolveFontEntry(spec.id, &entry) && entry.name != nullptr) {
    uint32_t n = entry.nameLength < LF_FACESIZE - 1 ? entry.nameLength : LF_FACESIZE - 1;
    std::memcpy(description.lfFaceName, entry.name, n * sizeof(WCHAR));
  }

  if (victim->font != nullptr) DropCachedFont(victim);
  HFONT font = CreateFontIndirectW(&description);
  while (font == nullptr) {
    // Out of fonts: free the least recently used of the others and retry.
    FontCacheEntry* oldest = nullptr;
    for (FontCacheEntry& other : fontCache_) {
      if (other.font != nullptr && (oldest == nullptr || other.stamp < oldest->stamp)) oldest = &other;
    }
    if (oldest == nullptr) return nullptr;
    DropCachedFont(oldest);
    font = CreateFontIndirectW(&description);
  }
  victim->font = font;
  victim->spec = spec;
  victim->stamp = ++useCounter_;
  return font;
}

bool DrawingSurface::SelectFont() {
  if (fontSelected_) return true;
  bitmapActive_ = 0;
  selectedAdvances_ = nullptr;
  FontTableEntry entry;
  if (ResolveFontEntry(fontSpec_.id, &entry) && entry.kind != 0) {
    if (SelectBitmapFont(entry)) {
      int32_t lineHeight = 0, ascent = 0;
      bitmapFont_.GetMetrics(&lineHeight, &ascent);
      metrics_ = TEXTMETRICW{};
      metrics_.tmHeight = lineHeight;
      metrics_.tmAscent = ascent;
      metrics_.tmDescent = lineHeight - ascent;
      bitmapActive_ = 1;
      fontSelected_ = 1;
      baselineShift_ = ShiftOfPosition(fontSpec_);
      return true;
    }
    fontSpec_.id = kFallbackFontId;
  }
  if (currentDc_ == nullptr) return false;
  HFONT font = GetCachedFont(fontSpec_);
  if (font == nullptr) return false;
  HGDIOBJ out = SelectObject(currentDc_, font);
  if (initialFont_ == nullptr) initialFont_ = out;
  for (FontCacheEntry& entry : fontCache_)
    if (entry.font == font) selectedAdvances_ = &entry.advances;
  GetTextMetricsW(currentDc_, &metrics_);
  fontSelected_ = 1;
  baselineShift_ = ShiftOfPosition(fontSpec_);
  return true;
}

void DrawingSurface::DrawText(const WCHAR* text, int32_t count, Point point) {
  // A failed font draws with whatever font the DC holds.
  SelectFont();
  if (bitmapActive_) {
    DrawBitmapText(text, count, point);
    return;
  }
  if (currentDc_ == nullptr || count <= 0) return;
  ExtTextOutW(currentDc_, point.x, point.y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

void DrawingSurface::DrawDecorationGap(Point point, int32_t width) {
  if (!decorated_) return;
  SelectFont();
  if (bitmapActive_) {
    // A platform font's spaces would draw in whatever face the DC holds:
    // a bitmap font's gap is its underline in the open strip, or nothing.
    DrawBitmapDecorationGap(point, width);
    return;
  }
  if (currentDc_ == nullptr || width <= 0) return;
  RECT box{point.x, point.y, point.x + width, point.y + 1000};
  DrawTextW(currentDc_, kDecorationSpaces, 64, &box, DT_NOPREFIX | DT_SINGLELINE);
}

bool DrawingSurface::SumAdvances(const WCHAR* text, int32_t count, int32_t* widths, int64_t* total) {
  AdvanceTable* table = selectedAdvances_;
  if (table == nullptr || bitmapActive_ || currentDc_ == nullptr || count < 0) return false;
  int64_t sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    const WCHAR c = text[i];
    int32_t advance = table->Get(c);
    if (advance == AdvanceTable::kUnknown) {
      SIZE size{};
      if (!GetTextExtentExPointW(currentDc_, &c, 1, 0, nullptr, nullptr, &size) || !table->Set(c, size.cx))
        return false;
      table->height = size.cy;
      advance = size.cx;
    }
    if (widths != nullptr) widths[i] = advance;
    sum += advance;
  }
  *total = sum;
  return table->height != AdvanceTable::kUnknown;
}

bool DrawingSurface::MeasureText(const WCHAR* text, int32_t count, Size* out) {
  *out = Size{};
  SelectFont();
  if (bitmapActive_ && count >= 0) {
    out->width = bitmapFont_.RunWidth(text, count);
    out->height = metrics_.tmHeight;
    return true;
  }
  int64_t sum = 0;
  if (SumAdvances(text, count, nullptr, &sum)) {
    out->width = sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
    out->height = selectedAdvances_->height;
    return true;
  }
  if (currentDc_ == nullptr || count < 0) return false;
  SIZE size{};
  if (!GetTextExtentExPointW(currentDc_, text, count, 0, nullptr, nullptr, &size)) return false;
  out->width = size.cx;
  out->height = size.cy;
  return true;
}

int32_t DrawingSurface::FitText(const WCHAR* text, int32_t count, int32_t maxWidth) {
  SelectFont();
  if (bitmapActive_) {
    // A run's width is the sum of its characters' widths.
    int32_t width = 0;
    for (int32_t i = 0; i < count; ++i) {
      width += bitmapFont_.RunWidth(text + i, 1);
      if (width > maxWidth) return i;
    }
    return count > 0 ? count : 0;
  }
  if (currentDc_ == nullptr || count <= 0) return 0;
  int fit = 0;
  SIZE size{};
  if (!GetTextExtentExPointW(currentDc_, text, count, maxWidth, &fit, nullptr, &size)) return 0;
  return fit;
}

bool DrawingSurface::MeasureCharacters(const WCHAR* text, int32_t count, int32_t* widths) {
  SelectFont();
  if (count < 0) return false;
  if (bitmapActive_) {
    for (int32_t i = 0; i < count; ++i) widths[i] = bitmapFont_.RunWidth(text + i, 1);
    return true;
  }
  int64_t sum = 0;
  if (SumAdvances(text, count, widths, &sum)) return true;
  if (currentDc_ == nullptr) return false;
  if (count == 0) return true;
  // Surrogates and fonts without a table: the platform's extent of every
  // prefix.
  INT* partial = new (std::nothrow) INT[static_cast<size_t>(count)];
  SIZE size{};
  const bool ok = partial != nullptr && GetTextExtentExPointW(currentDc_, text, count, 0, nullptr, partial, &size);
  if (ok)
    for (int32_t i = 0; i < count; ++i) widths[i] = partial[i] - (i > 0 ? partial[i - 1] : 0);
  delete[] partial;
  return ok;
}

int32_t DrawingSurface::GetAscent() {
  SelectFont();
  return metrics_.tmAscent - baselineShift_;
}

int32_t DrawingSurface::GetDescent() {
  SelectFont();
  return metrics_.tmDescent + baselineShift_;
}
