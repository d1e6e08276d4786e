// ScriptDynamicObject: the script object whose members are made at run time.
// It is the plain object that scripts create (new Object(), the this-value of
// a construct call), the callable Object constructor, and the base of every
// host object, which answers its own members first and passes the rest here.
//
// Members are {name, value handle} pairs in one contiguous array that grows
// by doubling (an object with two members takes one small block besides
// itself), found by a linear scan of the names in insertion order (the first
// exact match wins), or through a hash index once there are many.
// A member's index never changes while the object lives: members are never
// removed, and renewing a name (parameter binding) leaves the old index with
// an empty name, which no look-up matches, and its old value. Member values
// are handles of the object's store; the object owns one reference of each.
//
// Member references it answers are {this, member index, 0, resolved}; a
// member code is compared without sign, so -1 (the object itself) is never a
// member and reading or writing it gives kScriptBadMemberCode.
#pragma once

#include <cstdint>
#include <typeinfo>

#include "script/objects/member_name_index.h"
#include "script/objects/script_object.h"

class ScriptDynamicObject : public ScriptObject {
 public:
  // A plain object bound to the store and owned by it: it deletes itself
  // when the last value holding it is freed or the store goes away.
  explicit ScriptDynamicObject(ScriptValueStore* store);
  // The callable Object constructor, owned by the store it gets attached to.
  // wrapString makes Object("text") a String object; without it such a call
  // gives kScriptNotImplemented. Null when memory runs out.
  static ScriptDynamicObject* ConstructCallable(ScriptStringWrapper wrapString);
  // Releases every member value, then frees the arrays.
  ~ScriptDynamicObject() override;

  int32_t GetKind() override;
  // Only on a reference to the object itself. The callable object resolves
  // only the construct atom (318), to {this, -1, 318}. Any other object looks
  // the name's text up among its members; a missing name is added when
  // create is set (kScriptNoMemory when that fails, as for an empty name or an
  // integer key), its value undefined when members start undefined, else
  // empty (no value until assigned). kScriptMemberUnknown for a missing name without
  // create.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                           SharedWideString* name) override;
  // Only the callable object, on itself or its construct member (else 9),
  // with at most one argument (else 13). The argument, read through a member
  // reference: an object value is the result itself; a string becomes a
  // String object; a boolean or a number gives kScriptNotImplemented; none, an integer
  // or undefined give a new plain object.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // Member references of this object only (sub-code 0, member code below the
  // count compared without sign), else kScriptBadMemberCode. The member's handle
  // becomes a copy of value; the old one is released after the copy.
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  // As SetMemberValue for the reference; kScriptCannotGet when the member holds no
  // value (empty), else *result (released first) becomes a copy of it. The
  // wanted type is not used.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  // kScriptStoreAttached remembers the store; kScriptStoreReleased deletes
  // the object when the store owns it.
  void NotifyStore(int32_t event, ScriptValueStore* store) override;
  // Plain objects owned by the store take part in cycle collection with
  // their member values; the callable constructor and derived (host)
  // objects do not.
  bool VisitHeldValues(HeldValueVisitor visit, void* data) override;
  void DropHeldValues() override;

  // Index of the member with exactly this (non-empty) name, or -1.
  int32_t FindMember(const SharedWideString& name) const;
  // Adds a member with an undefined value; its index, or -1 for an empty
  // name or when memory runs out (nothing changed then). An existing name
  // is kept (its index answered) unless renew is set; with renew the old
  // entry's name is cleared and the name added again.
  int32_t AddMember(const SharedWideString& name, bool renew);
  // Releases every member value through the store and empties both arrays.
  void ReleaseMembers();

  uint32_t MemberCount() const { return memberCount_; }
  const SharedWideString& MemberName(uint32_t index) const { return members_[index].name; }
  ScriptValueHandle MemberValue(uint32_t index) const { return members_[index].value; }

  // A stamp of the member names, new (over all objects) whenever a name is
  // added or renewed or the members go: while it is the same, ResolveMember
  // finds what it found before (site_cache.h).
  uint64_t NameStamp() const { return nameStamp_; }
  // Gives the object the stamp of a layout of member names: *layout (0
  // until the first object) is the stamp of every object made by the same
  // steps, so that a cached look-up holds on each of them. The caller
  // vouches that each object it gives the layout holds the very same names
  // at the same indexes; a name added later gives the object a stamp of
  // its own again.
  void ShareNameStamp(uint64_t* layout) {
    if (*layout == 0) {
      *layout = nameStamp_;
    } else {
      nameStamp_ = *layout;
    }
    sharedLayout_ = 1;
  }
  // True while the names are those of the shared layout it was given
  // (ShareNameStamp): no name added, renewed or dropped since.
  bool KeepsSharedLayout() const { return sharedLayout_ != 0; }
  // Sets every member's value back to undefined, releasing the old values;
  // the names, their indexes and the stamp stay. A released object of a
  // shared layout is kept so for the next object of that layout.
  void ReleaseValues();
  // True when ResolveMember answers from the name token and the member
  // names alone, so that a look-up on this object may be cached against the
  // stamp: plain objects, and classes that say so of themselves but not the
  // classes derived from them.
  bool ResolvesByNames() const;
  // Where the member codes of the members that scripts made start: member
  // n answers code base + n with sub-code 0. 0 for a plain object; classes
  // that answer members of their own before those say where theirs end;
  // -1 (the default of derived classes) when not known.
  virtual int32_t MadeMemberBase() const { return IsPlainByNames() ? 0 : -1; }
  // A plain object (no derived class) that resolves by names: its member
  // codes are the indexes of its names.
  bool IsPlainByNames() const;
  // True when GetMemberValue only copies what the member holds (no effect,
  // nothing computed), so that a member's value may be read as soon as its
  // reference is known instead of when an operator reads the reference:
  // plain objects, and classes that resolve by names and say so of
  // themselves, but not the classes derived from them.
  bool ReadsWithoutEffects() const {
    return readsPlainly_ != 0 && namesType_ != nullptr && typeid(*this) == *namesType_;
  }

  void SetMembersStartUndefined(bool flag) { membersStartUndefined_ = flag ? 1 : 0; }
  // A plain object that the store may keep for reuse when it is released
  // instead of deleting it (ScriptValueStore::NewPlainObject sets it).
  void MarkRecyclable() { recyclable_ = 1; }
  // Empties a released recyclable object for its next use: members released,
  // flags as new.
  void ResetForReuse();
  bool IsCallable() const { return callable_ != 0; }
  bool IsOwnedByStore() const { return ownedByStore_ != 0; }
  ScriptValueStore* GetStore() const { return store_; }

 protected:
  // Says that objects of exactly this class (typeid of the class) answer
  // ResolveMember from the token and the member names alone.
  // A class saying it anew leaves out the reads (SetReadsWithoutEffects)
  // until it says that too.
  void SetResolvesByNames(const std::type_info& type) {
    namesType_ = &type;
    readsPlainly_ = 0;
  }
  // Says of the class given to SetResolvesByNames that its GetMemberValue
  // reads without effects (ReadsWithoutEffects).
  void SetReadsWithoutEffects() { readsPlainly_ = 1; }

  // ConstructBase, the base of derived classes (host objects): no store until one attaches
  // it, never deleted by the store.
  ScriptDynamicObject();

 private:
  // Room for at least n members; false, with nothing changed, when memory
  // runs out.
  bool ReserveMembers(uint32_t n);

  // The first members live in the object itself: a small object takes one
  // allocation.
  static constexpr uint32_t kInlineMembers = 2;
  bool MembersInline() const {
    return members_ == reinterpret_cast<const ScriptMember*>(inlineMembers_);
  }

  ScriptMember* members_ = nullptr;  // memberCapacity_ entries, memberCount_ in use
  uint32_t memberCount_ = 0;
  uint32_t memberCapacity_ = 0;
  alignas(ScriptMember) unsigned char inlineMembers_[kInlineMembers * sizeof(ScriptMember)];
  uint8_t recyclable_ = 0;
  uint8_t readsPlainly_ = 0;  // in the padding before the stamp: no larger objects
  uint8_t sharedLayout_ = 0;  // KeepsSharedLayout; in the same padding
  uint64_t nameStamp_ = 0;
  const std::type_info* namesType_ = nullptr;
  // Built on the first search of a long name list; finds names in it.
  mutable ScriptMemberNameIndex index_;
  uint8_t membersStartUndefined_ = 0;
  uint8_t callable_ = 0;
  ScriptValueStore* store_ = nullptr;
  uint8_t ownedByStore_ = 0;
  ScriptStringWrapper wrapString_ = nullptr;
};
