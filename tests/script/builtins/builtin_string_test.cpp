// The String constructor and string objects: member resolution, length and
// text, each method against its cases (positions past either end, defaults,
// undefined ends, argument counts), case-sensitive replace with its count,
// fromCharCode, and the wrapper that the Object constructor and member
// access use.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "builtin_test_support.h"
#include "platform/testing/allocation.h"
#include "script/values/atoms.h"
#include "script/builtins/string_object.h"
#include "script/builtins/string_object_text.h"
#include "tests/support/script_status_names.h"

namespace {

using scripttest::Text;
using scripttest::Wide;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A string object held by one value of the store.
class StringTest : public scripttest::BuiltinFixture {
 protected:
  ScriptStringObject* Make(const std::u16string& text) {
    store_.Release(&held_);
    ScriptValueHandle value = Str(text);
    EXPECT_EQ(*WrapScriptString(&status_, &store_, value, &held_), kScriptOk);
    store_.Release(&value);
    return static_cast<ScriptStringObject*>(store_.GetObjectSlot(held_)->ref.owner);
  }
  void TearDown() override {
    store_.Release(&held_);
    BuiltinFixture::TearDown();
  }
  // Calls a method of a string and reads the answer as text (a failure as
  // the name of its status).
  std::string Text(const std::u16string& text, int32_t atom,
                   std::initializer_list<ScriptValueHandle> args) {
    ScriptStringObject* s = Make(text);
    int32_t status = CallAtom(s, atom, args);
    if (status != kScriptOk) return scripttest::ScriptStatusName(status);
    EXPECT_EQ(ResultType(), kScriptTypeString);
    return ResultText();
  }
  double Number(const std::u16string& text, int32_t atom,
                std::initializer_list<ScriptValueHandle> args) {
    ScriptStringObject* s = Make(text);
    EXPECT_EQ(CallAtom(s, atom, args), kScriptOk);
    EXPECT_EQ(ResultType(), kScriptTypeNumber);
    return ResultNumber();
  }

  ScriptValueHandle held_ = kScriptEmptyHandle;
};

TEST_F(StringTest, WrapperKeepsTextAndLength) {
  ScriptStringObject* s = Make(u"abc");
  EXPECT_EQ(scripttest::Text(s->Text()), u"abc");
  EXPECT_FALSE(s->IsConstructor());
  int32_t status = 0;
  ScriptMemberRef self;
  self.owner = s;
  ASSERT_EQ(*s->GetMemberValue(&status, self, &store_, &result_, 15), kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeString);
  EXPECT_EQ(ResultText(), "abc");
  ASSERT_EQ(*s->GetMemberValue(&status, Member(s, kAtom_length), &store_, &result_, 15),
            kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeNumber);
  EXPECT_EQ(ResultNumber(), 3);
  EXPECT_EQ(*s->GetMemberValue(&status, Member(s, kAtom_charAt), &store_, &result_, 15),
            kScriptCannotGet);
  // Members resolve by atom as sub-codes of the object itself.
  ScriptMemberRef ref = Member(s, kAtom_replace);
  EXPECT_EQ(ref.memberCode, -1);
  EXPECT_EQ(ref.subCode, kAtom_replace);
  Member(s, kAtom_fromCharCode, kScriptMemberUnknown);
  Member(s, kAtom_abs, kScriptMemberUnknown);
  // A reference to a member is not resolved again.
  ScriptNameToken name;
  name.SetAtom(kAtom_charAt);
  EXPECT_EQ(*s->ResolveMember(&status, name, &ref, 1), kScriptMemberUnknown);
  // The object value converts as its text; length cannot be called.
  SharedWideString text;
  EXPECT_EQ(*store_.ToString(&status, held_, &text, 0), kScriptOk);
  EXPECT_EQ(scripttest::Text(text), u"abc");
  double x = 0;
  EXPECT_EQ(CallAtom(s, kAtom_length, {}), kScriptInvalidType);
  EXPECT_EQ(*store_.ToNumber(&status, held_, &x), kScriptOk);
  EXPECT_TRUE(std::isnan(x));
}

TEST_F(StringTest, CharactersByPosition) {
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Num(1)}), "b");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {}), "a");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Num(5)}), "");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Num(-1)}), "");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Num(1.9)}), "b");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Str(u"2")}), "c");
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Undef()}), "a");
  // A text that is no integer fails the conversion.
  EXPECT_EQ(Text(u"abc", kAtom_charAt, {Str(u"x")}), "kScriptConversionFailed");
  EXPECT_EQ(Number(u"abc", kAtom_charCodeAt, {}), 97);
  EXPECT_EQ(Number(u"abc", kAtom_charCodeAt, {Num(2)}), 99);
  EXPECT_TRUE(std::isnan(Number(u"abc", kAtom_charCodeAt, {Num(-1)})));
  EXPECT_TRUE(std::isnan(Number(u"abc", kAtom_charCodeAt, {Num(3)})));
  EXPECT_EQ(Number(u"\u20AC", kAtom_charCodeAt, {}), 0x20AC);
  EXPECT_EQ(Text(u"abc", kAtom_toString, {}), "abc");
}

TEST_F(StringTest, IndexOfAndLastIndexOf) {
  const struct {
    const char16_t* text;
    int32_t atom;
    const char16_t* needle;
    double from;  // NaN: no second argument
    double found;
  } cases[] = {
      {u"abcabc", kAtom_indexOf, u"b", kNaN, 1},      {u"abcabc", kAtom_indexOf, u"b", 2, 4},
      {u"abcabc", kAtom_indexOf, u"x", kNaN, -1},     {u"abcabc", kAtom_indexOf, u"c", -5, 2},
      {u"abcabc", kAtom_indexOf, u"c", 99, -1},       {u"abc", kAtom_indexOf, u"", kNaN, 0},
      {u"abc", kAtom_indexOf, u"", 2, 2},             {u"abc", kAtom_indexOf, u"", 3, -1},
      {u"abc", kAtom_indexOf, u"abcd", kNaN, -1},     {u"aaa", kAtom_indexOf, u"aa", 1, 1},
      {u"abcabc", kAtom_lastIndexOf, u"b", kNaN, 4},  {u"abcabc", kAtom_lastIndexOf, u"b", 3, 1},
      {u"abcabc", kAtom_lastIndexOf, u"b", 4, 4},     {u"abcabc", kAtom_lastIndexOf, u"b", -3, -1},
      {u"abcabc", kAtom_lastIndexOf, u"a", -3, 0},    {u"abcabc", kAtom_lastIndexOf, u"c", 99, 5},
      {u"abcabc", kAtom_lastIndexOf, u"", kNaN, 5},   {u"abcabc", kAtom_lastIndexOf, u"", 2.7, 2},
      {u"aaa", kAtom_lastIndexOf, u"aa", kNaN, 1},    {u"", kAtom_lastIndexOf, u"a", kNaN, -1},
  };
  for (const auto& c : cases) {
    ScriptStringObject* s = Make(c.text);
    int32_t status = std::isnan(c.from) ? CallAtom(s, c.atom, {Str(c.needle)})
                                        : CallAtom(s, c.atom, {Str(c.needle), Num(c.from)});
    ASSERT_EQ(status, kScriptOk);
    EXPECT_EQ(ResultNumber(), c.found)
        << scripttest::Narrow(c.text) << " " << c.atom << " " << scripttest::Narrow(c.needle)
        << " " << c.from;
  }
  // NaN as the start of lastIndexOf means the end; the needle is converted.
  EXPECT_EQ(Number(u"abcabc", kAtom_lastIndexOf, {Str(u"c"), Num(kNaN)}), 5);
  EXPECT_EQ(Number(u"a1b1", kAtom_indexOf, {Num(1)}), 1);
  ScriptStringObject* s = Make(u"abc");
  EXPECT_EQ(CallAtom(s, kAtom_indexOf, {}), kScriptBadParameterCount);
  EXPECT_EQ(CallAtom(s, kAtom_lastIndexOf, {Str(u"a"), Num(1), Num(2)}), kScriptBadParameterCount);
}

TEST_F(StringTest, SliceAndSubstring) {
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(-2)}), "ef");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {}), "abcdef");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(1), Num(3)}), "bc");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(1), Num(-1)}), "bcde");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(-99), Num(2)}), "ab");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(2), Num(99)}), "cdef");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(4), Num(1)}), "");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(2), Undef()}), "cdef");
  EXPECT_EQ(Text(u"abcdef", kAtom_slice, {Num(1), Num(2), Num(3)}), "kScriptBadParameterCount");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(4), Num(1)}), "bcd");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(4)}), "ef");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {}), "abcdef");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(-3), Num(2)}), "ab");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(2), Num(99)}), "cdef");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(3), Undef()}), "def");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(3), Num(3)}), "");
  EXPECT_EQ(Text(u"abcdef", kAtom_substring, {Num(1), Num(2), Num(3)}), "kScriptBadParameterCount");
}

TEST_F(StringTest, ReplaceIsCaseSensitiveAndCounted) {
  EXPECT_EQ(Text(u"aXbXc", kAtom_replace, {Str(u"X"), Str(u"-")}), "a-bXc");
  EXPECT_EQ(Text(u"aXbXc", kAtom_replace, {Str(u"X"), Str(u"-"), Num(2)}), "a-b-c");
  EXPECT_EQ(Text(u"aXbXc", kAtom_replace, {Str(u"X"), Str(u"-"), Num(kNaN)}), "a-bXc");
  EXPECT_EQ(Text(u"aXbXcX", kAtom_replace, {Str(u"X"), Str(u""), Num(-1)}), "abc");
  EXPECT_EQ(Text(u"aXbXc", kAtom_replace, {Str(u"X"), Str(u"-"), Num(0)}), "aXbXc");
  EXPECT_EQ(Text(u"axbXc", kAtom_replace, {Str(u"X"), Str(u"-")}), "axb-c");
  EXPECT_EQ(Text(u"aaaa", kAtom_replace, {Str(u"aa"), Str(u"b"), Num(5)}), "bb");
  EXPECT_EQ(Text(u"abc", kAtom_replace, {Str(u""), Str(u"-")}), "abc");
  EXPECT_EQ(Text(u"abc", kAtom_replace, {Str(u"abc"), Str(u"$&")}), "$&");
  EXPECT_EQ(Text(u"a1b", kAtom_replace, {Num(1), Num(2)}), "a2b");
  EXPECT_EQ(Text(u"abc", kAtom_replace, {Str(u"a")}), "kScriptBadParameterCount");
  EXPECT_EQ(Text(u"abc", kAtom_replace, {Str(u"a"), Str(u"b"), Num(1), Num(1)}), "kScriptBadParameterCount");
}

TEST_F(StringTest, CaseAccentsAndSplit) {
  EXPECT_EQ(Text(u"Hello, World 1", kAtom_toLowerCase, {}), "hello, world 1");
  EXPECT_EQ(Text(u"Hello, World 1", kAtom_toUpperCase, {}), "HELLO, WORLD 1");
  EXPECT_EQ(Text(u"", kAtom_toUpperCase, {}), "");
  Make(u"\u00E9t\u00E9");
  ASSERT_EQ(CallAtom(Make(u"\u00E9t\u00E9"), kAtom_toUpperCase, {}), kScriptOk);
  EXPECT_EQ(ResultWide(), u"\u00C9T\u00C9");
  ASSERT_EQ(CallAtom(Make(u"\u00C9t\u00E9"), kAtom_fold, {}), kScriptOk);
  EXPECT_EQ(ResultWide(), u"Ete");
  EXPECT_EQ(Text(u"a,b", kAtom_split, {Str(u",")}), "kScriptNotImplemented");
}

TEST_F(StringTest, ConstructorMakesObjectsTextsAndCharacters) {
  ScriptValueHandle held = kScriptEmptyHandle;
  ScriptStringObject* ctor = ScriptStringObject::CreateConstructor();
  ASSERT_NE(ctor, nullptr);
  ASSERT_EQ(*store_.NewObject(&status_, ctor, &held), kScriptOk);
  EXPECT_TRUE(ctor->IsConstructor());
  Member(ctor, kAtom_charAt, kScriptMemberUnknown);

  EXPECT_EQ(CallAtom(ctor, kAtom_fromCharCode, {Num(72), Num(105.9), Str(u"33")}), kScriptOk);
  EXPECT_EQ(ResultText(), "Hi!");
  EXPECT_EQ(CallAtom(ctor, kAtom_fromCharCode, {}), kScriptOk);
  EXPECT_EQ(ResultText(), "");
  EXPECT_EQ(CallAtom(ctor, kAtom_fromCharCode, {Num(65536 + 65)}), kScriptOk);
  EXPECT_EQ(ResultText(), "A");

  // new String(x): a String object of the last argument's text.
  EXPECT_EQ(CallAtom(ctor, kScriptSubCodeConstruct, {Num(1), Num(2.5)}), kScriptOk);
  ASSERT_EQ(ResultType(), kScriptTypeObject);
  auto* made = static_cast<ScriptStringObject*>(store_.GetObjectSlot(result_)->ref.owner);
  EXPECT_EQ(scripttest::Text(made->Text()), u"2.5");
  EXPECT_EQ(CallAtom(ctor, kScriptSubCodeConstruct, {}), kScriptOk);
  EXPECT_EQ(ResultText(), "");
  // String(x) called as itself: the text alone.
  ScriptMemberRef self;
  self.owner = ctor;
  EXPECT_EQ(Call(ctor, self, {Bool(true)}), kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeString);
  EXPECT_EQ(ResultText(), "true");
  store_.Release(&result_);
  store_.Release(&held);
}

TEST_F(StringTest, LackOfMemoryLeavesNoResult) {
  ScriptStringObject* s = Make(u"abcdef");
  ScriptMemberRef ref = Member(s, kAtom_toUpperCase);
  // Fails the n-th allocation of the call, from the first on, until the call
  // gets through; each failure answers kScriptNoMemory and no result.
  for (long n = 1; n < 10; ++n) {
    int32_t status;
    {
      devtest::AllocationFailure failure(n);
      status = Call(s, ref, {});
    }
    if (status == kScriptOk) {
      EXPECT_EQ(ResultText(), "ABCDEF");
      return;
    }
    EXPECT_EQ(status, kScriptNoMemory);
    EXPECT_EQ(ResultType(), kScriptTypeUndefined);
  }
  FAIL() << "the call never got through";
}

TEST(StringText, SearchesAndPositions) {
  EXPECT_EQ(SlicePosition(-2, 6), 4u);
  EXPECT_EQ(SlicePosition(-9, 6), 0u);
  EXPECT_EQ(SlicePosition(9, 6), 6u);
  EXPECT_EQ(ClampPosition(-1, 6), 0u);
  EXPECT_EQ(SlicePosition(INT32_MIN, 6), 0u);
  SharedWideString out;
  ASSERT_TRUE(StringReplace(Wide(u"abab"), Wide(u"ab"), Wide(u"x"), -1, &out));
  EXPECT_EQ(Text(out), u"xx");
  ASSERT_TRUE(StringReplace(Wide(u""), Wide(u"ab"), Wide(u"x"), -1, &out));
  EXPECT_EQ(Text(out), u"");
  EXPECT_EQ(StringIndexOf(SharedWideString(), SharedWideString(), 0), -1);
  EXPECT_EQ(StringLastIndexOf(SharedWideString(), SharedWideString(), kNaN), 0);
}

}  // namespace
