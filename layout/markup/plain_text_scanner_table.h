// The scanner table of plain text: one mode that splits lines of text into
// words, runs of spaces, runs of spaces and tabs, and line breaks (CR, LF,
// CR LF or LF CR). Other control characters make no token: the reader
// passes over them one by one.
#pragma once

#include "layout/markup/markup_scanner.h"

// Codes answered by GetTokenInfo (the kinds the plain-text reader acts on).
enum PlainTextTokenCode : int32_t {
  kPlainTextSpaces = 13,
  kPlainTextSpacesAndTabs = 14,
  kPlainTextLineBreak = 15,
  kPlainTextWord = 17,
};

const ScannerTable* GetPlainTextScannerTable();
