// PageItemBuilder: one element at a time into the page being built.
#include "layout/pages/page_item_builder.h"

#include "layout/drawing/drawing_surface.h"

bool PageItemBuilder::ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) {
  context_ = context;
  LayoutBuilderContext builder = settings;
  builder.stream = context->Stream();
  builder.host = this;
  LayoutPageBuilder page;
  page.records = &pair->frame->records;
  page.styles = &pair->frame->styles;
  page.store = pair->store;
  const bool ok = ::ReadLayoutItems(builder, &page, position);
  if (page.applyStyle) pair->applyStyle = true;
  return ok;
}

bool PageItemBuilder::OpenFirstPage(ElementStream* stream, PageFrame* frame) {
  if (!frame->records.Push(*stream)) return false;
  static const ElementStyle kPlain;
  return frame->styles.Append(settings.baseStyle != nullptr ? *settings.baseStyle : kPlain);
}

int32_t PageItemBuilder::MeasureSpace() {
  DrawingSurface* surface = context_ != nullptr ? context_->Font().surface : nullptr;
  if (surface == nullptr) return 1;
  static constexpr WCHAR kSpace[] = {u' '};
  Size size{};
  return surface->MeasureText(kSpace, 1, &size) && size.width > 0 ? size.width : 1;
}

bool PageItemBuilder::ShowsRules() { return context_ == nullptr || context_->ShowsRules(); }
