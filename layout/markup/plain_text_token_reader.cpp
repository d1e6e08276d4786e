#include "layout/markup/plain_text_token_reader.h"

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/plain_text_scanner_table.h"

namespace {

// Tokens are asked for with this many characters at most.
constexpr int32_t kMaxTokenChars = 30;
constexpr uint32_t kTabColumns = 8;

}  // namespace

PlainTextTokenReader::PlainTextTokenReader() { tokenizer_.Scanner().SetTable(GetPlainTextScannerTable()); }

PlainTextTokenReader::~PlainTextTokenReader() { text_.Clear(); }

uint32_t PlainTextTokenReader::GetTag(bool* closing, bool* selfContained) {
  *closing = false;
  *selfContained = false;
  switch (state_) {
    case kHtmlOpen: return kMarkupHtml;
    case kBodyOpen: return kMarkupBody;
    case kBodyClose: *closing = true; return kMarkupBody;
    case kHtmlClose: *closing = true; return kMarkupHtml;
    case kLineBreak: *selfContained = true; return kMarkupBr;
    default: return 0;
  }
}

bool PlainTextTokenReader::Restart(uint32_t position, bool resynchronise) {
  state_ = position != 0 ? kToken : kBefore;
  column_ = 0;  // unknown inside a line: counted from the restart
  lastAnswer_ = kTokenNotAccepted;
  text_.Clear();
  tokenizer_.ClearPieces();
  tokenizer_.Seek(position);
  // Somewhere inside the text: on to the next element.
  if (position != 0 && resynchronise) Next();
  return true;
}

void PlainTextTokenReader::Seek(uint32_t position) {
  tokenizer_.ClearPieces();
  tokenizer_.Seek(position);
}

void PlainTextTokenReader::SeekBack(uint32_t position) {
  if (position < tokenizer_.GetPosition()) Seek(position);
}

void PlainTextTokenReader::AttachSource(Document* document, uint32_t argument) {
  text_.Clear();
  tokenizer_.Attach(document, argument);
}

int32_t PlainTextTokenReader::Next() {
  switch (state_) {
    case kBefore: state_ = kHtmlOpen; break;
    case kHtmlOpen: state_ = kBodyOpen; break;
    case kBodyClose: state_ = kHtmlClose; break;
    case kHtmlClose:
    case kAfter: state_ = kAfter; break;
    case kSpaceText:
      state_ = kSpace;
      ++column_;
      SetSpaceText();
      break;
    default:  // after BODY, a token, a line break or white space
      state_ = kToken;
      ReadToken();
      break;
  }
  return GetKind();
}

void PlainTextTokenReader::SetSpaceText() {
  static const WCHAR kSpaceChar[] = {' '};
  text_.Clear();
  text_.AppendChars(kSpaceChar, 1);
}

void PlainTextTokenReader::ReadToken() {
  for (;;) {
    int32_t token = -1;
    lastAnswer_ = tokenizer_.NextToken(&token, kMaxTokenChars, true);
    if (lastAnswer_ == kTokenNotAccepted) continue;  // a control character, passed over
    if (lastAnswer_ != kTokenFound) {
      // The end of the text, or no memory: BODY and HTML close.
      state_ = kBodyClose;
      return;
    }
    int32_t code = 0;
    bool isText = false;
    if (!tokenizer_.GetTokenInfo(token, &code, &isText)) continue;
    tokenKind_ = code;
    switch (code) {
      case kPlainTextWord:
        text_.Clear();
        if (!tokenizer_.GetTokenText(&text_, false, false, false)) {
          state_ = kBodyClose;
          return;
        }
        column_ += text_.length;
        return;
      case kPlainTextSpaces: {
        const uint32_t length = tokenizer_.GetTokenLength();
        if (length > 1) {
          // All but the last space are text; the last follows as white space.
          text_.Clear();
          if (!tokenizer_.GetTokenText(&text_, false, false, false)) {
            state_ = kBodyClose;
            return;
          }
          text_.length = length - 1;
          state_ = kSpaceText;
          column_ += length - 1;
        } else {
          ++column_;
          SetSpaceText();
        }
        return;
      }
      case kPlainTextSpacesAndTabs: {
        SharedWideString run;
        if (!tokenizer_.GetTokenText(&run, false, false, false) || !ExpandTabs(run, &text_)) {
          state_ = kBodyClose;
          return;
        }
        if (text_.length != 0) {
          state_ = kSpaceText;
          column_ += text_.length;
        } else {
          state_ = kSpace;
          ++column_;
          SetSpaceText();
        }
        return;
      }
      case kPlainTextLineBreak:
        state_ = kLineBreak;
        column_ = 0;
        return;
      default: return;  // answered as the end
    }
  }
}

bool PlainTextTokenReader::ExpandTabs(const SharedWideString& run, SharedWideString* out) const {
  out->Clear();
  static const WCHAR kSpaces[kTabColumns] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  uint32_t column = column_;
  const WCHAR* chars = run.Chars();
  for (uint32_t i = 0; i < run.length; ++i) {
    if (chars[i] == '\t') {
      const uint32_t width = kTabColumns - column % kTabColumns;
      if (!out->AppendChars(kSpaces, width)) return false;
      column += width;
    } else {
      if (!out->AppendChars(chars + i, 1)) return false;
      ++column;
    }
  }
  if (out->length != 0) --out->length;  // the last one is the white space
  return true;
}

int32_t PlainTextTokenReader::GetKind() {
  switch (state_) {
    case kHtmlOpen:
    case kBodyOpen:
    case kBodyClose:
    case kHtmlClose:
    case kLineBreak: return kElementTag;
    case kSpaceText: return kElementText;
    case kSpace: return kElementSpace;
    case kToken:
      if (lastAnswer_ != kTokenFound) return kElementEnd;
      switch (tokenKind_) {
        case kPlainTextSpaces:
        case kPlainTextSpacesAndTabs: return kElementSpace;
        case kPlainTextLineBreak: return kElementTag;
        case kPlainTextWord: return kElementText;
        default: return kElementEnd;
      }
    default: return kElementEnd;
  }
}

bool PlainTextTokenReader::SaveState(ByteStream* stream) {
  const uint32_t values[3] = {tokenizer_.GetPosition(), static_cast<uint32_t>(state_), column_};
  return stream->WriteU32BE(values, 3);
}

bool PlainTextTokenReader::LoadState(ByteStream* stream) {
  if (stream->Remaining() < 12) return false;
  uint32_t values[3];
  if (!stream->ReadU32BE(values, 3)) return false;
  if (values[1] > kAfter) return false;
  state_ = static_cast<int32_t>(values[1]);
  column_ = values[2];
  // The element the state stands for was delivered already; it answers
  // its kind as it did.
  lastAnswer_ = kTokenFound;
  tokenKind_ = kPlainTextWord;
  if (state_ == kSpace) SetSpaceText();
  else text_.Clear();
  Seek(values[0]);
  return true;
}
