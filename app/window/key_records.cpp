// The key records, the key-down table, the keypad map and the edit keys.
#include "app/window/key_records.h"

namespace {

constexpr KeyCodeRecord kRecords[static_cast<uint32_t>(KeyRecordId::kCount)] = {
    {{1036, 1036, 1, 21, 1036, 1038, 1038, 1038, 1036, 1036, 1, 1}},  // up, jog wheel follows links
    {{12, 12, 1, 21, 12, 1038, 1038, 1038, 1036, 1036, 1, 1}},        // up
    {{1035, 1035, 2, 22, 1035, 1037, 1037, 1037, 1035, 1035, 2, 2}},  // down, jog wheel follows links
    {{11, 11, 2, 22, 11, 1037, 1037, 1037, 1035, 1035, 2, 2}},        // down
    {{12, 12, 3, 22, 3, 3, 3, 3, 12, 12, 3, 3}},                      // left
    {{11, 11, 4, 21, 4, 4, 4, 4, 11, 11, 4, 4}},                      // right
    {{26, 23, 23, 26, 23, 23, 23, 23, 23, 23, 26, 23}},               // Enter
    {{11, 11, 11, 25, 23, 25, 25, 25, 23, 25, 25, 23}},               // Space
    {{26, 26, 26, 26, 26, 19, 26, 26, 26, 19, 26, 26}},               // Backspace
    {{82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 32, 82}},               // keypad 0, commands
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 26, 26}},               // keypad 0
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 5, 26}},                // keypad 1
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 1, 26}},                // keypad 2
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 7, 26}},                // keypad 3
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 3, 26}},                // keypad 4
    {{25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 26, 25}},               // keypad 5
    {{25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 4, 25}},                // keypad 6
    {{25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 6, 25}},                // keypad 7
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 2, 26}},                // keypad 8
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 8, 26}},                // keypad 9
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 26, 26}},               // keypad star
    {{26, 26, 26, 26, 26, 25, 26, 26, 26, 26, 0, 26}},                // keypad hash
    {{12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 32, 12}},               // minus, commands
    {{26, 26, 26, 22, 26, 25, 26, 26, 26, 26, 0, 26}},                // minus
    {{11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 30, 11}},               // plus, commands
    {{26, 26, 26, 21, 26, 25, 26, 26, 26, 26, 0, 26}},                // plus
};

constexpr uint32_t kBackspace = 8, kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32, kPageUp = 33,
                   kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
                   kDelete = 46;

uintptr_t RecordValue(KeyRecordId id) { return reinterpret_cast<uintptr_t>(KeyRecord(id)); }

UiCommand Plain(uint32_t code, uint32_t command = kNoCommand, uint32_t character = 0) {
  UiCommand c;
  c.kind = 0;
  c.value = code;
  c.command = command;
  c.character = character;
  return c;
}

UiCommand WithRecord(KeyRecordId id, uint32_t command, uint32_t character) {
  UiCommand c;
  c.kind = kValueIsRecord;
  c.value = RecordValue(id);
  c.command = command;
  c.character = character;
  return c;
}

}  // namespace

const KeyCodeRecord* KeyRecord(KeyRecordId id) {
  const uint32_t i = static_cast<uint32_t>(id);
  return i < static_cast<uint32_t>(KeyRecordId::kCount) ? &kRecords[i] : nullptr;
}

uint32_t CodeForContext(const UiCommand& command, uint32_t context) {
  if ((command.kind & kValueIsRecord) == 0) return static_cast<uint32_t>(command.value);
  const auto* record = reinterpret_cast<const KeyCodeRecord*>(command.value);
  return record != nullptr && context < kElementContexts ? record->codes[context] : 0;
}

uint32_t CommandForContext(const UiCommand& command, uint32_t context) {
  if ((command.kind & kCommandIsRecord) == 0) return static_cast<uint32_t>(command.command);
  const auto* record = reinterpret_cast<const KeyCodeRecord*>(command.command);
  return record != nullptr && context < kElementContexts ? record->codes[context] : kNoCommand;
}

uint32_t TurnDirection(uint32_t direction, uint32_t orientation) {
  // Rows: orientation; columns: up, down, left, right.
  static constexpr uint32_t kTurned[4][4] = {
      {1, 2, 3, 4},  // upright
      {3, 4, 2, 1},  // turned 270 degrees
      {4, 3, 1, 2},  // turned 90 degrees
      {2, 1, 4, 3},  // upside down
  };
  if (direction < 1 || direction > 4) return direction;
  return kTurned[orientation & 3][direction - 1];
}

bool BuildKeyDownCommand(uint32_t virtualKey, const KeyState& state, UiCommand* out) {
  switch (virtualKey) {
    case kBackspace:
      *out = WithRecord(KeyRecordId::kBackspace, 23, 0);
      return true;
    case kTab:
      *out = Plain(state.shift ? 1036 : 1035);
      return true;
    case kEnter:
      *out = WithRecord(KeyRecordId::kEnter, state.actionKeyTogglesFullScreen ? 55 : kNoCommand, 0);
      return true;
    case kEscape:
      *out = Plain(24);
      return true;
    case kSpace:
      *out = WithRecord(KeyRecordId::kSpace, kNoCommand, 32);
      return true;
    case kPageUp:
      *out = Plain(12);
      return true;
    case kPageDown:
      *out = Plain(11);
      return true;
    case kEnd:
      *out = Plain(state.shift ? 274 : 18);
      return true;
    case kHome:
      *out = Plain(state.shift ? 273 : 17);
      return true;
    case kDelete:
      *out = Plain(20);
      return true;
    case kLeft:
    case kUp:
    case kRight:
    case kDown: {
      static constexpr uint32_t kDirection[4] = {3, 1, 4, 2};  // left, up, right, down
      const uint32_t turned = TurnDirection(kDirection[virtualKey - kLeft], state.orientation);
      if (state.shift || state.control) {
        *out = Plain(turned + (state.control ? 0x200 : 0x100));
        return true;
      }
      KeyRecordId id = KeyRecordId::kLeft;
      switch (turned) {
        case 1: id = state.jogWheelFollowsLinks ? KeyRecordId::kUpFollowLinks : KeyRecordId::kUp; break;
        case 2: id = state.jogWheelFollowsLinks ? KeyRecordId::kDownFollowLinks : KeyRecordId::kDown; break;
        case 3: id = KeyRecordId::kLeft; break;
        default: id = KeyRecordId::kRight; break;
      }
      *out = WithRecord(id, kNoCommand, 0);
      return true;
    }
    default:
      return false;
  }
}

uint32_t SelectionActionCommand(uint32_t action) {
  switch (action) {
    case 1: return 57;
    case 2: return 59;
    case 3: return 58;
    case 4: return 60;
    case 7: return 63;
    default: return 56;
  }
}

UiCommand BuildKeypadCommand(uint32_t character, uint32_t defaultSelectionAction) {
  switch (character) {
    case '1': return WithRecord(KeyRecordId::kKeypad1, 0, character);
    case '2': return WithRecord(KeyRecordId::kKeypad2, 15, character);
    case '3': return WithRecord(KeyRecordId::kKeypad3, 21, character);
    case '4': return WithRecord(KeyRecordId::kKeypad4, 11, character);
    case '5': return WithRecord(KeyRecordId::kKeypad5, 30, character);
    case '6': return WithRecord(KeyRecordId::kKeypad6, kNoCommand, character);
    case '7': return WithRecord(KeyRecordId::kKeypad7, kNoCommand, character);
    case '8': return WithRecord(KeyRecordId::kKeypad8, 6, character);
    case '9': return WithRecord(KeyRecordId::kKeypad9, SelectionActionCommand(defaultSelectionAction), character);
    case '*': return WithRecord(KeyRecordId::kKeypadStar, 55, character);
    case '#': return WithRecord(KeyRecordId::kKeypadHash, 74, character);
    case '0':
    case '-':
    case '+': {
      UiCommand c;
      c.kind = kValueIsRecord | kCommandIsRecord;
      const bool zero = character == '0';
      const bool minus = character == '-';
      c.value = RecordValue(zero ? KeyRecordId::kKeypad0 : minus ? KeyRecordId::kMinus : KeyRecordId::kPlus);
      c.command = RecordValue(zero    ? KeyRecordId::kKeypad0Commands
                              : minus ? KeyRecordId::kMinusCommands
                                      : KeyRecordId::kPlusCommands);
      c.character = character;
      return c;
    }
    default:
      return Plain(25, kNoCommand, character);
  }
}

bool EditBoxKeyCode(uint32_t virtualKey, bool shift, uint32_t caret, uint32_t textLength, bool selectionEmpty,
                    uint32_t* code) {
  switch (virtualKey) {
    case kTab: *code = shift ? 1036 : 1035; return true;
    case kEnter: *code = 23; return true;
    case kEscape: *code = 24; return true;
    case kPageUp: *code = 12; return true;
    case kPageDown: *code = 11; return true;
    case kLeft:
      if (caret != 0) return false;
      *code = 12;
      return true;
    case kUp: *code = 1036; return true;
    case kRight:
      if (caret < textLength || !selectionEmpty) return false;
      *code = 4;
      return true;
    case kDown: *code = 1035; return true;
    default: return false;
  }
}

bool EditBoxSwallowsChar(uint32_t character) {
  return character == 6 || character == 9 || character == 13 || character == 27;
}
