// Creating and destroying windows of this process.
#include <time.h>

#include <new>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/threads/threads.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/window_registry.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace {

uint64_t CreationStamp() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

// Makes the object and links it in; null (with the last error set) when the
// arguments do not allow the window.
HWND MakeWindow(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu, HINSTANCE instance) {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  std::shared_ptr<WindowClass> windowClass = FindClass(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool child = (style & WS_CHILD) != 0;
  if (child && parent == nullptr) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (parent != nullptr && (!IsLocalWindow(parent) || parent->destroying)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto* window = new WindowObject;
  window->windowClass = windowClass;
  window->procedure = windowClass->procedure;
  window->title = title ? title : u"";
  window->style = style & ~WS_VISIBLE;  // shown once WM_CREATE has passed
  window->exStyle = exStyle;
  if (child) {
    window->parent = parent;
    window->childId = static_cast<LONG_PTR>(reinterpret_cast<uintptr_t>(menu));
  } else {
    window->owner = TopLevelOf(parent);
    window->menu = menu;
  }
  window->instance = instance;
  // A top-level window's default place is the work area; a child's is 0.
  RECT work = child ? RECT{0, 0, 0, 0} : WorkArea();
  window->x = x == CW_USEDEFAULT ? work.left : x;
  window->y = x == CW_USEDEFAULT ? work.top : y;
  window->width = width == CW_USEDEFAULT ? work.right - work.left : width;
  window->height = width == CW_USEDEFAULT ? work.bottom - work.top : height;
  if (window->width < 0) window->width = 0;
  if (window->height < 0) window->height = 0;
  RaiseWindow(window);
  window->extra.assign(static_cast<size_t>(windowClass->windowExtra), 0);
  window->queue = CurrentQueue();
  window->identity = LocalIdentity(m.nextSerial++);
  window->createdAt = CreationStamp();

  m.live.insert(window);
  ++windowClass->liveWindows;
  if (child) {
    parent->children.push_back(window);
  } else {
    m.topLevel.push_back(window);
    AddRegistration(RegisteredWindow{window->identity, window->createdAt, windowClass->name, window->title});
    EnsureListening();
  }
  return window;
}

// The window and its descendants, parents before children.
void CollectTree(HWND window, std::vector<HWND>* out) {
  out->push_back(window);
  for (HWND child : window->children) CollectTree(child, out);
}

}  // namespace

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID createParameter) {
  HWND window = nullptr;
  try {
    window = MakeWindow(exStyle, className, title, style, x, y, width, height, parent, menu, instance);
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (window == nullptr) return nullptr;
  CREATESTRUCTW create{};
  create.lpCreateParams = createParameter;
  create.hInstance = instance;
  create.hMenu = menu;
  create.hwndParent = parent;
  create.cx = width;
  create.cy = height;
  create.x = x;
  create.y = y;
  create.style = static_cast<LONG>(style);
  create.lpszName = title;
  create.lpszClass = className;
  create.dwExStyle = exStyle;
  LRESULT answer = CallOwnProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
  if (answer == -1) {
    DestroyWindow(window);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // The client area's size and place, then the window shows when asked.
  LPARAM size = 0;
  LPARAM place = 0;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsLocalWindow(window)) return nullptr;
    RECT client = ClientRectLocal(window);
    size = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    int frame = FrameWidth(window);
    place = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(window->x + frame), static_cast<WORD>(window->y + frame)));
  }
  CallOwnProcedure(window, WM_SIZE, SIZE_RESTORED, size);
  CallOwnProcedure(window, WM_MOVE, 0, place);
  if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
  std::lock_guard<std::mutex> guard(Manager().lock);
  return IsLocalWindow(window) ? window : nullptr;
}

BOOL DestroyWindow(HWND window) {
  WindowManager& m = Manager();
  std::vector<HWND> owned;
  std::vector<HWND> tree;
  bool topLevel = false;
  bool shown = false;
  RECT area{0, 0, 0, 0};
  {
    std::lock_guard<std::mutex> guard(m.lock);
    if (!IsLocalWindow(window)) {
      SetLastError(IsRemoteWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (window->queue != CurrentQueue()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (window->destroying) return TRUE;  // already on its way out
    CollectTree(window, &tree);
    for (HWND member : tree) member->destroying = true;
    topLevel = window->parent == nullptr;
    shown = IsShown(window);
    area = WindowRectOnScreen(window);
    for (HWND other : m.topLevel)
      if (other->owner == window) owned.push_back(other);
  }
  for (HWND other : owned) DestroyWindow(other);
  // The activation passes on before the window goes, as when it is hidden.
  if (topLevel) PassActivationOn(window);
  for (HWND member : tree) CallOwnProcedure(member, WM_DESTROY, 0, 0);
  for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
    CallOwnProcedure(*it, WM_NCDESTROY, 0, 0);
    std::lock_guard<std::mutex> guard(m.lock);
    DiscardWindow(*it);
  }
  if (shown) {
    std::lock_guard<std::mutex> guard(m.lock);
    InvalidateScreenArea(area);
  }
  return TRUE;
}
