// The menus of menus.h: each menu a list of items, every live menu kept in
// one set so that a handle is checked before it is used.
#include "platform/menus/menus.h"

#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/menus/menu_object.h"

namespace {

std::set<MenuObject*>& LiveMenus() {
  static std::set<MenuObject*> menus;
  return menus;
}

HMENU Make(bool popup) {
  auto* menu = new (std::nothrow) MenuObject;
  if (menu == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  menu->popup = popup;
  LiveMenus().insert(menu);
  return menu;
}

// The item `item` names (by position or by command; by command also in the
// sub-menus), with the menu holding it.
MenuItem* Find(HMENU menu, UINT item, bool byPosition, MenuObject** holder = nullptr) {
  if (!IsLiveMenu(menu)) return nullptr;
  if (byPosition) {
    if (item >= menu->items.size()) return nullptr;
    if (holder != nullptr) *holder = menu;
    return &menu->items[item];
  }
  for (MenuItem& entry : menu->items) {
    if (entry.subMenu == nullptr && entry.id == item) {
      if (holder != nullptr) *holder = menu;
      return &entry;
    }
    if (entry.subMenu != nullptr) {
      if (MenuItem* found = Find(entry.subMenu, item, false, holder)) return found;
    }
  }
  return nullptr;
}

MenuItem ItemFromFlags(UINT flags, UINT_PTR newItem, LPCWSTR text) {
  MenuItem item;
  item.type = (flags & MF_SEPARATOR) != 0 ? MFT_SEPARATOR : MFT_STRING;
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  if ((flags & MF_POPUP) != 0) {
    item.subMenu = reinterpret_cast<HMENU>(newItem);
    item.id = 0xFFFFFFFFu;
  } else {
    item.id = static_cast<UINT>(newItem);
  }
  if (text != nullptr && item.type == MFT_STRING) item.text = text;
  return item;
}

bool Insert(HMENU menu, UINT position, bool byPosition, MenuItem item) {
  if (!IsLiveMenu(menu) || (item.subMenu != nullptr && !IsLiveMenu(item.subMenu))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  MenuObject* holder = menu;
  size_t at = menu->items.size();
  if (byPosition) {
    if (position < at) at = position;
  } else if (position != 0xFFFFFFFFu) {
    MenuItem* before = Find(menu, position, false, &holder);
    if (before != nullptr) at = static_cast<size_t>(before - holder->items.data());
    else holder = menu;
  }
  holder->items.insert(holder->items.begin() + static_cast<ptrdiff_t>(at), std::move(item));
  return true;
}

void Destroy(MenuObject* menu) {
  for (MenuItem& item : menu->items) {
    if (item.subMenu != nullptr && IsLiveMenu(item.subMenu)) Destroy(item.subMenu);
  }
  LiveMenus().erase(menu);
  delete menu;
}

bool Take(HMENU menu, UINT position, UINT flags, bool destroySub) {
  MenuObject* holder = nullptr;
  MenuItem* item = Find(menu, position, (flags & MF_BYPOSITION) != 0, &holder);
  if (item == nullptr) return false;
  if (destroySub && item->subMenu != nullptr && IsLiveMenu(item->subMenu)) Destroy(item->subMenu);
  holder->items.erase(holder->items.begin() + (item - holder->items.data()));
  return true;
}

}  // namespace

bool IsLiveMenu(HMENU menu) { return menu != nullptr && LiveMenus().count(menu) != 0; }

HMENU CreateMenu() { return Make(false); }
HMENU CreatePopupMenu() { return Make(true); }

BOOL DestroyMenu(HMENU menu) {
  if (!IsLiveMenu(menu)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Destroy(menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return IsLiveMenu(menu) ? TRUE : FALSE; }

int GetMenuItemCount(HMENU menu) {
  if (!IsLiveMenu(menu)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return static_cast<int>(menu->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  if (position < 0) return 0xFFFFFFFFu;
  MenuItem* item = Find(menu, static_cast<UINT>(position), true);
  return item != nullptr && item->subMenu == nullptr ? item->id : 0xFFFFFFFFu;
}

HMENU GetSubMenu(HMENU menu, int position) {
  if (position < 0) return nullptr;
  MenuItem* item = Find(menu, static_cast<UINT>(position), true);
  return item != nullptr ? item->subMenu : nullptr;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR newItem, LPCWSTR text) {
  return Insert(menu, 0xFFFFFFFFu, true, ItemFromFlags(flags, newItem, text)) ? TRUE : FALSE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, LPCWSTR text) {
  return Insert(menu, position, (flags & MF_BYPOSITION) != 0, ItemFromFlags(flags, newItem, text)) ? TRUE : FALSE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, LPCWSTR text) {
  MenuItem* item = Find(menu, position, (flags & MF_BYPOSITION) != 0);
  if (item == nullptr) return FALSE;
  MenuItem replaced = ItemFromFlags(flags, newItem, text);
  if (replaced.subMenu != nullptr && !IsLiveMenu(replaced.subMenu)) return FALSE;
  replaced.data = item->data;
  *item = std::move(replaced);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, false) ? TRUE : FALSE; }
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, true) ? TRUE : FALSE; }

BOOL GetMenuItemInfoW(HMENU menu, UINT position, BOOL byPosition, MENUITEMINFOW* info) {
  if (info == nullptr || info->cbSize != sizeof(MENUITEMINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MenuItem* item = Find(menu, position, byPosition != FALSE);
  if (item == nullptr) return FALSE;
  if (info->fMask & MIIM_STATE) info->fState = item->state;
  if (info->fMask & MIIM_ID) info->wID = item->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = item->subMenu;
  if (info->fMask & MIIM_DATA) info->dwItemData = item->data;
  if (info->fMask & MIIM_TYPE) {
    info->fType = item->type;
    UINT length = static_cast<UINT>(item->text.size());
    if (info->dwTypeData != nullptr && info->cch > 0) {
      UINT copied = length < info->cch - 1 ? length : info->cch - 1;
      item->text.copy(info->dwTypeData, copied);
      info->dwTypeData[copied] = 0;
      info->cch = copied;
    } else {
      info->cch = length;
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfoW(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
  if (info == nullptr || info->cbSize != sizeof(MENUITEMINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MenuItem* item = Find(menu, position, byPosition != FALSE);
  if (item == nullptr) return FALSE;
  if ((info->fMask & MIIM_SUBMENU) && info->hSubMenu != nullptr && !IsLiveMenu(info->hSubMenu)) return FALSE;
  if (info->fMask & MIIM_STATE) item->state = info->fState;
  if (info->fMask & MIIM_ID) item->id = info->wID;
  if (info->fMask & MIIM_SUBMENU) item->subMenu = info->hSubMenu;
  if (info->fMask & MIIM_DATA) item->data = info->dwItemData;
  if (info->fMask & MIIM_TYPE) {
    item->type = info->fType;
    if ((info->fType & MFT_SEPARATOR) == 0) item->text = info->dwTypeData != nullptr ? info->dwTypeData : u"";
  }
  return TRUE;
}

BOOL InsertMenuItemW(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
  if (info == nullptr || info->cbSize != sizeof(MENUITEMINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MenuItem item;
  if (info->fMask & MIIM_STATE) item.state = info->fState;
  if (info->fMask & MIIM_ID) item.id = info->wID;
  if (info->fMask & MIIM_SUBMENU) item.subMenu = info->hSubMenu;
  if (info->fMask & MIIM_DATA) item.data = info->dwItemData;
  if (info->fMask & MIIM_TYPE) {
    item.type = info->fType;
    if ((info->fType & MFT_SEPARATOR) == 0 && info->dwTypeData != nullptr) item.text = info->dwTypeData;
  }
  return Insert(menu, position, byPosition != FALSE, std::move(item)) ? TRUE : FALSE;
}

DWORD CheckMenuItem(HMENU menu, UINT position, UINT flags) {
  MenuItem* item = Find(menu, position, (flags & MF_BYPOSITION) != 0);
  if (item == nullptr) return 0xFFFFFFFFu;
  DWORD previous = item->state & MF_CHECKED;
  item->state = (item->state & ~MF_CHECKED) | (flags & MF_CHECKED);
  return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  if (!IsLiveMenu(menu)) return FALSE;
  bool byPosition = (flags & MF_BYPOSITION) != 0;
  bool found = false;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    MenuItem& item = menu->items[i];
    UINT key = byPosition ? static_cast<UINT>(i) : item.id;
    if (key < first || key > last || item.subMenu != nullptr) continue;
    if (key == check) {
      item.state |= MF_CHECKED;
      item.type |= MFT_RADIOCHECK;
      found = true;
    } else {
      item.state &= ~MF_CHECKED;
    }
  }
  return found ? TRUE : FALSE;
}

UINT EnableMenuItem(HMENU menu, UINT position, UINT flags) {
  MenuItem* item = Find(menu, position, (flags & MF_BYPOSITION) != 0);
  if (item == nullptr) return 0xFFFFFFFFu;
  UINT previous = item->state & (MF_GRAYED | MF_DISABLED);
  item->state = (item->state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return previous;
}
