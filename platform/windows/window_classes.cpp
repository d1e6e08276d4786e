// Window classes of this process: registration by name (compared without
// case) with an atom, look-up, and removal once no window uses the class.
#include <algorithm>
#include <new>

#include "platform/core/last_error.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/windows.h"

using namespace devwin;

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr || IsIntAtom(windowClass->lpszClassName) ||
      windowClass->lpszClassName[0] == 0 || windowClass->cbWndExtra < 0 || windowClass->cbClsExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  try {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    std::u16string key = FoldClassName(windowClass->lpszClassName);
    if (m.classes.count(key) != 0) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
    auto made = std::make_shared<WindowClass>();
    made->name = windowClass->lpszClassName;
    made->atom = m.nextAtom++;
    if (m.nextAtom == 0) m.nextAtom = 0xC000;
    made->style = windowClass->style;
    made->procedure = windowClass->lpfnWndProc;
    made->classExtra = windowClass->cbClsExtra;
    made->windowExtra = windowClass->cbWndExtra;
    made->instance = windowClass->hInstance;
    made->icon = windowClass->hIcon;
    made->cursor = windowClass->hCursor;
    made->background = windowClass->hbrBackground;
    made->menuName = windowClass->lpszMenuName;
    m.classes[key] = made;
    return made->atom;
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  std::shared_ptr<WindowClass> found = FindClass(className);
  if (!found) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (found->liveWindows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  m.classes.erase(FoldClassName(found->name));
  return TRUE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* out) {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  std::shared_ptr<WindowClass> found = FindClass(className);
  if (!found || out == nullptr) {
    SetLastError(found ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  out->style = found->style;
  out->lpfnWndProc = found->procedure;
  out->cbClsExtra = found->classExtra;
  out->cbWndExtra = found->windowExtra;
  out->hInstance = found->instance;
  out->hIcon = found->icon;
  out->hCursor = found->cursor;
  out->hbrBackground = found->background;
  out->lpszMenuName = found->menuName;
  out->lpszClassName = className;
  return TRUE;
}

int GetClassNameW(HWND window, LPWSTR buffer, int capacity) {
  std::u16string name;
  {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (IsLocalWindow(window)) {
      name = window->windowClass->name;
    } else if (IsRemoteWindow(window)) {
      name = window->remoteClassName;
    } else {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  }
  if (buffer == nullptr || capacity <= 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  size_t copied = std::min(name.size(), static_cast<size_t>(capacity - 1));
  std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(copied), buffer);
  buffer[copied] = 0;
  return static_cast<int>(copied);
}
