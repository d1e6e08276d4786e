// The defaults of the Document interface, DocumentProperty copying and the
// code-page rules of a document's blocks.
#include "storage/documents/document.h"

#include "foundation/code_pages/code_page.h"

namespace {

IndexTableReleaser g_indexTableReleaser = nullptr;

constexpr int32_t kTitlePropertyKind = 3;
constexpr uint32_t kAbbreviationLength = 3;

}  // namespace

void SetIndexTableReleaser(IndexTableReleaser releaser) { g_indexTableReleaser = releaser; }

void DocumentProperty::CopyFrom(const DocumentProperty& other) {
  kind = other.kind;
  name = other.name;
  value = other.value;
  text = other.text;
  position = other.position;
  length = other.length;
}

Document::~Document() = default;

void Document::CreatePositionQuery(IndexQueryResult** result, uint32_t, IndexTable* source) {
  if (result != nullptr) *result = nullptr;
  if (source != nullptr && g_indexTableReleaser != nullptr) g_indexTableReleaser(source);
}

bool Document::GetPositionEntryText(uint32_t, SharedWideString*) { return false; }
uint32_t Document::FindAnchorPosition(uint32_t, uint32_t, bool) { return 0xFFFFFFFFu; }
bool Document::HasPropertyList(int32_t) { return false; }
uint32_t Document::GetPropertyCount(int32_t) { return 0; }

bool Document::FindProperty(const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out, int32_t) {
  if (out == nullptr) return false;
  uint32_t count = GetPropertyCount(kind);
  for (uint32_t n = 0; n < count; ++n) {
    DocumentProperty candidate;
    if (!GetProperty(kind, n, &candidate)) continue;
    if (candidate.name.length == length && candidate.name.Compare(name, length, false) == 0) {
      *out = candidate;
      return true;
    }
  }
  return false;
}

bool Document::GetProperty(int32_t, uint32_t, DocumentProperty*) { return false; }

bool Document::GetTitle(SharedWideString* title) {
  if (title == nullptr) return false;
  DocumentProperty property;
  if (!GetProperty(kTitlePropertyKind, 0, &property)) return false;
  *title = property.value;
  return true;
}

bool Document::GetShortName(SharedWideString*) { return false; }

bool Document::GetAbbreviation(SharedWideString* text) {
  if (text == nullptr) return false;
  SharedWideString name;
  if (!GetShortName(&name) && !GetTitle(&name)) return false;
  uint32_t n = name.length < kAbbreviationLength ? name.length : kAbbreviationLength;
  text->AssignSubstring(name, 0, n);
  return true;
}

const uint8_t* Document::GetExtraHeaderData(uint32_t* length) {
  if (length != nullptr) *length = 0;
  return nullptr;
}

const uint8_t* Document::GetStoreNameBytes(uint32_t* length) {
  if (length != nullptr) *length = 0;
  return nullptr;
}

bool Document::GetStoreName(SharedWideString*) { return false; }
int32_t Document::CheckPosition(uint32_t) { return 0; }
int32_t Document::LookupIndexEntry(uint32_t, EntryListIterator*, bool*, uint32_t, uint32_t*) { return 0; }
bool Document::GetHeaderInfo(DocumentHeaderInfo*) { return false; }

bool Document::GetDictionaryLanguages(uint32_t* input, uint32_t* output) {
  if (input != nullptr) *input = 0;
  if (output != nullptr) *output = 0;
  return false;
}

uint32_t Document::GetBookType() { return 2; }
uint32_t Document::Reserved28() { return 0; }
uint32_t Document::Reserved29() { return 0; }
bool Document::HasExthFlag2() { return false; }
bool Document::HasExtraFlag4() { return false; }
bool Document::LacksExthFlag8() { return true; }
bool Document::HasExthFlag80() { return false; }
uint32_t Document::Reserved34() { return 0; }
bool Document::IsPlainDocument() { return true; }
bool Document::MakeText(SharedWideString*, const uint8_t*, uint32_t) { return false; }
uint32_t Document::Reserved37() { return 0; }
uint32_t Document::GetFirstPosition() { return 0; }
uint32_t Document::GetLastPosition() { return 0xFFFFFFFFu; }
bool Document::IsStoreValid() { return false; }
bool Document::ReopenStore() { return false; }

int32_t ResolveTargetCodePage(int32_t source, int32_t requested) {
  if (requested == kCodePageUtf16) return kCodePageUtf16;
  if (source == kCodePage1252 && requested == kCodePageRefused) return requested;
  if (source == kCodePageUtf8 || source == kCodePageUtf16) return requested;
  return source;
}

bool NeedsCodePageConversion(int32_t a, int32_t b, bool enabled) {
  if (!enabled || a == b) return false;
  auto simple = [](int32_t cp) { return cp == kCodePageUtf16 || MaxBytesPerChar(cp) == 1; };
  return !simple(a) || !simple(b);
}
