// The search scanner table, built at compile time like the markup table:
// nine character classes and the states that end each of the five tokens.
#include "layout/search/search_scanner_table.h"

#include <array>

#include "layout/markup/scanner_table_builder.h"

namespace {

enum Class : uint8_t { kControl, kSpace, kOther, kAmp, kLt, kHash, kSemi, kWord, kGt, kClasses };
enum State : int8_t { kStart, kReference, kText, kSpaces, kControls, kAfterLt, kInTag, kStates };

using scannertable::Go;
using scannertable::kNone;
using scannertable::kStop;
using scannertable::Take;
using Tables = scannertable::ModeTables<kClasses, kStates>;
constexpr int kWidth = Tables::kWidth;

constexpr uint8_t ClassOf(int c) {
  if (c >= 128) return kOther;
  if (c == '\t' || c == '\n' || c == '\r' || c == ' ') return kSpace;
  if (c < 32 || c == 127) return kControl;
  if (c == '&') return kAmp;
  if (c == '<') return kLt;
  if (c == '#') return kHash;
  if (c == ';') return kSemi;
  if (c == '>') return kGt;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ':' || c == '_')
    return kWord;
  return kOther;
}

constexpr Tables Build() {
  Tables t;
  for (int c = 0; c < static_cast<int>(kScannerClassEntries); ++c) t.classes[c] = ClassOf(c);

  t.Row(kStart, Go(kText), kNone);
  t.Set(kStart, kControl, Go(kControls));
  t.Set(kStart, kSpace, Go(kSpaces));
  t.Set(kStart, kAmp, Go(kReference));
  t.Set(kStart, kLt, Go(kAfterLt));

  // "&" and a name or number, ended by ";" (taken) or by anything else.
  t.Row(kReference, kStop, kSearchTokenReference);
  t.Set(kReference, kHash, Go(kReference));
  t.Set(kReference, kWord, Go(kReference));
  t.Set(kReference, kSemi, Take(kSearchTokenReference));

  t.Row(kText, Go(kText), kSearchTokenText);
  for (int cls : {kControl, kSpace, kAmp, kLt}) t.Set(kText, cls, kStop);

  t.Row(kSpaces, kStop, kSearchTokenSpace);
  t.Set(kSpaces, kSpace, Go(kSpaces));

  t.Row(kControls, kStop, kSearchTokenControl);
  t.Set(kControls, kControl, Go(kControls));

  // A tag: "<", at least one character (even ">"), then up to the next ">".
  t.Row(kAfterLt, Go(kInTag), kNone);
  t.Row(kInTag, Go(kInTag), kNone);
  t.Set(kInTag, kGt, Take(kSearchTokenTag));
  return t;
}

constexpr Tables kTables = Build();

const int8_t* const kStateTables[1] = {kTables.states.data()};
const uint8_t* const kClassTables[1] = {kTables.classes.data()};
const uint8_t kRowWidths[1] = {kWidth};
const ScannerToken kTokens[5] = {
    {kScannerTokenText, kSearchCodeReference, 0},  // 0 character reference
    {kScannerTokenText, kSearchCodeText, 0},       // 1 text
    {0, kSearchCodeSpace, 0},                      // 2 white space
    {kScannerTokenIgnored, -1, 0},                 // 3 control characters
    {kScannerTokenIgnored, -1, 0},                 // 4 tag
};

const ScannerTable kSearchScannerTable = {1, 0, 5, kStateTables, kClassTables, kRowWidths, kTokens};

}  // namespace

const ScannerTable* GetSearchScannerTable() { return &kSearchScannerTable; }
