// ScriptSiteCacheEntry: what a look-up of a name at one place of a script's
// code found last time, so that running the same place again need not ask
// every scope for the name.
//
// An entry records the scopes the look-up walked (innermost first) with the
// name stamps they had (ScriptDynamicObject::NameStamp) and the reference it
// answered. It still holds while the scopes at the same places of the chain
// are the same objects with the same stamps: stamps are never reused, so an
// object that went away and another at its address, or an object that
// gained or renewed a name since, both miss. A plain object in the place of
// another (each call of a function has its own variables) is judged by its
// names instead: one passed over must lack the name, the one it was found
// in must hold it at the same index. Only objects that answer from their
// member names alone are recorded; a look-up that walked any other scope is
// not cached. Entries hold no references: the pointers in them are only
// compared, never followed.
#pragma once

#include <cstdint>

#include "script/values/script_value.h"

inline constexpr uint32_t kScriptSiteCacheScopes = 4;

struct ScriptSiteCacheEntry {
  uint32_t position = UINT32_MAX;  // the word index of the site; no site
  uint32_t scopes = 0;             // scopes walked, 1 to kScriptSiteCacheScopes
  uint8_t foundPlain = 0;          // the last one was a plain object
  ScriptObject* objects[kScriptSiteCacheScopes] = {};
  uint64_t stamps[kScriptSiteCacheScopes] = {};
  ScriptMemberRef ref;
  // What the run loop decoded at a site (its word index and the end of its
  // function's range): whether the instruction after the look-up reads its
  // value at once. The code never changes, so this holds while the site is
  // the same.
  uint32_t decodedAt = UINT32_MAX;
  uint32_t decodedEnd = 0;
  uint8_t readsAtOnce = 0;
};
