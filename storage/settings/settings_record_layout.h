// The layout of the global settings file "QVR_global_configuration.qvr": a
// tagged record file (container type "GPAR", creator "CORV") whose record 0
// is the settings record "GPAR" of 312 bytes of data, followed by the
// "DATA" records of its texts and one "CATE" record per library category
// (a UTF-16 big-endian name without terminator).
//
// The settings record is versioned by its stored length: a program of an
// older version wrote a shorter record, and the upgrade grows it and fills
// every field whose upgrade threshold covers the old length. The table of
// fields (settings_record_fields.cpp) gives each field's value in a new
// record and, for the later fields, the old lengths that receive it.
#pragma once

#include <cstdint>

#include "storage/records/tagged_record_file.h"

namespace settings {

constexpr uint32_t kContainerType = RecordTag("GPAR");
constexpr uint32_t kContainerCreator = RecordTag("CORV");
constexpr uint32_t kSettingsTag = RecordTag("GPAR");
constexpr uint32_t kDataTag = RecordTag("DATA");
constexpr uint32_t kCategoryTag = RecordTag("CATE");

constexpr uint32_t kRecordLength = 312;

// Field offsets inside the settings record's data.
constexpr uint32_t kAltFontSize = 0;
constexpr uint32_t kMainFontSize = 4;
constexpr uint32_t kLayoutWord8 = 8;
constexpr uint32_t kWord12 = 12;
constexpr uint32_t kBackgroundColor = 16;
constexpr uint32_t kTextColor = 20;
constexpr uint32_t kLinkColor = 24;
constexpr uint32_t kByte28 = 28;
constexpr uint32_t kDisplayFlag29 = 29;
constexpr uint32_t kLayoutByte30 = 30;
constexpr uint32_t kByte31 = 31;
constexpr uint32_t kAltFontNameLink = 32;
constexpr uint32_t kMainFontNameLink = 36;
constexpr uint32_t kText40Link = 40;
constexpr uint32_t kLink44 = 44;
constexpr uint32_t kLink48 = 48;
constexpr uint32_t kWideText52Link = 52;
constexpr uint32_t kLayoutWord56 = 56;
constexpr uint32_t kLayoutWord60 = 60;
constexpr uint32_t kText64Link = 64;
constexpr uint32_t kByte68 = 68;
constexpr uint32_t kByte69 = 69;
constexpr uint32_t kByte70 = 70;
constexpr uint32_t kHighlightColor = 72;
constexpr uint32_t kModifyColor = 76;
constexpr uint32_t kLayoutWord80 = 80;
constexpr uint32_t kLayoutWord84 = 84;
constexpr uint32_t kLayoutWord88 = 88;
constexpr uint32_t kWord92 = 92;
constexpr uint32_t kWord96 = 96;
constexpr uint32_t kText100Link = 100;
constexpr uint32_t kWord104 = 104;
constexpr uint32_t kSlots = 108;  // four slots of a word and 32 raw bytes
constexpr uint32_t kSlotSize = 36;
constexpr uint32_t kSlotCount = 4;
constexpr uint32_t kText252Link = 252;
constexpr uint32_t kByte256 = 256;
constexpr uint32_t kByte257 = 257;
constexpr uint32_t kByte258 = 258;
constexpr uint32_t kButtons0To3 = 259;
constexpr uint32_t kByte263 = 263;
constexpr uint32_t kWord264 = 264;
constexpr uint32_t kWord268 = 268;
constexpr uint32_t kWord272 = 272;
constexpr uint32_t kWord276 = 276;
constexpr uint32_t kWord280 = 280;
constexpr uint32_t kButtons4To11 = 284;
constexpr uint32_t kButtonCount = 12;
constexpr uint32_t kWord292 = 292;
constexpr uint32_t kWord296 = 296;
constexpr uint32_t kFlag300 = 300;
constexpr uint32_t kFlag304 = 304;
constexpr uint32_t kWord308 = 308;

// A hardware button without an action.
constexpr uint8_t kNoButtonAction = 255;

// Open modes of the stream factory: read and write, opened or created;
// read-only.
constexpr uint32_t kModeReadWrite = 15;
constexpr uint32_t kModeReadOnly = 41;

// One field of the record: its value in a new record and, when its
// upgradeAtMost is not kNeverUpgraded, the value written into a record
// whose old stored length is at most that.
constexpr uint32_t kNeverUpgraded = 0xFFFFFFFFu;
struct SettingsField {
  uint16_t offset;
  uint8_t width;  // 1 or 4
  uint32_t newValue;
  uint32_t upgradeAtMost;
  uint32_t upgradeValue;
};

// Every byte of the record is covered by exactly one field.
const SettingsField* SettingsFields(uint32_t* count);
// The record of a new file.
void BuildNewSettingsRecord(uint8_t record[kRecordLength]);
// Fills the fields that the upgrade names for a record of `oldLength`
// bytes, and every field such a record did not hold whole.
void FillUpgradedSettings(uint8_t record[kRecordLength], uint32_t oldLength);

}  // namespace settings
