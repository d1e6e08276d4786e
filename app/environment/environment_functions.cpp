// The environment's free functions: data-file paths, the program folder,
// generated pages, the input panel, the platform tests, the default window
// rectangle and moving a book onto a storage card.
#include "app/environment/app_environment.h"
#include "app/environment/input_panel_stand_in.h"
#include "app/environment/whole_text.h"
#include "foundation/files/folders.h"
#include "foundation/system/platform_detection.h"
#include "platform/launch/launch.h"
#include "platform/windows/window_types.h"
#include "storage/side_file/book_parameter_file.h"

bool JoinDataFilePath(const EncodedString& folder, EncodedString* out, const WCHAR* name) {
  EncodedString wideName;
  wideName.FromWide(name);
  out->ReserveBytes(folder.ByteLength() + wideName.ByteLength() + 2);
  out->Clear();
  out->MarkUtf16();
  EncodedString wideFolder;
  CopyWholeTextAsUtf16(folder, &wideFolder);
  out->Append(wideFolder);
  out->Append(wideName);
  out->SelectAll();
  return !out->IsEmpty() && out->IsOk();
}

bool GetProgramFolder(EncodedString* out) {
  WCHAR name[261] = {};
  const DWORD n = GetModuleFileNameW(nullptr, name, 261);
  DWORD cut = 0;
  for (DWORD i = 0; i < n && i < 260; ++i) {
    if (name[i] == u'\\') cut = i + 1;
  }
  out->FromWide(name, static_cast<int32_t>(cut));
  out->SelectAll();
  return true;
}

void DeleteGeneratedPages(const EncodedString& folder) {
  EncodedString pattern;
  pattern.FromWide(u"CorvellineAutogen*.qvg");
  DeleteMatchingFiles(folder, pattern);
}

void ShowInputPanel(bool show) { input_panel_stand_in::Show(show); }

bool GetInputPanelState(RECT* rect) {
  const input_panel_stand_in::State& state = input_panel_stand_in::Current();
  if (rect != nullptr) *rect = state.rect;
  return state.shown;
}

bool IsSmartphonePlatform() { return GetPlatformType() == kPlatformSmartphone; }
bool IsNotSmartphonePlatform() { return GetPlatformType() != kPlatformSmartphone; }
bool IsPlatformUnknown() { return GetPlatformType() == kPlatformUnknown; }

void DefaultWindowRect(int32_t out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = CW_USEDEFAULT;
}

namespace {

// The file-name part of a path (after its last backslash).
void FileNameOf(const EncodedString& path, EncodedString* name) {
  EncodedString wide;
  CopyWholeTextAsUtf16(path, &wide);
  const WCHAR* chars = wide.Chars();
  const uint32_t n = wide.ByteLength() / 2;
  uint32_t start = 0;
  for (uint32_t i = 0; i < n; ++i) {
    if (chars[i] == u'\\') start = i + 1;
  }
  name->FromWide(chars == nullptr ? u"" : chars + start, static_cast<int32_t>(n - start));
}

void FolderOf(const EncodedString& path, EncodedString* folder) {
  EncodedString wide;
  CopyWholeTextAsUtf16(path, &wide);
  const WCHAR* chars = wide.Chars();
  const uint32_t n = wide.ByteLength() / 2;
  uint32_t cut = 0;
  for (uint32_t i = 0; i < n; ++i) {
    if (chars[i] == u'\\') cut = i;
  }
  folder->FromWide(chars == nullptr ? u"" : chars, static_cast<int32_t>(cut));
  if (folder->IsEmpty()) folder->FromWide(u"\\");
}

}  // namespace

bool MoveBookToStorage(EncodedString* bookPath, const EncodedString& storageRoot, BookReloader* view) {
  EncodedString sidePath;
  uint32_t size = 0;
  const bool hasSideFile = BookParameterFile::MakeSideFilePath(*bookPath, &sidePath) &&
                           GetFileSizeByName(sidePath, &size);

  EncodedString target;
  target.FromWide(u"");
  EncodedString root;
  CopyWholeTextAsUtf16(storageRoot, &root);
  root.StripTrailingBackslash();
  target.Append(root);
  target.AppendAscii("\\ebooks");
  target.SelectAll();

  if (view != nullptr) view->ReloadIfShown(*bookPath);

  if (!PathExists(target) && !CreateFolder(target)) return false;

  // A book of that name in the target folder: refuse before anything moves,
  // so the side file that belongs to it stays as it is.
  EncodedString name;
  FileNameOf(*bookPath, &name);
  EncodedString targetBook;
  targetBook.Assign(target);
  targetBook.AppendChar('\\');
  targetBook.Append(name);
  targetBook.SelectAll();
  EncodedString sourceWide;
  CopyWholeTextAsUtf16(*bookPath, &sourceWide);
  if (!targetBook.Equals(sourceWide) && PathExists(targetBook)) return false;

  EncodedString movedSide;
  if (hasSideFile && !MoveFileInto(sidePath, target, &movedSide, true)) return false;

  EncodedString movedBook;
  if (MoveFileInto(*bookPath, target, &movedBook, false)) {
    CopyWholeText(movedBook, bookPath);
    return true;
  }
  if (hasSideFile) {
    EncodedString bookFolder;
    FolderOf(*bookPath, &bookFolder);
    EncodedString back;
    MoveFileInto(movedSide, bookFolder, &back, false);
  }
  return false;
}
