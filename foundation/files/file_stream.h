// FileStream: the system's handle wrapper over the platform's file calls,
// through which the stream factory, the Palm-database container and the
// plain-text document read and write files. A stream may carry a transform
// object that encodes bytes on their way out and decodes them on their way
// in; nothing in the system installs one, the stream only keeps the hook.
//
// Opening takes the mode word of file_mode.h. A stream opened with the
// delete-on-close bit deletes its file in Close (by its kept path).
// Every operation on a closed stream answers 0, -1 or false.
//
// A write the platform accepted may still fail on its way to the store (a
// full or removed card): Flush and Close report that, and whoever writes a
// file that matters checks both.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/types/device_types.h"

// Encodes and decodes bytes between the caller and the file. Owned by the
// stream that holds it. Source and destination may be the same buffer.
class FileTransform {
 public:
  virtual ~FileTransform() = default;
  virtual void Encode(const void* source, void* destination, uint32_t length) = 0;
  virtual void Decode(const void* source, void* destination, uint32_t length) = 0;
};

class FileStream {
 public:
  static constexpr uint32_t kSeekFailed = 0xFFFFFFFFu;
  // Writes of up to this many bytes are encoded in a local buffer.
  static constexpr uint32_t kLocalEncodeBytes = 128;

  FileStream() = default;
  // Wraps a handle that the stream then owns (closes).
  explicit FileStream(HANDLE handle) : handle_(handle) {}
  ~FileStream() { Close(); }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  // A new stream opened on the path, or null (not opened, or no memory).
  static FileStream* CreateAndOpen(const WCHAR* path, uint32_t mode, uint32_t attributes);
  static FileStream* CreateAndOpen(const EncodedString& path, uint32_t mode, uint32_t attributes);

  // Closes the file that was open (a transform set beforehand stays; Close
  // first where its close error matters), then opens the path with the
  // access, share and disposition of the mode; the attributes' bit 8 asks
  // for read-only, the mode's bit 8 for hidden. On success the delete flag
  // and a copy of the path are kept.
  bool Open(const WCHAR* path, uint32_t mode, uint32_t attributes);
  bool Open(const EncodedString& path, uint32_t mode, uint32_t attributes);
  // A new file in the temporary folder named with the prefix "qrv", opened
  // with mode 151 (read and write, deleted on close).
  bool OpenTemporary();
  // Closes the handle, deletes the file when flagged, frees the path and the
  // transform. False when closing reported an error (data written through
  // the stream may be lost); the stream is closed all the same. True when
  // it was closed already.
  bool Close();
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  // Bytes read (decoded in place when a transform is set).
  uint32_t Read(void* buffer, uint32_t n);
  // Bytes written; 0 when the transform's buffer cannot be allocated.
  uint32_t Write(const void* data, uint32_t n);
  // The new position, or kSeekFailed. Origin: FILE_BEGIN, FILE_CURRENT, FILE_END.
  uint32_t Seek(int32_t offset, uint32_t origin);
  // The low 32 bits of the file's size; 0 when closed.
  uint32_t Size();
  // Writes the file's data through to its store; false when closed, when
  // the stream cannot write, or when data written before could not be
  // stored.
  bool Flush();
  // Cuts or extends the file to `size` and keeps the position; true when the
  // end was set.
  bool Truncate(uint32_t size);
  // Destroys the old transform and keeps the new one (may be null).
  void SetTransform(FileTransform* transform);

  HANDLE Handle() const { return handle_; }
  // The kept path (terminated UTF-16), or null.
  const WCHAR* Path() const { return path_; }
  bool DeletesOnClose() const { return deleteOnClose_ != 0; }

 private:
  // Close without destroying the transform; Close's answer.
  bool CloseFile();

  FileTransform* transform_ = nullptr;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  uint8_t deleteOnClose_ = 0;
  WCHAR* path_ = nullptr;
};

// A heap copy of a terminated UTF-16 text (DeviceAlloc), or null.
WCHAR* CopyWideText(const WCHAR* text);
