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
  // The span of the line becomes a rectangle on it.
  bool FlushLine(const Rect& line) {
    if (!open_ || !hasSpan_) return true;
    hasSpan_ = false;
    if (right_ <= left_) return true;
    const Rect rect{left_, line.y, right_ - left_, line.height};
    if (count_++ == 0) {
      first_ = rect;
      return true;
    }
    if (count_ == 2 && !AppendRectToList(&rects_, first_)) return false;
    return AppendRectToList(&rects_, rect);
  }
  // Ends the stretch: its area appended when it holds rectangles.
  bool Close(const Rect& line, RangeVisitor* visitor, ShapeAreaArray* areas) {
    if (!open_) return true;
    bool ok = FlushLine(line);
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
               const LayoutCursor& to, bool withObjects) {
  Stretch stretch;
  Rect line;
  bool started = false;
  for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
    if (!CursorBefore(at, to)) break;
    const uint32_t kind = at.KindAt();
    if (kind == kLineItem) {
      if (!stretch.FlushLine(line)) return false;
      line = LineBand(*LineAt(at));
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
    if (visitor->OnItem(at, &open) && !stretch.Close(line, visitor, areas)) return false;
    if (open && !stretch.IsOpen()) stretch.Open();
    switch (kind) {
      case kTextItem: {
        const LayoutItem& item = *TextAt(at);
        if (stretch.IsOpen()) stretch.Extend(item.layoutWords[0], item.layoutWords[0] + item.width);
        break;
      }
      case kMarkItem:
        if (MarkAt(at)->code == kMarkHyphen && stretch.IsOpen()) stretch.Widen(MarkAt(at)->value);
        break;
      case kObjectItem: {
        const LayoutObject& object = *ObjectAt(at);
        const Rect box{object.words[kObjectPlacedX], object.words[kObjectPlacedY], object.words[kObjectPlacedWidth],
                       object.words[kObjectPlacedHeight]};
        if (withObjects && object.object && object.object->IsTappable()) {
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
  return stretch.Close(line, visitor, areas);
}

bool BuildLinkAreas(LayoutItemStore* page, LinkAction* initialLink, AnnotationPainter* painter,
                    ShapeAreaArray* areas) {
  areas->Clear();
  LinkAreaVisitor visitor(initialLink, painter);
  if (WalkRange(page, areas, &visitor, LayoutCursor::Begin(page), LayoutCursor::End(page), true)) return true;
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
