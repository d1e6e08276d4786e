// Fuzz target: untrusted bytes as a book's side file and as the global
// settings file. The file is opened read-only and read-write, every field
// and link is read, the marks are walked in both classes, and the writable
// file is upgraded, given a mark and a note, has a mark deleted and its
// positions reset. Nothing may read or write outside a record, loop
// without end or allocate more than the file justifies.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/reset.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/settings/global_settings_file.h"
#include "storage/side_file/side_file_categories.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kBook = u"\\f.prc";
constexpr const char16_t* kSide = u"\\f.qvr";
constexpr const char16_t* kSettings = u"\\g.qvr";
constexpr uint32_t kNone = 0xFFFFFFFFu;

// The files without their save on destruction: a save flushes to disk,
// which would make each input take tens of milliseconds.
class DroppedSideFile : public BookParameterFile {
 public:
  ~DroppedSideFile() override { DiscardDatabase(); }
};
class DroppedSettingsFile : public GlobalSettingsFile {
 public:
  ~DroppedSettingsFile() override { DiscardDatabase(); }
};

void PutFile(const char16_t* path, const uint8_t* data, size_t size) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (size) WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(h);
}

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

void WalkMarks(BookParameterFile& file, bool change) {
  MarkIterator it;
  uint32_t steps = 0;
  uint32_t first = kNone;
  for (uint32_t mark = file.FirstBookmark(0, kNone, &it); mark != kNone && steps < 70000;
       mark = file.NextBookmark(&it), ++steps) {
    if (first == kNone) first = mark;
    uint32_t a, b, c, d, e, count = 0, length = 0;
    file.GetBookmarkRange(mark, &a, &b, &c, &d, &e);
    file.GetBookmarkKind(mark);
    file.GetBookmarkTarget(mark);
    file.GetBookmarkText(mark, &count);
    file.GetBookmarkNote(mark, &count);
    file.GetBookmarkExcerpt(mark, &count);
    file.GetBookmarkViewState(mark, &length);
    file.GetBookmarkState(mark, &length);
    EncodedString title;
    file.GetBookmarkTitle(mark, &title);
  }
  steps = 0;
  for (uint32_t mark = file.FirstBookmarkOfKind2(&it); mark != kNone && steps < 70000;
       mark = file.NextBookmark(&it), ++steps)
    file.IsKind4000Mark(mark);
  file.FirstBookmark(300, 1000, &it);
  if (!change) return;
  uint32_t mark = file.AddBookmark(5, 9, 1, 0, 0, 1);
  file.SetBookmarkNote(mark, u"note", 4);
  if (first != kNone) file.DeleteMark(first);
  file.ResetPositions();
}

void ReadSideFile(BookParameterFile& file) {
  uint32_t a = 0, b = 0, length = 0, count = 0;
  file.GetSavedPosition();
  file.GetFramePosition(&a, &b, &length);
  file.GetReadingPosition(&a, &b, &length);
  file.GetViewStateBlob(&length);
  file.GetDocumentStamp();
  file.IsReadingPositionValid();
  file.GetAuthor(&count);
  file.GetTitle(&count);
  file.GetCover(&count);
  CategoryNameSet set;
  file.ReadCategorySet(&set);
}

void FuzzSideFile(const uint8_t* data, size_t size) {
  for (int pass = 0; pass < 2; ++pass) {
    PutFile(kSide, data, size);
    DroppedSideFile file;
    bool writable = pass == 1;
    RecordResult opened = writable ? file.Create(Wide(kBook), "fuzz", 4, false, true, false)
                                   : file.Open(Wide(kBook), true);
    if (opened != RecordResult::kOk) continue;
    ReadSideFile(file);
    WalkMarks(file, writable);
  }
}

void FuzzSettingsFile(const uint8_t* data, size_t size) {
  for (bool readOnly : {true, false}) {
    PutFile(kSettings, data, size);
    DroppedSettingsFile settings;
    if (settings.OpenOrCreate(Wide(kSettings), readOnly) != RecordResult::kOk) continue;
    uint8_t b1, b2, bytes[32];
    uint32_t w[8];
    settings.GetLayoutGroup(&b1, &b2, &w[0], &w[1], &w[2], &w[3], &w[4], &w[5]);
    settings.GetColors(&w[0], &w[1], &w[2], &w[3], &w[4]);
    settings.GetSlot36(2, &w[0], bytes);
    settings.GetButtonAction(9, &b1);
    EncodedString text;
    settings.GetText252(&text);
    settings.ReadTextSetting(&GlobalSettingsFile::GetMainFontName, &text);
    uint32_t count = 0;
    settings.GetWideText52(&count);
    uint32_t steps = 0;
    for (uint32_t id = settings.FirstCategory(); id != kNone && steps < 70000; id = settings.NextCategory(), ++steps)
      settings.GetCategoryName(id, &count);
    settings.FindCategory(u"Novels", 6);
    if (!readOnly) {
      settings.SetFlag300(true);
      settings.AddCategory(u"Fuzz", 4);
      settings.SetText64("x\0", 2);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = false;
  if (!ready) {
    fuzzsupport::UseTempInMemory();
    devtest::ResetDevice();
    ready = true;
  }
  if (size > (1u << 20)) return 0;
  FuzzSideFile(data, size);
  FuzzSettingsFile(data, size);
  return 0;
}
