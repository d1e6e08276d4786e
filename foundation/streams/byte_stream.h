// ByteStream: the growable byte buffer through which every piece of saved
// state is written and read (view states, form values, layout positions, the
// chunks of side files and of the settings file).
//
// Writers append at the end; readers read at `readPos`. Reading is forgiving:
// a read past the end, like a failed allocation while writing, changes
// nothing and clears `ok`, so a loader reads a whole chunk and tests the flag
// once. Only construction, Clear, Assign (which copies the other's flag) and
// MoveFrom (on the source) set `ok` again.
//
// Formats: numbers big-endian unless the operation says machine order;
// machine order is the device's, little-endian, whatever the host, so chunks
// written that way stay portable. Blobs are a big-endian u32 length, the
// bytes, zero padding to a multiple of 4. VarUInt is 7-bit groups, least
// significant first, bit 7 set on the last byte (1 to 5 bytes).
//
// Every reader, the "unchecked" ones included, checks the bytes that remain:
// the unchecked names mark the callers that reserved or measured beforehand,
// and keep their fast path, but a short stream never reads outside its bytes.
// Likewise the unchecked writers grow the stream when the caller did not
// reserve enough.
#pragma once

#include <cstdint>
#include <cstring>

#include "foundation/containers/segmented_array.h"

// Receiver of ByteStream::CopyToSink: takes one block-bounded run at a time.
class ByteStreamSink {
 public:
  virtual void Write(uint32_t offset, const uint8_t* data, uint32_t length) = 0;

 protected:
  ~ByteStreamSink() = default;
};

class ByteStream {
 public:
  static constexpr uint8_t kBlockShift = 5;  // 32-byte blocks
  static constexpr uint32_t kBlockBytes = 1u << kBlockShift;

  SegmentedArray bytes;  // item size 1; its count is the stream's size
  uint32_t readPos = 0;
  bool ok = true;

  ByteStream() { bytes.SetGeometry(1, kBlockShift); }
  ~ByteStream() = default;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Copies the other stream's bytes, readPos and ok. On lack of memory this
  // stream keeps what it could and its ok is cleared (false).
  bool Assign(const ByteStream& other);
  // Takes the other's bytes, readPos and ok; the other is left empty, readPos
  // 0, ok set.
  void MoveFrom(ByteStream& other);
  // Drops every byte (blocks freed) and sets ok; readPos is left for the
  // caller to set before reading again.
  void Clear();

  uint32_t Size() const { return bytes.count; }
  // Bytes between readPos and the end.
  uint32_t Remaining() const { return readPos < bytes.count ? bytes.count - readPos : 0; }
  // Byte i of the stream (i < Size()).
  uint8_t ByteAt(uint32_t i) const { return *static_cast<const uint8_t*>(bytes.At(i)); }

  // Advances readPos to the next multiple of `alignment` (a power of two),
  // no further than the size; ok untouched.
  void AlignRead(uint32_t alignment);
  // Appends zero bytes until the size is a multiple of `alignment` (a power
  // of two, at most 4).
  bool PadWrite(uint32_t alignment);
  void PadWriteUnchecked(uint32_t alignment) { PadWrite(alignment); }  // checks as PadWrite
  // Advances readPos by n; false, with nothing changed and ok untouched, when
  // that would pass the end.
  bool Skip(uint32_t n);
  // A smaller n truncates (blocks kept); a larger n makes n the size with a
  // zero byte just past the new end (the new bytes are the caller's to fill).
  // False on lack of memory, ok untouched.
  bool Resize(uint32_t n);

  // Checked writers: on lack of memory nothing is written and ok is cleared.
  bool WriteBytes(const void* data, uint32_t n) {
    uint32_t size = bytes.count;
    if (n != 0 && n <= kBlockBytes - (size & (kBlockBytes - 1)) && n <= bytes.capacity - size) {
      std::memcpy(bytes.At(size), data, n);
      bytes.count = size + n;
      return true;
    }
    return AppendSlow(data, n);
  }
  bool WriteU32Native(const uint32_t* values, uint32_t n);  // little-endian
  bool WriteU32BE(const uint32_t* values, uint32_t n);
  // A blob of the other stream's whole contents (this stream itself allowed).
  bool WriteBlob(const ByteStream& other);
  bool WriteBlob(const void* data, uint32_t n);
  bool WriteVarUInt(uint32_t value);

  // Checked readers: with too few bytes left nothing is read, readPos stays
  // and ok is cleared; the result says whether this read succeeded.
  bool ReadBytes(void* out, uint32_t n) {
    uint32_t pos = readPos;
    if (n != 0 && n <= kBlockBytes - (pos & (kBlockBytes - 1)) && n <= Remaining()) {
      std::memcpy(out, bytes.At(pos), n);
      readPos = pos + n;
      return true;
    }
    return TakeSlow(out, n);
  }
  bool ReadU32Native(uint32_t* out, uint32_t n);  // little-endian
  bool ReadU16BE(uint16_t* out, uint32_t n);
  bool ReadU32BE(uint32_t* out, uint32_t n);
  // Reads a blob into `target` (always emptied first), whose size becomes the
  // blob's length; readPos moves past the padding. A length that promises
  // more than remains, a cut length word or lack of memory in the target
  // clears ok and leaves the target empty and readPos where it was. The
  // padded length is computed in 64 bits, so a length near 2^32 cannot wrap.
  bool ReadBlob(ByteStream& target);
  // False (ok cleared, readPos kept) when the stream ends before the byte
  // with bit 7; groups beyond bit 31 are dropped.
  bool ReadVarUInt(uint32_t* out);

  // Forms for callers that reserved room or measured the bytes left. They
  // keep their names ("Raw", "Unchecked"), but each is its checked
  // counterpart: a growth that fails or a read past the end behaves exactly
  // as there, so a caller's wrong measure can never read or write outside
  // the stream.
  void AppendRaw(const void* data, uint32_t n) { WriteBytes(data, n); }
  void AppendRaw16(const uint16_t* values, uint32_t n);  // little-endian
  void AppendRaw32(const uint32_t* values, uint32_t n) { WriteU32Native(values, n); }
  void WriteU16BEUnchecked(const uint16_t* values, uint32_t n);
  void WriteU32BEUnchecked(const uint32_t* values, uint32_t n) { WriteU32BE(values, n); }
  bool ReadRaw(void* out, uint32_t n) { return ReadBytes(out, n); }
  bool ReadRaw16(uint16_t* out, uint32_t n);  // little-endian
  bool ReadRaw32(uint32_t* out, uint32_t n) { return ReadU32Native(out, n); }
  bool ReadU16BEUnchecked(uint16_t* out, uint32_t n) { return ReadU16BE(out, n); }
  bool ReadU32BEUnchecked(uint32_t* out, uint32_t n) { return ReadU32BE(out, n); }

  // Hands up to n bytes from readPos to the sink, one block-bounded run at a
  // time (offset advancing with readPos); stops early when no bytes remain.
  // Answers the bytes handed over.
  uint32_t CopyToSink(ByteStreamSink& sink, uint32_t offset, uint32_t n);

 private:
  // Appends n bytes (a null `data` appends zeros); all or nothing.
  bool AppendSlow(const void* data, uint32_t n);
  // Reserves room for n more bytes, clearing ok when it cannot.
  bool ReserveMore(uint64_t n);
  // Copies n bytes in at the end; the room is reserved.
  void PutBytes(const uint8_t* data, uint32_t n);
  bool TakeSlow(void* out, uint32_t n);
  // Encodes n words of `width` bytes each with the given byte order and
  // appends them, all or nothing.
  bool WriteWords(const void* values, uint32_t n, uint32_t width, bool bigEndian);
  bool ReadWords(void* out, uint32_t n, uint32_t width, bool bigEndian);
};
