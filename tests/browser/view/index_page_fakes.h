// Recording fakes of the index page elements: each keeps what the view gave
// it (tables, query result and record source held by a reference of its
// own, released when it dies) and the maker counts the elements alive, so a
// test sees that every element not kept was destroyed and every reference
// given back.
#pragma once

#include <string>
#include <vector>

#include "browser/pages/index_page_elements.h"
#include "layout/elements/command_event.h"
#include "index/query/index_query_result.h"
#include "index/records/record_source.h"
#include "index/tables/index_table.h"

namespace indexpages {

inline std::u16string Text(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

// What every fake element needs of the tree and the page.
template <typename Base>
class FakeElement : public Base {
 public:
  explicit FakeElement(int* alive) : alive_(alive) { ++*alive_; }
  ~FakeElement() override { --*alive_; }
  int32_t GetSourceIndex() override { return -1; }
  bool LoadState(const MediaPoint&, ByteStream*) override { return true; }
  bool SaveState(const MediaPoint&, ByteStream*) override { return true; }
  bool HitTest(Point) override { return false; }
  void Arrange(Rect* remaining, const Rect&) override { (void)remaining; }
  int32_t GetLayer() override { return 0; }
  // The keys the view passed on, in order.
  bool HandleCommand(const CommandEvent& event) override {
    commands.push_back(event.command);
    return true;
  }
  int32_t anchor = -2;
  std::vector<int32_t> commands;

 private:
  int* alive_;
};

class FakeIndexWidget : public FakeElement<IndexWidget> {
 public:
  using FakeElement::FakeElement;
  ~FakeIndexWidget() override {
    if (result != nullptr) result->Release();
  }
  void SetIndexTable(IndexTable* t) override { table.Assign(t); }
  void SetTables(IndexTable* t, IndexTable* key, uint32_t word) override {
    table.Assign(t);
    keyTable.Assign(key);
    entryWord = static_cast<int32_t>(word);
  }
  void SetTablesAndSelect(IndexTable* t, IndexTable* key, uint32_t word, int32_t entry) override {
    SetTables(t, key, word);
    selected = entry;
  }
  void SetRecordSource(IndexQueryResult* r, const SharedWideString* entryTemplate,
                       const SharedWideString& q) override {
    if (r != nullptr) r->AddRef();
    if (result != nullptr) result->Release();
    result = r;
    if (entryTemplate != nullptr) this->entryTemplate = Text(*entryTemplate);
    sourceQuery = Text(q);
  }
  void SetRecordSetName(const SharedWideString& name) override { recordSetName = Text(name); }
  void SetQueryText(const SharedWideString& text) override { queryText = Text(text); }
  void SetModes(bool ideo, uint32_t f) override {
    ideogram = ideo;
    flags = f;
  }
  void SetBullet(int32_t code, int32_t flag) override {
    bulletCode = code;
    bulletFlag = flag;
  }
  void SetEntryTemplate(const SharedWideString& text) override { entryTemplate = Text(text); }
  void SetKeyTemplate(const SharedWideString& text) override { keyTemplate = Text(text); }
  void SetAnchorPosition(int32_t position) override { anchor = position; }
  void EnableInput(bool c) override {
    inputEnabled = true;
    composition = c;
  }

  IndexTablePtr table;
  IndexTablePtr keyTable;
  int32_t entryWord = -1;
  int32_t selected = -1;
  IndexQueryResult* result = nullptr;  // counted
  std::u16string sourceQuery, recordSetName, queryText, entryTemplate, keyTemplate;
  bool ideogram = false;
  uint32_t flags = 0;
  int32_t bulletCode = -1;
  int32_t bulletFlag = -1;
  bool inputEnabled = false;
  bool composition = false;
};

class FakeVocabularyList : public FakeElement<VocabularyListElement> {
 public:
  FakeVocabularyList(int* alive, int32_t kind) : FakeElement(alive), kind_(kind) {}
  ~FakeVocabularyList() override {
    if (source != nullptr) source->Release();
  }
  int32_t GetKind() override { return kind_; }
  void SetRecordSource(RecordSource* s, const RecordPosition& position) override {
    if (s != nullptr) s->AddRef();
    if (source != nullptr) source->Release();
    source = s;
    start = position.GetOrdinal();
  }
  void SetCaptionById(int32_t id) override { caption = id; }
  void SetLinkRequest(const ViewLinkRequest&) override { ++linkRequests; }
  RecordPosition FillRowFromRecords(const ViewLinkRequest&, RecordSource*) override {
    return RecordPosition::Of(knownRow);
  }
  int32_t FindWord(const ViewLinkRequest&) override { return knownRow >= 0 ? knownRow : -1; }
  int32_t FillRow(const ViewLinkRequest&) override {
    ++filled;
    return knownRow >= 0 ? knownRow : 0;
  }
  void RefreshRows(int32_t first, int32_t) override { refreshed = first; }
  bool IsEmpty() override { return empty; }
  void GetTitle(SharedWideString* title) override { *title = SharedWideString(u"Word list"); }

  RecordSource* source = nullptr;  // counted
  int32_t start = 0;
  int32_t caption = -7;
  int linkRequests = 0;
  int filled = 0;
  int32_t refreshed = -1;
  int32_t knownRow = RecordPosition::kPastEnd;  // where FillRowFromRecords finds the word
  bool empty = true;

 private:
  int32_t kind_;
};

class FakeImageView : public FakeElement<ImageViewElement> {
 public:
  FakeImageView(int* alive, bool refuses) : FakeElement(alive), refuses_(refuses) {}
  bool SetImage(InlineImage* image) override {
    hadImage = image != nullptr;
    return refuses_;
  }
  void SetBackground(Color c) override { background = c; }
  void SetAnchorPosition(int32_t position) override { anchor = position; }
  bool hadImage = false;
  Color background;

 private:
  bool refuses_;
};

class FakeMediaPlayer : public FakeElement<MediaPlayerElement> {
 public:
  FakeMediaPlayer(int* alive, bool available) : FakeElement(alive), available_(available) {}
  bool IsAvailable() override { return available_; }
  void SetSource(const SharedWideString& address) override { source = Text(address); }
  void SetAnchorPosition(int32_t position) override { anchor = position; }
  std::u16string source;

 private:
  bool available_;
};

class FakeIndexPageMaker : public IndexPageElementMaker {
 public:
  FakeIndexPageMaker() { InstallIndexPageElementMaker(this); }
  ~FakeIndexPageMaker() { InstallIndexPageElementMaker(nullptr); }
  FakeIndexPageMaker(const FakeIndexPageMaker&) = delete;
  FakeIndexPageMaker& operator=(const FakeIndexPageMaker&) = delete;

  IndexWidget* MakeIndexWidget(DocumentView*, ViewApplication*, DrawingSurface*) override {
    if (refuseAll) return nullptr;
    lastWidget = new FakeIndexWidget(&alive);
    return lastWidget;
  }
  VocabularyListElement* MakeWordList(DocumentView*, ViewApplication*, DrawingSurface*) override {
    if (refuseAll) return nullptr;
    lastList = new FakeVocabularyList(&alive, 4);
    lastList->knownRow = wordListKnownRow;
    return lastList;
  }
  VocabularyListElement* MakeSearchHistory(DocumentView*, ViewApplication*, DrawingSurface*) override {
    if (refuseAll) return nullptr;
    lastList = new FakeVocabularyList(&alive, 5);
    return lastList;
  }
  ImageViewElement* MakeImageView(DrawingSurface*, ViewApplication*) override {
    if (refuseAll) return nullptr;
    lastImage = new FakeImageView(&alive, imageRefused);
    return lastImage;
  }
  MediaPlayerElement* MakeMediaPlayer(DrawingSurface*, DocumentView*) override {
    if (refuseAll) return nullptr;
    lastPlayer = new FakeMediaPlayer(&alive, playerAvailable);
    return lastPlayer;
  }
  RecordSource* OpenLookupHistory() override {
    if (history == nullptr) return nullptr;
    history->AddRef();
    return history;
  }

  int alive = 0;
  bool refuseAll = false;
  bool imageRefused = false;
  bool playerAvailable = true;
  int32_t wordListKnownRow = RecordPosition::kPastEnd;
  RecordSource* history = nullptr;  // not owned
  FakeIndexWidget* lastWidget = nullptr;
  FakeVocabularyList* lastList = nullptr;
  FakeImageView* lastImage = nullptr;
  FakeMediaPlayer* lastPlayer = nullptr;
};

}  // namespace indexpages
