// The list view's state and the operations its three files share
// (internal to platform/controls): the rows and columns (list_view.cpp),
// painting (list_view_paint.cpp), the stylus, keys and label editing
// (list_view_input.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/list_view.h"
#include "platform/controls/scroll_bar.h"

namespace devcontrols {

struct ListColumn {
  int format = LVCFMT_LEFT;
  int width = 0;
  std::u16string text;
};

struct ListRow {
  std::vector<std::u16string> texts;  // per column; missing ones are empty
  int image = -1;
  UINT state = 0;
  LPARAM lParam = 0;
};

struct ListViewState : ControlBase {
  std::vector<ListColumn> columns;
  std::vector<ListRow> rows;
  DWORD extendedStyle = 0;
  HIMAGELIST smallImages = nullptr;
  HIMAGELIST stateImages = nullptr;
  COLORREF background = CLR_DEFAULT;
  COLORREF textColour = CLR_DEFAULT;
  COLORREF textBackground = CLR_DEFAULT;
  int top = 0;  // the first row shown
  bool focused = false;
  // The stylus: where it went down and what it does.
  enum class Stroke { None, Row, Scroll, Thumb } stroke = Stroke::None;
  POINT down{0, 0};
  int downRow = -1;
  int downTop = 0;
  bool downWasSelected = false;
  bool downOnLabel = false;
  // The last tap's end, to tell a double tap (NM_DBLCLK).
  DWORD lastTapTime = 0;
  POINT lastTap{-1000, -1000};
  int lastTapRow = -1;
  bool doubleTap = false;
  // Label editing.
  HWND editor = nullptr;
  int editedRow = -1;
  WNDPROC editorProcedure = nullptr;
};

// Geometry.
int RowHeight(const ListViewState& s);
int HeaderHeight(HWND window, const ListViewState& s);
int RowsPerPage(HWND window, const ListViewState& s);
bool ScrollBarShown(HWND window, const ListViewState& s);
RECT RowsArea(HWND window, const ListViewState& s);  // below the header, left of the scroll bar
int ColumnLeft(const ListViewState& s, int column);
int IconWidth(const ListViewState& s);    // the small image's width, 0 without images
int CheckWidth(const ListViewState& s);   // the check box cell, 0 without check boxes
bool RowRect(HWND window, const ListViewState& s, int row, int part, RECT* out);
bool CellRect(HWND window, const ListViewState& s, int row, int column, int part, RECT* out);
int RowAt(HWND window, const ListViewState& s, POINT p);  // -1 for none

// Rows.
bool ValidRow(const ListViewState& s, int row);
// Changes the bits of `mask` of a row's state to `state`, with
// LVN_ITEMCHANGING (which may refuse) and LVN_ITEMCHANGED; single selection
// and the one focused row are kept. True when it changed.
bool ChangeRowState(HWND window, ListViewState& s, int row, UINT state, UINT mask, POINT action = {-1, -1});
// Selects and focuses one row (deselecting the rest) and shows it.
void SelectOnly(HWND window, ListViewState& s, int row, POINT action = {-1, -1});
void SetTop(HWND window, ListViewState& s, int top);
void EnsureVisible(HWND window, ListViewState& s, int row);
void ToggleCheck(HWND window, ListViewState& s, int row);

// Painting, input, label editing.
void PaintListView(HWND window, ListViewState& s);
bool HandleListViewInput(HWND window, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam);
HWND BeginLabelEdit(HWND window, ListViewState& s, int row);
void EndLabelEdit(HWND window, ListViewState& s, bool cancelled);

}  // namespace devcontrols
