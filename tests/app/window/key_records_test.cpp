// The key records against the table of codes, the key-down table with
// Shift, Control and the display orientations, the keypad map and the
// edit box's keys.
#include <gtest/gtest.h>

#include "app/window/key_records.h"

namespace {

KeyState State(bool shift = false, bool control = false, uint32_t orientation = 0, bool links = false) {
  KeyState s;
  s.shift = shift;
  s.control = control;
  s.orientation = orientation;
  s.jogWheelFollowsLinks = links;
  return s;
}

std::vector<uint32_t> Codes(const UiCommand& c) {
  std::vector<uint32_t> out;
  for (uint32_t context = 0; context < kElementContexts; ++context) out.push_back(CodeForContext(c, context));
  return out;
}

}  // namespace

TEST(KeyRecords, EveryRecordForEveryContext) {
  struct Row {
    KeyRecordId id;
    std::vector<uint32_t> codes;
  } rows[] = {
      {KeyRecordId::kUpFollowLinks, {1036, 1036, 1, 21, 1036, 1038, 1038, 1038, 1036, 1036, 1, 1}},
      {KeyRecordId::kUp, {12, 12, 1, 21, 12, 1038, 1038, 1038, 1036, 1036, 1, 1}},
      {KeyRecordId::kDownFollowLinks, {1035, 1035, 2, 22, 1035, 1037, 1037, 1037, 1035, 1035, 2, 2}},
      {KeyRecordId::kDown, {11, 11, 2, 22, 11, 1037, 1037, 1037, 1035, 1035, 2, 2}},
      {KeyRecordId::kLeft, {12, 12, 3, 22, 3, 3, 3, 3, 12, 12, 3, 3}},
      {KeyRecordId::kRight, {11, 11, 4, 21, 4, 4, 4, 4, 11, 11, 4, 4}},
      {KeyRecordId::kEnter, {26, 23, 23, 26, 23, 23, 23, 23, 23, 23, 26, 23}},
      {KeyRecordId::kSpace, {11, 11, 11, 25, 23, 25, 25, 25, 23, 25, 25, 23}},
      {KeyRecordId::kBackspace, {26, 26, 26, 26, 26, 19, 26, 26, 26, 19, 26, 26}},
      {KeyRecordId::kKeypad0Commands, {82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 32, 82}},
      {KeyRecordId::kKeypad0, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 26, 26}},
      {KeyRecordId::kKeypad1, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 5, 26}},
      {KeyRecordId::kKeypad2, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 1, 26}},
      {KeyRecordId::kKeypad3, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 7, 26}},
      {KeyRecordId::kKeypad4, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 3, 26}},
      {KeyRecordId::kKeypad5, {25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 26, 25}},
      {KeyRecordId::kKeypad6, {25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 4, 25}},
      {KeyRecordId::kKeypad7, {25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 6, 25}},
      {KeyRecordId::kKeypad8, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 2, 26}},
      {KeyRecordId::kKeypad9, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 8, 26}},
      {KeyRecordId::kKeypadStar, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 26, 26}},
      {KeyRecordId::kKeypadHash, {26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 0, 26}},
      {KeyRecordId::kMinusCommands, {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 32, 12}},
      {KeyRecordId::kMinus, {26, 26, 26, 22, 26, 25, 26, 26, 26, 26, 0, 26}},
      {KeyRecordId::kPlusCommands, {11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 30, 11}},
      {KeyRecordId::kPlus, {26, 26, 26, 21, 26, 25, 26, 26, 26, 26, 0, 26}},
  };
  ASSERT_EQ(std::size(rows), static_cast<size_t>(KeyRecordId::kCount));
  for (const Row& row : rows) {
    UiCommand c;
    c.kind = kValueIsRecord;
    c.value = reinterpret_cast<uintptr_t>(KeyRecord(row.id));
    EXPECT_EQ(Codes(c), row.codes) << "record " << static_cast<uint32_t>(row.id);
  }
}

TEST(KeyRecords, KeyDownTable) {
  struct Case {
    uint32_t key;
    KeyState state;
    uint32_t context2Code;  // what the reading text control reads
    uint32_t command;
  } cases[] = {
      {8, State(), 26, 23},          {9, State(), 1035, kNoCommand},   {9, State(true), 1036, kNoCommand},
      {27, State(), 24, kNoCommand}, {33, State(), 12, kNoCommand},    {34, State(), 11, kNoCommand},
      {35, State(), 18, kNoCommand}, {35, State(true), 274, kNoCommand}, {36, State(), 17, kNoCommand},
      {36, State(true), 273, kNoCommand}, {46, State(), 20, kNoCommand}, {32, State(), 11, kNoCommand},
      // Arrows: records upright; Shift and Control turned with the screen.
      {38, State(), 1, kNoCommand},  {40, State(), 2, kNoCommand},     {37, State(), 3, kNoCommand},
      {39, State(), 4, kNoCommand},  {38, State(true), 0x101, kNoCommand}, {38, State(false, true), 0x201, kNoCommand},
      {38, State(true, false, 3), 0x102, kNoCommand}, {37, State(false, true, 3), 0x204, kNoCommand},
      {38, State(true, false, 1), 0x103, kNoCommand}, {38, State(true, false, 2), 0x104, kNoCommand},
      {38, State(false, false, 3), 2, kNoCommand},    {39, State(false, false, 2), 2, kNoCommand},
  };
  for (const Case& c : cases) {
    UiCommand out;
    ASSERT_TRUE(BuildKeyDownCommand(c.key, c.state, &out)) << c.key;
    EXPECT_EQ(CodeForContext(out, 2), c.context2Code) << "key " << c.key << " orientation " << c.state.orientation;
    EXPECT_EQ(CommandForContext(out, 2), c.command) << c.key;
  }
  UiCommand out;
  EXPECT_FALSE(BuildKeyDownCommand('A', State(), &out));
  // The option that lets the jog wheel follow links picks the other up record.
  ASSERT_TRUE(BuildKeyDownCommand(38, State(false, false, 0, true), &out));
  EXPECT_EQ(CodeForContext(out, 0), 1036u);
  KeyState enter;
  enter.actionKeyTogglesFullScreen = true;
  ASSERT_TRUE(BuildKeyDownCommand(13, enter, &out));
  EXPECT_EQ(CommandForContext(out, 0), 55u);
  ASSERT_TRUE(BuildKeyDownCommand(13, State(), &out));
  EXPECT_EQ(CommandForContext(out, 0), kNoCommand);
}

TEST(KeyRecords, KeypadMap) {
  struct Case {
    uint32_t ch;
    uint32_t command;  // context 2's
  } cases[] = {{'1', 0},  {'2', 15}, {'3', 21}, {'4', 11}, {'5', 30}, {'6', kNoCommand}, {'7', kNoCommand},
               {'8', 6},  {'*', 55}, {'#', 74}, {'0', 82}, {'-', 12}, {'+', 11}, {'x', kNoCommand}};
  for (const Case& c : cases) {
    UiCommand out = BuildKeypadCommand(c.ch, 0);
    EXPECT_EQ(CommandForContext(out, 2), c.command) << static_cast<char>(c.ch);
    EXPECT_EQ(out.character, c.ch);
  }
  EXPECT_EQ(CodeForContext(BuildKeypadCommand('x', 0), 5), 25u);
  EXPECT_EQ(CommandForContext(BuildKeypadCommand('0', 0), 10), 32u);
  const uint32_t nine[10] = {56, 57, 59, 58, 60, 56, 56, 63, 56, 56};
  for (uint32_t action = 0; action < 10; ++action) {
    EXPECT_EQ(CommandForContext(BuildKeypadCommand('9', action), 2), nine[action]) << action;
  }
}

TEST(KeyRecords, EditBoxKeys) {
  struct Case {
    uint32_t key;
    bool shift;
    uint32_t caret, length;
    bool selectionEmpty;
    bool taken;
    uint32_t code;
  } cases[] = {
      {37, false, 0, 5, true, true, 12},  {37, false, 1, 5, true, false, 0}, {39, false, 5, 5, true, true, 4},
      {39, false, 5, 5, false, false, 0}, {39, false, 4, 5, true, false, 0}, {13, false, 2, 5, true, true, 23},
      {9, true, 0, 0, true, true, 1036},  {38, false, 0, 0, true, true, 1036}, {40, false, 0, 0, true, true, 1035},
      {27, false, 0, 0, true, true, 24},  {65, false, 0, 0, true, false, 0},
  };
  for (const Case& c : cases) {
    uint32_t code = 0;
    EXPECT_EQ(EditBoxKeyCode(c.key, c.shift, c.caret, c.length, c.selectionEmpty, &code), c.taken) << c.key;
    if (c.taken) {
      EXPECT_EQ(code, c.code) << c.key;
    }
  }
  for (uint32_t ch : {6u, 9u, 13u, 27u}) EXPECT_TRUE(EditBoxSwallowsChar(ch));
  EXPECT_FALSE(EditBoxSwallowsChar('a'));
}
