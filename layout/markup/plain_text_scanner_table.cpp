// The plain-text scanner table, built at compile time like the markup
// table: six character classes and the states that end each token.
#include "layout/markup/plain_text_scanner_table.h"

#include <array>

#include "layout/markup/scanner_table_builder.h"

namespace {

enum Class : uint8_t { kTab, kLineFeed, kReturn, kSpace, kControl, kPrintable, kClasses };
enum State : int8_t { kStart, kWord, kSpaces, kMixed, kAfterReturn, kAfterLineFeed, kControls, kStates };
enum Token : uint8_t { kWordToken, kSpacesToken, kMixedToken, kBreakToken };

using scannertable::Go;
using scannertable::kNone;
using scannertable::kStop;
using scannertable::Take;
using Tables = scannertable::ModeTables<kClasses, kStates>;
constexpr int kWidth = Tables::kWidth;

constexpr uint8_t ClassOf(int c) {
  if (c == '\t') return kTab;
  if (c == '\n') return kLineFeed;
  if (c == '\r') return kReturn;
  if (c == ' ') return kSpace;
  if (c < 0x20) return kControl;
  return kPrintable;  // 0x7F and everything from 128 up included
}

constexpr Tables Build() {
  Tables t;
  for (int c = 0; c < static_cast<int>(kScannerClassEntries); ++c) t.classes[c] = ClassOf(c);

  t.Row(kStart, Go(kWord), kNone);
  t.Set(kStart, kSpace, Go(kSpaces));
  t.Set(kStart, kTab, Go(kMixed));
  t.Set(kStart, kReturn, Go(kAfterReturn));
  t.Set(kStart, kLineFeed, Go(kAfterLineFeed));
  t.Set(kStart, kControl, Go(kControls));

  t.Row(kWord, kStop, kWordToken);
  t.Set(kWord, kPrintable, Go(kWord));

  t.Row(kSpaces, kStop, kSpacesToken);
  t.Set(kSpaces, kSpace, Go(kSpaces));
  t.Set(kSpaces, kTab, Go(kMixed));

  t.Row(kMixed, kStop, kMixedToken);
  t.Set(kMixed, kSpace, Go(kMixed));
  t.Set(kMixed, kTab, Go(kMixed));

  // CR, LF, CR LF and LF CR are one line break each.
  t.Row(kAfterReturn, kStop, kBreakToken);
  t.Set(kAfterReturn, kLineFeed, Take(kBreakToken));
  t.Row(kAfterLineFeed, kStop, kBreakToken);
  t.Set(kAfterLineFeed, kReturn, Take(kBreakToken));

  // One control character consumed, no token.
  t.Row(kControls, kStop, kNone);
  return t;
}

constexpr Tables kTables = Build();

const int8_t* const kStateTables[1] = {kTables.states.data()};
const uint8_t* const kClassTables[1] = {kTables.classes.data()};
const uint8_t kRowWidths[1] = {kWidth};
const ScannerToken kTokens[4] = {
    {kScannerTokenText, kPlainTextWord, 0},     // a word
    {0, kPlainTextSpaces, 0},                   // spaces
    {0, kPlainTextSpacesAndTabs, 0},            // spaces and tabs, at least one tab
    {0, kPlainTextLineBreak, 0},                // a line break
};

const ScannerTable kPlainTextScannerTable = {1, 0, 4, kStateTables, kClassTables, kRowWidths, kTokens};

}  // namespace

const ScannerTable* GetPlainTextScannerTable() { return &kPlainTextScannerTable; }
