// The markup scanner table: eight modes over which the tokenizer splits
// markup into tokens, and the 21 tokens with the codes the parser sees.
#pragma once

#include <array>
#include <cstdint>

#include "layout/markup/markup_scanner.h"

// Modes.
enum MarkupScannerMode : uint8_t {
  kModeCdata = 0,        // everything up to "]]>"
  kModeScriptBody = 1,   // everything up to the next "</"
  kModeTagName = 2,      // the name after "<", "</", "<?" or "<!"
  kModeSkipValue = 3,    // the value of an unknown attribute
  kModeSkipToEnd = 4,    // everything up to ">"
  kModeComment = 5,      // everything up to "-->"
  kModeInsideTag = 6,    // attributes, "=", values, ">" and "/>"
  kModeText = 7,         // text, white space, references and tag starts (start mode)
};

// Token numbers of the table.
enum MarkupTokenNumber : uint8_t {
  kTokenSkippedEnd = 0,      // ">" ending a skipped stretch
  kTokenCommentEnd = 1,      // "-->" (ignored)
  kTokenCdataText = 2,       // CDATA text up to and with "]]>"
  kTokenQuestion = 3,        // "<?"
  kTokenCdataStart = 4,      // "<![CDATA["
  kTokenDeclaration = 5,     // "<!"
  kTokenCommentStart = 6,    // "<!--" (ignored)
  kTokenEndTagStart = 7,     // "</"
  kTokenTagStart = 8,        // "<"
  kTokenSpace = 9,           // white space run
  kTokenReference = 10,      // "&" name-or-number [";"]
  kTokenText = 11,           // text run
  kTokenQuotedValue = 12,    // quoted attribute value, quotes included
  kTokenSkippedValue = 13,   // end of a skipped unknown attribute value (ignored)
  kTokenTagSpace = 14,       // white space inside a tag (ignored)
  kTokenEquals = 15,         // "="
  kTokenEmptyTagEnd = 16,    // "/>"
  kTokenTagEnd = 17,         // ">"
  kTokenUnquotedValue = 18,  // unquoted attribute value
  kTokenName = 19,           // tag or attribute name
  kTokenScriptText = 20,     // script text up to and with "</"
};

// Codes the parser acts on (GetTokenInfo).
enum MarkupTokenCode : int32_t {
  kCodeTagEnd = 1,
  kCodeQuestion = 2,
  kCodeDeclaration = 3,
  kCodeEndTagStart = 4,
  kCodeTagStart = 5,
  kCodeText = 6,
  kCodeQuotedValue = 7,
  kCodeEquals = 8,
  kCodeEmptyTagEnd = 9,
  kCodeUnquotedValue = 10,
  kCodeName = 11,
  kCodeScriptText = 12,
  kCodeReference = 16,
  kCodeSpace = 18,
  kCodeCdataStart = 83,
  kCodeCdataText = 84,
};

const ScannerTable* GetMarkupScannerTable();

// The characters by what they do in the commonest tokens (kRunCharText and
// the others: see MarkupTokenizer::NextRunToken and NextPlainTag), worked
// out from the text and tag-name modes' own tables so that they agree.
extern const std::array<uint8_t, kScannerClassEntries> kMarkupQuickTokenFlags;
