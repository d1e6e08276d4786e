// WalkRange and its two visitors.
#include "layout/selection/range_walker.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "layout/lines/line_layout.h"
#include "layout/lines/line_records.h"
#include "layout/render/annotation_painter.h"
#include "layout/render/page_renderer.h"
#include "layout/selection/text_units.h"
#include "layout/widetables/wide_tables.h"

namespace {

// One stretch being gathered: the x-span on the current line and the
// rectangles of the lines before.
class Stretch {
 public:
  ~Stretch() { DeleteRectList(&rects_); }
  bool IsOpen() const { return open_; }
  void Open() {
    open_ = true;
    count_ = 0;
    hasSpan_ = false;
  }
  void Extend(int32_t left, int32_t right) {
    if (!hasSpan_) {
      left_ = left;
      right_ = right;
      hasSpan_ = true;
      return;
    }
    if (left < left_) left_ = left;
    if (right > right_) right_ = right;
  }
  void Widen(int32_t by) {
    if (hasSpan_) right_ += by;
  }
  // The span of the line becomes a rectangle on it, cut at the clip of a
  // scrolled table.
  bool FlushLine(const Rect& line, const Rect* clip) {
    if (!open_ || !hasSpan_) return true;
    hasSpan_ = false;
    if (right_ <= left_) return true;
    Rect rect{left_, line.y, right_ - left_, line.height};
    if (clip != nullptr && !Rect::Intersect(rect, *clip, &rect)) return true;
    if (rect.width <= 0 || rect.height <= 0) return true;
    if (count_++ == 0) {
      first_ = rect;
      return true;
    }
    if (count_ == 2 && !AppendRectToList(&rects_, first_)) return false;
    return AppendRectToList(&rects_, rect);
  }
  // Ends the stretch: its area appended when it holds rectangles.
  bool Close(const Rect& line, const Rect* clip, RangeVisitor* visitor, ShapeAreaArray* areas) {
    if (!open_) return true;
    bool ok = FlushLine(line, clip);
    open_ = false;
    if (!ok || count_ == 0) {
      DeleteRectList(&rects_);
      return ok;
    }
    ShapeArea* area = areas->AppendSlot();
    if (area == nullptr) {
      DeleteRectList(&rects_);
      return false;
    }
    if (count_ == 1) {
      area->SetRectangle(first_);
      area->SetBounds(first_);
    } else {
      Rect bounds = first_;
      area->SetRectList(TakeRectList(&rects_));
      area->GetBoundingBox(&bounds);
      area->SetBounds(bounds);
    }
    visitor->FillArea(area);
    return true;
  }

 private:
  bool open_ = false;
  bool hasSpan_ = false;
  int32_t left_ = 0;
  int32_t right_ = 0;
  uint32_t count_ = 0;
  Rect first_;
  SegmentedArray* rects_ = nullptr;
};

// The text band of a line: its height less the space above and below.
Rect LineBand(const LineRecord& line) {
  return Rect{line.x, line.y + line.spaceAbove, line.leftIndent + line.width + line.rightIndent,
              line.height - line.spaceAbove - line.spaceBelow};
}

}  // namespace

void TableShiftTracker::OnItem(const LayoutCursor& at) {
  const uint32_t kind = at.KindAt();
  if (kind == kTableItem) {
    if (depth_++ != 0 || tables_ == nullptr) return;
    const TableItem& table = *static_cast<const TableItem*>(at.store->fixed[kTableItem].At(at.index[kTableItem]));
    const Rect box{table.placedX, table.placedY, table.width < table.spaceWidth ? table.width : table.spaceWidth,
                   table.shownHeight};
    const uint32_t position = at.store->PositionAt(at);
    Rect viewport;
    Point shift;
    if (tables_->Find(position) != nullptr && tables_->GetTableOffset(box, position, &viewport, &shift)) {
      shift_ = shift;
      clip_ = viewport;
      clipping_ = true;
    }
    return;
  }
  if (kind == kMarkItem && depth_ > 0 && (MarkAt(at)->code == kMarkTableEnd || MarkAt(at)->code == kMarkTextEnd)) {
    if (--depth_ == 0) {
      shift_ = Point{};
      clipping_ = false;
    }
  }
}

bool TableShiftTracker::Place(const Rect& r, Rect* out) const {
  *out = Move(r);
  if (!clipping_) return true;
  return Rect::Intersect(*out, clip_, out) && out->width > 0 && out->height > 0;
}

bool LinkAreaVisitor::OnItem(const LayoutCursor& at, bool* open) {
  *open = false;
  if (at.KindAt() == kStyleRunItem) runLink_.Assign(StyleRunAt(at)->link.Get());
  if (painter_ != nullptr) painter_->Advance(at.store->PositionAt(at), true);
  LinkAction* link = runLink_.Get();
  if (link == nullptr && painter_ != nullptr && painter_->HasNote()) link = painter_->NoteAction().Get();
  current_.Assign(link);
  if (link == open_.Get()) return false;
  // The ending stretch keeps its own link; the new one opens after it.
  closing_.Assign(open_.Get());
  closingSet_ = open_.Get() != nullptr;
  open_.Assign(link);
  *open = link != nullptr;
  return true;
}

void LinkAreaVisitor::FillArea(ShapeArea* area) {
  area->SetLink(closingSet_ ? closing_.Get() : open_.Get());
  closingSet_ = false;
  closing_.Assign(nullptr);
}

bool WalkRange(LayoutItemStore* page, ShapeAreaArray* areas, RangeVisitor* visitor, const LayoutCursor& from,
               const LayoutCursor& to, bool withObjects, WideTables* tables) {
  Stretch stretch;
  Rect line;
  TableShiftTracker shift(tables);
  Rect lineClip;
  bool lineClipped = false;
  bool started = false;
  for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
    if (!CursorBefore(at, to)) break;
    shift.OnItem(at);
    const uint32_t kind = at.KindAt();
    if (kind == kLineItem) {
      if (!stretch.FlushLine(line, lineClipped ? &lineClip : nullptr)) return false;
      line = shift.Move(LineBand(*LineAt(at)));
      lineClipped = shift.Clip() != nullptr;
      if (lineClipped) lineClip = *shift.Clip();
    }
    if (CursorBefore(at, from)) {
      // Before the range only the visitor's state moves on.
      bool open = false;
      visitor->OnItem(at, &open);
      continue;
    }
    if (!started) {
      started = true;
      if (visitor->StartsAt(at)) stretch.Open();
    }
    bool open = false;
    if (visitor->OnItem(at, &open) && !stretch.Close(line, lineClipped ? &lineClip : nullptr, visitor, areas))
      return false;
    if (open && !stretch.IsOpen()) stretch.Open();
    switch (kind) {
      case kTextItem: {
        const LayoutItem& item = *TextAt(at);
        const int32_t x = item.layoutWords[0] + shift.Shift().x;
        if (stretch.IsOpen()) stretch.Extend(x, x + item.width);
        break;
      }
      case kMarkItem:
        if (MarkAt(at)->code == kMarkHyphen && stretch.IsOpen()) stretch.Widen(MarkAt(at)->value);
        break;
      case kObjectItem: {
        const LayoutObject& object = *ObjectAt(at);
        Rect box{object.words[kObjectPlacedX], object.words[kObjectPlacedY], object.words[kObjectPlacedWidth],
                 object.words[kObjectPlacedHeight]};
        // Floating objects are placed in the page, not in the table.
        if (object.words[kObjectAlignment] != 1) box = shift.Move(box);
        if (withObjects && object.object && object.object->IsTappable()) {
          if (shift.Clip() != nullptr && !Rect::Intersect(box, *shift.Clip(), &box)) break;
          ShapeArea* area = areas->AppendSlot();
          if (area == nullptr) return false;
          area->SetRectangle(box);
          area->SetBounds(box);
          area->SetControl(object.object.Get());
        } else if (stretch.IsOpen()) {
          stretch.Extend(box.x, box.x + box.width);
        }
        break;
      }
      default:
        break;
    }
  }
  return stretch.Close(line, lineClipped ? &lineClip : nullptr, visitor, areas);
}

bool BuildLinkAreas(LayoutItemStore* page, LinkAction* initialLink, AnnotationPainter* painter,
                    ShapeAreaArray* areas, WideTables* tables) {
  areas->Clear();
  // Each scrolled table's scroll marks first: select, left, right.
  if (tables != nullptr) {
    uint32_t depth = 0;
    for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
      if (at.KindAt() == kTableItem && depth++ == 0) {
        const TableItem& table = *static_cast<const TableItem*>(page->fixed[kTableItem].At(at.index[kTableItem]));
        const uint32_t position = page->PositionAt(at);
        const Rect box{table.placedX, table.placedY,
                       table.width < table.spaceWidth ? table.width : table.spaceWidth, table.shownHeight};
        if (tables->Find(position) != nullptr && !tables->AddTableScrollAreas(areas, box, position)) {
          areas->Clear();
          return false;
        }
      } else if (at.KindAt() == kMarkItem && depth > 0 &&
                 (MarkAt(at)->code == kMarkTableEnd || MarkAt(at)->code == kMarkTextEnd)) {
        --depth;
      }
    }
  }
  LinkAreaVisitor visitor(initialLink, painter);
  if (WalkRange(page, areas, &visitor, LayoutCursor::Begin(page), LayoutCursor::End(page), true, tables)) return true;
  areas->Clear();
  return false;
}

bool AddNoteArea(ShapeAreaArray* areas, uint32_t bookmark, const Rect& rect) {
  LinkAction* action = new (std::nothrow) LinkAction;
  if (action == nullptr) return false;
  action->SetNumberPairReference(25, 71, reinterpret_cast<void*>(static_cast<uintptr_t>(bookmark)));
  ShapeArea* area = areas->AppendSlot();
  if (area != nullptr) {
    area->SetRectangle(rect);
    area->SetBounds(rect);
    area->SetLink(action);
  }
  action->Release();
  return area != nullptr;
}

namespace {

// Appends an area whose action runs the script.
bool AppendScriptArea(ShapeAreaArray* areas, const Rect& rect, const SharedWideString& script) {
  LinkAction* action = new (std::nothrow) LinkAction;
  if (action == nullptr) return false;
  action->kind = LinkAction::kScript;
  action->target.Assign(script);
  ShapeArea* area = areas->AppendSlot();
  if (area != nullptr) {
    area->SetRectangle(rect);
    area->SetBounds(rect);
    area->SetLink(action);
  }
  action->Release();
  return area != nullptr;
}

}  // namespace

bool AddScriptArea(ShapeAreaArray* areas, const Rect& rect, const char* script) {
  SharedWideString text;
  return text.FromLatin1(reinterpret_cast<const uint8_t*>(script), static_cast<uint32_t>(std::strlen(script))) &&
         AppendScriptArea(areas, rect, text);
}

bool AddTipArea(ShapeAreaArray* areas, const Rect& rect, const SharedWideString& text, int32_t number) {
  SharedWideString script;
  const char16_t kOpen[] = u"display_tip(\"";
  bool ok = script.AppendChars(reinterpret_cast<const WCHAR*>(kOpen), 13);
  for (uint32_t i = 0; ok && i < text.length; ++i) {
    const WCHAR c = text.Chars()[i];
    WCHAR escaped[6];
    uint32_t n = 0;
    escaped[n++] = u'\\';
    switch (c) {
      case u'"':
      case u'\\':
        escaped[n++] = c;
        break;
      case u'\n':
        escaped[n++] = u'n';
        break;
      case u'\r':
        escaped[n++] = u'r';
        break;
      case u'\t':
        escaped[n++] = u't';
        break;
      default:
        if (c < 0x20) {
          static const char kHex[] = "0123456789abcdef";
          escaped[n++] = u'x';
          escaped[n++] = static_cast<WCHAR>(kHex[c >> 4]);
          escaped[n++] = static_cast<WCHAR>(kHex[c & 15]);
        } else {
          escaped[0] = c;
        }
        break;
    }
    ok = script.AppendChars(escaped, n);
  }
  char tail[20];
  const int length = std::snprintf(tail, sizeof tail, "\",%d)", number);
  SharedWideString end;
  ok = ok && length > 0 && end.FromLatin1(reinterpret_cast<const uint8_t*>(tail), static_cast<uint32_t>(length)) &&
       script.Append(end);
  return ok && AppendScriptArea(areas, rect, script);
}
