// StringPool: texts with back-references over a ByteStream.
#include "foundation/streams/string_pool.h"

#include "foundation/code_pages/code_page.h"
#include "foundation/containers/segmented_array_sized_buffer.h"

namespace {

constexpr uint32_t kMinScratch = 128;

}  // namespace

StringPool::~StringPool() { FreeSizedBuffer(&scratch); }

void StringPool::Init(ByteStream* target) {
  stream = target;
  texts.Clear();
}

bool StringPool::ScratchFor(uint32_t n) {
  if (n < kMinScratch) n = kMinScratch;
  if (SizedBufferSize(scratch) >= n) return true;
  return ResizeSizedBuffer(&scratch, n);
}

void StringPool::DropLastText() {
  texts.At(texts.count - 1)->Clear();
  --texts.count;
}

bool StringPool::WriteString(const SharedWideString& text) {
  if (text.length == 0) return stream->WriteVarUInt(0);
  for (uint32_t i = 0; i < texts.count; ++i) {
    if (texts.At(i)->CompareTo(text) == 0) return stream->WriteVarUInt(2 * i + 1);
  }
  SharedWideString* slot = texts.AppendSlot();
  if (slot == nullptr || text.length > 0x3FFFFFFFu || !ScratchFor(kMinScratch)) {
    if (slot != nullptr) DropLastText();
    stream->ok = false;
    return false;
  }
  *slot = text;
  // First pass into the scratch as it is; when the text needs more room the
  // converter reports the size and a second pass fills a buffer of that size.
  uint32_t units = text.length;
  uint32_t bytes = SizedBufferSize(scratch);
  int result = ConvertToUtf8(text.Chars(), units * 2, kCodePageUtf16, SizedBufferData(scratch), &bytes);
  if (result != kConvertOk && bytes > SizedBufferSize(scratch) && ScratchFor(bytes)) {
    bytes = SizedBufferSize(scratch);
    result = ConvertToUtf8(text.Chars(), units * 2, kCodePageUtf16, SizedBufferData(scratch), &bytes);
  }
  // A text the converter refuses (a high surrogate without its low half) or
  // too long for the count is not written.
  if (result != kConvertOk || bytes > 0x7FFFFFFFu) {
    DropLastText();
    stream->ok = false;
    return false;
  }
  uint64_t room = static_cast<uint64_t>(stream->Size()) + 5 + bytes;
  if (room > SegmentedArray::kMaxItems || !stream->bytes.Reserve(static_cast<uint32_t>(room))) {
    DropLastText();
    stream->ok = false;
    return false;
  }
  stream->WriteVarUInt(2 * bytes);
  stream->WriteBytes(SizedBufferData(scratch), bytes);
  return true;
}

bool StringPool::ReadString(SharedWideString* out) {
  uint32_t value = 0;
  if (!stream->ReadVarUInt(&value)) return false;
  if (value & 1) {
    uint32_t index = value >> 1;
    if (index >= texts.count) {
      stream->ok = false;
      return false;
    }
    *out = *texts.At(index);
    return true;
  }
  uint32_t n = value >> 1;
  if (n == 0) {
    out->Clear();
    return true;
  }
  // The length comes from the stream: nothing is allocated for bytes that are
  // not there.
  if (n > stream->Remaining()) {
    stream->ok = false;
    return false;
  }
  SharedWideString* slot = texts.AppendSlot();
  if (slot == nullptr) {
    stream->ok = false;
    return false;
  }
  slot->Clear();
  WCHAR* units = nullptr;
  if (!ScratchFor(n) || !stream->ReadBytes(SizedBufferData(scratch), n) ||
      !slot->GetWriteBuffer(&units, 0, n)) {
    DropLastText();
    stream->ok = false;
    return false;
  }
  // n UTF-8 bytes never make more than n UTF-16 units.
  uint32_t written = n * 2;
  if (ConvertFromUtf8(SizedBufferData(scratch), n, kCodePageUtf16, units, &written, nullptr) != kConvertOk) {
    DropLastText();
    stream->ok = false;
    return false;
  }
  slot->length = written / 2;
  *out = *slot;
  return true;
}

bool StringPool::ReadByte(uint8_t* out) {
  uint8_t value = 0;
  stream->ReadBytes(&value, 1);
  if (!stream->ok) return false;
  *out = value;
  return value < 3;
}

bool StringPool::ReadEndMark() {
  uint8_t value = 1;
  stream->ReadBytes(&value, 1);
  return stream->ok && value == 0;
}
