// Opening built books through the stream factory and reading them whole.
#include "tests/support/book_builder_reader.h"

#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/palm_database_builder.h"

namespace testbuild {

OpenedBook OpenBookFile(const std::u16string& devicePath, int32_t requestedCodePage, uint32_t mode,
                        DocumentHost* host, int32_t defaultCodePage) {
  OpenedBook opened;
  PalmDatabase* store = OpenRecordDatabase(devicePath.c_str(), mode, MakeFourCC("CORV"), MakeFourCC("BOOK"),
                                           &opened.error);
  if (store == nullptr) return opened;
  opened.doc = std::make_unique<BookDocument>();
  opened.error = opened.doc->Open(store, true, host, defaultCodePage, requestedCodePage);
  return opened;
}

OpenedBook OpenBookBytes(const std::vector<uint8_t>& bytes, int32_t requestedCodePage, uint32_t mode,
                         DocumentHost* host, const std::u16string& devicePath, int32_t defaultCodePage) {
  if (!WriteDeviceFile(devicePath, bytes)) {
    OpenedBook failed;
    failed.error = -1;
    return failed;
  }
  return OpenBookFile(devicePath, requestedCodePage, mode, host, defaultCodePage);
}

bool ReadWholeText(BookDocument* doc, TextWalk* walk, uint32_t section, bool raw, BlockCheck check,
                   void* context) {
  walk->text.clear();
  walk->blocks.clear();
  uint32_t start = 0, end = 0;
  if (!doc->GetSectionRange(section, &start, &end)) return false;
  const uint32_t length = end - start;
  const bool wide = !raw && doc->GetCodePage() == 65002;
  uint32_t position = 0;
  while (position < length) {
    TextBlock block;
    if (!doc->ReadBlock(position, &block, section, raw)) return false;
    WalkedBlock walked;
    walked.start = block.start;
    walked.length = block.length;
    walked.skipped = raw ? position - block.start : doc->PositionDistance(block.start, position, section);
    if (walked.skipped > block.length) walked.skipped = block.length;
    walked.firstChar = static_cast<uint32_t>(walk->text.size()) - walked.skipped;
    if (walked.skipped > walk->text.size()) walked.firstChar = 0;
    for (uint32_t i = walked.skipped; i < block.length; ++i) {
      walk->text.push_back(wide ? block.Units()[i] : static_cast<const uint8_t*>(block.data)[i]);
    }
    if (check != nullptr) check(doc, block, walked, context);
    const uint32_t next = raw ? block.start + block.length : doc->AdvancePosition(block.start, block.length, section);
    doc->ReleaseBlock(block.blockId);
    walk->blocks.push_back(walked);
    if (next <= position) return false;
    position = next;
  }
  return true;
}

}  // namespace testbuild
