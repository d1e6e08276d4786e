// ReadingTextControl: commands, the keyboard selection mode and which
// commands the shown location allows.
#include "layout/reading/reading_text_control.h"

namespace {

constexpr int32_t kNoCommand = 0xFFFFFF;

// Commands a location of kind 1, 3 or 4 (not an ordinary document) has no
// use for, beside the one each kind adds.
bool DisabledForLocation(int32_t kind, int32_t command) {
  if (kind != 1 && kind != 3 && kind != 4) return false;
  switch (command) {
    case 8:
    case 16:
    case 24:
    case 41:
    case 42:
    case 43:
    case 44:
    case 50:
    case 51:
    case 52:
    case 53:
    case 54:
      return true;
    default:
      break;
  }
  return (kind == 1 && command == 0) || (kind == 3 && command == 15) || (kind == 4 && command == 7);
}

}  // namespace

bool ReadingTextControl::HandleSelectionCommand(int32_t code) {
  PageSelection* selection = layout_ != nullptr ? layout_->Selection() : view_->Selection();
  if (code >= 1 && code <= 4) {
    if (selection == nullptr) return true;
    selection->MoveCaret(code);
    if (mode_ != kKeyboardExtend) selection->SetSelectionEnd(true);
    selection->SetSelectionEnd(false);
    RebuildHighlight();
    return true;
  }
  if (code >= 257 && code <= 260) {
    if (selection == nullptr) return true;
    selection->MoveCaret(code - 256);
    selection->SetSelectionEnd(false);
    RebuildHighlight();
    return true;
  }
  if (code == 23 && layout_ != nullptr) {
    if (mode_ == kKeyboardCaret) {
      mode_ = kKeyboardExtend;
      layout_->FlashSelection();
    } else {
      Point anchor;
      if (layout_->GetHighlightAnchorPoint(&anchor)) view_->SelectionMade(anchor);
    }
    return true;
  }
  if (code == 23) {
    SelectionHighlight* highlight = view_->Highlight();
    if (mode_ == kKeyboardCaret) {
      mode_ = kKeyboardExtend;
      if (highlight != nullptr) highlight->Flash(view_->Surface());
    } else {
      Point anchor;
      if (highlight != nullptr && highlight->GetAnchorPoint(&anchor)) view_->SelectionMade(anchor);
    }
    return true;
  }
  if (code == 24) {
    CancelSelection();
    return true;
  }
  return false;
}

bool ReadingTextControl::StepLines(int32_t code) {
  if (!SingleColumn()) code = code == 13 || code == 15 ? 11 : 12;
  switch (code) {
    case 11:
      view_->StepPage(2, kNoLinkIndex);
      break;
    case 12:
      view_->StepPage(-2, kNoLinkIndex);
      break;
    case 13:
      if (view_->PageEndsWithBreakMark()) {
        view_->StepPage(2, 1);
      } else {
        view_->StepPage(1, kNoLinkIndex);
      }
      break;
    case 14:
      view_->StepPage(-1, kNoLinkIndex);
      break;
    case 15:
      view_->StepPage(3, kNoLinkIndex);
      break;
    default:
      view_->StepPage(-3, kNoLinkIndex);
      break;
  }
  return true;
}

bool ReadingTextControl::HandleCommand(const CommandEvent& event) {
  const int32_t code = event.command;
  if (mode_ != kNone && HandleSelectionCommand(code)) return true;
  switch (code) {
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
      return StepLines(code);
    case 17:
    case 18:
      view_->SetCurrentLink(-1);
      view_->MoveToTarget(code == 17);
      return true;
    case 23: {
      const int32_t count = view_->LinkAreaCount();
      if (count == 0 || view_->GetCurrentLinkIndex() >= count) return false;
      view_->ActivateCurrentLink();
      return true;
    }
    case 24:
      view_->SetCurrentLink(-1);
      CancelSelection();
      return true;
    case 25: {
      const WCHAR character = static_cast<WCHAR>(event.wParam);
      const int32_t count = view_->LinkAreaCount();
      if (character < u'1' || character > u'9' || count == 0) return false;
      int32_t n = character - u'1';
      if (n >= count) n = count - 1;
      view_->SetCurrentLink(n);
      return true;
    }
    case 26:
      if (static_cast<int32_t>(event.lParam) != kNoCommand) view_->ExecuteControllerCommand(static_cast<int32_t>(event.lParam));
      return true;
    case 513:
    case 514:
    case 515:
    case 516: {
      WideTables* tables = Tables();
      if (tables == nullptr) return true;
      const Point delta = code == 513   ? Point{0, -kTableCommandStep}
                          : code == 514 ? Point{0, kTableCommandStep}
                          : code == 515 ? Point{-kTableCommandStep, 0}
                                        : Point{kTableCommandStep, 0};
      tables->ResetTableScroll();
      if (tables->ScrollTables(delta, false, nullptr, WideTables::kSelectedOrAll, nullptr)) {
        // The page's areas and highlight were placed before the scroll.
        if (layout_ != nullptr) layout_->ClearHighlight();
        view_->Repaint();
      }
      return true;
    }
    case 1035:
    case 1036:
    case 1037:
    case 1038: {
      const bool forward = code == 1035 || code == 1037;
      const int32_t current = view_->GetCurrentLinkIndex();
      const int32_t next = current < 0 ? -1 : forward ? current + 1 : current - 1;
      if (current >= 0 && next >= 0 && next < view_->LinkAreaCount()) {
        view_->SetCurrentLink(next);
        return true;
      }
      return view_->HandleMoveCommand(code, current < 0);
    }
    default:
      return false;
  }
}

void ReadingTextControl::ToggleKeyboardSelection(int32_t command) {
  if (mode_ != kNone) {
    CancelSelection();
    return;
  }
  view_->SetCurrentLink(-1);
  mode_ = command == 40 ? kKeyboardCaret : kStylus;
  if (layout_ != nullptr) {
    layout_->ClearSelectionHighlight();
    layout_->MoveCaret(4);
    layout_->SetSelectionEnd(true, false);
    layout_->SetSelectionEnd(false, true);
    return;
  }
  PageSelection* selection = view_->Selection();
  if (view_->Highlight() != nullptr) view_->Highlight()->Clear(view_->Surface());
  if (selection == nullptr) return;
  selection->MoveCaret(4);
  selection->SetSelectionEnd(true);
  selection->SetSelectionEnd(false);
  RebuildHighlight();
}

void ReadingTextControl::ExecuteCommand(int32_t command, intptr_t arg) {
  switch (command) {
    case 13:
      view_->StepPage(1, kNoLinkIndex);
      break;
    case 14:
      view_->StepPage(-1, kNoLinkIndex);
      break;
    case 23:
      view_->ExecuteActionCommand(arg);
      break;
    case 40:
    case 87:
      ToggleKeyboardSelection(command);
      break;
    case 85:
    case 86:
      view_->ReadAloud(command == 86);
      break;
    case 66:
      view_->StepPage(2, kNoLinkIndex);
      break;
    case 67:
      view_->StepPage(-2, kNoLinkIndex);
      break;
    default:
      break;
  }
}

bool ReadingTextControl::IsCommandEnabled(int32_t command) {
  if (command >= 26 && command <= 39) return false;
  if (!view_->HasLayout()) return true;
  if (DisabledForLocation(view_->LocationKind(), command)) return false;
  switch (command) {
    case 66:
      return view_->CanStep(2);
    case 67:
      return view_->CanStep(-2);
    case 68:
      return view_->CanStep(1);
    case 69:
      return view_->CanStep(-1);
    case 79:
    case 82:
      return SingleColumn();
    default:
      return true;
  }
}
