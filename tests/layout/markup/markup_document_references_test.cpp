// Documents are counted: each holder (the tokenizer, the layout, the view)
// keeps a reference, a release by one of them leaves the document open for
// the others, and the last release closes it exactly once.
#include <gtest/gtest.h>

#include "foundation/system/ref_counted.h"
#include "layout/markup/markup_tokenizer.h"
#include "tests/support/fake_document.h"

namespace {

// Counts how often it is closed; its destructor closes it, as every
// document's does.
class ClosingDocument : public FakeDocument {
 public:
  explicit ClosingDocument(int* closes) : FakeDocument(u"<p>text</p>"), closes_(closes) {}
  ~ClosingDocument() override { Close(); }
  void Close() override {
    if (closed_) return;
    closed_ = true;
    ++*closes_;
  }

 private:
  int* closes_;
  bool closed_ = false;
};

TEST(DocumentCounting, TheLastReleaseClosesOnce) {
  int closes = 0;
  ClosingDocument* document = new ClosingDocument(&closes);
  RefPtr<Document> view;
  view.Adopt(document);  // the creator's reference goes to the view
  {
    MarkupTokenizer tokenizer;
    tokenizer.Attach(document, 0);
    EXPECT_EQ(document->GetReferenceCount(), 2);
    RefPtr<Document> layout(document);
    EXPECT_EQ(document->GetReferenceCount(), 3);
    layout.Clear();
    tokenizer.Attach(nullptr, 0);  // the tokenizer lets go first
    EXPECT_EQ(document->GetReferenceCount(), 1);
    EXPECT_EQ(closes, 0);
    EXPECT_NE(document->GetTextLength(), 0u);  // still open and readable
  }
  EXPECT_EQ(closes, 0);
  view.Clear();
  EXPECT_EQ(closes, 1);
}

TEST(DocumentCounting, ATokenizerOutlivingTheViewKeepsTheDocument) {
  int closes = 0;
  RefPtr<Document> view;
  view.Adopt(new ClosingDocument(&closes));
  auto* tokenizer = new MarkupTokenizer();
  tokenizer->Attach(view.Get(), 0);
  view.Clear();
  EXPECT_EQ(closes, 0);
  EXPECT_NE(tokenizer->Source(), nullptr);
  delete tokenizer;  // its release is the last
  EXPECT_EQ(closes, 1);
}

}  // namespace
