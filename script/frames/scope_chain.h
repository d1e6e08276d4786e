// ScriptScopeChain: the objects in which a running script looks names up,
// outermost first, innermost last. The view pushes its host objects, a
// script page its host; a call of a script function adds the function's
// parameter scope (a plain object) on top of the chain the function was
// declared in.
//
// The chain holds one reference of each scope's object value. One scope may
// be marked as the variable scope (the object that receives declarations in
// the view's and the page's chains). Copying a chain copies the handles
// (their counts grow); moving one takes its array over. The first few scopes
// live inside the chain itself, so that the chain of a call (the function's
// chain and its variables) usually needs no allocation.
#pragma once

#include <cstdint>

#include "script/values/script_value.h"

class ScriptObject;
class ScriptValueStore;
struct ScriptNameToken;
struct ScriptSiteCacheEntry;

class ScriptScopeChain {
 public:
  ScriptScopeChain() = default;
  explicit ScriptScopeChain(ScriptValueStore* store) : ScriptScopeChain() { store_ = store; }
  // Releases every scope handle.
  ~ScriptScopeChain() { Clear(); }
  ScriptScopeChain(const ScriptScopeChain&) = delete;
  ScriptScopeChain& operator=(const ScriptScopeChain&) = delete;

  // The store of the handles; set before the first push.
  void SetStore(ScriptValueStore* store) { store_ = store; }
  ScriptValueStore* GetStore() const { return store_; }

  // Appends a copy of the object value as the new innermost scope; with
  // mark it becomes the variable scope. kScriptNoMemory without memory, kScriptInvalidType when the
  // handle is not an object value.
  int32_t* PushValue(int32_t* status, ScriptValueHandle value, bool mark);
  // Wraps the object in a new object value (attaching it to the store) and
  // pushes that as under PushValue.
  int32_t* PushObject(int32_t* status, ScriptObject* object, bool mark);
  // Releases this chain's scopes, then copies the other's handles and its
  // variable scope (and its store when this one has none). Copying a chain
  // onto itself does nothing. kScriptNoMemory without memory: the chain is then
  // empty.
  int32_t* CopyFrom(int32_t* status, const ScriptScopeChain& other);
  // CopyFrom, then PushValue(value, true) in one pass: the chain of a call,
  // the function's chain with the call's variables innermost. On failure
  // the chain is empty.
  int32_t* CopyWithVariables(int32_t* status, const ScriptScopeChain& other,
                             ScriptValueHandle value);
  // Takes the other's scopes and marks over; the other is left empty.
  void MoveFrom(ScriptScopeChain& other);
  // Releases every scope.
  void Clear();

  uint32_t Depth() const { return count_; }
  // Scope i (0: the outermost), borrowed.
  ScriptValueHandle At(uint32_t i) const { return scopes_[i]; }
  int32_t VariableScope() const { return variableScope_; }
  // The object of the innermost scope; null for an empty chain.
  ScriptObject* GetTopObject() const;
  // The scope value (borrowed) that stands for the object itself, the
  // innermost one; empty when no scope does.
  ScriptValueHandle ValueOf(const ScriptObject* object) const;

  // Name look-up: asks the scopes from the innermost outward (ResolveMember
  // with create clear) and stops at the first answer other than kScriptMemberUnknown;
  // when every scope answers 4, the innermost creates the name. On success
  // *reference (released first) becomes a new object value holding the
  // member reference. An empty chain gives kScriptMemberUnknown; a failed creation
  // kScriptObjectUnknown.
  int32_t* Lookup(int32_t* status, const ScriptNameToken& name, ScriptValueHandle* reference);
  // The same for the look-up at word `site` of a script, through its cache
  // entry (site_cache.h): checked first, and filled when the look-up found
  // the name in a scope without walking any scope whose answers cannot be
  // cached. Null entry: as Lookup.
  int32_t* LookupCached(int32_t* status, const ScriptNameToken& name, ScriptValueHandle* reference,
                        ScriptSiteCacheEntry* entry, uint32_t site);
  // The look-ups without the object value: *found receives the member
  // reference (left as it was on failure).
  int32_t* Find(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* found);
  int32_t* FindCached(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* found,
                      ScriptSiteCacheEntry* entry, uint32_t site);
  // The cache's quick answer, which needs no name: true, with *found set,
  // when the entry is the site's and every scope it walked is the very
  // object it recorded, with the stamp it recorded. False otherwise (then
  // FindCached decides).
  bool HitsCache(const ScriptSiteCacheEntry* entry, uint32_t site, ScriptMemberRef* found) const;

 private:
  static constexpr uint32_t kInlineScopes = 6;

  // Room for n scopes; false, with nothing changed, when memory runs out.
  bool Reserve(uint32_t n);
  // Back to the inline array, empty; the heap array (if any) is the caller's.
  void Reset();

  // *reference (released first) becomes a new object value holding ref.
  int32_t* MakeReference(int32_t* status, const ScriptMemberRef& ref,
                         ScriptValueHandle* reference);
  // The member reference of scope i: the object itself.
  ScriptMemberRef ScopeRef(uint32_t i) const;

  ScriptValueHandle inline_[kInlineScopes];
  ScriptValueHandle* scopes_ = inline_;  // inline_ or a heap array
  uint32_t count_ = 0;
  uint32_t capacity_ = kInlineScopes;
  int32_t variableScope_ = -1;
  ScriptValueStore* store_ = nullptr;
};
