// PlainTextTokenReader: the element stream of a plain-text document. It
// turns lines of text into what the markup parser would give for them: an
// HTML and a BODY element around words, white space and a BR at each line
// break, so that the layout engine pages plain text like markup. Tabs are
// expanded to the next multiple of 8 columns, a run of spaces keeps all but
// its last space as text (the last one is where a line may break), and a
// word longer than 30 characters arrives in pieces.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/markup_tokenizer.h"

class PlainTextTokenReader : public ElementStream {
 public:
  // Where the reader stands.
  enum State : int32_t {
    kBefore = 0,
    kHtmlOpen = 1,
    kBodyOpen = 2,
    kBodyClose = 3,
    kHtmlClose = 4,
    kToken = 5,
    kLineBreak = 6,
    kSpaceText = 7,  // the text of a run of spaces, its last space to follow
    kSpace = 8,
    kAfter = 9,
  };

  PlainTextTokenReader();
  ~PlainTextTokenReader() override;

  // ---- TokenSource
  uint32_t GetPosition() override { return tokenizer_.GetPosition(); }
  uint32_t GetTag(bool* closing, bool* selfContained) override;
  uint32_t GetAttributeCount() override { return 0; }
  const MarkupAttribute* GetAttribute(uint32_t) override { return nullptr; }

  // ---- ElementStream
  bool Restart(uint32_t position, bool resynchronise) override;
  void Seek(uint32_t position) override;
  void SeekBack(uint32_t position) override;
  void AttachSource(Document* document, uint32_t argument) override;
  void ReleaseChunks() override { tokenizer_.ReleaseChunks(tokenizer_.CurrentBlock()); }
  int32_t Next() override;
  int32_t GetKind() override;
  const SharedWideString& GetText() override { return text_; }
  MarkupTokenizer* GetTokenizer() override { return &tokenizer_; }
  uint32_t GetSourceArgument() override { return tokenizer_.Argument(); }
  // Three numbers, high byte first: the position, the state, the column.
  bool SaveState(ByteStream* stream) override;
  bool LoadState(ByteStream* stream) override;

  int32_t State() const { return state_; }
  uint32_t Column() const { return column_; }

 private:
  // Reads the next token and acts by its kind (state 5).
  void ReadToken();
  // The run with each tab widened to the next multiple of 8 columns,
  // counted from the current column, and its last character dropped.
  bool ExpandTabs(const SharedWideString& run, SharedWideString* out) const;
  void SetSpaceText();

  MarkupTokenizer tokenizer_;
  int32_t state_ = kBefore;
  uint32_t column_ = 0;
  int32_t lastAnswer_ = kTokenNotAccepted;
  int32_t tokenKind_ = 0;
  SharedWideString text_;
};
