// The element stream of markup documents: an implied BODY before the first
// content of markup without one (and its closing at the end), markup with
// its own BODY read unchanged, and a state saved at the implied BODY that
// resumes at the content.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/sources/body_element_stream.h"
#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "tests/support/fake_document.h"

namespace {

// The elements as short words: "<p", "</p", "t:Hi", "_" (space), "$" (end).
std::string Describe(ElementStream* stream) {
  const int32_t kind = stream->GetKind();
  if (kind == kElementEnd) return "$";
  if (kind == kElementSpace) return "_";
  if (kind == kElementText) {
    const SharedWideString& text = stream->GetText();
    return "t:" + std::string(text.Chars(), text.Chars() + text.length);
  }
  if (kind == kElementTag) {
    bool closing = false;
    const uint32_t tag = stream->GetTag(&closing, nullptr);
    std::string name = tag == kMarkupBody   ? "body"
                       : tag == kMarkupHtml ? "html"
                       : tag == kMarkupHead ? "head"
                                            : "tag" + std::to_string(tag);
    return (closing ? "</" : "<") + name;
  }
  return "?" + std::to_string(kind);
}

std::vector<std::string> Elements(ElementStream* stream, int limit = 200) {
  std::vector<std::string> out;
  for (int i = 0; i < limit; ++i) {
    const int32_t kind = stream->Next();
    if (kind == kElementAgain) continue;
    out.push_back(Describe(stream));
    if (kind == kElementEnd) break;
  }
  return out;
}

struct Opened {
  std::unique_ptr<FakeDocument> document;
  std::unique_ptr<BodyElementStream> stream;
};

Opened Open(const std::string& markup) {
  Opened opened;
  opened.document = FakeDocument::FromUtf8(markup, 4096);
  opened.stream.reset(BodyElementStream::Create());
  opened.stream->AttachSource(opened.document.get(), 0);
  return opened;
}

std::vector<std::string> PlainParser(const std::string& markup) {
  auto document = FakeDocument::FromUtf8(markup, 4096);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  return Elements(&parser);
}

bool Contains(const std::vector<std::string>& elements, const std::string& word) {
  for (const auto& e : elements)
    if (e == word) return true;
  return false;
}

TEST(BodyElementStream, MarkupWithItsOwnBodyReadsUnchanged) {
  for (const std::string markup : {"<html><head><title>T</title></head><body><p>Hi</p></body></html>",
                                   "<body bgcolor=red>x<p>y</p></body>", ""}) {
    Opened opened = Open(markup);
    EXPECT_EQ(Elements(opened.stream.get()), PlainParser(markup)) << markup;
  }
}

TEST(BodyElementStream, ImpliedBodyComesBeforeTheFirstContent) {
  struct Case {
    std::string markup;
    std::string firstAfterBody;
    std::string content;  // a word of the content
  } cases[] = {
      // At the very start the parser keeps no tag before a BODY; the text
      // shows all the same.
      {"<p>Hi</p>", "t:Hi", "t:Hi"},
      {"Only text", "t:Only", "t:Only"},
      {"<html><head><title>T</title></head><p>Hi</p></html>", "<tag", "t:Hi"},
      {"<html>\n<head><title>Title text</title></head>\nWords", "t:Words", "t:Words"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markup);
    Opened opened = Open(c.markup);
    const std::vector<std::string> elements = Elements(opened.stream.get());
    size_t body = 0;
    while (body < elements.size() && elements[body] != "<body") ++body;
    ASSERT_LT(body + 1, elements.size());
    // Nothing of the content came before BODY, and all of it after.
    for (size_t i = 0; i < body; ++i) EXPECT_NE(elements[i], c.content);
    EXPECT_TRUE(Contains(std::vector<std::string>(elements.begin() + static_cast<long>(body), elements.end()),
                         c.content));
    size_t next = body + 1;
    while (next < elements.size() && elements[next] == "_") ++next;
    EXPECT_EQ(elements[next].substr(0, c.firstAfterBody.size()), c.firstAfterBody);
    EXPECT_TRUE(Contains(elements, "</body")) << "the implied BODY closes at the end";
    EXPECT_EQ(elements.back(), "$");
  }
}

TEST(BodyElementStream, StateSavedAtTheImpliedBodyResumesAtTheContent) {
  const std::string markup = "<html><head><title>T</title></head><p>First words</p><p>More</p>";
  Opened opened = Open(markup);
  ByteStream saved;
  uint32_t position = 0;
  for (int i = 0; i < 50; ++i) {
    const int32_t kind = opened.stream->Next();
    bool closing = true;
    if (kind == kElementTag && opened.stream->GetTag(&closing, nullptr) == kMarkupBody && !closing) {
      position = opened.stream->GetPosition();
      ASSERT_TRUE(opened.stream->SaveState(&saved));
      break;
    }
  }
  ASSERT_GT(position, 0u);
  const std::vector<std::string> rest = Elements(opened.stream.get());

  Opened again = Open(markup);
  saved.readPos = 0;
  ASSERT_TRUE(again.stream->LoadState(&saved));
  EXPECT_EQ(Elements(again.stream.get()), rest);
  ASSERT_FALSE(rest.empty());
  EXPECT_TRUE(Contains(rest, "t:First"));
}

}  // namespace
