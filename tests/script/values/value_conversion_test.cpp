// Conversions of the value store: every type to boolean, number, text and
// integer; objects read through their owners (with the wanted type), the
// null object, undefined and names; the quote form; a variable that holds a
// reference to itself; copy on write; reading member references; and the
// escaping of text for script source.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <limits>

#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/script_value_escape.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"
#include "tests/support/number_checks.h"

namespace {

using scripttest::Narrow;
using scripttest::RecordingObject;
using scripttest::Text;
using scripttest::Wide;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// One value of every kind, built in a fresh store. Values made here are
// released after the test body, before the recording objects go.
class Conversions : public ::testing::Test {
 protected:
  void TearDown() override {
    for (ScriptValueHandle& h : made_) store_.Release(&h);
  }

  ScriptValueHandle Boolean(bool b) {
    store_.NewBoolean(&status_, b ? 1 : 0, Keep());
    return made_.back();
  }
  ScriptValueHandle Number(double x) {
    store_.NewNumber(&status_, x, Keep());
    return made_.back();
  }
  ScriptValueHandle Integer(int32_t i) {
    store_.NewInteger(&status_, i, Keep());
    return made_.back();
  }
  ScriptValueHandle String(const std::u16string& s) {
    store_.NewString(&status_, Wide(s), Keep());
    return made_.back();
  }
  ScriptValueHandle Object(ScriptObject* o) {
    store_.NewObject(&status_, o, Keep());
    return made_.back();
  }
  // A recording object living as long as the fixture, answering a copy of
  // `answer` (none: it has no value).
  RecordingObject& Recorder(ScriptValueHandle answer = kScriptEmptyHandle) {
    RecordingObject& r = recorders_.emplace_back();
    r.store = &store_;
    store_.CopyValue(answer, &r.answer);
    return r;
  }

  std::u16string AsText(ScriptValueHandle h, uint8_t quote = 0) {
    SharedWideString out = Wide(u"unchanged");
    EXPECT_EQ(*store_.ToString(&status_, h, &out, quote), kScriptOk);
    return Text(out);
  }
  double AsNumber(ScriptValueHandle h) {
    double out = -12345;
    EXPECT_EQ(*store_.ToNumber(&status_, h, &out), kScriptOk);
    return out;
  }

  ScriptValueStore store_;
  int32_t status_ = 0;
  std::deque<RecordingObject> recorders_;

 private:
  ScriptValueHandle* Keep() { return &made_.emplace_back(kScriptEmptyHandle); }
  std::deque<ScriptValueHandle> made_;
};

TEST_F(Conversions, ToBoolean) {
  RecordingObject& truthy = Recorder(Integer(5));
  struct Case {
    ScriptValueHandle h;
    uint8_t value;
  } cases[] = {
      {Boolean(true), 1},   {Boolean(false), 0},  {Number(0.5), 1},
      {Number(0.0), 0},     {Number(-0.0), 0},    {Number(kNaN), 0},
      {Number(kInf), 1},    {Integer(0), 0},      {Integer(-1), 1},
      {String(u""), 0},     {String(u"0"), 1},    {String(u"false"), 1},
      {Object(nullptr), 0}, {Object(&truthy), 1},
      // Undefined and empty read as false instead of failing.
      {kScriptUndefinedHandle, 0}, {kScriptEmptyHandle, 0},
  };
  for (const Case& c : cases) {
    uint8_t out = 7;
    ASSERT_EQ(*store_.ToBoolean(&status_, c.h, &out), kScriptOk) << c.h;
    EXPECT_EQ(out, c.value) << c.h;
  }
  EXPECT_EQ(truthy.wantedTypes, std::vector<int32_t>{kScriptTypeBoolean});
  uint8_t out = 0;
  EXPECT_EQ(*store_.ToBoolean(&status_, MakeScriptNameHandle(kAtom_this), &out), kScriptBadHeapState);
}

TEST_F(Conversions, ToNumber) {
  RecordingObject& object = Recorder(String(u" 2,5 "));
  struct Case {
    ScriptValueHandle h;
    double value;
  } cases[] = {
      {Boolean(true), 1.0},
      {Boolean(false), 0.0},
      {Number(-2.25), -2.25},
      {Integer(INT32_MIN), -2147483648.0},
      {String(u" -1,5 "), -1.5},
      {String(u""), 0.0},
      {String(u"abc"), kNaN},
      {String(u"0x10"), 16.0},
      {Object(nullptr), 0.0},
      {Object(&object), 2.5},
      {kScriptUndefinedHandle, kNaN},
      {kScriptEmptyHandle, kNaN},
      {MakeScriptNameHandle(kAtom_this), kNaN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.value, AsNumber(c.h))) << c.h;
  }
  EXPECT_EQ(object.wantedTypes, std::vector<int32_t>{kScriptTypeNumber});
}

TEST_F(Conversions, ToText) {
  RecordingObject& object = Recorder(Number(0.25));
  struct Case {
    ScriptValueHandle h;
    std::u16string text;
  } cases[] = {
      {Boolean(true), u"true"},
      {Boolean(false), u"false"},
      {Number(3), u"3"},
      {Number(-3), u"-3"},
      {Number(1.0 / 3.0), u"0.333333333333333"},
      {Number(1e-7), u"1e-7"},
      {Number(123456789012345678.0), u"123456789012346000"},
      {Number(1e-300), u"1e-300"},
      {Number(0.9999999999999999), u"1"},
      {Number(kNaN), u"NaN"},
      {Number(-kInf), u"-Infinity"},
      {Integer(-42), u"-42"},
      {Integer(INT32_MIN), u"-2147483648"},
      {String(u"as is"), u"as is"},
      {Object(nullptr), u"null"},
      {Object(&object), u"0.25"},
      {kScriptUndefinedHandle, u"undefined"},
      {kScriptEmptyHandle, u"undefined"},
      {MakeScriptNameHandle(kAtom_this), u"undefined"},
  };
  for (const Case& c : cases) EXPECT_EQ(AsText(c.h), c.text) << Narrow(c.text);
  EXPECT_EQ(object.wantedTypes, std::vector<int32_t>{kScriptTypeString});
}

TEST_F(Conversions, QuoteFormOnlyForStrings) {
  EXPECT_EQ(AsText(String(u"it's"), 1), u"'it\\'s'");
  EXPECT_EQ(AsText(String(u"plain"), 1), u"'plain'");
  EXPECT_EQ(AsText(String(u""), 1), u"''");
  EXPECT_EQ(AsText(String(u"a\"b\\c\r\nd"), 1), u"'a\\\"b\\\\c\\r\\nd'");
  EXPECT_EQ(AsText(Number(1.5), 1), u"1.5");
  EXPECT_EQ(AsText(Boolean(true), 1), u"true");
  EXPECT_EQ(AsText(Object(nullptr), 1), u"null");
  RecordingObject& object = Recorder(String(u"x'y"));  // an object's string is quoted too
  EXPECT_EQ(AsText(Object(&object), 1), u"'x\\'y'");
}

TEST_F(Conversions, ToInteger) {
  RecordingObject& object = Recorder(Number(-7.9));
  struct Case {
    ScriptValueHandle h;
    int32_t value;
  } cases[] = {
      {Boolean(true), 1},
      {Number(-1.9), -1},
      {Number(kNaN), 0},
      {Number(kInf), 0},
      {Number(4294967301.0), 5},
      {Number(2147483648.0), INT32_MIN},
      {Integer(12), 12},
      {String(u"-42"), -42},
      {String(u"+ 8"), 8},
      {Object(nullptr), 0},
      {Object(&object), -7},
      {kScriptUndefinedHandle, 0},
      {kScriptEmptyHandle, 0},
  };
  for (const Case& c : cases) {
    int32_t out = 99;
    ASSERT_EQ(*store_.ToInteger(&status_, c.h, &out), kScriptOk) << c.h;
    EXPECT_EQ(out, c.value) << c.h;
  }
  EXPECT_EQ(object.wantedTypes, std::vector<int32_t>{kScriptTypeInteger});
  for (const char16_t* text : {u"x", u"1.5", u"", u"99999999999", u" 1"}) {
    int32_t out = 99;
    EXPECT_EQ(*store_.ToInteger(&status_, String(text), &out), kScriptConversionFailed);
    EXPECT_EQ(out, 99);
  }
}

TEST_F(Conversions, OwnerFailuresPassUp) {
  RecordingObject& failing = Recorder();
  failing.failWith = kScriptMemberUnknown;
  ScriptValueHandle h = Object(&failing);
  uint8_t b = 0;
  double d = 0;
  int32_t i = 0;
  SharedWideString s = Wide(u"kept");
  EXPECT_EQ(*store_.ToBoolean(&status_, h, &b), kScriptMemberUnknown);
  EXPECT_EQ(*store_.ToNumber(&status_, h, &d), kScriptMemberUnknown);
  EXPECT_EQ(*store_.ToInteger(&status_, h, &i), kScriptMemberUnknown);
  EXPECT_EQ(*store_.ToString(&status_, h, &s, 0), kScriptMemberUnknown);
  EXPECT_EQ(Text(s), u"kept");
  // A member without value.
  RecordingObject& valueless = Recorder();
  EXPECT_EQ(*store_.ToNumber(&status_, Object(&valueless), &d), kScriptCannotGet);
}

// x = x with x unassigned stores in x a reference to x: reading it must end
// with a status, not recurse without end.
TEST_F(Conversions, SelfReferenceEndsWithAStatus) {
  RecordingObject& scope = Recorder();
  ScriptValueHandle reference = kScriptEmptyHandle;
  ASSERT_EQ(*store_.NewReference(&status_, ScriptMemberRef{&scope, 0, 0, 1}, &reference),
            kScriptOk);
  ASSERT_EQ(*scope.SetMemberValue(&status_, ScriptMemberRef{&scope, 0, 0, 1}, &store_, reference),
            kScriptOk);
  double d = 0;
  SharedWideString s;
  uint8_t b = 0;
  int32_t i = 0;
  EXPECT_EQ(*store_.ToNumber(&status_, reference, &d), kScriptConversionFailed);
  EXPECT_EQ(*store_.ToString(&status_, reference, &s, 0), kScriptConversionFailed);
  EXPECT_EQ(*store_.ToBoolean(&status_, reference, &b), kScriptConversionFailed);
  EXPECT_EQ(*store_.ToInteger(&status_, reference, &i), kScriptConversionFailed);
  EXPECT_EQ(scope.wantedTypes.size(), 4u * kScriptReferenceDepthLimit);
  // Reading the reference once gives the reference (one level only).
  ScriptValueHandle read = kScriptEmptyHandle;
  ASSERT_EQ(*store_.GetReferencedValue(&status_, reference, &read), kScriptOk);
  EXPECT_EQ(read, reference);
  store_.Release(&read);
  store_.Release(&scope.answer);  // breaks the cycle
  store_.Release(&reference);
  EXPECT_EQ(store_.AttachedObjectCount(), 0u);
}

// A chain of references shorter than the limit is read to its end.
TEST_F(Conversions, ShortReferenceChains) {
  RecordingObject* chain[5];
  for (auto& link : chain) link = &Recorder();
  for (int k = 0; k < 4; ++k) {
    store_.NewReference(&status_, ScriptMemberRef{chain[k + 1], 1, 0, 0}, &chain[k]->answer);
  }
  store_.CopyValue(Integer(77), &chain[4]->answer);
  ScriptValueHandle start = kScriptEmptyHandle;
  store_.NewReference(&status_, ScriptMemberRef{chain[0], 1, 0, 0}, &start);
  EXPECT_EQ(AsNumber(start), 77.0);
  store_.Release(&start);
}

TEST_F(Conversions, NewConvertedValueOfEachType) {
  ScriptValueHandle text = String(u"12.5");
  ScriptValueHandle number = kScriptEmptyHandle;
  void* slot = &status_;
  ASSERT_EQ(*store_.NewConvertedValue(&status_, text, kScriptTypeNumber, &number, &slot),
            kScriptOk);
  EXPECT_EQ(AsNumber(number), 12.5);
  EXPECT_EQ(slot, nullptr);  // numbers live in their value words
  ScriptValueHandle back = kScriptEmptyHandle;
  ASSERT_EQ(*store_.NewConvertedValue(&status_, number, kScriptTypeString, &back, &slot),
            kScriptOk);
  EXPECT_EQ(slot, store_.GetSlot(back));
  EXPECT_EQ(Text(store_.GetStringSlot(back)->text), u"12.5");
  store_.Release(&back);
  // To an object from another type, and to types without values: not defined.
  ScriptValueHandle failed = kScriptEmptyHandle;
  EXPECT_EQ(*store_.NewConvertedValue(&status_, number, kScriptTypeObject, &failed, nullptr),
            kScriptBadHeapState);
  EXPECT_EQ(*store_.NewConvertedValue(&status_, number, kScriptTypeUndefined, &failed, nullptr),
            kScriptBadHeapState);
  EXPECT_EQ(failed, kScriptEmptyHandle);
}

TEST_F(Conversions, NewConvertedValueCopiesObjectsAsNewSlots) {
  RecordingObject& object = Recorder();
  ScriptValueHandle original = Object(&object);
  ScriptValueHandle copy = kScriptEmptyHandle;
  ASSERT_EQ(*store_.NewConvertedValue(&status_, original, kScriptTypeObject, &copy, nullptr),
            kScriptOk);
  EXPECT_NE(ScriptHandleIndex(copy), ScriptHandleIndex(original));
  EXPECT_EQ(store_.SlotsHolding(&object), 2u);
  EXPECT_EQ(object.events, (std::vector<int32_t>{kScriptStoreAttached, kScriptStoreAttached}));
  store_.Release(&copy);
  EXPECT_EQ(store_.SlotsHolding(&object), 1u);

  ScriptValueHandle failed = 5;
  EXPECT_EQ(*store_.NewConvertedValue(&status_, Integer(1), kScriptTypeObject, &failed, nullptr),
            kScriptBadHeapState);
  EXPECT_EQ(failed, kScriptEmptyHandle);
  EXPECT_EQ(store_.ReferenceTotal(kScriptTypeObject), 1u);  // the failed slot was released
}

TEST_F(Conversions, ConvertInPlaceCopiesOnWrite) {
  ScriptValueHandle a = String(u"one");
  ScriptValueHandle shared = kScriptEmptyHandle;
  store_.CopyValue(a, &shared);
  void* slot = nullptr;
  // Shared: a new slot is made for the writer.
  ScriptValueHandle writer = shared;
  shared = kScriptEmptyHandle;
  ASSERT_EQ(*store_.ConvertInPlace(&status_, &writer, kScriptTypeString, &slot), kScriptOk);
  EXPECT_NE(writer, a);
  static_cast<ScriptStringSlot*>(slot)->text.Assign(Wide(u"two"));
  EXPECT_EQ(Text(store_.GetStringSlot(a)->text), u"one");
  // Unshared and of the type: the slot itself.
  void* again = nullptr;
  ScriptValueHandle before = writer;
  ASSERT_EQ(*store_.ConvertInPlace(&status_, &writer, kScriptTypeString, &again), kScriptOk);
  EXPECT_EQ(writer, before);
  EXPECT_EQ(again, slot);
  // Another type: converted; immediate types have no slot.
  ScriptValueHandle text = kScriptEmptyHandle;
  store_.NewString(&status_, Wide(u"40"), &text);
  ASSERT_EQ(*store_.ConvertInPlace(&status_, &text, kScriptTypeInteger, &slot), kScriptOk);
  EXPECT_EQ(ScriptHandleType(text), kScriptTypeInteger);
  EXPECT_EQ(ScriptHandleInteger(text), 40);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(store_.ReferenceTotal(kScriptTypeString), 2u);  // a and writer
  // A failed conversion leaves the handle as it was.
  ScriptValueHandle word = kScriptEmptyHandle;
  store_.NewString(&status_, Wide(u"x"), &word);
  ScriptValueHandle kept = word;
  EXPECT_EQ(*store_.ConvertInPlace(&status_, &word, kScriptTypeInteger, &slot),
            kScriptConversionFailed);
  EXPECT_EQ(word, kept);
  store_.Release(&word);
  store_.Release(&text);
  store_.Release(&writer);
}

TEST_F(Conversions, ReferencedValues) {
  RecordingObject& object = Recorder(String(u"member"));
  ScriptValueHandle self = Object(&object);
  ScriptValueHandle out = kScriptEmptyHandle;
  ASSERT_EQ(*store_.GetReferencedValue(&status_, self, &out), kScriptOk);
  EXPECT_EQ(out, self);  // the object itself is its own value
  EXPECT_TRUE(object.wantedTypes.empty());
  store_.Release(&out);

  ScriptValueHandle member = kScriptEmptyHandle;
  store_.NewReference(&status_, ScriptMemberRef{&object, 4, 0, 1}, &member);
  ASSERT_EQ(*store_.GetReferencedValue(&status_, member, &out), kScriptOk);
  EXPECT_EQ(Text(store_.GetStringSlot(out)->text), u"member");
  EXPECT_EQ(object.wantedTypes, std::vector<int32_t>{kScriptTypeAny});
  store_.Release(&out);

  ScriptValueHandle eval = kScriptEmptyHandle;
  store_.NewReference(&status_, ScriptMemberRef{nullptr, -1, kScriptSubCodeEval, 0}, &eval);
  EXPECT_EQ(*store_.GetReferencedValue(&status_, eval, &out), kScriptCannotGet);
  EXPECT_EQ(out, kScriptEmptyHandle);
  object.failWith = kScriptCannotGet;
  EXPECT_EQ(*store_.GetReferencedValue(&status_, member, &out), kScriptCannotGet);
  EXPECT_EQ(out, kScriptEmptyHandle);

  // In place: the operand variable itself receives its value.
  ScriptValueHandle operand = kScriptEmptyHandle;
  store_.NewReference(&status_, ScriptMemberRef{&object, 4, 0, 1}, &operand);
  object.failWith = kScriptOk;
  ASSERT_EQ(*store_.GetReferencedValue(&status_, operand, &operand), kScriptOk);
  EXPECT_EQ(Text(store_.GetStringSlot(operand)->text), u"member");
  store_.Release(&operand);
  // A failure leaves the variable as it was.
  store_.NewReference(&status_, ScriptMemberRef{&object, 4, 0, 1}, &operand);
  ScriptValueHandle before = operand;
  object.failWith = kScriptCannotGet;
  EXPECT_EQ(*store_.GetReferencedValue(&status_, operand, &operand), kScriptCannotGet);
  EXPECT_EQ(operand, before);
  store_.Release(&operand);

  ScriptValueHandle plain = Number(6);
  ASSERT_EQ(*store_.GetReferencedValue(&status_, plain, &out), kScriptOk);
  EXPECT_EQ(out, plain);
  store_.Release(&out);
  store_.Release(&member);
  store_.Release(&eval);
}

TEST(ScriptStringEscape, RoundTrips) {
  struct Case {
    std::u16string plain;
    std::u16string escaped;
  } cases[] = {
      {u"", u""},
      {u"nothing to do", u"nothing to do"},
      {u"it's", u"it\\'s"},
      {u"say \"hi\"", u"say \\\"hi\\\""},
      {u"back\\slash", u"back\\\\slash"},
      {u"line\r\nbreak", u"line\\r\\nbreak"},
      {u"'\"\\\r\n", u"\\'\\\"\\\\\\r\\n"},
      {u"\u00e9t\u00e9 \u4e2d", u"\u00e9t\u00e9 \u4e2d"},
  };
  int32_t status = -1;
  for (const Case& c : cases) {
    SharedWideString out;
    ASSERT_EQ(*EscapeScriptString(&status, Wide(c.plain), &out), kScriptOk);
    EXPECT_EQ(Text(out), c.escaped) << Narrow(c.plain);
    SharedWideString back;
    ASSERT_EQ(*UnescapeScriptString(&status, out, &back), kScriptOk);
    EXPECT_EQ(Text(back), c.plain) << Narrow(c.plain);
  }
}

TEST(ScriptStringEscape, UnescapeOddBackslashes) {
  struct Case {
    std::u16string escaped;
    std::u16string plain;
  } cases[] = {
      {u"\\q", u"q"},
      {u"a\\tb", u"atb"},
      {u"end\\", u"end"},
      {u"\\", u""},
      {u"\\\\\\", u"\\"},
      {u"\\n\\r", u"\n\r"},
  };
  int32_t status = -1;
  for (const Case& c : cases) {
    SharedWideString out;
    ASSERT_EQ(*UnescapeScriptString(&status, Wide(c.escaped), &out), kScriptOk);
    EXPECT_EQ(Text(out), c.plain) << Narrow(c.escaped);
  }
}

}  // namespace
