// What the parts of the builder share: writing marks and placed objects
// into the page's store, the style of the open element, and the records of
// table items made from the current tag's attributes.
#pragma once

#include <cstdint>

#include "layout/builder/layout_builder.h"
#include "layout/items/layout_records.h"

class TokenSource;

namespace layout_builder {

bool AppendMark(LayoutPageBuilder* page, int16_t code, int32_t value, uint8_t flags, uint32_t position);

// The style of the top record, or the base style with no record open.
const ElementStyle& TopStyle(const LayoutBuilderContext& context, const LayoutPageBuilder& page);

// Places an object as a kind-9 item (the reference is the caller's, who
// keeps it); `box` holds the width, height and spacing already worked out.
struct ObjectPlacement {
  StyleLength width = 0;
  StyleLength height = 0;
  int32_t horizontalSpace = 0;
  int32_t verticalSpace = 0;
  int32_t alignment = 3;
  int32_t descent = 0;
  uint8_t flags = 0;
};
bool AppendObject(LayoutPageBuilder* page, InlineObject* object, const ObjectPlacement& placement,
                  uint32_t position);

// Table, row and cell records from the current TABLE, TR, TD or TH.
TableItem MakeTableItem(TokenSource& tag);
TableRowItem MakeTableRowItem(TokenSource& tag);
TableCellItem MakeTableCellItem(TokenSource& tag);

}  // namespace layout_builder
