// The link areas and the selection of the shown page, answered while the
// reading text with a layout has the focus (-1, 0, false or empty
// otherwise), and what the reading text control reads of them.
#include "browser/host/view_application.h"
#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/objects/inline_object.h"
#include "layout/pages/layout_context.h"
#include "storage/documents/document.h"

namespace {

// The languages whose words are written without spaces: Chinese, Japanese
// and Korean, by the low ten bits of a locale identifier.
bool IsCjkLanguage(uint32_t language) {
  const uint32_t primary = language & 0x3FF;
  return primary == 4 || primary == 17 || primary == 18;
}

bool IsCjkCharacter(WCHAR c) {
  return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

}  // namespace

bool DocumentView::GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point point, int32_t tolerance) {
  *area = nullptr;
  *index = -1;
  if (!ReadingTextFocused()) return false;
  *index = layout_->GetLinkAreaAt(point, tolerance, area);
  return *index >= 0;
}

int32_t DocumentView::LinkAreaCount() {
  if (!ReadingTextFocused()) return 0;
  layout_->BuildLinkAreas();  // once the page was painted
  return layout_->LinkAreaCount();
}

int32_t DocumentView::GetCurrentLinkIndex() { return ReadingTextFocused() ? layout_->GetCurrentLinkIndex() : -1; }

int32_t DocumentView::FindLinkAreaOfElement(const void* element) {
  if (!ReadingTextFocused()) return -1;
  return layout_->FindLinkAreaOfElement(static_cast<const InlineObject*>(element));
}

int32_t DocumentView::CountLinks() { return ReadingTextFocused() ? layout_->CountLinks() : 0; }

int32_t DocumentView::NextLinkIndex(int32_t n) { return ReadingTextFocused() ? layout_->NextLinkIndex(n) : -1; }

int32_t DocumentView::PreviousLinkIndex(int32_t n) {
  return ReadingTextFocused() ? layout_->PreviousLinkIndex(n) : -1;
}

bool DocumentView::GetSelection(ViewTextRange* range, SharedWideString* text, uint32_t* firstLanguage,
                                uint32_t* secondLanguage, Rect* onScreen) {
  *range = ViewTextRange();
  *text = SharedWideString();
  *firstLanguage = 0;
  *secondLanguage = 0;
  *onScreen = Rect();
  if (!ReadingTextFocused() || layout_->HasNoSelection()) return false;
  layout_->GetSelectionRange(&range->start, &range->end);
  uint16_t textLanguage = 0;
  if (!layout_->GetSelectedText(text, &textLanguage)) return false;
  if (layout_->GetHighlightBounds(onScreen) && surface_ != nullptr) {
    Point corner{onScreen->x, onScreen->y};
    Point mapped;
    MapPoint(&mapped, true, true, surface_, corner, true);
    onScreen->x = mapped.x;
    onScreen->y = mapped.y;
  }
  // The pair of languages a look-up goes between.
  uint32_t first = textLanguage;
  uint32_t second = 0;
  if (Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr) {
    const uint32_t language = document->GetLanguage();
    uint32_t input = 0;
    uint32_t output = 0;
    document->GetDictionaryLanguages(&input, &output);
    const bool flag = document->HasExthFlag80();
    if (textLanguage == language && input != output && !flag) {
      first = input;
      second = output;
    }
  }
  if (text->length != 0) {
    // A code is kept only when it agrees with the script of the first
    // selected character.
    const bool cjk = IsCjkCharacter(text->Chars()[0]);
    if (IsCjkLanguage(first) != cjk) first = 0;
    if (IsCjkLanguage(second) != cjk) second = 0;
  }
  *firstLanguage = first != 0 ? first : second;
  *secondLanguage = first != 0 ? second : 0;
  return true;
}

bool DocumentView::GetSelectionBounds(Rect* out) {
  *out = Rect();
  return ReadingTextFocused() && layout_->GetHighlightBounds(out);
}

bool DocumentView::GetSelectionTextByUnit(SharedWideString* text, int32_t unit) {
  *text = SharedWideString();
  return ReadingTextFocused() && unit >= 0 && layout_->GetSelectionTextByUnit(text, static_cast<uint32_t>(unit));
}

void DocumentView::CancelSelection() {
  if (!TextHasFocus()) return;
  text_.CancelSelection();
  if (layout_ != nullptr) layout_->ClearSelectionHighlight();
}

bool DocumentView::OfferToSelectedObjects(intptr_t value) {
  return ReadingTextFocused() && value != 0 && layout_->OfferToSelectedObjects(reinterpret_cast<const WCHAR*>(value));
}

PageSelection* DocumentView::Selection() { return layout_ != nullptr ? layout_->Selection() : nullptr; }

SelectionHighlight* DocumentView::Highlight() {
  if (layout_ == nullptr) return nullptr;
  LaidOutPage* page = layout_->ShownPage();
  return page != nullptr ? &page->highlight : nullptr;
}

WideTables* DocumentView::Tables() { return layout_ != nullptr ? &layout_->Tables() : nullptr; }

void DocumentView::SelectionMade(Point point) { OnSelectionChanged(point); }

bool DocumentView::PageEndsWithBreakMark() { return false; }

bool DocumentView::HasDictionariesForSelection() {
  if (loader_ == nullptr || loader_->GetCatalogue() == nullptr) return false;
  ViewTextRange range;
  SharedWideString text;
  uint32_t first = 0;
  uint32_t second = 0;
  Rect rect;
  if (!GetSelection(&range, &text, &first, &second, &rect)) return false;
  LibraryCatalogue* catalogue = loader_->GetCatalogue();
  catalogue->ScanAllLocations();
  return catalogue->HasDictionaries(first, second);
}
