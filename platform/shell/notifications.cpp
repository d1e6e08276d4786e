// aygshell's notification bubbles: added, replaced and removed by class and
// identifier. Nothing on the host shows them, so adding one fails with
// ERROR_NOT_SUPPORTED unless a test shows them (and reads them back).
#include "platform/core/last_error.h"
#include "platform/shell/shell_state.h"

namespace devshell {
namespace {

std::vector<ShownNotification>::iterator FindShown(ShellState& state, const CLSID& clsid, DWORD id) {
  auto it = state.notifications.begin();
  for (; it != state.notifications.end(); ++it)
    if (it->clsid == clsid && it->id == id) break;
  return it;
}

}  // namespace

LRESULT SHNotificationAdd(SHNOTIFICATIONDATA* data) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!data || data->cbStruct < sizeof(SHNOTIFICATIONDATA))
    return static_cast<LRESULT>(Record(state, "SHNotificationAdd", nullptr, {}, u"", E_INVALIDARG));
  bool shownToTest = false;
#ifdef TESSALYN_TEST_HOOKS
  shownToTest = state.notificationsShown;
#endif
  if (!shownToTest)
    return static_cast<LRESULT>(Record(state, "SHNotificationAdd", data->hwndSink,
                                       {data->dwID, data->npPriority, data->csDuration, data->grfFlags},
                                       TextOf(data->pszTitle), ERROR_NOT_SUPPORTED));
  ShownNotification shown{data->clsid,    data->dwID,     data->npPriority,      data->csDuration,
                          data->grfFlags, data->hwndSink, TextOf(data->pszHTML), TextOf(data->pszTitle),
                          data->lParam};
  auto it = FindShown(state, data->clsid, data->dwID);
  if (it != state.notifications.end()) state.notifications.erase(it);
  state.notifications.push_back(shown);
  return static_cast<LRESULT>(Record(state, "SHNotificationAdd", data->hwndSink,
                                     {data->dwID, data->npPriority, data->csDuration, data->grfFlags},
                                     TextOf(data->pszTitle), ERROR_SUCCESS));
}

LRESULT SHNotificationRemove(const CLSID* clsid, DWORD id) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  LRESULT result = ERROR_FILE_NOT_FOUND;
  if (clsid) {
    auto it = FindShown(state, *clsid, id);
    if (it != state.notifications.end()) {
      state.notifications.erase(it);
      result = ERROR_SUCCESS;
    }
  }
  return static_cast<LRESULT>(Record(state, "SHNotificationRemove", nullptr, {id}, u"", result));
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<ShownNotification> ShownNotifications() {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.notifications;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
