// LayoutContext: the link areas of the shown page and its current link,
// whose focus frame is drawn by inverting the area's pixels.
#include <new>

#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/render/annotation_painter.h"
#include "layout/selection/range_walker.h"

namespace {

bool CarriesAction(const ShapeArea& area) { return area.link.Get() != nullptr; }

}  // namespace

LaidOutPage* LayoutContext::ShownPage() {
  LaidOutPage* page = FindPageBuffer(currentKey_);
  return page != nullptr && page->HoldsContent() ? page : nullptr;
}

bool LayoutContext::BuildPageLinkAreas(LaidOutPage* page) {
  if (page->linkAreasBuilt) return true;
  if (!page->painted) return false;
  rememberedLink_ = -1;
  // Notes of the side file over plain text become links that show them.
  AnnotationPainter* painter = nullptr;
  AnnotationPainter notes;
  if (annotations_ != nullptr) {
    uint32_t first = page->frame->start;
    uint32_t end = page->frame->end != kNoPosition ? page->frame->end : page->store.endPosition;
    page->store.GetPositionRange(&first, &end);
    if (first > page->frame->start) first = page->frame->start;
    notes.Reset(annotations_, Color::FromRgb(255, 255, 0), AnnotationPainter::kDefaultNoteStyle, baseTextColor_,
                first, end);
    painter = &notes;
  }
  WideTables& tables = Tables();
  tables.Bind(&page->frame->tableScrolls);
  if (!::BuildLinkAreas(&page->store, page->frame->style.link.Get(), painter, &page->linkAreas, &tables))
    return false;
  page->linkAreasBuilt = true;
  return true;
}

bool LayoutContext::BuildLinkAreas() {
  LaidOutPage* page = ShownPage();
  return page != nullptr && BuildPageLinkAreas(page);
}

bool LayoutContext::GetLinkAreas(ShapeAreaArray** out) {
  LaidOutPage* page = ShownPage();
  if (page == nullptr) return false;
  BuildPageLinkAreas(page);
  *out = &page->linkAreas;
  return true;
}

const ShapeArea* LayoutContext::LinkArea(int32_t n) {
  ShapeAreaArray* areas = nullptr;
  if (n < 0 || !GetLinkAreas(&areas) || static_cast<uint32_t>(n) >= areas->Count()) return nullptr;
  return areas->At(static_cast<uint32_t>(n));
}

int32_t LayoutContext::GetLinkAreaAt(Point point, int32_t tolerance, const ShapeArea** area) {
  if (area != nullptr) *area = nullptr;
  ShapeAreaArray* areas = nullptr;
  if (!GetLinkAreas(&areas)) return -1;
  for (uint32_t i = 0; i < areas->Count(); ++i) {
    if (!areas->At(i)->HitTest(point, tolerance)) continue;
    if (area != nullptr) *area = areas->At(i);
    return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t LayoutContext::FindLinkAreaOfElement(const InlineObject* element) {
  ShapeAreaArray* areas = nullptr;
  if (element == nullptr || !GetLinkAreas(&areas)) return -1;
  for (uint32_t i = 0; i < areas->Count(); ++i)
    if (areas->At(i)->control.Get() == element) return static_cast<int32_t>(i);
  return -1;
}

int32_t LayoutContext::CountLinks() {
  ShapeAreaArray* areas = nullptr;
  if (!GetLinkAreas(&areas)) return 0;
  int32_t count = 0;
  for (uint32_t i = 0; i < areas->Count(); ++i)
    if (CarriesAction(*areas->At(i))) ++count;
  return count;
}

int32_t LayoutContext::NextLinkIndex(int32_t n) {
  ShapeAreaArray* areas = nullptr;
  if (!GetLinkAreas(&areas)) return -1;
  for (int64_t i = int64_t{n} + 1; i < areas->Count(); ++i) {
    if (i < 0) continue;
    if (CarriesAction(*areas->At(static_cast<uint32_t>(i)))) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t LayoutContext::PreviousLinkIndex(int32_t n) {
  ShapeAreaArray* areas = nullptr;
  if (!GetLinkAreas(&areas)) return -1;
  int64_t i = n > static_cast<int64_t>(areas->Count()) ? areas->Count() : n;
  for (--i; i >= 0; --i)
    if (CarriesAction(*areas->At(static_cast<uint32_t>(i)))) return static_cast<int32_t>(i);
  return -1;
}

int32_t LayoutContext::LinkAreaCount() const {
  for (const LaidOutPage& page : pages_)
    if (page.frame != nullptr && page.frame->start == currentKey_ && page.linkAreasBuilt)
      return static_cast<int32_t>(page.linkAreas.Count());
  return 0;
}

void LayoutContext::ClearLinkAreas() {
  rememberedLink_ = -1;
  // An image of this page shows the old areas' marks: it is drawn anew.
  if (display_ != nullptr && display_->HasPageImage(documentStamp_, currentKey_)) display_->ForgetPageImage();
  LaidOutPage* page = ShownPage();
  if (page == nullptr) return;
  page->linkAreas.Clear();
  page->linkAreasBuilt = false;
}

bool LayoutContext::AddScriptArea(const Rect& rect, const char* script) {
  LaidOutPage* page = ShownPage();
  return page != nullptr && ::AddScriptArea(&page->linkAreas, rect, script);
}

bool LayoutContext::AddTipArea(const Rect& rect, const SharedWideString& text, int32_t number) {
  LaidOutPage* page = ShownPage();
  return page != nullptr && ::AddTipArea(&page->linkAreas, rect, text, number);
}

int32_t LayoutContext::GetPageFirstLink() {
  PageFrame* frame = CurrentFrame();
  return frame != nullptr ? frame->linkIndex : -1;
}

void LayoutContext::ShowLinkFocus(bool show, const ShapeArea* area) {
  if (area == nullptr) return;
  InlineObject* control = area->control.Get();
  if (control == nullptr) return;  // the view keeps the focus of plain links
  if (show) {
    control->TakeFocus();
  } else {
    control->DropFocus();
  }
}

// The focus frame of area n: its pixels inverted (drawn twice it is gone).
// A form control's area shows its own focus and is not framed.
void LayoutContext::PaintLinkFocus(LaidOutPage* page, int32_t n) {
  DrawingSurface* surface = font_.surface;
  if (surface == nullptr || page == nullptr || !page->painted || !page->linkAreasBuilt || n < 0 ||
      static_cast<uint32_t>(n) >= page->linkAreas.Count())
    return;
  const ShapeArea& area = *page->linkAreas.At(static_cast<uint32_t>(n));
  if (area.control.Get() != nullptr) return;
  area.PaintOutline(surface);
}

void LayoutContext::SetCurrentLink(int32_t n, bool remember, bool reveal) {
  PageFrame* frame = CurrentFrame();
  if (frame == nullptr) return;
  LaidOutPage* page = ShownPage();
  if (page != nullptr) BuildPageLinkAreas(page);
  const bool built = page != nullptr && page->linkAreasBuilt;
  if (n < -1) n = -1;
  if (built && n >= static_cast<int32_t>(page->linkAreas.Count())) n = static_cast<int32_t>(page->linkAreas.Count()) - 1;
  rememberedLink_ = remember ? frame->linkIndex : -1;
  if (n == frame->linkIndex) return;
  const int32_t old = frame->linkIndex;
  DrawingSurface* surface = font_.surface;
  const bool draw = built && page->painted && surface != nullptr;
  if (draw) surface->BeginDraw(false);
  if (built) {
    PaintLinkFocus(page, old);
    if (reveal && old >= 0 && static_cast<uint32_t>(old) < page->linkAreas.Count())
      ShowLinkFocus(false, page->linkAreas.At(static_cast<uint32_t>(old)));
  }
  frame->linkIndex = n;
  if (built) {
    PaintLinkFocus(page, n);
    if (reveal && n >= 0) ShowLinkFocus(true, page->linkAreas.At(static_cast<uint32_t>(n)));
  }
  if (draw) surface->EndDraw();
}

void LayoutContext::RestoreRememberedLink() {
  if (rememberedLink_ != -1) SetCurrentLink(rememberedLink_, false, false);
}
