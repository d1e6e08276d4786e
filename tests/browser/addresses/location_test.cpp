// Locations: parsing with and without a base, relative resolution, the
// fragment forms, query arguments, the side-file list kinds, category
// addresses and the location list.
#include <gtest/gtest.h>

#include <string>

#include "browser/addresses/location.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/testing/allocation.h"

namespace {

SharedWideString W(const char16_t* text) { return SharedWideString(text); }

std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

std::u16string FullText(const Location& location) {
  SharedWideString text;
  EXPECT_TRUE(Location::GetText(location, &text));
  return S(text);
}

Url PathUrl(const char16_t* path) {
  Url url;
  EXPECT_TRUE(url.Parse(W(path), true));
  return url;
}

TEST(Location, ParseWithoutBaseSplitsTheFragment) {
  Location location;
  ASSERT_TRUE(Location::Parse(&location, W(u"\\b\\x.prc$120"), nullptr));
  EXPECT_EQ(location.url.state, kUrlPath);
  EXPECT_EQ(S(location.url.text), u"\\b\\x.prc");
  EXPECT_EQ(S(location.fragment), u"$120");
  ASSERT_TRUE(Location::Parse(&location, W(u"a.htm#x$y"), nullptr));
  EXPECT_EQ(S(location.fragment), u"#x$y");
  EXPECT_FALSE(Location::Parse(&location, W(u"http://x#y"), nullptr));
  EXPECT_EQ(S(location.fragment), u"#x$y") << "a failed parse keeps the location";
}

struct RelativeCase {
  const char16_t* base;
  const char16_t* text;
  bool ok;
  const char16_t* full;  // Location::GetText of the result
  int32_t state;
};

TEST(Location, ResolvesAgainstABase) {
  const RelativeCase cases[] = {
      // A book name in the base's folder.
      {u"\\eBooks\\a.prc", u"b.prc", true, u"%5CeBooks%5Cb.prc", kUrlPath},
      // A ".prc" in the text cuts an inner page off the base first.
      {u"\\eBooks\\a.prc\\page", u"b.prc$4", true, u"%5CeBooks%5Cb.prc$4", kUrlPath},
      // One ".." climbs one folder above the file's.
      {u"\\x\\y\\file.htm", u"..\\z.htm", true, u"%5Cx%5Cz.htm", kUrlPath},
      {u"\\x\\y\\file.htm", u"../../z.htm", true, u"%5Cz.htm", kUrlPath},
      {u"\\x\\file.htm", u"..\\..\\..\\z.htm", true, u"%5Cz.htm", kUrlPath},
      // Forward slashes become backslashes; a query is kept after the path.
      {u"\\x\\file.htm", u"sub/p q.htm?a=1", true, u"%5Cx%5Csub%5Cp%20q.htm?a=1", kUrlPath},
      // A rooted path replaces the base.
      {u"\\x\\file.htm", u"\\other\\o.txt", true, u"\\other\\o.txt", kUrlPath},
      // A fragment alone keeps the base.
      {u"\\x\\file.htm", u"$77", true, u"\\x\\file.htm$77", kUrlPath},
      {u"\\x\\file.htm", u"##-pos5", true, u"\\x\\file.htm##-pos5", kUrlPath},
      // Commands replace any base.
      {u"\\x\\file.htm", u"oeb:bookstore", true, u"oeb:bookstore", kUrlCommand},
      {u"\\x\\file.htm", u"http://a", false, nullptr, 0},
      // A base folder without separator.
      {u"file.htm", u"z.htm", true, u"%5Cz.htm", kUrlPath},
      {u"\\x\\", u"z.htm", true, u"%5Cx%5Cz.htm", kUrlPath},
  };
  for (const RelativeCase& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)).c_str());
    Location result;
    ASSERT_EQ(Location::ParseRelative(&result, W(c.text), PathUrl(c.base)), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(FullText(result), c.full);
    EXPECT_EQ(result.url.state, c.state);
  }
}

TEST(Location, AnyTextAgainstACommandIsAbsolute) {
  Url base;
  ASSERT_TRUE(base.Parse(W(u"oeb:bookstore?x=1"), true));
  Location result;
  ASSERT_TRUE(Location::Parse(&result, W(u"plain.txt$3"), &base));
  EXPECT_EQ(FullText(result), u"plain.txt$3");
  // Against a special page a relative path has nothing to join.
  ASSERT_TRUE(base.Parse(W(u"oeb:library"), true));
  EXPECT_FALSE(Location::Parse(&result, W(u"plain.txt"), &base));
  EXPECT_TRUE(Location::Parse(&result, W(u"oeb:about"), &base));
}

TEST(Location, FragmentOnlyKeepsInnerPathAndItsLength) {
  Url base;
  base.SetBookInnerPath(W(u"\\b\\k.prc\\page"), 8);
  Location result;
  ASSERT_TRUE(Location::ParseRelative(&result, W(u"$9"), base));
  EXPECT_EQ(result.url.state, kUrlBookInnerPath);
  EXPECT_EQ(result.url.bookPathLength, 8);
  EXPECT_EQ(S(result.fragment), u"$9");
  // A new path is a new address: no stale book path length.
  ASSERT_TRUE(Location::ParseRelative(&result, W(u"other"), base));
  EXPECT_EQ(result.url.state, kUrlPath);
  EXPECT_EQ(result.url.bookPathLength, 0);
}

TEST(Location, FromTextAndCompare) {
  SharedWideString out = W(u"stale");
  EXPECT_FALSE(Location::FromText(W(u"oeb:nope"), nullptr, &out));
  EXPECT_TRUE(out.IsEmpty());
  Url base = PathUrl(u"\\a\\b.htm");
  ASSERT_TRUE(Location::FromText(W(u"c.htm$1"), &base, &out));
  EXPECT_EQ(S(out), u"%5Ca%5Cc.htm$1");

  Location a, b;
  ASSERT_TRUE(Location::Parse(&a, W(u"\\x.prc$1"), nullptr));
  ASSERT_TRUE(Location::Parse(&b, W(u"\\x.prc$2"), nullptr));
  EXPECT_EQ(Location::Compare(a, b), -1);
  b.url.state = kUrlLocalFile;
  b.fragment = W(u"$1");
  EXPECT_EQ(Location::Compare(a, b), 0);
}

TEST(Location, FragmentForms) {
  Location location;
  ASSERT_TRUE(location.SetPositionFragment(4294967295u));
  EXPECT_EQ(S(location.fragment), u"$4294967295");
  ASSERT_TRUE(location.SetEntryFragment(W(u"chapter?x=1")));
  EXPECT_EQ(S(location.fragment), u"$eo=chapter");
  ASSERT_TRUE(location.SetPosFragment(1234));
  EXPECT_EQ(S(location.fragment), u"##-pos1234");

  struct {
    const char16_t* fragment;
    int32_t pos;
  } cases[] = {
      {u"##-pos1234", 1234}, {u"##-a-pos7", 7},   {u"##-a-b", -1},       {u"#-pos5", -1},
      {u"##-pos", -1},       {u"##-posx", -1},    {u"##-pos99999999999", -1}, {u"##", -1},
      {u"", -1},             {u"##-pos2147483647", 2147483647}, {u"##-pos2147483648", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Location::GetPosFromFragment(W(c.fragment)), c.pos) << S(W(c.fragment)).size();
}

TEST(Location, FragmentHelpers) {
  SharedWideString out;
  EXPECT_TRUE(SplitFragment(W(u"a#b$c"), &out));
  EXPECT_EQ(S(out), u"#b$c");
  EXPECT_FALSE(SplitFragment(W(u"abc"), &out));
  EXPECT_TRUE(FragmentFromHash(W(u"a$b#c"), &out));
  EXPECT_EQ(S(out), u"#c");
  EXPECT_TRUE(HasHash(W(u"a#")));
  EXPECT_FALSE(HasHash(W(u"a$")));
  EXPECT_TRUE(HasDoubleHash(W(u"x##y")));
  EXPECT_FALSE(HasDoubleHash(W(u"x#y#")));
  EXPECT_FALSE(HasDoubleHash(W(u"x#")));
  EXPECT_TRUE(HasDollar(W(u"$")));

  struct {
    const char16_t* fragment;
    bool found;
    int32_t number;
    const char16_t* name;
  } streams[] = {
      {u"$12", true, 12, u""},           {u"$table=x", true, -1, u"table=x"},
      {u"#a$3", true, 3, u""},           {u"#a", false, -1, u""},
      {u"$", true, -1, u""},             {u"$99999999999", true, -1, u"99999999999"},
      {u"$4294967295", true, -1, u"4294967295"},
  };
  for (const auto& c : streams) {
    int32_t number = 0;
    SharedWideString name;
    EXPECT_EQ(SplitStreamFragment(W(c.fragment), &number, &name), c.found);
    EXPECT_EQ(number, c.number);
    EXPECT_EQ(S(name), c.name);
  }

  EXPECT_TRUE(SplitQuery(W(u"a?b=1"), &out, true));
  EXPECT_EQ(S(out), u"?b=1");
  EXPECT_TRUE(SplitQuery(W(u"a?b=1"), &out, false));
  EXPECT_EQ(S(out), u"b=1");
  EXPECT_FALSE(SplitQuery(W(u"ab"), &out, true));
  SharedWideString text = W(u"p?q?r");
  StripQuery(&text);
  EXPECT_EQ(S(text), u"p");
}

TEST(Location, QueryArguments) {
  SegmentedTypedArray<int32_t> codes;
  SegmentedTypedArray<SharedWideString> values;
  ASSERT_TRUE(ParseQueryArguments(W(u"oeb:x?name=A&cat=B&zz=C&title=$frag"), &codes, &values));
  ASSERT_EQ(codes.Count(), 4u);
  EXPECT_EQ(codes[0], kQueryName);
  EXPECT_EQ(codes[1], kQueryCategory);
  EXPECT_EQ(codes[2], kQueryUnknown);
  EXPECT_EQ(codes[3], kQueryTitle);
  EXPECT_EQ(S(values[0]), u"A");
  EXPECT_EQ(S(values[2]), u"C");
  EXPECT_EQ(S(values[3]), u"");

  SegmentedTypedArray<int32_t> moreCodes;
  SegmentedTypedArray<SharedWideString> moreValues;
  ASSERT_TRUE(ParseQueryArguments(W(u"?action=1&param&subpath=2"), &moreCodes, &moreValues));
  EXPECT_EQ(moreCodes.Count(), 1u) << "a piece without '=' ends the scan";
  SegmentedTypedArray<int32_t> none;
  SegmentedTypedArray<SharedWideString> noValues;
  EXPECT_FALSE(ParseQueryArguments(W(u"no query"), &none, &noValues));
  EXPECT_FALSE(ParseQueryArguments(W(u"?"), &none, &noValues));
  SharedWideString value;
  EXPECT_TRUE(FindQueryArgument(W(u"?a=1&subpath=x%20y"), kQuerySubpath, &value));
  EXPECT_EQ(S(value), u"x%20y");
}

TEST(Location, SideFileListKinds) {
  struct {
    const char16_t* address;
    bool ok;
    int32_t kind;
  } cases[] = {
      {u"oeb:bookmarks?cat=QVR_all_x", true, kSideFileListAll},
      {u"oeb:bookmarks?cat=QVR_bookmarks_", true, kSideFileListBookmarks},
      {u"oeb:bookmarks?cat=QVR_audiomarks_1", true, kSideFileListAudiomarks},
      {u"oeb:bookmarks?cat=QVR_annotations_1", true, kSideFileListAnnotations},
      {u"oeb:bookmarks?cat=QVR_highlights_1", true, kSideFileListHighlights},
      {u"oeb:bookmarks?cat=other", true, kSideFileListOther},
      {u"oeb:bookmarks?name=x", false, kSideFileListOther},
      {u"oeb:library?cat=QVR_all_", false, kSideFileListOther},
  };
  for (const auto& c : cases) {
    Url url;
    ASSERT_TRUE(url.Parse(W(c.address), true));
    int32_t kind = -5;
    EXPECT_EQ(GetSideFileListKind(url, &kind), c.ok);
    EXPECT_EQ(kind, c.kind);
  }
}

TEST(Location, DatabaseName) {
  Location location;
  ASSERT_TRUE(Location::ApplyDatabaseName(&location, W(u"My notes!")));
  EXPECT_EQ(location.url.state, kUrlDatabaseCommand);
  EXPECT_EQ(FullText(location), u"oeb:database?name=My_notes_");
  EXPECT_FALSE(Location::ApplyDatabaseName(&location, W(u"\u00e9\u00e9")));
  EXPECT_EQ(S(location.url.text), u"?name=");
}

TEST(Location, CategoryAddressFromAPath) {
  Location target, source;
  ASSERT_TRUE(Location::Parse(&target, W(u"oeb:bookmarks?cat=QVR_notes_"), nullptr));
  ASSERT_TRUE(Location::Parse(&source, W(u"\\b\\My Book.prc$3"), nullptr));
  EncodedString name, category;
  ASSERT_TRUE(Location::MakeCategoryAddress(&target, source, &name, &category));
  SharedWideString nameText, categoryText;
  nameText.AssignEncodedString(name);
  categoryText.AssignEncodedString(category);
  EXPECT_EQ(S(nameText), u"\\b\\My Book.prc");
  EXPECT_EQ(S(categoryText), u"QVR_notes_");
  EXPECT_EQ(target.url.state, kUrlCommand);
  EXPECT_EQ(target.url.commandKind, kCommandBookmarks);
  EXPECT_EQ(FullText(target), u"oeb:bookmarks?cat=QVR_notes_&name=%5Cb%5CMy%20Book.prc");

  // A name in the target is taken decoded and the target stays.
  Location named;
  ASSERT_TRUE(Location::Parse(&named, W(u"oeb:bookmarks?name=a%20b"), nullptr));
  ASSERT_TRUE(Location::MakeCategoryAddress(&named, source, &name, &category));
  nameText.AssignEncodedString(name);
  EXPECT_EQ(S(nameText), u"a b");
  EXPECT_EQ(named.url.state, kUrlSpecialPage);
  // A bookmarks page as source gives its name; nothing gives false.
  Location plain;
  ASSERT_TRUE(Location::Parse(&plain, W(u"oeb:bookmarks"), nullptr));
  ASSERT_TRUE(Location::MakeCategoryAddress(&plain, named, &name, &category));
  Location store;
  ASSERT_TRUE(Location::Parse(&store, W(u"oeb:bookstore"), nullptr));
  EXPECT_FALSE(Location::MakeCategoryAddress(&plain, store, &name, &category));
}

TEST(LocationList, GrowsInFixedBlocks) {
  LocationList list;
  Location location;
  location.fragment = W(u"$1");
  for (uint32_t i = 0; i < 130; ++i) ASSERT_EQ(list.Append(location), static_cast<int32_t>(i));
  const Location* first = &list.Get(0);
  const Location* last = &list.Get(129);
  Location* far = list.At(300);
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(list.Count(), 301u);
  EXPECT_EQ(first, &list.Get(0)) << "blocks never move";
  EXPECT_EQ(last, &list.Get(129));
  list.RemoveAt(0);
  EXPECT_EQ(list.Count(), 300u);
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  list.Shrink();
  EXPECT_NE(list.At(0), nullptr);
}

TEST(LocationList, AtAnswersNullWhenMemoryRunsOut) {
  LocationList list;
  {
    devtest::AllocationFailure failing(1, true);
    EXPECT_EQ(list.At(0), nullptr);
  }
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Append(Location()), 0);
}

}  // namespace
