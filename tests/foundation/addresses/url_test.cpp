// Url parsing, text forms and ordering: a table of addresses covering every
// state and command kind, then the mended faults (a failed parse changes
// nothing, a command without query drops the old query, file names holding
// "$" or "#").
#include <gtest/gtest.h>

#include <string>

#include "foundation/addresses/url.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

SharedWideString W(const char16_t* text) { return SharedWideString(text); }

std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

struct ParseCase {
  const char16_t* address;
  bool raw;
  bool ok;
  int32_t state;
  int32_t kind;
  const char16_t* text;     // the Url's text
  const char16_t* rawForm;  // GetText(raw = true); null: no text form
  const char16_t* decoded;  // GetText(raw = false)
};

TEST(Url, ParsesEveryStateAndCommandKind) {
  const ParseCase cases[] = {
      {u"oeb:library", true, true, kUrlSpecialPage, kCommandLibrary, u"", nullptr, nullptr},
      {u"oeb:library?title=Moby%20Dick", true, true, kUrlRedirect, kCommandNone, u"?title=Moby%20Dick",
       u"oeb:redirect?title=Moby%20Dick", u"oeb:redirect"},
      {u"oeb:library?name=x", true, true, kUrlRedirect, kCommandNone, u"?name=x", u"oeb:redirect?name=x",
       u"oeb:redirect"},
      {u"oeb:library?cat=x", true, true, kUrlSpecialPage, kCommandLibrary, u"?cat=x", nullptr, nullptr},
      {u"oeb:redirect?title=A", true, true, kUrlRedirect, kCommandNone, u"?title=A", u"oeb:redirect?title=A",
       u"oeb:redirect"},
      {u"oeb:bookstore", true, true, kUrlCommand, kCommandBookstore, u"", u"oeb:bookstore", u"oeb:bookstore"},
      {u"oeb:bookmarks?cat=QVR_all_1", true, true, kUrlSpecialPage, kCommandBookmarks, u"?cat=QVR_all_1", nullptr,
       nullptr},
      {u"oeb:about", true, true, kUrlSpecialPage, kCommandAbout, u"", nullptr, nullptr},
      {u"oeb:cart?x=1#frag", true, true, kUrlCommand, kCommandCart, u"?x=1", u"oeb:cart?x=1", u"oeb:cart"},
      {u"oeb:qvr_iconlib", true, true, kUrlCommand, kCommandIconLibrary, u"", u"oeb:qvr_iconlib",
       u"oeb:qvr_iconlib"},
      {u"oeb:database?name=corvelline_history", true, true, kUrlDatabaseCommand, kCommandSearchHistory,
       u"?name=corvelline_history", u"oeb:database?name=corvelline_history", u"oeb:database"},
      {u"oeb:database?name=corvelline_wordlist", true, true, kUrlDatabaseCommand, kCommandWordList,
       u"?name=corvelline_wordlist", u"oeb:database?name=corvelline_wordlist", u"oeb:database"},
      {u"oeb:database?name=corvelline_wordlist$1", true, true, kUrlDatabaseCommand, kCommandNone,
       u"?name=corvelline_wordlist", u"oeb:database?name=corvelline_wordlist", u"oeb:database"},
      {u"oeb:database?name=notes", true, true, kUrlDatabaseCommand, kCommandNone, u"?name=notes",
       u"oeb:database?name=notes", u"oeb:database"},
      {u"\\My Books\\a b.prc$12", true, true, kUrlPath, kCommandNone, u"\\My Books\\a b.prc",
       u"\\My Books\\a b.prc", u"\\My Books\\a b.prc"},
      {u"\\My Books\\a b.prc$12", false, true, kUrlPath, kCommandNone, u"%5CMy%20Books%5Ca%20b.prc",
       u"%5CMy%20Books%5Ca%20b.prc", u"\\My Books\\a b.prc"},
      {u"\\p\\q.htm?x=1", false, true, kUrlPath, kCommandNone, u"%5Cp%5Cq.htm%3Fx%3D1", u"%5Cp%5Cq.htm%3Fx%3D1",
       u"\\p\\q.htm?x=1"},
      {u"\\p\\q.htm?x=1", true, true, kUrlPath, kCommandNone, u"\\p\\q.htm?x=1", u"\\p\\q.htm?x=1", u"\\p\\q.htm"},
      {u"\\caf\u00e9\u4e2d", false, true, kUrlPath, kCommandNone, u"%5Ccaf%E9\u4e2d", u"%5Ccaf%E9\u4e2d",
       u"\\caf\u00e9\u4e2d"},
      {u"100%zz+1", true, true, kUrlPath, kCommandNone, u"100%zz+1", u"100%zz+1", u"100%zz 1"},
      // Failures and degenerate texts.
      {u"http://example.com", true, false, kUrlEmpty, 0, u"", nullptr, nullptr},
      {u"oeb:Library", true, false, kUrlEmpty, 0, u"", nullptr, nullptr},
      {u"oeb:nothing", true, false, kUrlEmpty, 0, u"", nullptr, nullptr},
      {u"oeb:", true, false, kUrlEmpty, 0, u"", nullptr, nullptr},
      {u"oeb:?", true, false, kUrlEmpty, 0, u"", nullptr, nullptr},
      {u"", true, true, kUrlPath, kCommandNone, u"", u"", u""},
      {u"$", true, true, kUrlPath, kCommandNone, u"", u"", u""},
      {u"#", false, true, kUrlPath, kCommandNone, u"", u"", u""},
      {u"%", true, true, kUrlPath, kCommandNone, u"%", u"%", u"%"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.address, c.address + std::char_traits<char16_t>::length(c.address)).c_str());
    Url url;
    ASSERT_EQ(url.Parse(W(c.address), c.raw), c.ok);
    EXPECT_EQ(url.state, c.state);
    EXPECT_EQ(url.commandKind, c.kind);
    EXPECT_EQ(S(url.text), c.text);
    EXPECT_EQ(url.bookPathLength, 0);
    SharedWideString out;
    EXPECT_EQ(url.GetText(&out, true), c.rawForm != nullptr);
    if (c.rawForm != nullptr) {
      EXPECT_EQ(S(out), c.rawForm);
    }
    EXPECT_EQ(url.GetText(&out, false), c.decoded != nullptr);
    if (c.decoded != nullptr) {
      EXPECT_EQ(S(out), c.decoded);
    } else {
      EXPECT_TRUE(out.IsEmpty());
    }
  }
}

TEST(Url, StateTests) {
  for (int32_t state = 0; state <= kUrlEmpty; ++state) {
    Url url;
    url.state = state;
    EXPECT_EQ(url.IsExternalOrPath(), state == 1 || state == 2 || state == 3 || state == 6) << state;
    EXPECT_EQ(url.IsInternal(), state == 0 || state == 2) << state;
    EXPECT_EQ(url.IsSpecialPage(), state == 8) << state;
  }
}

TEST(Url, FailedParseLeavesTheUrlUnchanged) {
  Url url;
  ASSERT_TRUE(url.Parse(W(u"oeb:library?title=X"), true));
  EXPECT_FALSE(url.Parse(W(u"oeb:unknown?title=Y"), true));
  EXPECT_FALSE(url.Parse(W(u"http://a"), true));
  EXPECT_EQ(url.state, kUrlRedirect);
  EXPECT_EQ(S(url.text), u"?title=X");
}

TEST(Url, CommandWithoutQueryDropsAnOldQuery) {
  Url url;
  ASSERT_TRUE(url.Parse(W(u"oeb:library?title=X"), true));
  ASSERT_TRUE(url.Parse(W(u"oeb:library"), true));
  EXPECT_EQ(url.state, kUrlSpecialPage);
  EXPECT_EQ(url.commandKind, kCommandLibrary);
  EXPECT_TRUE(url.text.IsEmpty());
}

TEST(Url, FilePathKeepsDollarAndHashInItsName) {
  struct {
    const char16_t* path;
    const char16_t* text;
  } cases[] = {
      {u"\\eBooks\\Vol #2.prc", u"%5CeBooks%5CVol%20%232.prc"},
      {u"\\eBooks\\Price $5.prc", u"%5CeBooks%5CPrice%20%245.prc"},
      {u"oeb:library", u"oeb%3Alibrary"},
      {u"http:x", u"http%3Ax"},
  };
  for (const auto& c : cases) {
    Url url;
    ASSERT_TRUE(url.FromFilePath(W(c.path)));
    EXPECT_EQ(url.state, kUrlPath);
    EXPECT_EQ(S(url.text), c.text);
    SharedWideString back;
    ASSERT_TRUE(url.GetText(&back, false));
    EXPECT_EQ(S(back), c.path);
  }
  // Without those characters, the same Url as an encoded parse.
  Url plain, parsed;
  ASSERT_TRUE(plain.FromFilePath(W(u"\\a b\\c.prc")));
  ASSERT_TRUE(parsed.Parse(W(u"\\a b\\c.prc"), false));
  EXPECT_EQ(Url::Compare(plain, parsed), 0);
  EXPECT_EQ(S(plain.text), S(parsed.text));
}

TEST(Url, BookInnerPathAndBookPath) {
  Url url;
  EXPECT_TRUE(url.SetBookInnerPath(W(u"\\b\\book.prc\\page1"), 11));
  EXPECT_EQ(url.state, kUrlBookInnerPath);
  SharedWideString path;
  ASSERT_TRUE(url.GetBookPath(&path));
  EXPECT_EQ(S(path), u"\\b\\book.prc");
  // A length beyond the text is cut to it.
  url.bookPathLength = 1000;
  ASSERT_TRUE(url.GetBookPath(&path));
  EXPECT_EQ(S(path), u"\\b\\book.prc\\page1");
  Url plain;
  ASSERT_TRUE(plain.Parse(W(u"\\b.prc"), true));
  EXPECT_FALSE(plain.GetBookPath(&path));
  // A failed parse still marks the inner path.
  Url failed;
  EXPECT_FALSE(failed.SetBookInnerPath(W(u"http:x"), 3));
  EXPECT_EQ(failed.state, kUrlBookInnerPath);
  EXPECT_EQ(failed.bookPathLength, 3);
}

TEST(Url, EncodedForms) {
  EncodedString in;
  ASSERT_TRUE(in.FromWide(u"\\a b.txt"));
  Url url;
  ASSERT_TRUE(url.ParseEncoded(in));
  EXPECT_EQ(S(url.text), u"%5Ca%20b.txt");
  EncodedString out;
  url.GetPathEncoded(&out);
  SharedWideString back;
  ASSERT_TRUE(back.AssignEncodedString(out));
  EXPECT_EQ(S(back), u"\\a b.txt");
  Url empty;
  empty.GetPathEncoded(&out);
  EXPECT_TRUE(out.IsEmpty());
  Url produced;
  ASSERT_TRUE(produced.SetFromProducedPath(nullptr, [](void*, EncodedString* path) {
    return path->FromWide(u"\\x\\y z");
  }));
  EXPECT_EQ(S(produced.text), u"%5Cx%5Cy%20z");
}

TEST(Url, CompareOrdersByStateKindAndText) {
  auto make = [](int32_t state, int32_t kind, const char16_t* text) {
    Url url;
    url.state = state;
    url.commandKind = kind;
    url.text = W(text);
    return url;
  };
  EXPECT_EQ(Url::Compare(make(kUrlPath, 0, u"a"), make(kUrlLocalFile, 0, u"a")), 0);
  EXPECT_EQ(Url::Compare(make(kUrlPath, 0, u"a"), make(kUrlLocalFile, 0, u"b")), -1);
  EXPECT_EQ(Url::Compare(make(kUrlCommand, 5, u"a"), make(kUrlCommand, 2, u"z")), 1);
  EXPECT_EQ(Url::Compare(make(kUrlRedirect, 5, u"a"), make(kUrlRedirect, 2, u"a")), 0)
      << "the kind orders commands only";
  EXPECT_EQ(Url::Compare(make(kUrlCommand, 0, u"z"), make(kUrlPath, 0, u"a")), -1);
  EXPECT_EQ(Url::Compare(make(kUrlPath, 0, u"ab"), make(kUrlPath, 0, u"a")), 1);
}

}  // namespace
