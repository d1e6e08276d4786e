// SharedWideString: copy on write, storage, editing, search and comparison,
// and the rollback of every allocating operation when memory runs out.
#include "foundation/wide_string/shared_wide_string.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/memory/allocator.h"
#include "platform/testing/allocation.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

// ---- Copy on write

TEST(SharedWideStringCow, CopySharesAndWritingReallocatesOnlyTheWriter) {
  SharedWideString a(u"shared text");
  SharedWideBuffer* original = a.buffer;
  ASSERT_NE(original, nullptr);

  long before = devtest::AllocationCount();
  SharedWideString b = a;
  SharedWideString c;
  c.AssignSubstring(a, 7, 4);
  EXPECT_EQ(devtest::AllocationCount(), before) << "copies and substrings allocate nothing";
  EXPECT_EQ(b.buffer, original);
  EXPECT_EQ(c.buffer, original);
  EXPECT_EQ(original->refcount, 3);
  EXPECT_EQ(Text(c), u"text");

  ASSERT_TRUE(b.AppendChars(u"!", 1));
  EXPECT_NE(b.buffer, original);
  EXPECT_EQ(a.buffer, original);
  EXPECT_EQ(original->refcount, 2);
  EXPECT_EQ(Text(a), u"shared text");
  EXPECT_EQ(Text(b), u"shared text!");
  EXPECT_EQ(Text(c), u"text");

  // Once the other views are gone the first string writes in place.
  c.Clear();
  EXPECT_TRUE(a.IsUniqueOwner());
  before = devtest::AllocationCount();
  ASSERT_TRUE(a.ReplaceChar(u't', u'T', -1));
  EXPECT_EQ(devtest::AllocationCount(), before);
  EXPECT_EQ(a.buffer, original);
  EXPECT_EQ(Text(a), u"shared TexT");
}

TEST(SharedWideStringCow, AssignmentForms) {
  SharedWideString s(u"0123456789");
  SharedWideString v;
  v.AssignFrom(s, 6);
  EXPECT_EQ(Text(v), u"6789");
  v.AssignRight(s, 3);
  EXPECT_EQ(Text(v), u"789");
  v.AssignBetween(s, 5, 2);
  EXPECT_EQ(Text(v), u"234");
  v.AssignSubstring(s, 4, 0);
  EXPECT_EQ(v.buffer, nullptr);
  EXPECT_EQ(s.buffer->refcount, 1);
  // A view of itself, and assigning itself.
  v = s;
  v.AssignSubstring(v, 1, 2);
  EXPECT_EQ(Text(v), u"12");
  const SharedWideString& same = v;
  v = same;
  EXPECT_EQ(Text(v), u"12");
  EXPECT_EQ(s.buffer->refcount, 2);
}

TEST(SharedWideStringCow, AttachedStorageIsNeverWrittenNorFreed) {
  static const WCHAR external[] = u"constant";
  SharedWideString s;
  ASSERT_TRUE(s.AttachExternal(external, 8));
  EXPECT_EQ(s.Chars(), external);
  EXPECT_FALSE(s.IsUniqueOwner());
  ASSERT_TRUE(s.AppendChars(u"s", 1));
  EXPECT_NE(s.Chars(), external);
  EXPECT_EQ(Text(s), u"constants");
  EXPECT_EQ(std::u16string(external), u"constant");
}

TEST(SharedWideStringCow, ConstructionCopies) {
  std::u16string source = u"abc";
  SharedWideString s(source.c_str());
  source[0] = u'x';
  EXPECT_EQ(Text(s), u"abc");
  EXPECT_EQ(SharedWideString(nullptr).buffer, nullptr);
  EXPECT_EQ(SharedWideString(u"").buffer, nullptr);
  const uint8_t bytes[] = {0x41, 0xE9, 0xFF};
  ASSERT_TRUE(s.FromLatin1(bytes, 3));
  EXPECT_EQ(Text(s), u"A\u00E9\u00FF");
  EXPECT_EQ(WideStrLen(u"four"), 4u);
  EXPECT_EQ(WideStrLen(nullptr), 0u);
}

// ---- Storage

TEST(SharedWideStringStorage, ReserveKeepsRoomyOwnersAndCopiesTheRest) {
  SharedWideString s(u"abcdef");
  SharedWideBuffer* record = s.buffer;
  long before = devtest::AllocationCount();
  ASSERT_TRUE(s.Reserve(6));
  EXPECT_EQ(devtest::AllocationCount(), before);

  // A unique owner without room gets an array of exactly the size, offset 0.
  ASSERT_TRUE(s.Erase(0, 2));
  EXPECT_EQ(s.offset, 2u);
  ASSERT_TRUE(s.Reserve(5));
  EXPECT_EQ(s.buffer, record);
  EXPECT_EQ(s.offset, 0u);
  EXPECT_EQ(s.buffer->capacity, 5u);
  EXPECT_EQ(Text(s), u"cdef");

  // A shared buffer is replaced by a new record for the writer.
  SharedWideString other = s;
  ASSERT_TRUE(other.Reserve(0));
  EXPECT_NE(other.buffer, record);
  EXPECT_EQ(other.buffer->capacity, 4u);
  EXPECT_EQ(record->refcount, 1);

  // Nothing to keep and nothing asked: no buffer is made.
  SharedWideString empty;
  ASSERT_TRUE(empty.Reserve(0));
  EXPECT_EQ(empty.buffer, nullptr);
  EXPECT_TRUE(empty.MakeWritable());
}

TEST(SharedWideStringStorage, GetWriteBufferExtendsTheLength) {
  SharedWideString s(u"ab");
  WCHAR* out = nullptr;
  ASSERT_TRUE(s.GetWriteBuffer(&out, 2, 3));
  ASSERT_NE(out, nullptr);
  out[0] = u'c';
  out[1] = u'd';
  out[2] = u'e';
  EXPECT_EQ(Text(s), u"abcde");
  ASSERT_TRUE(s.GetWriteBuffer(&out, 1, 1));
  *out = u'B';
  EXPECT_EQ(Text(s), u"aBcde");
  ASSERT_TRUE(s.GetWriteBuffer(&out, 0, 0));
  EXPECT_EQ(out, nullptr);
}

TEST(SharedWideStringStorage, DuplicateAndCopyOut) {
  SharedWideString s(u"ab\u0141d");
  WCHAR* copy = s.Duplicate(true);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::u16string(copy), u"ab\u0141d");
  DeviceFree(copy);

  struct CopyCase {
    uint32_t capacity;
    bool terminate;
    bool complete;
    std::u16string written;  // what lands in the buffer, '#' = untouched
  } cases[] = {
      {0, true, false, u"######"},
      {1, true, false, std::u16string(u"\0#####", 6)},  // only the terminator
      {2, true, false, std::u16string(u"\0#####", 6)},
      {4, true, false, std::u16string(u"ab\0###", 6)},
      {5, true, true, std::u16string(u"ab\u0141d\0#", 6)},
      {4, false, true, u"ab\u0141d##"},
      {3, false, false, std::u16string(u"a\0####", 6)},
  };
  for (const CopyCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "capacity " << t.capacity << " terminate " << t.terminate);
    std::u16string wide(6, u'#');
    EXPECT_EQ(s.CopyToBuffer(wide.data(), t.capacity, t.terminate), t.complete);
    EXPECT_EQ(wide, t.written);
    std::string narrow(6, '#');
    EXPECT_EQ(s.CopyToNarrow(narrow.data(), t.capacity, t.terminate), t.complete);
    std::string expected;
    for (char16_t c : t.written) expected.push_back(static_cast<char>(c & 0xFF));
    EXPECT_EQ(narrow, expected);
  }
}

// ---- Editing

TEST(SharedWideStringEdit, AppendForms) {
  SharedWideString s(u"ab");
  ASSERT_TRUE(s.Append(s));
  EXPECT_EQ(Text(s), u"abab");
  ASSERT_TRUE(s.AppendRange(s, 1, 2));
  EXPECT_EQ(Text(s), u"ababba");
  ASSERT_TRUE(s.AppendChars(s.Chars() + 4, 2));  // its own characters
  EXPECT_EQ(Text(s), u"ababbaba");
  ASSERT_TRUE(s.AppendRepeated(u'-', 3));
  EXPECT_EQ(Text(s), u"ababbaba---");
  ASSERT_TRUE(s.Reserve(s.length + 4));
  s.AppendCharsUnchecked(u"xy", 2);
  s.AppendRepeatedUnchecked(u'z', 2);
  EXPECT_EQ(Text(s), u"ababbaba---xyzz");

  SharedWideString empty;
  ASSERT_TRUE(empty.Append(SharedWideString()));
  EXPECT_EQ(empty.buffer, nullptr);
}

TEST(SharedWideStringEdit, RepeatedAppendsGrowWithSlack) {
  SharedWideString s;
  long before = devtest::AllocationCount();
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(s.AppendChars(u"x", 1));
  EXPECT_LT(devtest::AllocationCount() - before, 40);
  EXPECT_EQ(s.length, 1000u);
}

TEST(SharedWideStringEdit, InsertChars) {
  SharedWideString s(u"ace");
  ASSERT_TRUE(s.InsertChars(u"b", 1, 1));
  ASSERT_TRUE(s.InsertChars(u"d", 1, 3));
  ASSERT_TRUE(s.InsertChars(u">", 1, 0));
  ASSERT_TRUE(s.InsertChars(u"<", 1, s.length));
  EXPECT_EQ(Text(s), u">abcde<");
  ASSERT_TRUE(s.InsertChars(s.Chars() + 1, 3, 2));  // its own "abc" into itself
  EXPECT_EQ(Text(s), u">aabcbcde<");
}

TEST(SharedWideStringEdit, EraseNarrowsOrMovesOrCopies) {
  SharedWideString s(u"0123456789");
  SharedWideBuffer* record = s.buffer;
  long before = devtest::AllocationCount();
  ASSERT_TRUE(s.Erase(8, 5));  // the last characters (count clamped)
  ASSERT_TRUE(s.Erase(0, 1));  // the first
  EXPECT_EQ(Text(s), u"1234567");
  ASSERT_TRUE(s.Erase(2, 2));  // unique owner: in place
  EXPECT_EQ(Text(s), u"12567");
  ASSERT_TRUE(s.Erase(9, 1));  // past the end: nothing
  EXPECT_EQ(devtest::AllocationCount(), before);
  EXPECT_EQ(s.buffer, record);

  SharedWideString copy = s;
  ASSERT_TRUE(copy.Erase(1, 3));  // middle of a shared string: a fresh buffer
  EXPECT_NE(copy.buffer, record);
  EXPECT_EQ(Text(copy), u"17");
  EXPECT_EQ(Text(s), u"12567");
  SharedWideString tail = s;
  ASSERT_TRUE(tail.Erase(3, 2));  // the end of a shared string: still a view
  EXPECT_EQ(tail.buffer, record);
  EXPECT_EQ(Text(tail), u"125");
}

TEST(SharedWideStringEdit, ReplaceRemoveFold) {
  SharedWideString s(u"banana");
  ASSERT_TRUE(s.ReplaceChar(u'a', u'o', 2));
  EXPECT_EQ(Text(s), u"bonona");
  ASSERT_TRUE(s.ReplaceChar(u'a', u'o', -1));
  EXPECT_EQ(Text(s), u"bonono");
  ASSERT_TRUE(s.ReplaceChar(u'o', u'o', -1));
  ASSERT_TRUE(s.ReplaceChar(u'o', u'x', 0));
  EXPECT_EQ(Text(s), u"bonono");

  SharedWideString shared = s;
  ASSERT_TRUE(shared.RemoveChar(u'o'));
  EXPECT_EQ(Text(shared), u"bnn");
  EXPECT_EQ(Text(s), u"bonono");
  ASSERT_TRUE(s.RemoveChar(u'o'));
  ASSERT_TRUE(s.RemoveChar(u'q'));
  EXPECT_EQ(Text(s), u"bnn");
  SharedWideString only(u"aaa");
  SharedWideString keep = only;
  ASSERT_TRUE(only.RemoveChar(u'a'));
  EXPECT_EQ(only.length, 0u);
  EXPECT_EQ(Text(keep), u"aaa");

  // Case folding goes through the 1252 table: S with caron becomes the 1252
  // byte of its lower case, characters without a 1252 form stay.
  SharedWideString mixed(u"\u00C0Bc \u0160\u3042");
  SharedWideString before = mixed;
  ASSERT_TRUE(mixed.FoldCase());
  EXPECT_EQ(Text(mixed), u"\u00E0bc \u009A\u3042");
  EXPECT_EQ(Text(before), u"\u00C0Bc \u0160\u3042");
}

TEST(SharedWideStringEdit, Trim) {
  struct TrimCase {
    std::u16string text;
    bool front, back;
    std::u16string expected;
  } cases[] = {
      {u" \t a b \r\n", true, true, u"a b"},
      {u" \t a b \r\n", true, false, u"a b \r\n"},
      {u" \t a b \r\n", false, true, u" \t a b"},
      {u" \u00A0 \n", true, true, u""},
      {u"\u3000x\u3000", true, true, u"\u3000x\u3000"},
      {u"", true, true, u""},
  };
  for (const TrimCase& t : cases) {
    SharedWideString s(t.text.c_str());
    s.Trim(t.front, t.back);
    EXPECT_EQ(Text(s), t.expected);
  }
}

// ---- Search and comparison

TEST(SharedWideStringSearch, Compare) {
  struct CompareCase {
    std::u16string a, b;
    bool prefix;
    int expected;
  } cases[] = {
      {u"abc", u"abc", false, 0},  {u"abc", u"abd", false, -1}, {u"abd", u"abc", false, 1},
      {u"ab", u"abc", false, -1},  {u"ab", u"abc", true, -1},   {u"abc", u"ab", false, 1},
      {u"abc", u"ab", true, 0},    {u"", u"", false, 0},        {u"", u"a", true, -1},
      {u"a", u"", false, 1},       {u"a", u"", true, 0},        {u"\uFFFF", u"a", false, 1},
      {u"B", u"a", false, -1},
  };
  for (const CompareCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&t - cases));
    SharedWideString a(t.a.c_str()), b(t.b.c_str());
    EXPECT_EQ(a.Compare(t.b.c_str(), static_cast<uint32_t>(t.b.size()), t.prefix), t.expected);
    EXPECT_EQ(a.CompareTo(b, t.prefix), t.expected);
  }
  SharedWideString s(u"abc");
  EXPECT_EQ(s.Compare(s.Chars(), 2, false), 1);
  EXPECT_EQ(s.Compare(s.Chars(), 2, true), 0);
  EXPECT_EQ(s.Compare(s.Chars(), 3, false), 0);
}

TEST(SharedWideStringSearch, Find) {
  SharedWideString hay(u"abcabc");
  auto find = [&](const char16_t* needle, uint32_t start) {
    return hay.Find(SharedWideString(needle), start);
  };
  EXPECT_EQ(find(u"bc", 0), 1u);
  EXPECT_EQ(find(u"bc", 2), 4u);
  EXPECT_EQ(find(u"bc", 5), 6u);  // absent: the length
  EXPECT_EQ(find(u"x", 0), 6u);
  EXPECT_EQ(find(u"abcabcd", 0), 6u);
  EXPECT_EQ(find(u"abcabc", 0), 0u);
  EXPECT_EQ(find(u"", 0), 0u);  // no buffer on one side
  EXPECT_EQ(SharedWideString().Find(SharedWideString(u"a"), 0), 0u);
  SharedWideString emptyView(u"z");
  emptyView.ClearKeepBuffer();
  EXPECT_EQ(hay.Find(emptyView, 3), 3u);
}

TEST(SharedWideStringSearch, CharSearchComparesWholeUnits) {
  // U+013B and U+017C end in the bytes of ';' and '|': they must not match.
  SharedWideString s(u"a;b\u013Bc\u017C;|");
  uint32_t at = 99;
  ASSERT_TRUE(s.FindChar(';', &at));
  EXPECT_EQ(at, 1u);
  ASSERT_TRUE(s.FindChar(';', &at, 2));
  EXPECT_EQ(at, 6u);
  EXPECT_FALSE(s.FindChar(';', &at, 2, 5));
  EXPECT_EQ(at, 6u);
  EXPECT_EQ(s.IndexOfChar('|'), 7u);
  EXPECT_EQ(s.IndexOfChar('x'), 8u);
  EXPECT_EQ(s.IndexOfChar('x', 0, 4), 4u);
  EXPECT_EQ(s.IndexOfChar('x', 0, 40), 8u);
  EXPECT_EQ(s.CountChar(';'), 2u);
  EXPECT_EQ(s.CountChar(';', 2, 6), 0u);
  EXPECT_EQ(s.CountChar('|', 0, -1), 1u);
  EXPECT_EQ(SharedWideString().CountChar(';'), 0u);
}

// ---- Rollback when memory runs out

struct Start {
  const char* name;
  // Makes the string under test; `keep` holds whatever must survive beside
  // it (a copy sharing its buffer, an attached array's owner).
  std::function<void(SharedWideString& s, SharedWideString& keep)> make;
};

const WCHAR kAttached[] = u"Ab %41+c, Hello World";

const std::vector<Start>& Starts() {
  static const std::vector<Start> starts = {
      {"unique", [](SharedWideString& s, SharedWideString&) { s.FromChars(kAttached, 21); }},
      {"shared",
       [](SharedWideString& s, SharedWideString& keep) {
         keep.FromChars(kAttached, 21);
         s = keep;
       }},
      {"view",
       [](SharedWideString& s, SharedWideString& keep) {
         keep.FromChars(u"[[Ab %41+c, Hello World]]", 25);
         s.AssignSubstring(keep, 2, 21);
       }},
      {"attached", [](SharedWideString& s, SharedWideString&) { s.AttachExternal(kAttached, 21); }},
      {"empty", [](SharedWideString&, SharedWideString&) {}},
  };
  return starts;
}

// Each operation builds its arguments outside the failure window (statics
// made on the first, failure-free run), so only the operation allocates.
struct Op {
  const char* name;
  std::function<bool(SharedWideString&)> run;
};

const std::vector<Op>& Ops() {
  static const std::vector<Op> ops = {
      {"Append",
       [](SharedWideString& s) {
         static const SharedWideString tail(u"tail");
         return s.Append(tail);
       }},
      {"AppendSelf", [](SharedWideString& s) { return s.Append(s); }},
      {"AppendChars", [](SharedWideString& s) { return s.AppendChars(u"xyz", 3); }},
      {"AppendRepeated", [](SharedWideString& s) { return s.AppendRepeated(u'-', 40); }},
      {"InsertChars", [](SharedWideString& s) { return s.InsertChars(u"ins", 3, s.length / 2); }},
      {"InsertOwn",
       [](SharedWideString& s) { return s.length < 4 || s.InsertChars(s.Chars() + 1, 3, 2); }},
      {"EraseMiddle", [](SharedWideString& s) { return s.Erase(3, 4); }},
      {"ReplaceChar", [](SharedWideString& s) { return s.ReplaceChar(u'l', u'L', -1); }},
      {"RemoveChar", [](SharedWideString& s) { return s.RemoveChar(u'o'); }},
      {"FoldCase", [](SharedWideString& s) { return s.FoldCase(); }},
      {"Reserve", [](SharedWideString& s) { return s.Reserve(100); }},
      {"GetWriteBuffer",
       [](SharedWideString& s) {
         WCHAR* out = nullptr;
         if (!s.GetWriteBuffer(&out, s.length, 2)) return false;
         out[0] = out[1] = u'#';
         return true;
       }},
      {"AppendUnsigned", [](SharedWideString& s) { return s.AppendUnsigned(123456789, 16); }},
      {"AppendInt", [](SharedWideString& s) { return s.AppendInt(-2147483647 - 1); }},
      {"EncodeStrict", [](SharedWideString& s) { return s.UrlEscape(true, true); }},
      {"DecodeStrict", [](SharedWideString& s) { return s.UrlEscape(false, true); }},
      {"DecodeLenient", [](SharedWideString& s) { return s.UrlEscape(false, false); }},
      {"FormatIntoSelf",
       [](SharedWideString& s) {
         static const SharedWideString args[2] = {SharedWideString(u"one"), SharedWideString(u"two")};
         static const SharedWideString prefix(u"<%1|%2|%1>");
         SharedWideString format = prefix;
         if (!format.Append(s)) return false;
         return format.FormatPositional(args, 2, &s);
       }},
      {"FromChars", [](SharedWideString& s) { return s.FromChars(u"fresh", 5); }},
      {"AttachExternal", [](SharedWideString& s) { return s.AttachExternal(u"ext", 3); }},
  };
  return ops;
}

TEST(SharedWideStringRollback, EveryFailedAllocationLeavesTheStringAsItWas) {
  size_t failuresSeen = 0;
  for (const Op& op : Ops()) {
    for (const Start& start : Starts()) {
      SCOPED_TRACE(testing::Message() << op.name << " on " << start.name);
      // The result without failures.
      SharedWideString expected, expectedKeep;
      start.make(expected, expectedKeep);
      bool expectedResult = op.run(expected);
      ASSERT_TRUE(expectedResult);

      for (long n = 1;; ++n) {
        ASSERT_LT(n, 20) << "too many allocations";
        SharedWideString s, keep;
        start.make(s, keep);
        std::u16string before = Text(s), keepBefore = Text(keep);
        long injected = devtest::InjectedAllocationFailures();
        bool result;
        {
          devtest::AllocationFailure failure(n);
          result = op.run(s);
        }
        EXPECT_EQ(Text(keep), keepBefore);
        if (devtest::InjectedAllocationFailures() == injected) {
          // Fewer than n allocations: the operation ran through.
          EXPECT_EQ(result, expectedResult);
          EXPECT_EQ(Text(s), Text(expected));
          break;
        }
        SCOPED_TRACE(testing::Message() << "allocation " << n << " failed");
        ++failuresSeen;
        EXPECT_FALSE(result);
        EXPECT_EQ(Text(s), before);
        // The string still works after the failure.
        EXPECT_TRUE(s.AppendChars(u"!", 1));
        EXPECT_EQ(Text(s), before + u"!");
      }
    }
  }
  // The harness must have made operations fail, or it proves nothing.
  EXPECT_GT(failuresSeen, 2 * Ops().size());
}

TEST(SharedWideStringRollback, MakeWritableClearsOnFailure) {
  SharedWideString keep(u"shared");
  SharedWideString s = keep;
  {
    devtest::AllocationFailure failure(1);
    EXPECT_FALSE(s.MakeWritable());
  }
  EXPECT_EQ(s.buffer, nullptr);
  EXPECT_EQ(s.length, 0u);
  EXPECT_EQ(Text(keep), u"shared");
  EXPECT_EQ(keep.buffer->refcount, 1);
}

}  // namespace
