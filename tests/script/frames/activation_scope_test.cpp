// Scope chains and the call stack: look-up from the innermost scope outward,
// creation of unknown names in the innermost scope, the statuses of an empty
// chain, of a failed creation and of a scope that answers with an error;
// copies that count their references; the call stack's moves and its cap.
#include <gtest/gtest.h>

#include "platform/testing/allocation.h"
#include "script/frames/call_stack.h"
#include "script/objects/dynamic_object.h"
#include "script/frames/scope_chain.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"

namespace {

// A scope that answers every look-up with a fixed status.
class FailingScope : public ScriptObject {
 public:
  explicit FailingScope(int32_t answer) : answer_(answer) {}
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken&, ScriptMemberRef*,
                         uint8_t) override {
    *status = answer_;
    return status;
  }

 private:
  int32_t answer_;
};

class ScopeChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chain.SetStore(&store);
    int32_t status = kScriptOk;
    store.NewPlainObject(&status, &outer);
    store.NewPlainObject(&status, &inner);
    ASSERT_EQ(status, kScriptOk);
  }
  void TearDown() override {
    chain.Clear();
    store.Release(&outer);
    store.Release(&inner);
  }

  ScriptDynamicObject* Object(ScriptValueHandle value) {
    return static_cast<ScriptDynamicObject*>(store.GetObjectSlot(value)->ref.owner);
  }
  ScriptObject* OwnerOf(ScriptValueHandle reference) {
    return store.GetObjectSlot(reference)->ref.owner;
  }
  ScriptNameToken Name(const char16_t* text) {
    ScriptNameToken token;
    token.SetChars(text, WideStrLen(text));
    return token;
  }

  ScriptValueStore store;
  ScriptScopeChain chain;
  ScriptValueHandle outer = kScriptEmptyHandle;
  ScriptValueHandle inner = kScriptEmptyHandle;
};

TEST_F(ScopeChainTest, LooksUpFromTheInnermostScope) {
  int32_t status = kScriptOk;
  Object(outer)->AddMember(SharedWideString(u"a"), false);
  Object(outer)->AddMember(SharedWideString(u"only"), false);
  Object(inner)->AddMember(SharedWideString(u"a"), false);
  chain.PushValue(&status, outer, false);
  chain.PushValue(&status, inner, true);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(chain.Depth(), 2u);
  EXPECT_EQ(chain.VariableScope(), 1);
  EXPECT_EQ(chain.GetTopObject(), Object(inner));

  ScriptValueHandle reference = kScriptEmptyHandle;
  chain.Lookup(&status, Name(u"a"), &reference);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(OwnerOf(reference), Object(inner));
  chain.Lookup(&status, Name(u"only"), &reference);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(OwnerOf(reference), Object(outer));
  // Unknown everywhere: made in the innermost scope.
  chain.Lookup(&status, Name(u"fresh"), &reference);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(OwnerOf(reference), Object(inner));
  EXPECT_GE(Object(inner)->FindMember(SharedWideString(u"fresh")), 0);
  EXPECT_LT(Object(outer)->FindMember(SharedWideString(u"fresh")), 0);
  store.Release(&reference);
}

TEST_F(ScopeChainTest, EmptyChainFailedCreationAndFailingScopes) {
  int32_t status = kScriptOk;
  ScriptValueHandle reference = kScriptEmptyHandle;
  EXPECT_EQ(*chain.Lookup(&status, Name(u"a"), &reference), kScriptMemberUnknown);

  // An empty name cannot be made in a plain object: kScriptObjectUnknown.
  chain.PushValue(&status, outer, false);
  ScriptNameToken empty;
  EXPECT_EQ(*chain.Lookup(&status, empty, &reference), kScriptObjectUnknown);

  // The first answer other than 4 stops the search, even a failure.
  FailingScope* failing = new FailingScope(kScriptBadMemberCode);
  chain.PushObject(&status, failing, false);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(*chain.Lookup(&status, Name(u"a"), &reference), kScriptBadMemberCode);
  EXPECT_EQ(reference, kScriptEmptyHandle);
  chain.Clear();
  store.DetachObject(failing);
  delete failing;
}

TEST_F(ScopeChainTest, ScopesOfOtherKindsAreRefused) {
  int32_t status = kScriptOk;
  ScriptValueHandle number = kScriptEmptyHandle;
  store.NewInteger(&status, 1, &number);
  EXPECT_EQ(*chain.PushValue(&status, number, false), kScriptInvalidType);
  EXPECT_EQ(chain.Depth(), 0u);
  store.Release(&number);
}

TEST_F(ScopeChainTest, CopiesCountTheirReferences) {
  int32_t status = kScriptOk;
  chain.PushValue(&status, outer, false);
  chain.PushValue(&status, inner, true);
  uint32_t total = store.ReferenceTotal(kScriptTypeObject);
  {
    ScriptScopeChain copy(&store);
    copy.CopyFrom(&status, chain);
    ASSERT_EQ(status, kScriptOk);
    EXPECT_EQ(copy.Depth(), 2u);
    EXPECT_EQ(copy.VariableScope(), 1);
    EXPECT_EQ(store.ReferenceTotal(kScriptTypeObject), total + 2);
    copy.CopyFrom(&status, copy);  // onto itself: nothing
    EXPECT_EQ(copy.Depth(), 2u);
    ScriptScopeChain moved(&store);
    moved.MoveFrom(copy);
    EXPECT_EQ(copy.Depth(), 0u);
    EXPECT_EQ(moved.Depth(), 2u);
    EXPECT_EQ(store.ReferenceTotal(kScriptTypeObject), total + 2);
  }
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeObject), total);
}

TEST_F(ScopeChainTest, CopyWithoutMemoryLeavesAnEmptyChain) {
  int32_t status = kScriptOk;
  chain.PushValue(&status, outer, false);
  ScriptScopeChain copy(&store);
  {
    // A short chain lives inside the chain object: copying needs no memory.
    devtest::AllocationFailure failure(1, true);
    copy.CopyFrom(&status, chain);
  }
  EXPECT_EQ(status, kScriptOk);
  EXPECT_EQ(copy.Depth(), 1u);
  for (int i = 0; i < 9; ++i) chain.PushValue(&status, inner, i == 8);
  ASSERT_EQ(chain.Depth(), 10u);
  {
    devtest::AllocationFailure failure(1, true);
    copy.CopyFrom(&status, chain);
  }
  EXPECT_EQ(status, kScriptNoMemory);
  EXPECT_EQ(copy.Depth(), 0u);
  copy.CopyFrom(&status, chain);
  ASSERT_EQ(status, kScriptOk);
  EXPECT_EQ(copy.Depth(), 10u);
  EXPECT_EQ(copy.VariableScope(), 9);
  EXPECT_EQ(copy.At(0), outer);
  EXPECT_EQ(copy.At(9), inner);
}

TEST(CallStack, KeepsActivationsInPlaceAndStopsAtItsCap) {
  ScriptValueStore store;
  ScriptCallStack stack;
  int32_t status = kScriptOk;
  EXPECT_EQ(stack.Top(), nullptr);
  ScriptActivation* first = nullptr;
  for (uint32_t i = 0; i < kScriptMaxCallDepth; ++i) {
    ScriptActivation* place = stack.Enter(&status, &store);
    ASSERT_NE(place, nullptr);
    ASSERT_EQ(status, kScriptOk);
    EXPECT_EQ(place->GetStore(), &store);
    EXPECT_EQ(place->line, 0);  // a cleared place
    place->line = static_cast<int32_t>(i);
    if (i == 0) first = place;
  }
  // Places do not move while the stack grows.
  EXPECT_EQ(first->line, 0);
  EXPECT_EQ(stack.Depth(), kScriptMaxCallDepth);
  EXPECT_EQ(stack.Enter(&status, &store), nullptr);
  EXPECT_EQ(status, kScriptNoResources);
  EXPECT_EQ(stack.Top()->line, static_cast<int32_t>(kScriptMaxCallDepth - 1));
  stack.Leave();
  EXPECT_EQ(stack.Top()->line, static_cast<int32_t>(kScriptMaxCallDepth - 2));
  // A place left is cleared for the next call.
  ScriptActivation* again = stack.Enter(&status, &store);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->line, 0);
  stack.Clear();
  EXPECT_EQ(stack.Depth(), 0u);
  EXPECT_EQ(stack.Top(), nullptr);
  stack.Leave();  // nothing to leave
}

}  // namespace
