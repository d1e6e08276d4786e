// Table, row and cell items: the box of each from the tag's attributes.
#include <initializer_list>

#include "layout/builder/builder_rules.h"
#include "layout/builder/layout_builder_items.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"

namespace layout_builder {

namespace {

// Border widths from BORDER that the border word cannot hold count as 1.
constexpr uint32_t kLargestBorder = 4094;

Color HalfOf(Color color) {
  uint8_t r = 0, g = 0, b = 0;
  color.ToRgb(&r, &g, &b);
  return Color::FromRgb(static_cast<uint8_t>(r / 2), static_cast<uint8_t>(g / 2), static_cast<uint8_t>(b / 2));
}

// BGCOLOR, BORDER and VALIGN, shared by tables, rows and cells; margins and
// paddings stay unset.
BoxStyle BoxFromAttributes(TokenSource& tag) {
  BoxStyle box;
  uint32_t value = 0;
  if (tag.GetAttributeValue(kMarkupBgcolor, &value)) box.background = Color{value};
  if (tag.GetAttributeValue(kMarkupBorder, &value) && value != 0) {
    const uint32_t width = value > kLargestBorder ? 1 : value;
    const Color color = box.background.IsNone() ? Color::FromRgb(0, 0, 0) : HalfOf(box.background);
    box.SetBorders(width, 1, color);
  }
  if (tag.GetAttributeValue(kMarkupValign, &value)) box.verticalAlignment = static_cast<int32_t>(value);
  return box;
}

StyleLength LengthOf(TokenSource& tag, uint32_t attribute) {
  uint32_t value = 0;
  return tag.GetAttributeValue(attribute, &value) ? value : kStyleLengthUnset;
}

}  // namespace

TableItem MakeTableItem(TokenSource& tag) {
  TableItem table;
  table.box = BoxFromAttributes(tag);
  table.givenWidth = LengthOf(tag, kMarkupWidth);
  table.givenHeight = LengthOf(tag, kMarkupHeight);
  uint32_t padding = 0;
  if (tag.GetAttributeValue(kMarkupCellpadding, &padding)) table.cellPadding = padding;
  return table;
}

TableRowItem MakeTableRowItem(TokenSource& tag) {
  TableRowItem row;
  row.box = BoxFromAttributes(tag);
  row.givenHeight = LengthOf(tag, kMarkupHeight);
  return row;
}

TableCellItem MakeTableCellItem(TokenSource& tag) {
  TableCellItem cell;
  cell.box = BoxFromAttributes(tag);
  cell.givenWidth = LengthOf(tag, kMarkupWidth);
  cell.givenHeight = LengthOf(tag, kMarkupHeight);
  uint32_t span = 0;
  const bool hasColumns = tag.GetAttributeValue(kMarkupColspan, &span);
  cell.columnSpan = ClampColumnSpan(hasColumns, span);
  span = 0;
  const bool hasRows = tag.GetAttributeValue(kMarkupRowspan, &span);
  cell.rowSpan = ClampRowSpan(hasRows, span);
  return cell;
}

}  // namespace layout_builder
