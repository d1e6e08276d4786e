// Reading the guide with the markup parser: the head's GUIDE references,
// the METADATA information page, DC:TITLE and DC:LANGUAGE, and the entry
// where reading starts.
#include "layout/guide/book_guide.h"

#include <new>

#include "foundation/language/language_tag.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "layout/styles/link_action.h"

namespace {

constexpr int32_t kGuideKind = 2;
// How far past the table of contents its links are looked for.
constexpr uint32_t kTocReach = 2048;

bool NameIs(const SharedWideString& name, const char16_t* text) {
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  if (name.length != n) return false;
  const WCHAR* chars = name.Chars();
  for (uint32_t i = 0; i < n; ++i)
    if (chars[i] != text[i]) return false;
  return true;
}

// A string of its own with the text's characters (a parser's string may
// share a block of the document).
bool OwnCopy(const SharedWideString& text, SharedWideString* out) {
  out->Clear();
  return text.length == 0 || out->AppendChars(text.Chars(), text.length);
}

bool SetText(SharedWideString* out, const char16_t* text) {
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  out->Clear();
  return out->AppendChars(text, n);
}

// The entry of the current REFERENCE tag; false when it has no target.
bool ReadReference(MarkupParser& parser, DocumentProperty* entry) {
  SharedWideString text;
  entry->kind = kGuideKind;
  parser.GetAttributeText(kMarkupTitle, &text);
  OwnCopy(text, &entry->value);
  parser.GetAttributeText(kMarkupType, &text);
  OwnCopy(text, &entry->name);
  uint32_t position = 0;
  if (parser.GetAttributeValue(kMarkupFilepos, &position)) {
    entry->position = static_cast<int32_t>(position);
    return true;
  }
  entry->position = DocumentProperty::kPositionIsUrl;
  parser.GetAttributeText(kMarkupHref, &text);
  if (text.length == 0 && parser.GetAttributeText(kMarkupOnclick, &text)) {
    entry->position = DocumentProperty::kPositionIsScript;
  }
  OwnCopy(text, &entry->text);
  return entry->text.length != 0;
}

// The index of the last entry of the list with that name, or -1.
int64_t LastNamed(GuideList* list, uint32_t from, const char16_t* name) {
  int64_t found = -1;
  for (uint32_t i = from; i < list->Count(); ++i)
    if (NameIs(list->At(i)->name, name)) found = i;
  return found;
}

// The first link of the table of contents at tocPosition that leads
// forward into the first half of the book: its target, or -1.
int64_t FirstForwardLink(MarkupParser& parser, Document* document, uint32_t tocPosition) {
  const uint32_t half = document->GetTextLength() / 2;
  if (!parser.Restart(tocPosition, false)) return -1;
  for (;;) {
    const int32_t kind = parser.Next();
    if (kind == kElementAgain) continue;
    if (kind == kElementEnd) return -1;
    const uint32_t here = parser.GetPosition();
    if (here < tocPosition || here - tocPosition > kTocReach) return -1;
    if (kind != kElementTag) continue;
    bool closing = false, self = false;
    if (parser.GetTag(&closing, &self) != kMarkupA || closing) continue;
    RefPtr<LinkAction> link;
    if (!LinkAction::FromAttributes(parser, &link) || link.Get() == nullptr) continue;
    if (link->kind != LinkAction::kFilePosition) continue;
    const int64_t p = link->number;
    if (p == 0 || p == -1 || p < 0 || p >= half) continue;
    if (p > tocPosition || tocPosition >= half) return p;
  }
}

bool AddReadingStart(MarkupParser& parser, Document* document, GuideList* list, uint32_t first) {
  int64_t source = LastNamed(list, first, u"start");
  if (source < 0) source = LastNamed(list, first, u"other.ms-firstpage");
  DocumentProperty entry;
  if (source >= 0) {
    entry = *list->At(static_cast<uint32_t>(source));
  } else {
    const int64_t toc = LastNamed(list, first, u"toc");
    if (toc < 0) return true;
    const int32_t tocPosition = list->At(static_cast<uint32_t>(toc))->position;
    if (tocPosition < 0) return true;
    const int64_t target = FirstForwardLink(parser, document, static_cast<uint32_t>(tocPosition));
    if (target < 0) return true;
    entry.kind = kGuideKind;
    entry.position = static_cast<int32_t>(target);
  }
  entry.value.Clear();
  return SetText(&entry.name, u"start_reading") && list->Append(entry) >= 0;
}

class MarkupBookGuideReader final : public BookGuideReader {
 public:
  bool ParseGuideFragment(Document* document, bool* startsWithMarkup) override {
    return ::ParseGuideFragment(document, startsWithMarkup);
  }
  int32_t BuildGuideList(Document* document, GuideList* list, SharedWideString* title, uint32_t* language,
                         bool addReadingStart) override {
    return ::BuildGuideList(document, list, title, language, addReadingStart);
  }
};

MarkupBookGuideReader gReader;

}  // namespace

bool ParseGuideFragment(Document* document, bool* startsWithMarkup) {
  *startsWithMarkup = false;
  if (document == nullptr) return true;
  MarkupParser* parser = new (std::nothrow) MarkupParser(true);
  if (parser == nullptr) return true;
  parser->AttachSource(document, 0);
  parser->Restart(0, false);
  for (;;) {
    const int32_t kind = parser->Next();
    if (kind == kElementAgain || kind == kElementSpace || kind == kElementBreak) continue;
    if (kind == kElementTag) {
      bool closing = false, self = false;
      *startsWithMarkup = parser->GetTag(&closing, &self) == kMarkupHtml && !closing;
    }
    break;
  }
  delete parser;
  return true;
}

int32_t BuildGuideList(Document* document, GuideList* list, SharedWideString* title, uint32_t* language,
                       bool addReadingStart) {
  if (document == nullptr || list == nullptr || document->GetGuideState() != 2) return 1;
  MarkupParser* parser = new (std::nothrow) MarkupParser(true);
  if (parser == nullptr) return 0;
  parser->AttachSource(document, 0);
  parser->Restart(0, false);
  const uint32_t first = list->Count();
  bool inGuide = false;
  bool inTitle = false;
  bool languageNext = false;
  bool grown = true;
  while (grown) {
    const int32_t kind = parser->Next();
    if (kind == kElementAgain) continue;
    if (kind == kElementEnd) break;
    if (kind == kElementText) {
      const SharedWideString& text = parser->GetText();
      if (inTitle && title != nullptr) title->AppendChars(text.Chars(), text.length);
      if (languageNext) {
        *language = LanguageTagToLcid(text.Chars(), text.length);
        languageNext = false;
      }
      continue;
    }
    if (kind == kElementSpace) {
      static const WCHAR kSpace[] = {' '};
      if (inTitle && title != nullptr) title->AppendChars(kSpace, 1);
      continue;
    }
    if (kind != kElementTag) continue;
    bool closing = false, self = false;
    const uint32_t tag = parser->GetTag(&closing, &self);
    if (tag == kMarkupBody || (tag == kMarkupHead && closing)) break;
    switch (tag) {
      case kMarkupGuide: inGuide = !closing; break;
      case kMarkupReference: {
        if (closing || !inGuide) break;
        DocumentProperty entry;
        if (ReadReference(*parser, &entry)) grown = list->Append(entry) >= 0;
        break;
      }
      case kMarkupMetadata: {
        if (closing) break;
        SharedWideString href;
        uint32_t position = 0;
        if (!parser->GetAttributeText(kMarkupHref, &href) || !parser->GetAttributeValue(kMarkupFilepos, &position))
          break;
        DocumentProperty entry;
        entry.kind = kGuideKind;
        entry.position = static_cast<int32_t>(position);
        grown = SetText(&entry.name, u"eBook Info") && SetText(&entry.value, u"eBook Info") &&
                list->Append(entry) >= 0;
        break;
      }
      case kMarkupDcTitle: inTitle = !closing && !self; break;
      case kMarkupDcLanguage: languageNext = language != nullptr && !closing && !self; break;
      default: break;
    }
  }
  if (addReadingStart) AddReadingStart(*parser, document, list, first);
  parser->Restart(0, false);
  delete parser;
  return 1;
}

void InstallBookGuideReader() { SetBookGuideReader(&gReader); }
