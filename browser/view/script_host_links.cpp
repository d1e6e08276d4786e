// Link actions: what a tap on a link or an active area of a page does, by
// the kind of its action: open an address or a position, run a script,
// show a look-up, add a word to the word list, or carry out a reader
// method named by its numbers.
#include "browser/addresses/location.h"
#include "browser/host/view_application.h"
#include "browser/view/script_context.h"
#include "browser/view/script_host_calls.h"
#include "layout/styles/link_action.h"
#include "script/values/value_store.h"

namespace {

constexpr int32_t kOpenAtPosition = 2;
constexpr int32_t kLookupResult = 8;
constexpr int32_t kLanguageBits = 0x3FF;

const char16_t kRedirectPrefix[] = u"oeb:redirect?title=";

// A link's numbered request: its numbers name the host object and the
// method.
void StartRequest(const LinkAction& action, ScriptRequest* request) {
  request->objectAtom = action.first;
  request->methodAtom = action.second;
}

}  // namespace

bool DocumentView::PerformLinkAction(DocumentView* origin, LinkAction* action, Point point,
                                     SharedWideString* result) {
  if (action == nullptr) return false;
  if (origin == nullptr) origin = this;
  RefPtr<LinkAction> held(action);  // the action may lose its link while it runs
  switch (action->kind) {
    case LinkAction::kAddress:
      return OpenUrl(action->target, false);
    case LinkAction::kFilePosition:
      return action->number >= 0 && GoToPosition(static_cast<uint32_t>(action->number));
    case LinkAction::kScript:
      return origin->DispatchWidgetEvent(nullptr, action->target, point, result);
    case kLookupResult:
      if (controller_ == nullptr) return false;
      controller_->ShowLookupTip(action->number, point);
      return true;
    case LinkAction::kRangeList:
    case LinkAction::kMarkedRangeList:
      return controller_ != nullptr &&
             controller_->LookUpRanges(action->Ranges(), action->number > 0 ? static_cast<uint32_t>(action->number) : 0,
                                       action->target, action->title, action->kind == LinkAction::kMarkedRangeList);
    case LinkAction::kQualifiedTarget: {
      // The word goes to the word list with the redirect that finds it
      // again by its title.
      SharedWideString before, after, url(reinterpret_cast<const WCHAR*>(kRedirectPrefix));
      action->SplitTarget(&before, &after);
      if (!url.Append(before)) return false;
      ScriptRequest request;
      SharedWideString language, entry;
      const bool made = language.AppendInt(action->first & kLanguageBits) && entry.AppendInt(action->number) &&
                        request.arguments.Add(action->target, 0) >= 0 && request.arguments.Add(language, 1) >= 0 &&
                        request.arguments.Add(url, 0) >= 0 && request.arguments.Add(SharedWideString(), 0) >= 0 &&
                        request.arguments.Add(entry, 1) >= 0 && request.arguments.Add(action->title, 0) >= 0;
      return made && AddToWordList(request);
    }
    case kOpenAtPosition: {
      ScriptRequest request;
      request.methodAtom = kLinkPositionRequestCode;
      SharedWideString number;
      Url base;
      Location location;
      const bool parsed = GetBaseUrl(&base) ? Location::Parse(&location, action->target, &base)
                                            : Location::Parse(&location, action->target, nullptr);
      return number.AppendInt(action->number) && request.arguments.Add(number, 1) >= 0 && parsed &&
             OpenLocationWithRequest(&location, request);
    }
    default: {
      ScriptRequest request;
      StartRequest(*action, &request);
      SharedWideString number;
      if (action->kind == LinkAction::kNumberPairReference) {
        if (!number.AppendInt(action->number) || request.arguments.Add(number, 1) < 0) return false;
      } else if (action->kind == LinkAction::kNumberPairText) {
        if (request.arguments.Add(action->target, 0) < 0) return false;
      }
      ScriptContext* context = ScriptHostCalls::ContextOf(this);
      ScriptValueStore* store = context != nullptr ? context->valueStore : nullptr;
      ScriptValueHandle value = kScriptUndefinedHandle;
      const int32_t answer = InvokeScriptMethod(request, point, store, store != nullptr ? &value : nullptr);
      if (store != nullptr) store->Release(&value);
      if (result != nullptr) result->Clear();
      return answer != 0;
    }
  }
}
