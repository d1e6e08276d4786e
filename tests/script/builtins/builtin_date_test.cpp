// The Date constructor and date objects on the virtual clock and fixed test
// zones: construction from nothing, a number, a text and fields (years
// 0-99 in the 1900s, local time), Date.UTC and Date.parse, the getters in
// local and UTC time with invalid dates giving NaN, the setters with their
// argument counts, the text forms and the number a date converts to.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "builtin_test_support.h"
#include "platform/testing/clock.h"
#include "script/values/atoms.h"
#include "script/builtins/date_object.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 2000-01-02 03:04:05.006 UTC, a Sunday.
constexpr double kSample = 946782245006.0;

class DateTest : public scripttest::BuiltinFixture {
 protected:
  void SetUp() override {
    ctor_ = ScriptDateObject::CreateConstructor();
    ASSERT_NE(ctor_, nullptr);
    ASSERT_EQ(*store_.NewObject(&status_, ctor_, &ctorValue_), kScriptOk);
  }
  void TearDown() override {
    store_.Release(&held_);
    store_.Release(&ctorValue_);
    BuiltinFixture::TearDown();
  }

  // new Date(args...); the new date stays held by the fixture.
  ScriptDateObject* New(std::initializer_list<ScriptValueHandle> args,
                        int32_t expect = kScriptOk) {
    EXPECT_EQ(CallAtom(ctor_, kScriptSubCodeConstruct, args), expect);
    if (expect != kScriptOk) return nullptr;
    EXPECT_EQ(ResultType(), kScriptTypeObject);
    store_.Release(&held_);
    held_ = result_;
    result_ = kScriptUndefinedHandle;
    return static_cast<ScriptDateObject*>(store_.GetObjectSlot(held_)->ref.owner);
  }
  double Get(ScriptDateObject* d, int32_t atom) {
    EXPECT_EQ(CallAtom(d, atom, {}), kScriptOk) << atom;
    return ResultNumber();
  }
  std::string Form(ScriptDateObject* d, int32_t atom) {
    EXPECT_EQ(CallAtom(d, atom, {}), kScriptOk) << atom;
    return ResultText();
  }

  ScriptDateObject* ctor_ = nullptr;
  ScriptValueHandle ctorValue_ = kScriptEmptyHandle;
  ScriptValueHandle held_ = kScriptEmptyHandle;
};

TEST_F(DateTest, ConstructsFromNothingANumberOrAText) {
  devtest::SetClock(2025, 6, 15, 12, 0, 0, 250);
  ScriptDateObject* now = New({});
  EXPECT_EQ(now->Time().milliseconds, 1749988800250.0);
  EXPECT_EQ(New({Num(kSample)})->Time().milliseconds, kSample);
  EXPECT_EQ(New({Num(1.7)})->Time().milliseconds, 1);
  EXPECT_TRUE(std::isnan(New({Num(9e15)})->Time().milliseconds));
  // The ISO reader keeps whole seconds.
  EXPECT_EQ(New({Str(u"2000-01-02T03:04:05.006Z")})->Time().milliseconds, kSample - 6);
  EXPECT_EQ(New({Str(u"Sun, 2 Jan 2000 03:04:05 UTC")})->Time().milliseconds, kSample - 6);
  New({Str(u"no date")}, kScriptCannotParse);
  New({Num(1), Num(2), Num(3), Num(4), Num(5), Num(6), Num(7), Num(8)}, kScriptBadParameterCount);
  // Another date converts to its time.
  ScriptValueHandle copyOf = kScriptEmptyHandle;
  store_.CopyValue(held_, &copyOf);
  ScriptDateObject* first = New({Num(kSample)});
  store_.Release(&copyOf);
  store_.CopyValue(held_, &copyOf);
  EXPECT_EQ(New({copyOf})->Time().milliseconds, first->Time().milliseconds);
}

TEST_F(DateTest, FieldsComposeLocalTime) {
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  // new Date(99, 0) is 1 January 1999 at midnight, local time.
  ScriptDateObject* d = New({Num(99), Num(0)});
  EXPECT_EQ(d->Time().milliseconds, 915148800000.0 - 3600000.0);
  EXPECT_EQ(Get(d, kAtom_getFullYear), 1999);
  EXPECT_EQ(ResultType(), kScriptTypeInteger);
  EXPECT_EQ(Get(d, kAtom_getDate), 1);
  EXPECT_EQ(Get(d, kAtom_getHours), 0);
  EXPECT_EQ(Get(d, kAtom_getUTCHours), 23);
  EXPECT_EQ(Get(d, kAtom_getUTCFullYear), 1998);
  EXPECT_EQ(Get(d, kAtom_getTimeZoneOffset), 60);
  // Fields out of range carry over; fractions are cut.
  d = New({Num(2000), Num(12), Num(32), Num(25), Num(61), Num(61), Num(1001.9)});
  EXPECT_EQ(Get(d, kAtom_getFullYear), 2001);
  EXPECT_EQ(Get(d, kAtom_getMonth), 1);
  EXPECT_EQ(Get(d, kAtom_getDate), 2);
  EXPECT_EQ(Get(d, kAtom_getHours), 2);
  EXPECT_EQ(Get(d, kAtom_getMinutes), 2);
  EXPECT_EQ(Get(d, kAtom_getSeconds), 2);
  EXPECT_EQ(Get(d, kAtom_getMilliseconds), 1);
}

TEST_F(DateTest, UtcAndParseAnswerNumbers) {
  EXPECT_EQ(CallAtom(ctor_, kAtom_UTC, {Num(2000), Num(0), Num(2), Num(3), Num(4), Num(5),
                                          Num(6)}),
            kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeNumber);
  EXPECT_EQ(ResultNumber(), kSample);
  EXPECT_EQ(CallAtom(ctor_, kAtom_UTC, {Num(70), Num(0)}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 0);
  EXPECT_EQ(CallAtom(ctor_, kAtom_UTC, {Num(2000)}), kScriptBadParameterCount);
  EXPECT_EQ(CallAtom(ctor_, kAtom_parse, {Str(u"2000-01-02T03:04:05Z")}), kScriptOk);
  EXPECT_EQ(ResultNumber(), kSample - 6);
  EXPECT_EQ(CallAtom(ctor_, kAtom_parse, {Str(u"nonsense")}), kScriptCannotParse);
  EXPECT_EQ(CallAtom(ctor_, kAtom_parse, {}), kScriptBadParameterCount);
  // Date(...) called as itself gives the current time's text.
  devtest::SetClock(2026, 12, 9, 13, 5, 0);
  ScriptMemberRef self;
  self.owner = ctor_;
  EXPECT_EQ(Call(ctor_, self, {Num(1)}), kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeString);
  EXPECT_EQ(ResultText(), "Wed Dec 9 13:05:00 UTC+0000 2026");
  // The constructor's members and a date's are apart.
  Member(ctor_, kAtom_getTime, kScriptMemberUnknown);
  ScriptDateObject* d = New({Num(0)});
  Member(d, kAtom_UTC);
  EXPECT_EQ(CallAtom(d, kAtom_parse, {Str(u"x")}), kScriptInvalidType);
  Member(d, kAtom_fromCharCode, kScriptMemberUnknown);
}

TEST_F(DateTest, GettersOfValidAndInvalidDates) {
  ScriptDateObject* d = New({Num(kSample)});
  const struct {
    int32_t atom;
    double value;
  } fields[] = {{kAtom_getUTCFullYear, 2000}, {kAtom_getUTCMonth, 0},   {kAtom_getUTCDate, 2},
                {kAtom_getUTCHours, 3},       {kAtom_getUTCMinutes, 4}, {kAtom_getUTCSeconds, 5},
                {kAtom_getUTCMilliseconds, 6}, {kAtom_getUTCDay, 0},    {kAtom_getDay, 0},
                {kAtom_getTime, kSample},      {kAtom_valueOf, kSample}, {kAtom_getTimeZoneOffset, 0}};
  for (const auto& f : fields) EXPECT_EQ(Get(d, f.atom), f.value) << f.atom;
  EXPECT_EQ(CallAtom(d, kAtom_getTime, {Num(1)}), kScriptBadParameterCount);
  // setTime with NaN makes the date invalid: every getter gives NaN.
  EXPECT_EQ(CallAtom(d, kAtom_setTime, {Num(kNaN)}), kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeUndefined);
  for (int32_t atom = kAtom_getFullYear; atom <= kAtom_getTimeZoneOffset; ++atom) {
    if (atom == kAtom_getTimeZoneOffset || atom <= kAtom_getUTCDay) {
      EXPECT_TRUE(std::isnan(Get(d, atom))) << atom;
    }
  }
  EXPECT_TRUE(std::isnan(Get(d, kAtom_getTime)));
  EXPECT_EQ(Form(d, kAtom_toString), "NaN");
}

TEST_F(DateTest, SettersReplaceFieldsAndKeepTheOthers) {
  ScriptDateObject* d = New({Num(kSample)});
  const struct {
    int32_t atom;
    std::initializer_list<double> args;
    double expected;
  } steps[] = {
      {kAtom_setUTCFullYear, {2004}, 1073012645006.0},  // 2004-01-02 03:04:05.006
      {kAtom_setUTCMonth, {1, 29}, 1078023845006.0},    // 2004-02-29
      {kAtom_setUTCDate, {0}, 1075518245006.0},         // day 0 of February: 2004-01-31
      {kAtom_setUTCHours, {23, 59, 59, 999}, 1075593599999.0},
      {kAtom_setUTCMinutes, {0}, 1075590059999.0},
      {kAtom_setUTCSeconds, {0, 0}, 1075590000000.0},
      {kAtom_setUTCMilliseconds, {1500}, 1075590001500.0},
      {kAtom_setFullYear, {99}, 917823601500.0},        // year 99 is 1999
      {kAtom_setTime, {0.9}, 0},
  };
  for (const auto& s : steps) {
    for (double a : s.args) {
      ScriptValueHandle h = Num(a);
      ASSERT_EQ(*stack_.Push(&status_, &h), kScriptOk);
    }
    int32_t status = 0;
    store_.Release(&result_);
    result_ = kScriptUndefinedHandle;
    d->Invoke(&status, Member(d, s.atom), static_cast<uint32_t>(s.args.size()), &stack_,
              &result_);
    stack_.Pop(nullptr, static_cast<uint32_t>(s.args.size()));
    EXPECT_EQ(status, kScriptOk) << s.atom;
    EXPECT_EQ(ResultType(), kScriptTypeUndefined);
    EXPECT_EQ(d->Time().milliseconds, s.expected) << s.atom;
  }
  const struct {
    int32_t atom;
    uint32_t most;
  } counts[] = {{kAtom_setTime, 1},    {kAtom_setFullYear, 3}, {kAtom_setMonth, 2},
                {kAtom_setDate, 1},    {kAtom_setHours, 4},    {kAtom_setMinutes, 3},
                {kAtom_setSeconds, 2}, {kAtom_setMilliseconds, 1}, {kAtom_setUTCHours, 4}};
  for (const auto& c : counts) {
    EXPECT_EQ(CallAtom(d, c.atom, {}), kScriptBadParameterCount) << c.atom;
    for (uint32_t i = 0; i <= c.most; ++i) {
      ScriptValueHandle h = Num(1);
      ASSERT_EQ(*stack_.Push(&status_, &h), kScriptOk);
    }
    int32_t status = 0;
    d->Invoke(&status, Member(d, c.atom), c.most + 1, &stack_, &result_);
    stack_.Pop(nullptr, c.most + 1);
    EXPECT_EQ(status, kScriptBadParameterCount) << c.atom;
  }
}

TEST_F(DateTest, TextFormsAndConversions) {
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  ScriptDateObject* d = New({Num(kSample)});
  EXPECT_EQ(Form(d, kAtom_toString), "Sun Jan 2 04:04:05 UTC+0100 2000");
  EXPECT_EQ(Form(d, kAtom_toUTCString), "Sun, 2 Jan 2000 03:04:05 UTC");
  EXPECT_EQ(Form(d, kAtom_toDateString), "Sun Jan 2 2000");
  EXPECT_EQ(Form(d, kAtom_toTimeString), "04:04:05 UTC+0100");
  EXPECT_FALSE(Form(d, kAtom_toLocaleString).empty());
  // The date converts to its time as a number, and to its text otherwise.
  double x = 0;
  EXPECT_EQ(*store_.ToNumber(&status_, held_, &x), kScriptOk);
  EXPECT_EQ(x, kSample);
  int32_t i = 0;
  EXPECT_EQ(*store_.ToInteger(&status_, held_, &i), kScriptOk);
  EXPECT_EQ(i, static_cast<int32_t>(static_cast<int64_t>(kSample) % 4294967296LL));
  SharedWideString text;
  EXPECT_EQ(*store_.ToString(&status_, held_, &text, 0), kScriptOk);
  EXPECT_EQ(scripttest::Narrow(scripttest::Text(text)), "Sun Jan 2 04:04:05 UTC+0100 2000");
  // A date text is read back by the constructor.
  EXPECT_EQ(New({Str(scripttest::Text(text))})->Time().milliseconds, kSample - 6);
}

}  // namespace
