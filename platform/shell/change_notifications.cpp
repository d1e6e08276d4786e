// aygshell's file-system change notifications: the windows registered for
// them, and the notification records the shell hands out and takes back.
#include "platform/shell/shell_state.h"

namespace devshell {

BOOL SHChangeNotifyRegister(HWND window, SHCHANGENOTIFYENTRY* entry) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!window || !entry) return static_cast<BOOL>(Record(state, "SHChangeNotifyRegister", window, {}, u"", FALSE));
  ChangeNotifyRegistration registration{window, static_cast<LONG>(entry->dwEventMask),
                                                 TextOf(entry->pszWatchDir), entry->fRecursive != 0};
  bool replaced = false;
  for (auto& existing : state.changeRegistrations) {
    if (existing.window != window) continue;
    existing = registration;
    replaced = true;
  }
  if (!replaced) state.changeRegistrations.push_back(registration);
  return static_cast<BOOL>(Record(state, "SHChangeNotifyRegister", window,
                                  {entry->dwEventMask, entry->fRecursive ? 1 : 0}, registration.folder, TRUE));
}

BOOL SHChangeNotifyDeregister(HWND window) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  BOOL result = FALSE;
  auto& list = state.changeRegistrations;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->window != window) continue;
    list.erase(it);
    result = TRUE;
    break;
  }
  return static_cast<BOOL>(Record(state, "SHChangeNotifyDeregister", window, {}, u"", result));
}

void SHChangeNotifyFree(FILECHANGENOTIFY* notification) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto it = state.liveFileChanges.find(notification);
  if (it == state.liveFileChanges.end()) {
    // Not one the shell handed out: nothing to free.
    Record(state, "SHChangeNotifyFree", nullptr, {}, u"", 0);
    return;
  }
  Record(state, "SHChangeNotifyFree", nullptr, {notification->fci.wEventId}, it->second->path, 1);
  if (notification->dwRefCount > 1) {
    --notification->dwRefCount;
    return;
  }
  state.liveFileChanges.erase(it);
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<ChangeNotifyRegistration> ChangeNotifyRegistrations() {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.changeRegistrations;
}

FILECHANGENOTIFY* MakeFileChangeNotification(LONG event, const std::u16string& path) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto owned = std::make_unique<devshell::OwnedFileChange>();
  owned->path = path;
  FILECHANGENOTIFY& n = owned->notification;
  n.dwRefCount = 1;
  n.fci.cbSize = sizeof(FILECHANGEINFO);
  n.fci.wEventId = event;
  n.fci.uFlags = SHCNF_PATH;
  n.fci.dwItem1 = reinterpret_cast<DWORD_PTR>(owned->path.c_str());
  FILECHANGENOTIFY* pointer = &owned->notification;
  state.liveFileChanges[pointer] = std::move(owned);
  return pointer;
}

int LiveFileChangeNotifications() {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<int>(state.liveFileChanges.size());
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
