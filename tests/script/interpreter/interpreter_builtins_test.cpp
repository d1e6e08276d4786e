// The built-in objects that a global object receives (Math, eval, String,
// Date, Object), the stand-ins that answer until the built-ins exist, and
// the hook through which the built-ins' own objects replace them.
#include <gtest/gtest.h>

#include "script/values/atoms.h"
#include "script/objects/dynamic_object.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

using scripttest::Narrow;

namespace {

TEST(InterpreterBuiltins, GlobalObjectReceivesTheFive) {
  ScriptValueStore store;
  ScriptInterpreter interpreter;
  ScriptValueHandle global = kScriptEmptyHandle;
  int32_t status = kScriptOk;
  ASSERT_EQ(*InstallBuiltinObjects(&interpreter, &status, &store, &global, nullptr), kScriptOk);
  ScriptDynamicObject* object =
      static_cast<ScriptDynamicObject*>(store.GetObjectSlot(global)->ref.owner);
  ASSERT_NE(object, nullptr);
  for (const char16_t* name : {u"Math", u"eval", u"String", u"Date", u"Object"}) {
    int32_t index = object->FindMember(SharedWideString(name));
    ASSERT_GE(index, 0) << Narrow(name);
    EXPECT_EQ(ScriptHandleType(object->MemberValue(static_cast<uint32_t>(index))),
              kScriptTypeObject);
  }
  ScriptObjectSlot* eval = store.GetObjectSlot(
      object->MemberValue(static_cast<uint32_t>(object->FindMember(SharedWideString(u"eval")))));
  EXPECT_EQ(eval->ref.owner, nullptr);
  EXPECT_EQ(eval->ref.subCode, kScriptSubCodeEval);
  ScriptObjectSlot* math = store.GetObjectSlot(
      object->MemberValue(static_cast<uint32_t>(object->FindMember(SharedWideString(u"Math")))));
  EXPECT_EQ(math->ref.owner, interpreter.GetMathObject());
  ScriptObjectSlot* constructor = store.GetObjectSlot(
      object->MemberValue(static_cast<uint32_t>(object->FindMember(SharedWideString(u"Object")))));
  EXPECT_TRUE(static_cast<ScriptDynamicObject*>(constructor->ref.owner)->IsCallable());
  store.Release(&global);
}

TEST(InterpreterBuiltins, StandInsAnswerNotYetImplemented) {
  ScriptTestContext context;
  for (const char16_t* script :
       {u"d = new Date();", u"d = Date();", u"x = Math.abs(-1);", u"x = Math.PI + 1;",
        u"n = 'abc'.length;", u"s = String('x');", u"t = Object('text');"}) {
    EXPECT_EQ(context.Run(script).status, kScriptNotImplemented) << Narrow(script);
  }
  // The Object constructor itself is the engine's.
  ScriptRunOutcome r = context.Run(u"o = Object(); p = new Object(o); p.k = 1; Write(o.k);");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.output), "1\n");
  EXPECT_EQ(context.Run(u"o = Object(1, 2);").status, kScriptBadParameterCount);
}

// A String object for the hook test: it answers `length` (kAtom_length) of its
// text as a number.
class LengthOnlyString : public ScriptObject {
 public:
  explicit LengthOnlyString(uint32_t length) : length_(length) {}
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t) override {
    *status = kScriptMemberUnknown;
    if (ref->IsSelf() && name.atom == kAtom_length) {
      ref->owner = this;
      ref->subCode = kAtom_length;
      *status = kScriptOk;
    }
    return status;
  }
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t) override {
    if (ref.subCode != kAtom_length) {
      *status = kScriptCannotGet;
      return status;
    }
    store->Release(result);
    return store->NewNumber(status, length_, result);
  }
  void NotifyStore(int32_t event, ScriptValueStore*) override {
    if (event == kScriptStoreReleased) delete this;
  }

 private:
  uint32_t length_;
};

int gMathMade = 0;

// The Math of the hook test: a host-like object the interpreter owns (it
// detaches itself from the store when the interpreter deletes it).
ScriptObject* NewTestMath() {
  ++gMathMade;
  return new FakeScriptHost();
}

int32_t* WrapAsLength(int32_t* status, ScriptValueStore* store, ScriptValueHandle text,
                      ScriptValueHandle* result) {
  store->Release(result);
  ScriptObject* wrapper = new LengthOnlyString(store->GetStringSlot(text)->text.length);
  if (*store->NewObject(status, wrapper, result) != kScriptOk) delete wrapper;
  return status;
}

TEST(InterpreterBuiltins, HookReplacesTheStandIns) {
  ScriptBuiltinTable table = GetScriptBuiltinTable();
  table.newMath = &NewTestMath;
  table.wrapString = &WrapAsLength;
  SetScriptBuiltinTable(&table);
  gMathMade = 0;
  {
    ScriptTestContext context;
    EXPECT_EQ(gMathMade, 1);
    ScriptRunOutcome r = context.Run(u"s = 'abcd'; Write(s.length, ' ', 'xy'.length);");
    EXPECT_EQ(r.status, kScriptOk);
    EXPECT_EQ(Narrow(r.output), "4 2\n");
  }
  SetScriptBuiltinTable(nullptr);
  ScriptTestContext context;
  EXPECT_EQ(context.Run(u"n = 'abc'.length;").status, kScriptNotImplemented);
}

}  // namespace
