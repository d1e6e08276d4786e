// Pop-up menus: the owner is told first (WM_INITMENUPOPUP), the choice is
// made by the user (in test builds, by the script a test gave), and it is
// answered or posted to the owner as WM_COMMAND. Menus do not take the
// activation.
#include "platform/core/last_error.h"
#include "platform/menus/menu_object.h"
#include "platform/menus/menus.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

// Whether `id` names an enabled command item of the menu or its sub-menus.
bool Choosable(HMENU menu, UINT id) {
  for (const MenuItem& item : menu->items) {
    if (item.subMenu != nullptr) {
      if (IsLiveMenu(item.subMenu) && Choosable(item.subMenu, id)) return true;
    } else if ((item.type & MFT_SEPARATOR) == 0 && item.id == id && (item.state & (MF_GRAYED | MF_DISABLED)) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int, int, HWND owner, const TPMPARAMS*) {
  if (!IsLiveMenu(menu) || !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  if (!IsLiveMenu(menu)) return FALSE;  // the owner destroyed it
  UINT chosen = 0;
#ifdef TESSALYN_TEST_HOOKS
  devtest::PopupMenuRecord record;
  record.flags = flags;
  for (const MenuItem& item : menu->items) {
    record.items.push_back({item.id, item.text, (item.state & MF_CHECKED) != 0,
                            (item.state & (MF_GRAYED | MF_DISABLED)) != 0, (item.type & MFT_SEPARATOR) != 0,
                            item.subMenu != nullptr});
  }
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::PopupMenu)) {
    record.scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::PopupMenu;
    view.menu = menu;
    bool ended = false;
    view.end = [&](INT_PTR id) {
      if (ended) return;
      ended = true;
      // A grey item, a separator or a sub-menu's title chooses nothing.
      if (IsLiveMenu(menu) && Choosable(menu, static_cast<UINT>(id))) chosen = static_cast<UINT>(id);
    };
    script(view);
  }
  record.answer = chosen;
  devtest::PopupMenuJournal().push_back(std::move(record));
#endif
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen != 0) PostMessageW(owner, WM_COMMAND, chosen, 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
