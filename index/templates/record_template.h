// Record-field templates: a short text stored in an index that mixes literal
// text with field names ("orth", or a name of the naming table) and renders
// one line for an entry. Letters outside single quotes start a field name;
// a quoted part is copied without its quotes, and two quotes stand for one.
// A field name followed by "|" takes a separator up to the next "|": all the
// field's values are rendered, joined by it.
#pragma once

#include <cstdint>

#include "index/records/paged_array.h"
#include "platform/types/device_types.h"

class EntryValueReader;
class IndexTable;

// How a field's value is found: the descriptor of a field token.
struct FieldDescriptor {
  static constexpr int32_t kHeadWord = 1;
  static constexpr int32_t kNamingField = 2;
  static constexpr uint32_t kHeadWordTag = 255;

  int32_t tag = 0;
  int32_t topByte = -1;
  int32_t valueMode = 0;
  int32_t type = 0;
  int32_t headWordForm = 0;  // 1: with the homograph mark

  bool operator==(const FieldDescriptor& o) const {
    return tag == o.tag && topByte == o.topByte && valueMode == o.valueMode && type == o.type &&
           headWordForm == o.headWordForm;
  }
  // tag | value mode << 8 | type << 16 | top byte << 24.
  uint32_t Packed() const {
    return (static_cast<uint32_t>(tag) & 0xFF) | (static_cast<uint32_t>(valueMode) & 0xFF) << 8 |
           (static_cast<uint32_t>(type) & 0xFF) << 16 | (static_cast<uint32_t>(topByte) & 0xFF) << 24;
  }
};

struct TemplateToken {
  static constexpr int32_t kLiteral = 1;
  static constexpr int32_t kField = 2;
  static constexpr int32_t kSeparator = 3;

  int32_t kind = 0;
  FieldDescriptor field;
  uint32_t textStart = 0;  // in the template's text buffer
  int32_t textLength = 0;
  int32_t partner = -1;
};

// Resolves a field name of a template to its descriptor; false when the name
// cannot be resolved. Set by the record-set field resolution, which handles
// names the naming table does not hold.
using TemplateFieldResolver = bool (*)(const WCHAR* name, uint32_t length, FieldDescriptor* out);

class RecordTemplate {
 public:
  RecordTemplate() = default;
  ~RecordTemplate();
  RecordTemplate(const RecordTemplate&) = delete;
  RecordTemplate& operator=(const RecordTemplate&) = delete;

  // 0, or 1 for a name that cannot be resolved or a malformed literal. With
  // build clear only the syntax is examined.
  int32_t Compile(const WCHAR* text, uint32_t length, IndexTable* naming, int32_t tableIdentifier,
                  const WCHAR* keyField, uint32_t keyFieldLength, bool build);
  // Characters added to out (at *length, below limit).
  uint32_t Render(WCHAR* out, uint32_t* length, uint32_t limit, EntryValueReader* reader);
  void Clear();

  uint32_t TokenCount() const { return tokens_.Count(); }
  const TemplateToken& Token(uint32_t i) const { return tokens_[i]; }

  // Names neither "orth" nor in the naming table go here; without a
  // resolver they are unresolvable.
  static void SetFieldResolver(TemplateFieldResolver resolver);

 private:
  bool Resolve(const WCHAR* name, uint32_t length, IndexTable* naming, int32_t tableIdentifier,
               FieldDescriptor* out) const;
  bool AddToken(int32_t kind, const FieldDescriptor& field, uint32_t start, uint32_t length);
  uint32_t RenderField(uint32_t index, WCHAR* out, uint32_t* length, uint32_t limit, EntryValueReader* reader);

  WCHAR* text_ = nullptr;
  uint32_t textCapacity_ = 0;
  uint32_t used_ = 0;
  PagedArray<TemplateToken> tokens_;
  int32_t state_ = 0;
};
