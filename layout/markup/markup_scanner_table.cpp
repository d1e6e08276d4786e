// The markup scanner table, built at compile time from the description of
// each mode below: its character classes and, per state, where each class
// leads. Everything is constant data; nothing is built at start.
#include "layout/markup/markup_scanner_table.h"

#include <array>

#include "layout/markup/scanner_table_builder.h"

namespace {

using scannertable::Go;
using scannertable::kNone;
using scannertable::kStop;
using scannertable::ModeTables;
using scannertable::Take;

constexpr bool IsSpace(int c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
constexpr bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(int c) { return c >= '0' && c <= '9'; }
constexpr bool IsNameStart(int c) { return IsLetter(c) || c == '_'; }
constexpr bool IsNameContinue(int c) { return IsDigit(c) || c == '-' || c == ':'; }
constexpr bool IsControl(int c) { return (c < 32 && !IsSpace(c)) || c == 127; }

// ---- Mode 7: text.
namespace text {
enum { kOther, kSpace, kAmp, kLt, kSlash, kQuestion, kBang, kDash, kBracket, kRefChar, kHash, kSemi,
       kC, kD, kA, kT, kClasses };
enum { kStart, kSpaces, kRef, kAfterLt, kRun, kBang1, kBangDash, kB1, kBC, kBCD, kBCDA, kBCDAT, kBCDATA,
       kStates };

constexpr ModeTables<kClasses, kStates> Build() {
  ModeTables<kClasses, kStates> t;
  for (int c = 0; c < 129; ++c) {
    uint8_t cls = kOther;
    if (c < 128) {
      if (IsSpace(c)) cls = kSpace;
      else if (c == '&') cls = kAmp;
      else if (c == '<') cls = kLt;
      else if (c == '/') cls = kSlash;
      else if (c == '?') cls = kQuestion;
      else if (c == '!') cls = kBang;
      else if (c == '-') cls = kDash;
      else if (c == '[') cls = kBracket;
      else if (c == '#') cls = kHash;
      else if (c == ';') cls = kSemi;
      else if (c == 'C') cls = kC;
      else if (c == 'D') cls = kD;
      else if (c == 'A') cls = kA;
      else if (c == 'T') cls = kT;
      else if (IsLetter(c) || IsDigit(c) || c == ':' || c == '_') cls = kRefChar;
    }
    t.classes[c] = cls;
  }
  t.Row(kStart, Go(kRun), kNone);
  t.Set(kStart, kSpace, Go(kSpaces));
  t.Set(kStart, kAmp, Go(kRef));
  t.Set(kStart, kLt, Go(kAfterLt));

  t.Row(kSpaces, kStop, kTokenSpace);
  t.Set(kSpaces, kSpace, Go(kSpaces));

  t.Row(kRef, kStop, kTokenReference);
  for (int cls : {kRefChar, kHash, kC, kD, kA, kT}) t.Set(kRef, cls, Go(kRef));
  t.Set(kRef, kSemi, Take(kTokenReference));

  t.Row(kAfterLt, kStop, kTokenTagStart);
  t.Set(kAfterLt, kSlash, Take(kTokenEndTagStart));
  t.Set(kAfterLt, kQuestion, Take(kTokenQuestion));
  t.Set(kAfterLt, kBang, Go(kBang1));

  t.Row(kRun, Go(kRun), kTokenText);
  for (int cls : {kSpace, kAmp, kLt}) t.Set(kRun, cls, kStop);

  t.Row(kBang1, kStop, kTokenDeclaration);
  t.Set(kBang1, kDash, Go(kBangDash));
  t.Set(kBang1, kBracket, Go(kB1));
  t.Row(kBangDash, kStop, kTokenDeclaration);
  t.Set(kBangDash, kDash, Take(kTokenCommentStart));
  // "<![CDATA[", letter by letter.
  const int chain[] = {kB1, kBC, kBCD, kBCDA, kBCDAT, kBCDATA};
  const int letters[] = {kC, kD, kA, kT, kA, kBracket};
  for (int i = 0; i < 6; ++i) {
    t.Row(chain[i], kStop, kTokenDeclaration);
    t.Set(chain[i], letters[i], i < 5 ? Go(chain[i + 1]) : Take(kTokenCdataStart));
  }
  return t;
}
}  // namespace text

// ---- Mode 2: tag name.
namespace tagname {
enum { kOther, kSpace, kNameStart, kNameContinue, kClasses };
enum { kStart, kSpaces, kName, kStates };

constexpr ModeTables<kClasses, kStates> Build() {
  ModeTables<kClasses, kStates> t;
  for (int c = 0; c < 129; ++c) {
    uint8_t cls = kOther;
    if (c < 128) {
      if (IsSpace(c)) cls = kSpace;
      else if (IsNameStart(c)) cls = kNameStart;
      else if (IsNameContinue(c)) cls = kNameContinue;
    }
    t.classes[c] = cls;
  }
  t.Row(kStart, kStop, kNone);
  t.Set(kStart, kSpace, Go(kSpaces));
  t.Set(kStart, kNameStart, Go(kName));
  t.Row(kSpaces, kStop, kTokenTagSpace);
  t.Set(kSpaces, kSpace, Go(kSpaces));
  t.Row(kName, kStop, kTokenName);
  t.Set(kName, kNameStart, Go(kName));
  t.Set(kName, kNameContinue, Go(kName));
  return t;
}
}  // namespace tagname

// ---- Mode 6: inside a tag.
namespace intag {
enum { kOther, kSpace, kEquals, kGt, kSlash, kDquote, kSquote, kNameStart, kNameContinue, kControl, kLt,
       kClasses };
enum { kStart, kSpaces, kAfterSlash, kDquoted, kSquoted, kName, kUnquoted, kStates };

constexpr ModeTables<kClasses, kStates> Build() {
  ModeTables<kClasses, kStates> t;
  for (int c = 0; c < 129; ++c) {
    uint8_t cls = kOther;  // printable, characters from 128 up included
    if (c < 128) {
      if (IsSpace(c)) cls = kSpace;
      else if (c == '=') cls = kEquals;
      else if (c == '>') cls = kGt;
      else if (c == '<') cls = kLt;
      else if (c == '/') cls = kSlash;
      else if (c == '"') cls = kDquote;
      else if (c == '\'') cls = kSquote;
      else if (IsNameStart(c)) cls = kNameStart;
      else if (IsNameContinue(c)) cls = kNameContinue;
      else if (IsControl(c)) cls = kControl;
    }
    t.classes[c] = cls;
  }
  t.Row(kStart, Go(kUnquoted), kNone);
  t.Set(kStart, kSpace, Go(kSpaces));
  t.Set(kStart, kEquals, Take(kTokenEquals));
  t.Set(kStart, kGt, Take(kTokenTagEnd));
  t.Set(kStart, kSlash, Go(kAfterSlash));
  t.Set(kStart, kDquote, Go(kDquoted));
  t.Set(kStart, kSquote, Go(kSquoted));
  t.Set(kStart, kNameStart, Go(kName));
  t.Set(kStart, kControl, kStop);

  t.Row(kSpaces, kStop, kTokenTagSpace);
  t.Set(kSpaces, kSpace, Go(kSpaces));

  // A lone "/" is an unquoted value; "/>" ends an empty tag; "/x" starts a
  // value such as a path.
  t.Row(kAfterSlash, Go(kUnquoted), kTokenUnquotedValue);
  t.Set(kAfterSlash, kGt, Take(kTokenEmptyTagEnd));
  for (int cls : {kSpace, kEquals, kControl}) t.Set(kAfterSlash, cls, kStop);

  // A quote that meets "<" or ">" before it closes gives no token.
  t.Row(kDquoted, Go(kDquoted), kNone);
  t.Set(kDquoted, kDquote, Take(kTokenQuotedValue));
  t.Set(kDquoted, kLt, kStop);
  t.Set(kDquoted, kGt, kStop);
  t.Row(kSquoted, Go(kSquoted), kNone);
  t.Set(kSquoted, kSquote, Take(kTokenQuotedValue));
  t.Set(kSquoted, kLt, kStop);
  t.Set(kSquoted, kGt, kStop);

  // A name that runs into other printable characters becomes a value.
  t.Row(kName, Go(kUnquoted), kTokenName);
  t.Set(kName, kNameStart, Go(kName));
  t.Set(kName, kNameContinue, Go(kName));
  for (int cls : {kSpace, kEquals, kGt, kControl}) t.Set(kName, cls, kStop);

  t.Row(kUnquoted, Go(kUnquoted), kTokenUnquotedValue);
  for (int cls : {kSpace, kEquals, kGt, kControl}) t.Set(kUnquoted, cls, kStop);
  return t;
}
}  // namespace intag

// ---- Mode 3: skip the value of an unknown attribute.
namespace skipvalue {
enum { kOther, kSpace, kEquals, kGt, kDquote, kSquote, kControl, kLt, kClasses };
enum { kStart, kAfterEquals, kDquoted, kSquoted, kUnquoted, kTrailing, kLeading, kStates };

constexpr ModeTables<kClasses, kStates> Build() {
  ModeTables<kClasses, kStates> t;
  for (int c = 0; c < 129; ++c) {
    uint8_t cls = kOther;
    if (c < 128) {
      if (IsSpace(c)) cls = kSpace;
      else if (c == '=') cls = kEquals;
      else if (c == '>') cls = kGt;
      else if (c == '<') cls = kLt;
      else if (c == '"') cls = kDquote;
      else if (c == '\'') cls = kSquote;
      else if (IsControl(c)) cls = kControl;
    }
    t.classes[c] = cls;
  }
  // Without "=" there is no value to skip: no token.
  for (int s : {kStart, kLeading}) {
    t.Row(s, kStop, kNone);
    t.Set(s, kSpace, Go(kLeading));
    t.Set(s, kEquals, Go(kAfterEquals));
  }
  t.Row(kAfterEquals, Go(kUnquoted), kNone);
  t.Set(kAfterEquals, kSpace, Go(kAfterEquals));
  t.Set(kAfterEquals, kDquote, Go(kDquoted));
  t.Set(kAfterEquals, kSquote, Go(kSquoted));
  t.Set(kAfterEquals, kGt, kStop);
  t.Set(kAfterEquals, kControl, kStop);

  t.Row(kDquoted, Go(kDquoted), kNone);
  t.Set(kDquoted, kDquote, Go(kTrailing));
  t.Set(kDquoted, kLt, kStop);
  t.Set(kDquoted, kGt, kStop);
  t.Row(kSquoted, Go(kSquoted), kNone);
  t.Set(kSquoted, kSquote, Go(kTrailing));
  t.Set(kSquoted, kLt, kStop);
  t.Set(kSquoted, kGt, kStop);

  t.Row(kUnquoted, Go(kUnquoted), kTokenSkippedValue);
  t.Set(kUnquoted, kSpace, Go(kTrailing));
  t.Set(kUnquoted, kGt, kStop);
  t.Set(kUnquoted, kControl, kStop);

  t.Row(kTrailing, kStop, kTokenSkippedValue);
  t.Set(kTrailing, kSpace, Go(kTrailing));
  return t;
}
}  // namespace skipvalue

// ---- Modes 5, 0, 4 and 1: runs up to a terminator.

// "-->" and "]]>": a doubled character, then the last one; a further
// repeat of the doubled character keeps the match open (as in "--->").
template <char kFirst, char kLast>
constexpr ModeTables<3, 3> BuildDoubledThen(int token) {
  ModeTables<3, 3> t;
  for (int c = 0; c < 129; ++c) t.classes[c] = c == kFirst ? 1 : (c == kLast ? 2 : 0);
  t.Row(0, Go(0), static_cast<int8_t>(token));
  t.Set(0, 1, Go(1));
  t.Row(1, Go(0), static_cast<int8_t>(token));
  t.Set(1, 1, Go(2));
  t.Row(2, Go(0), static_cast<int8_t>(token));
  t.Set(2, 1, Go(2));
  t.Set(2, 2, Take(token));
  return t;
}

constexpr ModeTables<2, 1> BuildSkipToEnd() {
  ModeTables<2, 1> t;
  for (int c = 0; c < 129; ++c) t.classes[c] = c == '>' ? 1 : 0;
  t.Row(0, Go(0), kTokenSkippedEnd);
  t.Set(0, 1, Take(kTokenSkippedEnd));
  return t;
}

constexpr ModeTables<3, 2> BuildScriptBody() {
  ModeTables<3, 2> t;
  for (int c = 0; c < 129; ++c) t.classes[c] = c == '<' ? 1 : (c == '/' ? 2 : 0);
  t.Row(0, Go(0), kTokenScriptText);
  t.Set(0, 1, Go(1));
  t.Row(1, Go(0), kTokenScriptText);
  t.Set(1, 1, Go(1));
  t.Set(1, 2, Take(kTokenScriptText));
  return t;
}

constexpr auto kText = text::Build();
constexpr auto kTagName = tagname::Build();
constexpr auto kInsideTag = intag::Build();
constexpr auto kSkipValue = skipvalue::Build();
constexpr auto kSkipToEnd = BuildSkipToEnd();
constexpr auto kComment = BuildDoubledThen<'-', '>'>(kTokenCommentEnd);
constexpr auto kCdata = BuildDoubledThen<']', '>'>(kTokenCdataText);
constexpr auto kScriptBody = BuildScriptBody();

const int8_t* const kStateTables[8] = {
    kCdata.states.data(),    kScriptBody.states.data(), kTagName.states.data(), kSkipValue.states.data(),
    kSkipToEnd.states.data(), kComment.states.data(),   kInsideTag.states.data(), kText.states.data(),
};
const uint8_t* const kClassTables[8] = {
    kCdata.classes.data(),    kScriptBody.classes.data(), kTagName.classes.data(), kSkipValue.classes.data(),
    kSkipToEnd.classes.data(), kComment.classes.data(),   kInsideTag.classes.data(), kText.classes.data(),
};
const uint8_t kRowWidths[8] = {
    decltype(kCdata)::kWidth,     decltype(kScriptBody)::kWidth, decltype(kTagName)::kWidth,
    decltype(kSkipValue)::kWidth, decltype(kSkipToEnd)::kWidth,  decltype(kComment)::kWidth,
    decltype(kInsideTag)::kWidth, decltype(kText)::kWidth,
};

constexpr uint8_t kSwitch = kScannerSwitchesMode;
const ScannerToken kTokens[21] = {
    {kSwitch | 0, kCodeTagEnd, kModeText},                       // 0 end of a skipped stretch
    {kSwitch | kScannerTokenIgnored, -1, kModeText},             // 1 "-->"
    {kSwitch | kScannerTokenText, kCodeCdataText, kModeText},    // 2 CDATA text
    {kSwitch | 0, kCodeQuestion, kModeTagName},                  // 3 "<?"
    {kSwitch | 0, kCodeCdataStart, kModeCdata},                  // 4 "<![CDATA["
    {kSwitch | 0, kCodeDeclaration, kModeTagName},               // 5 "<!"
    {kSwitch | kScannerTokenIgnored, -1, kModeComment},          // 6 "<!--"
    {kSwitch | 0, kCodeEndTagStart, kModeTagName},               // 7 "</"
    {kSwitch | 0, kCodeTagStart, kModeTagName},                  // 8 "<"
    {0, kCodeSpace, 0},                                          // 9 white space
    {kScannerTokenText, kCodeReference, 0},                      // 10 character reference
    {kScannerTokenText, kCodeText, 0},                           // 11 text
    {kScannerTokenText, kCodeQuotedValue, 0},                    // 12 quoted value
    {kSwitch | kScannerTokenIgnored, -1, kModeInsideTag},        // 13 skipped unknown value
    {kScannerTokenIgnored, -1, 0},                               // 14 white space in a tag
    {0, kCodeEquals, 0},                                         // 15 "="
    {kSwitch | 0, kCodeEmptyTagEnd, kModeText},                  // 16 "/>"
    {kSwitch | 0, kCodeTagEnd, kModeText},                       // 17 ">"
    {kScannerTokenText, kCodeUnquotedValue, 0},                  // 18 unquoted value
    {kSwitch | kScannerTokenText, kCodeName, kModeInsideTag},    // 19 name
    {kSwitch | kScannerTokenText, kCodeScriptText, kModeTagName},  // 20 script text
};

const ScannerTable kMarkupScannerTable = {8, kModeText, 21, kStateTables, kClassTables, kRowWidths, kTokens};

// A character goes into a text run when the text mode's start state leads
// it into the run and the run keeps it; likewise for a run of white space.
// It begins a tag's name when the tag-name mode's start state leads it into
// the name, and goes on with one when the name keeps it.
constexpr std::array<uint8_t, kScannerClassEntries> BuildQuickTokenFlags() {
  std::array<uint8_t, kScannerClassEntries> flags{};
  for (uint32_t c = 0; c < kScannerClassEntries; ++c) {
    const auto text = [c](int state) {
      return kText.states[state * decltype(kText)::kWidth + kText.classes[c]];
    };
    const auto name = [c](int state) {
      return kTagName.states[state * decltype(kTagName)::kWidth + kTagName.classes[c]];
    };
    if (text(text::kStart) == Go(text::kRun) && text(text::kRun) == Go(text::kRun)) flags[c] |= kRunCharText;
    if (text(text::kStart) == Go(text::kSpaces) && text(text::kSpaces) == Go(text::kSpaces))
      flags[c] |= kRunCharSpace;
    if (name(tagname::kStart) == Go(tagname::kName)) flags[c] |= kRunCharNameStart;
    if (name(tagname::kName) == Go(tagname::kName)) flags[c] |= kRunCharName;
  }
  return flags;
}

constexpr std::array<uint8_t, kScannerClassEntries> kQuickTokenFlags = BuildQuickTokenFlags();

constexpr bool SureRangeGoesOnRuns() {
  for (uint32_t c = kRunTextSureFirst; c < 128; ++c)
    if ((kQuickTokenFlags[c] & kRunCharText) == 0) return false;
  return true;
}
static_assert(SureRangeGoesOnRuns(), "a character the text runs pass over unseen ends a run");

}  // namespace

const std::array<uint8_t, kScannerClassEntries> kMarkupQuickTokenFlags = kQuickTokenFlags;

const ScannerTable* GetMarkupScannerTable() { return &kMarkupScannerTable; }
