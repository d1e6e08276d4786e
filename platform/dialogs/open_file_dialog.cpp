// The open-file dialog of open_file_dialog.h.
#include "platform/dialogs/open_file_dialog.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/list_view.h"
#include "platform/core/device_profile.h"
#include "platform/dialogs/dialog_items.h"
#include "platform/files/device_root.h"
#include "platform/files/files.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/modals/modal_loop.h"
#include "platform/system/system_parameters.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

thread_local DWORD tLastError = 0;

// The filter list with its NULs shown as '|', read up to its double NUL
// (or a sane bound, for a list that never ends).
std::u16string FilterText(LPCWSTR filter) {
  std::u16string text;
  if (filter == nullptr) return text;
  for (size_t i = 0; i < 4096; ++i) {
    if (filter[i] == 0) {
      if (filter[i + 1] == 0) break;
      text += u'|';
    } else {
      text += filter[i];
    }
  }
  return text;
}

// Writes the chosen path into the caller's buffers; false when it does not fit.
bool Deliver(OPENFILENAMEW* info, const std::u16string& path, DWORD filterIndex) {
  if (info->lpstrFile == nullptr || path.size() + 1 > info->nMaxFile) {
    tLastError = FNERR_BUFFERTOOSMALL;
    if (info->lpstrFile != nullptr && info->nMaxFile >= 2) {
      // The device writes the size needed into the buffer's first word.
      info->lpstrFile[0] = static_cast<WCHAR>(path.size() + 1 > 0xFFFF ? 0xFFFF : path.size() + 1);
    }
    return false;
  }
  path.copy(info->lpstrFile, path.size());
  info->lpstrFile[path.size()] = 0;
  size_t slash = path.find_last_of(u'\\');
  size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
  size_t dot = path.find_last_of(u'.');
  info->nFileOffset = static_cast<WORD>(nameStart);
  info->nFileExtension = static_cast<WORD>(dot != std::u16string::npos && dot > nameStart ? dot + 1 : path.size());
  if (info->lpstrFileTitle != nullptr && info->nMaxFileTitle > 0) {
    std::u16string name = path.substr(nameStart);
    size_t copied = name.size() < info->nMaxFileTitle - 1 ? name.size() : info->nMaxFileTitle - 1;
    name.copy(info->lpstrFileTitle, copied);
    info->lpstrFileTitle[copied] = 0;
  }
  info->nFilterIndex = filterIndex;
  return true;
}

bool FoldedEqual(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i] >= u'a' && a[i] <= u'z' ? static_cast<char16_t>(a[i] - 32) : a[i];
    char16_t y = b[i] >= u'a' && b[i] <= u'z' ? static_cast<char16_t>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

constexpr int kFolderId = 1101;
constexpr int kTypeId = 1102;
constexpr int kListId = 1103;
constexpr WCHAR kClassName[] = u"TessalynOpenFile";
constexpr size_t kMaxFiles = 4000;
constexpr int kMaxDepth = 8;

struct FileDialog {
  OPENFILENAMEW* info = nullptr;
  HWND window = nullptr;
  HWND folders = nullptr;
  HWND types = nullptr;
  HWND list = nullptr;
  std::vector<std::u16string> folderPaths;
  std::vector<std::pair<std::u16string, std::u16string>> filters;  // name, patterns
  DWORD filterIndex = 1;
  int rowHeight = 20;
  int labelWidth = 48;
  std::vector<std::u16string> files;  // device paths of the listed rows
  bool done = false;
  bool chosen = false;
  std::u16string path;
};

std::vector<std::pair<std::u16string, std::u16string>> ReadFilters(LPCWSTR filter) {
  std::vector<std::pair<std::u16string, std::u16string>> pairs;
  if (filter == nullptr) return pairs;
  std::u16string parts[2];
  int part = 0;
  for (size_t i = 0; i < 4096; ++i) {
    if (filter[i] != 0) {
      parts[part] += filter[i];
      continue;
    }
    if (part == 1) {
      pairs.emplace_back(parts[0], parts[1]);
      parts[0].clear();
      parts[1].clear();
    }
    part = 1 - part;
    if (filter[i + 1] == 0) break;
  }
  return pairs;
}

char16_t Fold(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// A name against one pattern with * and ?, case-blind.
bool Matches(const std::u16string& name, size_t n, const std::u16string& pattern, size_t p) {
  while (p < pattern.size()) {
    if (pattern[p] == u'*') {
      for (size_t k = n; k <= name.size(); ++k)
        if (Matches(name, k, pattern, p + 1)) return true;
      return false;
    }
    if (n >= name.size() || (pattern[p] != u'?' && Fold(pattern[p]) != Fold(name[n]))) return false;
    ++n;
    ++p;
  }
  return n == name.size();
}

bool MatchesAny(const std::u16string& name, const std::u16string& patterns) {
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(u';', start);
    if (end == std::u16string::npos) end = patterns.size();
    std::u16string one = patterns.substr(start, end - start);
    while (!one.empty() && one.front() == u' ') one.erase(0, 1);
    if (!one.empty() && Matches(name, 0, one, 0)) return true;
    start = end + 1;
  }
  return false;
}

void Collect(const std::u16string& folder, const std::u16string& patterns, int depth,
             std::vector<std::u16string>* found) {
  if (depth > kMaxDepth || found->size() >= kMaxFiles) return;
  std::u16string base = folder == u"\\" ? std::u16string() : folder;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((base + u"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::u16string> subFolders;
  do {
    std::u16string name = data.cFileName;
    if (name == u"." || name == u"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) subFolders.push_back(base + u"\\" + name);
    else if (MatchesAny(name, patterns) && found->size() < kMaxFiles) found->push_back(base + u"\\" + name);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  std::sort(subFolders.begin(), subFolders.end());
  for (const std::u16string& sub : subFolders) Collect(sub, patterns, depth + 1, found);
}

std::u16string NameOf(const std::u16string& path) {
  size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

void Fill(FileDialog& dialog) {
  SendMessageW(dialog.list, LVM_DELETEALLITEMS, 0, 0);
  dialog.files.clear();
  int folder = static_cast<int>(SendMessageW(dialog.folders, CB_GETCURSEL, 0, 0));
  int type = static_cast<int>(SendMessageW(dialog.types, CB_GETCURSEL, 0, 0));
  if (folder < 0 || folder >= static_cast<int>(dialog.folderPaths.size())) return;
  if (type < 0 || type >= static_cast<int>(dialog.filters.size())) return;
  dialog.filterIndex = static_cast<DWORD>(type + 1);
  Collect(dialog.folderPaths[static_cast<size_t>(folder)], dialog.filters[static_cast<size_t>(type)].second, 0,
          &dialog.files);
  std::stable_sort(dialog.files.begin(), dialog.files.end(), [](const std::u16string& a, const std::u16string& b) {
    return NameOf(a) < NameOf(b);
  });
  for (size_t i = 0; i < dialog.files.size(); ++i) {
    std::u16string name = NameOf(dialog.files[i]);
    std::u16string where = dialog.files[i].substr(0, dialog.files[i].size() - name.size());
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = name.data();
    item.lParam = static_cast<LPARAM>(i);
    int row = static_cast<int>(SendMessageW(dialog.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = where.data();
    SendMessageW(dialog.list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
  }
}

void Choose(FileDialog& dialog, int row) {
  if (dialog.done || row < 0 || row >= static_cast<int>(dialog.files.size())) return;
  dialog.path = dialog.files[static_cast<size_t>(row)];
  dialog.chosen = Deliver(dialog.info, dialog.path, dialog.filterIndex);
  dialog.done = true;
}

int SelectedRow(const FileDialog& dialog) {
  return static_cast<int>(SendMessageW(dialog.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

FileDialog* DialogOf(HWND window) { return reinterpret_cast<FileDialog*>(GetWindowLongPtrW(window, GWL_USERDATA)); }

LRESULT FileDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FileDialog* dialog = DialogOf(window);
  if (dialog == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Choose(*dialog, SelectedRow(*dialog));
      else if (LOWORD(wParam) == IDCANCEL) dialog->done = true;
      else if (HIWORD(wParam) == CBN_SELCHANGE) Fill(*dialog);
      return 0;
    case WM_CLOSE:
      dialog->done = true;
      return 0;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice == nullptr || notice->hwndFrom != dialog->list) return 0;
      if (notice->code == NM_CLICK) Choose(*dialog, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
      else if (notice->code == NM_RETURN) Choose(*dialog, SelectedRow(*dialog));
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (dc != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        int row = dialog->rowHeight;
        RECT folderLabel{4, 4, dialog->labelWidth, 4 + row};
        RECT typeLabel{4, 8 + row, dialog->labelWidth, 8 + 2 * row};
        DrawTextW(dc, u"Folder:", -1, &folderLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        DrawTextW(dc, u"Type:", -1, &typeLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool FilterFileKeys(HWND modal, const MSG& message, void* context) {
  auto* dialog = static_cast<FileDialog*>(context);
  if (message.message != WM_KEYDOWN || (message.hwnd != modal && !IsChild(modal, message.hwnd))) return false;
  if (message.wParam == VK_ESCAPE) {
    dialog->done = true;
    return true;
  }
  if (message.wParam == VK_RETURN && message.hwnd == dialog->list) {
    Choose(*dialog, SelectedRow(*dialog));
    return true;
  }
  return false;
}

// The folders offered: all of the device, My Documents, each storage card.
std::vector<std::pair<std::u16string, std::u16string>> DeviceFolders() {
  std::vector<std::pair<std::u16string, std::u16string>> folders{{u"All Folders", u"\\"},
                                                                  {u"My Documents", u"\\My Documents"}};
  for (const std::u16string& card : devicefs::StorageCardNames()) folders.emplace_back(card, u"\\" + card);
  return folders;
}

// Makes the dialog's window; false when the controls could not be made.
bool MakeWindow(FileDialog& dialog) {
  WNDCLASSW existing;
  if (!GetClassInfoW(nullptr, kClassName, &existing)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FileDialogProc;
    wc.lpszClassName = kClassName;
    if (RegisterClassW(&wc) == 0) return false;
  }
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const OPENFILENAMEW& info = *dialog.info;
  dialog.window = CreateWindowExW(0, kClassName, info.lpstrTitle != nullptr ? info.lpstrTitle : u"Open", WS_POPUP,
                                  area.left, area.top, area.right - area.left, area.bottom - area.top,
                                  info.hwndOwner, nullptr, nullptr, nullptr);
  if (dialog.window == nullptr) return false;
  SetWindowLongPtrW(dialog.window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  int scale = devsystem::Profile().dpi;
  int row = 20 * scale / 96;
  dialog.rowHeight = row;
  dialog.labelWidth = 56 * scale / 96;
  auto make = [&](LPCWSTR cls, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExW(0, cls, u"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog.window,
                           reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
  };
  int left = dialog.labelWidth + 4;
  dialog.folders = make(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP, left, 4, width - left - 4, row, kFolderId);
  dialog.types = make(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP, left, 8 + row, width - left - 4, row, kTypeId);
  int top = 12 + 2 * row;
  dialog.list = make(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP | WS_BORDER, 0, top, width, height - top,
                     kListId);
  if (dialog.folders == nullptr || dialog.types == nullptr || dialog.list == nullptr) {
    DestroyWindow(dialog.window);
    dialog.window = nullptr;
    return false;
  }
  const char16_t* headings[2] = {u"Name", u"Folder"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = i == 0 ? width * 3 / 5 : width - width * 3 / 5 - 4;
    column.pszText = const_cast<LPWSTR>(headings[i]);
    column.iSubItem = i;
    SendMessageW(dialog.list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  int initial = 1;
  auto folders = DeviceFolders();
  for (size_t i = 0; i < folders.size(); ++i) {
    dialog.folderPaths.push_back(folders[i].second);
    SendMessageW(dialog.folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folders[i].first.c_str()));
    if (info.lpstrInitialDir != nullptr && FoldedEqual(folders[i].second, info.lpstrInitialDir))
      initial = static_cast<int>(i);
  }
  SendMessageW(dialog.folders, CB_SETCURSEL, static_cast<WPARAM>(initial), 0);
  for (const auto& filter : dialog.filters)
    SendMessageW(dialog.types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.first.c_str()));
  DWORD index = info.nFilterIndex >= 1 && info.nFilterIndex <= dialog.filters.size() ? info.nFilterIndex : 1;
  SendMessageW(dialog.types, CB_SETCURSEL, index - 1, 0);
  Fill(dialog);
  return true;
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* info) {
  tLastError = 0;
  if (info == nullptr || info->lStructSize != sizeof(OPENFILENAMEW)) {
    tLastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  FileDialog dialog;
  dialog.info = info;
  dialog.filters = ReadFilters(info->lpstrFilter);
  if (dialog.filters.empty()) dialog.filters.emplace_back(u"All", u"*");
  dialog.filterIndex = info->nFilterIndex >= 1 && info->nFilterIndex <= dialog.filters.size() ? info->nFilterIndex : 1;
  bool ownerEnabled = false;
  if (MakeWindow(dialog)) {
    ownerEnabled = DisableOwner(info->hwndOwner);
    ShowWindow(dialog.window, SW_SHOW);
    SetForegroundWindow(dialog.window);
    SetFocus(dialog.list);
  }
#ifdef TESSALYN_TEST_HOOKS
  devtest::OpenFileRecord record;
  record.filter = FilterText(info->lpstrFilter);
  record.filterIndex = info->nFilterIndex;
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::OpenFile)) {
    record.scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::OpenFile;
    view.window = dialog.window;
    view.end = [&dialog](INT_PTR) { dialog.done = true; };
    view.chooseFile = [&dialog, info](const std::u16string& path, DWORD filterIndex) {
      if (dialog.done) return;
      dialog.path = path;
      dialog.chosen = Deliver(info, path, filterIndex);
      dialog.done = true;
    };
    script(view);
  }
#endif
  if (dialog.window != nullptr) {
    if (!dialog.done) RunModalLoop(dialog.window, &dialog.done, FilterFileKeys, &dialog);
    RestoreOwner(info->hwndOwner, ownerEnabled);
    SetWindowLongPtrW(dialog.window, GWL_USERDATA, 0);
    DestroyWindow(dialog.window);
  }
#ifdef TESSALYN_TEST_HOOKS
  record.answer = dialog.chosen;
  record.path = dialog.path;
  devtest::OpenFileJournal().push_back(std::move(record));
#else
  (void)FilterText;
#endif
  return dialog.chosen ? TRUE : FALSE;
}

DWORD CommDlgExtendedError() { return tLastError; }
