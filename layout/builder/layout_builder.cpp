// ReadLayoutItems: one element of the stream turned into items, by its
// kind; for tags the general steps (breaks, styles pushed and popped, table
// parts, style changes, log marks) around the tag handler.
#include "layout/builder/layout_builder.h"

#include "foundation/characters/char_class.h"
#include "layout/builder/builder_rules.h"
#include "layout/builder/layout_builder_items.h"
#include "layout/items/layout_item_store.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_tag_properties.h"
#include "layout/objects/log_mark.h"
#include "layout/styles/element_style_records.h"
#include "layout/styles/style_resolution.h"
#include "platform/gdi/gdi.h"
#include "platform/memory/allocator.h"

using namespace layout_builder;

namespace {

constexpr WCHAR kZeroWidthNonJoiner = 0x200C;

bool TableOpen(const LayoutPageBuilder& page) {
  return page.records->FindTag(kMarkupTable) != ElementRecordStack::kNoRecord;
}

// The break of a block: from the break class of an opening tag or the
// role of a closing one. A line end that BR, HR or a page break make has
// the value 0 (it ends a line only when the line holds something).
bool AppendBlockBreak(LayoutPageBuilder* page, uint32_t tag, int32_t classOrRole, uint8_t flags,
                      uint32_t position) {
  const int32_t type = BreakTypeFor(classOrRole, TableOpen(*page));
  if (type < 0) return true;
  const bool breakElement = tag == kMarkupBr || tag == kMarkupHr || tag == kMarkupQvrPagebreak;
  const int32_t value = type == kMarkLineEnd && breakElement ? 0 : 1;
  return AppendMark(page, static_cast<int16_t>(type), value, flags, position);
}

// A text that lives in the document's blocks is copied: the page keeps its
// items after the stream gives the blocks back.
bool KeepText(const SharedWideString& text, SharedWideString* out) {
  if (text.buffer == nullptr || text.buffer->ownsData != 0) {
    *out = text;
    return true;
  }
  return out->FromChars(text.Chars(), text.length);
}

bool AppendText(LayoutPageBuilder* page, const SharedWideString& text, uint32_t position) {
  LayoutItem item;
  if (!KeepText(text, &item.text)) return false;
  return page->store->AppendKind7(item, position, false);
}

// Section colour, box and text style, in that order, as they changed.
bool AppendStyleChanges(LayoutPageBuilder* page, const ElementStyle& style, bool sectionChanged, bool opening,
                        bool boxChanged, bool paragraphStart, bool textChanged, uint32_t position) {
  if (sectionChanged) {
    SectionColorRecord section;
    section.color = style.rowColor;
    section.flag = opening ? 1 : 0;
    if (!page->store->AppendItem(kSectionColorItem, &section, position, false)) return false;
  }
  if (boxChanged) {
    ParagraphFormat format = ParagraphFormatOf(style);
    if (paragraphStart) format.boxFlags |= kBoxParagraphStart;
    if (!page->store->AppendItem(kParagraphFormatItem, &format, position, false)) return false;
  }
  if (textChanged) {
    if (!page->store->AppendKind8(style.text, position, false)) return false;
    page->applyStyle = true;
  }
  return true;
}

// Whether closing a block changes what the section colour shows: the row
// colours, the block backgrounds, the border flag, or (bordered) the
// border colours differ.
bool SectionColorChanged(const ElementStyle& closed, const ElementStyle& parent) {
  if (!(closed.rowColor == parent.rowColor) || !(closed.blockBackground == parent.blockBackground)) return true;
  if ((closed.boxFlags ^ parent.boxFlags) & kBoxBorder) return true;
  return (closed.boxFlags & kBoxBorder) != 0 && !(closed.borderColor == parent.borderColor);
}

bool ReadText(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  const SharedWideString& text = context.stream->GetText();
  if (text.length == 0) return true;
  const WCHAR first = text.Chars()[0];
  if (text.length == 1 && first == kZeroWidthNonJoiner) return AppendMark(page, kMarkSpace, 0, 0, position);
  // Every CJK character is a place where a line may break.
  if (IsCjkChar(first) && !AppendMark(page, kMarkSpace, 0, 0, position)) return false;
  return AppendText(page, text, position);
}

// A zero-width non-joiner: the text joined before it (if any), then a
// break opportunity where it ends.
bool ReadNonJoiner(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  const SharedWideString& text = context.stream->GetText();
  if (text.length != 0 && !AppendText(page, text, position)) return false;
  return AppendMark(page, kMarkSpace, 0, 0, context.stream->GetPosition());
}

bool ReadClosingTag(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t tag, uint32_t position) {
  ElementRecordStack& records = *page->records;
  // Only the element on top closes: tags that were never pushed (those of
  // the tag handler's classes, tags before BODY) leave the records alone.
  if (records.IsEmpty() || records.Tag(records.RecordAt(0)) != tag) return true;
  ElementStyleRecords& styles = *page->styles;
  const ElementStyle closed = TopStyle(context, *page);
  records.Pop();
  styles.Pop();
  if (tag == kMarkupHtml || tag == kMarkupBody) return true;

  const TagStyleEntry* entry = nullptr;
  if (!FindTagStyle(tag, &entry)) return true;
  const ElementStyle& parent = TopStyle(context, *page);
  const bool sectionChanged = SectionColorChanged(closed, parent);
  const bool startsBlock = closed.role != 0 || closed.breakClass != 0;
  if (startsBlock) {
    const uint8_t flags = closed.kind == kStyleBlock && sectionChanged ? LayoutMark::kClosesChangedBlock : 0;
    if (!AppendBlockBreak(page, tag, closed.role, flags, position)) return false;
  }
  if (IsHandledTagClass(tag)) return true;  // a closing FORM ends here
  // Back to the parent's style: its text style always, its box when the
  // element had a box of its own.
  return AppendStyleChanges(page, parent, closed.kind == kStyleSection && sectionChanged, false,
                            entry->kind != kStyleInline, false, true, position);
}

bool AppendTablePart(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t tag,
                     uint32_t position) {
  TokenSource& stream = *context.stream;
  switch (tag) {
    case kMarkupTable: {
      const TableItem table = MakeTableItem(stream);
      return page->store->AppendItem(kTableItem, &table, position, false);
    }
    case kMarkupTr: {
      const TableRowItem row = MakeTableRowItem(stream);
      return page->store->AppendItem(kTableRowItem, &row, position, false);
    }
    case kMarkupTd:
    case kMarkupTh: {
      const TableCellItem cell = MakeTableCellItem(stream);
      return page->store->AppendItem(kTableCellItem, &cell, position, false);
    }
    default:
      return true;  // THEAD, TBODY and TFOOT write nothing
  }
}

// An invisible mark that logs the LOGAS text whenever it is drawn.
bool AppendLogMark(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  if (context.offlineLog == nullptr) return true;
  SharedWideString value, text;
  if (!context.stream->GetAttributeText(kMarkupLogas, &value)) return true;
  if (!KeepText(value, &text)) return false;
  LogMark* mark = DeviceNew<LogMark>(text, context.offlineLog);
  if (mark == nullptr) return false;
  ObjectPlacement placement;
  const bool placed = AppendObject(page, mark, placement, position);
  mark->Release();
  return placed;
}

bool ReadOpeningTag(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t tag,
                    bool selfContained, uint32_t position) {
  ElementRecordStack& records = *page->records;
  // Before BODY nothing is laid out.
  if (records.IsEmpty() && tag != kMarkupBody) return true;
  const ElementStyle& parent = TopStyle(context, *page);
  ElementStyle style;
  StyleChanges changes;
  if (!ApplyAttributeStyle(*context.stream, *context.defaults, parent, &style, &changes)) return false;
  if (changes.startsBlock && !AppendBlockBreak(page, tag, style.breakClass, 0, position)) return false;
  if (IsHandledTagClass(tag)) {
    bool continueSteps = false;
    if (!HandleTag(context, page, &continueSteps, position)) return false;
    if (!continueSteps) return true;
  }
  if (selfContained) {
    // No content: its closing break follows at once, and its style, which
    // nothing would take back, is not written.
    return !changes.startsBlock || AppendBlockBreak(page, tag, style.role, 0, position);
  }
  // Only lack of memory makes a push fail (an element with too many
  // attributes keeps those that fit).
  if (!records.Push(*context.stream)) return false;
  if (!page->styles->Append(style)) {
    records.Pop();
    return false;
  }
  if (!AppendTablePart(context, page, tag, position)) return false;
  const bool sectionChanged = style.kind == kStyleSection && changes.rowColorChanged;
  if (!AppendStyleChanges(page, style, sectionChanged, true, changes.boxChanged, changes.startsBlock,
                          changes.textChanged, position))
    return false;
  return AppendLogMark(context, page, position);
}

bool ReadTag(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  bool closing = false, selfContained = false;
  const uint32_t tag = context.stream->GetTag(&closing, &selfContained);
  if (closing) return selfContained || ReadClosingTag(context, page, tag, position);
  return ReadOpeningTag(context, page, tag, selfContained, position);
}

bool ReadElement(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  switch (context.stream->GetKind()) {
    case kElementEnd:
      if (context.host != nullptr) context.host->RecordDocumentEnd(position);
      return AppendMark(page, kMarkTextEnd, 1, 1, position);
    case kElementText:
      return ReadText(context, page, position);
    case kElementSpace:
      return AppendMark(page, kMarkSpace, context.host != nullptr ? context.host->MeasureSpace() : 0, 0, position);
    case kElementBreak:
      return ReadNonJoiner(context, page, position);
    case kElementTag:
      return ReadTag(context, page, position);
    default:
      return true;
  }
}

}  // namespace

Size LayoutBuilderHost::ScreenSize() { return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

namespace layout_builder {

bool AppendMark(LayoutPageBuilder* page, int16_t code, int32_t value, uint8_t flags, uint32_t position) {
  LayoutMark mark;
  mark.code = code;
  mark.value = value;
  mark.flags = flags;
  return page->store->AppendItem(kMarkItem, &mark, position, false);
}

const ElementStyle& TopStyle(const LayoutBuilderContext& context, const LayoutPageBuilder& page) {
  const uint32_t count = page.styles->Count();
  return count != 0 ? page.styles->At(count - 1) : *context.baseStyle;
}

}  // namespace layout_builder

bool ReadLayoutItems(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  const bool ok = ReadElement(context, page, position);
  page->store->endPosition = context.stream->GetPosition();
  return ok;
}
