// What the view passes to its focused page element besides painting and
// input: a key that stands for a page step, and a pending state (what a
// pop-up hands over before it carries out its link) and its reset.
#include "browser/view/document_view.h"
#include "layout/elements/command_event.h"
#include "layout/reading/page_element.h"

void DocumentView::PassKeyToPageElement(int32_t key) {
  if (focusedElement_ == nullptr || TextHasFocus()) return;
  CommandEvent event;
  event.command = key;
  focusedElement_->HandleCommand(event);
}

bool DocumentView::ApplyFocusedElementSettings(const ByteStream& state) {
  PageElement* element = FocusedPageElement();
  return element != nullptr && element->StateBuffer().Assign(state);
}

void DocumentView::ResetFocusedElementState() {
  PageElement* element = FocusedPageElement();
  if (element != nullptr) element->StateBuffer().Clear();
}
