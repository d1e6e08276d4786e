// MarkupParser: element delivery (queued closings, the pending tag, parsed
// elements) and the parse of one element from the tokens.
#include "layout/markup/markup_parser.h"

#include "foundation/characters/char_class.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_tag_properties.h"
#include "layout/markup/markup_scanner_table.h"

namespace {

constexpr uint8_t kStackShift = 6;  // 64 ids per block

}  // namespace

MarkupParser::MarkupParser(bool autoClose) : autoClose_(autoClose ? 1 : 0) {
  queue_.SetGeometry(4);
  stack_.SetGeometry(kStackShift);
  attributes_.SetGeometry(4);
  tokenizer_.Scanner().SetTable(GetMarkupScannerTable());
}

MarkupParser::~MarkupParser() {
  // Our own strings first, so that the tokenizer can give back every block.
  text_.Clear();
  ClearAttributes();
}

uint32_t MarkupParser::GetPosition() {
  if (queueRead_ < queue_.count || pendingTag_ != 0) return pendingPosition_;
  return tokenizer_.GetPosition();
}

uint32_t MarkupParser::GetTag(bool* closing, bool* selfContained) {
  if (closing != nullptr) *closing = closing_;
  if (selfContained != nullptr) *selfContained = selfContained_;
  return tag_;
}

uint32_t MarkupParser::GetAttributeCount() {
  return kind_ == kElementTag && attributesShown_ ? attributes_.count : 0;
}

const MarkupAttribute* MarkupParser::GetAttribute(uint32_t n) {
  return n < GetAttributeCount() ? attributes_.At(n) : nullptr;
}

void MarkupParser::AttachSource(Document* document, uint32_t argument) {
  text_.Clear();
  ClearAttributes();
  tokenizer_.Attach(document, argument);
}

// ---- Lists

void MarkupParser::ClearAttributes() {
  for (uint32_t i = 0; i < attributes_.count; ++i) attributes_.At(i)->value.Clear();
  attributes_.count = 0;
}

bool MarkupParser::AddAttribute(uint32_t id) {
  MarkupAttribute* attribute = attributes_.AppendSlot();
  if (attribute == nullptr) return false;
  attribute->value.Clear();
  attribute->id = id;
  attribute->complete = 0;
  return true;
}

bool MarkupParser::HasAttribute(uint32_t id) const {
  for (uint32_t i = 0; i < attributes_.count; ++i)
    if (attributes_.At(i)->id == id) return true;
  return false;
}

bool MarkupParser::StackHolds(uint32_t id) const {
  for (uint32_t i = 0; i < stack_.count; ++i)
    if (*stack_.At(i) == id) return true;
  return false;
}

bool MarkupParser::Push(uint32_t id) { return stack_.Append(static_cast<uint8_t>(id)) >= 0; }

void MarkupParser::Pop() {
  if (stack_.count != 0) --stack_.count;
}

void MarkupParser::ClearQueue() {
  queue_.count = 0;
  queueRead_ = 0;
}

void MarkupParser::SetCurrentTag(uint32_t id, bool closing, bool selfContained) {
  tag_ = id;
  closing_ = closing;
  selfContained_ = selfContained;
}

bool MarkupParser::ApplyStackWork() {
  if (!autoClose_) return true;
  if (closing_) {
    Pop();
    return true;
  }
  return selfContained_ || Push(tag_);
}

// ---- Delivery

int32_t MarkupParser::Next() {
  if (queueRead_ < queue_.count) {
    uint32_t id = *queue_.At(queueRead_++);
    Pop();
    if (queueRead_ >= queue_.count) ClearQueue();
    SetCurrentTag(id, true, false);
    attributesShown_ = false;
    return kind_ = kElementTag;
  }
  if (pendingTag_ != 0) {
    uint32_t id = pendingTag_;
    pendingTag_ = 0;
    SetCurrentTag(id, pendingClosing_, pendingSelfContained_ && !IsTablePartClass(id));
    attributesShown_ = true;
    if (!ApplyStackWork()) return kind_ = kElementEnd;
    return kind_ = kElementTag;
  }

  if (parseState_ == kOutside && replayLimit_ == 0) {
    // A word or a run of white space, most of a book's elements, without
    // the general token loop of ParseElement (which reads exactly the same
    // tokens).
    tokenizer_.Scanner().SelectMode(kModeText);
    const int32_t run = tokenizer_.NextRunToken(kMarkupQuickTokenFlags.data(), kTextTokenMaximum);
    if (run != kRunTokenNone) {
      resumePending_ = false;
      if (run == kRunTokenSpace) {
        joining_ = false;
        joinCount_ = 0;
      }
      if (!tokenizer_.GetTokenText(&text_, false, false, joining_)) return kind_ = kElementEnd;
      return kind_ = run == kRunTokenText ? FinishText() : kElementSpace;
    }
  }

  // Only a tag needs its position (for the closings it may queue), so it
  // is worked out once the element is known to be one.
  tokenizer_.MarkPosition();
  if (replayLimit_ != 0 && tokenizer_.PositionAtMark() >= replayLimit_) replayLimit_ = 0;
  int32_t kind = ParseElement();
  const uint32_t position = kind == kElementTag ? tokenizer_.PositionAtMark() : 0;
  tokenizer_.ClearMark();
  bool resumed = resumePending_;
  resumePending_ = false;
  if (kind != kElementTag) return kind_ = kind;
  if (resumed) {
    // The pending tag of a restored state: its closings are delivered.
    SetCurrentTag(parsedTag_, parsingClosing_, parsingSelfContained_ && !IsTablePartClass(parsedTag_));
    attributesShown_ = true;
    if (!ApplyStackWork()) return kind_ = kElementEnd;
    return kind_ = kElementTag;
  }

  if (replayLimit_ != 0) {
    // Replaying a stretch already seen: the stack is left alone.
    if ((parsingClosing_ && IsEmptyElement(parsedTag_)) || HasAttribute(kMarkupQvrIgnore)) {
      ClearAttributes();
      return kind_ = kElementAgain;
    }
    SetCurrentTag(parsedTag_, parsingClosing_, true);
    attributesShown_ = true;
    return kind_ = kElementTag;
  }
  if (autoClose_) {
    Closing closing = ImplicitClose(position);
    if (closing == Closing::kDropped) {
      ClearAttributes();
      return kind_ = kElementAgain;
    }
    if (closing == Closing::kQueued) return kind_ = kElementAgain;
  }
  SetCurrentTag(parsedTag_, parsingClosing_, parsingSelfContained_);
  attributesShown_ = true;
  if (!ApplyStackWork()) return kind_ = kElementEnd;
  return kind_ = kElementTag;
}

// ---- Parsing

void MarkupParser::BackToScript() {
  parseState_ = kInScript;
  inScriptClose_ = true;
  tokenizer_.Scanner().SelectMode(kModeScriptBody);
}

int32_t MarkupParser::FinishText() {
  WCHAR next = tokenizer_.Peek();
  // Combining marks begin at U+0300: plain text never pays for the test.
  if ((next == '&' || (next >= 0x0300 && IsCombiningMark(next))) && joinCount_ < kMaxJoins) {
    joining_ = true;
    ++joinCount_;
    return kElementAgain;
  }
  joining_ = false;
  joinCount_ = 0;
  return kElementText;
}

bool MarkupParser::SetLastValue() {
  if (attributes_.count == 0) return true;
  MarkupAttribute* attribute = attributes_.At(attributes_.count - 1);
  if (!tokenizer_.GetTokenText(&attribute->value, true, true, false)) {
    attribute->value.Clear();
    --attributes_.count;
    return false;
  }
  attribute->complete = 1;
  return true;
}

int32_t MarkupParser::FinishTag(uint32_t tagId, bool dropping, bool selfContained, bool fromQuestion) {
  if (dropping || tagId == 0) {
    ClearAttributes();
    return kElementAgain;
  }
  if (tagId == kMarkupScript) {
    if (parsingClosing_) {
      parseState_ = kOutside;
      inScriptClose_ = false;
    } else if (!selfContained) {
      parseState_ = kInScript;
    }
  }
  if (xmlMode_ && tagId == kMarkupXml) {
    if (!fromQuestion) {
      ClearAttributes();
      tokenizer_.Scanner().SelectMode(kModeText);
      return kElementAgain;
    }
    selfContained = true;  // a processing instruction has no content
  }
  if (parsingClosing_) ClearAttributes();
  parsedTag_ = tagId;
  parsingSelfContained_ = selfContained;
  return kElementTag;
}

int32_t MarkupParser::ParseElement() {
  MarkupScanner& scanner = tokenizer_.Scanner();
  bool inTag = false;
  bool dropping = false;
  bool fromQuestion = false;
  TagStep step = TagStep::kExpectName;
  uint32_t tagId = 0;
  parsingClosing_ = false;
  parsingSelfContained_ = false;
  if (parseState_ == kInScript) {
    scanner.SelectMode(kModeScriptBody);
  } else if (parseState_ == kAfterScriptText) {
    scanner.SelectMode(kModeTagName);
    inTag = true;
    parsingClosing_ = true;
  } else {
    scanner.SelectMode(kModeText);
    // A tag without attributes, most of a book's tags, without the token
    // loop below (which reads exactly the same tokens).
    bool closing = false;
    bool empty = false;
    if (tokenizer_.NextPlainTag(kMarkupQuickTokenFlags.data(), &closing, &empty)) {
      joining_ = false;
      joinCount_ = 0;
      parsingClosing_ = closing;
      uint32_t id = tokenizer_.LookupMarkupName();
      if (!IsTag(id)) id = 0;
      if (id != 0 && !closing) ClearAttributes();
      return FinishTag(id, id == 0, empty, false);
    }
  }
  auto skipToEnd = [&](bool drop) {
    scanner.SelectMode(kModeSkipToEnd);
    inTag = true;
    if (drop) dropping = true;
  };

  for (;;) {
    const uint32_t mode = scanner.Mode();
    bool limited = mode == kModeText && !inTag;
    // Comments, skipped stretches and script text being dropped are read
    // for their end only: their characters are not kept, so that an
    // unclosed one of any size holds no more than a block or two.
    bool keepText = mode != kModeComment && mode != kModeSkipToEnd && mode != kModeSkipValue &&
                    !(mode == kModeScriptBody && inScriptClose_);
    int32_t token = -1;
    int32_t answer = tokenizer_.NextToken(&token, limited ? kTextTokenMaximum : -1, keepText);
    if (answer == kTokenEnd || answer == kTokenNoMemory) return kElementEnd;
    if (answer == kTokenNotAccepted) {
      if (parseState_ == kAfterScriptText && step == TagStep::kExpectName && tagId == 0) {
        // "</" inside a script that no name follows: still script.
        BackToScript();
        inTag = false;
        continue;
      }
      skipToEnd(true);
      continue;
    }
    int32_t code = 0;
    bool isText = false;
    if (!tokenizer_.GetTokenInfo(token, &code, &isText)) continue;  // ignored
    if (code != kCodeText && code != kCodeReference) {
      joining_ = false;
      joinCount_ = 0;
    }

    switch (code) {
      case kCodeTagStart:
      case kCodeEndTagStart:
        inTag = true;
        dropping = false;
        fromQuestion = false;
        step = TagStep::kExpectName;
        tagId = 0;
        parsingClosing_ = code == kCodeEndTagStart;
        break;

      case kCodeQuestion:
        inTag = true;
        step = TagStep::kExpectName;
        tagId = 0;
        parsingClosing_ = false;
        if (xmlMode_) {
          fromQuestion = true;
          dropping = false;
        } else {
          skipToEnd(true);
        }
        break;

      case kCodeDeclaration:
        skipToEnd(true);
        break;

      case kCodeCdataStart:
        break;  // the scanner now reads the CDATA text

      case kCodeCdataText:
        if (!tokenizer_.GetTokenText(&text_, false, false, false)) return kElementEnd;
        return kElementText;

      case kCodeName: {
        if (!inTag || dropping) break;
        if (step == TagStep::kExpectName) {
          uint32_t id = tokenizer_.LookupMarkupName();
          if (parseState_ == kAfterScriptText) {
            if (id != kMarkupScript) {
              BackToScript();
              inTag = false;
              break;
            }
            tagId = id;
            skipToEnd(false);
            break;
          }
          if (!IsTag(id) || (fromQuestion && id != kMarkupXml)) id = 0;
          tagId = id;
          if (id == 0) {
            skipToEnd(true);
          } else if (parsingClosing_) {
            skipToEnd(false);
          } else {
            ClearAttributes();
            step = TagStep::kExpectAttributeName;
          }
          break;
        }
        if (step == TagStep::kAfterEquals) {
          // A name-like value (align=center).
          if (!SetLastValue()) skipToEnd(true);
          step = TagStep::kExpectAttributeName;
          break;
        }
        if (step == TagStep::kAfterAttributeName) attributes_.At(attributes_.count - 1)->complete = 1;
        uint32_t id = tokenizer_.LookupMarkupName();
        if (id == 0) {
          // Not a name we know: its value, if any, is skipped.
          scanner.SelectMode(kModeSkipValue);
          step = TagStep::kExpectAttributeName;
        } else if (!AddAttribute(id)) {
          skipToEnd(true);
        } else {
          step = TagStep::kAfterAttributeName;
        }
        break;
      }

      case kCodeEquals:
        if (inTag && step == TagStep::kAfterAttributeName) {
          step = TagStep::kAfterEquals;
        } else {
          skipToEnd(true);
        }
        break;

      case kCodeQuotedValue:
      case kCodeUnquotedValue:
        if (step == TagStep::kAfterEquals) {
          SetLastValue();
          step = TagStep::kExpectAttributeName;
        } else if (step == TagStep::kAfterAttributeName) {
          skipToEnd(false);  // the rest is skipped, the tag kept
        } else if (fromQuestion && tokenizer_.GetTokenLength() == 1 && tokenizer_.Piece(0).Chars()[0] == '?') {
          // The "?" of "?>" closing a processing instruction.
        } else {
          skipToEnd(true);
        }
        break;

      case kCodeTagEnd:
      case kCodeEmptyTagEnd:
        if (!inTag) break;
        return FinishTag(tagId, dropping, code == kCodeEmptyTagEnd, fromQuestion);

      case kCodeText:
        if (!tokenizer_.GetTokenText(&text_, false, false, joining_)) return kElementEnd;
        return FinishText();

      case kCodeReference: {
        int32_t decoded = tokenizer_.DecodeReferenceToken(&text_, joining_);
        if (decoded == kReferenceZwnj) {
          // The break carries the joined text before it, or nothing.
          if (!joining_) text_.Clear();
          joining_ = false;
          joinCount_ = 0;
          return kElementBreak;
        }
        if (decoded == 0) return kElementEnd;
        return FinishText();
      }

      case kCodeScriptText: {
        parseState_ = kAfterScriptText;
        if (inScriptClose_) return kElementAgain;
        if (!tokenizer_.GetTokenText(&text_, false, false, false)) return kElementEnd;
        if (text_.length >= 2 && text_.Chars()[text_.length - 2] == '<' && text_.Chars()[text_.length - 1] == '/') {
          text_.Erase(text_.length - 2, 2);
        }
        return kElementText;
      }

      case kCodeSpace:
        if (!tokenizer_.GetTokenText(&text_, false, false, false)) return kElementEnd;
        return kElementSpace;

      default:
        break;
    }
  }
}
