// DocumentStream: the counted byte stream through which the system reads what
// a document source embeds (pictures, audio, index tables, compiled script
// pages, entries stored in records). Record-backed and file-backed streams
// and the index tables derive from it and keep its operations in this order.
//
// A stream handed out by a source holds one counted reference to it and sits
// in the source's list of live streams until it dies or detaches, so that the
// source can hand the same stream out again.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "platform/types/device_types.h"

class DocumentSource;

class DocumentStream : public RefCounted {
 public:
  // Every stream kind answers this from GetStreamKind, except index tables.
  static constexpr int32_t kStreamKind = 33;

  DocumentStream() = default;

  // 1 for every stream.
  virtual int32_t IsValid();
  // Fails when offset is at or past GetLength; otherwise reads
  // min(count, length - offset) bytes through ReadRaw and reports that number.
  virtual bool ReadAt(uint32_t offset, void* buffer, uint32_t count, uint32_t* read);
  // Always true: size := GetLength.
  virtual bool GetSize(uint32_t* size);
  // AddRef and Release are RefCounted's: Release at zero deletes the stream
  // through its virtual destructor, which first leaves the source's list.
  ~DocumentStream() override;
  // 0 when this is the stream for resource index n (base: never).
  virtual int32_t CompareIndex(int32_t n);
  // 0 when the stream's name equals name (base: never).
  virtual int32_t CompareName(const WCHAR* name, uint32_t length);
  // The whole contents in memory, until ReleaseMemory (base: none).
  virtual bool GetMemory(const uint8_t** pointer, uint32_t* size);
  virtual void ReleaseMemory(const uint8_t* pointer, uint32_t size);
  virtual uint32_t GetLength() = 0;
  virtual bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) = 0;
  // The first record of the stream, or -1.
  virtual int32_t GetRecordIndex();
  // 33 for every stream; index tables answer 257.
  virtual int32_t GetStreamKind();

  // The source that handed the stream out, or null for a stream made
  // elsewhere (not counted for the caller).
  DocumentSource* GetSource() const { return source_; }
  // Joins source's list of live streams and holds a reference to it. False
  // (nothing changed) when the list cannot grow or the stream already has a
  // source.
  bool AttachToSource(DocumentSource* source);
  // Leaves the source's list (the streams after it move up one place) and
  // drops the reference to the source.
  void DetachFromSource();

 private:
  friend class DocumentSource;
  DocumentSource* source_ = nullptr;  // counted
};

// A counted pointer to a stream: Assign counts the new stream up and releases
// the old one; Reset releases; CopyFrom shares another pointer's stream.
class DocumentStreamPtr : public RefPtr<DocumentStream> {
 public:
  using RefPtr<DocumentStream>::RefPtr;
  void Reset() { Clear(); }
  void CopyFrom(const DocumentStreamPtr& other) { Assign(other.Get()); }
};
