// Local files read through the plain-text document (see plain_text_opener.h).
#include "browser/sources/plain_text_opener.h"

#include "browser/sources/file_document_source.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/memory/allocator.h"
#include "storage/documents/plain_text_document.h"

namespace {

// The document reads the source's file but does not own it: the source
// closes the file after releasing its document. The text kind only picks
// the parser and the searcher, so the document does not keep it.
Document* OpenPlainTextDocument(FileStream* file, const EncodedString& path, int32_t sourceCodePage,
                                int32_t targetCodePage, uint32_t offset, int32_t length, int32_t) {
  PlainTextDocument* document = DeviceNew<PlainTextDocument>();
  if (document == nullptr) return nullptr;
  // The path names the document (its title); a copy, so that it may be
  // ended with a zero.
  EncodedString widePath(path);
  const WCHAR* name = widePath.UnitKind() == EncodedString::kUnitUtf16 ? widePath.CStrOrEmpty() : nullptr;
  document->Open(file, name, sourceCodePage, targetCodePage, false, offset, length);
  return document;
}

}  // namespace

void InstallPlainTextDocumentOpener() { SetPlainTextDocumentOpener(&OpenPlainTextDocument); }
