// Turning the input hardware's events into stylus, key and hot-key
// messages for the window that takes them (platform/input/device_input.h
// sets out the routing).
#include <new>

#include "platform/input/virtual_keys.h"
#include "platform/shell/hot_keys.h"
#include "platform/shell/shell_records.h"
#include "platform/windows/paint_queue.h"
#include "platform/windows/window_geometry.h"

namespace devwin {
namespace {

struct Delivery {
  HWND window = nullptr;  // null: nobody takes the event
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  HWND activate = nullptr;  // a top-level window a tap activates first
};

LPARAM PackPoint(int x, int y) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y))));
}

HWND CaptureWindow() {
  for (auto& entry : Manager().queues)
    if (IsLocalWindow(entry.second->capture)) return entry.second->capture;
  return nullptr;
}

UINT ModifiersDown() {
  const auto& down = Manager().keysDown;
  UINT modifiers = 0;
  if (down.count(VK_MENU)) modifiers |= MOD_ALT;
  if (down.count(VK_CONTROL)) modifiers |= MOD_CONTROL;
  if (down.count(VK_SHIFT)) modifiers |= MOD_SHIFT;
  return modifiers;
}

HWND KeyboardWindow() {
  WindowManager& m = Manager();
  HWND foreground = IsLocalWindow(m.foreground) ? m.foreground : nullptr;
  if (foreground == nullptr) {
    for (auto& entry : m.queues)
      if (IsLocalWindow(entry.second->active)) foreground = entry.second->active;
  }
  if (foreground == nullptr) return nullptr;
  HWND focus = foreground->queue->focus;
  return IsLocalWindow(focus) ? focus : foreground;
}

Delivery ResolveStylus(const RawInput& event) {
  Delivery d;
  HWND capture = CaptureWindow();
  d.window = capture ? capture : ShownWindowAt(event.point, true);
  if (d.window == nullptr) return d;
  POINT origin = ClientOriginOnScreen(d.window);
  d.lParam = PackPoint(event.point.x - origin.x, event.point.y - origin.y);
  switch (event.kind) {
    case RawInput::Kind::StylusDown:
      d.message = WM_LBUTTONDOWN;
      d.wParam = MK_LBUTTON;
      if (capture == nullptr) {
        HWND top = TopLevelOf(d.window);
        if (top->queue->active != top && (top->exStyle & WS_EX_NOACTIVATE) == 0) d.activate = top;
      }
      break;
    case RawInput::Kind::StylusMove:
      d.message = WM_MOUSEMOVE;
      d.wParam = Manager().stylusDown ? MK_LBUTTON : 0;
      break;
    default:
      d.message = WM_LBUTTONUP;
      d.wParam = 0;
      break;
  }
  return d;
}

Delivery ResolveKey(const RawInput& event) {
  Delivery d;
  bool down = event.kind == RawInput::Kind::KeyDown;
  devshell::HotKeyRegistration hotKey{};
  if (devshell::FindHotKey(event.key, ModifiersDown(), &hotKey)) {
    if (!IsLocalWindow(hotKey.window)) return d;
    d.window = hotKey.window;
    d.message = WM_HOTKEY;
    d.wParam = static_cast<WPARAM>(hotKey.id);
    d.lParam = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(hotKey.modifiers), static_cast<WORD>(hotKey.key)));
    return d;
  }
  bool applicationKey = event.key >= VK_FIRST_APPLICATION_KEY && event.key <= VK_LAST_APPLICATION_KEY;
  if (applicationKey) {
    HWND associated = devshell::AppKeyWindow(static_cast<BYTE>(event.key));
    if (IsLocalWindow(associated)) d.window = associated;
    else if (devshell::ShellHoldsKey(event.key)) return d;
  }
  if (d.window == nullptr) d.window = KeyboardWindow();
  if (d.window == nullptr) return d;
  d.message = down ? WM_KEYDOWN : WM_KEYUP;
  d.wParam = event.key;
  bool wasDown = Manager().keysDown.count(event.key) != 0;
  d.lParam = down ? (1 | (wasDown ? kKeyPreviousStateBit : 0)) : (1 | kKeyPreviousStateBit | kKeyTransitionBit);
  return d;
}

// The input state after the event: keys and the stylus up or down.
void Consume(const RawInput& event) {
  WindowManager& m = Manager();
  switch (event.kind) {
    case RawInput::Kind::StylusDown: m.stylusDown = true; break;
    case RawInput::Kind::StylusUp: m.stylusDown = false; break;
    case RawInput::Kind::KeyDown: m.keysDown.insert(event.key); break;
    case RawInput::Kind::KeyUp: m.keysDown.erase(event.key); break;
    default: break;
  }
  m.input.pop_front();
}

}  // namespace

bool TakeInput(Lock& guard, MessageQueue* queue, const MessageFilter& filter, bool remove, MSG* out) {
  WindowManager& m = Manager();
  while (!m.input.empty()) {
    RawInput event = m.input.front();
    bool stylus = event.kind == RawInput::Kind::StylusDown || event.kind == RawInput::Kind::StylusMove ||
                  event.kind == RawInput::Kind::StylusUp;
    Delivery d = stylus ? ResolveStylus(event) : ResolveKey(event);
    if (d.window == nullptr) {
      Consume(event);
      continue;
    }
    if (d.window->queue != queue || !filter.Takes(d.window, d.message)) return false;
    if (remove) {
      Consume(event);
      if (d.activate != nullptr) {
        HWND target = d.window;
        guard.unlock();
        ActivateLocal(d.activate, false, WA_CLICKACTIVE);
        guard.lock();
        if (!IsLocalWindow(target)) continue;
        // Activation may have moved the window.
        POINT origin = ClientOriginOnScreen(target);
        d.lParam = PackPoint(event.point.x - origin.x, event.point.y - origin.y);
      }
    }
    *out = MSG{};
    out->hwnd = d.window;
    out->message = d.message;
    out->wParam = d.wParam;
    out->lParam = d.lParam;
    out->pt = event.point;
    return true;
  }
  return false;
}

}  // namespace devwin
