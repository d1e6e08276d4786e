// Calls of the script host's methods: a call becomes a script request (the
// host object's atom, the method's atom and the arguments as texts), which
// the method table carries out; the timers and the global functions go to
// their own objects. Also the request written back as the script call that
// makes it.
#include "browser/view/script_context.h"
#include "browser/view/script_host_calls.h"
#include "index/query/index_query_result.h"
#include "index/recordsets/record_set.h"
#include "script/builtins/builtin_arguments.h"
#include "script/frames/operand_stack.h"
#include "script/values/name_table.h"
#include "script/values/script_status.h"
#include "script/values/script_value_escape.h"
#include "script/values/value_store.h"
#include "storage/documents/document.h"
#include "storage/sources/document_source.h"

namespace {

// Member codes above the last atom name no member.
constexpr int32_t kLastMemberCode = 318;
// A book's short name, when it has none, is cut from its title.
constexpr uint32_t kShortNameFromTitle = 3;

bool IsTimerMethod(int32_t atom) {
  return atom == kAtom_setTimeout || atom == kAtom_clearTimeout || atom == kAtom_setInterval ||
         atom == kAtom_clearInterval;
}

// Texts and objects are texts; numbers, booleans, undefined and null are
// numbers.
uint8_t NumericFlag(ScriptValueStore* store, ScriptValueHandle value) {
  const int32_t type = ScriptHandleType(value);
  if (type == kScriptTypeString) return 0;
  if (type == kScriptTypeObject) {
    ScriptObjectSlot* slot = store->GetObjectSlot(value);
    return slot != nullptr && slot->ref.owner != nullptr ? 0 : 1;
  }
  return 1;
}

// A text member of the record set: status 9 unless the member holds a text.
int32_t ReadTextMember(RecordSet* set, ScriptValueStore* store, int32_t atom, bool call, SharedWideString* out) {
  ScriptNameToken token;
  token.SetAtom(atom);
  ScriptMemberRef ref;
  ref.owner = set;
  int32_t status = kScriptOk;
  if (*set->ResolveMember(&status, token, &ref, 0) != kScriptOk) return kScriptInvalidType;
  ScriptValueHandle value = kScriptUndefinedHandle;
  if (call) {
    ScriptOperandStack stack;
    stack.SetStore(store);
    set->Invoke(&status, ref, 0, &stack, &value);
  } else {
    set->GetMemberValue(&status, ref, store, &value, kScriptTypeString);
  }
  // A member read must hold a text; a call's answer is converted (none: an
  // empty text).
  if (status == kScriptOk && !call && ScriptHandleType(value) != kScriptTypeString) status = kScriptInvalidType;
  if (status == kScriptOk && ScriptHandleType(value) == kScriptTypeUndefined) {
    out->Clear();
  } else if (status == kScriptOk) {
    store->ToString(&status, value, out, 0);
  }
  store->Release(&value);
  return status;
}

// The book's short name: its own, else at most the first characters of its
// title.
bool GetBookShortName(Document* document, SharedWideString* out) {
  out->Clear();
  if (document->GetShortName(out) && !out->IsEmpty()) return true;
  SharedWideString title;
  if (!document->GetTitle(&title)) return true;
  const uint32_t n = title.length < kShortNameFromTitle ? title.length : kShortNameFromTitle;
  out->AssignSubstring(title, 0, n);
  return true;
}

// The seven arguments a word-list entry is given by a record set: its
// head word and language, the book database and table of its index, its
// entry number, its formatted line and the book's short name.
int32_t ExpandRecordSet(ScriptValueStore* store, ScriptValueHandle value, ScriptRequest* request) {
  ScriptObjectSlot* slot = store->GetObjectSlot(value);
  RecordSet* set = slot != nullptr && slot->ref.IsSelf() ? dynamic_cast<RecordSet*>(slot->ref.owner) : nullptr;
  if (set == nullptr) return kScriptInvalidType;
  // Before the first entry and past the last there is no entry to read.
  const int32_t entry = set->GetEntryNumber();
  if (entry == -1 || entry == -2) return kScriptCannotGet;
  SharedWideString orth, language, database, table, formatted, shortName;
  int32_t status = ReadTextMember(set, store, kAtom_orth, false, &orth);
  if (status == kScriptOk) status = ReadTextMember(set, store, kAtom_language, false, &language);
  if (status != kScriptOk) return status;
  IndexQueryResult* result = set->Result();
  DocumentSourcePtr source;
  if (result != nullptr) source.Adopt(result->GetDocumentSource());  // a reference of our own
  Document* document = source ? source->GetDocument() : nullptr;
  if (document != nullptr) {
    document->GetStoreName(&database);
    GetBookShortName(document, &shortName);
  }
  set->GetTableName(&table);
  if ((status = ReadTextMember(set, store, kAtom_Formatted, true, &formatted)) != kScriptOk) return status;
  SharedWideString number;
  if (!number.AppendInt(entry)) return kScriptNoMemory;
  const bool added = request->arguments.Add(orth, 0) >= 0 && request->arguments.Add(language, 0) >= 0 &&
                     request->arguments.Add(database, 0) >= 0 && request->arguments.Add(table, 0) >= 0 &&
                     request->arguments.Add(number, 1) >= 0 && request->arguments.Add(formatted, 0) >= 0 &&
                     request->arguments.Add(shortName, 0) >= 0;
  return added ? kScriptOk : kScriptNoMemory;
}

// Argument i of the call appended to the request (the last argument of
// add_entry_to_wordlist expanded).
int32_t AppendArgument(ScriptOperandStack* stack, uint32_t count, uint32_t i, bool expand, ScriptRequest* request) {
  ScriptValueStore* store = CallStore(stack);
  ScriptValueHandle value = kScriptEmptyHandle;
  int32_t status = kScriptOk;
  if (*ReadArgument(&status, stack, count, i, &value) == kScriptCannotGet) {
    // null is a reference to no object: it reads as itself.
    status = kScriptOk;
    store->CopyValue(stack->Peek(count - 1 - i), &value);
  }
  if (status != kScriptOk) {
    store->Release(&value);
    return status;
  }
  if (expand) {
    status = ExpandRecordSet(store, value, request);
  } else {
    SharedWideString text;
    if (*store->ToString(&status, value, &text, 0) == kScriptOk &&
        request->arguments.Add(text, NumericFlag(store, value)) < 0) {
      status = kScriptNoMemory;
    }
  }
  store->Release(&value);
  return status;
}

// The name of a host object or method as a script writes it.
bool AppendAtomName(int32_t atom, SharedWideString* text) {
  if (atom == kAtom_remove || atom == kAtom_clear) {
    const char* name = atom == kAtom_remove ? "remove" : "clear";
    for (; *name != '\0'; ++name) {
      const WCHAR c = static_cast<WCHAR>(*name);
      if (!text->AppendChars(&c, 1)) return false;
    }
    return true;
  }
  SharedWideString name;
  if (atom > 0 && atom < kScriptAtomLimit) GetAtomText(atom, &name);
  return name.IsEmpty() ? text->AppendUnsigned(static_cast<uint32_t>(atom)) : text->Append(name);
}

}  // namespace

int32_t* DocumentView::Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                              ScriptOperandStack* stack, ScriptValueHandle* result) {
  if (*ScriptHostObject::Invoke(status, ref, argumentCount, stack, result) != kScriptMemberUnknown) return status;
  if (ref.memberCode > kLastMemberCode) {
    *status = kScriptInvalidType;
    return status;
  }
  if (ref.memberCode == kAtom_window && IsTimerMethod(ref.subCode)) {
    ScriptContext* context = ScriptHostCalls::ContextOf(this);
    if (context == nullptr) {
      *status = kScriptNotImplemented;
      return status;
    }
    ScriptMemberRef timer;
    timer.owner = &context->timers;
    timer.subCode = ref.subCode;
    return context->timers.Invoke(status, timer, argumentCount, stack, result);
  }
  ScriptRequest request;
  request.objectAtom = static_cast<uint16_t>(ref.memberCode);
  request.methodAtom = static_cast<uint16_t>(ref.subCode);
  const bool expandLast = ref.memberCode == kAtom_window && ref.subCode == kAtom_add_entry_to_wordlist;
  for (uint32_t i = 0; i < argumentCount; ++i) {
    const int32_t appended = AppendArgument(stack, argumentCount, i, expandLast && i + 1 == argumentCount, &request);
    if (appended != kScriptOk) {
      *status = appended;
      return status;
    }
  }
  InvokeScriptMethod(request, eventPoint_, CallStore(stack), result);
  *status = kScriptOk;
  return status;
}

int32_t DocumentView::InvokeScriptMethod(const ScriptRequest& request, Point point, ScriptValueStore* store,
                                         ScriptValueHandle* result) {
  eventPoint_ = point;
  switch (request.objectAtom) {
    case kAtom_document:
      return ScriptHostCalls::DocumentRow(this, request);
    case kAtom_bookmarks:
      return ScriptHostCalls::BookmarksRow(this, request);
    case kAtom_window:
      return ScriptHostCalls::WindowRow(this, request, store, result);
    case kAtom_history:
      return ScriptHostCalls::HistoryRow(this, request, store, result);
    case kAtom_cart:
      return ScriptHostCalls::CartRow(this, request);
    case kAtom_selection:
      return ScriptHostCalls::SelectionRow(this, request);
    case kAtom_location:
      return ScriptHostCalls::LocationRow(this, request);
    case kAtom_voice:
      return ScriptHostCalls::VoiceRow(this, request);
    case kAtom_index:
      return request.methodAtom == kAtom_seek && request.Count() == 1 && request.GetText(0) != nullptr
                 ? SetIndexQuery(*request.GetText(0))
                 : 0;
    case kAtom_audio:
      return ScriptHostCalls::AudioRow(this, request);
    default:
      return 0;
  }
}

bool DocumentView::DescribeRequest(const ScriptRequest& request, SharedWideString* text) {
  text->Clear();
  const WCHAR dot = u'.', open = u'(', close = u')', comma = u',', quote = u'\'';
  if (!AppendAtomName(request.objectAtom, text) || !text->AppendChars(&dot, 1) ||
      !AppendAtomName(request.methodAtom, text) || !text->AppendChars(&open, 1)) {
    return false;
  }
  for (uint32_t i = 0; i < request.Count(); ++i) {
    const ScriptRequestArgument& argument = request.arguments[i];
    if (i > 0 && !text->AppendChars(&comma, 1)) return false;
    if (argument.isNumber != 0) {
      if (!text->Append(argument.text)) return false;
      continue;
    }
    int32_t status = kScriptOk;
    SharedWideString escaped;
    if (*EscapeScriptString(&status, argument.text, &escaped) != kScriptOk || !text->AppendChars(&quote, 1) ||
        !text->Append(escaped) || !text->AppendChars(&quote, 1)) {
      return false;
    }
  }
  return text->AppendChars(&close, 1);
}

void DocumentView::AppendRequestText(const ScriptRequest& request, SharedWideString* text) {
  SharedWideString described;
  if (DescribeRequest(request, &described)) text->Append(described);
}
