// The method table of the script host, rows of "history", "cart",
// "selection", "location", "voice" and "audio".
#include "browser/host/view_application.h"
#include "browser/view/script_host_calls.h"
#include "foundation/system/lifetime_guard.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Commands of the selection's methods.
constexpr int32_t kCommandCopy = 49;
constexpr int32_t kCommandHighlight = 42;
constexpr int32_t kCommandAnnotate = 43;
constexpr int32_t kCommandLookup = 45;
// The element command that starts reading aloud.
constexpr int32_t kCommandReadAloud = 85;

}  // namespace

int32_t ScriptHostCalls::HistoryRow(DocumentView* view, const ScriptRequest& request, ScriptValueStore* store,
                                    ScriptValueHandle* result) {
  const uint32_t count = request.Count();
  switch (request.methodAtom) {
    case kAtom_back:
      return count == 0 ? view->GoBack(false) : 0;
    case kAtom_forward:
      return count == 0 ? view->GoForward() : 0;
    case kAtom_set_checkpoint:
      view->SetCheckpoint();
      return 1;
    case kAtom_goto_checkpoint: {
      const bool moved = view->GoToCheckpoint();
      if (store != nullptr && result != nullptr) {
        int32_t status = kScriptOk;
        store->Release(result);
        store->NewBoolean(&status, moved ? 1 : 0, result);
      }
      return moved ? 1 : 0;
    }
    case kAtom_clear:
      if (count != 0) return 0;
      view->ClearHistory();
      return 1;
    default:
      return 0;
  }
}

int32_t ScriptHostCalls::CartRow(DocumentView* view, const ScriptRequest& request) {
  ViewApplication* application = Application(view);
  if (application == nullptr) return 0;
  const uint32_t count = request.Count();
  const SharedWideString none;
  int32_t id = 0;
  switch (request.methodAtom) {
    case kAtom_add: {
      // (id), (cart, id) or (cart, id, extra): the id and the extra are texts.
      if (count == 0 || count > 3) return 0;
      const uint32_t idIndex = count == 1 ? 0 : 1;
      const SharedWideString* identifier = request.GetText(idIndex);
      const SharedWideString* extra = count == 3 ? request.GetText(2) : &none;
      if (identifier == nullptr || extra == nullptr) return 0;
      const SharedWideString& cart = count == 1 ? none : request.arguments[0].text;
      return application->AddCartItem(cart, *identifier, *extra);
    }
    case kAtom_remove: {
      if (count == 0 || count > 2 || !request.GetSigned(count - 1, &id)) return 0;
      return application->RemoveCartItem(count == 2 ? request.arguments[0].text : none, id);
    }
    case kAtom_reset:
      if (count == 0) return application->ResetCart(none);
      return count == 1 && request.GetText(0) != nullptr ? application->ResetCart(*request.GetText(0)) : 0;
    case kAtom_submit:
      if (count > 2) return 0;
      return application->SubmitCart(count > 0 ? request.arguments[0].text : none,
                                     count > 1 ? request.arguments[1].text : none);
    case kAtom_export:
      // The file is the book's choice: the application decides whether it
      // may be written.
      if (count != 2 || request.GetText(0) == nullptr || request.GetText(1) == nullptr) return 0;
      return application->ExportCart(*request.GetText(0), *request.GetText(1));
    default:
      return 0;
  }
}

int32_t ScriptHostCalls::SelectionRow(DocumentView* view, const ScriptRequest& request) {
  ViewApplication* application = Application(view);
  if (application == nullptr) return 0;
  int32_t command = 0;
  switch (request.methodAtom) {
    case kAtom_copy: command = kCommandCopy; break;
    case kAtom_highlight: command = kCommandHighlight; break;
    case kAtom_annotate: command = kCommandAnnotate; break;
    case kAtom_lookup: command = kCommandLookup; break;
    default: return 0;
  }
  application->ExecuteCommand(command, 0);
  return 1;
}

int32_t ScriptHostCalls::LocationRow(DocumentView* view, const ScriptRequest& request) {
  if (request.methodAtom != kAtom_replace || request.Count() != 1 || request.GetText(0) == nullptr) return 0;
  // The address replaces the page shown: the application view records no
  // history entry for it.
  DocumentView* current = ApplicationView(view);
  LifetimeGuard guard(current->Anchor());
  const int32_t saved = HistoryRecording(current);
  HistoryRecording(current) = DocumentView::kRecordSuppressed;
  const bool opened = view->OpenUrl(*request.GetText(0), false);
  if (guard.IsWatching()) HistoryRecording(current) = saved;
  return opened ? 1 : 0;
}

int32_t ScriptHostCalls::VoiceRow(DocumentView* view, const ScriptRequest& request) {
  DocumentView* current = ApplicationView(view);
  const uint32_t count = request.Count();
  uint32_t n = 0;
  switch (request.methodAtom) {
    case kAtom_read:
      if (count > 0 && !request.GetNumber(0, &n)) return 0;
      current->SetSpeechParameter(static_cast<int32_t>(n));
      current->ExecuteCommand(kCommandReadAloud, 0);
      return 1;
    case kAtom_say:
      if (count == 0 || (count > 1 && !request.GetNumber(1, &n))) return 0;
      current->SetSpeechParameter(static_cast<int32_t>(n));
      current->SpeakText(request.arguments[0].text);
      return 1;
    case kAtom_system_play: {
      // The two numbers are read; nothing plays.
      uint32_t second = 0;
      if (count < 2) return 0;
      request.arguments[0].text.ParseUnsigned(10, &n);
      request.arguments[1].text.ParseUnsigned(10, &second);
      return 0;
    }
    default:
      return 0;
  }
}

int32_t ScriptHostCalls::AudioRow(DocumentView* view, const ScriptRequest& request) {
  ViewApplication* application = Application(view);
  const uint32_t count = request.Count();
  int32_t n = 0;
  switch (request.methodAtom) {
    case kAtom_play:
      if (count != 1 || request.GetText(0) == nullptr || application == nullptr) return 0;
      return application->PlaySoundList(*request.GetText(0));
    case kAtom_stop:
      if (application == nullptr) return 0;
      application->StopAudio();
      return 1;
    case kAtom_set_volume:
      if (count != 1 || !request.GetSigned(0, &n) || application == nullptr) return 0;
      return application->SetAudioVolume(n);
    case kAtom_pause:
      if (application == nullptr) return 0;
      application->PauseAudio();
      return 1;
    case kAtom_resume:
      if (application == nullptr) return 0;
      application->ResumeAudio();
      return 1;
    case kAtom_show:
      if (count == 0 || count > 2 || request.GetText(0) == nullptr || (count == 2 && request.GetText(1) == nullptr)) {
        return 0;
      }
      return view->ReloadWithRequest(request);
    case kAtom_goto_track:
      if (count != 1 || !request.GetSigned(0, &n) || application == nullptr) return 0;
      return application->SelectAudioTrack(n);
    default:
      return 0;
  }
}
