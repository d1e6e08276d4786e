// The document view's index requests and fragments over a builder book with
// a default index ("words"), a key table ("letters", entry word 7 inside
// "words") and a naming table: every index and query kind writes a fragment
// from which OpenFragment rebuilds the same list; conditions, bullets,
// argument checks; word lists and the search history over the word-list
// database; the audio page and pictures; fragments that name no usable
// table; and every element not kept destroyed, every reference given back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/pages/index_page_elements.h"
#include "browser/view/document_view.h"
#include "index/books/book_index_services.h"
#include "index/database/database.h"
#include "index/dbscript/database_record_set.h"
#include "index/dbscript/word_list_table.h"
#include "platform/memory/allocator.h"
#include "tests/browser/view/index_page_fakes.h"
#include "tests/browser/view/view_fixture.h"
#include "tests/support/index_builder.h"

using indexpages::FakeIndexPageMaker;
using indexpages::FakeIndexWidget;
using viewtest::S;
using viewtest::W;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

struct BookRecords {
  uint32_t words = 0;
  uint32_t letters = 0;
};

std::vector<uint8_t> IndexedBook(BookRecords* records) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(viewtest::NumberedParagraphs(40), 1252);
  recipe.resourceRecords = 2;
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "bee", "cab", "cat", "cot", "dog"}) words.push_back({w, "d"});
  records->words = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(words)), 0);
  records->letters = testbuild::AddIndexToBook(
      built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex({{"a", "x"}, {"b", "x"}, {"c", "x"}})), -1);
  testbuild::IndexRecipe naming;
  naming.valuesPerItem[6] = 2;
  testbuild::IndexEntry letters;
  letters.label = Bytes("letters");
  letters.values[2] = {records->letters - base};
  letters.values[6] = {records->words - base, 7};
  testbuild::IndexEntry wordsName;
  wordsName.label = Bytes("words");
  wordsName.values[1] = {records->words - base};
  naming.entries = {letters, wordsName};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  return built.Bytes();
}

// A request as a test writes it; made into a ScriptRequest when carried out.
struct RequestSpec {
  uint16_t methodAtom = 0;
  std::vector<std::u16string> texts;
  std::vector<bool> numbers;
  uint16_t objectAtom = 0;
};

RequestSpec Request(uint16_t method, const std::vector<std::u16string>& texts, std::vector<bool> numbers = {}) {
  return RequestSpec{method, texts, std::move(numbers), 0};
}

void Fill(const RequestSpec& spec, ScriptRequest* request) {
  request->methodAtom = spec.methodAtom;
  request->objectAtom = spec.objectAtom;
  for (size_t i = 0; i < spec.texts.size(); ++i) {
    ScriptRequestArgument argument;
    argument.text = W(spec.texts[i]);
    argument.isNumber = i < spec.numbers.size() && spec.numbers[i] ? 1 : 0;
    request->arguments.Append(argument);
  }
}

// What an index widget was built with, to compare two builds.
struct WidgetState {
  int32_t table = -1, keyTable = -1, entryWord = -1, selected = -1;
  std::u16string recordSetName, sourceQuery;
  bool ideogram = false, hasResult = false;
  bool operator==(const WidgetState& o) const {
    return table == o.table && keyTable == o.keyTable && entryWord == o.entryWord && selected == o.selected &&
           recordSetName == o.recordSetName && sourceQuery == o.sourceQuery && ideogram == o.ideogram &&
           hasResult == o.hasResult;
  }
};

WidgetState StateOf(const FakeIndexWidget* w) {
  WidgetState s;
  s.table = w->table ? w->table->GetHeaderRecordNumber() : -1;
  s.keyTable = w->keyTable ? w->keyTable->GetHeaderRecordNumber() : -1;
  s.entryWord = w->keyTable ? w->entryWord : -1;
  s.selected = w->selected;
  s.recordSetName = w->recordSetName;
  s.sourceQuery = w->sourceQuery;
  s.ideogram = w->ideogram;
  s.hasResult = w->result != nullptr;
  return s;
}

class IndexRequestsTest : public viewtest::ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    InstallBookIndexServices();
    ASSERT_TRUE(OpenBook(u"\\dict.prc", IndexedBook(&records)));
    ASSERT_TRUE(view().GetLayout() != nullptr);
  }
  void TearDown() override {
    harness.view.reset();
    EXPECT_EQ(maker.alive, 0) << "every element destroyed with the view";
  }

  bool Execute(const RequestSpec& spec) {
    ScriptRequest request;
    Fill(spec, &request);
    bool repaint = false;
    bool restore = true;
    return view().ExecuteRequest(request, false, &repaint, &restore, false);
  }
  bool Fragment(const std::u16string& fragment) {
    bool repaint = false;
    return view().OpenFragment(W(fragment), false, &repaint, false);
  }
  FakeIndexWidget* Widget() {
    PageElement* element = view().GetDocumentElement();
    return element != nullptr && element->GetKind() == 2 ? static_cast<FakeIndexWidget*>(element) : nullptr;
  }
  std::u16string CurrentFragment() { return S(view().GetLocation().fragment); }
  std::u16string Id(uint32_t record) {
    const std::string text = std::to_string(record);
    return std::u16string(text.begin(), text.end());
  }

  FakeIndexPageMaker maker;
  BookRecords records;
};

TEST_F(IndexRequestsTest, EachIndexKindWritesAFragmentThatRebuildsTheSameWidget) {
  struct Case {
    const char* what;
    RequestSpec request;
    std::u16string fragment;
  };
  const std::u16string w = Id(records.words);
  const std::u16string l = Id(records.letters);
  const uint32_t streams = view().GetDocumentSource()->GetStreamCount();
  const Case cases[] = {
      {"index_search", Request(69, {u"words", u"%%%", u"", u"", u"mine", u"256"}, {0, 0, 0, 0, 0, 1}),
       u"$qvrindex&" + w + u"&mine"},
      {"index_search, default table", Request(69, {}), u"$qvrindex&" + w},
      {"filtered_index_search", Request(72, {u"words", u"letters", u"", u"%key", u"", u"", u"set"}),
       u"$qvrindex&" + w + u"&" + l + u"&7&set"},
      {"cond_index_search", Request(79, {u"words", u"letters", u"b"}),
       u"$qvrindex&" + w + u"&" + l + u"&7&1"},
      {"cond_index_search, no key", Request(79, {u"words", u"letters", u"zz"}),
       u"$qvrindex&" + w + u"&" + l + u"&7&3"},
      {"ideogram_search", Request(130, {u"words", u"", u"", u"ideo"}), u"$qvrideo&" + w + u"&ideo"},
      {"sql_search", Request(96, {u"select * from words where orth like 'c%'", u"", u"", u"qs"}),
       u"$qvrsql&0&0&select%20*%20from%20words%20where%20orth%20like%20'c%25'&qs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Execute(c.request));
    FakeIndexWidget* made = Widget();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(view().GetFocusedElement(), made->AsElement());
    EXPECT_EQ(CurrentFragment(), c.fragment);
    const WidgetState before = StateOf(made);
    // Back to the text, then the fragment alone.
    ASSERT_TRUE(Fragment(u""));
    EXPECT_EQ(view().GetDocumentElement(), nullptr);
    EXPECT_EQ(maker.alive, 0);
    EXPECT_EQ(view().GetDocumentSource()->GetStreamCount(), streams) << "every table given back";
    ASSERT_TRUE(Fragment(c.fragment));
    ASSERT_NE(Widget(), nullptr);
    EXPECT_EQ(StateOf(Widget()), before);
    EXPECT_EQ(CurrentFragment(), c.fragment);
    EXPECT_EQ(maker.alive, 1);
  }
}

TEST_F(IndexRequestsTest, ArgumentsFlagsAndTemplatesReachTheWidget) {
  ASSERT_TRUE(Execute(Request(72, {u"words", u"letters", u"%%%e", u"%key", u"ca", u"", u"", u"256"},
                              {0, 0, 0, 0, 0, 0, 0, 1})));
  FakeIndexWidget* widget = Widget();
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->entryTemplate, u"%%%e");
  EXPECT_EQ(widget->keyTemplate, u"%key");
  EXPECT_EQ(widget->queryText, u"ca");
  EXPECT_EQ(widget->flags, 256u);
  EXPECT_TRUE(widget->composition);
  EXPECT_EQ(widget->anchor, static_cast<int32_t>(view().CurrentPagePosition()));

  // Requests that fail make nothing and leave no focused element.
  const RequestSpec failing[] = {
      Request(69, {u"nothing"}),                                      // no such table
      Request(72, {u"words", u"nothing"}),                            // no such sub-table
      Request(69, {u"words", u"", u"", u"", u"", u"256"}),           // flags as text
      Request(96, {u"select * from nowhere"}),                        // the query does not translate
      Request(96, {u"1"}, {1}),                                       // the query must be text
      Request(97, {u"BUL_HOSPITAL", u"true", u"select * from words"}),  // three arguments
      Request(200, {}),
  };
  for (const RequestSpec& request : failing) {
    SCOPED_TRACE(request.methodAtom);
    EXPECT_FALSE(Execute(request));
    EXPECT_EQ(view().GetFocusedElement(), nullptr);
    EXPECT_EQ(maker.alive, 0);
  }
}

TEST_F(IndexRequestsTest, BulletSearchesMarkTheirRows) {
  ASSERT_TRUE(Execute(Request(97, {u"BUL_HOSPITAL", u"true", u"select * from words", u"orth like 'c%'"})));
  ASSERT_NE(Widget(), nullptr);
  EXPECT_EQ(Widget()->bulletCode, 232);
  EXPECT_EQ(Widget()->bulletFlag, 1);
  EXPECT_EQ(Widget()->sourceQuery, u"select * from words __qvr_bwhere orth like 'c%'");
  EXPECT_EQ(CurrentFragment().rfind(u"$qvrsql&232&1&", 0), 0u) << "the result carries marks";
  const std::u16string fragment = CurrentFragment();
  ASSERT_TRUE(Fragment(u""));
  ASSERT_TRUE(Fragment(fragment));
  ASSERT_NE(Widget(), nullptr);
  EXPECT_EQ(Widget()->bulletCode, 232);

  ASSERT_TRUE(Execute(Request(97, {u"35", u"false", u"select * from words", u""}, {1})));
  EXPECT_EQ(Widget()->bulletCode, 225);
  EXPECT_EQ(Widget()->bulletFlag, 0);
  EXPECT_EQ(CurrentFragment().rfind(u"$qvrsql&0&0&", 0), 0u) << "no bullet condition, no marks";
}

TEST_F(IndexRequestsTest, SameFragmentAgainDoesNothingAndBadFragmentsFail) {
  const std::u16string fragment = u"$qvrindex&" + Id(records.words);
  ASSERT_TRUE(Fragment(fragment));
  FakeIndexWidget* first = Widget();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(Fragment(fragment));
  EXPECT_EQ(Widget(), first) << "nothing rebuilt";

  const std::u16string bad[] = {
      u"$qvrindex&" + Id(records.words + 0x10000),  // cut to 16 bits it would open a table
      u"$qvrindex&" + Id(records.words) + u"&70000&7",
      u"$qvrindex&1",                                // a text record, no index
      u"$qvrindex&" + Id(records.words) + u"&5",     // a key table without its word
      u"$qvrsql&0&0&select%20*%20from%20nowhere",
      u"$qvrwordlist&1033",                          // a book, not the word-list database
      u"$qvrsearchhistory",
      u"$nothing",
  };
  for (const std::u16string& f : bad) {
    SCOPED_TRACE(std::string(f.begin(), f.end()));
    EXPECT_FALSE(Fragment(f));
    EXPECT_EQ(maker.alive, 0);
  }
}

TEST_F(IndexRequestsTest, SavedQueryIsTypedInAgainOnlyWhenItsModeAndCodePageAgree) {
  harness.preferences.lastQuery = W(u"ca*");
  harness.preferences.lastQueryFlags = 0;
  harness.preferences.lastQueryCodePage = 1252;
  ASSERT_TRUE(Execute(Request(69, {u"words"})));
  EXPECT_EQ(Widget()->queryText, u"ca*");
  ASSERT_TRUE(Execute(Request(69, {u"words", u"", u"", u"", u"", u"131072"}, {0, 0, 0, 0, 0, 1})));
  EXPECT_EQ(Widget()->queryText, u"") << "another input mode";
  EXPECT_TRUE(harness.preferences.lastQuery.IsEmpty()) << "the saved text is dropped";
  EXPECT_EQ(harness.preferences.lastQueryCodePage, 0u);
}

TEST_F(IndexRequestsTest, TheIndexEntryOfThePageAndTheQueryText) {
  EXPECT_FALSE(view().SetIndexQuery(W(u"ca"))) << "no index widget";
  ASSERT_TRUE(Execute(Request(69, {u"words"})));
  EXPECT_TRUE(view().SetIndexQuery(W(u"ca")));
  EXPECT_EQ(Widget()->queryText, u"ca");
  // The book names no index entries in its text.
  EXPECT_EQ(view().OpenRecordSource(W(u"words"), 0), nullptr);
  EXPECT_EQ(view().OpenRecordSource(W(u"nothing"), 0), nullptr);
}

TEST_F(IndexRequestsTest, AudioPageAndPictures) {
  maker.playerAvailable = false;
  RequestSpec show = Request(134, {u"\\song.ogg"});
  show.objectAtom = 33;
  EXPECT_FALSE(Execute(show));
  EXPECT_EQ(maker.alive, 0) << "an unavailable player is destroyed";
  maker.playerAvailable = true;
  ASSERT_TRUE(Execute(show));
  EXPECT_EQ(maker.lastPlayer->source, u"\\song.ogg");
  EXPECT_EQ(CurrentFragment(), u"$audio");
  RequestSpec other = Request(134, {u"x"});
  other.objectAtom = 23;
  EXPECT_FALSE(Execute(other)) << "show on another object";
  ASSERT_TRUE(Fragment(u"$audio"));
  EXPECT_EQ(view().GetDocumentElement()->GetKind(), 6);

  // A picture the element cannot use: message 5029, nothing kept.
  maker.imageRefused = true;
  harness.application.Clear();
  EXPECT_FALSE(Fragment(u"$1"));
  EXPECT_EQ(maker.alive, 0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].number, 5029);
  maker.imageRefused = false;
  ASSERT_TRUE(Fragment(u"$2"));
  EXPECT_EQ(view().GetDocumentElement()->GetKind(), 3);
  EXPECT_EQ(maker.lastImage->background.value, harness.preferences.backgroundColor.value);
}

TEST_F(IndexRequestsTest, ReadingTextKindsShowThePositionAndKeepNoRestore) {
  ASSERT_TRUE(Execute(Request(69, {u"words"})));
  ScriptRequest position;
  Fill(Request(75, {u"3000"}, {1}), &position);
  bool repaint = false;
  bool restore = true;
  ASSERT_TRUE(view().ExecuteRequest(position, false, &repaint, &restore, false));
  EXPECT_TRUE(repaint) << "the widget was closed";
  EXPECT_FALSE(restore);
  EXPECT_EQ(view().GetDocumentElement(), nullptr);
  EXPECT_EQ(view().GetFocusedElement(), view().GetTextControl());
  ViewTextRange page;
  ASSERT_TRUE(view().GetPageRange(&page));
  EXPECT_LE(page.start, 3000u);
  EXPECT_GT(page.end, 3000u);
  EXPECT_TRUE(CurrentFragment().empty());
  // A book without a table of contents stays where it is.
  ScriptRequest toc;
  Fill(Request(54, {}), &toc);
  ASSERT_TRUE(view().ExecuteRequest(toc, false, &repaint, &restore, false));
  EXPECT_FALSE(restore);
  ViewTextRange after;
  ASSERT_TRUE(view().GetPageRange(&after));
  EXPECT_EQ(after.start, page.start);
}

TEST_F(IndexRequestsTest, WithoutThePageElementsNothingIsMade) {
  InstallIndexPageElementMaker(nullptr);
  EXPECT_FALSE(Execute(Request(69, {u"words"})));
  EXPECT_FALSE(Fragment(u"$qvrindex&" + Id(records.words)));
  InstallIndexPageElementMaker(&maker);
}

// The word-list database opened through the loader.
class WordListRequestsTest : public viewtest::ViewTest {
 protected:
  void TearDown() override {
    harness.view.reset();
    EXPECT_EQ(maker.alive, 0);
  }
  bool OpenWithRequest(const RequestSpec& spec) {
    ScriptRequest request;
    Fill(spec, &request);
    Location location;
    EXPECT_TRUE(Location::Parse(&location, W(u"oeb:database?name=words"), nullptr));
    return view().OpenLocationWithRequest(&location, request);
  }
  indexpages::FakeVocabularyList* List() {
    PageElement* element = view().GetDocumentElement();
    return element != nullptr && (element->GetKind() == 4 || element->GetKind() == 5)
               ? static_cast<indexpages::FakeVocabularyList*>(element)
               : nullptr;
  }
  Database* Words() { return static_cast<Database*>(view().GetDocumentSource()); }

  FakeIndexPageMaker maker;
};

TEST_F(WordListRequestsTest, WordListsByLanguage) {
  ASSERT_TRUE(OpenWithRequest(Request(109, {})));
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->GetKind(), 4);
  EXPECT_EQ(S(view().GetLocation().fragment), u"$qvrwordlist&9") << "the user-interface language";
  SharedWideString english;
  ASSERT_TRUE(WordListTableName(9, &english));
  const int32_t table = Words()->FindTable(english);
  ASSERT_GE(table, 0);
  EXPECT_EQ(Words()->GetTable(table)->CountColumns(), 6u);
  EXPECT_EQ(List()->start, RecordPosition::kPastEnd);

  ASSERT_TRUE(OpenWithRequest(Request(111, {u"chat", u"fr", u"Le Dict & Co", u"main"})));
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->linkRequests, 1) << "a new word is handed to the list";
  EXPECT_EQ(List()->caption, -1);
  SharedWideString french;
  ASSERT_TRUE(WordListTableName(12, &french));
  EXPECT_GE(Words()->FindTable(french), 0);

  maker.wordListKnownRow = 4;
  ASSERT_TRUE(OpenWithRequest(Request(112, {u"chat", u"fr", u"", u"", u"12", u"chat!"}, {0, 0, 0, 0, 1})));
  EXPECT_EQ(List()->linkRequests, 0);
  EXPECT_EQ(List()->caption, 5115) << "already in the list";
  EXPECT_EQ(List()->start, 4);

  const RequestSpec failing[] = {
      Request(111, {u"chat"}),                 // no language tag
      Request(111, {u"chat", u"xx-yy"}),       // a tag the table does not hold
      Request(112, {u"chat", u"fr", u"", u"", u"twelve"}),  // the entry must be a number
  };
  for (const RequestSpec& request : failing) {
    SCOPED_TRACE(request.methodAtom);
    EXPECT_FALSE(OpenWithRequest(request));
    EXPECT_EQ(maker.alive, 0);
  }
}

TEST_F(WordListRequestsTest, AddingToTheWordListShown) {
  ScriptRequest add;
  Fill(Request(111, {u"chat", u"fr"}), &add);
  EXPECT_FALSE(view().AddToWordList(add)) << "no word list shown";
  ASSERT_TRUE(OpenWithRequest(Request(109, {u"fr"})));
  EXPECT_TRUE(view().IsWordListEmpty());
  ASSERT_TRUE(view().AddToWordList(add));
  EXPECT_EQ(List()->filled, 1);
  EXPECT_EQ(List()->caption, 5114) << "added";
  EXPECT_EQ(List()->refreshed, 0);
  // An entry is looked up first, and added only when absent.
  List()->knownRow = 3;
  ScriptRequest entry;
  Fill(Request(112, {u"chat", u"fr", u"", u"", u"12"}, {0, 0, 0, 0, 1}), &entry);
  ASSERT_TRUE(view().AddToWordList(entry));
  EXPECT_EQ(List()->filled, 1) << "found, not added again";
  EXPECT_EQ(List()->caption, 5115);
  EXPECT_EQ(List()->refreshed, 3);
  List()->empty = false;
  EXPECT_FALSE(view().IsWordListEmpty());
}

TEST_F(WordListRequestsTest, SearchHistoryStartsPastTheEndAndListFragmentsReopen) {
  EXPECT_FALSE(OpenWithRequest(Request(115, {}))) << "no look-up history";
  // A look-up history: any record source will do.
  DatabasePtr historyStore;
  historyStore.Adopt(DeviceNew<Database>());
  const int32_t historyTable = historyStore->CreateTable(W(u"history"));
  ASSERT_GE(historyTable, 0);
  DatabaseRecordSet* history = new DatabaseRecordSet(historyStore.Get(), historyTable);
  maker.history = history;
  ASSERT_TRUE(OpenWithRequest(Request(115, {})));
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->GetKind(), 5);
  EXPECT_EQ(List()->start, RecordPosition::kPastEnd);
  EXPECT_EQ(List()->caption, -1);
  EXPECT_EQ(S(view().GetLocation().fragment), u"$qvrsearchhistory");

  ASSERT_TRUE(OpenWithRequest(Request(109, {u"de"})));
  const std::u16string fragment = S(view().GetLocation().fragment);
  EXPECT_EQ(fragment, u"$qvrwordlist&7");
  bool repaint = false;
  ASSERT_TRUE(view().OpenFragment(W(u"$qvrsearchhistory"), false, &repaint, false));
  EXPECT_EQ(List()->GetKind(), 5);
  ASSERT_TRUE(view().OpenFragment(W(fragment), false, &repaint, false));
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->GetKind(), 4);
  EXPECT_EQ(List()->start, RecordPosition::kPastEnd);
  EXPECT_EQ(List()->linkRequests, 0);
  EXPECT_FALSE(view().OpenFragment(W(u"$qvrwordlist"), false, &repaint, false)) << "no language";
  EXPECT_FALSE(view().OpenFragment(W(u"$qvrwordlist&70000"), false, &repaint, false));
  harness.view.reset();
  maker.history = nullptr;
  EXPECT_EQ(history->ReferenceCount(), 1) << "every list gave its reference back";
  history->Release();
}

}  // namespace
