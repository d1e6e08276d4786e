// Helpers of the script value tests: text of wide strings, and a recording
// script object that answers GetMemberValue from a value it is given and
// keeps the NotifyStore events it hears.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace scripttest {

inline std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

inline SharedWideString Wide(const std::u16string& text) {
  SharedWideString s;
  EXPECT_TRUE(s.FromChars(text.data(), static_cast<uint32_t>(text.size())));
  return s;
}

// The payloads of immediate value words, checked to be of the type.
inline int32_t IntegerIn(ScriptValueHandle h) {
  EXPECT_EQ(ScriptHandleType(h), kScriptTypeInteger);
  return ScriptHandleInteger(h);
}

inline double NumberIn(ScriptValueHandle h) {
  EXPECT_EQ(ScriptHandleType(h), kScriptTypeNumber);
  return ScriptHandleNumber(h);
}

inline std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

// A host-like object: GetMemberValue answers a copy of `answer` (or the
// status `failWith`), SetMemberValue keeps a copy in `answer`, and every
// NotifyStore event is recorded. `answer` holds a reference of its own,
// released by the destructor through `store`. With deleteOnRelease it deletes itself on
// kScriptStoreReleased, counting into *deletions.
class RecordingObject : public ScriptObject {
 public:
  std::vector<int32_t> events;
  std::vector<int32_t> wantedTypes;
  ScriptValueStore* store = nullptr;
  ScriptValueHandle answer = kScriptEmptyHandle;
  int32_t failWith = kScriptOk;
  bool deleteOnRelease = false;
  int* deletions = nullptr;

  ~RecordingObject() override {
    if (store != nullptr && answer != kScriptEmptyHandle) store->Release(&answer);
    if (deletions != nullptr) ++*deletions;
  }

  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef&, ScriptValueStore* s,
                          ScriptValueHandle* result, int32_t wantedType) override {
    wantedTypes.push_back(wantedType);
    if (failWith != kScriptOk || ScriptHandleType(answer) == kScriptTypeEmpty) {
      *status = failWith != kScriptOk ? failWith : kScriptCannotGet;
      return status;
    }
    s->Release(result);
    s->CopyValue(answer, result);
    *status = kScriptOk;
    return status;
  }

  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef&, ScriptValueStore* s,
                          ScriptValueHandle value) override {
    ScriptValueHandle old = answer;
    s->CopyValue(value, &answer);
    s->Release(&old);
    store = s;
    *status = kScriptOk;
    return status;
  }

  void NotifyStore(int32_t event, ScriptValueStore* s) override {
    events.push_back(event);
    if (event == kScriptStoreAttached) store = s;
    if (event == kScriptStoreReleased && deleteOnRelease) delete this;
  }
};

}  // namespace scripttest
