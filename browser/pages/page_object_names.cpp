// Page-element object names (see page_object_names.h).
#include "browser/pages/page_object_names.h"

#include "foundation/addresses/url.h"

namespace {

// The fields of a name: [start, end) ranges between "&"s.
struct Field {
  uint32_t start = 0;
  uint32_t end = 0;
};

uint32_t FindAmpersand(const SharedWideString& text, uint32_t from) {
  const WCHAR* units = text.Chars();
  while (from < text.length && units[from] != '&') ++from;
  return from;
}

bool EqualsAscii(const WCHAR* units, uint32_t n, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= n || units[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == n;
}

bool StartsWithAscii(const SharedWideString& text, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= text.length || text.Chars()[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return true;
}

// A decimal number of the whole range (digits only); one above 31 bits
// reads as INT32_MAX.
bool ReadDecimal(const SharedWideString& text, Field field, int32_t* value) {
  if (field.start >= field.end) return false;
  int64_t n = 0;
  for (uint32_t i = field.start; i < field.end; ++i) {
    const WCHAR c = text.Chars()[i];
    if (c < '0' || c > '9') return false;
    if (n <= INT32_MAX) n = n * 10 + (c - '0');
  }
  *value = n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n);
  return true;
}

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    const WCHAR unit = static_cast<WCHAR>(*ascii);
    if (!out->AppendChars(&unit, 1)) return false;
  }
  return true;
}

bool AppendField(SharedWideString* out, int32_t value) { return AppendAscii(out, "&") && out->AppendInt(value); }

}  // namespace

bool ParseIndexObjectName(const SharedWideString& name, IndexObjectName* out) {
  *out = IndexObjectName();
  const uint32_t head = FindAmpersand(name, 0);
  if (EqualsAscii(name.Chars(), head, "qvrideo")) {
    out->ideogram = true;
  } else if (!EqualsAscii(name.Chars(), head, "qvrindex")) {
    return false;
  }
  if (head == name.length) return true;  // bare: the book's default index

  int32_t* numbers[4] = {&out->table, &out->keyTable, &out->keyTag, &out->entry};
  uint32_t at = head + 1;
  for (uint32_t i = 0; i < 5 && at <= name.length; ++i) {
    // The sixth field is the rest of the text.
    const Field field{at, i < 4 ? FindAmpersand(name, at) : name.length};
    int32_t value = -1;
    const bool isNumber = ReadDecimal(name, field, &value);
    if (i < 4 && isNumber) {
      *numbers[i] = value;
    } else if (!isNumber) {
      out->searchText.AssignSubstring(name, field.start, field.end - field.start);
    }
    at = field.end + 1;
  }
  if (out->table == -1) return false;
  return out->keyTable == -1 || out->keyTag != -1;
}

bool ParseSqlObjectName(const SharedWideString& name, SqlObjectName* out) {
  *out = SqlObjectName();
  if (!StartsWithAscii(name, "qvrsql")) return false;
  const uint32_t head = FindAmpersand(name, 0);
  if (head == name.length) return true;
  if (!EqualsAscii(name.Chars(), head, "qvrsql")) return false;
  Field fields[4];
  uint32_t at = head + 1;
  uint32_t count = 0;
  for (; count < 4 && at <= name.length; ++count) {
    fields[count] = Field{at, count < 3 ? FindAmpersand(name, at) : name.length};
    at = fields[count].end + 1;
  }
  int32_t value = 0;
  if (count > 0) ReadDecimal(name, fields[0], &out->iconId);
  if (count > 1 && ReadDecimal(name, fields[1], &value)) out->markAllRows = value != 0;
  if (count > 2) {
    SharedWideString encoded;
    encoded.AssignSubstring(name, fields[2].start, fields[2].end - fields[2].start);
    if (!PercentDecode(encoded, &out->query)) return false;
  }
  if (count > 3) out->recordSetName.AssignSubstring(name, fields[3].start, fields[3].end - fields[3].start);
  return true;
}

bool IsWordListObject(const SharedWideString& name, int32_t* language) {
  *language = -1;
  constexpr uint32_t kPrefix = 11;  // "qvrwordlist"
  if (!StartsWithAscii(name, "qvrwordlist")) return false;
  if (name.length == kPrefix || name.Chars()[kPrefix] != '&') return true;
  return ReadDecimal(name, Field{kPrefix + 1, name.length}, language);
}

bool IsSearchHistoryObject(const SharedWideString& name) { return StartsWithAscii(name, "qvrsearchhistory"); }

bool IsAudioType(const SharedWideString& name) { return EqualsAscii(name.Chars(), name.length, "audio"); }

bool WriteIndexFragment(SharedWideString* out, bool ideogram, int32_t table, int32_t subTable, int32_t entryWord,
                        int32_t selectedEntry, const SharedWideString& recordSetName) {
  out->Clear();
  if (!AppendAscii(out, ideogram ? "$qvrideo" : "$qvrindex") || !AppendField(out, table)) return false;
  if (subTable != -1) {
    if (!AppendField(out, subTable) || !AppendField(out, entryWord)) return false;
    if (selectedEntry != -1 && !AppendField(out, selectedEntry)) return false;
  }
  return recordSetName.IsEmpty() || (AppendAscii(out, "&") && out->Append(recordSetName));
}

bool WriteSqlFragment(SharedWideString* out, bool withBullet, int32_t bulletCode, bool bulletFlag,
                      const SharedWideString& query, const SharedWideString& recordSetName) {
  out->Clear();
  SharedWideString escaped = query;
  if (!AppendAscii(out, "$qvrsql") || !AppendField(out, withBullet ? bulletCode : 0) ||
      !AppendField(out, withBullet && bulletFlag ? 1 : 0) || !escaped.UrlEscape(true, true) ||
      !AppendAscii(out, "&") || !out->Append(escaped)) {
    return false;
  }
  return recordSetName.IsEmpty() || (AppendAscii(out, "&") && out->Append(recordSetName));
}

bool WriteWordListFragment(SharedWideString* out, int32_t language) {
  out->Clear();
  return AppendAscii(out, "$qvrwordlist") && AppendField(out, language);
}

bool WriteSearchHistoryFragment(SharedWideString* out) {
  out->Clear();
  return AppendAscii(out, "$qvrsearchhistory");
}
