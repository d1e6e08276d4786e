// The source base: the loader's cache hook, the list of live streams, and
// the neutral answers of the operations a kind of source does not have.
#include "storage/sources/document_source.h"

#include "storage/documents/document.h"
#include "storage/sources/document_source_cache.h"

DocumentSource::~DocumentSource() {
  if (loader_ != nullptr) loader_->Uncache(this);
  // Every live stream counts the source, so none can remain; a stream that
  // somehow does loses its back pointer rather than pointing at freed memory.
  for (uint32_t i = 0; i < streams_.Count(); ++i) GetStream(i)->source_ = nullptr;
}

bool DocumentSource::GetTitle(SharedWideString* title) {
  Document* document = GetDocument();
  return document != nullptr && document->GetTitle(title);
}

bool DocumentSource::HasEmbeddedStreams() { return false; }

void DocumentSource::OpenStreamByName(DocumentStreamPtr* out, const WCHAR*, uint32_t) { out->Clear(); }

void DocumentSource::OpenStreamByIndex(DocumentStreamPtr* out, int32_t) { out->Clear(); }

bool DocumentSource::ResolveInnerLink(const WCHAR*, uint32_t, InnerLink*) { return false; }

Document* DocumentSource::GetDocument() { return nullptr; }

bool DocumentSource::CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t) {
  *parser = nullptr;
  if (layout) *layout = nullptr;
  return false;
}

void DocumentSource::DestroyParser(ElementStream*, LayoutContext*) {}

TextSearcher* DocumentSource::CreateTextSearch() { return nullptr; }

bool DocumentSource::HasSpecialTable(int32_t) { return false; }

DocumentStream* DocumentSource::OpenSpecialTable(int32_t, uint32_t) { return nullptr; }

DocumentStream* DocumentSource::OpenTableAtRecord(uint32_t) { return nullptr; }

DocumentStream* DocumentSource::OpenNamedTable(const WCHAR*, uint32_t, uint32_t) { return nullptr; }

int32_t DocumentSource::GetSourceKind() { return 0; }

const uint8_t* DocumentSource::GetExtraHeaderData(uint32_t* length) {
  *length = 0;
  Document* document = GetDocument();
  return document == nullptr ? nullptr : document->GetExtraHeaderData(length);
}

DocumentStream* DocumentSource::GetStream(uint32_t n) const {
  if (n >= streams_.Count()) return nullptr;
  return reinterpret_cast<DocumentStream*>(streams_.data[n + 1]);
}

DocumentStream* DocumentSource::FindStreamByIndex(int32_t n) {
  for (uint32_t i = 0; i < streams_.Count(); ++i) {
    DocumentStream* stream = GetStream(i);
    if (stream->CompareIndex(n) == 0) {
      stream->AddRef();
      return stream;
    }
  }
  return nullptr;
}

DocumentStream* DocumentSource::FindStreamByName(const WCHAR* name, uint32_t length) {
  for (uint32_t i = 0; i < streams_.Count(); ++i) {
    DocumentStream* stream = GetStream(i);
    if (stream->CompareName(name, length) == 0) {
      stream->AddRef();
      return stream;
    }
  }
  return nullptr;
}

bool DocumentSource::AddStream(DocumentStream* stream) {
  uint32_t count = streams_.Count();
  uintptr_t* slot = streams_.At(count);
  if (streams_.Count() != count + 1) return false;  // the list could not grow
  *slot = reinterpret_cast<uintptr_t>(stream);
  return true;
}

void DocumentSource::RemoveStream(DocumentStream* stream) {
  for (uint32_t i = 0; i < streams_.Count(); ++i) {
    if (GetStream(i) == stream) {
      streams_.RemoveAt(i);
      return;
    }
  }
}
