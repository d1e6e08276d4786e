// FolderWalker: depth-first walk over the platform's FindFirstFileW /
// FindNextFileW, one level per open search.
#include "foundation/files/folder_walker.h"

#include "foundation/files/folders_wide_path.h"

namespace {

// Cuts the path back to `bytes` of text, selected whole.
void CutPath(EncodedString* path, uint32_t bytes) {
  if (bytes < path->length) path->length = bytes;
  path->cursor = -1;
  path->cursorWidth = 1;
  path->SelectAll();
}

bool NameInList(const EncodedStringArray* list, const WCHAR* name, uint32_t units) {
  if (!list) return false;
  for (uint32_t i = 0; i < list->Count(); ++i) {
    const EncodedString& entry = list->elements[i + 1];
    if (entry.CompareText(name, static_cast<int32_t>(units * 2), 65002, false, false) == 0) return true;
  }
  return false;
}

bool ExtensionAccepted(const EncodedStringArray* extensions, const WCHAR* name, uint32_t units) {
  if (!extensions) return true;
  uint32_t dot = units;
  for (uint32_t i = 0; i < units; ++i)
    if (name[i] == u'.') dot = i;
  const WCHAR* extension = dot < units ? name + dot + 1 : name + units;
  uint32_t extensionUnits = dot < units ? units - dot - 1 : 0;
  return NameInList(extensions, extension, extensionUnits);
}

}  // namespace

FolderWalker::FolderWalker() : findData_(), handles_(sizeof(HANDLE)), lengths_(sizeof(uint32_t)) {}

HANDLE FolderWalker::TopHandle() const {
  HANDLE handle;
  handles_.ReadAt(handles_.Count() - 1, &handle, 1);
  return handle;
}

uint32_t FolderWalker::TopLength() const {
  uint32_t bytes;
  lengths_.ReadAt(lengths_.Count() - 1, &bytes, 1);
  return bytes;
}

bool FolderWalker::StartLevel(EncodedString* path) {
  uint32_t base = path->length;
  if (!AppendWideText(path, u"\\*")) {
    CutPath(path, base);
    return false;
  }
  HANDLE search = FindFirstFileW(path->CStrOrEmpty(), &findData_);
  CutPath(path, base);
  if (search == INVALID_HANDLE_VALUE) return false;
  if (handles_.Append(&search) < 0) {
    FindClose(search);
    return false;
  }
  if (lengths_.Append(&base) < 0) {
    handles_.RemoveAt(handles_.Count() - 1, 1);
    FindClose(search);
    return false;
  }
  return true;
}

void FolderWalker::EndLevel(EncodedString* path) {
  FindClose(TopHandle());
  if (path) CutPath(path, TopLength());
  handles_.RemoveAt(handles_.Count() - 1, 1);
  lengths_.RemoveAt(lengths_.Count() - 1, 1);
}

bool FolderWalker::Advance(EncodedString* path) {
  while (Depth() > 0) {
    if (FindNextFileW(TopHandle(), &findData_)) return true;
    EndLevel(path);
  }
  return false;
}

void FolderWalker::CloseAll() {
  while (Depth() > 0) EndLevel(nullptr);
}

bool FolderWalker::Next(EncodedString* path, const EncodedStringArray* skipNames,
                        const EncodedStringArray* extensions, bool descend, bool first) {
  if (first) {
    CloseAll();
    WidePath wide;
    if (!wide.Set(*path) || !path->FromWide(wide.Get())) return true;
    path->StripTrailingBackslash();
    if (!StartLevel(path)) return true;
  } else if (!Advance(path)) {
    return true;
  }
  for (;;) {
    // findData_ holds the next entry of the top level.
    findData_.cFileName[MAX_PATH - 1] = 0;
    const WCHAR* name = findData_.cFileName;
    uint32_t units = WideLength(name);
    uint32_t base = TopLength();
    bool isFolder = (findData_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    bool hidden = (findData_.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    bool fits = base / 2 + 1 + units < MAX_PATH;
    if (units > 0 && fits && !(isFolder && NameInList(skipNames, name, units))) {
      CutPath(path, base);
      AppendWideText(path, u"\\");
      if (AppendWideText(path, name)) {
        if (isFolder && !hidden && descend) {
          if (StartLevel(path)) continue;
        } else if (ExtensionAccepted(extensions, name, units)) {
          return false;
        }
      }
      CutPath(path, base);
    }
    if (!Advance(path)) return true;
  }
}

bool ListFolderTree(EncodedStringArray* skipNames, const EncodedString& start, const EncodedStringArray* extensions,
                    EncodedStringArray* found) {
  EncodedString dot;
  dot.FromWide(u".");
  skipNames->At(skipNames->Count()) = dot;
  dot.FromWide(u"..");
  skipNames->At(skipNames->Count()) = dot;
  EncodedString path;
  path.AssignRaw(start.buffer, start.buffer ? start.length : 0, start.unitKind, start.codePage);
  FolderWalker walker;
  bool first = true;
  while (!walker.Next(&path, skipNames, extensions, true, first)) {
    first = false;
    found->At(found->Count()) = path;
  }
  return skipNames->IsOk() && found->IsOk() && path.IsOk();
}
