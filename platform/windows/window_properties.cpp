// Window values, text, the parent link, validity and finding windows by class
// and title across processes.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/core/last_error.h"
#include "platform/threads/threads.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/window_registry.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace {

// The local window for a value call, or null with the last error set.
bool CheckLocal(HWND window) {
  if (IsLocalWindow(window)) return true;
  SetLastError(IsRemoteWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

bool ExtraFits(HWND window, int index, size_t size) {
  if (index >= 0 && static_cast<size_t>(index) + size <= window->extra.size()) return true;
  SetLastError(ERROR_INVALID_INDEX);
  return false;
}

// Reads or replaces (when `replace`) one value; false for a bad index.
bool AccessValue(HWND window, int index, bool replace, LONG_PTR value, LONG_PTR* previous) {
  switch (index) {
    case GWL_WNDPROC:
      *previous = reinterpret_cast<LONG_PTR>(window->procedure);
      if (replace) window->procedure = reinterpret_cast<WNDPROC>(value);
      return true;
    case GWL_USERDATA:
      *previous = window->userData;
      if (replace) window->userData = value;
      return true;
    case GWL_STYLE:
      *previous = static_cast<LONG_PTR>(static_cast<LONG>(window->style));
      if (replace) window->style = static_cast<DWORD>(value);
      return true;
    case GWL_EXSTYLE:
      *previous = static_cast<LONG_PTR>(static_cast<LONG>(window->exStyle));
      if (replace) window->exStyle = static_cast<DWORD>(value);
      return true;
    case GWL_ID:
      *previous = window->childId;
      if (replace) window->childId = value;
      return true;
    case GWL_HINSTANCE:
      *previous = reinterpret_cast<LONG_PTR>(window->instance);
      if (replace) window->instance = reinterpret_cast<HINSTANCE>(value);
      return true;
    case GWL_HWNDPARENT:
      *previous = reinterpret_cast<LONG_PTR>(window->parent ? window->parent : window->owner);
      if (replace) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
      }
      return true;
    default:
      if (!ExtraFits(window, index, sizeof(LONG_PTR))) return false;
      std::memcpy(previous, window->extra.data() + index, sizeof(LONG_PTR));
      if (replace) std::memcpy(window->extra.data() + index, &value, sizeof(LONG_PTR));
      return true;
  }
}

// The 32-bit forms: the extra bytes are read as 32-bit values, the rest
// through AccessValue, and the procedure not at all.
bool AccessLong(HWND window, int index, bool replace, LONG value, LONG* previous) {
  if (index == GWL_WNDPROC) {
    SetLastError(ERROR_INVALID_INDEX);
    return false;
  }
  if (index >= 0) {
    if (!ExtraFits(window, index, sizeof(LONG))) return false;
    std::memcpy(previous, window->extra.data() + index, sizeof(LONG));
    if (replace) std::memcpy(window->extra.data() + index, &value, sizeof(LONG));
    return true;
  }
  LONG_PTR wide = 0;
  if (!AccessValue(window, index, replace, value, &wide)) return false;
  *previous = static_cast<LONG>(wide);
  return true;
}

bool ClassMatches(const std::u16string& className, const std::u16string* wanted) {
  return wanted == nullptr || FoldClassName(className) == FoldClassName(*wanted);
}

// A changed style reaches the window as WM_STYLECHANGED (wParam the index,
// lParam the old and new styles), after the change and outside the lock, so
// that a control lays itself out again by its new bits. Showing and hiding
// through WS_VISIBLE needs no message: visibility is read from the style.
void TellStyleChange(HWND window, int index, DWORD previous, DWORD value) {
  if ((index != GWL_STYLE && index != GWL_EXSTYLE) || previous == value) return;
  STYLESTRUCT change{previous, value};
  SendMessageW(window, WM_STYLECHANGED, static_cast<WPARAM>(static_cast<intptr_t>(index)),
               reinterpret_cast<LPARAM>(&change));
}

}  // namespace

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  LONG_PTR value = 0;
  if (!CheckLocal(window) || !AccessValue(window, index, false, 0, &value)) return 0;
  return value;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  LONG_PTR previous = 0;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckLocal(window) || !AccessValue(window, index, true, value, &previous)) return 0;
  }
  TellStyleChange(window, index, static_cast<DWORD>(previous), static_cast<DWORD>(value));
  return previous;
}

LONG GetWindowLongW(HWND window, int index) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  LONG value = 0;
  if (!CheckLocal(window) || !AccessLong(window, index, false, 0, &value)) return 0;
  return value;
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
  LONG previous = 0;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckLocal(window) || !AccessLong(window, index, true, value, &previous)) return 0;
  }
  TellStyleChange(window, index, static_cast<DWORD>(previous), static_cast<DWORD>(value));
  return previous;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckLocal(window)) return FALSE;
  }
  return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  bool remote = false;
  WindowIdentity identity;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    remote = IsRemoteWindow(window);
    if (remote) identity = window->identity;
    else if (!CheckLocal(window)) {
      buffer[0] = 0;
      return 0;
    }
  }
  if (!remote) return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                                    reinterpret_cast<LPARAM>(buffer)));
  RegisteredWindow entry;
  buffer[0] = 0;
  if (!FindRegistration(identity, &entry)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  size_t copied = std::min(entry.title.size(), static_cast<size_t>(capacity - 1));
  std::copy(entry.title.begin(), entry.title.begin() + static_cast<std::ptrdiff_t>(copied), buffer);
  buffer[copied] = 0;
  return static_cast<int>(copied);
}

int GetWindowTextLengthW(HWND window) {
  bool remote = false;
  WindowIdentity identity;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    remote = IsRemoteWindow(window);
    if (remote) identity = window->identity;
    else if (!CheckLocal(window)) return 0;
  }
  if (!remote) return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  RegisteredWindow entry;
  if (!FindRegistration(identity, &entry)) return 0;
  return static_cast<int>(entry.title.size());
}

BOOL IsWindow(HWND window) {
  WindowIdentity identity;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (IsLocalWindow(window)) return TRUE;
    if (!IsRemoteWindow(window)) return FALSE;
    identity = window->identity;
  }
  RegisteredWindow entry;
  return FindRegistration(identity, &entry) ? TRUE : FALSE;
}

HWND GetParent(HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (IsRemoteWindow(window)) return nullptr;
  if (!CheckLocal(window)) return nullptr;
  return window->parent ? window->parent : window->owner;
}

BOOL IsChild(HWND parent, HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(parent) || !IsLocalWindow(window) || parent == window) return FALSE;
  return IsDescendant(parent, window) ? TRUE : FALSE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
  try {
    std::u16string wantedClass;
    const std::u16string* classFilter = nullptr;
    std::u16string wantedTitle = title ? title : u"";
    HWND best = nullptr;
    uint64_t bestStamp = 0;
    {
      WindowManager& m = Manager();
      std::lock_guard<std::mutex> guard(m.lock);
      if (className != nullptr) {
        if (IsIntAtom(className)) {
          std::shared_ptr<WindowClass> byAtom = FindClass(className);
          if (!byAtom) return nullptr;
          wantedClass = byAtom->name;
        } else {
          wantedClass = className;
        }
        classFilter = &wantedClass;
      }
      for (HWND window : m.topLevel) {
        if (window->destroying || !ClassMatches(window->windowClass->name, classFilter)) continue;
        if (title != nullptr && window->title != wantedTitle) continue;
        best = window;
        bestStamp = window->createdAt;
        break;
      }
    }
    for (const RegisteredWindow& entry : OtherProcessesWindows()) {
      if (best != nullptr && entry.createdAt >= bestStamp) break;
      if (!ClassMatches(entry.className, classFilter)) continue;
      if (title != nullptr && entry.title != wantedTitle) continue;
      std::lock_guard<std::mutex> guard(Manager().lock);
      best = RemoteWindowFor(entry.identity, entry.className);
      break;
    }
    return best;
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (IsLocalWindow(window)) {
    if (processId) *processId = GetCurrentProcessId();
    return window->queue->threadId;
  }
  if (IsRemoteWindow(window)) {
    if (processId) *processId = window->identity.pid;
    return 0;
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return 0;
}
