// Helpers of the built-in object tests: a store and an operand stack on
// which a test pushes arguments, resolves a member of a built-in by atom and
// calls it, then reads the answer as a number or a text.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "script/frames/operand_stack.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"

namespace scripttest {

class BuiltinFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    stack_.Pop(nullptr, stack_.Depth());
    store_.Release(&result_);
  }

  // Values to pass as arguments (each owned by the caller until Call).
  ScriptValueHandle Num(double x) {
    ScriptValueHandle h = kScriptEmptyHandle;
    EXPECT_EQ(*store_.NewNumber(&status_, x, &h), kScriptOk);
    return h;
  }
  ScriptValueHandle Int(int32_t x) {
    ScriptValueHandle h = kScriptEmptyHandle;
    EXPECT_EQ(*store_.NewInteger(&status_, x, &h), kScriptOk);
    return h;
  }
  ScriptValueHandle Str(const std::u16string& text) {
    ScriptValueHandle h = kScriptEmptyHandle;
    EXPECT_EQ(*store_.NewString(&status_, Wide(text), &h), kScriptOk);
    return h;
  }
  ScriptValueHandle Bool(bool b) {
    ScriptValueHandle h = kScriptEmptyHandle;
    EXPECT_EQ(*store_.NewBoolean(&status_, b ? 1 : 0, &h), kScriptOk);
    return h;
  }
  static ScriptValueHandle Undef() { return kScriptUndefinedHandle; }

  // The reference to member `atom` of the object (resolved by the object;
  // an unresolved member keeps {object, -1, atom} so that calls reach it).
  ScriptMemberRef Member(ScriptObject* object, int32_t atom, int32_t expect = kScriptOk) {
    ScriptMemberRef ref;
    ref.owner = object;
    ScriptNameToken name;
    name.SetAtom(atom);
    int32_t status = 0;
    EXPECT_EQ(*object->ResolveMember(&status, name, &ref, 0), expect) << "atom " << atom;
    return ref;
  }

  // Pushes the arguments, invokes, pops them; the answer stays in result_.
  int32_t Call(ScriptObject* object, const ScriptMemberRef& ref,
               std::initializer_list<ScriptValueHandle> args) {
    for (ScriptValueHandle h : args) {
      ScriptValueHandle moved = h;
      EXPECT_EQ(*stack_.Push(&status_, &moved), kScriptOk);
    }
    store_.Release(&result_);
    result_ = kScriptUndefinedHandle;
    int32_t status = 0;
    object->Invoke(&status, ref, static_cast<uint32_t>(args.size()), &stack_, &result_);
    stack_.Pop(nullptr, static_cast<uint32_t>(args.size()));
    EXPECT_EQ(stack_.Depth(), 0u);
    return status;
  }
  int32_t CallAtom(ScriptObject* object, int32_t atom,
                   std::initializer_list<ScriptValueHandle> args) {
    return Call(object, Member(object, atom), args);
  }

  // The answer read back.
  int32_t ResultType() const { return ScriptHandleType(result_); }
  double ResultNumber() {
    double x = 0;
    EXPECT_EQ(*store_.ToNumber(&status_, result_, &x), kScriptOk);
    return x;
  }
  std::string ResultText() { return Narrow(ResultWide()); }
  std::u16string ResultWide() {
    SharedWideString text;
    EXPECT_EQ(*store_.ToString(&status_, result_, &text, 0), kScriptOk);
    return Text(text);
  }

  ScriptValueStore store_;
  ScriptOperandStack stack_{&store_};
  ScriptValueHandle result_ = kScriptUndefinedHandle;
  int32_t status_ = 0;
};

}  // namespace scripttest
