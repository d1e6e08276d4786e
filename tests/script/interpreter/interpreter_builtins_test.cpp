// The built-in objects that a global object receives (Math, eval, String,
// Date, Object): the real ones, in every interpreter from its construction.
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

TEST(InterpreterBuiltins, EveryInterpreterHasTheRealBuiltins) {
  // No table to install: a new context answers Math, String and Date at once.
  ScriptTestContext context;
  const struct {
    const char16_t* script;
    const char* output;
  } cases[] = {
      {u"d = new Date(0); Write(d.getTime());", "0\n"},
      {u"Write(Date.UTC(2000, 0, 2));", "946771200000\n"},
      {u"Write(Math.abs(-1), ' ', Math.floor(Math.PI));", "1 3\n"},
      {u"Write('abc'.length, ' ', 'abc'.charAt(1));", "3 b\n"},
      {u"s = String('x'); Write(s.toUpperCase());", "X\n"},
      {u"t = Object('text'); Write(t.indexOf('x'));", "2\n"},
      // The Object constructor itself is the engine's.
      {u"o = Object(); p = new Object(o); p.k = 1; Write(o.k);", "1\n"},
  };
  for (const auto& c : cases) {
    ScriptRunOutcome r = context.Run(c.script);
    EXPECT_EQ(r.status, kScriptOk) << Narrow(c.script);
    EXPECT_EQ(Narrow(r.output), c.output) << Narrow(c.script);
  }
  EXPECT_EQ(context.Run(u"o = Object(1, 2);").status, kScriptBadParameterCount);
}

}  // namespace
