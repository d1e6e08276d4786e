// What the reader does with the links and the selection of the shown page:
// making a link current, carrying one out, the keys that step between
// links and pages, and handing the selection to the application (its
// report, an outside program, the word to look up).
#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/objects/inline_object.h"
#include "layout/pages/layout_context.h"
#include "layout/shapes/shape_area.h"
#include "layout/styles/link_action.h"

namespace {

// The step of GoToPageRelative each move command takes when no other link
// answers it: a page for the field steps, a line for the item steps.
struct MoveStep {
  int32_t command;
  int32_t step;
  int32_t last;
};
constexpr MoveStep kMoveSteps[] = {{1035, 2, 255}, {1036, -2, 255}, {1037, 1, 1}, {1038, -1, 255}};

}  // namespace

void DocumentView::SetCurrentLink(int32_t index) {
  if (!ReadingTextFocused()) return;
  CancelSelection();
  layout_->SetCurrentLink(index, false, true);
  // With no link current the keys go to the text again.
  if (layout_ != nullptr && layout_->GetCurrentLinkIndex() < 0) text_.TakeFocus();
}

void DocumentView::ActivateCurrentLink() {
  if (!ReadingTextFocused()) return;
  const ShapeArea* area = layout_->LinkArea(layout_->GetCurrentLinkIndex());
  if (area == nullptr) return;
  Point anchor{0, 0};
  area->AnchorPoint(&anchor);
  ActivateLinkArea(area, anchor);
}

void DocumentView::ActivateLinkArea(const ShapeArea* area, Point point) {
  if (area == nullptr) return;
  // What the area holds is kept by reference: carrying it out may close
  // the page that owns the area.
  if (area->control.Get() != nullptr) {
    RefPtr<InlineObject> object(area->control.Get());
    if (UIElement* element = object->AsElement()) element->Activate(true, 0);
    return;
  }
  RefPtr<LinkAction> action(area->link.Get());
  if (!action) return;
  Point mapped = point;
  if (surface_ != nullptr) MapPoint(&mapped, true, true, surface_, point, true);
  if (action->kind != 0) {
    // Scripts run in the window's context: the application's current view
    // carries the action out on behalf of this one.
    DocumentView* performer = controller_ != nullptr ? controller_->GetDocumentView() : nullptr;
    if (performer == nullptr) performer = this;
    performer->PerformLinkAction(this, action.Get(), mapped, nullptr);
  } else if (!action->title.IsEmpty() && controller_ != nullptr) {
    controller_->ShowTextPopup(action->title, 0, mapped);
  }
}

void DocumentView::MoveToTarget(bool next) {
  // The targets the reader steps through beyond the page are the book's
  // marks.
  if (next) {
    NextBookmark();
  } else {
    PreviousBookmark();
  }
}

bool DocumentView::HandleMoveCommand(int32_t command, bool noCurrentLink) {
  (void)noCurrentLink;
  // A view without a frame set has no frame to move the focus to: the
  // command moves the page.
  for (const MoveStep& move : kMoveSteps) {
    if (move.command == command) return GoToPageRelative(move.step, 1, move.last);
  }
  return false;
}

void DocumentView::OnSelectionChanged(Point point) {
  if (controller_ == nullptr) return;
  ViewTextRange range;
  SharedWideString text;
  uint32_t first = 0;
  uint32_t second = 0;
  Rect rect;
  if (!GetSelection(&range, &text, &first, &second, &rect) || (range.end <= range.start && text.IsEmpty())) return;
  // A frame's selection is reported at the frame set's origin.
  Point mapped{0, 0};
  if (!IsFrameView()) {
    mapped = point;
    if (surface_ != nullptr) MapPoint(&mapped, true, true, surface_, point, true);
  }
  controller_->OnSelectionMade(this, range.start, range.end, text, first, second, mapped);
}

bool DocumentView::StartExternalApp(const SharedWideString& name, const SharedWideString& text) {
  if (controller_ == nullptr) return false;
  SharedWideString chosen = text;
  if (chosen.IsEmpty()) {
    ViewTextRange range;
    uint32_t first = 0;
    uint32_t second = 0;
    Rect rect;
    GetSelection(&range, &chosen, &first, &second, &rect);
  }
  return controller_->OpenInWordProcessor(name, chosen);
}

void DocumentView::GetLookupWord(SharedWideString* text) {
  if (text == nullptr) return;
  text->Clear();
  if (layout_ != nullptr && !layout_->GetLookupWord(text)) text->Clear();
}
