// The hardware-button list, its capture and release, and the button map.
#include "app/buttons/hardware_buttons.h"

#include "app/commands/action_table.h"
#include "app/preferences/preferences.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/registry.h"
#include "platform/core/last_error.h"

namespace {

constexpr WCHAR kButtonsKey[] = u"SOFTWARE\\Microsoft\\Shell\\Keys";
constexpr uint32_t kNameRoom = 20;
constexpr uint32_t kNameMax = 19;

int HexDigit(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsCapturableCode(uint8_t code) { return code >= 0xC0 && code <= 0xCF; }

}  // namespace

bool HardwareButtonList::Open() {
  Close();
  index_ = 0;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, kButtonsKey, 0, KEY_READ, &key_) == ERROR_SUCCESS;
}

void HardwareButtonList::Close() {
  if (key_ != nullptr) RegCloseKey(key_);
  key_ = nullptr;
}

bool HardwareButtonList::First(HardwareButton* out) {
  index_ = -1;
  return Next(out);
}

bool HardwareButtonList::Next(HardwareButton* out) {
  ++index_;
  out->name[0] = 0;
  out->keyCode = 0;
  if (key_ == nullptr) return false;
  WCHAR subkey[kNameRoom] = {};
  DWORD units = kNameRoom;
  if (RegEnumKeyExW(key_, static_cast<DWORD>(index_), subkey, &units, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  if (units != 4 || subkey[0] != u'4' || subkey[1] != u'0') return true;
  const int high = HexDigit(subkey[2]);
  const int low = HexDigit(subkey[3]);
  if (high < 0 || low < 0) return true;
  const uint8_t code = static_cast<uint8_t>(high * 16 + low);
  if (code == 0) return true;
  HKEY button = nullptr;
  if (RegOpenKeyExW(key_, subkey, 0, KEY_READ, &button) != ERROR_SUCCESS) return true;
  EncodedString name;
  const bool named = RegQueryString(button, u"Name", &name) && !name.IsEmpty();
  RegCloseKey(button);
  if (!named) return true;
  uint32_t n = name.ByteLength() / 2;
  if (n > kNameMax) n = kNameMax;
  for (uint32_t i = 0; i < n; ++i) out->name[i] = name.Chars()[i];
  out->name[n] = 0;
  out->keyCode = code;
  return true;
}

bool HardwareButtonList::HasCurrent() const {
  if (key_ == nullptr || index_ < 0) return false;
  WCHAR subkey[kNameRoom] = {};
  DWORD units = kNameRoom;
  return RegEnumKeyExW(key_, static_cast<DWORD>(index_), subkey, &units, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

void RegisterHardwareButtons(HWND window, const Preferences& preferences, bool onlyAssigned) {
  HardwareButtonList list;
  if (!list.Open()) return;
  HardwareButton button;
  for (bool more = list.First(&button); more; more = list.Next(&button)) {
    const uint32_t index = static_cast<uint32_t>(list.index());
    const bool assigned = !onlyAssigned || preferences.GetButtonAction(index) != kNoButtonAction;
    bool done = false;
    if (IsCapturableCode(button.keyCode)) {
      done = assigned ? CaptureHardwareKey(window, button.keyCode) : ReleaseHardwareKey(window, button.keyCode);
    }
    if (!done && button.keyCode != 0) AssociateAppKey(assigned ? window : nullptr, button.keyCode);
  }
}

void UnregisterHardwareButtons(HWND window) {
  HardwareButtonList list;
  if (!list.Open()) return;
  HardwareButton button;
  for (bool more = list.First(&button); more; more = list.Next(&button)) {
    const bool released = IsCapturableCode(button.keyCode) && ReleaseHardwareKey(window, button.keyCode);
    if (!released && button.keyCode != 0) AssociateAppKey(nullptr, button.keyCode);
  }
}

bool CommandForButton(uint8_t keyCode, const Preferences& preferences, uint32_t* command) {
  if (keyCode == 0) return false;
  HardwareButtonList list;
  if (!list.Open()) return false;
  HardwareButton button;
  for (bool more = list.First(&button); more; more = list.Next(&button)) {
    if (button.keyCode != keyCode) continue;
    const uint32_t action = preferences.GetButtonAction(static_cast<uint32_t>(list.index()));
    if (action == kNoButtonAction) return false;
    return CommandForAction(action, command);
  }
  return false;
}
