// The scope chain of a running script and the look-up of names in it (see
// scope_chain.h).
#include "script/frames/scope_chain.h"

#include <cstring>
#include <typeinfo>

#include "platform/memory/allocator.h"
#include "script/builtins/builtin_global_object.h"
#include "script/bytecode/site_cache.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

bool ScriptScopeChain::Reserve(uint32_t n) {
  if (n <= capacity_) return true;
  uint32_t capacity = capacity_ * 2;
  if (capacity < n) capacity = n;
  if (capacity > (1u << 24)) return false;
  auto* fresh =
      static_cast<ScriptValueHandle*>(DeviceAlloc(sizeof(ScriptValueHandle) * capacity));
  if (fresh == nullptr) return false;
  for (uint32_t i = 0; i < count_; ++i) fresh[i] = scopes_[i];
  if (scopes_ != inline_) DeviceFree(scopes_);
  scopes_ = fresh;
  capacity_ = capacity;
  return true;
}

void ScriptScopeChain::Reset() {
  scopes_ = inline_;
  count_ = 0;
  capacity_ = kInlineScopes;
  variableScope_ = -1;
}

int32_t* ScriptScopeChain::PushValue(int32_t* status, ScriptValueHandle value, bool mark) {
  if (ScriptHandleType(value) != kScriptTypeObject || store_ == nullptr) {
    *status = kScriptInvalidType;
    return status;
  }
  if (!Reserve(count_ + 1)) {
    *status = kScriptNoMemory;
    return status;
  }
  store_->CopyValue(value, &scopes_[count_++]);
  if (mark) variableScope_ = static_cast<int32_t>(count_ - 1);
  *status = kScriptOk;
  return status;
}

int32_t* ScriptScopeChain::PushObject(int32_t* status, ScriptObject* object, bool mark) {
  if (store_ == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store_->NewObject(status, object, &value) != kScriptOk) return status;
  PushValue(status, value, mark);
  int32_t outcome = *status;
  store_->Release(&value);
  *status = outcome;
  return status;
}

void ScriptScopeChain::Clear() {
  // Emptied before the releases: a release may delete objects whose
  // destructors look at chains.
  ScriptValueHandle saved[kInlineScopes];
  ScriptValueHandle* scopes = scopes_;
  uint32_t count = count_;
  if (scopes == inline_) {
    // The whole inline array in one fixed-size copy (no call, no loop);
    // only the first `count` are read.
    std::memcpy(saved, inline_, sizeof saved);
    scopes = saved;
  }
  Reset();
  if (store_ != nullptr) {
    for (uint32_t i = 0; i < count; ++i) store_->Release(&scopes[i]);
  }
  if (scopes != saved) DeviceFree(scopes);
}

int32_t* ScriptScopeChain::CopyFrom(int32_t* status, const ScriptScopeChain& other) {
  *status = kScriptOk;
  if (&other == this) return status;
  Clear();
  if (store_ == nullptr) store_ = other.store_;
  if (other.count_ == 0) return status;
  if (!Reserve(other.count_) || store_ == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  for (uint32_t i = 0; i < other.count_; ++i) store_->CopyValue(other.scopes_[i], &scopes_[i]);
  count_ = other.count_;
  variableScope_ = other.variableScope_;
  return status;
}

int32_t* ScriptScopeChain::CopyWithVariables(int32_t* status, const ScriptScopeChain& other,
                                             ScriptValueHandle value) {
  if (&other == this || ScriptHandleType(value) != kScriptTypeObject) {
    *status = kScriptInvalidType;
    return status;
  }
  if (count_ != 0 || scopes_ != inline_) Clear();
  if (store_ == nullptr) store_ = other.store_;
  if (store_ == nullptr || !Reserve(other.count_ + 1)) {
    *status = kScriptNoMemory;
    return status;
  }
  for (uint32_t i = 0; i < other.count_; ++i) store_->CopyValue(other.scopes_[i], &scopes_[i]);
  store_->CopyValue(value, &scopes_[other.count_]);
  count_ = other.count_ + 1;
  variableScope_ = static_cast<int32_t>(other.count_);
  *status = kScriptOk;
  return status;
}

void ScriptScopeChain::MoveFrom(ScriptScopeChain& other) {
  if (&other == this) return;
  if (count_ != 0 || scopes_ != inline_) Clear();
  if (other.scopes_ == other.inline_) {
    for (uint32_t i = 0; i < other.count_; ++i) inline_[i] = other.inline_[i];
  } else {
    scopes_ = other.scopes_;
    capacity_ = other.capacity_;
  }
  count_ = other.count_;
  variableScope_ = other.variableScope_;
  other.Reset();
  if (store_ == nullptr) store_ = other.store_;
}

ScriptMemberRef ScriptScopeChain::ScopeRef(uint32_t i) const {
  ScriptObjectSlot* slot = store_ != nullptr ? store_->GetObjectSlot(scopes_[i]) : nullptr;
  return slot != nullptr ? slot->ref : ScriptMemberRef{};
}

ScriptObject* ScriptScopeChain::GetTopObject() const {
  if (count_ == 0) return nullptr;
  return ScopeRef(count_ - 1).owner;
}

ScriptValueHandle ScriptScopeChain::ValueOf(const ScriptObject* object) const {
  if (store_ == nullptr) return kScriptEmptyHandle;
  for (uint32_t i = count_; i-- > 0;) {
    ScriptObjectSlot* slot = store_->GetObjectSlot(scopes_[i]);
    if (slot != nullptr && slot->ref.owner == object && slot->ref.IsSelf()) return scopes_[i];
  }
  return kScriptEmptyHandle;
}

int32_t* ScriptScopeChain::Lookup(int32_t* status, const ScriptNameToken& name,
                                  ScriptValueHandle* reference) {
  ScriptMemberRef ref;
  if (*Find(status, name, &ref) != kScriptOk) return status;
  return MakeReference(status, ref, reference);
}

int32_t* ScriptScopeChain::MakeReference(int32_t* status, const ScriptMemberRef& ref,
                                         ScriptValueHandle* reference) {
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store_->NewReference(status, ref, &value) != kScriptOk) return status;
  store_->MoveValue(&value, reference);
  return status;
}

int32_t* ScriptScopeChain::Find(int32_t* status, const ScriptNameToken& name,
                                ScriptMemberRef* found) {
  if (count_ == 0 || store_ == nullptr) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ScriptMemberRef ref;
  *status = kScriptMemberUnknown;
  for (uint32_t i = count_; i-- > 0 && *status == kScriptMemberUnknown;) {
    ref = ScopeRef(i);
    if (ref.owner == nullptr) continue;  // a null scope knows no name
    ref.owner->ResolveMember(status, name, &ref, 0);
  }
  if (*status == kScriptMemberUnknown) {
    // No scope knows the name: the innermost one creates it.
    ref = ScopeRef(count_ - 1);
    if (ref.owner == nullptr ||
        *ref.owner->ResolveMember(status, name, &ref, 1) != kScriptOk) {
      *status = kScriptObjectUnknown;
      return status;
    }
  }
  if (*status == kScriptOk) *found = ref;
  return status;
}

namespace {

// The object of a scope reference as a dynamic object whose look-ups may be
// cached; null for any other.
ScriptDynamicObject* CacheableScope(const ScriptMemberRef& ref) {
  if (ref.owner == nullptr || !ref.IsSelf() ||
      ref.owner->GetKind() != kScriptObjectKindDynamic) {
    return nullptr;
  }
  return static_cast<ScriptDynamicObject*>(ref.owner);
}

}  // namespace

int32_t* ScriptScopeChain::LookupCached(int32_t* status, const ScriptNameToken& name,
                                        ScriptValueHandle* reference, ScriptSiteCacheEntry* entry,
                                        uint32_t site) {
  ScriptMemberRef ref;
  if (*FindCached(status, name, &ref, entry, site) != kScriptOk) return status;
  return MakeReference(status, ref, reference);
}

bool ScriptScopeChain::HitsCache(const ScriptSiteCacheEntry* entry, uint32_t site,
                                 ScriptMemberRef* found) const {
  if (entry == nullptr || store_ == nullptr || entry->position != site ||
      entry->scopes > count_) {
    return false;
  }
  // Compared without copying references: most often every scope walked is
  // the very object recorded, its names unchanged, or another object of
  // the same shared layout (the variables of another call of the same
  // function), whose names are the very same at the same indexes.
  // (A plain object is known by its type record's address, without the
  // kind asked; only plain objects share layouts.)
  ScriptObject* last = entry->ref.owner;
  for (uint32_t k = 0; k < entry->scopes; ++k) {
    ScriptObjectSlot* slot = store_->GetObjectSlot(scopes_[count_ - 1 - k]);
    if (slot == nullptr || !slot->ref.IsSelf() || slot->ref.owner == nullptr) return false;
    ScriptObject* owner = slot->ref.owner;
    const std::type_info* type = &typeid(*owner);
    bool plain = type == &typeid(ScriptDynamicObject);
    // The global object, the usual outermost scope, is a dynamic object
    // known by its type record too.
    if (!plain && type != &typeid(ScriptGlobalObject) &&
        owner->GetKind() != kScriptObjectKindDynamic) {
      return false;
    }
    auto* scope = static_cast<ScriptDynamicObject*>(owner);
    if (scope->NameStamp() != entry->stamps[k]) return false;
    if (scope != entry->objects[k]) {
      if (!plain || !scope->KeepsSharedLayout()) return false;
      if (k + 1 == entry->scopes) {
        if (entry->foundPlain == 0) return false;
        last = scope;
      }
    }
  }
  *found = entry->ref;
  found->owner = last;
  return true;
}

int32_t* ScriptScopeChain::FindCached(int32_t* status, const ScriptNameToken& name,
                                      ScriptMemberRef* found, ScriptSiteCacheEntry* entry,
                                      uint32_t site) {
  if (entry == nullptr || count_ == 0 || store_ == nullptr) return Find(status, name, found);
  if (HitsCache(entry, site, found)) {
    *status = kScriptOk;
    return status;
  }
  if (entry->position == site && entry->scopes <= count_) {
    ScriptMemberRef cached = entry->ref;
    bool hit = true;
    for (uint32_t k = 0; k < entry->scopes && hit; ++k) {
      ScriptMemberRef ref = ScopeRef(count_ - 1 - k);
      ScriptDynamicObject* scope = CacheableScope(ref);
      if (scope == nullptr) {
        hit = false;
      } else if (scope->NameStamp() == entry->stamps[k] &&
                 (scope == entry->objects[k] || scope->IsPlainByNames())) {
        // The very object, its names unchanged; or a plain object with the
        // same names at the same indexes (a shared stamp: the parameter
        // scope of another call of the same function).
        if (k + 1 == entry->scopes) {
          hit = scope == entry->objects[k] || entry->foundPlain != 0;
          if (scope != entry->objects[k]) cached.owner = scope;
        }
      } else if (scope->IsPlainByNames()) {
        // Another plain object at this place, as each call of a function
        // has its own variables: its names decide. A scope passed over must
        // lack the name; the scope it was found in must hold it where it
        // was found (a name is held at one place at most).
        if (k + 1 < entry->scopes) {
          hit = scope->FindMember(name.text) < 0;
        } else {
          uint32_t index = static_cast<uint32_t>(cached.memberCode);
          hit = entry->foundPlain != 0 && cached.subCode == 0 && index < scope->MemberCount();
          if (hit) {
            const SharedWideString& held = scope->MemberName(index);
            hit = held.length == name.text.length && held.CompareTo(name.text) == 0;
          }
          cached.owner = scope;
        }
      } else {
        hit = false;
      }
    }
    if (hit) {
      *found = cached;
      *status = kScriptOk;
      return status;
    }
  }
  // The walk of Lookup, recording the scopes while they can be cached.
  ScriptMemberRef ref;
  *status = kScriptMemberUnknown;
  ScriptDynamicObject* scopes[kScriptSiteCacheScopes];
  uint32_t walked = 0;
  bool cacheable = true;
  for (uint32_t i = count_; i-- > 0 && *status == kScriptMemberUnknown;) {
    ref = ScopeRef(i);
    if (ref.owner == nullptr) {
      cacheable = false;
      continue;  // a null scope knows no name
    }
    ScriptDynamicObject* scope = CacheableScope(ref);
    if (scope == nullptr || !scope->ResolvesByNames() || walked == kScriptSiteCacheScopes) {
      cacheable = false;
    } else {
      scopes[walked++] = scope;
    }
    ref.owner->ResolveMember(status, name, &ref, 0);
  }
  if (*status == kScriptMemberUnknown) {
    // Not cached: creating the name changes the innermost scope.
    return Find(status, name, found);
  }
  if (*status != kScriptOk) return status;
  if (cacheable) {
    // Stamped after the look-up: a look-up without create changes no names.
    entry->position = site;
    entry->scopes = walked;
    entry->foundPlain = scopes[walked - 1]->IsPlainByNames() ? 1 : 0;
    for (uint32_t k = 0; k < walked; ++k) {
      entry->objects[k] = scopes[k];
      entry->stamps[k] = scopes[k]->NameStamp();
    }
    entry->ref = ref;
  } else if (entry->position == site) {
    entry->position = UINT32_MAX;
  }
  *found = ref;
  return status;
}
