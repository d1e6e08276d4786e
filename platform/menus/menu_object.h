// What a menu handle points to (inside the menus area only).
#pragma once

#include <string>
#include <vector>

#include "platform/menus/menus.h"

struct MenuItem {
  UINT id = 0;
  UINT type = MFT_STRING;
  UINT state = 0;
  HMENU subMenu = nullptr;
  ULONG_PTR data = 0;
  std::u16string text;
};

struct MenuObject {
  bool popup = false;
  std::vector<MenuItem> items;
};

// Whether `menu` is a menu made here and not destroyed yet.
bool IsLiveMenu(HMENU menu);
