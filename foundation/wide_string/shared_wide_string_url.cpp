// SharedWideString URL text: percent-encoding and decoding in place. The
// result is built lazily: nothing is copied until the first character that
// changes, and the string is replaced only when everything succeeded.
#include "foundation/wide_string/shared_wide_string.h"

#include <utility>

namespace {

bool IsAlnum(WCHAR c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsIn(WCHAR c, const char16_t* set) {
  for (; *set != 0; ++set)
    if (*set == c) return true;
  return false;
}

// Characters an encoding keeps as they are.
bool KeptByEncoding(WCHAR c, bool strict) {
  if (c >= 256) return true;
  if (IsAlnum(c)) return true;
  return IsIn(c, strict ? u"!'()*-._~" : u"!$&'()*+,-./:=?@_~");
}

// Escapes a lenient decoding turns back into their character.
bool DecodedWhenLenient(uint32_t value) { return value < 256 && IsIn(static_cast<WCHAR>(value), u"$&+,/:;=?@"); }

WCHAR HexDigit(uint32_t v) { return static_cast<WCHAR>(v < 10 ? u'0' + v : u'A' + v - 10); }

// The string being rewritten: untouched until the first change, then a copy
// of everything before that change followed by what the rewrite appends.
class LazyRewrite {
 public:
  LazyRewrite(const SharedWideString& source, uint32_t initialRoom) : source_(source), room_(initialRoom) {}

  bool started() const { return started_; }
  SharedWideString& result() { return out_; }

  // The source characters up to index are final; everything after goes
  // through Put.
  bool Start(uint32_t index) {
    if (started_) return true;
    uint32_t room = room_ > index ? room_ : index;
    if (!out_.Reserve(room)) return false;
    out_.AppendRangeUnchecked(source_, 0, index);
    started_ = true;
    return true;
  }

  bool Put(const WCHAR* chars, uint32_t n) { return !started_ || out_.AppendChars(chars, n); }

 private:
  const SharedWideString& source_;
  SharedWideString out_;
  uint32_t room_;
  bool started_ = false;
};

bool Encode(SharedWideString& s, bool strict) {
  const WCHAR* chars = s.Chars();
  LazyRewrite rewrite(s, s.length + s.length / 2);
  for (uint32_t i = 0; i < s.length; ++i) {
    WCHAR c = chars[i];
    if (KeptByEncoding(c, strict)) {
      if (!rewrite.Put(&c, 1)) return false;
      continue;
    }
    WCHAR escape[3] = {u'%', HexDigit(c >> 4), HexDigit(c & 0xF)};
    if (!rewrite.Start(i) || !rewrite.Put(escape, 3)) return false;
  }
  if (rewrite.started()) s = std::move(rewrite.result());
  return true;
}

bool Decode(SharedWideString& s, bool strict) {
  const WCHAR* chars = s.Chars();
  LazyRewrite rewrite(s, s.length);
  for (uint32_t i = 0; i < s.length; ++i) {
    WCHAR c = chars[i];
    if (c == u'+') {
      WCHAR space = u' ';
      if (!rewrite.Start(i) || !rewrite.Put(&space, 1)) return false;
      continue;
    }
    if (c != u'%') {
      if (!rewrite.Put(&c, 1)) return false;
      continue;
    }
    if (s.length - i < 3) {  // fewer than two characters after it: dropped
      if (!rewrite.Start(i)) return false;
      continue;
    }
    uint32_t value = 0;
    if (!ParseUnsignedUnits(chars + i + 1, 2, 16, &value)) return false;
    if (strict || DecodedWhenLenient(value)) {
      WCHAR decoded = static_cast<WCHAR>(value);
      if (!rewrite.Start(i) || !rewrite.Put(&decoded, 1)) return false;
    } else if (!rewrite.Put(chars + i, 3)) {
      return false;
    }
    i += 2;
  }
  if (rewrite.started()) s = std::move(rewrite.result());
  return true;
}

}  // namespace

bool SharedWideString::UrlEscape(bool encode, bool strict) {
  return encode ? Encode(*this, strict) : Decode(*this, strict);
}
