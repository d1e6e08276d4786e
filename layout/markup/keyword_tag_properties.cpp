// The content-class rules of the implicit closing, one row per class.
#include "layout/markup/keyword_tag_properties.h"

namespace {

constexpr uint32_t kAllowedChildren[kContentClassCount] = {
    0xFFFF6A8F,  // 0 inline
    0xFFFF6A8F,  // 1 heading-like block
    0x00020004,  // 2 block content
    0xFFFF6A8F,  // 3 document sections
    0x0003FE87,  // 4 TD, TH
    0x00000010,  // 5 TR
    0x00000020,  // 6 THEAD, TFOOT, TBODY
    0x00000060,  // 7 TABLE
    0xFFFF6A8F,  // 8 HTML
    0x00000400,  // 9 DL
    0xFFFF6A8F,  // 10 DT, DD
    0xFFFF7A8F,  // 11 UL, OL
    0xFFFF6A8F,  // 12 LI
    0xFFFF6A8F,  // 13 FORM
    0x00008000,  // 14 form controls
    0x00008000,  // 15 OPTGROUP, OPTION
    0xFFFF6A8F,  // 16 DIV
    0x00000000,  // 17 raw content
};

// {column 0: opening tag, column 1: closing tag or sibling-closed opening tag}
constexpr uint32_t kPassOver[kContentClassCount][2] = {
    {0, 0x00000001},           // 0
    {0, 0x0000DE07},           // 1
    {0, 0x00000004},           // 2
    {0x0003FEF7, 0x0003FEF7},  // 3
    {0x0003FE17, 0x0003FE17},  // 4
    {0x0003FE37, 0x0003FE37},  // 5
    {0x0003FE77, 0x0003FE77},  // 6
    {0, 0x0003FE77},           // 7
    {0, 0},                    // 8
    {0, 0x0003FE07},           // 9
    {0x0003FE07, 0x0003FE07},  // 10
    {0, 0x0003FE07},           // 11
    {0, 0x00001007},           // 12
    {0, 0x0003FEF7},           // 13
    {0, 0x00008000},           // 14
    {0, 0x00008000},           // 15
    {0x0000DE07, 0x0000DE07},  // 16
    {0, 0x00020000},           // 17
};

}  // namespace

uint32_t AllowedChildClasses(uint32_t parentClass) {
  return parentClass < kContentClassCount ? kAllowedChildren[parentClass] : 0;
}

uint32_t PassOverClasses(uint32_t tagClass, bool closingOrSiblingClosed) {
  return tagClass < kContentClassCount ? kPassOver[tagClass][closingOrSiblingClosed ? 1 : 0] : 0;
}
