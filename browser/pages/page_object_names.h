// The object names that stand for a page element in a location's fragment
// (after its "$") and in a page's object references: an index widget
// ("qvrindex" / "qvrideo"), a query widget ("qvrsql"), the word list
// ("qvrwordlist"), the search history ("qvrsearchhistory") and the media
// player ("audio"). Fields are separated by "&" and numbers are decimal.
// The readers take any text (fragments come from links and history); the
// writers produce what the readers give back.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

// What an index-widget name holds; -1 for a field that is absent or not a
// number (a number too large for 31 bits reads as INT32_MAX).
struct IndexObjectName {
  int32_t table = -1;
  int32_t keyTable = -1;
  int32_t keyTag = -1;   // the key table's entry word
  int32_t entry = -1;    // the key table's entry to select at once
  bool ideogram = false;
  SharedWideString searchText;  // the record-set name of a fragment
};

// "qvrindex" or "qvrideo", then the main table, the key table, its entry
// word, the entry and a search text. A field of the first four that is not
// a number counts as -1 and becomes the search text; the sixth is the search
// text unless it is a number. Refused when the main table is -1 or a key
// table comes without its word; a bare "qvrindex" is every field -1.
bool ParseIndexObjectName(const SharedWideString& name, IndexObjectName* out);

struct SqlObjectName {
  int32_t iconId = -1;      // kept when the field is not a number
  bool markAllRows = false;
  SharedWideString query;   // decoded
  SharedWideString recordSetName;
};

// "qvrsql", the icon id, the mark-all flag, the URL-encoded query and the
// record-set name (the rest of the text). A bare "qvrsql" parses nothing.
bool ParseSqlObjectName(const SharedWideString& name, SqlObjectName* out);

// "qvrwordlist" as a prefix: with "&" the rest must be a decimal language
// identifier; without it the language is -1.
bool IsWordListObject(const SharedWideString& name, int32_t* language);
bool IsSearchHistoryObject(const SharedWideString& name);
// Exactly "audio".
bool IsAudioType(const SharedWideString& name);

// ---- Fragments ("$" and the name), each replacing *out; false when memory
// runs out.

// A sub-table of -1 writes none; an entry of -1 none; an empty record-set
// name none.
bool WriteIndexFragment(SharedWideString* out, bool ideogram, int32_t table, int32_t subTable, int32_t entryWord,
                        int32_t selectedEntry, const SharedWideString& recordSetName);
// withBullet writes the bullet code and flag, else "0&0"; the query is
// URL-escaped with the strict set.
bool WriteSqlFragment(SharedWideString* out, bool withBullet, int32_t bulletCode, bool bulletFlag,
                      const SharedWideString& query, const SharedWideString& recordSetName);
bool WriteWordListFragment(SharedWideString* out, int32_t language);
bool WriteSearchHistoryFragment(SharedWideString* out);
