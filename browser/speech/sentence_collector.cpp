// Collecting one spoken sentence from an element stream (see
// sentence_collector.h).
#include "browser/speech/sentence_collector.h"

#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_tag_properties.h"

namespace {

class Collection {
 public:
  Collection(ElementStream* stream, uint32_t pageEnd, SpokenSentence* out)
      : stream_(stream), pageEnd_(pageEnd), out_(out) {}

  // Appends a text that starts at a source position; false when memory ran
  // out.
  bool AppendText(const SharedWideString& text, uint32_t start) {
    if (text.IsEmpty()) return true;
    const WCHAR* chars = text.Chars();
    // The first character of a new word: compare where it starts with the
    // page end, until one is at or beyond it.
    if (!pageEndSeen_ && inSpace_ && chars[0] != u' ' && start >= pageEnd_) {
      pageEndSeen_ = true;
      out_->pageEndUnit = words_;
    }
    if (!out_->text.AppendChars(chars, text.length)) return false;
    for (uint32_t i = 0; i < text.length; ++i) {
      bool space = chars[i] == u' ';
      if (!space && inSpace_) ++words_;
      inSpace_ = space;
    }
    return true;
  }
  // A white-space item: one space between words, none at the start.
  bool AppendSpace() {
    if (out_->text.IsEmpty() || inSpace_) return true;
    static const WCHAR kSpace = u' ';
    if (!out_->text.AppendChars(&kSpace, 1)) return false;
    inSpace_ = true;
    return true;
  }
  // After a text: a sentence end, or a run without spaces too long to
  // wait for one.
  bool SentenceEnds() const {
    const SharedWideString& text = out_->text;
    if (text.IsEmpty()) return false;
    if (text.length >= SentenceCollector::kRunLimit) return true;
    WCHAR last = text.Chars()[text.length - 1];
    return last == u'.' || last == u'!' || last == u'?';
  }
  // At a space: the piece is long enough to be spoken on its own.
  bool PieceFull() const { return out_->text.length >= SentenceCollector::kPieceLimit; }
  // The text spoken ends with its last word.
  void TrimEnd() {
    SharedWideString& text = out_->text;
    while (text.length > 0 && text.Chars()[text.length - 1] == u' ') --text.length;
  }

 private:

  ElementStream* stream_;
  uint32_t pageEnd_;
  SpokenSentence* out_;
  int32_t words_ = 0;
  bool inSpace_ = true;  // before the first character: a word starts next
  bool pageEndSeen_ = false;
};

// Tags that end a sentence once text was collected: blocks and lists, and
// the line break.
bool EndsSentence(uint32_t tag) { return tag == kMarkupBr || IsBlockOrListClass(tag); }

}  // namespace

bool SentenceCollector::Collect(ElementStream* stream, uint32_t pageEnd, SpokenSentence* out) {
  out->text.Clear();
  out->pageEndUnit = -1;
  out->documentEnded = false;
  Collection collection(stream, pageEnd, out);
  bool skipping = false;  // inside a text-to-speech element
  uint32_t again = 0;
  for (;;) {
    // The stream's position is where its last item ended: where the next
    // one starts.
    const uint32_t start = stream->GetPosition();
    int32_t kind = stream->Next();
    if (kind == kElementAgain) {
      if (++again < kMaxAgain) continue;
      kind = kElementEnd;
    }
    again = 0;
    switch (kind) {
      case kElementText:
        if (!skipping && !collection.AppendText(stream->GetText(), start)) return false;
        break;
      case kElementSpace:
        // A long piece ends between words, never inside one (the stream
        // may hand a long word over in several items).
        if (collection.PieceFull()) {
          collection.TrimEnd();
          return true;
        }
        if (!collection.AppendSpace()) return false;
        break;
      case kElementTag: {
        bool closing = false, selfContained = false;
        uint32_t tag = stream->GetTag(&closing, &selfContained);
        if (tag == kMarkupQvrTts) {
          if (closing) {
            skipping = false;
          } else {
            SharedWideString spoken;
            if (stream->GetAttributeText(kMarkupPhon, &spoken) && !collection.AppendText(spoken, start)) return false;
            skipping = !selfContained;
          }
        } else if (EndsSentence(tag) && !out->text.IsEmpty()) {
          collection.TrimEnd();
          return true;
        }
        break;
      }
      case kElementBreak:  // a break opportunity without a character
        break;
      default:
        collection.TrimEnd();
        out->documentEnded = true;
        return true;
    }
    if (collection.SentenceEnds()) return true;
  }
}
