// The document source of local files (see file_document_source.h).
#include "browser/sources/file_document_source.h"

#include <new>

#include "browser/sources/body_element_stream.h"
#include "browser/sources/book_layout_context.h"
#include "browser/sources/file_range_stream.h"
#include "browser/sources/source_parsers.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "layout/markup/markup_parser.h"
#include "layout/markup/plain_text_token_reader.h"
#include "platform/memory/allocator.h"
#include "storage/documents/document.h"

namespace {

PlainTextDocumentOpener g_opener = nullptr;

}  // namespace

void SetPlainTextDocumentOpener(PlainTextDocumentOpener opener) { g_opener = opener; }

FileDocumentSource* FileDocumentSource::Create(const Url& url, int32_t fileKind, int32_t sourceCodePage,
                                               int32_t targetCodePage) {
  if (fileKind != kFileHtml && fileKind != kFilePlainText && fileKind != kFileMedia) return nullptr;
  EncodedString path;
  url.GetPathEncoded(&path);
  if (path.IsEmpty()) return nullptr;
  FileStream* file = FileStream::CreateAndOpen(path, kFileModeReadShared, kFileAttributeArgNormal);
  if (file == nullptr) return nullptr;
  Document* document = nullptr;
  if (g_opener != nullptr) {
    // A picture or audio file is read as a stream only: its document holds
    // no text.
    const bool media = fileKind == kFileMedia;
    document = g_opener(file, path, sourceCodePage, targetCodePage, 0, media ? 0 : -1,
                        fileKind == kFilePlainText ? kPlainText : kMarkupText);
    if (document == nullptr) {
      delete file;
      return nullptr;
    }
  } else if (fileKind != kFileMedia) {
    delete file;
    return nullptr;
  }
  FileDocumentSource* source = nullptr;
  if (!DeviceAllocationShouldFail()) source = new (std::nothrow) FileDocumentSource();
  if (source == nullptr) {
    if (document != nullptr) document->Release();
    delete file;
    return nullptr;
  }
  source->document_ = document;
  source->file_ = file;
  source->fileKind_ = fileKind;
  return source;
}

FileDocumentSource::~FileDocumentSource() {
  // Every stream counts the source, so none still reads the file.
  if (document_ != nullptr) document_->Release();
  delete file_;
}

void FileDocumentSource::OpenStreamByName(DocumentStreamPtr* out, const WCHAR*, uint32_t) {
  OpenStreamByIndex(out, -1);
}

void FileDocumentSource::OpenStreamByIndex(DocumentStreamPtr* out, int32_t) {
  out->Clear();
  if (fileKind_ != kFileMedia) return;
  if (DocumentStream* again = GetStream(0)) {
    again->AddRef();
    out->Adopt(again);
    return;
  }
  FileRangeStream* stream = FileRangeStream::Create(file_, 0, file_->Size());
  if (stream == nullptr) return;
  if (!stream->AttachToSource(this)) {
    stream->Release();
    return;
  }
  out->Adopt(stream);
}

bool FileDocumentSource::CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) {
  *parser = nullptr;
  if (layout != nullptr) *layout = nullptr;
  // A media file is shown through markup that the view writes; plain text
  // is read by the plain-text reader, which gives the elements markup would.
  if (document_ == nullptr) return false;
  ElementStream* reader = nullptr;
  if (fileKind_ == kFilePlainText)
    reader = DeviceNew<PlainTextTokenReader>();
  else
    reader = BodyElementStream::Create();
  if (reader == nullptr) return false;
  // A plain layout context: the book's, without a book.
  BookLayoutContext* context = nullptr;
  if (layout != nullptr && (context = BookLayoutContext::Create(nullptr)) == nullptr) {
    delete reader;
    return false;
  }
  reader->AttachSource(document_, argument);
  if (context != nullptr) context->AttachParser(reader, document_, context->Builder());
  *parser = reader;
  if (layout != nullptr) *layout = context;
  return true;
}

void FileDocumentSource::DestroyParser(ElementStream* parser, LayoutContext* layout) {
  DestroySourceParser(parser, layout);
}

TextSearcher* FileDocumentSource::CreateTextSearch() {
  return CreateDocumentTextSearch(document_, fileKind_ == kFilePlainText ? kPlainText : kMarkupText);
}
