// How keys reach the reading view's elements: the element command record
// (UiCommand) handed to the drawing surface, the key records that give one
// element code (or command) per element context, the main window's key-down
// table, the keypad map of typed characters and the edit box's keys.
//
// Element contexts: 2 the reading text control, 3 the display manager, 4
// push buttons, check boxes and the drop-down select, 5 text fields, 6 the
// rich text box and the list select, 7 the look-up result list, 8 the
// vocabulary list, 9 the index widget; 0, 1, 10 and 11 belong to whichever
// element classes read them. Codes: 26 run the command, 25 a typed
// character, 1-4 up, down, left, right, 11 and 12 next and previous, 21 and
// 22 faster and slower, 1035-1038 next and previous field and item; 0x100
// marks Shift and 0x200 Control.
#pragma once

#include <cstdint>

constexpr uint32_t kElementContexts = 12;
constexpr uint32_t kNoCommand = 0xFFFFFF;

struct KeyCodeRecord {
  uint32_t codes[kElementContexts];
};

// Kind bits of a UiCommand.
constexpr uint32_t kValueIsRecord = 1;
constexpr uint32_t kCommandIsRecord = 2;

// What the drawing surface's command operation receives. `value` and
// `command` hold a plain code or command, or (by the kind bits) a key
// record's address, so they are pointer-sized.
struct UiCommand {
  uint32_t kind = 0;
  uintptr_t value = 0;
  uintptr_t command = kNoCommand;
  uint32_t character = 0;
};

// The program's 26 key records.
enum class KeyRecordId : uint32_t {
  kUpFollowLinks, kUp, kDownFollowLinks, kDown, kLeft, kRight, kEnter, kSpace, kBackspace,
  kKeypad0Commands, kKeypad0, kKeypad1, kKeypad2, kKeypad3, kKeypad4, kKeypad5, kKeypad6, kKeypad7,
  kKeypad8, kKeypad9, kKeypadStar, kKeypadHash, kMinusCommands, kMinus, kPlusCommands, kPlus,
  kCount
};
const KeyCodeRecord* KeyRecord(KeyRecordId id);

// The entry an element of `context` reads from a command record: the plain
// code, or the record's entry for the context.
uint32_t CodeForContext(const UiCommand& command, uint32_t context);
uint32_t CommandForContext(const UiCommand& command, uint32_t context);

// Directions 1 up, 2 down, 3 left, 4 right turned for a display
// orientation (0 upright, 1 turned 270 degrees, 2 turned 90 degrees, 3
// upside down), so that a key keeps its meaning on the turned screen.
uint32_t TurnDirection(uint32_t direction, uint32_t orientation);

struct KeyState {
  bool shift = false;
  bool control = false;
  uint32_t orientation = 0;
  bool jogWheelFollowsLinks = false;
  bool actionKeyTogglesFullScreen = false;
};

// The main window's key-down table. The arrows without Shift or Control
// take the record of the direction turned for the orientation. False for a
// key that sends nothing.
bool BuildKeyDownCommand(uint32_t virtualKey, const KeyState& state, UiCommand* out);

// The keypad map of a typed character (33 and up). '9' runs the command of
// the default selection action.
UiCommand BuildKeypadCommand(uint32_t character, uint32_t defaultSelectionAction);
// The command that '9' runs for a default selection action.
uint32_t SelectionActionCommand(uint32_t defaultSelectionAction);

// The edit box's own keys: the element code of a key-down, or false when
// the key goes to the edit box itself. Enter answers 23 (the caller then
// sends 26 with command 55 when no element took it).
bool EditBoxKeyCode(uint32_t virtualKey, bool shift, uint32_t caret, uint32_t textLength, bool selectionEmpty,
                    uint32_t* code);
// Characters the edit box swallows: 6, 9, 13 and 27.
bool EditBoxSwallowsChar(uint32_t character);
