// The fixed folders in which the system keeps books: "\eBooks" and the
// folders inside it. Each is made when missing, its parent first.
#include "foundation/files/folders.h"
#include "foundation/files/folders_wide_path.h"

namespace {

// The parent is already in `path`; appends "\" + name and makes the folder
// when it is missing.
bool EnsureChild(EncodedString* path, const WCHAR* name) {
  AppendWideText(path, u"\\");
  if (!AppendWideText(path, name)) return false;
  if (!PathExists(*path)) CreateFolder(*path);
  return PathExists(*path);
}

}  // namespace

bool EnsureBooksFolder(EncodedString* path) {
  if (!path->FromWide(u"\\eBooks")) return false;
  if (!PathExists(*path)) CreateFolder(*path);
  return PathExists(*path);
}

bool EnsureCoversFolder(EncodedString* path) {
  return EnsureBooksFolder(path) && EnsureChild(path, u"Covers");
}

bool EnsureBookshelfFolder(EncodedString* path) {
  return EnsureCoversFolder(path) && EnsureChild(path, u"Bookshelf");
}

bool EnsureFeedsFolder(EncodedString* path) {
  return EnsureBooksFolder(path) && EnsureChild(path, u"Feeds");
}

bool EnsureFeedsTempFolder(EncodedString* path) {
  return EnsureFeedsFolder(path) && EnsureChild(path, u"Temp");
}

bool EnsureNewsFolder(EncodedString* path) {
  return EnsureBooksFolder(path) && EnsureChild(path, u"News");
}
