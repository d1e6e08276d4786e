// MappedFile: a file read (or written) through a memory-mapped view, as
// read-only books are read without copying. Opening maps the whole file;
// another window can be mapped later.
//
// The view is only as good as the file behind it: a file cut short while it
// is mapped (by another program) would fault on a touch beyond its new end.
// The file's size is kept from the time of mapping; GetRange asks the file
// for its current size before it hands out a pointer, so readers that go
// through it never touch a page the file no longer has. A reader that
// touches several ranges in one access (a record's entry, then its bytes)
// asks once with RefreshSize and takes the ranges with KnownRange.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/types/device_types.h"

class MappedFile {
 public:
  static constexpr uint32_t kToEnd = 0xFFFFFFFFu;  // requested length: to the end of the file

  // Results of Resize.
  static constexpr int kResized = 0;
  static constexpr int kRemapFailed = 1;     // the file is closed
  static constexpr int kEndNotSet = 2;       // the old window is mapped again

  MappedFile() = default;
  MappedFile(const WCHAR* path, uint32_t mode, uint32_t attributes) { Open(path, mode, attributes); }
  virtual ~MappedFile() { Close(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  virtual bool IsAvailable() { return true; }
  // Unmaps and closes the file, opens it again by its kept path, mode and
  // attributes and maps the same offset and requested length; the new size
  // is the mapped length. False, with the file closed, when that fails; the
  // path is kept, so a later Reopen may try again. False when the object
  // was never opened or has been closed.
  virtual bool Reopen();

  // Closes what was open, opens the file for mapping with the access, share
  // and disposition of the mode (read-only from the attributes' bit 8) and
  // maps it whole. An empty file succeeds with a null view and size 0.
  bool Open(const WCHAR* path, uint32_t mode, uint32_t attributes);
  bool Open(const EncodedString& path, uint32_t mode, uint32_t attributes);
  // Unmaps, closes the mapping and the file, deletes the file when its mode
  // asked for it. Safe on a closed object.
  void Close();

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // The view's first byte (file offset ViewOffset()); null when nothing is
  // mapped.
  const uint8_t* Data() const { return view_; }
  uint8_t* WritableData() const { return (mode_ & 2) ? view_ : nullptr; }
  // The mapped length after opening; the new end after a resize.
  uint32_t Size() const { return size_; }
  uint32_t ViewOffset() const { return viewOffset_; }
  uint32_t MappedLength() const { return mappedLength_; }

  // Maps another window [offset, offset + length) of the file (kToEnd: to
  // its end); false (nothing mapped) when the file is shorter than that.
  bool MapRange(uint32_t offset, uint32_t length);
  // The bytes at file offset [offset, offset + length) when they lie inside
  // the view and inside the file as it is now; null otherwise.
  const uint8_t* GetRange(uint32_t offset, uint32_t length) const;
  // Asks the file for its current size and keeps it; false (and a kept
  // size of 0, so that no range is handed out) when it cannot be told.
  bool RefreshSize() const;
  // GetRange against the size kept at mapping or at the last RefreshSize,
  // without asking the file.
  const uint8_t* KnownRange(uint32_t offset, uint32_t length) const;
  // Takes the view's pages holding file bytes [offset, offset + length)
  // out of memory, for a reader that has passed them; their bytes are read
  // again from the file at the next touch, so every pointer into the view
  // stays good. Ranges outside the view are ignored.
  void ReleasePages(uint32_t offset, uint32_t length) const;
  // Mapped bytes from file offset `offset` to the view's end; 0 outside.
  uint32_t Remaining(uint32_t offset) const;
  // Unmaps, sets the file's end to `newSize`, maps the same window again.
  // *moved (when given) tells whether the view's address changed.
  int Resize(uint32_t newSize, bool* moved);

 private:
  // Maps [offset, offset + requested) of the open file.
  bool MapView(uint32_t offset, uint32_t requested);
  void Unmap();
  bool OpenHandle(const WCHAR* path, uint32_t mode, uint32_t attributes);
  // The file's current size, or false when it cannot be told or is 4 GB or
  // more.
  bool CurrentFileSize(uint32_t* size) const;

  uint32_t mode_ = 0;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  uint8_t* view_ = nullptr;
  uint32_t size_ = 0;
  uint32_t viewOffset_ = 0;
  uint32_t requestedLength_ = kToEnd;
  uint32_t mappedLength_ = 0;
  mutable uint32_t fileSize_ = 0;  // the file's size at mapping or at the last RefreshSize
  uint32_t attributes_ = 0;
  uint8_t deleteOnClose_ = 0;
  WCHAR* path_ = nullptr;
};
