// A small stand-in for the tag-to-layout builder, enough to page markup in
// tests and benchmarks: text runs become text items, white space a space
// mark of the width of one space, block tags paragraph ends, BR a line end,
// the end of the document the end-of-text mark. Styles are not resolved.
#pragma once

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/keyword_ids.h"
#include "layout/pages/layout_context.h"

class MarkupItemBuilder : public LayoutItemBuilder {
 public:
  bool ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) override {
    ElementStream* stream = context->Stream();
    LayoutItemStore* store = pair->store;
    switch (stream->GetKind()) {
      case kElementEnd:
        return AppendMark(store, kMarkTextEnd, 1, position);
      case kElementText:
      case kElementBreak: {
        LayoutItem item;
        item.text = stream->GetText();
        if (!store->AppendKind7(item, position, false)) return false;
        if (stream->GetKind() == kElementBreak) return AppendMark(store, kMarkSpace, 0, stream->GetPosition());
        return true;
      }
      case kElementSpace:
        return AppendMark(store, kMarkSpace, SpaceWidth(context), position);
      case kElementTag: {
        bool closing = false;
        bool selfContained = false;
        const uint32_t tag = stream->GetTag(&closing, &selfContained);
        if (tag == kMarkupBr) return AppendMark(store, kMarkLineEnd, 0, position);
        if ((tag == kMarkupScript || tag == kMarkupStyle) && !closing && !selfContained) {
          stream->SkipElement();
          return true;
        }
        if (tag == kMarkupP || tag == kMarkupDiv || tag == kMarkupLi || tag == kMarkupTr ||
            (tag >= kMarkupH1 && tag <= kMarkupH6))
          return AppendMark(store, kMarkParagraphEnd, 1, position);
        return true;
      }
      default:
        return true;
    }
  }

 private:
  int32_t SpaceWidth(LayoutContext* context) {
    if (spaceWidth_ == 0 && context->Font().surface != nullptr) {
      Size size{};
      static constexpr WCHAR kSpace[] = {u' '};
      context->Font().Apply(TextStyle{});
      if (context->Font().surface->MeasureText(kSpace, 1, &size)) spaceWidth_ = size.width;
    }
    return spaceWidth_ > 0 ? spaceWidth_ : 1;
  }
  int32_t spaceWidth_ = 0;
};
