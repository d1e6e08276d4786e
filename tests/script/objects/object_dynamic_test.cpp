// Script objects: the interface's defaults, name tokens, and the dynamic
// object (members made at run time, the callable Object constructor, member
// codes compared without sign, renewing names), with the operand stack that
// carries call arguments.
#include <gtest/gtest.h>

#include "platform/testing/allocation.h"
#include "script/values/atoms.h"
#include "script/objects/dynamic_object.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::RecordingObject;
using scripttest::Text;
using scripttest::Wide;

ScriptNameToken Token(const std::u16string& text) {
  ScriptNameToken token;
  token.SetText(Wide(text));
  return token;
}

// A plain object held by one value of a store, released at the end.
class DynamicObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(*store_.NewPlainObject(&status_, &value_), kScriptOk);
    object_ = static_cast<ScriptDynamicObject*>(store_.GetObjectSlot(value_)->ref.owner);
  }
  void TearDown() override { store_.Release(&value_); }

  ScriptMemberRef Resolve(const std::u16string& name, uint8_t create, int32_t expected) {
    ScriptMemberRef ref;
    ref.owner = object_;
    EXPECT_EQ(*object_->ResolveMember(&status_, Token(name), &ref, create), expected);
    return ref;
  }

  ScriptValueStore store_;
  int32_t status_ = 0;
  ScriptValueHandle value_ = kScriptEmptyHandle;
  ScriptDynamicObject* object_ = nullptr;
};

TEST(ScriptObjectDefaults, AnswerAsAnObjectWithoutMembers) {
  ScriptObject object;
  ScriptValueStore store;
  int32_t status = 0;
  ScriptMemberRef ref;
  SharedWideString name;
  ScriptValueHandle result = kScriptUndefinedHandle;
  EXPECT_EQ(object.GetKind(), kScriptObjectKindHost);
  EXPECT_EQ(*object.ResolveMember(&status, Token(u"x"), &ref, 1), kScriptMemberUnknown);
  EXPECT_EQ(*object.EnumerateMember(&status, 0, &ref, &name), kScriptMemberUnknown);
  EXPECT_EQ(*object.Invoke(&status, ref, 0, nullptr, &result), kScriptInvalidType);
  EXPECT_EQ(*object.SetMemberValue(&status, ref, &store, result), kScriptCannotSet);
  EXPECT_EQ(*object.GetMemberValue(&status, ref, &store, &result, kScriptTypeAny),
            kScriptCannotGet);
  EXPECT_FALSE(object.AnswerFlag(0));
  EXPECT_FALSE(object.AnswerFlag(1));
  object.NotifyStore(kScriptStoreAttached, &store);
}

TEST(ScriptNameToken, Building) {
  ScriptNameToken token = Token(u"length");
  EXPECT_EQ(token.atom, kAtom_length);
  EXPECT_FALSE(token.IsIndex());
  token = Token(u"myVariable");
  EXPECT_EQ(token.atom, 0);
  EXPECT_EQ(Text(token.text), u"myVariable");
  token = Token(u"remove");
  EXPECT_EQ(token.atom, kAtom_remove);
  token.SetAtom(kAtom_getTime);
  EXPECT_EQ(Text(token.text), u"getTime");
  token.SetAtom(2000);
  EXPECT_EQ(token.text.length, 0u);
  token.SetIndex(12);
  EXPECT_TRUE(token.IsIndex());
  EXPECT_EQ(token.Index(), 12);
  EXPECT_EQ(token.text.length, 0u);
  ASSERT_TRUE(token.SetChars(u"Math", 4));
  EXPECT_EQ(token.atom, kAtom_Math);
  EXPECT_EQ(Text(token.text), u"Math");
}

TEST_F(DynamicObjectTest, CreatedMemberHoldsNoValueUntilAssigned) {
  EXPECT_EQ(object_->GetKind(), kScriptObjectKindDynamic);
  Resolve(u"a", 0, kScriptMemberUnknown);
  ScriptMemberRef ref = Resolve(u"a", 1, kScriptOk);
  EXPECT_EQ(ref.owner, object_);
  EXPECT_EQ(ref.memberCode, 0);
  EXPECT_EQ(ref.subCode, 0);
  EXPECT_EQ(ref.resolved, 1);
  ScriptValueHandle result = kScriptUndefinedHandle;
  EXPECT_EQ(*object_->GetMemberValue(&status_, ref, &store_, &result, kScriptTypeAny),
            kScriptCannotGet);

  ScriptValueHandle three = kScriptEmptyHandle;
  store_.NewInteger(&status_, 3, &three);
  ASSERT_EQ(*object_->SetMemberValue(&status_, ref, &store_, three), kScriptOk);
  store_.Release(&three);
  ASSERT_EQ(*object_->GetMemberValue(&status_, ref, &store_, &result, kScriptTypeString),
            kScriptOk);
  EXPECT_EQ(scripttest::IntegerIn(result), 3);  // the wanted type is not used
  store_.Release(&result);

  // Found again at the same index; a second name goes after it.
  EXPECT_EQ(Resolve(u"a", 0, kScriptOk).memberCode, 0);
  EXPECT_EQ(Resolve(u"b", 1, kScriptOk).memberCode, 1);
  EXPECT_EQ(Resolve(u"A", 0, kScriptMemberUnknown).memberCode, -1);  // exact text
}

TEST_F(DynamicObjectTest, MembersStartUndefinedWhenAsked) {
  object_->SetMembersStartUndefined(true);
  ScriptMemberRef ref = Resolve(u"u", 1, kScriptOk);
  ScriptValueHandle result = kScriptEmptyHandle;
  ASSERT_EQ(*object_->GetMemberValue(&status_, ref, &store_, &result, kScriptTypeAny), kScriptOk);
  EXPECT_EQ(result, kScriptUndefinedHandle);
}

TEST_F(DynamicObjectTest, EmptyNamesAndIntegerKeysCannotBeMembers) {
  Resolve(u"", 1, kScriptNoMemory);
  ScriptNameToken key;
  key.SetIndex(0);
  ScriptMemberRef ref;
  ref.owner = object_;
  EXPECT_EQ(*object_->ResolveMember(&status_, key, &ref, 1), kScriptNoMemory);
  EXPECT_EQ(*object_->ResolveMember(&status_, key, &ref, 0), kScriptMemberUnknown);
  EXPECT_EQ(object_->MemberCount(), 0u);
}

TEST_F(DynamicObjectTest, OnlyReferencesToItselfResolve) {
  ScriptMemberRef ref = Resolve(u"a", 1, kScriptOk);
  EXPECT_EQ(*object_->ResolveMember(&status_, Token(u"b"), &ref, 1), kScriptMemberUnknown);
  ScriptMemberRef builtin{object_, -1, kAtom_toString, 0};
  EXPECT_EQ(*object_->ResolveMember(&status_, Token(u"b"), &builtin, 1), kScriptMemberUnknown);
}

TEST_F(DynamicObjectTest, EnumeratesInCreationOrder) {
  for (const char16_t* name : {u"zeta", u"alpha", u"mid"}) Resolve(name, 1, kScriptOk);
  const std::u16string expected[] = {u"zeta", u"alpha", u"mid"};
  for (int32_t i = 0; i < 3; ++i) {
    ScriptMemberRef ref;
    SharedWideString name;
    ASSERT_EQ(*object_->EnumerateMember(&status_, i, &ref, &name), kScriptOk);
    EXPECT_EQ(Text(name), expected[i]);
    EXPECT_EQ(ref.memberCode, i);
    EXPECT_EQ(ref.owner, object_);
  }
  ScriptMemberRef ref;
  SharedWideString name;
  EXPECT_EQ(*object_->EnumerateMember(&status_, 3, &ref, &name), kScriptMemberUnknown);
  EXPECT_EQ(*object_->EnumerateMember(&status_, -1, &ref, &name), kScriptMemberUnknown);
}

// The object itself (member code -1) and codes past the members give 25,
// as does a built-in member's sub-code.
TEST_F(DynamicObjectTest, MemberCodesComparedWithoutSign) {
  Resolve(u"a", 1, kScriptOk);
  ScriptValueHandle one = kScriptEmptyHandle;
  store_.NewInteger(&status_, 1, &one);
  ScriptValueHandle result = kScriptEmptyHandle;
  for (ScriptMemberRef ref : {ScriptMemberRef{object_, -1, 0, 0}, ScriptMemberRef{object_, 1, 0, 0},
                              ScriptMemberRef{object_, INT32_MIN, 0, 0},
                              ScriptMemberRef{object_, 0, kAtom_length, 0}}) {
    EXPECT_EQ(*object_->SetMemberValue(&status_, ref, &store_, one), kScriptBadMemberCode);
    EXPECT_EQ(*object_->GetMemberValue(&status_, ref, &store_, &result, kScriptTypeAny),
              kScriptBadMemberCode);
  }
  // So converting the object itself to text fails with 25 instead of reading
  // member -1.
  SharedWideString text;
  EXPECT_EQ(*store_.ToString(&status_, value_, &text, 0), kScriptBadMemberCode);
  store_.Release(&one);
}

TEST_F(DynamicObjectTest, AssignmentReleasesTheOldValue) {
  ScriptMemberRef ref = Resolve(u"s", 1, kScriptOk);
  ScriptValueHandle first = kScriptEmptyHandle;
  store_.NewString(&status_, Wide(u"first"), &first);
  object_->SetMemberValue(&status_, ref, &store_, first);
  store_.Release(&first);
  EXPECT_EQ(store_.ReferenceTotal(kScriptTypeString), 1u);
  ScriptValueHandle second = kScriptEmptyHandle;
  store_.NewNumber(&status_, 2, &second);
  object_->SetMemberValue(&status_, ref, &store_, second);
  EXPECT_EQ(store_.ReferenceTotal(kScriptTypeString), 0u);
  // Storing the value the member already holds keeps it alive.
  ScriptValueHandle held = object_->MemberValue(0);
  object_->SetMemberValue(&status_, ref, &store_, held);
  EXPECT_EQ(scripttest::NumberIn(held), 2.0);
  store_.Release(&second);
  EXPECT_EQ(object_->MemberValue(0), MakeScriptNumberHandle(2.0));
}

TEST_F(DynamicObjectTest, RenewingANameKeepsTheOldEntry) {
  ScriptMemberRef ref = Resolve(u"p", 1, kScriptOk);
  ScriptValueHandle v = kScriptEmptyHandle;
  store_.NewInteger(&status_, 10, &v);
  object_->SetMemberValue(&status_, ref, &store_, v);
  store_.Release(&v);
  EXPECT_EQ(object_->AddMember(Wide(u"p"), false), 0);
  EXPECT_EQ(object_->AddMember(Wide(u"p"), true), 1);
  EXPECT_EQ(object_->MemberName(0).length, 0u);
  EXPECT_EQ(scripttest::IntegerIn(object_->MemberValue(0)), 10);  // old value kept
  EXPECT_EQ(object_->MemberValue(1), kScriptUndefinedHandle);
  EXPECT_EQ(Resolve(u"p", 0, kScriptOk).memberCode, 1);
  EXPECT_EQ(object_->AddMember(SharedWideString(), true), -1);
}

TEST_F(DynamicObjectTest, AddingUnderLackOfMemoryChangesNothing) {
  for (int i = 0; i < 8; ++i) {
    Resolve(u"m" + std::u16string(1, static_cast<char16_t>(u'0' + i)), 1, kScriptOk);
  }
  ScriptNameToken ninth = Token(u"ninth");
  ScriptMemberRef ref;
  ref.owner = object_;
  {
    devtest::AllocationFailure fail(1, true);  // the ninth member needs new blocks
    EXPECT_EQ(*object_->ResolveMember(&status_, ninth, &ref, 1), kScriptNoMemory);
  }
  EXPECT_EQ(object_->MemberCount(), 8u);
  Resolve(u"ninth", 0, kScriptMemberUnknown);
  EXPECT_EQ(Resolve(u"ninth", 1, kScriptOk).memberCode, 8);
}

// Long member lists are searched through a hash index: every name must
// still be found at its own index, renewed names at their newest entry, also
// after the list was emptied and filled again. (A lack of memory for the
// index is met in AddingUnderLackOfMemoryChangesNothing.)
TEST_F(DynamicObjectTest, ManyMembersFoundByName) {
  auto name = [](int i) { return u"member" + std::u16string(1, static_cast<char16_t>(u'A' + i)); };
  for (int i = 0; i < 40; ++i) EXPECT_EQ(Resolve(name(i), 1, kScriptOk).memberCode, i);
  EXPECT_EQ(object_->AddMember(Wide(name(3)), true), 40);  // renewed past the index's start
  EXPECT_EQ(object_->AddMember(Wide(name(30)), false), 30);
  auto check = [&] {
    for (int i = 0; i < 40; ++i) {
      EXPECT_EQ(Resolve(name(i), 0, kScriptOk).memberCode, i == 3 ? 40 : i) << i;
    }
    Resolve(u"memberZZ", 0, kScriptMemberUnknown);
    Resolve(u"member", 0, kScriptMemberUnknown);
  };
  check();
  EXPECT_EQ(object_->AddMember(Wide(u"late"), false), 41);
  check();
  EXPECT_EQ(Resolve(u"late", 0, kScriptOk).memberCode, 41);
  // Emptied and filled again, the object indexes its new list.
  object_->ReleaseMembers();
  Resolve(name(0), 0, kScriptMemberUnknown);
  for (int i = 39; i >= 0; --i) EXPECT_EQ(object_->AddMember(Wide(name(i)), false), 39 - i);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(Resolve(name(i), 0, kScriptOk).memberCode, 39 - i);
}

TEST_F(DynamicObjectTest, SetMemberByName) {
  ScriptValueHandle v = kScriptEmptyHandle;
  store_.NewBoolean(&status_, 1, &v);
  ASSERT_EQ(*SetScriptMemberByName(&status_, &store_, object_, Wide(u"flag"), v), kScriptOk);
  ASSERT_EQ(*SetScriptMemberByName(&status_, &store_, object_, Wide(u"flag"), v), kScriptOk);
  EXPECT_EQ(object_->MemberCount(), 1u);
  EXPECT_EQ(*SetScriptMemberByName(&status_, &store_, object_, SharedWideString(), v),
            kScriptNoMemory);
  // The empty handle clears a member's value.
  ASSERT_EQ(*SetScriptMemberByName(&status_, &store_, object_, Wide(u"flag"), kScriptEmptyHandle),
            kScriptOk);
  EXPECT_EQ(object_->MemberValue(0), kScriptEmptyHandle);
  store_.Release(&v);
  EXPECT_EQ(store_.ReferenceTotal(kScriptTypeBoolean), 0u);
}

// Reading a member into the handle that holds the last value of the object
// itself: the object goes away during the read, after the copy is taken.
TEST(ScriptDynamicObject, ReadIntoTheLastValueOfItself) {
  ScriptValueStore store;
  int32_t status = 0;
  ScriptValueHandle result = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewPlainObject(&status, &result), kScriptOk);
  ScriptObject* object = store.GetObjectSlot(result)->ref.owner;
  ScriptValueHandle five = kScriptEmptyHandle;
  store.NewInteger(&status, 5, &five);
  ASSERT_EQ(*SetScriptMemberByName(&status, &store, object, Wide(u"x"), five), kScriptOk);
  store.Release(&five);
  ASSERT_EQ(*object->GetMemberValue(&status, ScriptMemberRef{object, 0, 0, 1}, &store, &result,
                                    kScriptTypeAny),
            kScriptOk);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);  // deleted by now
  ASSERT_EQ(ScriptHandleType(result), kScriptTypeInteger);
  EXPECT_EQ(scripttest::IntegerIn(result), 5);
  store.Release(&result);
}

// A released plain object is kept for the next one the store makes, which
// starts empty and as new, whatever the old one held (members past those
// kept inside the object, a member holding another plain object).
TEST(ScriptDynamicObject, ReleasedPlainObjectsAreReusedEmpty) {
  ScriptValueStore store;
  int32_t status = 0;
  ScriptValueHandle first = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewPlainObject(&status, &first), kScriptOk);
  auto* object = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(first)->ref.owner);
  object->SetMembersStartUndefined(true);
  ScriptValueHandle inner = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewPlainObject(&status, &inner), kScriptOk);
  ScriptValueHandle text = kScriptEmptyHandle;
  store.NewString(&status, Wide(u"kept"), &text);
  for (const char16_t* name : {u"a", u"b", u"c", u"d", u"e"}) {
    ASSERT_EQ(*SetScriptMemberByName(&status, &store, object, Wide(name), text), kScriptOk);
  }
  ASSERT_EQ(*SetScriptMemberByName(&status, &store, object, Wide(u"inner"), inner), kScriptOk);
  store.Release(&inner);
  store.Release(&text);
  EXPECT_EQ(object->MemberCount(), 6u);
  EXPECT_EQ(Text(object->MemberName(5)), u"inner");
  store.Release(&first);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 0u);

  ScriptValueHandle again = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewPlainObject(&status, &again), kScriptOk);
  auto* reused = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(again)->ref.owner);
  EXPECT_EQ(reused->MemberCount(), 0u);
  ScriptMemberRef ref{reused, -1, 0, 0};
  ScriptNameToken token;
  token.SetText(Wide(u"a"));
  ASSERT_EQ(*reused->ResolveMember(&status, token, &ref, 1), kScriptOk);
  ScriptValueHandle value = kScriptEmptyHandle;
  EXPECT_EQ(*reused->GetMemberValue(&status, ref, &store, &value, kScriptTypeAny),
            kScriptCannotGet);  // members start empty again
  store.Release(&again);
}

// ---- The callable Object constructor

int32_t* WrapAsRecorder(int32_t* status, ScriptValueStore* store, ScriptValueHandle text,
                        ScriptValueHandle* result) {
  // Stands for the String built-in: an object value whose owner answers the
  // text.
  auto* wrapper = new RecordingObject;
  wrapper->deleteOnRelease = true;
  wrapper->store = store;
  store->CopyValue(text, &wrapper->answer);
  store->Release(result);
  return store->NewObject(status, wrapper, result);
}

class ObjectConstructorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptDynamicObject* callable = ScriptDynamicObject::ConstructCallable(WrapAsRecorder);
    ASSERT_NE(callable, nullptr);
    ASSERT_EQ(*store_.NewObject(&status_, callable, &constructor_), kScriptOk);
    callable_ = callable;
    stack_.SetStore(&store_);
  }
  void TearDown() override {
    stack_.Pop(nullptr, stack_.Depth());
    store_.Release(&constructor_);
  }

  // Calls the constructor's construct member with the given arguments pushed.
  int32_t Call(std::vector<ScriptValueHandle> arguments, ScriptValueHandle* result) {
    for (ScriptValueHandle& a : arguments) {
      stack_.Push(&status_, &a);
      EXPECT_EQ(status_, kScriptOk);
    }
    ScriptMemberRef ref{callable_, -1, kScriptSubCodeConstruct, 0};
    *result = kScriptUndefinedHandle;
    uint32_t depth = stack_.Depth();
    int32_t status = -1;
    callable_->Invoke(&status, ref, static_cast<uint32_t>(arguments.size()), &stack_, result);
    EXPECT_EQ(stack_.Depth(), depth);  // the callee pops nothing
    stack_.Pop(nullptr, static_cast<uint32_t>(arguments.size()));
    return status;
  }

  ScriptValueStore store_;
  ScriptOperandStack stack_;
  int32_t status_ = 0;
  ScriptValueHandle constructor_ = kScriptEmptyHandle;
  ScriptDynamicObject* callable_ = nullptr;
};

TEST_F(ObjectConstructorTest, ResolvesOnlyTheConstructMember) {
  EXPECT_TRUE(callable_->IsCallable());
  ScriptMemberRef ref{callable_, -1, 0, 0};
  ScriptNameToken construct;
  construct.SetAtom(kAtomConstruct);
  ASSERT_EQ(*callable_->ResolveMember(&status_, construct, &ref, 0), kScriptOk);
  EXPECT_EQ(ref.subCode, kScriptSubCodeConstruct);
  EXPECT_EQ(ref.memberCode, -1);
  ScriptMemberRef other{callable_, -1, 0, 0};
  EXPECT_EQ(*callable_->ResolveMember(&status_, Token(u"x"), &other, 1), kScriptMemberUnknown);
  EXPECT_EQ(callable_->MemberCount(), 0u);
}

TEST_F(ObjectConstructorTest, Arguments) {
  ScriptValueHandle result;
  ScriptValueHandle a, b;
  store_.NewInteger(&status_, 1, &a);
  store_.NewInteger(&status_, 2, &b);
  EXPECT_EQ(Call({a, b}, &result), kScriptBadParameterCount);
  EXPECT_EQ(result, kScriptUndefinedHandle);

  store_.NewNumber(&status_, 1.5, &a);
  EXPECT_EQ(Call({a}, &result), kScriptNotImplemented);
  store_.NewBoolean(&status_, 1, &a);
  EXPECT_EQ(Call({a}, &result), kScriptNotImplemented);

  // No argument, an integer or undefined: a new empty plain object.
  store_.NewInteger(&status_, 5, &a);
  for (std::vector<ScriptValueHandle> args :
       {std::vector<ScriptValueHandle>{}, std::vector<ScriptValueHandle>{a},
        std::vector<ScriptValueHandle>{kScriptUndefinedHandle}}) {
    ASSERT_EQ(Call(args, &result), kScriptOk);
    ScriptObjectSlot* slot = store_.GetObjectSlot(result);
    ASSERT_NE(slot, nullptr);
    auto* made = static_cast<ScriptDynamicObject*>(slot->ref.owner);
    EXPECT_TRUE(made->IsOwnedByStore());
    EXPECT_FALSE(made->IsCallable());
    EXPECT_EQ(made->MemberCount(), 0u);
    store_.Release(&result);
  }
  EXPECT_EQ(store_.AttachedObjectCount(), 1u);  // only the constructor
}

TEST_F(ObjectConstructorTest, ObjectAndStringArguments) {
  ScriptValueHandle plain, result;
  store_.NewPlainObject(&status_, &plain);
  ScriptValueHandle pushed = kScriptEmptyHandle;
  store_.CopyValue(plain, &pushed);
  ASSERT_EQ(Call({pushed}, &result), kScriptOk);
  EXPECT_EQ(result, plain);  // the object itself
  store_.Release(&result);

  ScriptValueHandle text;
  store_.NewString(&status_, Wide(u"abc"), &text);
  ASSERT_EQ(Call({text}, &result), kScriptOk);
  SharedWideString out;
  ASSERT_EQ(*store_.ToString(&status_, result, &out, 0), kScriptOk);
  EXPECT_EQ(Text(out), u"abc");
  store_.Release(&result);
  store_.Release(&plain);

  // A member reference argument is read first.
  store_.NewPlainObject(&status_, &plain);
  auto* holder = store_.GetObjectSlot(plain)->ref.owner;
  ScriptValueHandle seven;
  store_.NewInteger(&status_, 7, &seven);
  SetScriptMemberByName(&status_, &store_, holder, Wide(u"n"), seven);
  store_.Release(&seven);
  ScriptValueHandle member;
  store_.NewReference(&status_, ScriptMemberRef{holder, 0, 0, 1}, &member);
  ASSERT_EQ(Call({member}, &result), kScriptOk);  // an integer: a new object
  EXPECT_NE(store_.GetObjectSlot(result)->ref.owner, holder);
  store_.Release(&result);
  store_.Release(&plain);
}

TEST_F(ObjectConstructorTest, WithoutStringWrapperAndOnOtherMembers) {
  ScriptDynamicObject* bare = ScriptDynamicObject::ConstructCallable(nullptr);
  ASSERT_NE(bare, nullptr);
  ScriptValueHandle bareValue;
  store_.NewObject(&status_, bare, &bareValue);
  ScriptValueHandle text;
  store_.NewString(&status_, Wide(u"abc"), &text);
  stack_.Push(&status_, &text);
  ScriptValueHandle result = kScriptUndefinedHandle;
  EXPECT_EQ(*bare->Invoke(&status_, ScriptMemberRef{bare, -1, 0, 0}, 1, &stack_, &result),
            kScriptNotImplemented);
  EXPECT_EQ(*bare->Invoke(&status_, ScriptMemberRef{bare, 0, 0, 0}, 1, &stack_, &result),
            kScriptInvalidType);
  EXPECT_EQ(*bare->Invoke(&status_, ScriptMemberRef{bare, -1, kAtom_toString, 0}, 1, &stack_,
                          &result),
            kScriptInvalidType);
  stack_.Pop(nullptr, 1);
  store_.Release(&bareValue);

  // A plain object is not callable.
  ScriptValueHandle plain;
  store_.NewPlainObject(&status_, &plain);
  ScriptObject* owner = store_.GetObjectSlot(plain)->ref.owner;
  EXPECT_EQ(*owner->Invoke(&status_, ScriptMemberRef{owner, -1, 0, 0}, 0, &stack_, &result),
            kScriptInvalidType);
  store_.Release(&plain);
}

// ---- The operand stack

TEST(ScriptOperandStack, PushPopAndArguments) {
  ScriptValueStore store;
  ScriptOperandStack stack(&store);
  int32_t status = -1;
  for (int32_t i = 0; i < 40; ++i) {
    ScriptValueHandle h;
    store.NewInteger(&status, i, &h);
    ASSERT_EQ(*stack.Push(&status, &h), kScriptOk);
    EXPECT_EQ(h, kScriptEmptyHandle);
  }
  EXPECT_EQ(stack.Depth(), 40u);
  EXPECT_EQ(scripttest::IntegerIn(stack.Peek(0)), 39);
  EXPECT_EQ(scripttest::IntegerIn(stack.Argument(3, 0)), 37);  // first of three
  EXPECT_EQ(scripttest::IntegerIn(stack.Argument(3, 2)), 39);
  EXPECT_EQ(*stack.Require(&status, 40), kScriptOk);
  EXPECT_EQ(*stack.Require(&status, 41), kScriptStackUnderflow);

  ScriptValueHandle two[2];
  stack.Pop(two, 2);
  EXPECT_EQ(scripttest::IntegerIn(two[0]), 38);
  EXPECT_EQ(scripttest::IntegerIn(two[1]), 39);  // the top into the last
  store.Release(&two[0]);
  store.Release(&two[1]);

  ScriptValueHandle replacement;
  store.NewString(&status, Wide(u"r"), &replacement);
  stack.Replace(1, &replacement);
  EXPECT_EQ(replacement, kScriptEmptyHandle);
  EXPECT_EQ(Text(store.GetStringSlot(stack.Peek(1))->text), u"r");
  stack.Pop(nullptr, 100);  // clamped to the depth
  EXPECT_EQ(stack.Depth(), 0u);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeInteger), 0u);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 0u);
}

TEST(ScriptOperandStack, PushWithoutMemoryReleasesTheValue) {
  ScriptValueStore store;
  int32_t status = -1;
  {
    ScriptOperandStack stack(&store);
    ScriptValueHandle h;
    store.NewNumber(&status, 1, &h);
    {
      devtest::AllocationFailure fail(1, true);
      EXPECT_EQ(*stack.Push(&status, &h), kScriptNoMemory);
    }
    EXPECT_EQ(h, kScriptEmptyHandle);
    EXPECT_EQ(store.ReferenceTotal(kScriptTypeNumber), 0u);
    store.NewNumber(&status, 2, &h);
    stack.Push(&status, &h);
  }  // the destructor releases what is left
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeNumber), 0u);
}

}  // namespace
