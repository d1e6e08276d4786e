// The tag handler: horizontal rules, pictures, skipped elements, form
// controls, and the common placement of rules and pictures.
#include "layout/builder/builder_rules.h"
#include "layout/builder/layout_builder_items.h"
#include "layout/items/layout_item_store.h"
#include "layout/markup/attribute_value.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/objects/horizontal_rule.h"
#include "layout/objects/picture_loading.h"
#include "layout/styles/element_style_records.h"
#include "platform/memory/allocator.h"

using namespace layout_builder;

namespace {

// ALIGN=LEFT or RIGHT floats the object (1); another ALIGN that is a
// VALIGN keyword gives that value; otherwise the baseline (3), where
// DESCENT says how far the object reaches below it.
void ObjectAlignment(TokenSource& tag, ObjectPlacement* placement) {
  uint32_t value = 0;
  SharedWideString text;
  if (tag.GetAttributeValue(kMarkupAlign, &value) && (value == 1 || value == 2)) {
    placement->alignment = 1;
  } else if (tag.GetAttributeText(kMarkupAlign, &text) &&
             ParseAttributeValue(kMarkupValign, text.Chars(), text.length, &value)) {
    placement->alignment = static_cast<int32_t>(value);
  } else {
    placement->alignment = 3;
  }
  placement->descent = 0;
  if (placement->alignment == 3 && tag.GetAttributeValue(kMarkupDescent, &value))
    placement->descent = static_cast<int32_t>(value & 0x7FFFFFFFu);
}

bool IsPixels(StyleLength length) { return (length & (kStyleLengthUnitMask | kStyleLengthUnset)) == 0; }

// The common placement of rules and pictures: WIDTH and HEIGHT against the
// object's natural size (never enlarged; one dimension given, the other
// follows the aspect ratio), and the space around it from BORDER, HSPACE
// and VSPACE. A percentage or font-size multiple is kept as given, for the
// line layout to resolve. A rule's WIDTH is its own (it centres itself in
// the line), so its placement keeps the natural, line-wide width.
void PlaceCommon(TokenSource& tag, InlineObject* object, bool isRule, ObjectPlacement* placement) {
  Size natural;
  bool scalable = false, second = false;
  object->QueryPlacement(&natural, &scalable, &second);
  // A rule's height is its own: its width never follows it.
  if (isRule) scalable = false;
  uint32_t width = 0, height = 0;
  bool hasWidth = !isRule && tag.GetAttributeValue(kMarkupWidth, &width);
  bool hasHeight = tag.GetAttributeValue(kMarkupHeight, &height);
  const bool widthInPixels = !hasWidth || IsPixels(width);
  const bool heightInPixels = !hasHeight || IsPixels(height);
  if (widthInPixels && heightInPixels) {
    int32_t placedWidth = 0, placedHeight = 0;
    PlaceObjectSize(natural.width, natural.height, scalable, hasWidth, StyleLengthNumber(width), hasHeight,
                    StyleLengthNumber(height), &placedWidth, &placedHeight);
    placement->width = MakeStyleLength(placedWidth, 0);
    placement->height = MakeStyleLength(placedHeight, 0);
  } else {
    placement->width = hasWidth ? width : MakeStyleLength(natural.width, 0);
    placement->height = hasHeight ? height : MakeStyleLength(natural.height, 0);
  }
  uint32_t value = 0;
  const int32_t around = tag.GetAttributeValue(kMarkupBorder, &value) && value == 0 ? 0 : 1;
  placement->horizontalSpace = around;
  placement->verticalSpace = around;
  if (tag.GetAttributeValue(kMarkupHspace, &value)) placement->horizontalSpace = static_cast<int32_t>(value);
  if (tag.GetAttributeValue(kMarkupVspace, &value)) placement->verticalSpace = static_cast<int32_t>(value);
  placement->flags = kObjectFit;
  if (!isRule && scalable) placement->flags |= kObjectKeepAspect;
}

bool PlaceRule(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  if (context.host != nullptr && !context.host->ShowsRules()) return true;
  TokenSource& tag = *context.stream;
  HorizontalRule* rule = DeviceNew<HorizontalRule>();
  if (rule == nullptr) return false;
  uint32_t value = 0;
  if (tag.GetAttributeValue(kMarkupColor, &value)) rule->SetColor(Color{value});
  if (tag.GetAttributeValue(kMarkupWidth, &value)) rule->SetWidth(value);
  ObjectPlacement placement;
  PlaceCommon(tag, rule, true, &placement);
  const bool placed = AppendObject(page, rule, placement, position);
  rule->Release();
  return placed;
}

// RECINDEX, or LORECINDEX on a small screen and HIRECINDEX on a large one
// when the tag has them; -1 without any.
int32_t PictureRecord(const LayoutBuilderContext& context, TokenSource& tag) {
  uint32_t value = 0;
  int32_t record = tag.GetAttributeValue(kMarkupRecindex, &value) ? static_cast<int32_t>(value & 0x7FFFFFFFu) : -1;
  const Size screen = context.host != nullptr ? context.host->ScreenSize() : Size{240, 320};
  const bool small = screen.width < 240 || screen.height < 240;
  const bool large = (screen.width > 639 && screen.height > 479) || (screen.width > 479 && screen.height > 639);
  if (small && tag.GetAttributeValue(kMarkupLorecindex, &value)) record = static_cast<int32_t>(value & 0x7FFFFFFFu);
  if (large && tag.GetAttributeValue(kMarkupHirecindex, &value)) record = static_cast<int32_t>(value & 0x7FFFFFFFu);
  return record;
}

bool PlacePicture(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  TokenSource& tag = *context.stream;
  ObjectPlacement placement;
  ObjectAlignment(tag, &placement);
  SharedWideString source;
  tag.GetAttributeText(kMarkupSrc, &source);
  const int32_t record = PictureRecord(context, tag);
  // A picture record of the book, or else the picture at the SRC address.
  InlineObject* picture = nullptr;
  if (record >= 0) {
    picture = LoadInlineImage(context.source, record, 0);
  } else if (source.length != 0) {
    picture = LoadPictureByAddress(context.pictureLoader, source, context.baseAddress, record);
  }
  if (picture == nullptr) return true;  // not loaded: nothing shows, and that is no error
  PlaceCommon(tag, picture, false, &placement);
  // The link of the text around it; a picture shown smaller than it is and
  // without a link opens whole when tapped.
  // (A size in percent is known only to the line layout, which sets it
  // again; until then the picture counts as shown whole.)
  Size placed{StyleLengthNumber(placement.width), StyleLengthNumber(placement.height)};
  if (!IsPixels(placement.width) || !IsPixels(placement.height)) {
    bool scalable = false, second = false;
    picture->QueryPlacement(&placed, &scalable, &second);
  }
  picture->SetLink(placed, TopStyle(context, *page).text.link.Get());
  const bool appended = AppendObject(page, picture, placement, position);
  picture->Release();
  return appended;
}

// INPUT, SELECT, TEXTAREA and LABEL: the control of the nearest open FORM
// (by its NAME), or of the form that holds the position.
bool PlaceFormControl(const LayoutBuilderContext& context, LayoutPageBuilder* page, uint32_t position) {
  ElementStream& stream = *context.stream;
  FormControlServices* forms = context.forms;
  HtmlForm* form = nullptr;
  if (forms != nullptr) {
    const ElementRecordStack& records = *page->records;
    const uint32_t formRecord = records.FindTag(kMarkupForm);
    if (formRecord != ElementRecordStack::kNoRecord) {
      SharedWideString name;
      records.AttributeText(formRecord, kMarkupName, &name);
      form = forms->FindForm(name, records, position);
    } else {
      form = forms->FormAtPosition(position);
    }
  }
  if (form == nullptr) {
    stream.SkipElement();
    return true;
  }
  int32_t setting = forms->GetDefaultSetting(4);
  InlineObject* control = forms->BuildControl(form, stream, position, &setting);
  if (control == nullptr) return true;
  Size size;
  bool scalable = false, second = false;
  if (!control->QueryPlacement(&size, &scalable, &second)) {
    control->Release();
    return false;
  }
  ObjectPlacement placement;
  ObjectAlignment(stream, &placement);
  placement.width = MakeStyleLength(size.width, 0);
  placement.height = MakeStyleLength(size.height, 0);
  placement.flags = kObjectRemeasure;
  const bool appended = AppendObject(page, control, placement, position);
  control->Release();
  return appended;
}

}  // namespace

namespace layout_builder {

bool AppendObject(LayoutPageBuilder* page, InlineObject* object, const ObjectPlacement& placement,
                  uint32_t position) {
  LayoutObject item;
  item.words[kObjectWidth] = static_cast<int32_t>(placement.width);
  item.words[kObjectHeight] = static_cast<int32_t>(placement.height);
  item.words[kObjectHSpace] = placement.horizontalSpace;
  item.words[kObjectVSpace] = placement.verticalSpace;
  item.words[kObjectAlignment] = placement.alignment;
  item.words[kObjectDescent] = placement.descent;
  item.flags = placement.flags;
  item.object.Assign(object);
  return page->store->AppendKind9(item, position, false);
}

}  // namespace layout_builder

bool HandleTag(const LayoutBuilderContext& context, LayoutPageBuilder* page, bool* continueSteps, uint32_t position) {
  *continueSteps = false;
  bool closing = false, selfContained = false;
  const uint32_t tag = context.stream->GetTag(&closing, &selfContained);
  switch (HandlingOfTag(tag)) {
    case TagHandling::kRule:
      return closing || PlaceRule(context, page, position);
    case TagHandling::kPicture:
      return closing || PlacePicture(context, page, position);
    case TagHandling::kSkipElement:
      if (!closing) context.stream->SkipElement();
      return true;
    case TagHandling::kForm:
      *continueSteps = !closing;
      return true;
    case TagHandling::kFormControl:
      return closing || PlaceFormControl(context, page, position);
    case TagHandling::kNothing:
      return true;
  }
  return true;
}
