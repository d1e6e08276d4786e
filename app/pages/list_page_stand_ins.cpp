// The library and annotations page stand-ins.
#include "app/pages/list_page_stand_ins.h"

#include "app/pages/book_folder_catalogue.h"
#include "platform/controls/list_view.h"
#include "platform/controls/notifications.h"
#include "platform/controls/control_classes.h"
#include "platform/memory/allocator.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

uint16_t LowerAscii(uint16_t unit) { return unit >= 'A' && unit <= 'Z' ? static_cast<uint16_t>(unit + 32) : unit; }

bool SameTextIgnoringAsciiCase(const EncodedString& a, const EncodedString& b) {
  if (a.ByteLength() != b.ByteLength()) return false;
  const uint32_t units = a.ByteLength() / 2;
  for (uint32_t i = 0; i < units; ++i)
    if (LowerAscii(a.Chars()[i]) != LowerAscii(b.Chars()[i])) return false;
  return true;
}

}  // namespace

PageStandIn::~PageStandIn() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

bool PageStandIn::MakeWindow(HWND owner, const WCHAR* className, uint32_t style, uint32_t id) {
  if (window_ != nullptr) return true;
  window_ = CreateWindowExW(0, className, u"", WS_CHILD | style, 0, 0, 0, 0, owner,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
  return window_ != nullptr;
}

void PageStandIn::Show(bool show) {
  shown_ = show && window_ != nullptr;
  if (window_ == nullptr) return;
  ShowWindow(window_, show ? SW_SHOW : SW_HIDE);
  if (show) SetFocus(window_);
}

void PageStandIn::Layout(const RECT& area) {
  if (window_ == nullptr) return;
  MoveWindow(window_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void LibraryPageStandIn::Layout(const RECT& area) {
  PageStandIn::Layout(area);
  if (window() != nullptr) SendMessageW(window(), LVM_SETCOLUMNWIDTH, 0, area.right - area.left);
}

bool LibraryPageStandIn::Create(HWND owner) {
  if (!MakeWindow(owner, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                  kControlId)) {
    return false;
  }
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 240;
  return SendMessageW(window(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == 0;
}

bool LibraryPageStandIn::Fill(BookFolderCatalogue* catalogue) {
  if (window() == nullptr || catalogue == nullptr) return false;
  // The scan may tell its listener first, which may fill the page itself.
  catalogue->ScanAllLocations();
  SendMessageW(window(), LVM_DELETEALLITEMS, 0, 0);
  if (!paths_.Reset(8)) return false;
  for (uint32_t row = 0; row < catalogue->BookCount(); ++row) {
    const CatalogueBook& book = catalogue->BookAt(row);
    EncodedString path;
    if (!book.path.ToEncodedString(&path)) return false;
    path.SelectAll();  // copies take the selection
    paths_.At(row).Assign(path);
    if (!paths_.IsOk() || paths_.Count() != row + 1) return false;
    WCHAR* name = book.fileName.Duplicate(true);
    if (name == nullptr) return false;
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(row);
    item.pszText = name;
    item.lParam = static_cast<LPARAM>(row);
    const LRESULT inserted = SendMessageW(window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    DeviceFree(name);
    if (inserted < 0) return false;
  }
  return true;
}

bool LibraryPageStandIn::SelectPath(const EncodedString& path) {
  for (uint32_t row = 0; row < paths_.Count(); ++row) {
    if (!SameTextIgnoringAsciiCase(const_cast<EncodedStringArray&>(paths_).At(row), path)) continue;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(window(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageW(window(), LVM_ENSUREVISIBLE, row, FALSE);
    return true;
  }
  return false;
}

int32_t LibraryPageStandIn::SelectedRow() const {
  if (window() == nullptr) return -1;
  return static_cast<int32_t>(SendMessageW(window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool LibraryPageStandIn::PathOfRow(int32_t row, EncodedString* path) const {
  if (row < 0 || static_cast<uint32_t>(row) >= paths_.Count()) return false;
  path->Assign(const_cast<EncodedStringArray&>(paths_).At(static_cast<uint32_t>(row)));
  return true;
}

bool LibraryPageStandIn::TakeChoice(const NMHDR* header, EncodedString* path) const {
  if (header == nullptr || window() == nullptr || header->hwndFrom != window()) return false;
  if (header->code != NM_CLICK && header->code != NM_RETURN) return false;
  const auto* activation = reinterpret_cast<const NMITEMACTIVATE*>(header);
  int32_t row = activation->iItem;
  if (header->code == NM_RETURN || row < 0) {
    row = static_cast<int32_t>(SendMessageW(window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || !SendMessageW(window(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return false;
  return PathOfRow(static_cast<int32_t>(item.lParam), path);
}

bool AnnotationsPageStandIn::Create(HWND owner) { return MakeWindow(owner, WC_STATICW, 0, 0x414E); }
