// GlobalSettingsFile: the typed accessors of the settings record (record 0,
// "GPAR").
#include "foundation/encoded_string/text_escape.h"
#include "storage/settings/global_settings_file.h"
#include "storage/settings/settings_record_layout.h"

using namespace settings;

namespace {

constexpr uint32_t kRecord = kHeaderRecordId;

uint8_t AsFlag(uint32_t value) { return value != 0 ? 1 : 0; }

// A colour word 0x00BBGGRR as the record's bytes red, green, blue, fourth
// read big-endian, and back.
uint32_t ColorToStored(uint32_t color) {
  return ((color & 0xFF) << 24) | (((color >> 8) & 0xFF) << 16) | (((color >> 16) & 0xFF) << 8) | (color >> 24);
}
uint32_t StoredToColor(uint32_t stored) { return ColorToStored(stored); }

}  // namespace

// ---- Helpers ----

uint32_t GlobalSettingsFile::GetWord(uint32_t offset, uint32_t preset) {
  uint32_t value = preset;
  GetInt32(kRecord, offset, &value, kSettingsTag);
  return value;
}

RecordResult GlobalSettingsFile::SetWord(uint32_t offset, uint32_t value) {
  return SetInt32(kRecord, offset, value, kSettingsTag);
}

uint8_t GlobalSettingsFile::GetFlagByte(uint32_t offset, uint8_t preset) {
  uint8_t value = preset;
  GetByte(kRecord, offset, &value, kSettingsTag);
  return AsFlag(value);
}

RecordResult GlobalSettingsFile::SetFlagByte(uint32_t offset, uint8_t flag) {
  return SetByte(kRecord, offset, AsFlag(flag), kSettingsTag);
}

const uint8_t* GlobalSettingsFile::GetNarrowText(uint32_t offset, uint32_t* length) {
  return GetLinkedData(kRecord, offset, kSettingsTag, length, kDataTag);
}

RecordResult GlobalSettingsFile::SetNarrowText(uint32_t offset, const void* bytes, uint32_t length) {
  return SetLinkedString(kRecord, offset, kSettingsTag, bytes, length, kDataTag);
}

// ---- Words ----

#define SETTINGS_WORD(Name, offset, preset)                                                        \
  uint32_t GlobalSettingsFile::Get##Name() { return GetWord(offset, preset); }                     \
  RecordResult GlobalSettingsFile::Set##Name(uint32_t value) { return SetWord(offset, value); }

SETTINGS_WORD(AltFontSize, kAltFontSize, 0)
SETTINGS_WORD(MainFontSize, kMainFontSize, 0)
SETTINGS_WORD(Word12, kWord12, 0xFFFFFFFFu)
SETTINGS_WORD(Word92, kWord92, 1)
SETTINGS_WORD(Word96, kWord96, 0x20084F)
SETTINGS_WORD(Word104, kWord104, 0)
SETTINGS_WORD(Word264, kWord264, 0)
SETTINGS_WORD(Word276, kWord276, 0)
SETTINGS_WORD(Word280, kWord280, 0)
SETTINGS_WORD(Word292, kWord292, 0)
SETTINGS_WORD(Word296, kWord296, 0)

#undef SETTINGS_WORD

#define SETTINGS_BOOLEAN(Name, offset, preset)                                                     \
  bool GlobalSettingsFile::Get##Name() { return GetWord(offset, preset) != 0; }                    \
  RecordResult GlobalSettingsFile::Set##Name(bool value) { return SetWord(offset, value ? 1 : 0); }

SETTINGS_BOOLEAN(Word268, kWord268, 1)
SETTINGS_BOOLEAN(Word272, kWord272, 1)
SETTINGS_BOOLEAN(Flag300, kFlag300, 0)
SETTINGS_BOOLEAN(Flag304, kFlag304, 0)
SETTINGS_BOOLEAN(Word308, kWord308, 1)

#undef SETTINGS_BOOLEAN

#define SETTINGS_FLAG_BYTE(Name, offset, preset)                                                   \
  uint8_t GlobalSettingsFile::Get##Name() { return GetFlagByte(offset, preset); }                  \
  RecordResult GlobalSettingsFile::Set##Name(uint8_t flag) { return SetFlagByte(offset, flag); }

SETTINGS_FLAG_BYTE(Byte28, kByte28, 0)
SETTINGS_FLAG_BYTE(Byte69, kByte69, 1)
SETTINGS_FLAG_BYTE(Byte70, kByte70, 0)
SETTINGS_FLAG_BYTE(Byte256, kByte256, 1)
SETTINGS_FLAG_BYTE(Byte257, kByte257, 1)
SETTINGS_FLAG_BYTE(Byte258, kByte258, 1)
SETTINGS_FLAG_BYTE(Byte263, kByte263, 1)

#undef SETTINGS_FLAG_BYTE

#define SETTINGS_TEXT(Name, offset)                                                                       \
  const uint8_t* GlobalSettingsFile::Get##Name(uint32_t* length) { return GetNarrowText(offset, length); } \
  RecordResult GlobalSettingsFile::Set##Name(const void* bytes, uint32_t length) {                        \
    return SetNarrowText(offset, bytes, length);                                                         \
  }

SETTINGS_TEXT(AltFontName, kAltFontNameLink)
SETTINGS_TEXT(MainFontName, kMainFontNameLink)
SETTINGS_TEXT(Text64, kText64Link)
SETTINGS_TEXT(Text100, kText100Link)

#undef SETTINGS_TEXT

const uint8_t* GlobalSettingsFile::GetText40(uint32_t* length) { return GetNarrowText(kText40Link, length); }

RecordResult GlobalSettingsFile::SetText252(const void* bytes, uint32_t length) {
  return SetNarrowText(kText252Link, bytes, length);
}

const WCHAR* GlobalSettingsFile::GetWideText52(uint32_t* count) {
  return GetLinkedWideString(kRecord, kWideText52Link, kSettingsTag, count, kDataTag);
}

RecordResult GlobalSettingsFile::SetWideText52(const WCHAR* chars, uint32_t count) {
  return SetLinkedWideString(kRecord, kWideText52Link, kSettingsTag, chars, count, kDataTag);
}

// ---- Groups ----

RecordResult GlobalSettingsFile::SetColors(uint32_t text, uint32_t link, uint32_t background, uint32_t highlight,
                                           uint32_t modify) {
  const struct {
    uint32_t offset;
    uint32_t color;
  } colors[] = {{kBackgroundColor, background},
                {kTextColor, text},
                {kLinkColor, link},
                {kHighlightColor, highlight},
                {kModifyColor, modify}};
  for (const auto& c : colors)
    if (SetWord(c.offset, ColorToStored(c.color)) != RecordResult::kOk) return RecordResult::kFailed;
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::GetColors(uint32_t* text, uint32_t* link, uint32_t* background,
                                           uint32_t* highlight, uint32_t* modify) {
  const struct {
    uint32_t offset;
    uint32_t* color;
  } colors[] = {{kBackgroundColor, background},
                {kTextColor, text},
                {kLinkColor, link},
                {kHighlightColor, highlight},
                {kModifyColor, modify}};
  for (const auto& c : colors) {
    uint32_t stored = 0;
    if (GetInt32(kRecord, c.offset, &stored, kSettingsTag) != RecordResult::kOk) return RecordResult::kFailed;
    *c.color = StoredToColor(stored);
  }
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::SetLayoutGroup(uint8_t byte29, uint8_t byte30, uint32_t word8, uint32_t word56,
                                                uint32_t word60, uint32_t word80, uint32_t word84,
                                                uint32_t word88) {
  if (SetWord(kLayoutWord8, word8) != RecordResult::kOk || SetWord(kLayoutWord56, word56) != RecordResult::kOk ||
      SetWord(kLayoutWord60, word60) != RecordResult::kOk ||
      SetFlagByte(kLayoutByte30, byte30) != RecordResult::kOk ||
      SetFlagByte(kDisplayFlag29, byte29) != RecordResult::kOk ||
      SetWord(kLayoutWord80, word80) != RecordResult::kOk || SetWord(kLayoutWord84, word84) != RecordResult::kOk ||
      SetWord(kLayoutWord88, word88) != RecordResult::kOk)
    return RecordResult::kFailed;
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::GetLayoutGroup(uint8_t* byte29, uint8_t* byte30, uint32_t* word8,
                                                uint32_t* word56, uint32_t* word60, uint32_t* word80,
                                                uint32_t* word84, uint32_t* word88) {
  *word8 = 0;
  *word56 = 0;
  *word60 = 1;
  *byte30 = 0;
  *byte29 = 1;
  uint8_t flag = 0;
  if (GetInt32(kRecord, kLayoutWord8, word8, kSettingsTag) != RecordResult::kOk ||
      GetInt32(kRecord, kLayoutWord56, word56, kSettingsTag) != RecordResult::kOk ||
      GetInt32(kRecord, kLayoutWord60, word60, kSettingsTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  if (*word60 == 0) *word60 = 1;
  if (GetByte(kRecord, kLayoutByte30, &flag, kSettingsTag) != RecordResult::kOk) return RecordResult::kFailed;
  *byte30 = AsFlag(flag);
  if (GetByte(kRecord, kDisplayFlag29, &flag, kSettingsTag) != RecordResult::kOk) return RecordResult::kFailed;
  *byte29 = AsFlag(flag);
  if (GetInt32(kRecord, kLayoutWord80, word80, kSettingsTag) != RecordResult::kOk ||
      GetInt32(kRecord, kLayoutWord84, word84, kSettingsTag) != RecordResult::kOk ||
      GetInt32(kRecord, kLayoutWord88, word88, kSettingsTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::SetBytes31And68(uint8_t byte31, uint8_t byte68) {
  if (SetFlagByte(kByte31, byte31) != RecordResult::kOk) return RecordResult::kFailed;
  return SetFlagByte(kByte68, byte68);
}

RecordResult GlobalSettingsFile::GetBytes31And68(uint8_t* byte31, uint8_t* byte68) {
  uint8_t first = 0, second = 0;
  if (GetByte(kRecord, kByte31, &first, kSettingsTag) != RecordResult::kOk ||
      GetByte(kRecord, kByte68, &second, kSettingsTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  *byte31 = AsFlag(first);
  *byte68 = AsFlag(second);
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::SetSlot36(uint32_t slot, uint32_t word, const uint8_t* bytes32) {
  if (slot >= kSlotCount) return RecordResult::kFailed;
  uint32_t offset = kSlots + kSlotSize * slot;
  if (SetWord(offset, word) != RecordResult::kOk) return RecordResult::kFailed;
  return SetBytes32(kRecord, offset + 4, bytes32, kSettingsTag);
}

RecordResult GlobalSettingsFile::GetSlot36(uint32_t slot, uint32_t* word, uint8_t* bytes32) {
  if (slot >= kSlotCount) return RecordResult::kFailed;
  uint32_t offset = kSlots + kSlotSize * slot;
  uint32_t value = 0;
  if (GetInt32(kRecord, offset, &value, kSettingsTag) != RecordResult::kOk ||
      GetBytes32(kRecord, offset + 4, bytes32, kSettingsTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  *word = value;
  return RecordResult::kOk;
}

namespace {

uint32_t ButtonOffset(uint32_t button) { return button < 4 ? kButtons0To3 + button : kButtons4To11 + button - 4; }

}  // namespace

RecordResult GlobalSettingsFile::SetButtonAction(uint32_t button, uint8_t action) {
  if (button >= kButtonCount) return RecordResult::kFailed;
  return SetByte(kRecord, ButtonOffset(button), action, kSettingsTag);
}

RecordResult GlobalSettingsFile::GetButtonAction(uint32_t button, uint8_t* action) {
  if (button >= kButtonCount) return RecordResult::kFailed;
  return GetByte(kRecord, ButtonOffset(button), action, kSettingsTag);
}

// ---- Texts as strings ----

namespace {

// Narrow bytes of a text the preferences stored: UTF-16 in memory order.
bool TakeNarrowAsWide(const uint8_t* bytes, uint32_t length, EncodedString* text) {
  EncodedString result;
  result.AssignRaw(bytes, length & ~1u, EncodedString::kUnitUtf16, 65002);
  if (!result.IsOk()) return false;
  text->MoveFrom(result);
  return true;
}

}  // namespace

RecordResult GlobalSettingsFile::GetText252(EncodedString* text) {
  uint32_t length = 0;
  const uint8_t* bytes = GetNarrowText(kText252Link, &length);
  if (bytes) return TakeNarrowAsWide(bytes, length, text) ? RecordResult::kOk : RecordResult::kFailed;
  bytes = GetNarrowText(kText40Link, &length);
  if (!bytes) return RecordResult::kFailed;
  EncodedString earlier;
  if (!TakeNarrowAsWide(bytes, length, &earlier)) return RecordResult::kFailed;
  EncodedString encoded;
  if (!UrlEncode(earlier, &encoded, true) || !encoded.IsOk()) return RecordResult::kFailed;
  text->MoveFrom(encoded);
  return RecordResult::kOk;
}

RecordResult GlobalSettingsFile::ReadTextSetting(TextGetter getter, EncodedString* text) {
  uint32_t length = 0;
  const uint8_t* bytes = getter ? (this->*getter)(&length) : nullptr;
  if (!bytes) return RecordResult::kFailed;
  return TakeNarrowAsWide(bytes, length, text) ? RecordResult::kOk : RecordResult::kFailed;
}
