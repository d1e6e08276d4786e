// The shared UTF-16 to UTF-8 encoder: each kind of character, surrogates
// paired and unpaired wherever they stand, output buffers that run short,
// and the streaming form cut at every place (including between the halves
// of a pair), which must give the bytes of the whole text at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/utf16_to_utf8.h"

namespace {

struct EncoderCase {
  const char* what;
  std::u16string units;
  std::string bytes;
};

const std::string kFffd = "\xEF\xBF\xBD";

const std::vector<EncoderCase>& Cases() {
  static const std::vector<EncoderCase> cases = {
      {"empty", u"", ""},
      {"ASCII", u"Ab~", "Ab~"},
      {"zero unit", std::u16string(1, u'\0'), std::string(1, '\0')},
      {"two bytes, first and last", u"\u0080\u07FF", "\xC2\x80\xDF\xBF"},
      {"three bytes, first and last", u"\u0800\uFFFF", "\xE0\xA0\x80\xEF\xBF\xBF"},
      {"last before the surrogates, first after", u"\uD7FF\uE000", "\xED\x9F\xBF\xEE\x80\x80"},
      {"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
      {"first and last pairs", u"\xD800\xDC00\xDBFF\xDFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
      {"lone high at the start", u"\xD83D" u"a", kFffd + "a"},
      {"lone high at the end", u"a\xD83D", "a" + kFffd},
      {"lone high alone", u"\xDBFF", kFffd},
      {"lone low at the start", u"\xDE00" u"a", kFffd + "a"},
      {"lone low at the end", u"a\xDC00", "a" + kFffd},
      {"low before high", u"\xDE00\xD83D", kFffd + kFffd},
      {"high, then a pair", u"\xD83D\xD83D\xDE00", kFffd + "\xF0\x9F\x98\x80"},
      {"pair, then a low", u"\xD83D\xDE00\xDE00", "\xF0\x9F\x98\x80" + kFffd},
      {"high before a BMP character", u"\xD800\u20AC", kFffd + "\xE2\x82\xAC"},
  };
  return cases;
}

std::string AsString(const std::vector<uint8_t>& bytes, size_t count) {
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST(Utf16ToUtf8, WholeTextAtOnce) {
  for (const EncoderCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(devtext::Utf16ToUtf8(c.units.data(), c.units.size(), nullptr, 0), c.bytes.size());
    EXPECT_EQ(devtext::Utf16ToUtf8String(c.units), c.bytes);
  }
}

// A short buffer holds the whole characters that fit and no part of the
// next one; the count is always that of the whole text.
TEST(Utf16ToUtf8, ShortBufferHoldsWholeCharactersOnly) {
  struct Short {
    std::u16string units;
    size_t capacity;
    std::string written;
  };
  const Short cases[] = {
      {u"a\u00E9", 2, "a"},
      {u"\xD83D\xDE00", 3, ""},
      {u"a\xD83D", 3, "a"},  // the held half's U+FFFD does not fit
      {u"\u20AC\u20AC", 5, "\xE2\x82\xAC"},
  };
  for (const Short& c : cases) {
    std::vector<uint8_t> out(c.capacity, 0xAA);
    const size_t needed = devtext::Utf16ToUtf8(c.units.data(), c.units.size(), out.data(), out.size());
    EXPECT_GT(needed, c.capacity);
    EXPECT_EQ(AsString(out, c.written.size()), c.written);
    for (size_t i = c.written.size(); i < out.size(); ++i) EXPECT_EQ(out[i], 0xAA) << "byte " << i;
  }
}

// Feeds `units` in pieces of the given sizes into output buffers of
// `room` bytes, as a reader of blocks does.
std::string Streamed(const std::u16string& units, const std::vector<size_t>& pieces, size_t room) {
  devtext::Utf16ToUtf8Stream stream;
  std::string result;
  std::vector<uint8_t> out(room);
  size_t start = 0;
  for (size_t piece : pieces) {
    size_t done = 0;
    while (done < piece) {
      const devtext::Utf8Progress p = stream.Write(units.data() + start + done, piece - done, out.data(), room);
      result += AsString(out, p.bytesWritten);
      done += p.unitsRead;
      if (p.unitsRead == 0 && p.bytesWritten == 0) {
        ADD_FAILURE() << "no progress with " << room << " bytes of room";
        return result;
      }
    }
    start += piece;
  }
  const size_t tail = stream.Finish(out.data(), room);
  result += AsString(out, tail);
  EXPECT_FALSE(stream.holding());
  return result;
}

TEST(Utf16ToUtf8, StreamingCutAnywhereGivesTheSameBytes) {
  for (const EncoderCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    for (size_t cut = 0; cut <= c.units.size(); ++cut) {
      EXPECT_EQ(Streamed(c.units, {cut, c.units.size() - cut}, 64), c.bytes) << "cut at " << cut;
    }
    EXPECT_EQ(Streamed(c.units, std::vector<size_t>(c.units.size(), 1), 64), c.bytes) << "unit by unit";
    EXPECT_EQ(Streamed(c.units, {c.units.size()}, devtext::kMaxUtf8CharBytes), c.bytes) << "smallest room";
  }
}

TEST(Utf16ToUtf8, StreamHoldsAHighSurrogateThatEndsABuffer) {
  devtext::Utf16ToUtf8Stream stream;
  uint8_t out[8];
  const char16_t high = 0xD83D, low = 0xDE00;
  devtext::Utf8Progress p = stream.Write(&high, 1, out, sizeof out);
  EXPECT_EQ(p.unitsRead, 1u);
  EXPECT_EQ(p.bytesWritten, 0u);
  EXPECT_TRUE(stream.holding());
  p = stream.Write(&low, 1, out, sizeof out);
  EXPECT_EQ(AsString(std::vector<uint8_t>(out, out + 8), p.bytesWritten), "\xF0\x9F\x98\x80");
  EXPECT_FALSE(stream.holding());
  EXPECT_EQ(stream.Finish(out, sizeof out), 0u);
}

TEST(Utf16ToUtf8, CodePointForms) {
  const std::pair<char32_t, std::string> cases[] = {
      {0x00, std::string(1, '\0')}, {0x7F, "\x7F"},         {0x80, "\xC2\x80"},
      {0x7FF, "\xDF\xBF"},          {0x800, "\xE0\xA0\x80"}, {0xFFFD, "\xEF\xBF\xBD"},
      {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [cp, bytes] : cases) {
    uint8_t out[devtext::kMaxUtf8CharBytes];
    const size_t n = devtext::EncodeUtf8CodePoint(cp, out);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out), n), bytes) << std::hex << static_cast<uint32_t>(cp);
  }
}

}  // namespace

// Runs of ASCII are copied a run at a time: a long run broken by each kind
// of character at every offset, into rooms of every size up to a few
// characters more than the run, gives the bytes of the cases above joined.
TEST(Utf16ToUtf8, AsciiRunsBrokenAtEveryOffset) {
  const std::u16string ascii = u"The quick brown fox jumps over the lazy dog, 0123456789!";
  const EncoderCase breaks[] = {
      {"two bytes", u"\u00E9", "\xC3\xA9"},
      {"three bytes", u"\u20AC", "\xE2\x82\xAC"},
      {"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
      {"lone high", u"\xD83D", kFffd},
      {"zero unit", std::u16string(1, u'\0'), std::string(1, '\0')},
  };
  const std::string narrow(ascii.begin(), ascii.end());
  for (const EncoderCase& b : breaks) {
    SCOPED_TRACE(b.what);
    for (size_t at = 0; at <= ascii.size(); ++at) {
      const std::u16string units = ascii.substr(0, at) + b.units + ascii.substr(at);
      const std::string bytes = narrow.substr(0, at) + b.bytes + narrow.substr(at);
      EXPECT_EQ(devtext::Utf16ToUtf8String(units), bytes) << "at " << at;
      for (size_t room : {size_t{4}, size_t{5}, size_t{7}, size_t{9}, size_t{64}}) {
        EXPECT_EQ(Streamed(units, {at, units.size() - at}, room), bytes) << "at " << at << ", room " << room;
      }
    }
  }
}
