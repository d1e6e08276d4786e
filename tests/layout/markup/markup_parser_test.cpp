// The markup parser's element streams: implicit closing of paragraphs, list
// items and headings, stray closing tags, BR, tables in tables, script
// bodies, CDATA, joined text and zwnj, dropped tags, the XML mode, restarts,
// replay and skipping; streams that do not depend on block sizes; and the
// open-element stack against hostile nesting.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "platform/testing/allocation.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

struct Options {
  bool xml = false;
  bool inlineTable = true;
  uint32_t blockSize = 4096;
  bool spaces = false;
};

// The elements of a document (white space left out unless asked for).
std::vector<std::string> Elements(FakeDocument& document, MarkupParser& parser, bool spaces, bool positions) {
  std::vector<std::string> out;
  for (int guard = 0; guard < 1000000; ++guard) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (kind == kElementAgain) continue;
    parser.ReleaseChunks();
    if (kind == kElementSpace && !spaces) continue;
    out.push_back(DescribeElement(parser, kind, positions));
  }
  EXPECT_EQ(document.releaseErrors, 0u);
  return out;
}

// Parses body markup: "<html><body>" is put in front and its two tags left
// out of the answer.
std::vector<std::string> ParseBody(const std::string& body, const Options& options = {}) {
  auto document = FakeDocument::FromUtf8("<html><body>" + body, options.blockSize);
  MarkupParser parser;
  parser.SetXmlMode(options.xml);
  parser.SetInlineTableOption(options.inlineTable);
  parser.AttachSource(document.get(), 0);
  EXPECT_TRUE(parser.Restart(0, false));
  std::vector<std::string> out = Elements(*document, parser, options.spaces, false);
  EXPECT_GE(out.size(), 2u);
  if (out.size() >= 2) out.erase(out.begin(), out.begin() + 2);
  return out;
}

std::string Repeat(const std::string& text, uint32_t n) {
  std::string out;
  for (uint32_t i = 0; i < n; ++i) out += text;
  return out;
}

// What a whole parse of hostile nesting went through.
struct Counts {
  uint32_t deepest = 0;
  uint32_t opened = 0;  // opening tags of `id` delivered
  uint32_t texts = 0;
};

Counts Parse(const std::string& markup, uint32_t id) {
  auto document = FakeDocument::FromUtf8(markup);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  EXPECT_TRUE(parser.Restart(0, false));
  Counts counts;
  for (;;) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (parser.StackDepth() > counts.deepest) counts.deepest = parser.StackDepth();
    bool closing = false;
    if (kind == kElementTag && parser.GetTag(&closing, nullptr) == id && !closing) ++counts.opened;
    if (kind == kElementText) ++counts.texts;
    parser.ReleaseChunks();
  }
  return counts;
}

using Stream = std::vector<std::string>;

TEST(MarkupParser, ImplicitClosing) {
  EXPECT_EQ(ParseBody("<p>a<p>b"), (Stream{"<P>", "text \"a\"", "</P>", "<P>", "text \"b\""}));
  EXPECT_EQ(ParseBody("<ul><li>a<li>b</ul>"),
            (Stream{"<UL>", "<LI>", "text \"a\"", "</LI>", "<LI>", "text \"b\"", "</LI>", "</UL>"}));
  EXPECT_EQ(ParseBody("<p>a<h2>b"), (Stream{"<P>", "text \"a\"", "<H2>", "text \"b\""}));
  EXPECT_EQ(ParseBody("<h1>a<p>b"), (Stream{"<H1>", "text \"a\"", "</H1>", "<P>", "text \"b\""}));
  EXPECT_EQ(ParseBody("<dl><dt>t<dd>d</dl>"),
            (Stream{"<DL>", "<DT>", "text \"t\"", "</DT>", "<DD>", "text \"d\"", "</DD>", "</DL>"}));
  EXPECT_EQ(ParseBody("<select><option>a<option>b</select>"),
            (Stream{"<SELECT>", "<OPTION>", "text \"a\"", "</OPTION>", "<OPTION>", "text \"b\"", "</OPTION>",
                    "</SELECT>"}));
  // A closing tag closes what lies above its element on the way.
  EXPECT_EQ(ParseBody("<div><b><i>x</div>y"),
            (Stream{"<DIV>", "<B>", "<I>", "text \"x\"", "</I>", "</B>", "</DIV>", "text \"y\""}));
}

TEST(MarkupParser, StrayAndEmptyTags) {
  EXPECT_EQ(ParseBody("x</b>y</br><br>z<hr></hr>"),
            (Stream{"text \"x\"", "text \"y\"", "<BR/>", "text \"z\"", "<HR/>"}));
  EXPECT_EQ(ParseBody("<p qvr:ignore>x</p>"), (Stream{"text \"x\""}));
  EXPECT_EQ(ParseBody("<align>x<nosuchtag>y"), (Stream{"text \"x\"", "text \"y\""}));
  EXPECT_EQ(ParseBody("<!DOCTYPE html><?xml version=\"1.0\"?>x<!-- <p> -->y"), (Stream{"text \"x\"", "text \"y\""}));
  // A value-less unknown attribute drops its tag; one with a value is skipped.
  EXPECT_EQ(ParseBody("<p nowrap>x"), (Stream{"text \"x\""}));
  EXPECT_EQ(ParseBody("<p nowrap=1 align=center>x"), (Stream{"<P ALIGN=\"center\">", "text \"x\""}));
  // TITLE is kept as an attribute; a quote holding ">" drops its tag.
  EXPECT_EQ(ParseBody("<a title='tip' href=x.html>y</a>"),
            (Stream{"<A TITLE=\"tip\" HREF=\"x.html\">", "text \"y\"", "</A>"}));
  EXPECT_EQ(ParseBody("<p class=\"a>b\">c"), (Stream{"text \"b\">c\""}));
  // A value after a name without "=" ends the tag's attributes, the tag kept.
  EXPECT_EQ(ParseBody("<p align \"x\" class=y>c"), (Stream{"<P ALIGN=\"\">", "text \"c\""}));
  // An empty element without a fitting parent, and a tag before any HTML.
  EXPECT_EQ(ParseBody("<tr>x"), (Stream{"text \"x\""}));
}

TEST(MarkupParser, Tables) {
  EXPECT_EQ(ParseBody("<table><tr><td><table><tr><td>in</table>out"),
            (Stream{"<TABLE>", "<TR>", "<TD>", "</TD>", "</TR>", "<TR>", "<TD>", "text \"in\"", "</TD>", "</TR>",
                    "</TABLE>", "text \"out\""}));
  EXPECT_EQ(ParseBody("<table><tr><td><table inline><tr><td>in</table>out</table>"),
            (Stream{"<TABLE>", "<TR>", "<TD>", "<TABLE INLINE=\"\">", "<TR>", "<TD>", "text \"in\"", "</TD>",
                    "</TR>", "</TABLE>", "text \"out\"", "</TD>", "</TR>", "</TABLE>"}));
  Options noInline;
  noInline.inlineTable = false;
  EXPECT_EQ(ParseBody("<table><tr><td><table inline>x</table>", noInline),
            (Stream{"<TABLE>", "<TR>", "<TD>", "text \"x\"", "</TD>", "</TR>", "</TABLE>"}));
  // Cells and rows lose the self-contained mark.
  EXPECT_EQ(ParseBody("<table><tr/><td/>x</table>"),
            (Stream{"<TABLE>", "<TR>", "<TD>", "text \"x\"", "</TD>", "</TR>", "</TABLE>"}));
}

TEST(MarkupParser, ScriptBodiesAndCdata) {
  EXPECT_EQ(ParseBody("<script>if (a</b) x();</script>after"),
            (Stream{"<SCRIPT>", "text \"if (a\"", "</SCRIPT>", "text \"after\""}));
  EXPECT_EQ(ParseBody("<script>a</ b<p></script>c"),
            (Stream{"<SCRIPT>", "text \"a\"", "</SCRIPT>", "text \"c\""}));
  EXPECT_EQ(ParseBody("<script>a</1</script>c"), (Stream{"<SCRIPT>", "text \"a\"", "</SCRIPT>", "text \"c\""}));
  EXPECT_EQ(ParseBody("<script src=\"x.js\"/>after"), (Stream{"<SCRIPT SRC=\"x.js\"/>", "text \"after\""}));
  EXPECT_EQ(ParseBody("<script>never closed"), (Stream{"<SCRIPT>", "text \"never closed\""}));
  EXPECT_EQ(ParseBody("<![CDATA[ a <b> & ]]>rest"), (Stream{"text \" a <b> & ]]>\"", "text \"rest\""}));
}

TEST(MarkupParser, TextJoinsAndBreaks) {
  EXPECT_EQ(ParseBody("abc&amp;def"), (Stream{"text \"abc&\"", "text \"def\""}));
  EXPECT_EQ(ParseBody("a&lt;&gt;b"), (Stream{"text \"a<>\"", "text \"b\""}));
  EXPECT_EQ(ParseBody("e&#x301;\xcc\x81x"), (Stream{"text \"e\xcc\x81\xcc\x81x\""}));
  // At most five joins.
  EXPECT_EQ(ParseBody("a&amp;&amp;&amp;&amp;&amp;&amp;&amp;"),
            (Stream{"text \"a&&&&&\"", "text \"&&\""}));
  // zwnj carries the joined text before it, or nothing, never a stale text.
  EXPECT_EQ(ParseBody("ab&zwnj;cd"), (Stream{"zwnj \"ab\"", "text \"cd\""}));
  EXPECT_EQ(ParseBody("x &zwnj;y"), (Stream{"text \"x\"", "zwnj \"\"", "text \"y\""}));
  Options withSpaces;
  withSpaces.spaces = true;
  EXPECT_EQ(ParseBody("a \t\nb", withSpaces), (Stream{"text \"a\"", "space \" \\x09\\x0A\"", "text \"b\""}));
}

TEST(MarkupParser, XmlMode) {
  Options xml;
  xml.xml = true;
  EXPECT_EQ(ParseBody("<?xml version=\"1.0\"?><xml>t", xml), (Stream{"<XML VERSION=\"1.0\"/>", "text \"t\""}));
  EXPECT_EQ(ParseBody("<?other x?><?xml?>t", xml), (Stream{"<XML/>", "text \"t\""}));
  EXPECT_EQ(ParseBody("<?xml version=\"1.0\"?><xml>t"), (Stream{"<XML>", "text \"t\""}));
}

TEST(MarkupParser, RestartInTheMiddleBeginsInsideBody) {
  std::string text = "<html><body><p>one <b>two</b> three</p><p>four</p></body></html>";
  auto document = FakeDocument::FromUtf8(text, 5);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ASSERT_TRUE(parser.Restart(static_cast<uint32_t>(text.find("two")) + 1, true));
  ASSERT_EQ(parser.StackDepth(), 2u);
  EXPECT_EQ(parser.StackAt(0), kMarkupHtml);
  EXPECT_EQ(parser.StackAt(1), kMarkupBody);
  Stream elements = Elements(*document, parser, false, false);
  EXPECT_EQ(elements, (Stream{"text \"three\"", "<P>", "text \"four\"", "</P>", "</BODY>", "</HTML>"}));
  // Position 0 starts with an empty stack.
  ASSERT_TRUE(parser.Restart(0, false));
  EXPECT_EQ(parser.StackDepth(), 0u);
}

TEST(MarkupParser, SkipElementAndReplay) {
  std::string text = "<html><body><div>a<div>b</div>c</div>d<p>e</p></body></html>";
  auto document = FakeDocument::FromUtf8(text, 7);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ASSERT_TRUE(parser.Restart(0, false));
  bool closing = false, selfContained = false;
  while (!(parser.Next() == kElementTag && parser.GetTag(&closing, &selfContained) == kMarkupDiv)) {
  }
  EXPECT_EQ(parser.SkipElement(), static_cast<uint32_t>(kMarkupDiv));
  EXPECT_EQ(parser.GetTag(&closing, &selfContained), static_cast<uint32_t>(kMarkupDiv));
  EXPECT_TRUE(closing);
  uint32_t depth = parser.StackDepth();

  // Replay the inner DIV: the stack is left alone and tags come
  // self-contained until the old position is reached again.
  parser.SeekBack(static_cast<uint32_t>(text.find("<div>b")));
  Stream replayed;
  for (int i = 0; i < 6; ++i) {
    int32_t kind = parser.Next();
    replayed.push_back(DescribeElement(parser, kind, false));
    EXPECT_EQ(parser.StackDepth(), depth);
  }
  EXPECT_EQ(replayed, (Stream{"<DIV/>", "text \"b\"", "</DIV/>", "text \"c\"", "</DIV/>", "text \"d\""}));
  ASSERT_EQ(parser.Next(), kElementTag);
  EXPECT_EQ(parser.GetTag(&closing, &selfContained), static_cast<uint32_t>(kMarkupP));
  EXPECT_FALSE(selfContained);
  EXPECT_EQ(parser.StackDepth(), depth + 1);
}

TEST(MarkupParser, StreamsDoNotDependOnBlockSizes) {
  std::vector<std::string> documents;
  for (const std::string& body : MarkupCorpus()) documents.push_back("<html><body>" + body);
  documents.push_back(GenerateMarkupBook(11, 80000));
  for (size_t d = 0; d < documents.size(); ++d) {
    SCOPED_TRACE("document " + std::to_string(d));
    auto reference = FakeDocument::FromUtf8(documents[d], 1u << 20);
    MarkupParser referenceParser;
    referenceParser.AttachSource(reference.get(), 0);
    ASSERT_TRUE(referenceParser.Restart(0, false));
    Stream expected = Elements(*reference, referenceParser, true, true);
    for (uint32_t blockSize : {1u, 2u, 3u, 5u, 64u, 4096u}) {
      auto document = FakeDocument::FromUtf8(documents[d], blockSize);
      MarkupParser parser;
      parser.AttachSource(document.get(), 0);
      ASSERT_TRUE(parser.Restart(0, false));
      EXPECT_EQ(Elements(*document, parser, true, true), expected) << "block size " << blockSize;
      // Only the blocks under the current element and its text stay held.
      EXPECT_LE(document->maxOutstanding, 512u / blockSize + 4) << "block size " << blockSize;
    }
  }
}

TEST(MarkupParser, BlocksAreAllGivenBack) {
  auto document = FakeDocument::FromUtf8(GenerateMarkupBook(5, 30000), 100);
  {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ASSERT_TRUE(parser.Restart(0, false));
    for (int i = 0; i < 500; ++i) parser.Next();  // stop in the middle, holding blocks
  }
  EXPECT_EQ(document->Outstanding(), 0u);
  EXPECT_EQ(document->releaseErrors, 0u);
}

}  // namespace


namespace {

TEST(MarkupParser, LackOfMemoryEndsTheStreamCleanly) {
  std::string text = "<html><body>" + MarkupCorpus()[9] + MarkupCorpus()[10] + GenerateMarkupBook(4, 3000);
  for (long n = 1; n < 400; n += 3) {
    auto document = FakeDocument::FromUtf8(text, 16);
    {
      MarkupParser parser;
      parser.AttachSource(document.get(), 0);
      devtest::AllocationFailure failure(n);
      if (parser.Restart(0, false)) {
        for (int i = 0; i < 100000 && parser.Next() != kElementEnd; ++i) parser.ReleaseChunks();
      }
    }
    EXPECT_EQ(document->Outstanding(), 0u) << "failing allocation " << n;
    EXPECT_EQ(document->releaseErrors, 0u);
  }
}

// Every tag is matched against the open elements (a closing tag searches
// them for its element, TABLE looks for an open table), so a stack as deep
// as the book is long made each tag cost the whole stack: 100,000 nested
// lists followed by 100,000 stray closing tags (1.8 MB) took minutes. The
// stack stops growing at MarkupParser::kMaxOpenElements.
TEST(MarkupParser, OpenElementsStopAtTheLimit) {
  const uint32_t limit = MarkupParser::kMaxOpenElements;
  const uint32_t nested = limit + 100;
  Counts lists = Parse("<html><body>" + Repeat("<ul>", nested) + "x" + Repeat("</ol>", nested), kMarkupUl);
  EXPECT_EQ(lists.deepest, limit);
  EXPECT_EQ(lists.opened, limit - 2);  // HTML and BODY hold the first two places
  EXPECT_EQ(lists.texts, 1u);

  // At the limit a new element is dropped like one that cannot stand where
  // it is: here the table, and the tables that follow it.
  Counts tables = Parse("<html><body>" + Repeat("<div>", nested) + "<table><tr><td><div>" + Repeat("<table>", 50),
                        kMarkupTable);
  EXPECT_LE(tables.deepest, limit);
  EXPECT_EQ(tables.opened, 0u);
}

// A saved state cannot bring a stack deeper than the limit back.
TEST(MarkupParser, SavedStateDeeperThanTheLimitIsRefused) {
  auto document = FakeDocument::FromUtf8("<html><body><div>text</div>");
  for (uint32_t depth : {MarkupParser::kMaxOpenElements, MarkupParser::kMaxOpenElements + 1}) {
    ByteStream chunk;
    uint32_t head[3] = {12, depth, 0};
    chunk.WriteU32BE(head, 3);
    for (uint32_t i = 0; i < depth; ++i) {
      uint8_t id = static_cast<uint8_t>(kMarkupDiv);
      chunk.WriteBytes(&id, 1);
    }
    chunk.PadWrite(4);
    chunk.readPos = 0;
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    EXPECT_EQ(parser.LoadState(&chunk), depth <= MarkupParser::kMaxOpenElements) << depth;
  }
}

}  // namespace
