// Painting the list view: the header, the rows that show, the selection,
// check boxes and icons, the scroll bar, and the custom-draw stages.
#include <algorithm>

#include "platform/controls/list_view_state.h"

namespace devcontrols {
namespace {

LRESULT CustomDraw(HWND window, NMLVCUSTOMDRAW& draw, DWORD stage) {
  draw.nmcd.dwDrawStage = stage;
  return NotifyParent(window, &draw.nmcd.hdr, NM_CUSTOMDRAW);
}

COLORREF Resolve(COLORREF colour, int fallback) { return colour == CLR_DEFAULT ? SysColour(fallback) : colour; }

void PaintHeader(HWND window, ListViewState& s, HDC dc, const RECT& client) {
  int height = HeaderHeight(window, s);
  if (height == 0) return;
  RECT band{client.left, 0, client.right, height};
  FillSolid(dc, band, SysColour(COLOR_BTNFACE));
  SetTextColor(dc, SysColour(COLOR_BTNTEXT));
  int left = 0;
  for (const ListColumn& column : s.columns) {
    RECT cell{left, 0, left + column.width, height};
    FillSolid(dc, RECT{cell.right - 1, 0, cell.right, height}, SysColour(COLOR_BTNSHADOW));
    RECT text{cell.left + Scaled(4), 0, cell.right - Scaled(4), height};
    UINT align = column.format == LVCFMT_RIGHT ? DT_RIGHT : column.format == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    DrawTextIn(dc, column.text, text, align | DT_SINGLELINE | DT_VCENTER);
    left = cell.right;
  }
  FillSolid(dc, RECT{band.left, height - 1, band.right, height}, SysColour(COLOR_BTNSHADOW));
}

// One cell's default drawing: its background, the first column's check
// box and icon, and the text.
void PaintCell(HWND window, ListViewState& s, HDC dc, int row, int column, const RECT& cell, COLORREF text,
               COLORREF back, bool selected) {
  const ListRow& r = s.rows[static_cast<size_t>(row)];
  RECT textRect = cell;
  if (column == 0) {
    RECT checkCell{cell.left, cell.top, cell.left + CheckWidth(s), cell.bottom};
    if (s.extendedStyle & LVS_EX_CHECKBOXES) {
      int box = Scaled(13);
      RECT mark{checkCell.left + Scaled(2), cell.top + (cell.bottom - cell.top - box) / 2, 0, 0};
      mark.right = mark.left + box;
      mark.bottom = mark.top + box;
      FillSolid(dc, checkCell, back == CLR_NONE ? SysColour(COLOR_WINDOW) : back);
      DrawCheckMark(dc, mark, ((r.state & LVIS_STATEIMAGEMASK) >> 12) == 2, false, IsEnabled(window));
    }
    int iconLeft = checkCell.right;
    textRect.left = iconLeft + IconWidth(s);
    if (s.smallImages && r.image >= 0) {
      int w = 0, h = 0;
      ImageList_GetIconSize(s.smallImages, &w, &h);
      FillSolid(dc, RECT{iconLeft, cell.top, textRect.left, cell.bottom}, Resolve(s.background, COLOR_WINDOW));
      ImageList_Draw(s.smallImages, r.image, dc, iconLeft + 1, cell.top + (cell.bottom - cell.top - h) / 2, ILD_TRANSPARENT);
    }
  }
  bool fullRow = (s.extendedStyle & LVS_EX_FULLROWSELECT) != 0;
  bool highlight = selected && (column == 0 || fullRow);
  COLORREF fill = highlight ? SysColour(COLOR_HIGHLIGHT) : back;
  if (fill != CLR_NONE) FillSolid(dc, textRect, fill);
  SetTextColor(dc, highlight ? SysColour(COLOR_HIGHLIGHTTEXT) : text);
  static const std::u16string kEmpty;
  const std::u16string& label = static_cast<size_t>(column) < r.texts.size() ? r.texts[static_cast<size_t>(column)] : kEmpty;
  if (label.empty()) return;
  int format = column < static_cast<int>(s.columns.size()) ? s.columns[static_cast<size_t>(column)].format : LVCFMT_LEFT;
  RECT inner{textRect.left + Scaled(2), textRect.top, textRect.right - Scaled(4), textRect.bottom};
  if (inner.right <= inner.left) return;
  int lineHeight = LineHeight(FontOf(s));
  int y = inner.top + (inner.bottom - inner.top - lineHeight) / 2;
  int x = inner.left;
  if (format != LVCFMT_LEFT) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    x = format == LVCFMT_RIGHT ? inner.right - size.cx : inner.left + (inner.right - inner.left - size.cx) / 2;
    x = std::max(x, static_cast<int>(inner.left));
  }
  int mode = SetBkMode(dc, TRANSPARENT);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &inner, label.c_str(), static_cast<UINT>(label.size()), nullptr);
  SetBkMode(dc, mode);
}

void PaintRow(HWND window, ListViewState& s, HDC dc, int row, LRESULT prePaint) {
  const ListRow& r = s.rows[static_cast<size_t>(row)];
  RECT bounds;
  RowRect(window, s, row, LVIR_BOUNDS, &bounds);
  bool showSelection = s.focused || (StyleOf(window) & LVS_SHOWSELALWAYS);
  bool selected = showSelection && (r.state & LVIS_SELECTED);
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdc = dc;
  draw.nmcd.rc = bounds;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  draw.nmcd.uItemState = ((r.state & LVIS_SELECTED) ? CDIS_SELECTED : 0) | ((r.state & LVIS_FOCUSED) ? CDIS_FOCUS : 0);
  draw.nmcd.lItemlParam = r.lParam;
  draw.clrText = Resolve(s.textColour, COLOR_WINDOWTEXT);
  draw.clrTextBk = s.textBackground == CLR_DEFAULT ? Resolve(s.background, COLOR_WINDOW) : s.textBackground;
  LRESULT itemAnswer = CDRF_DODEFAULT;
  if (prePaint & CDRF_NOTIFYITEMDRAW) itemAnswer = CustomDraw(window, draw, CDDS_ITEMPREPAINT);
  if (!ValidRow(s, row)) return;
  if (!(itemAnswer & CDRF_SKIPDEFAULT)) {
    RECT area = RowsArea(window, s);
    FillSolid(dc, RECT{bounds.left, bounds.top, area.right, bounds.bottom}, Resolve(s.background, COLOR_WINDOW));
    COLORREF itemText = draw.clrText, itemBack = draw.clrTextBk;
    int columns = std::max<int>(1, static_cast<int>(s.columns.size()));
    for (int column = 0; column < columns; ++column) {
      RECT cell;
      if (s.columns.empty()) cell = bounds;
      else CellRect(window, s, row, column, LVIR_BOUNDS, &cell);
      if (column == 0 && !s.columns.empty()) cell.right = cell.left + s.columns[0].width;
      if (cell.left >= area.right) break;
      draw.nmcd.rc = cell;
      draw.iSubItem = column;
      draw.clrText = itemText;
      draw.clrTextBk = itemBack;
      LRESULT cellAnswer = CDRF_DODEFAULT;
      if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) cellAnswer = CustomDraw(window, draw, CDDS_SUBITEMPREPAINT);
      if (!ValidRow(s, row)) return;
      if (!(cellAnswer & CDRF_SKIPDEFAULT))
        PaintCell(window, s, dc, row, column, cell, draw.clrText, draw.clrTextBk, selected);
      if (cellAnswer & CDRF_NOTIFYPOSTPAINT) CustomDraw(window, draw, CDDS_SUBITEMPOSTPAINT);
      if (!ValidRow(s, row)) return;
    }
    if ((r.state & LVIS_FOCUSED) && s.focused) {
      RECT focus;
      RowRect(window, s, row, LVIR_SELECTBOUNDS, &focus);
      DrawFocusRect(dc, &focus);
    }
  }
  if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
    draw.nmcd.rc = bounds;
    draw.iSubItem = 0;
    CustomDraw(window, draw, CDDS_ITEMPOSTPAINT);
  }
}

}  // namespace

void PaintListView(HWND window, ListViewState& s) {
  PaintBorder(window);
  PaintScope paint(window, FontOf(s));
  if (!s.redraw) return;
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdc = dc;
  draw.nmcd.rc = client;
  draw.clrText = Resolve(s.textColour, COLOR_WINDOWTEXT);
  draw.clrTextBk = s.textBackground;
  LRESULT prePaint = CustomDraw(window, draw, CDDS_PREPAINT);
  if (!(prePaint & CDRF_SKIPDEFAULT)) {
    RECT area = RowsArea(window, s);
    PaintHeader(window, s, dc, client);
    int height = RowHeight(s);
    int last = std::min(static_cast<int>(s.rows.size()), s.top + (area.bottom - area.top + height - 1) / height);
    int painted = area.top;
    for (int row = s.top; row < last; ++row) {
      RECT bounds;
      RowRect(window, s, row, LVIR_BOUNDS, &bounds);
      painted = bounds.bottom;
      if (bounds.bottom <= paint.area().top || bounds.top >= paint.area().bottom) continue;
      PaintRow(window, s, dc, row, prePaint);
      last = std::min(last, static_cast<int>(s.rows.size()));
    }
    FillSolid(dc, RECT{area.left, painted, area.right, area.bottom}, Resolve(s.background, COLOR_WINDOW));
    if (ScrollBarShown(window, s))
      DrawVerticalScrollBar(dc, VerticalStrip(client),
                            ScrollRange{s.top, RowsPerPage(window, s), static_cast<int>(s.rows.size())});
  }
  if (prePaint & CDRF_NOTIFYPOSTPAINT) {
    draw.nmcd.rc = client;
    CustomDraw(window, draw, CDDS_POSTPAINT);
  }
}

}  // namespace devcontrols
