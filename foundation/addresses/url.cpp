// Url parsing, text forms and ordering (see url.h).
#include "foundation/addresses/url.h"

#include "foundation/encoded_string/encoded_string.h"

namespace {

struct CommandRow {
  const char* name;
  int32_t kind;
};

// Searched in this order; the first row of a kind names it in GetText.
constexpr CommandRow kCommandTable[] = {
    {"qvr_iconlib", kCommandIconLibrary}, {"library", kCommandLibrary}, {"redirect", kCommandNone},
    {"bookstore", kCommandBookstore},     {"bookmarks", kCommandBookmarks}, {"about", kCommandAbout},
    {"cart", kCommandCart},               {"database", kCommandNone},
};
constexpr int kRedirectRow = 2;
constexpr int kDatabaseRow = 7;

// Whether units[0, n) equal the ASCII text exactly.
bool EqualsAscii(const WCHAR* units, uint32_t n, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= n || units[i] != static_cast<WCHAR>(static_cast<unsigned char>(ascii[i]))) return false;
  }
  return i == n;
}

bool StartsWithAscii(const SharedWideString& text, uint32_t from, const char* ascii) {
  const WCHAR* units = text.Chars();
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
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

int HexValue(WCHAR c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool PercentEncodeStrict(SharedWideString* text) { return text->UrlEscape(true, true); }

bool PercentDecode(const SharedWideString& text, SharedWideString* out) {
  SharedWideString decoded;
  if (!decoded.Reserve(text.length)) return false;
  const WCHAR* units = text.Chars();
  for (uint32_t i = 0; i < text.length; ++i) {
    WCHAR c = units[i];
    if (c == '+') {
      c = ' ';
    } else if (c == '%' && i + 2 < text.length) {
      const int high = HexValue(units[i + 1]);
      const int low = HexValue(units[i + 2]);
      if (high >= 0 && low >= 0) {
        c = static_cast<WCHAR>(high * 16 + low);
        i += 2;
      }
    }
    decoded.AppendCharsUnchecked(&c, 1);
  }
  *out = decoded;
  return true;
}

uint32_t FragmentStart(const SharedWideString& text) {
  const WCHAR* units = text.Chars();
  for (uint32_t i = 0; i < text.length; ++i) {
    if (units[i] == '$' || units[i] == '#') return i;
  }
  return text.length;
}

bool Url::Parse(const SharedWideString& address, bool raw) {
  // Built in a copy and committed only on success, so that a failed parse
  // leaves the Url as it was.
  Url parsed;
  const uint32_t end = FragmentStart(address);
  if (!StartsWithAscii(address, 0, "oeb:")) {
    if (StartsWithAscii(address, 0, "http:")) return false;
    parsed.state = kUrlPath;
    parsed.text.AssignSubstring(address, 0, end);
    if (!raw && !PercentEncodeStrict(&parsed.text)) return false;
    *this = parsed;
    return true;
  }

  const WCHAR* units = address.Chars();
  uint32_t question = 4;
  while (question < end && units[question] != '?') ++question;
  bool kindFixed = false;
  uint32_t nameEnd = end;
  if (question < end) {
    if (EqualsAscii(units, address.length, "oeb:database?name=corvelline_history")) {
      parsed.commandKind = kCommandSearchHistory;
      kindFixed = true;
    } else if (EqualsAscii(units, address.length, "oeb:database?name=corvelline_wordlist")) {
      parsed.commandKind = kCommandWordList;
      kindFixed = true;
    }
    nameEnd = question;
    parsed.text.AssignBetween(address, question, end);
  }
  // A command without a query carries none: parsed.text stays empty.

  int row = -1;
  for (int i = 0; i < static_cast<int>(sizeof kCommandTable / sizeof kCommandTable[0]); ++i) {
    if (EqualsAscii(units + 4, nameEnd - 4, kCommandTable[i].name)) {
      row = i;
      break;
    }
  }
  if (row < 0) return false;
  if (!kindFixed) parsed.commandKind = kCommandTable[row].kind;
  const int32_t kind = parsed.commandKind;
  parsed.state = (kind == kCommandLibrary || kind == kCommandBookmarks || kind == kCommandAbout) ? kUrlSpecialPage
                                                                                                  : kUrlCommand;
  if (kind == kCommandLibrary &&
      (StartsWithAscii(parsed.text, 0, "?title=") || StartsWithAscii(parsed.text, 0, "?name="))) {
    parsed.commandKind = kCommandNone;
    parsed.state = kUrlRedirect;
  } else if (row == kRedirectRow) {
    parsed.state = kUrlRedirect;
  } else if (row == kDatabaseRow) {
    parsed.state = kUrlDatabaseCommand;
  }
  *this = parsed;
  return true;
}

bool Url::ParseEncoded(const EncodedString& address) {
  SharedWideString text;
  if (!address.IsEmpty() && !text.AssignEncodedString(address)) return false;
  return Parse(text, false);
}

bool Url::FromFilePath(const SharedWideString& path) {
  SharedWideString encoded = path;
  if (!encoded.MakeWritable() || !PercentEncodeStrict(&encoded)) return false;
  return Parse(encoded, true);
}

bool Url::SetBookInnerPath(const SharedWideString& address, int32_t bookPathCharacters) {
  const bool parsed = Parse(address, true);
  bookPathLength = bookPathCharacters;
  state = kUrlBookInnerPath;
  return parsed;
}

bool Url::SetFromProducedPath(void* argument, PathProducer producer) {
  EncodedString path;
  if (!producer(argument, &path)) return false;
  return ParseEncoded(path);
}

bool Url::GetText(SharedWideString* out, bool raw) const {
  SharedWideString result;
  bool ok = true;
  switch (state) {
    case kUrlCommand: {
      const char* name = nullptr;
      for (const CommandRow& row : kCommandTable) {
        if (row.kind == commandKind) {
          name = row.name;
          break;
        }
      }
      ok = name != nullptr && AppendAscii(&result, "oeb:") && AppendAscii(&result, name) && result.Append(text);
      break;
    }
    case kUrlPath:
    case kUrlBookInnerPath:
    case kUrlLocalFile:
    case kUrlFileLikeUnused:
      result = text;
      break;
    case kUrlRedirect:
      ok = AppendAscii(&result, "oeb:redirect") && result.Append(text);
      break;
    case kUrlDatabaseCommand:
      ok = AppendAscii(&result, "oeb:database") && result.Append(text);
      break;
    default:
      ok = false;
      break;
  }
  if (ok && !raw) {
    uint32_t question = result.IndexOfChar('?');
    SharedWideString path;
    path.AssignSubstring(result, 0, question);
    ok = PercentDecode(path, &result);
  }
  if (!ok) {
    out->Clear();
    return false;
  }
  *out = result;
  return true;
}

void Url::GetPathEncoded(EncodedString* out) const {
  SharedWideString path;
  out->Clear();
  if (!GetText(&path, false) || !path.ToEncodedString(out)) out->Clear();
}

bool Url::GetBookPath(SharedWideString* out) const {
  if (bookPathLength <= 0) {
    out->Clear();
    return false;
  }
  const uint32_t n = static_cast<uint32_t>(bookPathLength) < text.length ? static_cast<uint32_t>(bookPathLength)
                                                                         : text.length;
  out->AssignSubstring(text, 0, n);
  return true;
}

int Url::Compare(const Url& a, const Url& b) {
  const int32_t stateA = a.state == kUrlLocalFile ? kUrlPath : a.state;
  const int32_t stateB = b.state == kUrlLocalFile ? kUrlPath : b.state;
  if (stateA != stateB) return stateA < stateB ? -1 : 1;
  if (stateA == kUrlCommand && a.commandKind != b.commandKind) return a.commandKind < b.commandKind ? -1 : 1;
  return a.text.CompareTo(b.text);
}

bool Url::IsAbsoluteAgainst(const Url& url, int32_t baseState) {
  if (baseState == kUrlCommand || !url.IsExternalOrPath()) return true;
  SharedWideString path;
  if (!url.GetText(&path, false)) return false;
  return path.length > 1 && path.Chars()[0] == '\\';
}
