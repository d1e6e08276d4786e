// The list view: columns, rows, states with their notifications, sorting,
// finding, geometry and the messages that reach them.
#include "platform/controls/list_view_state.h"

#include <algorithm>

#include "platform/controls/gesture.h"

namespace devcontrols {

int RowHeight(const ListViewState& s) {
  int height = LineHeight(FontOf(s)) + Scaled(2);
  int iconW = 0, iconH = 0;
  if (s.smallImages && ImageList_GetIconSize(s.smallImages, &iconW, &iconH)) height = std::max(height, iconH + 1);
  if (s.extendedStyle & LVS_EX_CHECKBOXES) height = std::max(height, Scaled(13) + 2);
  return height;
}

int HeaderHeight(HWND window, const ListViewState& s) {
  if ((StyleOf(window) & LVS_NOCOLUMNHEADER) || s.columns.empty()) return 0;
  return LineHeight(FontOf(s)) + Scaled(4);
}

int RowsPerPage(HWND window, const ListViewState& s) {
  RECT client;
  GetClientRect(window, &client);
  int rows = (client.bottom - HeaderHeight(window, s)) / RowHeight(s);
  return std::max(rows, 1);
}

bool ScrollBarShown(HWND window, const ListViewState& s) {
  return (StyleOf(window) & WS_VSCROLL) && !(StyleOf(window) & LVS_NOSCROLL) &&
         static_cast<int>(s.rows.size()) > RowsPerPage(window, s);
}

RECT RowsArea(HWND window, const ListViewState& s) {
  RECT client;
  GetClientRect(window, &client);
  client.top = HeaderHeight(window, s);
  if (ScrollBarShown(window, s)) client.right = VerticalStrip(client).left;
  return client;
}

int ColumnLeft(const ListViewState& s, int column) {
  int left = 0;
  for (int c = 0; c < column && c < static_cast<int>(s.columns.size()); ++c) left += s.columns[static_cast<size_t>(c)].width;
  return left;
}

int IconWidth(const ListViewState& s) {
  int w = 0, h = 0;
  if (s.smallImages && ImageList_GetIconSize(s.smallImages, &w, &h)) return w + Scaled(2);
  return 0;
}

int CheckWidth(const ListViewState& s) { return (s.extendedStyle & LVS_EX_CHECKBOXES) ? Scaled(13) + Scaled(4) : 0; }

bool ValidRow(const ListViewState& s, int row) { return row >= 0 && row < static_cast<int>(s.rows.size()); }

bool RowRect(HWND window, const ListViewState& s, int row, int part, RECT* out) {
  if (!ValidRow(s, row) || out == nullptr) return false;
  RECT area = RowsArea(window, s);
  int height = RowHeight(s);
  int y = area.top + (row - s.top) * height;
  int width = std::max(ColumnLeft(s, static_cast<int>(s.columns.size())), static_cast<int>(area.right));
  int firstRight = s.columns.empty() ? width : s.columns[0].width;
  int iconLeft = CheckWidth(s);
  switch (part) {
    case LVIR_ICON: *out = RECT{iconLeft, y, iconLeft + IconWidth(s), y + height}; break;
    case LVIR_LABEL: *out = RECT{iconLeft + IconWidth(s), y, firstRight, y + height}; break;
    case LVIR_SELECTBOUNDS:
      *out = RECT{iconLeft, y, (s.extendedStyle & LVS_EX_FULLROWSELECT) ? width : firstRight, y + height};
      break;
    default: *out = RECT{0, y, width, y + height}; break;
  }
  return true;
}

bool CellRect(HWND window, const ListViewState& s, int row, int column, int part, RECT* out) {
  if (column == 0) return RowRect(window, s, row, part == LVIR_BOUNDS ? LVIR_BOUNDS : part, out);
  if (column < 0 || column >= static_cast<int>(s.columns.size()) || !RowRect(window, s, row, LVIR_BOUNDS, out))
    return false;
  out->left = ColumnLeft(s, column);
  out->right = out->left + s.columns[static_cast<size_t>(column)].width;
  return true;
}

int RowAt(HWND window, const ListViewState& s, POINT p) {
  RECT area = RowsArea(window, s);
  if (!PtInRect(&area, p)) return -1;
  int row = s.top + (p.y - area.top) / RowHeight(s);
  return ValidRow(s, row) ? row : -1;
}

void SetTop(HWND window, ListViewState& s, int top) {
  int most = std::max(0, static_cast<int>(s.rows.size()) - RowsPerPage(window, s));
  top = std::clamp(top, 0, most);
  if (top == s.top) return;
  s.top = top;
  Repaint(s);
}

void EnsureVisible(HWND window, ListViewState& s, int row) {
  if (!ValidRow(s, row)) return;
  int page = RowsPerPage(window, s);
  if (row < s.top) SetTop(window, s, row);
  else if (row >= s.top + page) SetTop(window, s, row - page + 1);
}

namespace {

LRESULT NotifyChange(HWND window, ListViewState& s, UINT code, int row, UINT newState, UINT oldState, UINT changed,
                     POINT action) {
  NMLISTVIEW notice{};
  notice.iItem = row;
  notice.iSubItem = 0;
  notice.uNewState = newState;
  notice.uOldState = oldState;
  notice.uChanged = changed;
  notice.ptAction = action;
  notice.lParam = ValidRow(s, row) ? s.rows[static_cast<size_t>(row)].lParam : 0;
  return NotifyParent(window, &notice.hdr, code);
}

// Sets one row's state bits without touching the others; the
// notifications go out around the change.
bool SetOneRowState(HWND window, ListViewState& s, int row, UINT state, UINT mask, POINT action) {
  UINT old = s.rows[static_cast<size_t>(row)].state;
  UINT now = (old & ~mask) | (state & mask);
  if (now == old) return false;
  if (NotifyChange(window, s, LVN_ITEMCHANGING, row, now, old, LVIF_STATE, action) != 0) return false;
  if (!ValidRow(s, row)) return false;  // the owner changed the rows meanwhile
  s.rows[static_cast<size_t>(row)].state = now;
  Repaint(s);
  NotifyChange(window, s, LVN_ITEMCHANGED, row, now, old, LVIF_STATE, action);
  return true;
}

}  // namespace

bool ChangeRowState(HWND window, ListViewState& s, int row, UINT state, UINT mask, POINT action) {
  if (!ValidRow(s, row)) return false;
  // One focused row; one selected row with LVS_SINGLESEL.
  if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
    for (int other = 0; other < static_cast<int>(s.rows.size()); ++other)
      if (other != row && (s.rows[static_cast<size_t>(other)].state & LVIS_FOCUSED))
        SetOneRowState(window, s, other, 0, LVIS_FOCUSED, action);
  }
  if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (StyleOf(window) & LVS_SINGLESEL)) {
    for (int other = 0; other < static_cast<int>(s.rows.size()); ++other)
      if (other != row && (s.rows[static_cast<size_t>(other)].state & LVIS_SELECTED))
        SetOneRowState(window, s, other, 0, LVIS_SELECTED, action);
  }
  return ValidRow(s, row) && SetOneRowState(window, s, row, state, mask, action);
}

void SelectOnly(HWND window, ListViewState& s, int row, POINT action) {
  if (!ValidRow(s, row)) return;
  for (int other = 0; other < static_cast<int>(s.rows.size()); ++other)
    if (other != row && (s.rows[static_cast<size_t>(other)].state & (LVIS_SELECTED | LVIS_FOCUSED)))
      SetOneRowState(window, s, other, 0, LVIS_SELECTED | LVIS_FOCUSED, action);
  if (ValidRow(s, row)) SetOneRowState(window, s, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, action);
  EnsureVisible(window, s, row);
}

void ToggleCheck(HWND window, ListViewState& s, int row) {
  if (!ValidRow(s, row) || !(s.extendedStyle & LVS_EX_CHECKBOXES)) return;
  UINT image = (s.rows[static_cast<size_t>(row)].state & LVIS_STATEIMAGEMASK) >> 12;
  UINT next = image == 2 ? 1 : 2;
  ChangeRowState(window, s, row, INDEXTOSTATEIMAGEMASK(next), LVIS_STATEIMAGEMASK);
}

namespace {

std::u16string Fold(std::u16string text) {
  for (auto& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return text;
}

void EnsureTexts(ListRow& row, size_t column) {
  if (row.texts.size() <= column) row.texts.resize(column + 1);
}

int InsertRow(HWND window, ListViewState& s, const LVITEMW& item) {
  if (item.iSubItem != 0) return -1;
  int index = std::clamp(item.iItem, 0, static_cast<int>(s.rows.size()));
  ListRow row;
  if (item.mask & LVIF_TEXT) row.texts.assign(1, TextFrom(item.pszText));
  if (item.mask & LVIF_IMAGE) row.image = item.iImage;
  if (item.mask & LVIF_PARAM) row.lParam = item.lParam;
  if (item.mask & LVIF_STATE) row.state = item.state & item.stateMask;
  if ((s.extendedStyle & LVS_EX_CHECKBOXES) && !(row.state & LVIS_STATEIMAGEMASK)) row.state |= INDEXTOSTATEIMAGEMASK(1);
  s.rows.insert(s.rows.begin() + index, std::move(row));
  if (index < s.top + RowsPerPage(window, s)) Repaint(s);
  NotifyChange(window, s, LVN_INSERTITEM, index, 0, 0, 0, POINT{-1, -1});
  return index;
}

bool SetRow(HWND window, ListViewState& s, const LVITEMW& item) {
  if (!ValidRow(s, item.iItem)) return false;
  ListRow& row = s.rows[static_cast<size_t>(item.iItem)];
  if (item.iSubItem < 0 || (item.iSubItem > 0 && item.iSubItem >= static_cast<int>(std::max<size_t>(s.columns.size(), 1))))
    return false;
  if (item.mask & LVIF_TEXT) {
    EnsureTexts(row, static_cast<size_t>(item.iSubItem));
    row.texts[static_cast<size_t>(item.iSubItem)] = TextFrom(item.pszText);
  }
  if (item.iSubItem == 0) {
    if (item.mask & LVIF_IMAGE) row.image = item.iImage;
    if (item.mask & LVIF_PARAM) row.lParam = item.lParam;
  }
  Repaint(s);
  if (item.iSubItem == 0 && (item.mask & LVIF_STATE)) ChangeRowState(window, s, item.iItem, item.state, item.stateMask);
  return true;
}

bool GetRow(const ListViewState& s, LVITEMW* item) {
  if (item == nullptr || !ValidRow(s, item->iItem)) return false;
  const ListRow& row = s.rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) {
    size_t column = static_cast<size_t>(std::max(item->iSubItem, 0));
    CopyTextOut(column < row.texts.size() ? row.texts[column] : std::u16string(), item->pszText, item->cchTextMax);
  }
  if (item->mask & LVIF_IMAGE) item->iImage = row.image;
  if (item->mask & LVIF_PARAM) item->lParam = row.lParam;
  if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
  return true;
}

bool DeleteRow(HWND window, ListViewState& s, int index) {
  if (!ValidRow(s, index)) return false;
  if (s.editedRow == index) EndLabelEdit(window, s, true);
  NotifyChange(window, s, LVN_DELETEITEM, index, 0, 0, 0, POINT{-1, -1});
  if (!ValidRow(s, index)) return false;
  s.rows.erase(s.rows.begin() + index);
  if (s.editedRow > index) --s.editedRow;
  SetTop(window, s, s.top);
  Repaint(s);
  return true;
}

void DeleteAllRows(HWND window, ListViewState& s) {
  if (s.editor) EndLabelEdit(window, s, true);
  bool each = NotifyChange(window, s, LVN_DELETEALLITEMS, -1, 0, 0, 0, POINT{-1, -1}) == 0;
  if (each)
    for (int i = 0; i < static_cast<int>(s.rows.size()); ++i)
      NotifyChange(window, s, LVN_DELETEITEM, i, 0, 0, 0, POINT{-1, -1});
  s.rows.clear();
  s.top = 0;
  Repaint(s);
}

int NextRow(const ListViewState& s, int start, UINT flags) {
  UINT wanted = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0);
  int n = static_cast<int>(s.rows.size());
  if (flags & LVNI_ABOVE) {
    for (int i = std::min(start, n) - 1; i >= 0; --i)
      if ((s.rows[static_cast<size_t>(i)].state & wanted) == wanted) return i;
    return -1;
  }
  for (int i = std::max(start + 1, 0); i < n; ++i)
    if ((s.rows[static_cast<size_t>(i)].state & wanted) == wanted) return i;
  return -1;
}

int FindRow(const ListViewState& s, int start, const LVFINDINFOW* find) {
  if (find == nullptr) return -1;
  int n = static_cast<int>(s.rows.size());
  std::u16string wanted = Fold(TextFrom(find->psz));
  for (int i = std::max(start + 1, 0); i < n; ++i) {
    const ListRow& row = s.rows[static_cast<size_t>(i)];
    if (find->flags & LVFI_PARAM) {
      if (row.lParam == find->lParam) return i;
      continue;
    }
    std::u16string text = Fold(row.texts.empty() ? std::u16string() : row.texts[0]);
    if ((find->flags & LVFI_PARTIAL) ? text.compare(0, wanted.size(), wanted) == 0 : text == wanted) return i;
  }
  return -1;
}

void SortRows(ListViewState& s, PFNLVCOMPARE compare, LPARAM parameter) {
  if (compare == nullptr) return;
  std::stable_sort(s.rows.begin(), s.rows.end(), [&](const ListRow& a, const ListRow& b) {
    return compare(a.lParam, b.lParam, parameter) < 0;
  });
  Repaint(s);
}

int AutoWidth(HWND window, ListViewState& s, int column, bool useHeader) {
  MeasureScope measure(FontOf(s));
  int width = useHeader ? TextWidth(measure.dc(), s.columns[static_cast<size_t>(column)].text) : 0;
  for (const ListRow& row : s.rows)
    if (static_cast<size_t>(column) < row.texts.size())
      width = std::max(width, TextWidth(measure.dc(), row.texts[static_cast<size_t>(column)]));
  width += Scaled(12);
  if (column == 0) width += IconWidth(s) + CheckWidth(s);
  // The last column with LVSCW_AUTOSIZE_USEHEADER fills the rest.
  if (useHeader && column + 1 == static_cast<int>(s.columns.size())) {
    RECT area = RowsArea(window, s);
    width = std::max(width, static_cast<int>(area.right) - ColumnLeft(s, column));
  }
  return width;
}

LRESULT HandleMessage(HWND window, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LVM_INSERTCOLUMNW: {
      const auto* column = reinterpret_cast<const LVCOLUMNW*>(lParam);
      if (column == nullptr) return -1;
      int index = std::clamp(static_cast<int>(wParam), 0, static_cast<int>(s.columns.size()));
      ListColumn c;
      if (column->mask & LVCF_FMT) c.format = column->fmt;
      if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
      if (column->mask & LVCF_TEXT) c.text = TextFrom(column->pszText);
      s.columns.insert(s.columns.begin() + index, c);
      // Row texts keep their columns: a column inserted before others moves them.
      if (index < static_cast<int>(s.columns.size()) - 1)
        for (ListRow& row : s.rows)
          if (static_cast<size_t>(index) < row.texts.size()) row.texts.insert(row.texts.begin() + index, std::u16string());
      Repaint(s);
      return index;
    }
    case LVM_DELETECOLUMN: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= static_cast<int>(s.columns.size())) return FALSE;
      s.columns.erase(s.columns.begin() + index);
      for (ListRow& row : s.rows)
        if (static_cast<size_t>(index) < row.texts.size()) row.texts.erase(row.texts.begin() + index);
      Repaint(s);
      return TRUE;
    }
    case LVM_SETCOLUMNWIDTH: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= static_cast<int>(s.columns.size())) return FALSE;
      int width = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam)));
      if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = AutoWidth(window, s, index, width == LVSCW_AUTOSIZE_USEHEADER);
      s.columns[static_cast<size_t>(index)].width = std::max(0, width);
      Repaint(s);
      return TRUE;
    }
    case LVM_GETCOLUMNWIDTH: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= static_cast<int>(s.columns.size())) return 0;
      return s.columns[static_cast<size_t>(index)].width;
    }
    case LVM_GETCOLUMNW:
    case LVM_SETCOLUMNW: {
      int index = static_cast<int>(wParam);
      auto* column = reinterpret_cast<LVCOLUMNW*>(lParam);
      if (column == nullptr || index < 0 || index >= static_cast<int>(s.columns.size())) return FALSE;
      ListColumn& c = s.columns[static_cast<size_t>(index)];
      if (message == LVM_SETCOLUMNW) {
        if (column->mask & LVCF_FMT) c.format = column->fmt;
        if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
        if (column->mask & LVCF_TEXT) c.text = TextFrom(column->pszText);
        Repaint(s);
      } else {
        if (column->mask & LVCF_FMT) column->fmt = c.format;
        if (column->mask & LVCF_WIDTH) column->cx = c.width;
        if (column->mask & LVCF_TEXT) CopyTextOut(c.text, column->pszText, column->cchTextMax);
      }
      return TRUE;
    }
    case LVM_INSERTITEMW: {
      const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      return item ? InsertRow(window, s, *item) : -1;
    }
    case LVM_SETITEMW: {
      const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      return item && SetRow(window, s, *item) ? TRUE : FALSE;
    }
    case LVM_SETITEMTEXTW: {
      auto* item = reinterpret_cast<LVITEMW*>(lParam);
      if (item == nullptr) return FALSE;
      LVITEMW copy = *item;
      copy.iItem = static_cast<int>(wParam);
      copy.mask = LVIF_TEXT;
      return SetRow(window, s, copy) ? TRUE : FALSE;
    }
    case LVM_GETITEMW:
      return GetRow(s, reinterpret_cast<LVITEMW*>(lParam)) ? TRUE : FALSE;
    case LVM_GETITEMTEXTW: {
      auto* item = reinterpret_cast<LVITEMW*>(lParam);
      if (item == nullptr) return 0;
      int row = static_cast<int>(wParam);
      size_t column = static_cast<size_t>(std::max(item->iSubItem, 0));
      std::u16string text;
      if (ValidRow(s, row) && column < s.rows[static_cast<size_t>(row)].texts.size())
        text = s.rows[static_cast<size_t>(row)].texts[column];
      return CopyTextOut(text, item->pszText, item->cchTextMax);
    }
    case LVM_DELETEITEM:
      return DeleteRow(window, s, static_cast<int>(wParam)) ? TRUE : FALSE;
    case LVM_DELETEALLITEMS:
      DeleteAllRows(window, s);
      return TRUE;
    case LVM_GETITEMCOUNT:
      return static_cast<LRESULT>(s.rows.size());
    case LVM_SETITEMCOUNT:
      s.rows.reserve(std::min<size_t>(static_cast<size_t>(wParam), 1u << 20));
      return TRUE;
    case LVM_GETNEXTITEM:
      return NextRow(s, static_cast<int>(static_cast<intptr_t>(wParam)), static_cast<UINT>(LOWORD(static_cast<uintptr_t>(lParam))));
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(s.rows.begin(), s.rows.end(), [](const ListRow& r) { return (r.state & LVIS_SELECTED) != 0; });
    case LVM_SETITEMSTATE: {
      const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      if (item == nullptr) return FALSE;
      int row = static_cast<int>(static_cast<intptr_t>(wParam));
      if (row == -1) {
        for (int i = 0; i < static_cast<int>(s.rows.size()); ++i) ChangeRowState(window, s, i, item->state, item->stateMask);
        return TRUE;
      }
      if (!ValidRow(s, row)) return FALSE;
      ChangeRowState(window, s, row, item->state, item->stateMask);
      return TRUE;
    }
    case LVM_GETITEMSTATE: {
      int row = static_cast<int>(wParam);
      return ValidRow(s, row) ? static_cast<LRESULT>(s.rows[static_cast<size_t>(row)].state & static_cast<UINT>(lParam)) : 0;
    }
    case LVM_ENSUREVISIBLE:
      EnsureVisible(window, s, static_cast<int>(wParam));
      return ValidRow(s, static_cast<int>(wParam)) ? TRUE : FALSE;
    case LVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && RowRect(window, s, static_cast<int>(wParam), rect->left, rect) ? TRUE : FALSE;
    }
    case LVM_GETSUBITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && CellRect(window, s, static_cast<int>(wParam), rect->top, rect->left, rect) ? TRUE : FALSE;
    }
    case LVM_HITTEST: {
      auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
      if (hit == nullptr) return -1;
      hit->iItem = RowAt(window, s, hit->pt);
      hit->iSubItem = 0;
      hit->flags = hit->iItem < 0 ? LVHT_NOWHERE : LVHT_ONITEMLABEL;
      if (hit->iItem >= 0) {
        if (hit->pt.x < CheckWidth(s)) hit->flags = LVHT_ONITEMSTATEICON;
        else if (hit->pt.x < CheckWidth(s) + IconWidth(s)) hit->flags = LVHT_ONITEMICON;
        for (int c = 1; c < static_cast<int>(s.columns.size()); ++c)
          if (hit->pt.x >= ColumnLeft(s, c)) hit->iSubItem = c;
      }
      return hit->iItem;
    }
    case LVM_GETTOPINDEX:
      return s.top;
    case LVM_GETCOUNTPERPAGE:
      return RowsPerPage(window, s);
    case LVM_SCROLL:
      SetTop(window, s, s.top + static_cast<int>(lParam) / RowHeight(s));
      return TRUE;
    case LVM_REDRAWITEMS:
      Repaint(s);
      return TRUE;
    case LVM_SORTITEMS:
      SortRows(s, reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
      return TRUE;
    case LVM_FINDITEMW:
      return FindRow(s, static_cast<int>(static_cast<intptr_t>(wParam)), reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_SETIMAGELIST: {
      HIMAGELIST* slot = static_cast<int>(wParam) == LVSIL_STATE ? &s.stateImages : &s.smallImages;
      HIMAGELIST previous = *slot;
      *slot = reinterpret_cast<HIMAGELIST>(lParam);
      Repaint(s);
      return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(static_cast<int>(wParam) == LVSIL_STATE ? s.stateImages : s.smallImages);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD previous = s.extendedStyle;
      DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
      s.extendedStyle = (s.extendedStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
      if ((s.extendedStyle & LVS_EX_CHECKBOXES) && !(previous & LVS_EX_CHECKBOXES))
        for (ListRow& row : s.rows)
          if (!(row.state & LVIS_STATEIMAGEMASK)) row.state |= INDEXTOSTATEIMAGEMASK(1);
      Repaint(s);
      return static_cast<LRESULT>(previous);
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return static_cast<LRESULT>(s.extendedStyle);
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
      COLORREF* slot = message == LVM_SETBKCOLOR ? &s.background
                       : message == LVM_SETTEXTCOLOR ? &s.textColour : &s.textBackground;
      *slot = static_cast<COLORREF>(lParam);
      Repaint(s);
      return TRUE;
    }
    case LVM_GETBKCOLOR:
      return static_cast<LRESULT>(s.background == CLR_DEFAULT ? SysColour(COLOR_WINDOW) : s.background);
    case LVM_GETTEXTCOLOR:
      return static_cast<LRESULT>(s.textColour == CLR_DEFAULT ? SysColour(COLOR_WINDOWTEXT) : s.textColour);
    case LVM_GETTEXTBKCOLOR:
      return static_cast<LRESULT>(s.textBackground);
    case LVM_EDITLABELW:
      return reinterpret_cast<LRESULT>(BeginLabelEdit(window, s, static_cast<int>(wParam)));
    case LVM_GETEDITCONTROL:
      return reinterpret_cast<LRESULT>(s.editor);
    case LVM_GETHEADER:
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<ListViewState>(window);
  if (message == WM_CREATE) {
    s = new ListViewState;
    s->window = window;
    SetStateOf(window, s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  if (HandleListViewInput(window, *s, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_DESTROY:
      if (s->editor) EndLabelEdit(window, *s, true);
      DeleteAllRows(window, *s);
      return 0;
    case WM_NCDESTROY:
      SetStateOf(window, nullptr);
      delete s;
      return 0;
    case WM_PAINT:
      PaintListView(window, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
    case WM_STYLECHANGED:
      SetTop(window, *s, s->top);
      Repaint(*s);
      return 0;
    default:
      return HandleMessage(window, *s, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterListViewClass() { return RegisterControlClass(u"SysListView32", ListViewProc); }

}  // namespace devcontrols

#ifdef TESSALYN_TEST_HOOKS
#include "platform/controls/control_hooks.h"

namespace devtest {

ListViewInfo ListViewOf(HWND listView) {
  ListViewInfo info;
  WCHAR name[32] = {};
  if (!IsWindow(listView) || GetClassNameW(listView, name, 32) == 0 || std::u16string(name) != u"SysListView32") return info;
  auto* s = devcontrols::StateOf<devcontrols::ListViewState>(listView);
  if (s == nullptr) return info;
  info.valid = true;
  for (const devcontrols::ListRow& row : s->rows) {
    ListViewRowInfo r;
    r.texts = row.texts;
    r.texts.resize(std::max(r.texts.size(), s->columns.size()));
    r.image = row.image;
    r.state = row.state;
    r.checkState = static_cast<int>((row.state & LVIS_STATEIMAGEMASK) >> 12);
    r.lParam = row.lParam;
    r.selected = (row.state & LVIS_SELECTED) != 0;
    r.focused = (row.state & LVIS_FOCUSED) != 0;
    info.rows.push_back(std::move(r));
  }
  for (const devcontrols::ListColumn& column : s->columns) {
    info.columnWidths.push_back(column.width);
    info.columnTitles.push_back(column.text);
  }
  info.extendedStyle = s->extendedStyle;
  info.top = s->top;
  info.editedRow = s->editedRow;
  info.editor = s->editor;
  return info;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
