// The fields of the settings record with their new and upgrade values, and
// the record of a new file and the filling of an upgraded one built from
// them. Colours are four bytes red, green, blue and a fourth byte, written
// here as one big-endian word.
#include "storage/settings/settings_record_layout.h"

namespace settings {

namespace {

constexpr uint32_t kNone = kNoRecordId;  // an absent link, -1
constexpr uint32_t N = kNeverUpgraded;

// clang-format off
constexpr SettingsField kFields[] = {
  {0, 4, 0, N, 0},                // alternate font size
  {4, 4, 0, N, 0},                // main font size
  {8, 4, kNone, N, 0},            // first layout integer
  {12, 4, 65002, N, 0},           // code page
  {16, 4, 0xFFFFFF00, N, 0},      // background colour: 255, 255, 255
  {20, 4, 0x00000000, N, 0},      // text colour: black
  {24, 4, 0x0055AA00, N, 0},      // link colour: 0, 85, 170
  {28, 1, 0, N, 0},
  {29, 1, 1, N, 0},               // display flag
  {30, 1, 0, N, 0},
  {31, 1, 0, N, 0},
  {32, 4, kNone, N, 0},           // alternate font name
  {36, 4, kNone, N, 0},           // main font name
  {40, 4, kNone, N, 0},           // earlier form of the text at 252
  {44, 4, kNone, N, 0},
  {48, 4, kNone, N, 0},
  {52, 4, kNone, N, 0},           // location text of the last view
  {56, 4, kNone, N, 0},           // second layout integer
  {60, 4, 1, N, 0},               // layout value
  {64, 4, kNone, 64, kNone},      // text of the command dispatcher
  {68, 1, 0, 68, 0},
  {69, 1, 1, 68, 0},              // bytes 68-71 are upgraded to zeros as one unit
  {70, 1, 0, 68, 0},
  {71, 1, 0, 68, 0},
  {72, 4, 0xFFFF0000, 72, 0xFFFF0000},  // highlight colour: 255, 255, 0
  {76, 4, 0xFF000000, 76, 0xFF000000},  // modify mark colour: 255, 0, 0
  {80, 4, 0, 100, 0},             // words 80-100 are upgraded as one unit
  {84, 4, 0, 100, 0},
  {88, 4, 0, 100, 0},
  {92, 4, 0, 100, 0},
  {96, 4, 0x20084F, 100, 0x20084F},
  {100, 4, kNone, 100, kNone},
  {104, 4, 0, 104, 0},
  // 108-251: four slots of a word and 32 raw bytes, all zeros
  {108, 4, 0, 108, 0}, {112, 4, 0, 108, 0}, {116, 4, 0, 108, 0}, {120, 4, 0, 108, 0},
  {124, 4, 0, 108, 0}, {128, 4, 0, 108, 0}, {132, 4, 0, 108, 0}, {136, 4, 0, 108, 0},
  {140, 4, 0, 108, 0}, {144, 4, 0, 108, 0}, {148, 4, 0, 108, 0}, {152, 4, 0, 108, 0},
  {156, 4, 0, 108, 0}, {160, 4, 0, 108, 0}, {164, 4, 0, 108, 0}, {168, 4, 0, 108, 0},
  {172, 4, 0, 108, 0}, {176, 4, 0, 108, 0}, {180, 4, 0, 108, 0}, {184, 4, 0, 108, 0},
  {188, 4, 0, 108, 0}, {192, 4, 0, 108, 0}, {196, 4, 0, 108, 0}, {200, 4, 0, 108, 0},
  {204, 4, 0, 108, 0}, {208, 4, 0, 108, 0}, {212, 4, 0, 108, 0}, {216, 4, 0, 108, 0},
  {220, 4, 0, 108, 0}, {224, 4, 0, 108, 0}, {228, 4, 0, 108, 0}, {232, 4, 0, 108, 0},
  {236, 4, 0, 108, 0}, {240, 4, 0, 108, 0}, {244, 4, 0, 108, 0}, {248, 4, 0, 108, 0},
  {252, 4, kNone, 252, kNone},    // text setting
  {256, 1, 1, 256, 1},
  {257, 1, 1, 256, 1},
  {258, 1, 1, 256, 1},
  {259, 1, 255, 256, 255},        // buttons 0-3
  {260, 1, 255, 256, 255},
  {261, 1, 255, 256, 255},
  {262, 1, 255, 256, 255},
  {263, 1, 1, 256, 1},
  {264, 4, 15, 256, 15},
  {268, 4, 1, 256, 1},
  {272, 4, 1, 256, 1},
  {276, 4, 0, 256, 0},
  {280, 4, 0, 256, 0},
  {284, 1, 255, 256, 255},        // buttons 4-7
  {285, 1, 255, 256, 255},
  {286, 1, 255, 256, 255},
  {287, 1, 255, 256, 255},
  {288, 1, 255, 288, 255},        // buttons 8-11
  {289, 1, 255, 288, 255},
  {290, 1, 255, 288, 255},
  {291, 1, 255, 288, 255},
  {292, 4, 0, 292, 0},
  {296, 4, 0, 296, 0},            // last view position
  {300, 4, 0, 300, 0},            // open-view flag
  {304, 4, 0, 304, 0},
  {308, 4, 1, 308, 1},
};
// clang-format on

void Put(uint8_t* record, const SettingsField& field, uint32_t value) {
  if (field.width == 1)
    record[field.offset] = static_cast<uint8_t>(value);
  else
    StoreU32BE(record + field.offset, value);
}

}  // namespace

const SettingsField* SettingsFields(uint32_t* count) {
  *count = sizeof kFields / sizeof kFields[0];
  return kFields;
}

void BuildNewSettingsRecord(uint8_t record[kRecordLength]) {
  for (const SettingsField& field : kFields) Put(record, field, field.newValue);
}

void FillUpgradedSettings(uint8_t record[kRecordLength], uint32_t oldLength) {
  for (const SettingsField& field : kFields) {
    bool named = field.upgradeAtMost != kNeverUpgraded && oldLength <= field.upgradeAtMost;
    // A field the old record did not hold whole (an old length between the
    // known ones) is filled too, so no grown byte is left without a value.
    bool missing = field.offset + field.width > oldLength;
    if (named || missing) Put(record, field, field.upgradeAtMost != kNeverUpgraded ? field.upgradeValue : field.newValue);
  }
}

}  // namespace settings
