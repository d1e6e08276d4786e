// ScriptHostObject: the base of the objects through which the application
// shows itself to scripts (the reader's script host, the script-page host).
// It is a dynamic object, so scripts add their own members to it, and it
// answers a fixed set of built-in members itself: the global functions and
// values, the URI coders, the database entries sql_execute and
// OpenDatabase, and two sub-objects, navigator and device, that describe
// the program and the machine. Derived classes answer their own members
// first and pass the rest here.
//
// Member codes of the references it answers:
//   -1   the object itself; with an atom as sub-code one of its members
//   25   (window) the object itself, when a derived class resolves it so
//   43, 44  navigator and device, with the member's atom as sub-code
//   38-41   the column-type constants, when a derived class resolves them so
//   319 + n the dynamic member n
#pragma once

#include <cstdint>

#include "script/host/script_app_environment.h"
#include "script/host/script_data_services.h"
#include "script/objects/dynamic_object.h"

class ScriptHostObject : public ScriptDynamicObject {
 public:
  static constexpr int32_t kHostWindow = 25;
  static constexpr int32_t kHostTypeString = 38;
  static constexpr int32_t kHostTypeUint = 41;
  static constexpr int32_t kHostNavigator = 43;
  static constexpr int32_t kHostDevice = 44;
  static constexpr int32_t kHostDynamicBase = 319;

  // No store until one attaches it; never deleted by the store.
  ScriptHostObject() = default;
  // Detaches itself from the store that knows it, so that no value keeps
  // a pointer to it.
  ~ScriptHostObject() override;

  int32_t GetKind() override { return 2; }
  int32_t MadeMemberBase() const override { return kHostDynamicBase; }
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                           SharedWideString* name) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // Codes 0-318 (the sub-objects' members and the constants) cannot be set
  // (kScriptCannotSet); every other code goes to the dynamic member code -
  // 319, so that a built-in member of the object itself, or the object
  // itself, gives kScriptBadMemberCode there.
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;

  // The application environment that gives the user-interface language and
  // the environment look-up; may be null (English, nothing found).
  virtual ScriptAppEnvironment* GetAppEnvironment(int32_t memberCode, int32_t subCode) = 0;
  // The window set's object through which queries run; may be null.
  virtual ScriptDocumentContext* GetDocumentContext() = 0;
  // The queries and databases of the document the host serves; null (the
  // default) answers sql_execute and OpenDatabase with status 15.
  virtual ScriptDataServices* GetDataServices() { return nullptr; }

 protected:
  // The reference with the dynamic member's own code, or false when it
  // names no dynamic member.
  static bool DynamicRef(const ScriptMemberRef& ref, ScriptMemberRef* inner);

 private:
  int32_t* GetDeviceValue(int32_t* status, int32_t atom, ScriptValueStore* store,
                          ScriptValueHandle* result);
};
