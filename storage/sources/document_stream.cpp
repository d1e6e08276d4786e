// The stream base: reads bounded by the length, and membership in the list
// of live streams of the source that handed the stream out.
#include "storage/sources/document_stream.h"

#include "storage/sources/document_source.h"

DocumentStream::~DocumentStream() { DetachFromSource(); }

int32_t DocumentStream::IsValid() { return 1; }

bool DocumentStream::ReadAt(uint32_t offset, void* buffer, uint32_t count, uint32_t* read) {
  if (read) *read = 0;
  uint32_t length = GetLength();
  if (offset >= length) return false;
  uint32_t n = length - offset < count ? length - offset : count;
  if (!ReadRaw(offset, buffer, n)) return false;
  if (read) *read = n;
  return true;
}

bool DocumentStream::GetSize(uint32_t* size) {
  *size = GetLength();
  return true;
}

int32_t DocumentStream::CompareIndex(int32_t) { return -1; }

int32_t DocumentStream::CompareName(const WCHAR*, uint32_t) { return -1; }

bool DocumentStream::GetMemory(const uint8_t** pointer, uint32_t* size) {
  *pointer = nullptr;
  *size = 0;
  return false;
}

void DocumentStream::ReleaseMemory(const uint8_t*, uint32_t) {}

int32_t DocumentStream::GetRecordIndex() { return -1; }

int32_t DocumentStream::GetStreamKind() { return kStreamKind; }

bool DocumentStream::AttachToSource(DocumentSource* source) {
  if (source == nullptr || source_ != nullptr) return false;
  if (!source->AddStream(this)) return false;
  source->AddRef();
  source_ = source;
  return true;
}

void DocumentStream::DetachFromSource() {
  DocumentSource* source = source_;
  if (source == nullptr) return;
  source_ = nullptr;
  source->RemoveStream(this);
  source->Release();  // may destroy the source: the stream was its last holder
}
