// The open-file dialog of open_file_dialog.h.
#include "platform/dialogs/open_file_dialog.h"

#include <string>

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

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* info) {
  tLastError = 0;
  if (info == nullptr || info->lStructSize != sizeof(OPENFILENAMEW)) {
    tLastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  bool chosen = false;
#ifdef TESSALYN_TEST_HOOKS
  devtest::OpenFileRecord record;
  record.filter = FilterText(info->lpstrFilter);
  record.filterIndex = info->nFilterIndex;
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::OpenFile)) {
    record.scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::OpenFile;
    view.end = [](INT_PTR) {};
    view.chooseFile = [&](const std::u16string& path, DWORD filterIndex) {
      if (chosen) return;
      record.path = path;
      chosen = Deliver(info, path, filterIndex);
    };
    script(view);
  }
  record.answer = chosen;
  devtest::OpenFileJournal().push_back(std::move(record));
#else
  (void)FilterText;
  (void)Deliver;
#endif
  return chosen ? TRUE : FALSE;
}

DWORD CommDlgExtendedError() { return tLastError; }
