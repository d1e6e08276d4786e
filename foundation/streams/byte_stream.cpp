// ByteStream: growth, word encodings, blobs, varints and the sink copy. Bulk
// copies go one block-bounded run at a time.
#include "foundation/streams/byte_stream.h"

#include "foundation/streams/byte_order.h"

namespace {

constexpr uint32_t kChunkWords = 16;  // words encoded per staging pass

// Words are 2 or 4 bytes wide.
uint32_t DecodeWord(const uint8_t* p, uint32_t width, bool bigEndian) {
  if (width == 2) return bigEndian ? LoadU16BE(p) : LoadU16LE(p);
  return bigEndian ? LoadU32BE(p) : LoadU32LE(p);
}

void EncodeWord(uint8_t* p, uint32_t value, uint32_t width, bool bigEndian) {
  if (width == 2) {
    bigEndian ? StoreU16BE(p, value) : StoreU16LE(p, value);
  } else {
    bigEndian ? StoreU32BE(p, value) : StoreU32LE(p, value);
  }
}

uint32_t LoadWord(const void* values, uint32_t i, uint32_t width) {
  if (width == 2) return static_cast<const uint16_t*>(values)[i];
  return static_cast<const uint32_t*>(values)[i];
}

void StoreWord(void* out, uint32_t i, uint32_t width, uint32_t value) {
  if (width == 2) {
    static_cast<uint16_t*>(out)[i] = static_cast<uint16_t>(value);
  } else {
    static_cast<uint32_t*>(out)[i] = value;
  }
}

}  // namespace

bool ByteStream::Assign(const ByteStream& other) {
  if (&other == this) return true;
  if (!bytes.CopyFrom(other.bytes)) {
    ok = false;
    return false;
  }
  readPos = other.readPos;
  ok = other.ok;
  return true;
}

void ByteStream::MoveFrom(ByteStream& other) {
  if (&other == this) return;
  bytes.MoveFrom(other.bytes);
  readPos = other.readPos;
  ok = other.ok;
  other.readPos = 0;
  other.ok = true;
}

void ByteStream::Clear() {
  bytes.Clear();
  ok = true;
}

void ByteStream::AlignRead(uint32_t alignment) {
  if (alignment == 0) return;
  uint64_t aligned = (static_cast<uint64_t>(readPos) + alignment - 1) & ~static_cast<uint64_t>(alignment - 1);
  readPos = aligned < bytes.count ? static_cast<uint32_t>(aligned) : bytes.count;
}

bool ByteStream::PadWrite(uint32_t alignment) {
  if (alignment == 0) return true;
  uint32_t pad = (0u - bytes.count) & (alignment - 1);
  return AppendSlow(nullptr, pad);
}

bool ByteStream::Skip(uint32_t n) {
  if (n > Remaining()) return false;
  readPos += n;
  return true;
}

bool ByteStream::Resize(uint32_t n) {
  if (n <= bytes.count) {
    bytes.count = n;
    return true;
  }
  if (n >= SegmentedArray::kMaxItems || !bytes.Reserve(n + 1)) return false;
  bytes.count = n;
  *static_cast<uint8_t*>(bytes.At(n)) = 0;
  return true;
}

bool ByteStream::ReserveMore(uint64_t n) {
  uint64_t wanted = static_cast<uint64_t>(bytes.count) + n;
  if (wanted > SegmentedArray::kMaxItems || !bytes.Reserve(static_cast<uint32_t>(wanted))) {
    ok = false;
    return false;
  }
  return true;
}

void ByteStream::PutBytes(const uint8_t* data, uint32_t n) {
  uint32_t pos = bytes.count;
  while (n != 0) {
    uint32_t inBlock = kBlockBytes - (pos & (kBlockBytes - 1));
    uint32_t run = n < inBlock ? n : inBlock;
    uint8_t* to = static_cast<uint8_t*>(bytes.At(pos));
    if (data != nullptr) {
      std::memcpy(to, data, run);
      data += run;
    } else {
      std::memset(to, 0, run);
    }
    pos += run;
    n -= run;
  }
  bytes.count = pos;
}

bool ByteStream::AppendSlow(const void* data, uint32_t n) {
  if (n == 0) return true;
  if (!ReserveMore(n)) return false;
  PutBytes(static_cast<const uint8_t*>(data), n);
  return true;
}

bool ByteStream::TakeSlow(void* out, uint32_t n) {
  if (n > Remaining()) {
    ok = false;
    return false;
  }
  if (n != 0) bytes.ReadAt(readPos, out, n);
  readPos += n;
  return true;
}

bool ByteStream::WriteWords(const void* values, uint32_t n, uint32_t width, bool bigEndian) {
  if (!ReserveMore(static_cast<uint64_t>(n) * width)) return false;
  uint8_t staging[kChunkWords * 4];
  for (uint32_t done = 0; done < n;) {
    uint32_t chunk = n - done < kChunkWords ? n - done : kChunkWords;
    for (uint32_t i = 0; i < chunk; ++i)
      EncodeWord(staging + i * width, LoadWord(values, done + i, width), width, bigEndian);
    PutBytes(staging, chunk * width);
    done += chunk;
  }
  return true;
}

bool ByteStream::ReadWords(void* out, uint32_t n, uint32_t width, bool bigEndian) {
  if (static_cast<uint64_t>(n) * width > Remaining()) {
    ok = false;
    return false;
  }
  uint8_t staging[kChunkWords * 4];
  for (uint32_t done = 0; done < n;) {
    uint32_t chunk = n - done < kChunkWords ? n - done : kChunkWords;
    bytes.ReadAt(readPos, staging, chunk * width);
    readPos += chunk * width;
    for (uint32_t i = 0; i < chunk; ++i)
      StoreWord(out, done + i, width, DecodeWord(staging + i * width, width, bigEndian));
    done += chunk;
  }
  return true;
}

bool ByteStream::WriteU32Native(const uint32_t* values, uint32_t n) {
  return WriteWords(values, n, 4, false);
}
bool ByteStream::WriteU32BE(const uint32_t* values, uint32_t n) { return WriteWords(values, n, 4, true); }
void ByteStream::AppendRaw16(const uint16_t* values, uint32_t n) { WriteWords(values, n, 2, false); }
void ByteStream::WriteU16BEUnchecked(const uint16_t* values, uint32_t n) {
  WriteWords(values, n, 2, true);
}

bool ByteStream::ReadU32Native(uint32_t* out, uint32_t n) { return ReadWords(out, n, 4, false); }
bool ByteStream::ReadU16BE(uint16_t* out, uint32_t n) { return ReadWords(out, n, 2, true); }
bool ByteStream::ReadU32BE(uint32_t* out, uint32_t n) { return ReadWords(out, n, 4, true); }
bool ByteStream::ReadRaw16(uint16_t* out, uint32_t n) { return ReadWords(out, n, 2, false); }

bool ByteStream::WriteBlob(const void* data, uint32_t n) {
  uint64_t padded = (static_cast<uint64_t>(n) + 3) & ~static_cast<uint64_t>(3);
  if (!ReserveMore(4 + padded)) return false;
  uint8_t length[4];
  EncodeWord(length, n, 4, true);
  PutBytes(length, 4);
  PutBytes(static_cast<const uint8_t*>(data), n);
  PutBytes(nullptr, static_cast<uint32_t>(padded - n));
  return true;
}

bool ByteStream::WriteBlob(const ByteStream& other) {
  uint32_t n = other.bytes.count;  // taken before writing: `other` may be this stream
  uint64_t padded = (static_cast<uint64_t>(n) + 3) & ~static_cast<uint64_t>(3);
  if (!ReserveMore(4 + padded)) return false;
  uint8_t length[4];
  EncodeWord(length, n, 4, true);
  PutBytes(length, 4);
  for (uint32_t pos = 0; pos < n;) {
    uint32_t inBlock = kBlockBytes - (pos & (kBlockBytes - 1));
    uint32_t run = n - pos < inBlock ? n - pos : inBlock;
    PutBytes(static_cast<const uint8_t*>(other.bytes.At(pos)), run);
    pos += run;
  }
  PutBytes(nullptr, static_cast<uint32_t>(padded - n));
  return true;
}

bool ByteStream::ReadBlob(ByteStream& target) {
  uint32_t start = readPos;
  uint32_t length = 0;
  if (!ReadU32BE(&length, 1)) {
    if (&target != this) target.Clear();
    return false;
  }
  // In 64 bits: a length near 2^32 must not wrap to a small padded length.
  uint64_t padded = (static_cast<uint64_t>(length) + 3) & ~static_cast<uint64_t>(3);
  if (padded > Remaining() || &target == this) ok = false;
  if (&target != this) target.Clear();
  if (!ok || !target.bytes.Reserve(length)) {
    ok = false;
    readPos = start;
    return false;
  }
  for (uint32_t done = 0; done < length;) {
    uint32_t run;
    const uint8_t* from = static_cast<const uint8_t*>(bytes.ContiguousAt(readPos + done, &run));
    if (run > length - done) run = length - done;
    target.PutBytes(from, run);
    done += run;
  }
  readPos += static_cast<uint32_t>(padded);
  return true;
}

bool ByteStream::WriteVarUInt(uint32_t value) {
  uint8_t encoded[5];
  uint32_t n = 0;
  while (value >= 0x80) {
    encoded[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  }
  encoded[n++] = static_cast<uint8_t>(value | 0x80);
  return WriteBytes(encoded, n);
}

bool ByteStream::ReadVarUInt(uint32_t* out) {
  uint32_t value = 0;
  uint32_t shift = 0;
  for (uint32_t pos = readPos; pos < bytes.count; ++pos) {
    uint8_t byte = ByteAt(pos);
    if (shift < 32) {
      value |= static_cast<uint32_t>(byte & 0x7F) << shift;
      shift += 7;
    }
    if (byte & 0x80) {
      readPos = pos + 1;
      *out = value;
      return true;
    }
  }
  ok = false;
  return false;
}

uint32_t ByteStream::CopyToSink(ByteStreamSink& sink, uint32_t offset, uint32_t n) {
  uint32_t handed = 0;
  while (n != 0 && readPos < bytes.count) {
    uint32_t run;
    const uint8_t* from = static_cast<const uint8_t*>(bytes.ContiguousAt(readPos, &run));
    if (run > n) run = n;
    sink.Write(offset, from, run);
    readPos += run;
    offset += run;
    handed += run;
    n -= run;
  }
  return handed;
}
