// The scanner table of the markup-aware text search: one mode that splits
// markup into what a reader sees (runs of text, runs of white space,
// character references) and what is skipped (tags, control characters).
#pragma once

#include "layout/markup/markup_scanner.h"

// Token numbers of the table.
enum SearchTokenNumber : uint8_t {
  kSearchTokenReference = 0,  // "&" name-or-number [";"]
  kSearchTokenText = 1,       // a run of visible characters
  kSearchTokenSpace = 2,      // a run of white space
  kSearchTokenControl = 3,    // a run of control characters (ignored)
  kSearchTokenTag = 4,        // "<" ... ">" (ignored)
};

// Codes answered by GetTokenInfo.
enum SearchTokenCode : int32_t {
  kSearchCodeReference = 16,
  kSearchCodeText = 17,
  kSearchCodeSpace = 18,
};

const ScannerTable* GetSearchScannerTable();
