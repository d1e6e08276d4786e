// MarkupParser: reads a document's markup through its MarkupTokenizer and
// offers it as an element stream in which missing end tags have been
// supplied, tags that cannot stand where they are have been dropped, and
// comments, declarations, processing instructions and unknown names have
// vanished. It can restart at any source position, replay a stretch without
// touching its stack, and save and restore its state as a chunk of bytes.
//
// Between elements its state is the open-element stack (8-bit tag ids, top
// last), the queue of closings still to deliver, the pending tag that caused
// them, and the script-body state, which is what a saved chunk and a restart
// describe.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/markup_tokenizer.h"

class MarkupParser : public ElementStream {
 public:
  // Parse states.
  static constexpr int32_t kOutside = 0;
  static constexpr int32_t kAfterScriptText = 1;  // expecting the closing name
  static constexpr int32_t kInScript = 5;
  // Text tokens carry at most this many characters.
  static constexpr int32_t kTextTokenMaximum = 30;
  // Joined text runs (text and references glued together) at most.
  static constexpr uint32_t kMaxJoins = 5;
  // Open elements at most (HTML and BODY included). Every tag is matched
  // against the open elements, so an unbounded stack would make each tag
  // cost as much as the book is deep; an element that would open beyond
  // the limit is dropped, and a saved state holding more is refused.
  static constexpr uint32_t kMaxOpenElements = 512;

  explicit MarkupParser(bool autoClose = true);
  ~MarkupParser() override;

  // ---- ElementStream
  uint32_t GetPosition() override;
  uint32_t GetTag(bool* closing, bool* selfContained) override;
  uint32_t GetAttributeCount() override;
  const MarkupAttribute* GetAttribute(uint32_t n) override;
  bool Restart(uint32_t position, bool resynchronise) override;
  void Seek(uint32_t position) override { tokenizer_.Seek(position); }
  void SeekBack(uint32_t position) override;
  void AttachSource(Document* document, uint32_t argument) override;
  void ReleaseChunks() override {
    if (attributes_.count != 0 && kind_ != kElementTag && pendingTag_ == 0) ClearAttributes();
    tokenizer_.ReleaseChunks(tokenizer_.CurrentBlock());
  }
  int32_t Next() override;
  int32_t GetKind() override { return kind_; }
  const SharedWideString& GetText() override { return text_; }
  MarkupTokenizer* GetTokenizer() override { return &tokenizer_; }
  uint32_t GetSourceArgument() override { return tokenizer_.Argument(); }
  bool SaveState(ByteStream* stream) override;
  bool LoadState(ByteStream* stream) override;

  // ---- Options
  void SetXmlMode(bool on) { xmlMode_ = on ? 1 : 0; }
  void SetNestedTableOption(bool on) { nestedTable_ = on ? 1 : 0; }
  void SetInlineTableOption(bool on) { inlineTable_ = on ? 1 : 0; }

  // ---- Inspection (tests, tools)
  uint32_t StackDepth() const { return stack_.count; }
  uint32_t StackAt(uint32_t i) const { return *stack_.At(i); }
  int32_t ParseState() const { return parseState_; }

 private:
  enum class TagStep { kExpectName, kExpectAttributeName, kAfterAttributeName, kAfterEquals };
  enum class Closing { kDeliver, kDropped, kQueued };

  int32_t ParseElement();
  int32_t FinishText();
  // The end of a tag whose name gave tagId (0: not a tag we know, or one
  // being dropped): the element it makes, if any.
  int32_t FinishTag(uint32_t tagId, bool dropping, bool selfContained, bool fromQuestion);
  void BackToScript();
  bool SetLastValue();
  Closing ImplicitClose(uint32_t position);
  bool HasAttribute(uint32_t id) const;
  bool StackHolds(uint32_t id) const;
  void ClearAttributes();
  bool AddAttribute(uint32_t id);
  bool Push(uint32_t id);
  void Pop();
  void ClearQueue();
  bool ApplyStackWork();
  void SetCurrentTag(uint32_t id, bool closing, bool selfContained);

  uint8_t autoClose_;
  uint8_t xmlMode_ = 0;
  SegmentedTypedArray<uint8_t, false> queue_;
  uint32_t queueRead_ = 0;
  SegmentedTypedArray<uint8_t, false> stack_;
  int32_t parseState_ = kOutside;
  bool inScriptClose_ = false;  // dropping script text up to the closing SCRIPT
  uint32_t replayLimit_ = 0;    // 0: not replaying
  int32_t kind_ = kElementAgain;
  bool closing_ = false;
  uint32_t tag_ = 0;
  bool selfContained_ = false;
  bool attributesShown_ = false;  // the current element owns the attribute list
  uint32_t pendingTag_ = 0;
  // After a restore: the tag at the restart position was pending when the
  // state was saved, and is delivered as such when it is read again.
  bool resumePending_ = false;
  uint32_t pendingPosition_ = 0;
  bool pendingClosing_ = false;
  bool pendingSelfContained_ = false;
  uint32_t parsedTag_ = 0;
  bool parsingClosing_ = false;
  bool parsingSelfContained_ = false;
  SegmentedTypedArray<MarkupAttribute> attributes_;
  SharedWideString text_;
  bool joining_ = false;
  uint32_t joinCount_ = 0;
  uint8_t nestedTable_ = 1;
  uint8_t inlineTable_ = 1;
  MarkupTokenizer tokenizer_;
};
