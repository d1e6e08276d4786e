// The stand-in global object (the global names answered by the object, other
// names kept as members made at run time, built-in names that cannot be
// assigned) and the installer that stores Math, eval, String, Date and
// Object in a global object.
#include <gtest/gtest.h>

#include "builtin_test_support.h"
#include "platform/testing/allocation.h"
#include "script/values/atoms.h"
#include "script/builtins/builtin_global_object.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/builtins/date_object.h"
#include "script/builtins/math_object.h"
#include "script/builtins/string_object.h"

namespace {

using scripttest::Wide;

class GlobalTest : public scripttest::BuiltinFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(*store_.NewObject(&status_, &global_, &globalValue_), kScriptOk);
  }
  void TearDown() override {
    store_.Release(&globalValue_);
    BuiltinFixture::TearDown();
  }
  ScriptMemberRef Named(const std::u16string& name, uint8_t create, int32_t expect) {
    ScriptNameToken token;
    token.SetText(Wide(name));
    ScriptMemberRef ref;
    ref.owner = &global_;
    int32_t status = 0;
    EXPECT_EQ(*global_.ResolveMember(&status, token, &ref, create), expect);
    return ref;
  }

  ScriptMathObject math_;
  ScriptGlobalObject global_;
  ScriptValueHandle globalValue_ = kScriptEmptyHandle;
};

TEST_F(GlobalTest, GlobalNamesAreAnsweredByTheObject) {
  ScriptMemberRef ref = Member(&global_, kAtom_parseInt);
  EXPECT_EQ(ref.memberCode, -1);
  EXPECT_EQ(ref.subCode, kAtom_parseInt);
  EXPECT_EQ(Call(&global_, ref, {Str(u"ff"), Num(16)}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 255);
  EXPECT_EQ(CallAtom(&global_, kAtom_isNaN, {Str(u"x")}), kScriptOk);
  EXPECT_EQ(ResultText(), "true");
  int32_t status = 0;
  EXPECT_EQ(*global_.GetMemberValue(&status, Member(&global_, kAtom_Infinity), &store_, &result_,
                                    15),
            kScriptOk);
  EXPECT_EQ(ResultText(), "Infinity");
  EXPECT_EQ(*global_.GetMemberValue(&status, Member(&global_, kAtom_undefined), &store_, &result_,
                                    15),
            kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeUndefined);
  // Assigning to a global name, or to the object itself, is refused.
  ScriptValueHandle one = Int(1);
  EXPECT_EQ(*global_.SetMemberValue(&status, Member(&global_, kAtom_NaN), &store_, one),
            kScriptBadMemberCode);
  ScriptMemberRef self;
  self.owner = &global_;
  EXPECT_EQ(*global_.SetMemberValue(&status, self, &store_, one), kScriptBadMemberCode);
  EXPECT_EQ(*global_.GetMemberValue(&status, self, &store_, &result_, 15), kScriptCannotGet);
  store_.Release(&one);
  // A name that is not global is not callable.
  EXPECT_EQ(Call(&global_, self, {}), kScriptMemberUnknown);
}

TEST_F(GlobalTest, OtherNamesAreMembersMadeAtRunTime) {
  Named(u"total", 0, kScriptMemberUnknown);
  ScriptMemberRef ref = Named(u"total", 1, kScriptOk);
  EXPECT_EQ(ref.memberCode, ScriptGlobalObject::kGlobalDynamicBase);
  int32_t status = 0;
  EXPECT_EQ(*global_.GetMemberValue(&status, ref, &store_, &result_, 15), kScriptCannotGet);
  ScriptValueHandle five = Int(5);
  EXPECT_EQ(*global_.SetMemberValue(&status, ref, &store_, five), kScriptOk);
  store_.Release(&five);
  EXPECT_EQ(*global_.GetMemberValue(&status, Named(u"total", 0, kScriptOk), &store_, &result_, 15),
            kScriptOk);
  EXPECT_EQ(ResultNumber(), 5);
  SharedWideString name;
  EXPECT_EQ(*global_.EnumerateMember(&status, 0, &ref, &name), kScriptOk);
  EXPECT_EQ(scripttest::Text(name), u"total");
  EXPECT_EQ(ref.memberCode, ScriptGlobalObject::kGlobalDynamicBase);
  EXPECT_EQ(*global_.EnumerateMember(&status, 1, &ref, &name), kScriptMemberUnknown);
  // A member holding a number cannot be called.
  EXPECT_EQ(Call(&global_, Named(u"total", 0, kScriptOk), {}), kScriptInvalidType);
}

TEST_F(GlobalTest, InterpreterInstallsTheRealBuiltins) {
  ScriptInterpreter interpreter;
  ASSERT_NE(interpreter.GetMathObject(), nullptr);
  ScriptValueHandle global = kScriptEmptyHandle;
  ASSERT_EQ(*InstallBuiltinObjects(&interpreter, &status_, &store_, &global, &global_), kScriptOk);
  const char16_t* names[] = {u"Math", u"eval", u"String", u"Date", u"Object"};
  ASSERT_EQ(global_.MemberCount(), 5u);
  for (uint32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(scripttest::Text(global_.MemberName(i)), names[i]);
  }
  EXPECT_NE(dynamic_cast<ScriptMathObject*>(interpreter.GetMathObject()), nullptr);
  EXPECT_TRUE(static_cast<ScriptStringObject*>(
                  store_.GetObjectSlot(global_.MemberValue(2))->ref.owner)
                  ->IsConstructor());
  EXPECT_TRUE(static_cast<ScriptDateObject*>(
                  store_.GetObjectSlot(global_.MemberValue(3))->ref.owner)
                  ->IsConstructor());
  auto* object =
      static_cast<ScriptDynamicObject*>(store_.GetObjectSlot(global_.MemberValue(4))->ref.owner);
  // Object("x") makes a String object.
  ScriptMemberRef self;
  self.owner = object;
  EXPECT_EQ(Call(object, self, {Str(u"xy")}), kScriptOk);
  auto* wrapped = static_cast<ScriptStringObject*>(store_.GetObjectSlot(result_)->ref.owner);
  EXPECT_EQ(scripttest::Text(wrapped->Text()), u"xy");
  store_.Release(&result_);
  store_.Release(&global);
  global_.ReleaseMembers();
}

TEST(MathOwnership, MathOutlivesOrPrecedesItsStore) {
  // The interpreter deletes its Math object: a store that still holds it is
  // told nothing more, and a store that went first leaves nothing behind.
  auto* math = new ScriptMathObject();
  {
    ScriptValueStore store;
    ScriptValueHandle value = kScriptEmptyHandle;
    int32_t status = 0;
    ASSERT_EQ(*store.NewObject(&status, math, &value), kScriptOk);
    ScriptValueHandle copy = kScriptEmptyHandle;
    store.CopyValue(value, &copy);
    store.Release(&value);
    delete math;  // detaches itself from the slot that still holds it
    EXPECT_EQ(store.AttachedObjectCount(), 0u);
    store.Release(&copy);
  }
  ScriptMathObject survivor;
  {
    ScriptValueStore store;
    ScriptValueHandle value = kScriptEmptyHandle;
    int32_t status = 0;
    ASSERT_EQ(*store.NewObject(&status, &survivor, &value), kScriptOk);
  }
}

}  // namespace
