// Reading saved compiled code chunk by chunk (see saved_code_reader.h).
#include "script/bytecode/saved_code_reader.h"

#include "foundation/wide_string/shared_wide_string.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/values/script_status.h"

namespace {

enum ReaderState : int32_t {
  kCheckEmpty = 0,
  kVersion = 1,
  kCounts = 2,
  kDeclarationsStart = 3,
  kDeclarations = 4,
  kRangesStart = 5,
  kRanges = 6,
  kWords = 8,
  kStringsStart = 9,
  kStrings = 10,
  kDone = CompiledCodeReader::kComplete,
  kFailed = -1,
};

constexpr uint32_t kUtf16CodePage = 65002;
// The most the reader reserves for a string ahead of its bytes: a longer
// string grows as they arrive.
constexpr uint32_t kMaxReservedStringBytes = 4096;
// Word indices stay positive 32-bit values.
constexpr uint32_t kMaxWords = 0x3FFFFFFF;

class Reader {
 public:
  Reader(CompiledScript* script, CompiledCodeReader* r, const uint8_t* chunk, uint32_t length)
      : script_(script), r_(r), chunk_(chunk), length_(length) {}

  int32_t Run();

 private:
  uint32_t Left() const { return length_ - pos_; }
  uint8_t Take() {
    ++r_->consumed;
    return chunk_[pos_++];
  }
  // Bytes of the stream not yet taken, when its length is known.
  uint64_t StreamRemaining() const {
    return r_->streamLength >= r_->consumed ? r_->streamLength - r_->consumed : 0;
  }
  bool LengthKnown() const { return r_->streamLength != CompiledCodeReader::kUnknownLength; }

  // A varint or a big-endian u32 from the chunk, completed across calls:
  // true once the value is whole (in r_->accumulator, reset for the next).
  bool ReadVarint(uint32_t* value);
  bool ReadU32(uint32_t* value);

  int32_t Fail(int32_t status) {
    script_->SetErrorFlag();
    r_->failure = status;
    r_->state = kFailed;
    return status;
  }
  // Steps that take no bytes: moves on while the state allows.
  int32_t Settle();
  int32_t CountsRead();
  int32_t DeclarationRead();
  int32_t RangeRead();
  int32_t TakeWords();
  int32_t StringStep();
  int32_t StringComplete();
  int32_t Finish();

  CompiledScript* script_;
  CompiledCodeReader* r_;
  const uint8_t* chunk_;
  uint32_t length_;
  uint32_t pos_ = 0;
};

bool Reader::ReadVarint(uint32_t* value) {
  while (pos_ < length_) {
    uint8_t byte = Take();
    const int32_t shift = 7 * r_->taken;
    if (shift < 32) r_->accumulator |= static_cast<uint32_t>(byte & 0x7F) << shift;
    if (r_->taken < 0x7FFFFFFF) ++r_->taken;
    if (byte & 0x80) {
      *value = r_->accumulator;
      r_->accumulator = 0;
      r_->taken = 0;
      return true;
    }
  }
  return false;
}

bool Reader::ReadU32(uint32_t* value) {
  while (pos_ < length_) {
    r_->accumulator = (r_->accumulator << 8) | Take();
    if (++r_->taken == 4) {
      *value = r_->accumulator;
      r_->accumulator = 0;
      r_->taken = 0;
      return true;
    }
  }
  return false;
}

int32_t Reader::CountsRead() {
  const CompiledCodeReader& r = *r_;
  if (r.wordCount > kMaxWords) return Fail(kScriptDataCorrupted);
  if (LengthKnown()) {
    // The least each record takes: a declaration 4 bytes, a range 2, a word
    // 4, a string 1 (its length) besides its bytes.
    const uint64_t least = 4ull * r.declarationCount + 2ull * r.rangeCount +
                           4ull * r.wordCount + r.stringCount + r.stringBytesTotal;
    if (least > StreamRemaining()) return Fail(kScriptDataCorrupted);
  }
  // Nothing is reserved by these counts: each table grows as its records
  // arrive.
  r_->state = kDeclarationsStart;
  return kScriptOk;
}

int32_t Reader::DeclarationRead() {
  const uint32_t* f = r_->record;
  const bool topLevel = f[0] == 0xFFFFFFFFu;
  if ((!topLevel && f[0] >= r_->rangeCount) || f[1] >= 3 || f[2] >= r_->stringCount ||
      (f[1] == kDeclareFunction && f[3] >= r_->rangeCount)) {
    return Fail(kScriptDataCorrupted);
  }
  ScriptDeclaration declaration{static_cast<int32_t>(f[0]), static_cast<int32_t>(f[1]),
                                static_cast<int32_t>(f[2]), static_cast<int32_t>(f[3])};
  if (script_->AppendDeclaration(declaration) < 0) return Fail(kScriptNoMemory);
  if (++r_->recordsDone == r_->declarationCount) r_->state = kRangesStart;
  return kScriptOk;
}

int32_t Reader::RangeRead() {
  const uint64_t start = r_->record[0];
  const uint64_t end = start + r_->record[1];
  // A function's body may end at the last word (a script ending with a
  // function, every event handler's range {0, W}).
  if (start > r_->wordCount || end > r_->wordCount) return Fail(kScriptDataCorrupted);
  if (script_->AppendCodeRange(static_cast<int32_t>(start), static_cast<int32_t>(end)) < 0) {
    return Fail(kScriptNoMemory);
  }
  if (++r_->recordsDone == r_->rangeCount) {
    r_->recordsDone = 0;
    r_->state = kWords;
  }
  return kScriptOk;
}

int32_t Reader::TakeWords() {
  // Whole words straight from the chunk while no word is partly read.
  if (r_->taken == 0 && Left() > 8) {
    uint32_t due = r_->wordCount - r_->recordsDone;
    uint32_t whole = Left() / 4;
    uint32_t n = due < whole ? due : whole;
    for (uint32_t i = 0; i < n; ++i) {
      const uint8_t* b = chunk_ + pos_ + 4 * i;
      script_->AppendWord(static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
                          static_cast<uint32_t>(b[2]) << 8 | b[3]);
    }
    pos_ += 4 * n;
    r_->consumed += 4ull * n;
    r_->recordsDone += n;
  } else {
    uint32_t word = 0;
    if (ReadU32(&word)) {
      script_->AppendWord(word);
      ++r_->recordsDone;
    }
  }
  if (script_->HasError()) return Fail(kScriptNoMemory);
  if (r_->recordsDone == r_->wordCount) {
    r_->recordsDone = 0;
    r_->state = kStringsStart;
  }
  return kScriptOk;
}

int32_t Reader::StringComplete() {
  SharedWideString text;
  const uint32_t n = r_->text.ByteLength();
  if (r_->codePage == kUtf16CodePage) {
    if (n % 2 != 0) return Fail(kScriptDataCorrupted);
    if (n > 0 && !text.Reserve(n / 2)) return Fail(kScriptNoMemory);
    const uint8_t* bytes = r_->text.UnsignedBytes();
    WCHAR units[256];
    uint32_t held = 0;
    for (uint32_t i = 0; i < n; i += 2) {
      units[held++] = static_cast<WCHAR>(bytes[i] | bytes[i + 1] << 8);
      if (held == 256 || i + 2 == n) {
        if (!text.AppendChars(units, held)) return Fail(kScriptNoMemory);
        held = 0;
      }
    }
  } else if (n > 0 && !text.AssignEncodedString(r_->text)) {
    return Fail(kScriptNoMemory);
  }
  script_->AddString(text, r_->codePage == kUtf16CodePage ? CompiledScript::kPackIntoPool : 0);
  if (script_->HasError()) return Fail(kScriptNoMemory);
  r_->text.Clear();
  r_->field = 0;
  if (++r_->recordsDone == r_->stringCount) return Finish();
  return kScriptOk;
}

int32_t Reader::StringStep() {
  if (r_->field == 0) {
    uint32_t n = 0;
    if (!ReadVarint(&n)) return kScriptOk;
    if (LengthKnown() && n > StreamRemaining()) return Fail(kScriptDataCorrupted);
    r_->text.Clear();
    r_->text.AssignBytes(nullptr, 0, static_cast<int32_t>(r_->codePage));
    const uint32_t reserve = n < kMaxReservedStringBytes ? n : kMaxReservedStringBytes;
    if (reserve > 0 && !r_->text.ReserveBytes(reserve)) return Fail(kScriptNoMemory);
    r_->stringBytesDue = n;
    r_->field = 1;
    if (n == 0) return StringComplete();
    return kScriptOk;
  }
  uint32_t n = r_->stringBytesDue < Left() ? r_->stringBytesDue : Left();
  r_->text.AppendBytes(chunk_ + pos_, n, static_cast<int32_t>(r_->codePage));
  if (!r_->text.IsOk()) return Fail(kScriptNoMemory);
  pos_ += n;
  r_->consumed += n;
  r_->stringBytesDue -= n;
  if (r_->stringBytesDue == 0) return StringComplete();
  return kScriptOk;
}

int32_t Reader::Finish() {
  // Loaded code reaches the interpreter only through this check.
  if (!CheckInstructionWords(script_->Code(), script_->CodeCount())) {
    return Fail(kScriptDataCorrupted);
  }
  r_->state = kDone;
  return kScriptOk;
}

int32_t Reader::Settle() {
  for (;;) {
    switch (r_->state) {
      case kCheckEmpty:
        if (script_->HasError() || script_->DeclarationCount() != 0 ||
            script_->CodeRangeCount() != 0 || script_->CodeCount() != 0 ||
            script_->StringCount() != 0) {
          return Fail(kScriptUnhandledException);
        }
        r_->state = kVersion;
        break;
      case kDeclarationsStart:
        r_->recordsDone = 0;
        r_->field = 0;
        r_->state = r_->declarationCount == 0 ? kRangesStart : kDeclarations;
        break;
      case kRangesStart:
        r_->recordsDone = 0;
        r_->field = 0;
        r_->state = r_->rangeCount == 0 ? kWords : kRanges;
        break;
      case kWords:
        if (r_->wordCount != 0) return kScriptOk;
        r_->state = kStringsStart;
        break;
      case kStringsStart:
        r_->recordsDone = 0;
        r_->field = 0;
        if (r_->stringCount != 0) {
          r_->state = kStrings;
          return kScriptOk;
        }
        return Finish();
      default:
        return kScriptOk;
    }
  }
}

int32_t Reader::Run() {
  if (r_->state == kFailed) return r_->failure != 0 ? r_->failure : kScriptUnreachableState;
  int32_t status = Settle();
  while (status == kScriptOk && pos_ < length_) {
    switch (r_->state) {
      case kVersion: {
        uint32_t version = 0;
        if (!ReadU32(&version)) break;
        r_->version = version;
        if (version != 1) return Fail(kScriptFormatTooNew);
        r_->state = kCounts;
        r_->field = 0;
        break;
      }
      case kCounts: {
        uint32_t value = 0;
        if (!ReadVarint(&value)) break;
        uint32_t* counts[] = {&r_->declarationCount, &r_->rangeCount, &r_->wordCount,
                              &r_->stringCount,      &r_->codePage,   &r_->stringBytesTotal};
        *counts[r_->field++] = value;
        if (r_->field == 6) status = CountsRead();
        break;
      }
      case kDeclarations:
      case kRanges: {
        uint32_t value = 0;
        if (!ReadVarint(&value)) break;
        r_->record[r_->field++] = value;
        const int32_t fields = r_->state == kDeclarations ? 4 : 2;
        if (r_->field == fields) {
          r_->field = 0;
          status = r_->state == kDeclarations ? DeclarationRead() : RangeRead();
        }
        break;
      }
      case kWords:
        status = TakeWords();
        break;
      case kStrings:
        status = StringStep();
        break;
      case kDone:
        return Fail(kScriptDataCorrupted);  // bytes after the last string
      default:
        return Fail(kScriptUnreachableState);
    }
    if (status == kScriptOk) status = Settle();
  }
  return status;
}

}  // namespace

int32_t* LoadCompiledScript(CompiledScript* script, int32_t* status, const uint8_t* chunk,
                            uint32_t length, int32_t /*readerCodePage*/,
                            CompiledCodeReader* reader) {
  Reader run(script, reader, chunk, length);
  *status = run.Run();
  return status;
}
