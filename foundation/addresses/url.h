// Url: an address the reader navigates to, records, loads or opens a stream
// from, without its position fragment. Three families share the record:
// the internal "oeb:" commands (the text then holds only the query), file
// paths (possibly into a book, kept percent-encoded), and the redirect and
// database commands. A Url is a plain value: copies share the text's
// buffer.
//
// This header depends on the foundation's strings only, so that lower
// layers may name addresses too.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class EncodedString;

// The scheme states.
enum UrlState : int32_t {
  kUrlCommand = 0,          // an "oeb:" command handled by kind
  kUrlPath = 1,             // a file path, possibly into a book
  kUrlBookInnerPath = 2,    // a book's path, a backslash and a name inside it
  kUrlLocalFile = 3,        // a file opened as a file (object databases)
  kUrlRedirect = 4,         // "oeb:redirect", or "oeb:library" with a title or name
  kUrlDatabaseCommand = 5,  // "oeb:database"
  kUrlFileLikeUnused = 6,   // set by nothing; read as file-like
  kUrlSpecialPage = 8,      // pages the document view builds itself
  kUrlEmpty = 9,            // never parsed
};

// The "oeb:" command kinds.
enum UrlCommandKind : int32_t {
  kCommandNone = 0,  // redirect, database, and every address that is not a command
  kCommandLibrary = 1,
  kCommandBookstore = 2,
  kCommandBookmarks = 3,
  kCommandAbout = 4,
  kCommandCart = 5,
  kCommandIconLibrary = 6,
  kCommandWordList = 7,
  kCommandSearchHistory = 8,
};

class Url {
 public:
  SharedWideString text;       // the query of a command; the address without fragment otherwise
  int32_t bookPathLength = 0;  // leading characters of text naming the book (inner paths only)
  int32_t state = kUrlEmpty;
  int32_t commandKind = kCommandNone;

  Url() = default;

  void CopyFrom(const Url& other) { *this = other; }
  void Assign(const Url& other) { *this = other; }

  // Parses an address (without a base). raw keeps a path as given; otherwise
  // it is percent-encoded. The text is cut at the first "$" or "#". "http:"
  // addresses and unknown commands fail; a failed parse leaves the Url as it
  // was.
  bool Parse(const SharedWideString& address, bool raw);
  bool ParseEncoded(const EncodedString& address);
  // A path known to name a file: every character outside the strict safe
  // set is encoded, "$" and "#" included, so that a file whose name holds
  // them can be opened. A path without them parses as Parse(path, false).
  bool FromFilePath(const SharedWideString& path);
  // Parse(address, raw) followed by state 2 and the book path's length,
  // whatever Parse answered.
  bool SetBookInnerPath(const SharedWideString& address, int32_t bookPathCharacters);
  // Lets a producer write a path, then parses it percent-encoded.
  using PathProducer = bool (*)(void* argument, EncodedString* out);
  bool SetFromProducedPath(void* argument, PathProducer producer);

  // The address as text: commands with their "oeb:" name, paths as kept.
  // Unless raw, cut at the first "?" and percent-decoded. States 8 and 9
  // have no text form (false, out empty).
  bool GetText(SharedWideString* out, bool raw) const;
  // GetText(raw = false) as UTF-16; empty on failure.
  void GetPathEncoded(EncodedString* out) const;
  // The first bookPathLength characters; false when there are none.
  bool GetBookPath(SharedWideString* out) const;

  // -1, 0 or 1: by state (a local file ranks as a path), then by command
  // kind for commands, then by text.
  static int Compare(const Url& a, const Url& b);

  bool IsExternalOrPath() const { return IsFileLikeState(state); }
  bool IsInternal() const { return state == kUrlCommand || state == kUrlBookInnerPath; }
  bool IsSpecialPage() const { return state == kUrlSpecialPage; }
  static bool IsFileLikeState(int32_t s) {
    return s == kUrlPath || s == kUrlBookInnerPath || s == kUrlLocalFile || s == kUrlFileLikeUnused;
  }
  // Whether `url` replaces a base in `baseState` whole: anything against a
  // command, an address that is not file-like, or a rooted path (a backslash
  // followed by more).
  static bool IsAbsoluteAgainst(const Url& url, int32_t baseState);
};

// ---- Address text helpers

// Encodes every character below 256 outside the strict safe set (letters,
// digits, - . _ ~ ! ' ( ) *) as "%XX"; characters from 256 up stay.
bool PercentEncodeStrict(SharedWideString* text);
// "%" with two hexadecimal digits becomes that character, "+" a space; any
// other "%" stays as it is.
bool PercentDecode(const SharedWideString& text, SharedWideString* out);
// The position of the first "$" or "#", or the length.
uint32_t FragmentStart(const SharedWideString& text);
