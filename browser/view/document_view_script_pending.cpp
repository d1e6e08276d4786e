// Operations of the document view's script host that are not built yet:
// the base object answers for the view until its own members exist.
#include "browser/view/document_view.h"

int32_t* DocumentView::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                                     uint8_t create) {
  return ScriptHostObject::ResolveMember(status, name, ref, create);
}

int32_t* DocumentView::Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                              ScriptOperandStack* stack, ScriptValueHandle* result) {
  return ScriptHostObject::Invoke(status, ref, argumentCount, stack, result);
}

int32_t* DocumentView::SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                      ScriptValueHandle value) {
  return ScriptHostObject::SetMemberValue(status, ref, store, value);
}

int32_t* DocumentView::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                      ScriptValueHandle* result, int32_t wantedType) {
  return ScriptHostObject::GetMemberValue(status, ref, store, result, wantedType);
}

bool DocumentView::DispatchWidgetEvent(int32_t, intptr_t) { return false; }

bool DocumentView::LoadNamedScript(const SharedWideString&) { return false; }


void DocumentView::AppendRequestText(const ScriptRequest& request, SharedWideString* text) {
  text->AppendUnsigned(request.methodAtom);
}
