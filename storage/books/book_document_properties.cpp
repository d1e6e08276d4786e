// BookDocument: the property lists (the title and the guide), the language
// its guide may name, and the named targets and position texts that the
// book's index tables answer through the index subsystem's services.
#include "storage/books/book_document.h"
#include "storage/books/book_header_summary.h"
#include "storage/books/book_index_services.h"

namespace {

BookGuideReader* gGuideReader = nullptr;
BookIndexServices* gIndexServices = nullptr;

constexpr int32_t kGuideKind = 2;
constexpr int32_t kTitleKind = 3;
constexpr int32_t kUncountedKind = 4;

}  // namespace

void SetBookGuideReader(BookGuideReader* reader) { gGuideReader = reader; }
BookGuideReader* GetBookGuideReader() { return gGuideReader; }
void SetBookIndexServices(BookIndexServices* services) { gIndexServices = services; }
BookIndexServices* GetBookIndexServices() { return gIndexServices; }

int32_t BookDocument::GetGuideState() {
  if (guideState_ < 0) {
    bool markup = false;
    if (gGuideReader == nullptr) return 0;
    gGuideReader->ParseGuideFragment(this, &markup);
    guideState_ = markup ? 2 : 1;
  }
  return guideState_;
}

bool BookDocument::EnsureGuide() {
  if (guideLoaded_) return true;
  guideLoaded_ = true;
  if (gGuideReader == nullptr || store_ == nullptr) return false;
  uint32_t language = 0;
  gGuideReader->BuildGuideList(this, &guide_, nullptr, &language, true);
  guideLanguage_ = language;
  return true;
}

bool BookDocument::HasPropertyList(int32_t kind) { return kind == kGuideKind || kind == kTitleKind; }

uint32_t BookDocument::GetPropertyCount(int32_t kind) {
  switch (kind) {
    case kUncountedKind: return 0xFFFFFFFFu;
    case kTitleKind:
      if (fullName_.IsEmpty() && store_ != nullptr && header_.headerVersion > 2) {
        BookHeaderSummary summary;
        if (ReadBookHeaderSummary(store_, &summary)) fullName_ = summary.fullName;
      }
      return fullName_.IsEmpty() ? 0 : 1;
    case kGuideKind:
      EnsureGuide();
      return guide_.Count();
    default: return 0;
  }
}

bool BookDocument::GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) {
  if (out == nullptr) return false;
  if (kind == kTitleKind && n == 0) {
    if (fullName_.IsEmpty() && store_ != nullptr) {
      BookHeaderSummary summary;
      if (ReadBookHeaderSummary(store_, &summary)) fullName_ = summary.fullName;
    }
    *out = DocumentProperty();
    out->kind = kTitleKind;
    out->value = fullName_;
    if (header_.headerVersion <= 2) {
      static const char16_t kTitle[] = u"Title";
      out->name.FromChars(kTitle, 5);
      out->position = 0;
    }
    return true;
  }
  if (kind == kGuideKind) {
    EnsureGuide();
    if (n >= guide_.Count()) return false;
    *out = guide_[n];
    return true;
  }
  return false;
}

bool BookDocument::FindProperty(const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out,
                                int32_t value) {
  switch (kind) {
    case 0:
    case 4:
    case 5:
    case 7:
    case 8:
      return gIndexServices != nullptr && out != nullptr &&
             gIndexServices->FindProperty(this, name, length, kind, out, value);
    default: return Document::FindProperty(name, length, kind, out, value);
  }
}

void BookDocument::CreatePositionQuery(IndexQueryResult** result, uint32_t position, IndexTable* source) {
  if (gIndexServices == nullptr || result == nullptr) {
    Document::CreatePositionQuery(result, position, source);
    return;
  }
  *result = gIndexServices->CreatePositionQuery(this, position, source);
}

bool BookDocument::GetPositionEntryText(uint32_t position, SharedWideString* text) {
  if (text != nullptr) text->Clear();
  return gIndexServices != nullptr && text != nullptr && gIndexServices->GetPositionEntryText(this, position, text);
}
