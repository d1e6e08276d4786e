// Location: a Url with its fragment (the text from the first "$" or "#"),
// the unit of navigation, history, caching and loading; relative resolution
// of an address against a base; the fragment forms that carry reading
// positions and stream names; and the query arguments of an address.
#pragma once

#include <cstdint>

#include "foundation/addresses/url.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

class EncodedString;

// The codes of the query arguments the system reads; any other name is 0.
enum QueryArgumentCode : int32_t {
  kQueryUnknown = 0,
  kQueryName = 1,
  kQueryCategory = 2,
  kQueryTitle = 3,
  kQueryAction = 4,
  kQuerySubpath = 5,
  kQueryParam = 6,
};

class Location {
 public:
  Url url;
  SharedWideString fragment;  // "$..." or "#...", or empty

  Location() = default;

  // Without a base: the fragment is split off and the rest parsed raw. With
  // one: ParseRelative. A failed parse leaves the location as it was.
  static bool Parse(Location* location, const SharedWideString& text, const Url* base);
  // The text resolved against base: a fragment alone keeps the base; a path
  // is combined with the base's folder (".." components climb, a ".prc" in
  // the text cuts the base after its last ".prc"); commands, rooted paths
  // and anything against a command replace the base.
  static bool ParseRelative(Location* location, const SharedWideString& text, const Url& base);
  // The Url's raw text followed by the fragment.
  static bool GetText(const Location& location, SharedWideString* out);
  // Parses text (against base when given) and gives its full text; out is
  // emptied on failure.
  static bool FromText(const SharedWideString& text, const Url* base, SharedWideString* out);
  // Url order, then the fragments unit by unit.
  static int Compare(const Location& a, const Location& b);

  // The database command "?name=" + the name reduced to an identifier.
  // False, with the text left as "?name=", when nothing of the name is kept.
  static bool ApplyDatabaseName(Location* location, const SharedWideString& name);
  // The bookmarks page of a category (see location.cpp).
  static bool MakeCategoryAddress(Location* target, const Location& source, EncodedString* name,
                                  EncodedString* category);

  // "$" + n.
  bool SetPositionFragment(uint32_t n);
  // "$eo=" + the name without its query.
  bool SetEntryFragment(const SharedWideString& name);
  // "##-pos" + n.
  bool SetPosFragment(uint32_t n);
  // The number after "pos" in the first "-"-separated word of a "##"
  // fragment that begins with "pos"; -1 when none reads.
  static int32_t GetPosFromFragment(const SharedWideString& fragment);
};

// ---- Fragment and query helpers

// The text from the first "$" or "#"; true when not empty.
bool SplitFragment(const SharedWideString& text, SharedWideString* out);
// The text from the first "#"; true when not empty.
bool FragmentFromHash(const SharedWideString& text, SharedWideString* out);
bool HasHash(const SharedWideString& text);
// The first "#" is directly followed by another.
bool HasDoubleHash(const SharedWideString& text);
bool HasDollar(const SharedWideString& text);
// The part after the first "$": a decimal number gives (n, empty name),
// anything else (-1, that part). Without "$": (-1, empty) and false.
bool SplitStreamFragment(const SharedWideString& fragment, int32_t* number, SharedWideString* name);
// The text from its first "?" (with the "?" when keepMark); false without one.
bool SplitQuery(const SharedWideString& text, SharedWideString* out, bool keepMark);
// Cuts the text at its first "?".
void StripQuery(SharedWideString* text);
// The arguments after the first "?" (up to a "#" or "$"), split at "&": each
// name's code and its value, in order. False when none was found.
bool ParseQueryArguments(const SharedWideString& text, SegmentedTypedArray<int32_t>* codes,
                         SegmentedTypedArray<SharedWideString>* values);
// The value of the first argument with the code; false when absent.
bool FindQueryArgument(const SharedWideString& text, int32_t code, SharedWideString* value);

// The side-file list kinds of the bookmarks page's categories.
enum SideFileListKind : int32_t {
  kSideFileListOther = 0,
  kSideFileListAll = 1,
  kSideFileListBookmarks = 7,
  kSideFileListAudiomarks = 8,
  kSideFileListAnnotations = 9,
  kSideFileListHighlights = 10,
};
// For a bookmarks command whose text begins "?cat=": the category's kind by
// its prefix. False for every other address.
bool GetSideFileListKind(const Url& url, int32_t* kind);

// A growable list of locations in blocks of 64 that never move.
class LocationList {
 public:
  static constexpr uint32_t kBlockItems = 64;

  LocationList() = default;
  ~LocationList() { Free(); }
  LocationList(const LocationList&) = delete;
  LocationList& operator=(const LocationList&) = delete;

  uint32_t Count() const { return count_; }
  // Item i, the count raised to i + 1 when i is past it; its block is
  // allocated when missing. Null when memory runs out.
  Location* At(uint32_t i);
  // Item i below the count (no check beyond it).
  const Location& Get(uint32_t i) const { return blocks_[i / kBlockItems][i % kBlockItems]; }
  Location& Get(uint32_t i) { return blocks_[i / kBlockItems][i % kBlockItems]; }
  // Its index, or -1 when memory runs out.
  int32_t Append(const Location& location);
  // Removes item i; the later ones move down one place.
  void RemoveAt(uint32_t i);
  // Empties the list; the blocks stay.
  void Clear();
  // Frees the blocks past the one that holds the last item.
  void Shrink();

 private:
  void Free();
  bool EnsureBlock(uint32_t block);

  Location** blocks_ = nullptr;
  uint32_t blockSlots_ = 0;
  uint32_t count_ = 0;
};
