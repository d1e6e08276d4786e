// Compiling and rendering record-field templates.
#include "index/templates/record_template.h"

#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "index/templates/entry_value_reader.h"
#include "platform/memory/allocator.h"

namespace {

TemplateFieldResolver gResolver = nullptr;

bool IsNameStart(WCHAR c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsNameChar(WCHAR c) { return IsNameStart(c) || (c >= u'0' && c <= u'9'); }

void Append(WCHAR* out, uint32_t* length, uint32_t limit, const WCHAR* text, uint32_t n) {
  for (uint32_t i = 0; i < n && *length + 1 < limit; ++i) out[(*length)++] = text[i];
}

}  // namespace

void RecordTemplate::SetFieldResolver(TemplateFieldResolver resolver) { gResolver = resolver; }

RecordTemplate::~RecordTemplate() { DeviceFree(text_); }

void RecordTemplate::Clear() {
  tokens_.FreePages();
  used_ = 0;
  state_ = 0;
}

bool RecordTemplate::AddToken(int32_t kind, const FieldDescriptor& field, uint32_t start, uint32_t length) {
  TemplateToken token;
  token.kind = kind;
  token.field = field;
  token.textStart = start;
  token.textLength = static_cast<int32_t>(length);
  return tokens_.Append(token) >= 0;
}

bool RecordTemplate::Resolve(const WCHAR* name, uint32_t length, IndexTable* naming, int32_t tableIdentifier,
                             FieldDescriptor* out) const {
  static const WCHAR kOrth[] = {u'o', u'r', u't', u'h'};
  *out = FieldDescriptor();
  if (length == 4 && name[0] == kOrth[0] && name[1] == kOrth[1] && name[2] == kOrth[2] && name[3] == kOrth[3]) {
    out->type = FieldDescriptor::kHeadWord;
    out->headWordForm = 1;
    out->tag = FieldDescriptor::kHeadWordTag;
    return true;
  }
  if (naming != nullptr) {
    IndexEntryRef ref;
    IndexEntryReader reader;
    uint32_t span = 0;
    uint32_t perItem = 0;
    if (naming->LookupKey(name, length, &ref, false) && reader.Init(naming) && reader.Attach(ref) == 0 &&
        reader.SeekTag(11, &span, &perItem) == 0 && span != 0 && perItem == 3) {
      uint32_t item[3];
      while (reader.ReadValues(item, 3, true) == 0) {
        if (static_cast<int64_t>(item[1]) + naming->GetRecordBase() == tableIdentifier) {
          out->tag = static_cast<int32_t>(item[2]);
          out->valueMode = static_cast<int32_t>(item[0]);
          out->type = FieldDescriptor::kNamingField;
          return true;
        }
      }
    }
  }
  return gResolver != nullptr && gResolver(name, length, out);
}

int32_t RecordTemplate::Compile(const WCHAR* text, uint32_t length, IndexTable* naming, int32_t tableIdentifier,
                                const WCHAR* keyField, uint32_t keyFieldLength, bool build) {
  Clear();
  if (length > textCapacity_) {
    WCHAR* grown = static_cast<WCHAR*>(DeviceRealloc(text_, static_cast<size_t>(length) * sizeof(WCHAR)));
    if (grown == nullptr) return 1;
    text_ = grown;
    textCapacity_ = length;
  }
  uint32_t i = 0;
  // Collects a literal (or a separator, which stops at "|"); false when a
  // quote ends the text or the text ends inside a quoted part.
  auto literal = [&](bool separator, uint32_t* start, uint32_t* n) {
    *start = used_;
    bool quoted = false;
    while (i < length) {
      const WCHAR c = text[i];
      if (c == u'\'') {
        if (i + 1 < length && text[i + 1] == u'\'') {
          text_[used_++] = u'\'';
          i += 2;
          continue;
        }
        if (i + 1 == length) return false;
        quoted = !quoted;
        ++i;
        continue;
      }
      if (!quoted) {
        if (separator && c == u'|') break;
        if (!separator && IsNameStart(c)) break;
      }
      text_[used_++] = c;
      ++i;
    }
    if (quoted) return false;
    *n = used_ - *start;
    return true;
  };
  while (i < length) {
    if (!IsNameStart(text[i])) {
      state_ = 1;
      uint32_t start = 0, n = 0;
      if (!literal(false, &start, &n)) return 1;
      if (build && n != 0 && !AddToken(TemplateToken::kLiteral, FieldDescriptor(), start, n)) return 1;
      state_ = 0;
      continue;
    }
    state_ = 2;
    const uint32_t nameStart = i;
    while (i < length && IsNameChar(text[i])) ++i;
    FieldDescriptor field;
    if (build) {
      if (!Resolve(text + nameStart, i - nameStart, naming, tableIdentifier, &field)) return 1;
      if (!AddToken(TemplateToken::kField, field, 0, 0)) return 1;
    }
    if (i < length && text[i] == u'|') {
      ++i;
      uint32_t start = 0, n = 0;
      if (!literal(true, &start, &n) || i >= length) return 1;  // no closing "|"
      ++i;
      if (build && !AddToken(TemplateToken::kSeparator, FieldDescriptor(), start, n)) return 1;
    }
    state_ = 0;
  }
  // The key field changes places with the first field.
  FieldDescriptor key;
  if (build && keyField != nullptr && keyFieldLength != 0 &&
      Resolve(keyField, keyFieldLength, naming, tableIdentifier, &key)) {
    int32_t first = -1;
    int32_t last = -1;
    for (uint32_t t = 0; t < tokens_.Count(); ++t) {
      const TemplateToken& token = tokens_[t];
      if (token.kind != TemplateToken::kField) continue;
      if (first < 0) first = static_cast<int32_t>(t);
      if (token.field == key) last = static_cast<int32_t>(t);
    }
    if (first >= 0 && last >= 0 && first != last) {
      tokens_.At(static_cast<uint32_t>(first))->partner = last;
      tokens_.At(static_cast<uint32_t>(last))->partner = first;
    }
  }
  return 0;
}

uint32_t RecordTemplate::RenderField(uint32_t index, WCHAR* out, uint32_t* length, uint32_t limit,
                                     EntryValueReader* reader) {
  const uint32_t before = *length;
  const TemplateToken& token = tokens_[index];
  const bool separated = index + 1 < tokens_.Count() && tokens_[index + 1].kind == TemplateToken::kSeparator;
  const FieldDescriptor& f = token.field;
  for (uint32_t item = 0;; ++item) {
    SharedWideString value;
    uint32_t number = 0, second = 0;
    bool done = false;
    if (reader->GetValue(f.tag, f.topByte, f.valueMode, f.type, f.headWordForm, item, &value, &number, &second,
                         nullptr, &done) != 0 ||
        done) {
      break;
    }
    if (item != 0) {
      const TemplateToken& sep = tokens_[index + 1];
      Append(out, length, limit, text_ + sep.textStart, static_cast<uint32_t>(sep.textLength));
    }
    Append(out, length, limit, value.Chars(), value.length);
    if (!separated || f.type == FieldDescriptor::kHeadWord) break;
  }
  return *length - before;
}

uint32_t RecordTemplate::Render(WCHAR* out, uint32_t* length, uint32_t limit, EntryValueReader* reader) {
  const uint32_t before = *length;
  for (uint32_t t = 0; t < tokens_.Count(); ++t) {
    const TemplateToken& token = tokens_[t];
    switch (token.kind) {
      case TemplateToken::kLiteral:
        Append(out, length, limit, text_ + token.textStart, static_cast<uint32_t>(token.textLength));
        break;
      case TemplateToken::kField:
        RenderField(token.partner >= 0 ? static_cast<uint32_t>(token.partner) : t, out, length, limit, reader);
        break;
      default:  // a separator is rendered by its field
        break;
    }
  }
  return *length - before;
}
