// Saved compiled code: the writer's layout, round trips in any chunking,
// and hostile streams (versions, trailing bytes, truncation, huge counts,
// bad declarations, ranges, jumps and operand counts) that end with their
// status, without a large allocation and without code that could make the
// run loop read outside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/allocation.h"
#include "script/bytecode/instruction_set.h"
#include "tests/script/bytecode/saved_code_support.h"

namespace {

using savedcode::Held;
using savedcode::Load;
using savedcode::Save;
using scripttest::Narrow;
using scripttest::Text;

// Builds a stream by hand.
class Bytes {
 public:
  Bytes& U32(uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
    return *this;
  }
  Bytes& Var(uint32_t v) {
    while (v >= 0x80) {
      bytes.push_back(static_cast<uint8_t>(v & 0x7F));
      v >>= 7;
    }
    bytes.push_back(static_cast<uint8_t>(v | 0x80));
    return *this;
  }
  // Version, the six counts.
  Bytes& Head(uint32_t d, uint32_t r, uint32_t w, uint32_t s, uint32_t total,
              uint32_t codePage = 65002) {
    return U32(1).Var(d).Var(r).Var(w).Var(s).Var(codePage).Var(total);
  }
  Bytes& Utf16(const std::u16string& text) {
    Var(static_cast<uint32_t>(text.size() * 2));
    for (char16_t c : text) {
      bytes.push_back(static_cast<uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return *this;
  }
  std::vector<uint8_t> bytes;
};

// Two scripts hold the same code, strings, declarations and ranges.
void ExpectSameScript(const CompiledScript& a, const CompiledScript& b) {
  ASSERT_EQ(a.CodeCount(), b.CodeCount());
  for (uint32_t i = 0; i < a.CodeCount(); ++i) EXPECT_EQ(a.Code()[i], b.Code()[i]) << i;
  ASSERT_EQ(a.StringCount(), b.StringCount());
  for (uint32_t i = 0; i < a.StringCount(); ++i) {
    EXPECT_EQ(Text(a.StringAt(i)), Text(b.StringAt(i))) << i;
  }
  ASSERT_EQ(a.DeclarationCount(), b.DeclarationCount());
  for (uint32_t i = 0; i < a.DeclarationCount(); ++i) {
    const ScriptDeclaration& x = a.DeclarationAt(i);
    const ScriptDeclaration& y = b.DeclarationAt(i);
    EXPECT_EQ(x.scope, y.scope);
    EXPECT_EQ(x.kind, y.kind);
    EXPECT_EQ(x.name, y.name);
    if (x.kind == kDeclareFunction) {
      EXPECT_EQ(x.range, y.range);
    }
  }
  ASSERT_EQ(a.CodeRangeCount(), b.CodeRangeCount());
  for (uint32_t i = 0; i < a.CodeRangeCount(); ++i) {
    EXPECT_EQ(a.CodeRangeAt(i).start, b.CodeRangeAt(i).start);
    EXPECT_EQ(a.CodeRangeAt(i).end, b.CodeRangeAt(i).end);
  }
}

TEST(SavedCode, EmptyScriptIsTheVersionAndSixCounts) {
  Held empty;
  const std::vector<uint8_t> expected = {0, 0, 0, 1, 0x80, 0x80, 0x80, 0x80,
                                         0x6A, 0x7B, 0x83, 0x80};  // 65002 in three groups
  EXPECT_EQ(Save(*empty.get()), expected);
  Held loaded;
  savedcode::Loaded result = Load(expected, loaded.get(), 1);
  EXPECT_EQ(result.status, kScriptOk);
  EXPECT_TRUE(result.complete);
  // Nothing is written for a script with its error flag.
  Held failed;
  failed->SetErrorFlag();
  ByteStream stream;
  EXPECT_FALSE(SaveCompiledScript(*failed.get(), &stream, 65002));
  EXPECT_EQ(stream.Size(), 0u);
}

TEST(SavedCode, RoundTripsInEveryChunking) {
  const struct {
    const char16_t* text;
    const char16_t* functionName;
  } cases[] = {
      {u"var a = 'x'; b = a + 1;", nullptr},
      // The last function's body ends at the last word.
      {u"x = 1; function f(p, q) { var r = p; return r + q; }", nullptr},
      {u"function empty() {}", nullptr},
      {u"if (a) b(); else { for (i = 0; i < 3; i++) c(i); }", nullptr},
      // An event handler's range is the whole code, {0, W}.
      {u"n = n + 1; alert('\u00E9t\u00E9 \u4E2D');", u"__widget_event"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    Held compiled;
    ASSERT_TRUE(savedcode::Compile(c.text, compiled.get(), c.functionName));
    for (int32_t codePage : {65002, 65001}) {
      const std::vector<uint8_t> bytes = Save(*compiled.get(), codePage);
      ASSERT_FALSE(bytes.empty());
      for (size_t chunk : {size_t{0}, size_t{1}, size_t{3}, size_t{7}}) {
        for (bool known : {false, true}) {
          Held loaded;
          savedcode::Loaded result = Load(bytes, loaded.get(), chunk, known);
          ASSERT_EQ(result.status, kScriptOk) << chunk;
          ASSERT_TRUE(result.complete);
          ExpectSameScript(*compiled.get(), *loaded.get());
          EXPECT_EQ(Save(*loaded.get(), codePage), bytes);
        }
      }
    }
  }
}

TEST(SavedCode, StatusesOfBadStreams) {
  const uint32_t line = kWordLine;
  const uint32_t jump = kWordJump;
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t status;
  } cases[] = {
      {"version 2", Bytes().U32(2).bytes, kScriptFormatTooNew},
      {"a byte after the end", [] { Bytes b; b.Head(0, 0, 0, 0, 0); b.bytes.push_back(0); return b.bytes; }(),
       kScriptDataCorrupted},
      {"declaration scope", Bytes().Head(1, 0, 0, 1, 2).Var(0).Var(1).Var(0).Var(0).Utf16(u"a").bytes,
       kScriptDataCorrupted},
      {"declaration kind", Bytes().Head(1, 0, 0, 1, 2).Var(~0u).Var(3).Var(0).Var(0).Utf16(u"a").bytes,
       kScriptDataCorrupted},
      {"declaration name", Bytes().Head(1, 0, 0, 1, 2).Var(~0u).Var(1).Var(1).Var(0).Utf16(u"a").bytes,
       kScriptDataCorrupted},
      {"function range", Bytes().Head(1, 1, 0, 1, 2).Var(~0u).Var(2).Var(0).Var(1).bytes,
       kScriptDataCorrupted},
      {"range past the code", Bytes().Head(0, 1, 2, 0, 0).Var(1).Var(2).bytes, kScriptDataCorrupted},
      {"range start past the code", Bytes().Head(0, 1, 2, 0, 0).Var(3).Var(0).bytes,
       kScriptDataCorrupted},
      {"range length overflowing", Bytes().Head(0, 1, 2, 0, 0).Var(1).Var(~0u).bytes,
       kScriptDataCorrupted},
      {"jump past the code", Bytes().Head(0, 0, 2, 0, 0).U32(jump).U32(3).bytes, kScriptDataCorrupted},
      {"operand past the code", Bytes().Head(0, 0, 1, 0, 0).U32(line).bytes, kScriptDataCorrupted},
      {"operand count", Bytes().Head(0, 0, 2, 0, 0).U32(0x03000001).U32(0).bytes,
       kScriptDataCorrupted},
      {"unknown opcode", Bytes().Head(0, 0, 1, 0, 0).U32(0x0000007F).bytes, kScriptDataCorrupted},
      {"odd UTF-16 length", [] { Bytes b; b.Head(0, 0, 0, 1, 1).Var(1); b.bytes.push_back(0x41); return b.bytes; }(),
       kScriptDataCorrupted},
  };
  for (const auto& c : cases) {
    for (size_t chunk : {size_t{0}, size_t{1}}) {
      Held script;
      savedcode::Loaded result = Load(c.bytes, script.get(), chunk);
      EXPECT_EQ(result.status, c.status) << c.what << " in chunks of " << chunk;
      EXPECT_TRUE(script->HasError()) << c.what;
    }
  }
  // A range that ends exactly at the code's end is a function's body ending
  // at the last word: accepted.
  Held edge;
  Bytes ok;
  ok.Head(0, 1, 2, 0, 0).Var(0).Var(2).U32(line).U32(5);
  savedcode::Loaded result = Load(ok.bytes, edge.get(), 1);
  EXPECT_EQ(result.status, kScriptOk);
  EXPECT_TRUE(result.complete);
}

TEST(SavedCode, TruncatedStreamsAreIncompleteAtEveryLength) {
  Held compiled;
  ASSERT_TRUE(savedcode::Compile(u"function f(a) { return a * 2; } x = f('y');", compiled.get()));
  const std::vector<uint8_t> bytes = Save(*compiled.get());
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(n));
    Held loaded;
    savedcode::Loaded result = Load(prefix, loaded.get(), 1);
    EXPECT_EQ(result.status, kScriptOk) << n;
    EXPECT_FALSE(result.complete) << n;
    // Told the length, the reader refuses counts the bytes cannot hold.
    Held told;
    result = Load(prefix, told.get(), 0, true);
    EXPECT_FALSE(result.complete) << n;
  }
}

TEST(SavedCode, HugeCountsMakeNoLargeAllocation) {
  // A 40-byte stream that announces the largest counts.
  Bytes huge;
  huge.Head(0xFFFFFFF0u, 0xFFFFFFF0u, 0x3FFFFFFFu, 0xFFFFFFF0u, 0xFFFFFFF0u);
  while (huge.bytes.size() < 40) huge.bytes.push_back(0x7F);
  for (bool known : {false, true}) {
    devtest::ResetLargestAllocation();
    Held script;
    savedcode::Loaded result = Load(huge.bytes, script.get(), 0, known);
    EXPECT_FALSE(result.complete);
    if (known) {
      EXPECT_EQ(result.status, kScriptDataCorrupted);
    }
    EXPECT_LT(devtest::LargestAllocation(), 64u * 1024u) << known;
  }
  // A word count beyond what indices hold is refused even without a length.
  Held words;
  EXPECT_EQ(Load(Bytes().Head(0, 0, 0x40000000u, 0, 0).bytes, words.get()).status,
            kScriptDataCorrupted);
  // A long string announced without its bytes reserves only a little.
  devtest::ResetLargestAllocation();
  Held text;
  EXPECT_EQ(Load(Bytes().Head(0, 0, 0, 1, 0x7FFFFFF0u).Var(0x7FFFFFF0u).bytes, text.get()).status,
            kScriptOk);
  EXPECT_LT(devtest::LargestAllocation(), 64u * 1024u);
  // Told the length, the same string is refused.
  Held told;
  EXPECT_EQ(Load(Bytes().Head(0, 0, 0, 1, 4).Var(0x7FFFFFF0u).bytes, told.get(), 0, true).status,
            kScriptDataCorrupted);
}

TEST(SavedCode, OnlyIntoAnEmptyScriptAndStatusesStay) {
  Held used;
  used->AppendWord(kWordLine);
  EXPECT_EQ(Load(Bytes().Head(0, 0, 0, 0, 0).bytes, used.get()).status,
            kScriptUnhandledException);
  EXPECT_TRUE(used->HasError());
  // After a status, later chunks answer it again.
  Held script;
  CompiledCodeReader reader;
  const std::vector<uint8_t> bad = Bytes().U32(7).bytes;
  int32_t status = kScriptOk;
  LoadCompiledScript(script.get(), &status, bad.data(), 4, 65002, &reader);
  EXPECT_EQ(status, kScriptFormatTooNew);
  LoadCompiledScript(script.get(), &status, bad.data(), 4, 65002, &reader);
  EXPECT_EQ(status, kScriptFormatTooNew);
}

}  // namespace
