// The user's word lists: one table per language in the word-list database,
// named "wl_" and the language's tag, with the columns the word-list page
// reads (the word, the dictionary, an icon, the formatted text, the entry
// number and a short identifier).
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class Database;

// "wl_" + the language's tag; false for a language without a tag.
bool WordListTableName(uint32_t language, SharedWideString* name);
// The table of the language, found or created; with addColumns the six
// columns are added when missing, in their order. -1 when the language has
// no tag, the table cannot be made or a column cannot be added.
int32_t OpenWordListTable(Database* database, uint32_t language, bool addColumns);
// Whether the database's file is marked read-only (a database without a
// file is not).
bool IsDatabaseReadOnly(const Database* database);
