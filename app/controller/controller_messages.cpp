// The controller's message boxes, open-file dialog and clipboard.
#include <cstring>

#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "platform/clipboard/clipboard.h"
#include "platform/clipboard/movable_memory.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/open_file_dialog.h"

namespace {

constexpr UINT kKindFlags[4] = {64, 48, 16, 33};  // information, warning, error, OK/Cancel question
constexpr int kIdOk = 1;
constexpr uint32_t kPathRoom = 260;

// The text of a string identifier, terminated; empty when missing.
void LoadTerminated(const AppEnvironment* environment, uint32_t id, SharedWideString* out) {
  out->Clear();
  SharedWideString text;
  if (environment != nullptr && environment->LoadString(id, &text)) out->Append(text);
}

// A copy with a terminating zero, for the platform's calls.
bool Terminated(const SharedWideString& text, SharedWideString* out) {
  out->Clear();
  if (!out->Append(text)) return text.IsEmpty();
  return out->AppendRepeated(0, 1);
}

}  // namespace

bool ApplicationController::MessageBox(int32_t captionId, const WCHAR* text, uint32_t kind) {
  SharedWideString caption;
  if (captionId != -1) {
    LoadTerminated(environment_, static_cast<uint32_t>(captionId), &caption);
    caption.AppendRepeated(0, 1);
  }
  const UINT flags = kind < 4 ? kKindFlags[kind] : kKindFlags[0];
  const int answer = MessageBoxW(mainWindow_, text != nullptr ? text : u"", captionId == -1 ? nullptr : caption.Chars(),
                                 flags);
  return answer == kIdOk;
}

bool ApplicationController::ShowMessage(int32_t captionId, uint32_t textId, uint32_t kind) {
  SharedWideString text;
  LoadTerminated(environment_, textId, &text);
  SharedWideString terminated;
  Terminated(text, &terminated);
  return MessageBox(captionId, terminated.IsEmpty() ? u"" : terminated.Chars(), kind);
}

bool ApplicationController::ShowFormattedMessage(int32_t captionId, uint32_t textId, uint32_t kind,
                                                 const SharedWideString* args, uint32_t count) {
  SharedWideString format;
  if (environment_ != nullptr) environment_->LoadString(textId, &format);
  SharedWideString text;
  if (!format.FormatPositional(args, count, &text)) text.Clear();
  SharedWideString terminated;
  Terminated(text, &terminated);
  return MessageBox(captionId, terminated.IsEmpty() ? u"" : terminated.Chars(), kind);
}

bool ApplicationController::ShowOpenFileDialog(EncodedString* path) {
  // Name and pattern pairs, each NUL-ended, then a closing NUL.
  static constexpr struct {
    uint32_t nameId;
    const WCHAR* pattern;
  } kFilters[] = {{5145, u"*.PRC;*.PDB"}, {5144, u"*.HTML;*.HTM"}, {5146, u"*.TXT"}, {5143, u"*.*"}};
  SharedWideString filter;
  for (const auto& f : kFilters) {
    SharedWideString name;
    if (environment_ != nullptr) environment_->LoadString(f.nameId, &name);
    filter.Append(name);
    filter.AppendRepeated(0, 1);
    uint32_t n = 0;
    while (f.pattern[n] != 0) ++n;
    filter.AppendChars(f.pattern, n);
    filter.AppendRepeated(0, 1);
  }
  filter.AppendRepeated(0, 1);
  WCHAR file[kPathRoom] = {};
  OPENFILENAMEW info{};
  info.lStructSize = sizeof(info);
  info.hwndOwner = mainWindow_;
  info.lpstrFilter = filter.Chars();
  info.nFilterIndex = 1;
  info.lpstrFile = file;
  info.nMaxFile = kPathRoom;
  if (!GetOpenFileNameW(&info)) return false;
  file[kPathRoom - 1] = 0;
  path->FromWide(file);
  path->SelectAll();
  return !path->IsEmpty();
}

bool ApplicationController::CopyToClipboard(const SharedWideString& text) {
  if (text.IsEmpty()) return false;
  if (!OpenClipboard(mainWindow_)) return false;
  EmptyClipboard();
  const size_t bytes = (static_cast<size_t>(text.length) + 1) * sizeof(WCHAR);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (block != nullptr) {
    auto* chars = static_cast<WCHAR*>(GlobalLock(block));
    if (chars != nullptr) {
      std::memcpy(chars, text.Chars(), text.length * sizeof(WCHAR));
      chars[text.length] = 0;
      GlobalUnlock(block);
      placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    }
    if (!placed) GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}
