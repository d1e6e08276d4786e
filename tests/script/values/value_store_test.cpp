// The value store's pools and references: slot allocation and free lists,
// whole pools freed when their last value dies, copy/move/release, objects
// attached to slots and told when the last slot goes (in the right order,
// even when they release values of their own), the store's destructor,
// replacing and detaching objects, and lack of memory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/testing/allocation.h"
#include "script/objects/dynamic_object.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::RecordingObject;
using scripttest::Text;
using scripttest::Wide;

TEST(ScriptValueHandle, Layout) {
  // Boxed words: type in bits 0-3, payload from bit 4, under the box tag.
  EXPECT_EQ(MakeScriptHandle(kScriptTypeString, 5), kScriptBoxTag | 0x54u);
  EXPECT_EQ(ScriptHandleType(kScriptBoxTag | 0x54u), kScriptTypeString);
  EXPECT_EQ(ScriptHandleIndex(kScriptBoxTag | 0x54u), 5u);
  EXPECT_EQ(ScriptHandleType(kScriptEmptyHandle), kScriptTypeEmpty);
  EXPECT_EQ(ScriptHandleType(kScriptUndefinedHandle), kScriptTypeUndefined);
  EXPECT_EQ(MakeScriptNameHandle(kAtom_eval),
            kScriptBoxTag | ((static_cast<uint64_t>(kAtom_eval) << 4) + 6));
  // Immediates: every 32-bit integer, both booleans, any number (NaN made
  // the one quiet NaN, so that no number is taken for a boxed word).
  for (int32_t i : {0, 1, -1, INT32_MAX, INT32_MIN}) {
    ScriptValueHandle h = MakeScriptIntegerHandle(i);
    EXPECT_EQ(ScriptHandleType(h), kScriptTypeInteger) << i;
    EXPECT_EQ(ScriptHandleInteger(h), i);
  }
  EXPECT_EQ(ScriptHandleBoolean(MakeScriptBooleanHandle(true)), 1);
  EXPECT_EQ(ScriptHandleType(MakeScriptBooleanHandle(false)), kScriptTypeBoolean);
  const double nan = std::nan("");
  for (double d : {0.0, -0.0, 1.5, -1e308, HUGE_VAL, -HUGE_VAL, nan, -nan}) {
    ScriptValueHandle h = MakeScriptNumberHandle(d);
    EXPECT_EQ(ScriptHandleType(h), kScriptTypeNumber) << d;
    double back = ScriptHandleNumber(h);
    EXPECT_TRUE(std::memcmp(&back, &d, sizeof d) == 0 || (d != d && back != back)) << d;
  }
  uint64_t negativeNaN = 0xFFFC000000000123ull;  // a NaN that looks boxed
  double odd;
  std::memcpy(&odd, &negativeNaN, sizeof odd);
  EXPECT_EQ(MakeScriptNumberHandle(odd), kScriptCanonicalNaN);
  EXPECT_TRUE(SameScriptValue(kScriptUndefinedHandle,
                              MakeScriptHandle(kScriptTypeUndefined, 9)));
  EXPECT_TRUE(SameScriptValue(MakeScriptNumberHandle(3), MakeScriptNumberHandle(3)));
  EXPECT_FALSE(SameScriptValue(MakeScriptNumberHandle(3), MakeScriptNumberHandle(4)));
  EXPECT_FALSE(SameScriptValue(MakeScriptNumberHandle(3), MakeScriptIntegerHandle(3)));
}

TEST(ScriptValueStore, NewValuesStartEmptyHanded) {
  ScriptValueStore store;
  int32_t status = -1;
  for (int32_t type = 0; type < kScriptPooledTypes; ++type) {
    ScriptValueHandle h = kScriptEmptyHandle;
    void* slot = &status;
    ASSERT_EQ(*store.NewValue(&status, type, &h, &slot), kScriptOk);
    EXPECT_EQ(ScriptHandleType(h), type);
    EXPECT_EQ(slot, store.GetSlot(h));
    if (ScriptTypeHasSlot(type)) {
      EXPECT_EQ(ScriptHandleIndex(h), 0u);
      EXPECT_EQ(*static_cast<int32_t*>(slot), 1);
      EXPECT_EQ(store.ReferenceTotal(type), 1u);
    } else {
      EXPECT_EQ(slot, nullptr);  // the value is the word
      EXPECT_EQ(store.ReferenceTotal(type), 0u);
      EXPECT_EQ(store.PoolSize(type), 0u);
    }
    store.Release(&h);
    EXPECT_EQ(h, kScriptEmptyHandle);
    EXPECT_EQ(store.ReferenceTotal(type), 0u);
  }
  ScriptValueHandle h = 0;
  EXPECT_EQ(*store.NewValue(&status, kScriptTypeUndefined, &h, nullptr), kScriptBadHeapState);
  EXPECT_EQ(h, kScriptEmptyHandle);
  EXPECT_EQ(store.GetSlot(kScriptUndefinedHandle), nullptr);
  EXPECT_EQ(store.GetSlot(MakeScriptNameHandle(kAtom_this)), nullptr);
  EXPECT_EQ(store.GetSlot(kScriptEmptyHandle), nullptr);
}

TEST(ScriptValueStore, FreeListReusesSlotsAndLastValueFreesThePool) {
  ScriptValueStore store;
  int32_t status = 0;
  ScriptValueHandle a, b, c;
  store.NewString(&status, Wide(u"1"), &a);
  store.NewString(&status, Wide(u"2"), &b);
  store.NewString(&status, Wide(u"3"), &c);
  EXPECT_EQ(ScriptHandleIndex(c), 2u);
  store.Release(&b);  // slot 1 on the free list
  ScriptValueHandle d;
  store.NewString(&status, Wide(u"4"), &d);
  EXPECT_EQ(ScriptHandleIndex(d), 1u);
  EXPECT_EQ(Text(store.GetStringSlot(d)->text), u"4");
  EXPECT_EQ(store.PoolSize(kScriptTypeString), 3u);
  store.Release(&a);
  store.Release(&c);
  EXPECT_EQ(store.PoolSize(kScriptTypeString), 3u);
  store.Release(&d);  // the last live string: the whole pool goes
  EXPECT_EQ(store.PoolSize(kScriptTypeString), 0u);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 0u);
  store.NewString(&status, Wide(u"5"), &a);
  EXPECT_EQ(ScriptHandleIndex(a), 0u);
  store.Release(&a);
}

TEST(ScriptValueStore, PoolsGrowPastManyBlocks) {
  ScriptValueStore store;
  int32_t status = 0;
  std::vector<ScriptValueHandle> handles(1000);
  for (uint32_t i = 0; i < handles.size(); ++i) {
    SharedWideString text = Wide(std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
    ASSERT_EQ(*store.NewString(&status, text, &handles[i]), kScriptOk);
    ASSERT_EQ(ScriptHandleIndex(handles[i]), i);
  }
  for (uint32_t i = 0; i < handles.size(); i += 2) store.Release(&handles[i]);
  for (uint32_t i = 1; i < handles.size(); i += 2) {
    EXPECT_EQ(Text(store.GetStringSlot(handles[i])->text),
              std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
  }
  for (uint32_t i = 1; i < handles.size(); i += 2) store.Release(&handles[i]);
  EXPECT_EQ(store.PoolSize(kScriptTypeString), 0u);
}

TEST(ScriptValueStore, CopyMoveRelease) {
  ScriptValueStore store;
  int32_t status = 0;
  ScriptValueHandle a = kScriptEmptyHandle;
  store.NewString(&status, Wide(u"7"), &a);
  ScriptValueHandle b = kScriptEmptyHandle;
  store.CopyValue(a, &b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(store.GetStringSlot(a)->refcount, 2);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 2u);

  ScriptValueHandle c = kScriptEmptyHandle;
  store.NewString(&status, Wide(u"8"), &c);
  store.MoveValue(&c, &b);  // b's reference to "7" is released
  EXPECT_EQ(c, kScriptEmptyHandle);
  EXPECT_EQ(Text(store.GetStringSlot(b)->text), u"8");
  EXPECT_EQ(store.GetStringSlot(a)->refcount, 1);
  store.MoveValue(&b, &b);  // onto itself: nothing
  EXPECT_EQ(Text(store.GetStringSlot(b)->text), u"8");

  // Immediate words are copied and released as words.
  for (ScriptValueHandle word : {kScriptUndefinedHandle, MakeScriptNameHandle(kAtom_document),
                                 MakeScriptIntegerHandle(-5), MakeScriptNumberHandle(2.5),
                                 MakeScriptBooleanHandle(true)}) {
    ScriptValueHandle v = kScriptEmptyHandle;
    store.CopyValue(word, &v);
    EXPECT_EQ(v, word);
    store.Release(&v);
    EXPECT_EQ(v, kScriptEmptyHandle);
  }
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 2u);

  store.Release(&a);
  store.Release(&b);
  EXPECT_EQ(store.PoolSize(kScriptTypeString), 0u);
  // A stale handle past the pool is ignored.
  ScriptValueHandle stale = MakeScriptHandle(kScriptTypeString, 40);
  store.Release(&stale);
  EXPECT_EQ(stale, kScriptEmptyHandle);
}

TEST(ScriptValueStore, ObjectHeardOnlyWhenItsLastSlotGoes) {
  ScriptValueStore store;
  RecordingObject object;
  int32_t status = 0;
  ScriptValueHandle a, b;
  ASSERT_EQ(*store.NewObject(&status, &object, &a), kScriptOk);
  ASSERT_EQ(*store.NewObject(&status, &object, &b), kScriptOk);
  EXPECT_EQ(object.events, (std::vector<int32_t>{kScriptStoreAttached, kScriptStoreAttached}));
  EXPECT_EQ(store.SlotsHolding(&object), 2u);
  ScriptValueHandle copy = kScriptEmptyHandle;
  store.CopyValue(a, &copy);  // a copy is a reference, not a slot
  EXPECT_EQ(store.SlotsHolding(&object), 2u);
  store.Release(&a);
  EXPECT_EQ(object.events.size(), 2u);
  store.Release(&b);
  EXPECT_EQ(object.events.size(), 2u);  // the copy still holds a's slot
  store.Release(&copy);
  EXPECT_EQ(object.events.back(), kScriptStoreReleased);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
}

TEST(ScriptValueStore, NullObjectAndReferences) {
  ScriptValueStore store;
  RecordingObject object;
  int32_t status = 0;
  ScriptValueHandle null = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewObject(&status, nullptr, &null), kScriptOk);
  ScriptObjectSlot* slot = store.GetObjectSlot(null);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->ref.owner, nullptr);
  EXPECT_TRUE(slot->ref.IsSelf());

  ScriptMemberRef ref{&object, 3, 0, 1};
  ScriptValueHandle member = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewReference(&status, ref, &member), kScriptOk);
  EXPECT_EQ(store.GetObjectSlot(member)->ref.memberCode, 3);
  EXPECT_EQ(store.SlotsHolding(&object), 1u);

  // The null object slot takes the object over; the member slot lets it go.
  ASSERT_EQ(*store.SetReference(&status, null, ScriptMemberRef{&object, -1, 0, 0}), kScriptOk);
  EXPECT_EQ(store.SlotsHolding(&object), 2u);
  ASSERT_EQ(*store.SetReference(&status, member, ScriptMemberRef{}), kScriptOk);
  EXPECT_EQ(store.SlotsHolding(&object), 1u);
  EXPECT_EQ(object.events.size(), 2u);
  ScriptValueHandle number = kScriptEmptyHandle;
  store.NewNumber(&status, 1, &number);
  EXPECT_EQ(*store.SetReference(&status, number, ScriptMemberRef{}), kScriptInvalidType);
  store.Release(&number);
  store.Release(&member);
  store.Release(&null);
  EXPECT_EQ(object.events.back(), kScriptStoreReleased);
}

// A plain object whose members hold other objects: freeing the last value
// deletes it, which releases the members, which deletes the others; the
// pools must survive being emptied from inside the free.
TEST(ScriptValueStore, PlainObjectsReleaseTheirMembers) {
  ScriptValueStore store;
  int32_t status = 0;
  int deletions = 0;
  ScriptValueHandle outer = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewPlainObject(&status, &outer), kScriptOk);
  auto* outerObject = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(outer)->ref.owner);
  ASSERT_TRUE(outerObject->IsOwnedByStore());

  auto* inner = new RecordingObject;
  inner->deleteOnRelease = true;
  inner->deletions = &deletions;
  ScriptValueHandle innerValue = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewObject(&status, inner, &innerValue), kScriptOk);
  ScriptValueHandle text = kScriptEmptyHandle;
  store.NewString(&status, Wide(u"kept"), &text);
  ASSERT_EQ(*SetScriptMemberByName(&status, &store, outerObject, Wide(u"inner"), innerValue),
            kScriptOk);
  ASSERT_EQ(*SetScriptMemberByName(&status, &store, outerObject, Wide(u"text"), text),
            kScriptOk);
  store.Release(&innerValue);
  store.Release(&text);
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(store.AttachedObjectCount(), 2u);

  store.Release(&outer);
  EXPECT_EQ(deletions, 1);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  for (int32_t type = 0; type < kScriptPooledTypes; ++type) {
    EXPECT_EQ(store.PoolSize(type), 0u) << type;
    EXPECT_EQ(store.ReferenceTotal(type), 0u) << type;
  }
}

TEST(ScriptValueStore, DestructorReleasesEveryAttachedObjectOnce) {
  int deletions = 0;
  RecordingObject host;  // not owned by the store: only told
  {
    ScriptValueStore store;
    int32_t status = 0;
    ScriptValueHandle values[6];
    auto* owned = new RecordingObject;
    owned->deleteOnRelease = true;
    owned->deletions = &deletions;
    store.NewObject(&status, owned, &values[0]);
    store.NewObject(&status, owned, &values[1]);
    store.NewObject(&status, &host, &values[2]);
    store.NewReference(&status, ScriptMemberRef{&host, 5, 0, 0}, &values[3]);
    // A plain object holding a value of the owned one.
    store.NewPlainObject(&status, &values[4]);
    auto* plain = store.GetObjectSlot(values[4])->ref.owner;
    SetScriptMemberByName(&status, &store, plain, Wide(u"x"), values[0]);
    store.NewPlainObject(&status, &values[5]);
    // The handles are left alive: the destructor must clean up.
  }
  EXPECT_EQ(deletions, 1);
  ASSERT_EQ(host.events.size(), 3u);
  EXPECT_EQ(host.events.back(), kScriptStoreReleased);
}

TEST(ScriptValueStore, ReplaceAndDetachObjects) {
  ScriptValueStore store;
  RecordingObject first, second;
  int32_t status = 0;
  ScriptValueHandle a, b, other;
  store.NewObject(&status, &first, &a);
  store.NewReference(&status, ScriptMemberRef{&first, 2, 0, 0}, &b);
  store.NewObject(&status, &second, &other);
  first.events.clear();
  second.events.clear();

  ASSERT_EQ(*store.ReplaceAttachedObject(&status, &first, &second), kScriptOk);
  EXPECT_EQ(store.GetObjectSlot(a)->ref.owner, &second);
  EXPECT_EQ(store.GetObjectSlot(b)->ref.owner, &second);
  EXPECT_EQ(store.GetObjectSlot(b)->ref.memberCode, 2);
  EXPECT_EQ(store.SlotsHolding(&second), 3u);
  EXPECT_EQ(store.SlotsHolding(&first), 0u);
  EXPECT_EQ(second.events, std::vector<int32_t>{kScriptStoreAttached});
  EXPECT_TRUE(first.events.empty());

  store.DetachObject(&second);
  EXPECT_EQ(store.GetObjectSlot(a)->ref.owner, nullptr);
  EXPECT_EQ(store.GetObjectSlot(other)->ref.owner, nullptr);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  store.Release(&a);
  store.Release(&b);
  store.Release(&other);
  EXPECT_EQ(second.events, std::vector<int32_t>{kScriptStoreAttached});  // never released
}

// A host object that detaches itself in its destructor, as host objects do.
class SelfDetachingHost : public ScriptObject {
 public:
  ScriptValueStore* store = nullptr;
  ~SelfDetachingHost() override {
    if (store != nullptr) store->DetachObject(this);
  }
  void NotifyStore(int32_t event, ScriptValueStore* s) override {
    if (event == kScriptStoreAttached) store = s;
  }
};

TEST(ScriptValueStore, HostObjectDestroyedBeforeItsValues) {
  ScriptValueStore store;
  int32_t status = 0;
  ScriptValueHandle h = kScriptEmptyHandle;
  auto* host = new SelfDetachingHost;
  store.NewObject(&status, host, &h);
  delete host;
  EXPECT_EQ(store.GetObjectSlot(h)->ref.owner, nullptr);
  SharedWideString text;
  EXPECT_EQ(*store.ToString(&status, h, &text, 0), kScriptOk);
  EXPECT_EQ(Text(text), u"null");
  store.Release(&h);
}

TEST(ScriptValueStore, LackOfMemoryLeavesTheHandleEmpty) {
  ScriptValueStore store;
  int32_t status = 0;
  {
    devtest::AllocationFailure fail(1, true);
    ScriptValueHandle h = 0x1234;
    EXPECT_EQ(*store.NewString(&status, SharedWideString(), &h), kScriptNoMemory);
    EXPECT_EQ(h, kScriptEmptyHandle);
    // Immediate values take no memory.
    EXPECT_EQ(*store.NewNumber(&status, 1.0, &h), kScriptOk);
    EXPECT_EQ(h, MakeScriptNumberHandle(1.0));
    RecordingObject object;
    EXPECT_EQ(*store.NewObject(&status, &object, &h), kScriptNoMemory);
    EXPECT_EQ(h, kScriptEmptyHandle);
    EXPECT_TRUE(object.events.empty());
    EXPECT_EQ(*store.NewPlainObject(&status, &h), kScriptNoMemory);
  }
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  for (int32_t type = 0; type < kScriptPooledTypes; ++type) {
    EXPECT_EQ(store.ReferenceTotal(type), 0u);
  }
  // Every allocation of a plain object's making fails in turn; nothing leaks
  // and the object is never half-attached.
  for (long n = 1; n <= 6; ++n) {
    ScriptValueHandle h = kScriptEmptyHandle;
    {
      devtest::AllocationFailure fail(n);
      store.NewPlainObject(&status, &h);
    }
    if (status == kScriptOk) {
      EXPECT_EQ(store.AttachedObjectCount(), 1u);
      store.Release(&h);
    } else {
      EXPECT_EQ(status, kScriptNoMemory);
      EXPECT_EQ(h, kScriptEmptyHandle);
    }
    EXPECT_EQ(store.AttachedObjectCount(), 0u) << n;
  }
}

// Many live objects: freeing one reference value still finds the others
// alive, and the counts hold across table growth and removals.
TEST(ScriptValueStore, ManyAttachedObjects) {
  ScriptValueStore store;
  int32_t status = 0;
  const int kCount = 3000;
  std::vector<ScriptValueHandle> values(kCount);
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(*store.NewPlainObject(&status, &values[i]), kScriptOk);
  EXPECT_EQ(store.AttachedObjectCount(), static_cast<uint32_t>(kCount));
  ScriptObject* keep = store.GetObjectSlot(values[7])->ref.owner;
  ScriptValueHandle ref = kScriptEmptyHandle;
  store.NewReference(&status, ScriptMemberRef{keep, 0, 0, 0}, &ref);
  EXPECT_EQ(store.SlotsHolding(keep), 2u);
  for (int i = 0; i < kCount; i += 3) store.Release(&values[i]);
  EXPECT_EQ(store.AttachedObjectCount(), static_cast<uint32_t>(kCount - 1000));
  for (int i = 0; i < kCount; ++i) {
    if (values[i] == kScriptEmptyHandle) continue;
    ScriptObject* owner = store.GetObjectSlot(values[i])->ref.owner;
    ASSERT_EQ(store.SlotsHolding(owner), owner == keep ? 2u : 1u) << i;
  }
  for (auto& v : values) store.Release(&v);
  EXPECT_EQ(store.SlotsHolding(keep), 1u);
  store.Release(&ref);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
}

// A released plain object that kept a shared layout of names comes back for
// the next object of that layout with its names and undefined values; one
// whose names changed since, or another layout, gets a new empty object.
TEST(ScriptValueStore, ObjectsOfASharedLayoutComeBackWithTheirNames) {
  ScriptValueStore store;
  int32_t status = 0;
  uint64_t layout = 0;
  auto make = [&](uint64_t wanted, bool* reused) {
    ScriptValueHandle h = kScriptEmptyHandle;
    EXPECT_EQ(*store.NewPlainObjectOfLayout(&status, wanted, &h, reused), kScriptOk);
    return h;
  };
  bool reused = true;
  ScriptValueHandle first = make(layout, &reused);
  EXPECT_FALSE(reused);
  auto* object = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(first)->ref.owner);
  ASSERT_EQ(object->AddMember(Wide(u"a"), true), 0);
  ASSERT_EQ(object->AddMember(Wide(u"b"), true), 1);
  object->ShareNameStamp(&layout);
  ScriptValueHandle text = kScriptEmptyHandle;
  store.NewString(&status, Wide(u"held"), &text);
  ScriptMemberRef ref{object, 0, 0, 1};
  object->SetMemberValue(&status, ref, &store, text);
  store.Release(&text);
  store.Release(&first);
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeString), 0u);  // its values went

  ScriptValueHandle again = make(layout, &reused);
  EXPECT_TRUE(reused);
  auto* back = static_cast<ScriptDynamicObject*>(store.GetObjectSlot(again)->ref.owner);
  EXPECT_EQ(back, object);
  EXPECT_EQ(back->NameStamp(), layout);
  ASSERT_EQ(back->MemberCount(), 2u);
  EXPECT_EQ(Text(back->MemberName(1)), u"b");
  EXPECT_EQ(back->MemberValue(0), kScriptUndefinedHandle);
  // A name added: no longer the layout, so it is emptied when released.
  back->AddMember(Wide(u"c"), false);
  store.Release(&again);
  ScriptValueHandle other = make(layout, &reused);
  EXPECT_FALSE(reused);
  EXPECT_EQ(static_cast<ScriptDynamicObject*>(store.GetObjectSlot(other)->ref.owner)->MemberCount(),
            0u);
  ScriptValueHandle unknown = make(layout + 1000, &reused);
  EXPECT_FALSE(reused);
  store.Release(&other);
  store.Release(&unknown);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
}

}  // namespace

// ---- Cycle collection

namespace {

// A new plain object value; *object receives the object.
ScriptValueHandle Plain(ScriptValueStore* store, ScriptObject** object) {
  int32_t status = 0;
  ScriptValueHandle h = kScriptEmptyHandle;
  EXPECT_EQ(*store->NewPlainObject(&status, &h), kScriptOk);
  *object = store->GetObjectSlot(h)->ref.owner;
  return h;
}

void SetMember(ScriptValueStore* store, ScriptObject* object, const char16_t* name,
               ScriptValueHandle value) {
  int32_t status = 0;
  EXPECT_EQ(*SetScriptMemberByName(&status, store, object, Wide(name), value), kScriptOk);
}

}  // namespace

TEST(ScriptCycleCollection, ObjectsHoldingOnlyEachOtherAreReleased) {
  ScriptValueStore store;
  ScriptObject* a = nullptr;
  ScriptObject* b = nullptr;
  ScriptObject* c = nullptr;
  ScriptValueHandle ha = Plain(&store, &a);
  ScriptValueHandle hb = Plain(&store, &b);
  ScriptValueHandle hc = Plain(&store, &c);
  SetMember(&store, a, u"other", hb);
  SetMember(&store, b, u"other", ha);
  SetMember(&store, b, u"tail", hc);  // c hangs off the cycle
  store.Release(&hb);
  store.Release(&hc);
  EXPECT_EQ(store.AttachedObjectCount(), 3u);

  // Held from outside through a: everything stays.
  store.CollectCycles();
  EXPECT_EQ(store.AttachedObjectCount(), 3u);
  EXPECT_EQ(store.CollectedObjectCount(), 0u);
  EXPECT_EQ(store.GetObjectSlot(ha)->refcount, 2);  // ha and b's member

  store.Release(&ha);
  EXPECT_EQ(store.AttachedObjectCount(), 3u);  // counts alone free nothing
  store.CollectCycles();
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  EXPECT_EQ(store.CollectedObjectCount(), 3u);  // c was reached only from the cycle
  EXPECT_EQ(store.ReferenceTotal(kScriptTypeObject), 0u);
}

TEST(ScriptCycleCollection, HostObjectsAndTheirValuesAreKept) {
  ScriptValueStore store;
  RecordingObject host;  // takes no part: what it holds is held from outside
  int32_t status = 0;
  ScriptValueHandle hostValue = kScriptEmptyHandle;
  ASSERT_EQ(*store.NewObject(&status, &host, &hostValue), kScriptOk);
  ScriptObject* a = nullptr;
  ScriptObject* b = nullptr;
  ScriptValueHandle ha = Plain(&store, &a);
  ScriptValueHandle hb = Plain(&store, &b);
  SetMember(&store, a, u"other", hb);
  SetMember(&store, b, u"other", ha);
  SetMember(&store, a, u"host", hostValue);
  host.SetMemberValue(&status, ScriptMemberRef{&host, 0, 0, 1}, &store, hb);  // host holds b
  store.Release(&ha);
  store.Release(&hb);
  store.Release(&hostValue);
  store.CollectCycles();
  EXPECT_EQ(store.AttachedObjectCount(), 3u);
  EXPECT_EQ(store.CollectedObjectCount(), 0u);
  store.Release(&host.answer);  // the host lets b go: now the pair is garbage
  store.CollectCycles();
  EXPECT_EQ(store.CollectedObjectCount(), 2u);
  EXPECT_EQ(store.AttachedObjectCount(), 0u);  // the host was held by a only
  EXPECT_EQ(host.events.back(), kScriptStoreReleased);
}

TEST(ScriptCycleCollection, LackOfMemorySkipsACollection) {
  ScriptValueStore store;
  ScriptObject* a = nullptr;
  ScriptObject* b = nullptr;
  ScriptValueHandle ha = Plain(&store, &a);
  ScriptValueHandle hb = Plain(&store, &b);
  SetMember(&store, a, u"other", hb);
  SetMember(&store, b, u"other", ha);
  store.Release(&ha);
  store.Release(&hb);
  for (long n = 1; n <= 4; ++n) {
    devtest::AllocationFailure fail(n, true);
    store.CollectCycles();
  }
  // Each failed at some allocation: nothing was lost, and the next works.
  EXPECT_EQ(store.AttachedObjectCount(), store.CollectedObjectCount() == 0 ? 2u : 0u);
  store.CollectCycles();
  EXPECT_EQ(store.AttachedObjectCount(), 0u);
  EXPECT_EQ(store.CollectedObjectCount(), 2u);
}
