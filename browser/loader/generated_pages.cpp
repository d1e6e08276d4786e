// Deleting the generated side pages (see generated_pages.h).
#include "browser/loader/generated_pages.h"

#include "foundation/files/folders.h"
#include "platform/memory/allocator.h"

void DeleteGeneratedPages(const SharedWideString& folder) {
  if (folder.IsEmpty()) return;
  WCHAR* terminated = folder.Duplicate(true);
  if (terminated == nullptr) return;
  DeleteFilesMatching(terminated, u"CorvellineAutogen*.qvg");
  DeviceFree(terminated);
}
