// The accelerator tables of accelerators.h.
#include "platform/menus/accelerators.h"

#include <memory>
#include <new>
#include <set>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/resources/program_resources.h"
#include "platform/resources/resources.h"
#include "platform/windows/message_queue.h"

struct AcceleratorTable {
  struct Entry {
    WORD flags;
    WORD key;
    WORD command;
  };
  std::vector<Entry> entries;
};

namespace {

constexpr WORD kLast = 0x80;
constexpr size_t kEntrySize = 8;

std::set<HACCEL>& LiveTables() {
  static std::set<HACCEL> tables;
  return tables;
}

WORD ReadWord(const BYTE* at) { return static_cast<WORD>(at[0] | (at[1] << 8)); }

bool ModifiersMatch(WORD flags) {
  auto down = [](UINT key) { return GetKeyState(static_cast<int>(key)) < 0; };
  return ((flags & FSHIFT) != 0) == down(VK_SHIFT) && ((flags & FCONTROL) != 0) == down(VK_CONTROL) &&
         ((flags & FALT) != 0) == down(VK_MENU);
}

}  // namespace

HACCEL LoadAcceleratorsFromBytes(const BYTE* data, size_t size) {
  if (data == nullptr || size == 0 || size % kEntrySize != 0) return nullptr;
  std::unique_ptr<AcceleratorTable> table(new (std::nothrow) AcceleratorTable);
  if (table == nullptr) return nullptr;
  bool ended = false;
  for (size_t at = 0; at + kEntrySize <= size; at += kEntrySize) {
    WORD flags = ReadWord(data + at);
    table->entries.push_back({flags, ReadWord(data + at + 2), ReadWord(data + at + 4)});
    if (flags & kLast) {
      ended = at + kEntrySize == size;
      break;
    }
  }
  if (!ended) return nullptr;  // no last entry, or bytes after it
  HACCEL made = table.release();
  LiveTables().insert(made);
  return made;
}

HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name) {
  HRSRC found = FindResourceW(instance, name, RT_ACCELERATOR);
  if (found == nullptr) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  HACCEL table = LoadAcceleratorsFromBytes(data, SizeofResource(instance, found));
  if (table == nullptr) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return table;
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  if (LiveTables().erase(table) == 0) return FALSE;
  delete table;
  return TRUE;
}

int TranslateAcceleratorW(HWND window, HACCEL table, MSG* message) {
  if (table == nullptr || message == nullptr || LiveTables().count(table) == 0) return 0;
  bool keyDown = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN;
  bool character = message->message == WM_CHAR || message->message == WM_SYSCHAR;
  if (!keyDown && !character) return 0;
  for (const AcceleratorTable::Entry& entry : table->entries) {
    bool virtualKey = (entry.flags & FVIRTKEY) != 0;
    if (virtualKey ? !keyDown : !character) continue;
    if (entry.key != static_cast<WORD>(message->wParam)) continue;
    if (virtualKey && !ModifiersMatch(entry.flags)) continue;
    SendMessageW(window, WM_COMMAND, MAKELONG(entry.command, 1), 0);
    return 1;
  }
  return 0;
}
