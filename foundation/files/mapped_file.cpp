// MappedFile: opening a file for mapping by mode word, mapping windows of it,
// reopening it by its kept path, resizing it, and handing out ranges of the
// view only where the file still has bytes.
#include "foundation/files/mapped_file.h"

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "foundation/files/folders_wide_path.h"
#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"

bool MappedFile::OpenHandle(const WCHAR* path, uint32_t mode, uint32_t attributes) {
  file_ = CreateFileForMappingW(path, FileModeAccess(mode), FileModeShare(mode), nullptr,
                                FileModeDisposition(mode), FileModeFlags(mode, attributes, false), nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

bool MappedFile::Open(const WCHAR* path, uint32_t mode, uint32_t attributes) {
  Close();
  if (!path) return false;
  path_ = CopyWideText(path);
  if (!path_) return false;
  mode_ = mode;
  attributes_ = attributes;
  if (!OpenHandle(path, mode, attributes)) {
    Close();  // never deletes a file it could not open
    return false;
  }
  deleteOnClose_ = FileModeDeletesOnClose(mode) ? 1 : 0;
  if (!MapView(0, kToEnd)) {
    Close();
    return false;
  }
  size_ = mappedLength_;
  return true;
}

bool MappedFile::Open(const EncodedString& path, uint32_t mode, uint32_t attributes) {
  WidePath wide;
  if (!wide.Set(path)) {
    Close();
    return false;
  }
  return Open(wide.Get(), mode, attributes);
}

bool MappedFile::CurrentFileSize(uint32_t* size) const {
  if (!IsOpen()) return false;
  DWORD high = 0;
  DWORD low = GetFileSize(file_, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return false;
  if (high != 0) return false;
  *size = low;
  return true;
}

bool MappedFile::MapView(uint32_t offset, uint32_t requested) {
  uint32_t fileSize = 0;
  if (!CurrentFileSize(&fileSize) || offset > fileSize) return false;
  uint32_t length = requested == kToEnd ? fileSize - offset : requested;
  if (length > fileSize - offset) return false;
  viewOffset_ = offset;
  requestedLength_ = requested;
  fileSize_ = fileSize;
  if (length == 0) {
    view_ = nullptr;
    mappedLength_ = 0;
    return true;
  }
  bool write = FileModeWantsWrite(mode_);
  mapping_ = CreateFileMappingW(file_, nullptr, write ? PAGE_READWRITE : PAGE_READONLY, 0, fileSize, nullptr);
  if (!mapping_) return false;
  void* view = MapViewOfFile(mapping_, write ? FILE_MAP_WRITE : FILE_MAP_READ, 0, offset, length);
  if (!view) {
    CloseHandle(mapping_);
    mapping_ = nullptr;
    return false;
  }
  view_ = static_cast<uint8_t*>(view);
  mappedLength_ = length;
  return true;
}

void MappedFile::Unmap() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
  mappedLength_ = 0;
  fileSize_ = 0;
}

void MappedFile::Close() {
  Unmap();
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (deleteOnClose_ && path_) DeleteFileW(path_);
  DeviceFree(path_);
  path_ = nullptr;
  file_ = INVALID_HANDLE_VALUE;
  mode_ = 0;
  size_ = 0;
  viewOffset_ = 0;
  requestedLength_ = kToEnd;
  attributes_ = 0;
  deleteOnClose_ = 0;
}

// Also retried after a failed reopen (the file closed, its path kept), so a
// book on a card that was out for a moment can be reached again.
bool MappedFile::Reopen() {
  if (!path_) return false;
  uint32_t offset = viewOffset_;
  uint32_t requested = requestedLength_;
  Unmap();
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (!OpenHandle(path_, mode_, attributes_)) return false;
  if (!MapView(offset, requested)) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    viewOffset_ = offset;
    requestedLength_ = requested;
    return false;
  }
  size_ = mappedLength_;
  return true;
}

bool MappedFile::MapRange(uint32_t offset, uint32_t length) {
  if (!IsOpen()) return false;
  Unmap();
  return MapView(offset, length);
}

const uint8_t* MappedFile::GetRange(uint32_t offset, uint32_t length) const {
  if (!view_ || !RefreshSize()) return nullptr;
  return KnownRange(offset, length);
}

bool MappedFile::RefreshSize() const {
  uint32_t size = 0;
  const bool known = CurrentFileSize(&size);
  fileSize_ = known ? size : 0;
  return known;
}

const uint8_t* MappedFile::KnownRange(uint32_t offset, uint32_t length) const {
  if (!view_ || offset < viewOffset_) return nullptr;
  uint32_t inView = offset - viewOffset_;
  if (inView > mappedLength_ || length > mappedLength_ - inView) return nullptr;
  if (static_cast<uint64_t>(offset) + length > fileSize_) return nullptr;
  return view_ + inView;
}

void MappedFile::ReleasePages(uint32_t offset, uint32_t length) const {
  if (!view_ || length == 0 || offset < viewOffset_) return;
  const uint32_t inView = offset - viewOffset_;
  if (inView >= mappedLength_ || length > mappedLength_ - inView) return;
  VirtualUnlock(view_ + inView, length);  // answers FALSE for unlocked pages, as they all are
}

uint32_t MappedFile::Remaining(uint32_t offset) const {
  if (!view_ || offset < viewOffset_) return 0;
  uint64_t viewEnd = static_cast<uint64_t>(viewOffset_) + mappedLength_;
  uint32_t fileSize = 0;
  if (!CurrentFileSize(&fileSize)) return 0;
  uint64_t end = viewEnd < fileSize ? viewEnd : fileSize;
  return offset < end ? static_cast<uint32_t>(end - offset) : 0;
}

int MappedFile::Resize(uint32_t newSize, bool* moved) {
  if (moved) *moved = false;
  if (!IsOpen()) return kRemapFailed;
  uintptr_t oldView = reinterpret_cast<uintptr_t>(view_);
  uint32_t offset = viewOffset_;
  uint32_t requested = requestedLength_;
  Unmap();
  LONG high = 0;
  bool endSet = SetFilePointer(file_, static_cast<LONG>(newSize), &high, FILE_BEGIN) == newSize && high == 0 &&
                SetEndOfFile(file_) != FALSE;
  if (endSet) size_ = newSize;
  if (!MapView(offset, requested)) {
    Close();
    if (moved) *moved = true;
    return kRemapFailed;
  }
  if (moved) *moved = reinterpret_cast<uintptr_t>(view_) != oldView;
  return endSet ? kResized : kEndNotSet;
}
