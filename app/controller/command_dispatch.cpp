// ApplicationController::ExecuteCommand: every command identifier 0-119
// routed to the view's elements, the display, nowhere, or the table
// below; the listener is told each one afterwards. Also the action that
// runs when the user finishes a selection, and its pop-up menu.
//
// The dialogs and sheets run over their stand-ins (dialog_stand_ins.h)
// until they exist; commands whose pages or players do not exist yet (the
// look-ups, the drawing editor) do nothing here.
#include "app/commands/command_routing.h"
#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "app/environment/whole_text.h"
#include "app/preferences/preferences.h"
#include "app/window/key_records.h"
#include "platform/menus/menus.h"
#include "platform/windows/painting.h"

namespace {

constexpr uint32_t kMenuBase = 50000;
constexpr uint32_t kBackToNormalMenuId = 40084;

}  // namespace

void ApplicationController::OpenInternalAddress(const WCHAR* address, const NavigationRequestCode* request) {
  if (view_ == nullptr) return;
  EncodedString text;
  text.FromWide(address);
  view_->OpenAddress(text, request);
}

void ApplicationController::SetSelectionAction(uint32_t action, uint32_t viewCommand) {
  if (preferences_ != nullptr) preferences_->defaultSelectionAction = action;
  if (viewCommand != kNoCommand && view_ != nullptr) view_->ElementCommand(viewCommand);
}

void ApplicationController::ExecuteCommand(uint32_t command, bool fromQueue) {
  if (!fromQueue) DismissTransientUi(false);
  // A command may close the window and destroy this controller.
  LifetimeGuard guard(&anchor_);
  switch (RouteOfCommand(command)) {
    case CommandRoute::kElement:
      if (view_ != nullptr) view_->ElementCommand(command);
      break;
    case CommandRoute::kDisplay:
      if (view_ != nullptr) view_->DisplayCommand(command);
      break;
    case CommandRoute::kNothing:
      break;
    case CommandRoute::kController:
      RunControllerCommand(command);
      break;
  }
  if (guard.IsWatching() && listener_ != nullptr) listener_->AfterCommand(command);
}

void ApplicationController::RunControllerCommand(uint32_t command) {
  switch (command) {
    case 0:
      OpenInternalAddress(u"oeb:library", nullptr);
      break;
    case 1: {
      EncodedString shown;
      EncodedString path;
      if (view_ != nullptr && view_->GetDocumentPath(&shown) && CopyWholeTextAsUtf16(shown, &path)) {
        ShowBookProperties(path);
      }
      break;
    }
    case 2:
      if (view_ != nullptr) view_->ReloadWithRequest(NavigationRequestCode{69, 23});
      break;
    case 3:
      if (view_ != nullptr) view_->CloseDocument();
      break;
    case 4:
      OpenFindDialog();
      break;
    case 6:
      ShowOptions();
      break;
    case 7:
      ShowAbout();
      break;
    case 20:
      ShowGoToPage();
      break;
    case 113:
      FindNext();
      break;
    case 116:
      StepSound(true);
      break;
    case 117:
      ToggleSoundPause();
      break;
    case 118:
      StepSound(false);
      break;
    case 119:
      ShowVolume();
      break;
    case 5:
      OpenInternalAddress(u"oeb:redirect?title=Corvelline_Help", nullptr);
      break;
    case 8: {
      EncodedString path;
      if (view_ != nullptr && view_->HasDocument() && IsBeamAvailable() && view_->GetDocumentPath(&path)) {
        BeamFile(path);
      }
      break;
    }
    case 9:
    case 84: {
      SharedWideString address;
      if (environment_ != nullptr && environment_->LoadString(5151, &address)) {
        SharedWideString terminated;
        terminated.Append(address);
        terminated.AppendRepeated(0, 1);
        OpenUrlInBrowser(terminated.Chars());
      }
      break;
    }
    case 10:
      Exit();
      break;
    case 11:
    case 12:
      if (view_ != nullptr) view_->ChangeTextSize(command == 11 ? 1 : -1);
      break;
    case 15:
      if (view_ != nullptr && view_->HasDocument() && !view_->IsInternalPage()) {
        OpenInternalAddress(u"oeb:bookmarks", nullptr);
      }
      break;
    case 16:
      ToggleBookmark();
      break;
    case 17:
      StartVoiceRecorder();
      break;
    case 19:
      if (view_ != nullptr) {
        view_->GoToStartReading();
        view_->GoForward();
      }
      break;
    case 21:
      if (view_ != nullptr) view_->GoToFirstPage();
      break;
    case 22:
      if (view_ != nullptr) view_->GoForward();
      break;
    case 24:
      if (view_ == nullptr) break;
      if (view_->HasDocument() && !view_->IsInternalPage()) {
        view_->GoToToc();
      } else {
        EncodedString last;
        const NavigationRequestCode request{54, 23};
        if (preferences_ == nullptr || preferences_->lastDocument.IsEmpty() ||
            !preferences_->lastDocument.ToEncodedString(&last) || !view_->OpenAddress(last, &request)) {
          RunControllerCommand(0);
        }
      }
      break;
    case 25: {
      EncodedString path;
      if (ShowOpenFileDialog(&path) && view_ != nullptr) view_->OpenAddress(path, nullptr);
      break;
    }
    case 41:
      DeleteHighlightInSelection();
      break;
    case 42:
      AnnotateSelection(4);
      break;
    case 43:
      AnnotateSelection(2);
      break;
    case 44:
      AnnotateSelection(16);
      break;
    case 50:
      EditAnnotationAtSelection(2);
      break;
    case 51:
      EditAnnotationAtSelection(16);
      break;
    case 52:
      if (view_ != nullptr) view_->EditDrawingAtSelection();
      break;
    case 53:
      AddLink();
      break;
    case 54:
      SetLinkTarget();
      break;
    case 49: {
      SharedWideString text;
      if (GetSelectedWord(&text)) CopyToClipboard(text);
      break;
    }
    case 55:
      ToggleFullScreen(true, true);
      break;
    case 56: SetSelectionAction(0, 40); break;
    case 57: SetSelectionAction(1, 40); break;
    case 58: SetSelectionAction(3, 40); break;
    case 59: SetSelectionAction(2, 87); break;
    case 60: SetSelectionAction(4, 40); break;
    case 61: SetSelectionAction(5, 40); break;
    case 62: SetSelectionAction(6, 40); break;
    case 63: SetSelectionAction(7, 40); break;
    case 64: SetSelectionAction(8, 40); break;
    case 65: SetSelectionAction(9, kNoCommand); break;
    case 101: {
      const NavigationRequestCode request{109, 25};
      OpenInternalAddress(u"oeb:database?name=corvelline_wordlist", &request);
      break;
    }
    case 102: {
      const NavigationRequestCode request{115, 25};
      OpenInternalAddress(u"oeb:database?name=corvelline_history", &request);
      break;
    }
    case 114:
      if (preferences_ != nullptr && environment_ != nullptr &&
          preferences_->SetFontSize(environment_->GetDefaultSetting(3))) {
        if (view_ != nullptr) view_->RefreshElements();
        if (mainWindow_ != nullptr) InvalidateRect(mainWindow_, nullptr, TRUE);
      }
      break;
    case 115:
      if (preferences_ != nullptr) {
        preferences_->showProgressBar = preferences_->showProgressBar != 0 ? 0 : 1;
        preferences_->ApplyToView();
      }
      break;
    default:
      // 45-48: the look-ups and the image mode are not part of this frame
      // yet.
      break;
  }
}

bool ApplicationController::GetSelectedWord(SharedWideString* word) const {
  word->Clear();
  if (view_ != nullptr && view_->GetSelectedText(word) && !word->IsEmpty()) return true;
  word->Assign(lastWord_);
  return !word->IsEmpty();
}

void ApplicationController::OnSelectionMade(bool rangeEmpty, const SharedWideString& text, POINT point) {
  if (rangeEmpty) {
    lastWord_.Assign(text);
  } else {
    lastWord_.Clear();
  }
  const uint32_t action = preferences_ != nullptr ? preferences_->defaultSelectionAction : 0;
  static constexpr uint32_t kActionCommands[10] = {0, 42, 45, 43, 44, 53, 54, 49, 41, 0};
  if (action >= 1 && action <= 8) {
    ExecuteCommand(kActionCommands[action], false);
    return;
  }
  if (action == 9) {
    if (view_ != nullptr) view_->CancelSelection();
    return;
  }
  uint32_t items[12][2];
  uint32_t count = 0;
  auto add = [&](uint32_t command, uint32_t stringId) {
    items[count][0] = command;
    items[count][1] = stringId;
    ++count;
  };
  if (!text.IsEmpty()) {
    add(45, 5089);
    add(49, 5085);
  }
  const bool pending = view_ != nullptr && view_->LinkRequestPending();
  if (view_ != nullptr && view_->HasSideFile() && !rangeEmpty) {
    add(42, 5084);
    if (view_->SelectionHasHighlight()) add(41, 5086);
    add(43, 5082);
    add(44, 5088);
    add(16, view_->CurrentPageHasBookmark() ? 5225 : 5002);
    add(52, 5003);
    if (!pending) add(53, 5091);
  }
  if (pending) add(54, 5092);
  if (view_ != nullptr && view_->SelectionOffersImage()) add(48, 5087);
  if (count == 0) return;
  ShowSelectionMenu(point, items, count);
}

void ApplicationController::ShowSelectionMenu(POINT point, const uint32_t (*items)[2], uint32_t count) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t command = items[i][0];
    const uint32_t stringId = items[i][1];
    if (command == kNoCommand) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (stringId == 0xFFFFFFFFu) continue;
    SharedWideString label;
    if (environment_ != nullptr) environment_->LoadString(stringId, &label);
    SharedWideString terminated;
    terminated.Append(label);
    terminated.AppendRepeated(0, 1);
    AppendMenuW(menu, MF_STRING, kMenuBase + command, terminated.Chars());
  }
  if (preferences_ != nullptr && preferences_->fullScreen != 0) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    SharedWideString label;
    if (environment_ != nullptr) environment_->LoadString(5269, &label);
    label.AppendRepeated(0, 1);
    AppendMenuW(menu, MF_STRING, kBackToNormalMenuId, label.Chars());
  }
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, point.x, point.y, mainWindow_, nullptr));
  DestroyMenu(menu);
  if (chosen == 0) return;
  const uint32_t command = chosen == kBackToNormalMenuId ? 55 : chosen - kMenuBase;
  if (command == 47 && (view_ == nullptr || !view_->OffersCommand(47))) {
    ShowMessage(-1, 5097, 0);
    return;
  }
  if (command == 46 && (view_ == nullptr || !view_->OffersCommand(46))) {
    ShowMessage(-1, 5096, 0);
    return;
  }
  ExecuteCommand(command, false);
}
