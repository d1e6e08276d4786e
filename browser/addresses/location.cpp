// Locations, relative resolution, fragment forms, query arguments and the
// location list (see location.h).
#include "browser/addresses/location.h"

#include "platform/memory/allocator.h"
#include "foundation/encoded_string/encoded_string.h"
#include "index/database/database.h"

namespace {

bool StartsWith(const SharedWideString& text, uint32_t from, const char* ascii) {
  const WCHAR* units = text.Chars();
  for (uint32_t i = 0; ascii[i] != '\0'; ++i) {
    if (from + i >= text.length || units[from + i] != static_cast<WCHAR>(static_cast<unsigned char>(ascii[i])))
      return false;
  }
  return true;
}

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    const WCHAR unit = static_cast<WCHAR>(static_cast<unsigned char>(*ascii));
    if (!out->AppendChars(&unit, 1)) return false;
  }
  return true;
}

bool IsSeparator(WCHAR c) { return c == '\\' || c == '/'; }

// The index just after the last separator of text[0, end), 0 when none.
uint32_t AfterLastSeparator(const SharedWideString& text, uint32_t end) {
  const WCHAR* units = text.Chars();
  while (end > 0 && !IsSeparator(units[end - 1])) --end;
  return end;
}

// The position just after the last ".prc" of the text, or 0 when none.
uint32_t AfterLastPrc(const SharedWideString& text) {
  const WCHAR* units = text.Chars();
  for (uint32_t i = text.length; i >= 4; --i) {
    if (units[i - 4] == '.' && units[i - 3] == 'p' && units[i - 2] == 'r' && units[i - 1] == 'c') return i;
  }
  return 0;
}

// The query argument table.
struct QueryName {
  const char* name;
  int32_t code;
};
constexpr QueryName kQueryNames[] = {{"name", kQueryName},       {"cat", kQueryCategory},
                                     {"title", kQueryTitle},     {"action", kQueryAction},
                                     {"subpath", kQuerySubpath}, {"param", kQueryParam}};

int32_t QueryCode(const WCHAR* units, uint32_t n) {
  for (const QueryName& row : kQueryNames) {
    uint32_t i = 0;
    while (row.name[i] != '\0' && i < n && units[i] == static_cast<WCHAR>(row.name[i])) ++i;
    if (row.name[i] == '\0' && i == n) return row.code;
  }
  return kQueryUnknown;
}

// The argument text of an address: after its first "?" up to the next "#"
// or "$". False without a "?".
bool QueryRange(const SharedWideString& text, uint32_t* start, uint32_t* end) {
  uint32_t question = text.IndexOfChar('?');
  if (question >= text.length) return false;
  const WCHAR* units = text.Chars();
  uint32_t stop = question + 1;
  while (stop < text.length && units[stop] != '#' && units[stop] != '$') ++stop;
  *start = question + 1;
  *end = stop;
  return true;
}

// Calls visit(code, value start, value end) for each argument; stops when a
// piece has no "=" or visit answers false.
template <class Visit>
void ForEachArgument(const SharedWideString& text, Visit visit) {
  uint32_t start = 0, end = 0;
  if (!QueryRange(text, &start, &end)) return;
  const WCHAR* units = text.Chars();
  uint32_t piece = start;
  while (piece < end) {
    uint32_t pieceEnd = piece;
    while (pieceEnd < end && units[pieceEnd] != '&') ++pieceEnd;
    uint32_t equals = piece;
    while (equals < pieceEnd && units[equals] != '=') ++equals;
    if (equals >= pieceEnd) return;
    if (!visit(QueryCode(units + piece, equals - piece), equals + 1, pieceEnd)) return;
    piece = pieceEnd + 1;
  }
}

}  // namespace

// ---- Fragment and query helpers

bool SplitFragment(const SharedWideString& text, SharedWideString* out) {
  out->AssignFrom(text, FragmentStart(text));
  return !out->IsEmpty();
}

bool FragmentFromHash(const SharedWideString& text, SharedWideString* out) {
  out->AssignFrom(text, text.IndexOfChar('#'));
  return !out->IsEmpty();
}

bool HasHash(const SharedWideString& text) { return text.IndexOfChar('#') < text.length; }

bool HasDoubleHash(const SharedWideString& text) {
  const uint32_t hash = text.IndexOfChar('#');
  return hash + 1 < text.length && text.Chars()[hash + 1] == '#';
}

bool HasDollar(const SharedWideString& text) { return text.IndexOfChar('$') < text.length; }

bool SplitStreamFragment(const SharedWideString& fragment, int32_t* number, SharedWideString* name) {
  *number = -1;
  name->Clear();
  const uint32_t dollar = fragment.IndexOfChar('$');
  if (dollar >= fragment.length) return false;
  SharedWideString rest;
  rest.AssignFrom(fragment, dollar + 1);
  uint32_t value = 0;
  // A number beyond the signed range cannot be a stream number: it is a name.
  if (rest.ParseUnsigned(10, &value) && value <= 0x7FFFFFFFu) {
    *number = static_cast<int32_t>(value);
  } else {
    *name = rest;
  }
  return true;
}

bool SplitQuery(const SharedWideString& text, SharedWideString* out, bool keepMark) {
  const uint32_t question = text.IndexOfChar('?');
  if (question >= text.length) {
    out->Clear();
    return false;
  }
  out->AssignFrom(text, keepMark ? question : question + 1);
  return true;
}

void StripQuery(SharedWideString* text) {
  const uint32_t question = text->IndexOfChar('?');
  if (question < text->length) text->length = question;
}

bool ParseQueryArguments(const SharedWideString& text, SegmentedTypedArray<int32_t>* codes,
                         SegmentedTypedArray<SharedWideString>* values) {
  bool any = false;
  ForEachArgument(text, [&](int32_t code, uint32_t from, uint32_t to) {
    SharedWideString value;
    value.AssignBetween(text, from, to);
    if (codes->Append(code) < 0) return false;
    if (values->Append(value) < 0) {
      codes->count -= 1;
      return false;
    }
    any = true;
    return true;
  });
  return any;
}

bool FindQueryArgument(const SharedWideString& text, int32_t code, SharedWideString* value) {
  bool found = false;
  ForEachArgument(text, [&](int32_t argument, uint32_t from, uint32_t to) {
    if (argument != code) return true;
    value->AssignBetween(text, from, to);
    found = true;
    return false;
  });
  return found;
}

bool GetSideFileListKind(const Url& url, int32_t* kind) {
  *kind = kSideFileListOther;
  if (url.commandKind != kCommandBookmarks || !StartsWith(url.text, 0, "?cat=")) return false;
  constexpr struct {
    const char* prefix;
    int32_t kind;
  } kPrefixes[] = {{"QVR_all_", kSideFileListAll},
                   {"QVR_bookmarks_", kSideFileListBookmarks},
                   {"QVR_audiomarks_", kSideFileListAudiomarks},
                   {"QVR_annotations_", kSideFileListAnnotations},
                   {"QVR_highlights_", kSideFileListHighlights}};
  for (const auto& row : kPrefixes) {
    if (StartsWith(url.text, 5, row.prefix)) {
      *kind = row.kind;
      break;
    }
  }
  return true;
}

// ---- Location

bool Location::Parse(Location* location, const SharedWideString& text, const Url* base) {
  if (base != nullptr) return ParseRelative(location, text, *base);
  Location parsed;
  SplitFragment(text, &parsed.fragment);
  if (!parsed.url.Parse(text, true)) return false;
  *location = parsed;
  return true;
}

bool Location::ParseRelative(Location* location, const SharedWideString& text, const Url& base) {
  Location result;
  result.url = base;
  Location rel;
  if (!Parse(&rel, text, nullptr)) return false;
  if (Url::IsAbsoluteAgainst(rel.url, base.state)) {
    result.url = rel.url;
  } else {
    if (!base.IsExternalOrPath()) return false;
    result.url.commandKind = kCommandNone;
    if (!rel.url.text.IsEmpty()) {
      SharedWideString basePath, relPath;
      if (!base.GetText(&basePath, false) || !rel.url.GetText(&relPath, false)) return false;
      if (AfterLastPrc(rel.url.text) != 0 && AfterLastPrc(basePath) != 0) basePath.length = AfterLastPrc(basePath);
      // The base's folder, then one folder up for each leading "..".
      uint32_t folderEnd = AfterLastSeparator(basePath, basePath.length);
      uint32_t relStart = 0;
      const WCHAR* relUnits = relPath.Chars();
      while (relStart + 2 < relPath.length && relUnits[relStart] == '.' && relUnits[relStart + 1] == '.' &&
             IsSeparator(relUnits[relStart + 2])) {
        relStart += 3;
        // Past the root there is nothing to climb: stay there.
        if (folderEnd > 1) folderEnd = AfterLastSeparator(basePath, folderEnd - 1);
      }
      SharedWideString combined;
      combined.AssignSubstring(basePath, 0, folderEnd);
      if (!combined.MakeWritable()) return false;
      if ((combined.IsEmpty() || !IsSeparator(combined.Chars()[combined.length - 1])) &&
          !AppendAscii(&combined, "\\")) {
        return false;
      }
      if (!combined.AppendRange(relPath, relStart, relPath.length - relStart)) return false;
      if (!combined.ReplaceChar('/', '\\', -1) || !PercentEncodeStrict(&combined)) return false;
      SharedWideString query;
      if (SplitQuery(rel.url.text, &query, true) && !combined.Append(query)) return false;
      result.url.text = combined;
      // The combined path is a new address: any book path length of the base
      // no longer describes it.
      if (result.url.state == kUrlBookInnerPath) result.url.state = kUrlPath;
      result.url.bookPathLength = 0;
    }
  }
  result.fragment = rel.fragment;
  *location = result;
  return true;
}

bool Location::GetText(const Location& location, SharedWideString* out) {
  SharedWideString text;
  if (!location.url.GetText(&text, true) || !text.Append(location.fragment)) {
    out->Clear();
    return false;
  }
  *out = text;
  return true;
}

bool Location::FromText(const SharedWideString& text, const Url* base, SharedWideString* out) {
  Location location;
  if (!Parse(&location, text, base) || !GetText(location, out)) {
    out->Clear();
    return false;
  }
  return true;
}

int Location::Compare(const Location& a, const Location& b) {
  const int byUrl = Url::Compare(a.url, b.url);
  return byUrl != 0 ? byUrl : a.fragment.CompareTo(b.fragment);
}

bool Location::ApplyDatabaseName(Location* location, const SharedWideString& name) {
  SharedWideString identifier;
  MakeIdentifier(name, &identifier);
  SharedWideString text;
  if (!AppendAscii(&text, "?name=") || !text.Append(identifier)) return false;
  location->url.text = text;
  location->url.state = kUrlDatabaseCommand;
  return !identifier.IsEmpty();
}

bool Location::MakeCategoryAddress(Location* target, const Location& source, EncodedString* name,
                                   EncodedString* category) {
  SharedWideString nameText, categoryText;
  bool fromPath = false;
  if (FindQueryArgument(target->url.text, kQueryName, &nameText)) {
    if (!PercentDecode(nameText, &nameText)) return false;
  } else if (source.url.IsExternalOrPath()) {
    if (!source.url.GetText(&nameText, false)) return false;
    fromPath = true;
  } else if (source.url.commandKind == kCommandBookmarks) {
    FindQueryArgument(source.url.text, kQueryName, &nameText);
  }
  if (nameText.IsEmpty()) return false;
  const bool hasCategory = FindQueryArgument(target->url.text, kQueryCategory, &categoryText);
  if (!nameText.ToEncodedString(name)) return false;
  if (categoryText.IsEmpty()) {
    category->Clear();
  } else if (!categoryText.ToEncodedString(category)) {
    return false;
  }
  if (fromPath) {
    SharedWideString encodedName = nameText;
    SharedWideString text;
    if (!encodedName.MakeWritable() || !PercentEncodeStrict(&encodedName)) return false;
    bool ok = hasCategory ? AppendAscii(&text, "?cat=") && text.Append(categoryText) && AppendAscii(&text, "&")
                          : AppendAscii(&text, "?");
    ok = ok && AppendAscii(&text, "name=") && text.Append(encodedName);
    if (!ok) return false;
    target->url.text = text;
    target->url.state = kUrlCommand;
    target->url.commandKind = kCommandBookmarks;
    target->url.bookPathLength = 0;
  }
  return true;
}

bool Location::SetPositionFragment(uint32_t n) {
  SharedWideString text;
  if (!AppendAscii(&text, "$") || !text.AppendUnsigned(n)) return false;
  fragment = text;
  return true;
}

bool Location::SetEntryFragment(const SharedWideString& name) {
  SharedWideString bare = name;
  StripQuery(&bare);
  SharedWideString text;
  if (!AppendAscii(&text, "$eo=") || !text.Append(bare)) return false;
  fragment = text;
  return true;
}

bool Location::SetPosFragment(uint32_t n) {
  SharedWideString text;
  if (!AppendAscii(&text, "##-pos") || !text.AppendUnsigned(n)) return false;
  fragment = text;
  return true;
}

int32_t Location::GetPosFromFragment(const SharedWideString& fragment) {
  if (!StartsWith(fragment, 0, "##")) return -1;
  const WCHAR* units = fragment.Chars();
  uint32_t word = 2;
  while (word <= fragment.length) {
    uint32_t end = word;
    while (end < fragment.length && units[end] != '-') ++end;
    if (end - word >= 3 && units[word] == 'p' && units[word + 1] == 'o' && units[word + 2] == 's') {
      uint32_t value = 0;
      if (!ParseUnsignedUnits(units + word + 3, end - word - 3, 10, &value) || value > 0x7FFFFFFFu) return -1;
      return static_cast<int32_t>(value);
    }
    word = end + 1;
  }
  return -1;
}

// ---- LocationList

bool LocationList::EnsureBlock(uint32_t block) {
  if (block >= blockSlots_) {
    uint32_t slots = blockSlots_ == 0 ? 4 : blockSlots_ * 2;
    while (slots <= block) slots *= 2;
    Location** table = DeviceNewArray<Location*>(slots);
    if (table == nullptr) return false;
    for (uint32_t i = 0; i < slots; ++i) table[i] = i < blockSlots_ ? blocks_[i] : nullptr;
    delete[] blocks_;
    blocks_ = table;
    blockSlots_ = slots;
  }
  if (blocks_[block] == nullptr) {
    blocks_[block] = DeviceNewArray<Location>(kBlockItems);
    if (blocks_[block] == nullptr) return false;
  }
  return true;
}

Location* LocationList::At(uint32_t i) {
  if (i >= 0x7FFFFFFFu) return nullptr;
  // Every block up to i's, so that the items below the new count exist.
  for (uint32_t b = count_ / kBlockItems; b <= i / kBlockItems; ++b) {
    if (!EnsureBlock(b)) return nullptr;
  }
  if (i >= count_) count_ = i + 1;
  return &Get(i);
}

int32_t LocationList::Append(const Location& location) {
  const uint32_t index = count_;
  Location* slot = At(index);
  if (slot == nullptr) return -1;
  *slot = location;
  return static_cast<int32_t>(index);
}

void LocationList::RemoveAt(uint32_t i) {
  if (i >= count_) return;
  for (uint32_t j = i; j + 1 < count_; ++j) Get(j) = Get(j + 1);
  Get(count_ - 1) = Location();
  --count_;
}

void LocationList::Clear() {
  for (uint32_t i = 0; i < count_; ++i) Get(i) = Location();
  count_ = 0;
}

void LocationList::Shrink() {
  const uint32_t keep = (count_ + kBlockItems - 1) / kBlockItems;
  for (uint32_t b = keep; b < blockSlots_; ++b) {
    delete[] blocks_[b];
    blocks_[b] = nullptr;
  }
}

void LocationList::Free() {
  for (uint32_t b = 0; b < blockSlots_; ++b) delete[] blocks_[b];
  delete[] blocks_;
  blocks_ = nullptr;
  blockSlots_ = 0;
  count_ = 0;
}
