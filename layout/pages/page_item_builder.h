// PageItemBuilder: the pager's way to the tag-to-layout builder. It hands
// each element to ReadLayoutItems with the page frame's open-element
// records and styles, and answers the builder's questions (the width of a
// space) from the pager's drawing surface.
#pragma once

#include "layout/builder/layout_builder.h"
#include "layout/pages/layout_context.h"

class PageItemBuilder : public LayoutItemBuilder, public LayoutBuilderHost {
 public:
  // What the builder reads besides the stream: defaults, the style of
  // BODY, pictures, forms and the offline log. The stream and the host are
  // set here.
  LayoutBuilderContext settings;

  bool ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) override;
  bool OpenFirstPage(ElementStream* stream, PageFrame* frame) override;
  int32_t MeasureSpace() override;
  // The context's answer: some books drop their rules.
  bool ShowsRules() override;

 private:
  LayoutContext* context_ = nullptr;
};
