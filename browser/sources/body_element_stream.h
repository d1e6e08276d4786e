// BodyElementStream: the element stream through which a document source
// hands markup to the layout. It reads with a MarkupParser and makes sure a
// BODY opens: when the markup reaches its first content (text, or a tag
// that is neither HTML nor HEAD nor inside HEAD) without a BODY of its own,
// an implied opening BODY comes first, and its closing at the end. Nothing
// is laid out before BODY, so without it a valid page that merely lacks
// the tag would show nothing. Markup with its own BODY reads unchanged.
//
// The implied BODY is delivered with the parser restarted at the content's
// position, where a restart puts HTML and BODY on the parser's stack, so
// that a state saved at the implied BODY resumes at the content.
#pragma once

#include <cstdint>

#include "layout/markup/markup_parser.h"

class BodyElementStream final : public ElementStream {
 public:
  // Null when memory runs out.
  static BodyElementStream* Create();

  MarkupParser* Parser() { return &parser_; }

  uint32_t GetPosition() override { return synthetic_ ? syntheticPosition_ : parser_.GetPosition(); }
  uint32_t GetTag(bool* closing, bool* selfContained) override;
  uint32_t GetAttributeCount() override { return synthetic_ ? 0 : parser_.GetAttributeCount(); }
  const MarkupAttribute* GetAttribute(uint32_t n) override {
    return synthetic_ ? nullptr : parser_.GetAttribute(n);
  }
  bool Restart(uint32_t position, bool resynchronise) override;
  void Seek(uint32_t position) override { parser_.Seek(position); }
  void SeekBack(uint32_t position) override { parser_.SeekBack(position); }
  void AttachSource(Document* document, uint32_t argument) override;
  void ReleaseChunks() override { parser_.ReleaseChunks(); }
  int32_t Next() override;
  int32_t GetKind() override { return synthetic_ ? kElementTag : parser_.GetKind(); }
  const SharedWideString& GetText() override { return synthetic_ ? empty_ : parser_.GetText(); }
  MarkupTokenizer* GetTokenizer() override { return parser_.GetTokenizer(); }
  uint32_t GetSourceArgument() override { return parser_.GetSourceArgument(); }
  // The parser's state followed by a word: whether the implied closing is
  // still to come.
  bool SaveState(ByteStream* stream) override;
  bool LoadState(ByteStream* stream) override;

 private:
  BodyElementStream() = default;

  // Looks at the element just read before any BODY: true when it is
  // content; notes a BODY of the markup's own and the HEAD it is in.
  bool IsContent(int32_t kind);
  void Reset(bool bodySeen);

  MarkupParser parser_;
  SharedWideString empty_;
  bool bodySeen_ = false;        // a BODY opened (the markup's or implied)
  bool insideHead_ = false;
  bool closeAtEnd_ = false;      // an implied BODY the parser's stack lacks
  bool synthetic_ = false;       // the current element is the implied BODY tag
  bool syntheticClosing_ = false;
  bool endHeld_ = false;         // the end follows the implied closing
  uint32_t syntheticPosition_ = 0;
};
