// What tests read of the controls (test and fuzz builds only; tests reach
// it through platform/testing/ui.h): list-view rows and columns, toolbar
// buttons, status-bar parts, the cursor and its journal.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the control hooks exist only in test and fuzz builds"
#endif

#include <string>
#include <vector>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

namespace devtest {

struct ListViewRowInfo {
  std::vector<std::u16string> texts;  // per column
  int image = -1;
  UINT state = 0;       // the LVIS_ bits
  int checkState = 0;   // the state image: 0 none, 1 unchecked, 2 checked
  LPARAM lParam = 0;
  bool selected = false;
  bool focused = false;
};

struct ListViewInfo {
  bool valid = false;  // the window is a list view
  std::vector<ListViewRowInfo> rows;
  std::vector<int> columnWidths;
  std::vector<std::u16string> columnTitles;
  DWORD extendedStyle = 0;
  int top = 0;
  int editedRow = -1;      // the row whose label is being edited
  HWND editor = nullptr;
};
ListViewInfo ListViewOf(HWND listView);

struct ToolbarButtonInfo {
  int id = 0;
  BYTE state = 0;
  BYTE style = 0;
  std::u16string text;
  int image = -1;
  std::u16string tooltip;
};
std::vector<ToolbarButtonInfo> ToolbarButtonsOf(HWND toolbar);
// The index of the button whose tooltip shows now, or -1.
int ToolbarTooltipShown(HWND toolbar);

struct StatusPartInfo {
  int right = -1;
  std::u16string text;
  bool noBorders = false;
};
std::vector<StatusPartInfo> StatusPartsOf(HWND statusBar);
bool StatusBarSimple(HWND statusBar);

// "arrow", "wait", "none" (hidden) or "other".
std::string CurrentCursorName();
// Every SetCursor since the reset, by name.
std::vector<std::string> CursorJournal();
void ResetCursor();

}  // namespace devtest
