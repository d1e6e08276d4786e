// ParseAttributeValue, attribute by attribute, with its helpers.
#include "layout/markup/attribute_value.h"

#include "foundation/language/language_tag.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_tables.h"

namespace {

struct Rgb {
  uint8_t red, green, blue, unused;
};

// The 16 colours of HTML 4.01, in the order of the value ids 1-16.
constexpr Rgb kColorTable[16] = {
    {0, 0, 0, 0},          {0xC0, 0xC0, 0xC0, 0}, {0x80, 0x80, 0x80, 0}, {0xFF, 0xFF, 0xFF, 0},
    {0x80, 0, 0, 0},       {0xFF, 0, 0, 0},       {0x80, 0, 0x80, 0},    {0xFF, 0, 0xFF, 0},
    {0, 0x80, 0, 0},       {0, 0xFF, 0, 0},       {0x80, 0x80, 0, 0},    {0xFF, 0xFF, 0, 0},
    {0, 0, 0x80, 0},       {0, 0, 0xFF, 0},       {0, 0x80, 0x80, 0},    {0, 0xFF, 0xFF, 0},
};

uint32_t MakeColor(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

bool IsSpace(WCHAR c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool IsDigit(WCHAR c) { return c >= '0' && c <= '9'; }
WCHAR Upper(WCHAR c) { return c >= 'a' && c <= 'z' ? static_cast<WCHAR>(c - 32) : c; }

bool Keyword(const WCHAR* text, uint32_t length, uint16_t* id) { return LookupValueKeyword(text, length, id); }

uint32_t Clamp(uint32_t n, uint32_t max) { return n > max ? max : n; }

bool ParseColor(const WCHAR* text, uint32_t length, uint32_t* value) {
  if (length != 0 && text[0] == '#') {
    uint32_t digits[6];
    if (length != 4 && length != 7) return false;
    for (uint32_t i = 1; i < length; ++i) {
      int32_t d = HexDigitValue(text[i]);
      if (d < 0) return false;
      digits[i - 1] = static_cast<uint32_t>(d);
    }
    if (length == 4) {
      *value = MakeColor(digits[0] * 17, digits[1] * 17, digits[2] * 17);
    } else {
      *value = MakeColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
    }
    return true;
  }
  uint16_t id = 0;
  if (!Keyword(text, length, &id) || id < kValueBlack || id > kValueAqua) return false;
  *value = ColorOfIndex(id - kValueBlack);
  return true;
}

// Decimal with an optional "%", "pt" or "em" (either case), blanks allowed
// before the suffix.
bool ParseLength(const WCHAR* text, uint32_t length, uint32_t* value) {
  uint32_t digits = 0;
  while (digits < length && IsDigit(text[digits])) ++digits;
  uint32_t number = 0;
  if (!ParseUnsignedDecimal(text, digits, &number)) return false;
  number = Clamp(number, kMaxLengthNumber);
  uint32_t i = digits;
  while (i < length && IsSpace(text[i])) ++i;
  uint32_t rest = length - i;
  if (rest == 0) {
    if (i != length) return false;
    *value = number;
    return true;
  }
  if (rest == 1 && text[i] == '%') {
    *value = number | kLengthPercent;
    return true;
  }
  if (rest == 2 && Upper(text[i]) == 'P' && Upper(text[i + 1]) == 'T') {
    *value = number;
    return true;
  }
  if (rest == 2 && Upper(text[i]) == 'E' && Upper(text[i + 1]) == 'M') {
    *value = number | kLengthEm;
    return true;
  }
  return false;
}

// An optional sign, then decimal digits: the magnitude and the sign.
bool ParseSigned(const WCHAR* text, uint32_t length, bool* hasSign, bool* negative, uint32_t* magnitude) {
  *hasSign = length != 0 && (text[0] == '+' || text[0] == '-');
  *negative = *hasSign && text[0] == '-';
  uint32_t skip = *hasSign ? 1 : 0;
  return ParseUnsignedDecimal(text + skip, length - skip, magnitude);
}

bool ParseFilePosition(const WCHAR* text, uint32_t length, uint32_t* value) {
  bool allX = true;
  for (uint32_t i = 0; i < length; ++i)
    if (text[i] != 'X' && text[i] != 'x') allX = false;
  if (allX) {
    *value = 0xFFFFFFFFu;
    return true;
  }
  bool hasSign = false, negative = false;
  uint32_t magnitude = 0;
  if (!ParseSigned(text, length, &hasSign, &negative, &magnitude)) return false;
  magnitude = Clamp(magnitude, 0x7FFFFFFFu);
  if (!hasSign) {
    *value = magnitude;
    return true;
  }
  uint32_t signedValue = negative ? 0u - magnitude : magnitude;
  *value = signedValue | kFilePositionRelative;
  return true;
}

bool ParseRelative(const WCHAR* text, uint32_t length, uint32_t* value) {
  bool hasSign = false, negative = false;
  uint32_t magnitude = 0;
  if (!ParseSigned(text, length, &hasSign, &negative, &magnitude)) return false;
  magnitude = Clamp(magnitude, kMaxLengthNumber);
  if (!hasSign) {
    *value = magnitude;
    return true;
  }
  *value = (negative ? 0u - magnitude : magnitude) | kValueRelative;
  return true;
}

// A keyword of the value table mapped through pairs {keyword id, value}.
struct KeywordValue {
  uint16_t keyword;
  uint32_t value;
};

template <uint32_t kCount>
bool ParseChoice(const WCHAR* text, uint32_t length, const KeywordValue (&choices)[kCount], uint32_t* value) {
  uint16_t id = 0;
  if (!Keyword(text, length, &id)) return false;
  for (const KeywordValue& choice : choices) {
    if (choice.keyword == id) {
      *value = choice.value;
      return true;
    }
  }
  return false;
}

constexpr KeywordValue kAlign[] = {{kValueLeft, 1}, {kValueRight, 2}, {kValueCenter, 3}, {kValueJustify, 4},
                                   {kValuePoetry, 5}};
constexpr KeywordValue kEncoding[] = {{kValueXml, 0}, {kValueMultipartFormData, 2},
                                      {kValueApplicationXWwwFormUrlencoded, 1}};
constexpr KeywordValue kMethod[] = {{kValueGet, 1}, {kValuePost, 0}};
constexpr KeywordValue kVerticalAlign[] = {{kValueTop, 0},      {kValueMiddle, 1},   {kValueBottom, 2},
                                           {kValueBaseline, 3}, {kValueTexttop, 4}, {kValueAbsmiddle, 9},
                                           {kValueAbsbottom, 10}};
constexpr KeywordValue kPageRole[] = {{kValueTop, 0}, {kValueBottom, 2}};
constexpr KeywordValue kShape[] = {{kValueCircle, 0}, {kValueRect, 0}, {kValuePoly, 0}, {kValueDefault, 0}};

bool ParseLanguage(const WCHAR* text, uint32_t length, uint32_t* value) {
  constexpr uint32_t kLongestTag = 16;
  WCHAR folded[kLongestTag];
  if (length > kLongestTag) {
    *value = 0;
    return true;
  }
  for (uint32_t i = 0; i < length; ++i) {
    WCHAR c = text[i];
    folded[i] = c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c;
  }
  *value = LanguageTagToLcid(folded, length);
  return true;
}

}  // namespace

int32_t HexDigitValue(WCHAR c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseUnsignedDecimal(const WCHAR* text, uint32_t length, uint32_t* value) {
  if (length == 0) return false;
  uint64_t n = 0;
  for (uint32_t i = 0; i < length; ++i) {
    if (!IsDigit(text[i])) return false;
    n = n * 10 + (text[i] - '0');
    if (n > 0xFFFFFFFFull) n = 0xFFFFFFFFull;  // saturates; later digits keep it there
  }
  *value = static_cast<uint32_t>(n);
  return true;
}

void TrimMarkupSpace(const WCHAR** text, uint32_t* length) {
  while (*length != 0 && IsSpace((*text)[0])) {
    ++*text;
    --*length;
  }
  while (*length != 0 && IsSpace((*text)[*length - 1])) --*length;
}

int32_t ColorTableIndex(uint32_t color) {
  for (int32_t i = 0; i < 16; ++i)
    if (ColorOfIndex(i) == color) return i;
  return -1;
}

uint32_t ColorOfIndex(int32_t index) {
  if (index < 0 || index > 15) return 0;
  const Rgb& c = kColorTable[index];
  return MakeColor(c.red, c.green, c.blue);
}

bool ParseAttributeValue(uint32_t attributeId, const WCHAR* text, uint32_t length, uint32_t* value) {
  if (text == nullptr) length = 0;
  TrimMarkupSpace(&text, &length);
  uint16_t keyword = 0;
  switch (attributeId) {
    case kMarkupSpan:
    case kMarkupRecindex:
    case kMarkupBorder:
    case kMarkupCellspacing:
    case kMarkupCellpadding:
    case kMarkupColspan:
    case kMarkupRowspan:
    case kMarkupMaxlength:
    case kMarkupHspace:
    case kMarkupVspace:
    case kMarkupLorecindex:
    case kMarkupHirecindex:
    case kMarkupDescent:
      return ParseUnsignedDecimal(text, length, value);
    case kMarkupAlign:
      return ParseChoice(text, length, kAlign, value);
    case kMarkupColor:
    case kMarkupBgcolor:
    case kMarkupBordercolor:
      return ParseColor(text, length, value);
    case kMarkupWidth:
    case kMarkupHeight:
    case kMarkupTopmargin:
    case kMarkupLeftmargin:
    case kMarkupRightmargin:
    case kMarkupBottommargin:
      return ParseLength(text, length, value);
    case kMarkupFilepos:
      return ParseFilePosition(text, length, value);
    case kMarkupInline:
    case kMarkupChecked:
    case kMarkupDisabled:
    case kMarkupReadonly:
    case kMarkupMultiple:
    case kMarkupQvrNu:
    case kMarkupSelected:
      *value = 1;
      return true;
    case kMarkupEncoding:
    case kMarkupEnctype:
      return ParseChoice(text, length, kEncoding, value);
    case kMarkupMethod:
      return ParseChoice(text, length, kMethod, value);
    case kMarkupValign:
      return ParseChoice(text, length, kVerticalAlign, value);
    case kMarkupQvrPageRole:
      return ParseChoice(text, length, kPageRole, value);
    case kMarkupLang:
      return ParseLanguage(text, length, value);
    case kMarkupShape:
      return ParseChoice(text, length, kShape, value);
    case kMarkupAccesskey:
      if (length != 1) return false;
      *value = text[0];
      return true;
    case kMarkupSize:
    case kMarkupTabindex:
      return ParseRelative(text, length, value);
    case kMarkupQvrAutoSubmit:
    case kMarkupQvrPersistent:
      return Keyword(text, length, &keyword) && keyword == kValueYes;
    case kMarkupInputRestrict:
      if (!Keyword(text, length, &keyword)) return false;
      *value = keyword;
      return true;
    default:
      return false;
  }
}
