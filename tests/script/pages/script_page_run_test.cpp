// Running script pages through BuildScriptPage with a fake loader and book:
// the page objects, sessions shared by a book's pages, Flush and resumed
// reading, redirects (the same page with another query, another page, a
// page that keeps redirecting to itself), runtime errors written into the
// page, Response.End, saved compiled pages and bad links.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/streams/byte_stream.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/saved_code_writer.h"
#include "script/compiler/compiler.h"
#include "script/pages/script_page_build.h"
#include "script/pages/script_page_document.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_page_loader.h"

namespace {

using scripttest::Narrow;
using scripttest::Text;
using scripttest::Wide;

class ScriptPageTest : public ::testing::Test {
 protected:
  // Makes the book hold this template (or these saved bytes) as its page.
  void SetBook(const std::u16string& text, uint32_t blockSize = 4096, uint32_t scale = 1) {
    if (book_ != nullptr) book_->Release();
    book_ = new FakeBookSource(std::make_unique<FakeDocument>(text, blockSize, scale));
    link_ = InnerLink();
    link_.kind = InnerLink::kScriptTemplate;
    link_.first = 0;
    link_.last = static_cast<uint32_t>(text.size()) * scale;
  }
  void TearDown() override {
    if (page_ != nullptr) page_->Release();
    if (book_ != nullptr) book_->Release();
  }

  // Builds the page at the address; the document's whole text (resuming the
  // script as reading goes on), or "<null>".
  std::string Build(const std::u16string& address) {
    if (page_ != nullptr) page_->Release();
    address_ = Wide(address);
    page_ = BuildScriptPage(&loader_, &address_, book_, Wide(u"\\books\\b.corv"), link_,
                            &redirected_);
    if (page_ == nullptr) return "<null>";
    return ReadAll(page_->GetDocument());
  }
  static std::string ReadAll(Document* document) {
    std::u16string text;
    uint32_t position = 0;
    TextBlock block;
    while (document->ReadBlock(position, &block, 0, false)) {
      text.append(block.Units() + (position - block.start), block.start + block.length - position);
      position = block.start + block.length;
      document->ReleaseBlock(block.blockId);
    }
    return Narrow(text);
  }

  FakeScriptPageLoader loader_;
  FakeBookSource* book_ = nullptr;
  InnerLink link_;
  DocumentSource* page_ = nullptr;
  SharedWideString address_;
  bool redirected_ = false;
};

TEST_F(ScriptPageTest, PageObjects) {
  SetBook(
      u"<%@Language=Javascript%><p><%= Request('who') %>|<%= Request.QueryString('no') %>|"
      u"<%= Request() %>|<%= Server.HTMLEncode('<a & \"b\">') %>|"
      u"<%= Server.URLEncode('a b/c') %>|<%= Response.Buffer %> <%= Response.ContentType %> "
      u"<%= Response.Status %> <%= Server.ScriptTimeout %>|<% Response.Buffer = false; "
      u"Session.Timeout = 5; Response.AppendToLog('x'); Response.AddHeader('a', 'b'); %>"
      u"<%= Request.ServerVariables('HOST') %>|<%= navigator.appVersion %></p>");
  const std::string expected =
      "<p>J D|undefined|who=J%20D&x=1|&lt;a &amp; &quot;b&quot;&gt;|a%20b%2Fc|"
      "true text/html 1 0||5.2 build 548(WinCE)</p>";
  EXPECT_EQ(Build(u"\\books\\b.corv\\page?who=J%20D&x=1"), expected);
  EXPECT_FALSE(redirected_);
  EXPECT_EQ(page_->GetDocument()->GetTextLength(), expected.size());
}

TEST_F(ScriptPageTest, WrongArgumentCounts) {
  const struct {
    const char16_t* block;
  } cases[] = {{u"Response.Write();"}, {u"Response.Write(1, 2);"}, {u"Response.End(1);"},
               {u"Response.Clear();"}, {u"Server.HTMLEncode();"}, {u"Frameset.Use();"},
               {u"Session('a', 'b');"}};
  for (const auto& c : cases) {
    SetBook(u"<%@Language=Javascript%><% " + std::u16string(c.block) + u" %>");
    std::string page = Build(u"\\books\\b.corv\\p");
    EXPECT_NE(page.find("Error: Bad parameter count"), std::string::npos)
        << Narrow(c.block) << ": " << page;
  }
}

TEST_F(ScriptPageTest, SessionsAreSharedByTheBooksPages) {
  SetBook(u"<%@Language=Javascript%><% Session('n') = Session('n') + 1; %>"
          u"<%= Session.Contents('n') %>");
  EXPECT_EQ(Build(u"\\books\\b.corv\\a"), "NaN");  // undefined + 1
  SetBook(u"<%@Language=Javascript%><% Session('n') = 41; %>");
  Build(u"\\books\\b.corv\\b");
  SetBook(u"<%@Language=Javascript%><% Session('n') = Session('n') + 1; %><%= Session('n') %>");
  EXPECT_EQ(Build(u"\\books\\b.corv\\c"), "42");
  EXPECT_EQ(loader_.pageEnvironment->SessionCount(), 1u);
}

TEST_F(ScriptPageTest, FlushShowsTheFirstPartBeforeTheRest) {
  SetBook(u"<%@Language=Javascript%>first<% Response.Flush(); %>second");
  address_ = Wide(u"\\books\\b.corv\\p");
  page_ = BuildScriptPage(&loader_, &address_, book_, Wide(u"b"), link_, &redirected_);
  ASSERT_NE(page_, nullptr);
  Document* document = page_->GetDocument();
  EXPECT_EQ(document->GetTextLength(), 0xFFFFFFFFu);  // not known while the script runs
  TextBlock block;
  ASSERT_TRUE(document->ReadBlock(0, &block, 0, false));
  EXPECT_EQ(Narrow(std::u16string(block.Units(), block.length)), "first");
  document->ReleaseBlock(block.blockId);
  // Reading beyond it resumes the script.
  ASSERT_TRUE(document->ReadBlock(5, &block, 0, false));
  EXPECT_EQ(Narrow(std::u16string(block.Units(), block.length)), "second");
  document->ReleaseBlock(block.blockId);
  EXPECT_EQ(document->GetTextLength(), 11u);
  EXPECT_FALSE(document->ReadBlock(11, &block, 0, false));
}

TEST_F(ScriptPageTest, Redirects) {
  // The same page with another query runs again with the new query.
  SetBook(u"<%@Language=Javascript%><% if (Request('step') != '2') "
          u"Response.Redirect('?step=2'); %>step <%= Request('step') %>");
  EXPECT_EQ(Build(u"\\books\\b.corv\\p?step=1"), "step 2");
  EXPECT_TRUE(redirected_);
  EXPECT_EQ(Narrow(Text(address_)), "\\books\\b.corv\\p?step=2");
  // Another page: the loader loads that one instead.
  SetBook(u"<%@Language=Javascript%><% Response.Redirect('other'); %>");
  EXPECT_EQ(Build(u"\\books\\b.corv\\p"), "<null>");
  EXPECT_TRUE(redirected_);
  EXPECT_EQ(Narrow(Text(address_)), "\\books\\b.corv\\other");
  // A page that keeps redirecting to itself ends with an error text.
  SetBook(u"<%@Language=Javascript%>x<% Response.Redirect('?again'); %>");
  std::string page = Build(u"\\books\\b.corv\\loop");
  EXPECT_NE(page.find("><html><body></table>"), std::string::npos) << page;
  EXPECT_NE(page.find("<br/><b>Script</b>: \\books\\b.corv\\loop?again"), std::string::npos);
}

TEST_F(ScriptPageTest, RuntimeErrorsAreWrittenIntoThePage) {
  SetBook(u"<%@Language=Javascript%>before\n\n<% missing.member = 1; %>after");
  std::string page = Build(u"\\books\\b.corv\\p?a=<b>");
  EXPECT_EQ(page,
            "before\n\n><html><body></table>Error: Member Unknown: member (line 3)"
            "<br/><b>Script</b>: \\books\\b.corv\\p?a=&lt;b&gt;");
  // Response.End is no error: nothing is appended.
  SetBook(u"<%@Language=Javascript%>kept<% Response.End(); %>never");
  EXPECT_EQ(Build(u"\\books\\b.corv\\p"), "kept");
}

TEST_F(ScriptPageTest, SavedCompiledPages) {
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  ASSERT_TRUE(CompileScript(Wide(u"Response.Write('saved ' + (6 * 7));"), script, &error));
  ByteStream stream;
  ASSERT_TRUE(SaveCompiledScript(*script, &stream, 65002));
  script->Release();
  // The bytes as stored in the book: two per unit of the fake's text, so
  // positions count bytes.
  std::u16string units;
  for (uint32_t i = 0; i < stream.Size(); i += 2) {
    uint32_t high = i + 1 < stream.Size() ? stream.ByteAt(i + 1) : 0;
    units.push_back(static_cast<char16_t>(stream.ByteAt(i) | high << 8));
  }
  SetBook(units, 7, 2);
  link_.kind = InnerLink::kCompiledScriptPage;
  link_.last = stream.Size();
  EXPECT_EQ(Build(u"\\books\\b.corv\\saved"), "saved 42");
  // A range that ends before the saved script does gives no page.
  link_.last = stream.Size() - 3;
  EXPECT_EQ(Build(u"\\books\\b.corv\\saved"), "<null>");
  // Nor does a link of another kind, or a template without the directive.
  link_.kind = 5;
  EXPECT_EQ(Build(u"\\books\\b.corv\\saved"), "<null>");
  SetBook(u"<%@language=javascript%>x");
  EXPECT_EQ(Build(u"\\books\\b.corv\\p"), "<null>");
}

TEST(ScriptPageQuery, QueryText) {
  const struct {
    const char16_t* address;
    const char16_t* query;
  } cases[] = {{u"a\\b", u"&"}, {u"a\\b?x=1&y=2", u"&x=1&y=2"}, {u"a?q#frag", u"&q"}};
  for (const auto& c : cases) {
    SharedWideString query;
    ASSERT_TRUE(MakeQueryText(Wide(c.address), &query));
    EXPECT_EQ(Text(query), c.query);
  }
}

}  // namespace
