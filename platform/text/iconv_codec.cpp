// iconv conversions with the device's treatment of bad input: iconv stops at
// an invalid or unconvertible sequence, and the loop here writes the
// replacement (U+FFFD one way, the default character the other), steps over
// the sequence and resumes. Without an output buffer the result goes to a
// scratch block and is only counted.
#include "platform/text/iconv_codec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace devtext {
namespace {

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr const char* kNativeUtf16 = "UTF-16LE";
#else
constexpr const char* kNativeUtf16 = "UTF-16BE";
#endif

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// The descriptors of one thread, a few pages in both directions; the least
// recently used one is closed to make room.
class DescriptorCache {
 public:
  ~DescriptorCache() {
    for (Entry& e : entries_) {
      if (e.descriptor != kNoDescriptor) iconv_close(e.descriptor);
      e.descriptor = kNoDescriptor;
    }
  }

  // A descriptor reset to its initial state, or kNoDescriptor with errno set.
  iconv_t Get(const CodePageInfo& page, bool toWide) {
    ++clock_;
    Entry* victim = &entries_[0];
    for (Entry& e : entries_) {
      if (e.descriptor != kNoDescriptor && e.codePage == page.codePage && e.toWide == toWide) {
        e.lastUse = clock_;
        iconv(e.descriptor, nullptr, nullptr, nullptr, nullptr);
        return e.descriptor;
      }
      if (e.descriptor == kNoDescriptor || e.lastUse < victim->lastUse) victim = &e;
    }
    iconv_t opened = toWide ? iconv_open(kNativeUtf16, page.iconvName) : iconv_open(page.iconvName, kNativeUtf16);
    if (opened == kNoDescriptor) return kNoDescriptor;
    if (victim->descriptor != kNoDescriptor) iconv_close(victim->descriptor);
    *victim = Entry{page.codePage, toWide, opened, clock_};
    return opened;
  }

 private:
  struct Entry {
    uint32_t codePage = 0;
    bool toWide = false;
    iconv_t descriptor = kNoDescriptor;
    unsigned long lastUse = 0;
  };
  Entry entries_[16];
  unsigned long clock_ = 0;
};

thread_local DescriptorCache t_cache;

ConvStatus OpenFailure() { return errno == EINVAL ? ConvStatus::Unavailable : ConvStatus::NoMemory; }

// One iconv call writing into [outStart, outStart + outRoom); `produced`
// gets the bytes written.
size_t Step(iconv_t cd, char** in, size_t* inLeft, char* outStart, size_t outRoom, size_t* produced) {
  char* outp = outStart;
  size_t outLeft = outRoom;
  size_t result = iconv(cd, in, inLeft, &outp, &outLeft);
  *produced = static_cast<size_t>(outp - outStart);
  return result;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

ConvStatus IconvDecode(const CodePageInfo& page, const uint8_t* bytes, size_t length, bool strict,
                       UnitWriter<char16_t>& out) {
  iconv_t cd = t_cache.Get(page, true);
  if (cd == kNoDescriptor) return OpenFailure();
  char16_t scratch[512];
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  size_t inLeft = length;
  while (inLeft > 0) {
    char* dest = out.counting() ? reinterpret_cast<char*>(scratch) : reinterpret_cast<char*>(out.cursor());
    size_t room = out.counting() ? sizeof(scratch) : out.room() * sizeof(char16_t);
    size_t produced = 0;
    size_t result = Step(cd, &in, &inLeft, dest, room, &produced);
    out.Advance(produced / sizeof(char16_t));
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      if (!out.counting()) return ConvStatus::BufferTooSmall;
      continue;
    }
    if (errno != EILSEQ && errno != EINVAL) return ConvStatus::NoMemory;
    // An invalid sequence, or one cut short by the end of the input.
    if (strict) return ConvStatus::InvalidInput;
    if (!out.Put(kReplacementChar)) return ConvStatus::BufferTooSmall;
    // Some of the system's tables report a pair they lack only after
    // consuming it: then nothing is left to skip.
    if (inLeft == 0) break;
    const uint8_t* at = reinterpret_cast<const uint8_t*>(in);
    const size_t skip = InvalidSequenceLength(page, at, inLeft);
    in += skip;
    inLeft -= skip;
  }
  return ConvStatus::Ok;
}

namespace {

// Brings a stateful page (ISO-2022) back to its initial shift state, so that
// what follows is plain single bytes.
ConvStatus ResetShiftState(iconv_t cd, UnitWriter<uint8_t>& out) {
  uint8_t scratch[16];
  for (;;) {
    char* dest = out.counting() ? reinterpret_cast<char*>(scratch) : reinterpret_cast<char*>(out.cursor());
    size_t room = out.counting() ? sizeof(scratch) : out.room();
    size_t produced = 0;
    size_t result = Step(cd, nullptr, nullptr, dest, room, &produced);
    out.Advance(produced);
    if (result != static_cast<size_t>(-1)) return ConvStatus::Ok;
    if (errno != E2BIG) return ConvStatus::NoMemory;
    if (!out.counting()) return ConvStatus::BufferTooSmall;
  }
}

}  // namespace

ConvStatus IconvEncode(const CodePageInfo& page, const char16_t* units, size_t length, const DefaultChar& fallback,
                       bool* usedDefault, UnitWriter<uint8_t>& out) {
  iconv_t cd = t_cache.Get(page, false);
  if (cd == kNoDescriptor) return OpenFailure();
  uint8_t scratch[1024];
  char* in = const_cast<char*>(reinterpret_cast<const char*>(units));
  size_t inLeft = length * sizeof(char16_t);
  while (inLeft > 0) {
    char* dest = out.counting() ? reinterpret_cast<char*>(scratch) : reinterpret_cast<char*>(out.cursor());
    size_t room = out.counting() ? sizeof(scratch) : out.room();
    size_t produced = 0;
    size_t result = Step(cd, &in, &inLeft, dest, room, &produced);
    out.Advance(produced);
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      if (!out.counting()) return ConvStatus::BufferTooSmall;
      continue;
    }
    if (errno != EILSEQ && errno != EINVAL) return ConvStatus::NoMemory;
    // A character the page lacks, or a surrogate without its partner.
    *usedDefault = true;
    ConvStatus status = ResetShiftState(cd, out);
    if (status != ConvStatus::Ok) return status;
    for (size_t k = 0; k < fallback.length; ++k)
      if (!out.Put(fallback.bytes[k])) return ConvStatus::BufferTooSmall;
    if (inLeft < sizeof(char16_t)) break;  // consumed by the failing call itself
    const size_t at = length - inLeft / sizeof(char16_t);
    const size_t skip = IsHighSurrogate(units[at]) && at + 1 < length && IsLowSurrogate(units[at + 1]) ? 2 : 1;
    in += skip * sizeof(char16_t);
    inLeft -= skip * sizeof(char16_t);
  }
  return ResetShiftState(cd, out);
}

}  // namespace devtext
