// MainWindowProc: every message of the main window, and the registration
// of its class.
#include "app/buttons/hardware_buttons.h"
#include "app/controller/application_controller.h"
#include "app/preferences/preferences.h"
#include "app/window/app_window.h"
#include "app/window/input_control.h"
#include "app/window/key_records.h"
#include "platform/controls/cursor.h"
#include "platform/controls/notifications.h"
#include "platform/core/last_error.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/timers.h"
#include "platform/windows/windows.h"

namespace {

// Alternates with every WM_HOTKEY: a press delivers two, and only the
// first of each pair acts.
uint8_t g_hotKeyToggle = 0;

constexpr DWORD kErrorClassAlreadyExists = 1410;
constexpr UINT kSpeechStep = 0x8006;

AppWindow* WrapperOf(HWND window) {
  return reinterpret_cast<AppWindow*>(GetWindowLongPtrW(window, GWL_USERDATA));
}

POINT PointOf(LPARAM lParam) {
  POINT p;
  p.x = static_cast<int16_t>(lParam & 0xFFFF);
  p.y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  return p;
}

// A change in an input control reaches the view as a typed character.
class ViewInputCodes final : public InputCodeSink {
 public:
  explicit ViewInputCodes(AppFrameView* view) : view_(view) {}
  bool OnInputCode(uint32_t code, uint32_t command) override {
    if (view_ == nullptr) return false;
    UiCommand record;
    record.value = code;
    record.command = command;
    view_->KeyCommand(record);
    return true;
  }

 private:
  AppFrameView* view_;
};

void Execute(AppFrame* frame, uint32_t command) {
  if (frame != nullptr && frame->controller != nullptr) frame->controller->ExecuteCommand(command, false);
}

LRESULT OnActivate(HWND window, AppWindow* wrapper, WPARAM wParam, LPARAM lParam) {
  AppFrame* frame = wrapper->frame();
  if (frame == nullptr) return 0;
  const bool active = (wParam & 0xFFFF) != WA_INACTIVE && ((wParam >> 16) & 0xFFFF) == 0;
  if (active) {
    if (frame->preferences != nullptr) RegisterHardwareButtons(window, *frame->preferences, true);
    return 0;
  }
  if (frame->view != nullptr) frame->view->SaveViewState();
  UnregisterHardwareButtons(window);
  if (frame->view != nullptr) frame->view->DisplayCommand(81);
  if (frame->controller != nullptr && frame->controller->IsFullScreen() && lParam == 0) {
    frame->controller->ToggleFullScreen(true, false);
    return DefWindowProcW(window, WM_ACTIVATE, wParam, 0);
  }
  return 0;
}

void OnClose(HWND window, AppWindow* wrapper) {
  KillTimer(window, kStorageRescanTimer);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  wrapper->OnClose();
  wrapper->set_window(nullptr);
  // The user data goes first: children destroyed from here on may still
  // notify this window, and must find no wrapper.
  SetWindowLongPtrW(window, GWL_USERDATA, 0);
  delete wrapper;
  DestroyWindow(window);
}

}  // namespace

void ClearHotKeyToggle() { g_hotKeyToggle = 0; }

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AppWindow* wrapper = WrapperOf(window);
  if (wrapper == nullptr) {
    if (message == WM_CREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      wrapper = create != nullptr ? static_cast<AppWindow*>(create->lpCreateParams) : nullptr;
      if (wrapper != nullptr) {
        wrapper->set_window(window);
        SetWindowLongPtrW(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(wrapper));
        wrapper->OnCreate();
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  AppFrame* frame = wrapper->frame();
  // A freed frame record: nothing of the frame may be touched any more.
  if (frame == nullptr && message != WM_CLOSE) return DefWindowProcW(window, message, wParam, lParam);
  ApplicationController* controller = frame != nullptr ? frame->controller : nullptr;
  AppFrameView* view = frame != nullptr ? frame->view : nullptr;

  switch (message) {
    case WM_SIZE:
      wrapper->OnSize();
      break;
    case WM_ACTIVATE:
      return OnActivate(window, wrapper, wParam, lParam);
    case WM_SETFOCUS:
      if (controller != nullptr) controller->FocusActivePage();
      return 0;
    case WM_KILLFOCUS:
      return 0;
    case WM_NOTIFY: {
      LRESULT out = 0;
      if (controller != nullptr && controller->OnNotify(reinterpret_cast<const NMHDR*>(lParam), &out)) return out;
      break;
    }
    case WM_PAINT:
      wrapper->OnPaint();
      return 1;
    case WM_CLOSE:
      OnClose(window, wrapper);
      return 0;
    case WM_KEYDOWN:
      wrapper->OnKeyDown(static_cast<uint32_t>(wParam));
      return 0;
    case WM_KEYUP: {
      if ((lParam & (1 << 30)) == 0) break;
      uint32_t command = 0;
      if (frame->preferences != nullptr &&
          CommandForButton(static_cast<uint8_t>(wParam), *frame->preferences, &command)) {
        Execute(frame, command);
      }
      return 0;
    }
    case WM_CHAR: {
      const uint32_t ch = static_cast<uint32_t>(wParam);
      if (ch < 33 || view == nullptr) break;
      uint32_t command = 0;
      if (frame->preferences != nullptr && ch <= 0xFF &&
          CommandForButton(static_cast<uint8_t>(ch), *frame->preferences, &command)) {
        break;
      }
      const uint32_t action = frame->preferences != nullptr ? frame->preferences->defaultSelectionAction : 0;
      view->KeyCommand(BuildKeypadCommand(ch, action));
      break;
    }
    case WM_COMMAND: {
      ViewInputCodes codes(view);
      if (IsInputControlNotification(wParam, reinterpret_cast<HWND>(lParam), &codes)) return 1;
      if (wrapper->OnCommand(static_cast<uint32_t>(wParam & 0xFFFF), reinterpret_cast<HWND>(lParam))) return 1;
      break;
    }
    case WM_TIMER:
      wrapper->OnTimer(static_cast<UINT_PTR>(wParam));
      break;
    case WM_INITMENUPOPUP:
      if (controller != nullptr) controller->DismissTransientUi(false);
      if (view != nullptr) view->DisplayCommand(81);
      return 0;
    case WM_MOUSEMOVE:
      if (view == nullptr || !view->AutoScrolling()) wrapper->OnMouseMove((wParam & 1) != 0, PointOf(lParam));
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (view == nullptr || !view->AutoScrolling()) wrapper->OnMouseDown(PointOf(lParam));
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      // A tap while automatic scrolling runs only stops it.
      if (view != nullptr && view->AutoScrolling()) {
        view->DisplayCommand(81);
      } else {
        wrapper->OnMouseUp(PointOf(lParam));
      }
      break;
    case WM_HOTKEY: {
      g_hotKeyToggle ^= 1;
      if (g_hotKeyToggle == 0) return 1;
      const uint32_t key = static_cast<uint32_t>((lParam >> 16) & 0xFFFF);
      if (key == 27) {
        Execute(frame, 23);
      } else if ((key == 112 || key == 113) && controller != nullptr) {
        controller->ToggleFullScreen(true, true);
      }
      break;
    }
    case 0x8001:
    case 0x8002:
      wrapper->OnPrivateToggle(message - 0x8001);
      return 1;
    case 0x8003:
      SendMessageW(window, WM_PAINT, 0, 0);
      PostMessageW(window, 0x8004, 0, 0);
      return 1;
    case 0x8004:
      if (view != nullptr) view->DisplayCommand(view->AutoScrolling() ? 81 : 79);
      return 1;
    case 0x8005:
      Execute(frame, 86);
      return 1;
    case kSpeechStep:
      return 1;
    case 0x8007:
    case 0x8008:
      // The wait message of a card scan ("Please wait while loading from
      // memory card") needs the tip pop-up, which this frame lacks yet.
      return 1;
    case 0x8009:
      return 2;
    case 0x8101:
      wrapper->OnStorageNotification(lParam);
      break;
    case kArmPendingCommandsMessage:
      if (controller != nullptr) controller->ArmPendingCommands();
      return 1;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = 3;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kMainWindowClass;
  if (RegisterClassW(&wc) != 0) return true;
  return GetLastError() == kErrorClassAlreadyExists;
}
