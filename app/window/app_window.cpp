// AppWindow: creation, the first page, paint, size, keys, the stylus, the
// storage notifications and timer 133, and the close handling.
#include "app/window/app_window.h"

#include <new>

#include "app/buttons/hardware_buttons.h"
#include "app/controller/application_controller.h"
#include "app/environment/whole_text.h"
#include "app/preferences/preferences.h"
#include "app/window/key_records.h"
#include "foundation/system/late_bound_apis.h"
#include "foundation/system/platform_detection.h"
#include "platform/controls/cursor.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

constexpr DWORD kShowShellParts = 21;
constexpr LONG kMediaInserted = 32, kMediaRemoved = 64, kDriveRemoved = 128, kDriveAdded = 256;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

AppWindow::AppWindow() : style_(WS_VISIBLE), firstPaintPending_(1) {}

AppWindow::AppWindow(AppFrame* frame) : style_(WS_VISIBLE), frame_(frame) {}

AppWindow::~AppWindow() { ClearMediaPaths(); }

bool AppWindow::Create(const int32_t* rect, const WCHAR* title, bool layoutOnResize, bool topmost, HWND parent) {
  layoutOnResize_ = layoutOnResize ? 1 : 0;
  ClearHotKeyToggle();
  int32_t r[4];
  DefaultWindowRect(r);
  if (rect != nullptr && rect[2] >= 1 && rect[3] >= 1) {
    for (int i = 0; i < 4; ++i) r[i] = rect[i];
  }
  HWND made = CreateWindowExW(0, kMainWindowClass, u"", style_, r[0], r[1], r[2], r[3], parent,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(menuId_)), nullptr, this);
  if (title != nullptr && made != nullptr) SetTitle(title);
  if (topmost && made != nullptr) {
    SetWindowPos(made, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (made == nullptr || !IsWindow(made)) return false;
  if (frame_ != nullptr && frame_->controller != nullptr) frame_->controller->SetMainWindow(made);
  if (frame_ != nullptr && frame_->view != nullptr) {
    frame_->view->AttachWindow(made);
    RECT client{};
    GetClientRect(made, &client);
    frame_->view->Resize(client.right - client.left, client.bottom - client.top);
  }
  return true;
}

void AppWindow::SetTitle(const WCHAR* title) {
  if (window_ != nullptr) SetWindowTextW(window_, title);
}

bool AppWindow::OpenFirstPage(const EncodedString& commandLine, bool minimised, bool forced) {
  const bool noBook = commandLine.IsEmpty();
  const bool reopen = noBook && !forced;
  AppFrameView* view = frame_ != nullptr ? frame_->view : nullptr;
  bool ok = view != nullptr && view->Start(!reopen, noBook);
  if (ok && !noBook) {
    EncodedString address;
    CopyWholeTextAsUtf16(commandLine, &address);
    ok = view->OpenAddress(address, nullptr);
  }
  if (!ok && view != nullptr) {
    EncodedString library;
    library.FromWide(u"oeb:library");
    view->OpenAddress(library, nullptr);
  }
  if (window_ != nullptr) {
    ShowWindow(window_, minimised ? SW_FORCEMINIMIZE : SW_SHOWNORMAL);
    UpdateWindow(window_);
  }
  if (frame_ != nullptr && frame_->controller != nullptr) frame_->controller->FirstPageShown();
  return true;
}

void AppWindow::Show(bool show) {
  if (window_ != nullptr) ShowWindow(window_, show ? SW_SHOW : SW_HIDE);
}

void AppWindow::OnCreate() {
  RegisterMediaChangeNotify(window_);
  CallSHFullScreen(window_, kShowShellParts);
  if (frame_ != nullptr && frame_->controller != nullptr) {
    frame_->controller->SetMainWindow(window_);
    frame_->controller->CreateBars();
  }
}

void AppWindow::OnClose() {
  if (window_ != nullptr) UnregisterMediaChangeNotify(window_);
}

void AppWindow::OnKeyDown(uint32_t virtualKey) {
  if (frame_ == nullptr || frame_->view == nullptr) return;
  KeyState state;
  state.shift = KeyDown(VK_SHIFT);
  state.control = KeyDown(VK_CONTROL);
  state.orientation = static_cast<uint32_t>(GetScreenOrientation()) & 3;
  if (frame_->preferences != nullptr) {
    state.jogWheelFollowsLinks = frame_->preferences->jogWheelLinks != 0;
    state.actionKeyTogglesFullScreen = frame_->preferences->actionButtonTogglesFullScreen != 0;
  }
  UiCommand command;
  if (BuildKeyDownCommand(virtualKey, state, &command)) frame_->view->KeyCommand(command);
}

void AppWindow::OnPaint() {
  if (firstPaintPending_ != 0) {
    firstPaintPending_ = 0;
    InvalidateRect(window_, nullptr, TRUE);
    return;
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  if (dc != nullptr && frame_ != nullptr && frame_->view != nullptr) frame_->view->Paint(dc, paint.rcPaint);
  EndPaint(window_, &paint);
}

void AppWindow::OnSize() {
  if (layoutOnResize_ == 0 || window_ == nullptr) return;
  RECT client{};
  GetClientRect(window_, &client);
  RECT panel{};
  if (GetInputPanelState(&panel)) client.bottom -= panel.bottom - panel.top;
  if (frame_ == nullptr) return;
  if (frame_->controller != nullptr) {
    frame_->controller->LayoutPages(client);
    frame_->controller->SetViewArea(client, false);
  }
  if (frame_->view != nullptr) {
    frame_->view->DisplayCommand(80);
    frame_->view->Resize(client.right - client.left, client.bottom - client.top);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void AppWindow::OnMouseDown(POINT point) {
  if (frame_ != nullptr && frame_->view != nullptr) frame_->view->StylusEvent(WM_LBUTTONDOWN, point, true);
}

void AppWindow::OnMouseUp(POINT point) {
  if (frame_ != nullptr && frame_->view != nullptr) frame_->view->StylusEvent(WM_LBUTTONUP, point, false);
}

void AppWindow::OnMouseMove(bool leftDown, POINT point) {
  if (frame_ != nullptr && frame_->view != nullptr) frame_->view->StylusEvent(WM_MOUSEMOVE, point, leftDown);
}

void AppWindow::OnTimer(UINT_PTR id) {
  if (id == kStorageRescanTimer) {
    KillTimer(window_, kStorageRescanTimer);
    const bool check = frame_ != nullptr && frame_->preferences != nullptr &&
                       frame_->preferences->checkBooksOnCardEject != 0;
    if (check && frame_->view != nullptr) {
      for (uint32_t i = 0; i < pendingPaths_.count; ++i) {
        EncodedString* path = nullptr;
        pendingPaths_.ReadAt(i, &path, 1);
        if (path != nullptr) frame_->view->Reload(*path, false);
      }
    }
    ClearMediaPaths();
    SetCursor(previousCursor_);
    previousCursor_ = nullptr;
    return;
  }
  // The display manager's automatic-scroll tick, else the controller's
  // timer table.
  if (frame_ != nullptr && frame_->view != nullptr && frame_->view->DisplayTimer(id)) return;
  if (frame_ != nullptr && frame_->controller != nullptr) {
    frame_->controller->timerTable()->Dispatch(static_cast<TimerId>(id));
  }
}

void AppWindow::QueueMediaPath(const EncodedString& path) {
  auto* copy = new (std::nothrow) EncodedString;
  if (copy == nullptr) return;
  CopyWholeText(path, copy);
  if (pendingPaths_.Append(&copy) < 0) delete copy;
}

void AppWindow::ClearMediaPaths() {
  for (uint32_t i = 0; i < pendingPaths_.count; ++i) {
    EncodedString* path = nullptr;
    pendingPaths_.ReadAt(i, &path, 1);
    delete path;
  }
  pendingPaths_.Clear();
}

void AppWindow::OnStorageNotification(LPARAM record) {
  if (record == 0 || record == -4) return;
  auto* notification = reinterpret_cast<FILECHANGENOTIFY*>(record);
  StorageEventSink* loader = frame_ != nullptr ? frame_->loader : nullptr;
  if (loader != nullptr) {
    const auto* text = reinterpret_cast<const WCHAR*>(notification->fci.dwItem1);
    EncodedString folder;
    folder.FromWide(text != nullptr ? text : u"");
    folder.StripTrailingBackslash();
    folder.AppendChar('\\');
    folder.SelectAll();
    EncodedString display;
    const WCHAR* name = text != nullptr ? text : u"";
    if (notification->fci.wEventId == kDriveAdded && name[0] == u'\\') ++name;
    display.FromWide(name);
    const auto queueRescan = [&]() {
      SetTimer(window_, kStorageRescanTimer, kStorageRescanDelayMs, nullptr);
      HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      if (previousCursor_ == nullptr) previousCursor_ = previous;
      QueueMediaPath(folder);
    };
    switch (notification->fci.wEventId) {
      case kMediaInserted:
        loader->CatalogueAdd(folder);
        OnTimer(kStorageRescanTimer);
        break;
      case kMediaRemoved:
        loader->CatalogueRemove(folder);
        queueRescan();
        break;
      case kDriveRemoved:
        loader->CatalogueOpen(folder);
        queueRescan();
        break;
      case kDriveAdded:
        loader->CatalogueFind(folder, display);
        OnTimer(kStorageRescanTimer);
        break;
      default:
        break;
    }
  }
  FreeChangeNotification(notification);
}
