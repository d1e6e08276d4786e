// The builder's rules for breaks, tag handling, cell spans and object sizes.
#include "layout/builder/builder_rules.h"

#include "layout/markup/keyword_ids.h"

int32_t BreakTypeFor(int32_t classOrRole, bool tableOpen) {
  switch (classOrRole) {
    case 1: return 2;
    case 2: return 1;
    case 3: return tableOpen ? 2 : 0;
    case 4: return 3;
    case 5: return 4;
    case 6: return 5;
    default: return -1;
  }
}

TagHandling HandlingOfTag(uint32_t tagId) {
  switch (tagId) {
    case kMarkupHr: return TagHandling::kRule;
    case kMarkupImg: return TagHandling::kPicture;
    case kMarkupScript:
    case kMarkupMap:
    case kMarkupButton:
    case kMarkupStyle: return TagHandling::kSkipElement;
    case kMarkupForm: return TagHandling::kForm;
    case kMarkupInput:
    case kMarkupSelect:
    case kMarkupTextarea:
    case kMarkupLabel: return TagHandling::kFormControl;
    default: return TagHandling::kNothing;  // META, LINK, DC:TITLE, DC:LANGUAGE, feed tags, unknown
  }
}

uint32_t ClampColumnSpan(bool given, uint32_t value) {
  if (!given || value == 0) return 1;
  return value > 1000 ? 1000 : value;
}

uint32_t ClampRowSpan(bool given, uint32_t value) {
  if (!given || value == 0) return 1;
  return value > 65534 ? 65534 : value;
}

namespace {

int32_t Scaled(int64_t a, int64_t b, int64_t divisor) {
  int64_t v = a * b / divisor;
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

}  // namespace

void PlaceObjectSize(int32_t naturalWidth, int32_t naturalHeight, bool scalable, bool hasWidth, int32_t width,
                     bool hasHeight, int32_t height, int32_t* placedWidth, int32_t* placedHeight) {
  if (hasWidth && width > naturalWidth) hasWidth = false;
  if (hasHeight && height > naturalHeight) hasHeight = false;
  if (scalable && hasWidth && !hasHeight && naturalWidth != 0) {
    height = Scaled(naturalHeight, width, naturalWidth);
    hasHeight = true;
  } else if (scalable && hasHeight && !hasWidth && naturalHeight != 0) {
    width = Scaled(naturalWidth, height, naturalHeight);
    hasWidth = true;
  }
  *placedWidth = hasWidth ? width : naturalWidth;
  *placedHeight = hasHeight ? height : naturalHeight;
}
