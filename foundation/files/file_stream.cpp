// FileStream: opening by mode word or on a new temporary file, reading and
// writing through the optional transform, seeking, sizing and cutting files.
#include "foundation/files/file_stream.h"

#include <cstring>

#include "foundation/files/file_mode.h"
#include "foundation/files/folders_wide_path.h"
#include "foundation/files/temp_files.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"

WCHAR* CopyWideText(const WCHAR* text) {
  if (!text) return nullptr;
  uint32_t units = WideLength(text);
  auto* copy = static_cast<WCHAR*>(DeviceAlloc((static_cast<size_t>(units) + 1) * sizeof(WCHAR)));
  if (!copy) return nullptr;
  std::memcpy(copy, text, (static_cast<size_t>(units) + 1) * sizeof(WCHAR));
  return copy;
}

FileStream* FileStream::CreateAndOpen(const WCHAR* path, uint32_t mode, uint32_t attributes) {
  FileStream* stream = DeviceNew<FileStream>();
  if (!stream) return nullptr;
  if (!stream->Open(path, mode, attributes)) {
    delete stream;
    return nullptr;
  }
  return stream;
}

FileStream* FileStream::CreateAndOpen(const EncodedString& path, uint32_t mode, uint32_t attributes) {
  WidePath wide;
  if (!wide.Set(path)) return nullptr;
  return CreateAndOpen(wide.Get(), mode, attributes);
}

bool FileStream::Open(const WCHAR* path, uint32_t mode, uint32_t attributes) {
  CloseFile();
  if (!path) return false;
  HANDLE handle = CreateFileW(path, FileModeAccess(mode), FileModeShare(mode), nullptr,
                              FileModeDisposition(mode), FileModeFlags(mode, attributes, true), nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  WCHAR* copy = CopyWideText(path);
  if (!copy) {
    // Without the path a delete-on-close file could not be deleted later.
    CloseHandle(handle);
    if (FileModeDeletesOnClose(mode)) DeleteFileW(path);
    return false;
  }
  handle_ = handle;
  deleteOnClose_ = FileModeDeletesOnClose(mode) ? 1 : 0;
  path_ = copy;
  return true;
}

bool FileStream::Open(const EncodedString& path, uint32_t mode, uint32_t attributes) {
  WidePath wide;
  if (!wide.Set(path)) {
    CloseFile();
    return false;
  }
  return Open(wide.Get(), mode, attributes);
}

// A stream on a new file of the temporary folder, deleted when the stream
// closes.
bool FileStream::OpenTemporary() {
  CloseFile();
  WCHAR name[MAX_PATH];
  if (!CreateTempFileWithPrefix(u"qrv", name)) return false;
  if (Open(name, kFileModeTemporary, kFileAttributeArgNormal)) return true;
  DeleteFileW(name);
  return false;
}

bool FileStream::Close() {
  bool closed = CloseFile();
  delete transform_;
  transform_ = nullptr;
  return closed;
}

bool FileStream::CloseFile() {
  bool closed = true;
  if (handle_ != INVALID_HANDLE_VALUE) {
    closed = CloseHandle(handle_) != FALSE;
    if (deleteOnClose_ && path_) DeleteFileW(path_);
  }
  handle_ = INVALID_HANDLE_VALUE;
  deleteOnClose_ = 0;
  DeviceFree(path_);
  path_ = nullptr;
  return closed;
}

uint32_t FileStream::Read(void* buffer, uint32_t n) {
  if (!IsOpen() || !buffer || n == 0) return 0;
  DWORD read = 0;
  ReadFile(handle_, buffer, n, &read, nullptr);
  if (read > n) read = n;
  if (transform_ && read > 0) transform_->Decode(buffer, buffer, read);
  return read;
}

uint32_t FileStream::Write(const void* data, uint32_t n) {
  if (!IsOpen() || !data || n == 0) return 0;
  const void* out = data;
  uint8_t local[kLocalEncodeBytes];
  uint8_t* heap = nullptr;
  if (transform_) {
    uint8_t* encoded = local;
    if (n > kLocalEncodeBytes) {
      heap = static_cast<uint8_t*>(DeviceAlloc(n));
      if (!heap) return 0;
      encoded = heap;
    }
    transform_->Encode(data, encoded, n);
    out = encoded;
  }
  DWORD written = 0;
  WriteFile(handle_, out, n, &written, nullptr);
  DeviceFree(heap);
  return written > n ? n : written;
}

uint32_t FileStream::Seek(int32_t offset, uint32_t origin) {
  if (!IsOpen()) return kSeekFailed;
  return SetFilePointer(handle_, offset, nullptr, origin);
}

uint32_t FileStream::Size() {
  if (!IsOpen()) return 0;
  DWORD size = GetFileSize(handle_, nullptr);
  return size == INVALID_FILE_SIZE ? 0 : size;
}

bool FileStream::Flush() { return IsOpen() && FlushFileBuffers(handle_) != FALSE; }

bool FileStream::Truncate(uint32_t size) {
  if (!IsOpen()) return false;
  LONG high = 0;
  DWORD position = SetFilePointer(handle_, 0, &high, FILE_CURRENT);
  if (position == INVALID_SET_FILE_POINTER) return false;
  LONG sizeHigh = 0;
  if (SetFilePointer(handle_, static_cast<LONG>(size), &sizeHigh, FILE_BEGIN) != size || sizeHigh != 0) {
    SetFilePointer(handle_, static_cast<LONG>(position), &high, FILE_BEGIN);
    return false;
  }
  bool ended = SetEndOfFile(handle_) != FALSE;
  SetFilePointer(handle_, static_cast<LONG>(position), &high, FILE_BEGIN);
  return ended;
}

void FileStream::SetTransform(FileTransform* transform) {
  if (transform == transform_) return;
  delete transform_;
  transform_ = transform;
}
