// The document view without a document: its state after construction, the
// repaint holds, the command-availability table, the frame-path record of
// a history entry (written and read back, damaged forms), and the trailer
// search of a state stream.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/view/document_view.h"
#include "layout/reading/page_element.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/support/fake_view_application.h"

namespace {

// A page element that keeps what it was asked to load.
class RecordingElement : public PageElement, public UIContainer {
 public:
  int32_t GetKind() override { return 6; }
  int32_t GetSourceIndex() override { return 7; }
  bool LoadState(const MediaPoint&, ByteStream* stream) override {
    loaded.clear();
    uint8_t byte = 0;
    while (stream->Remaining() > 0 && stream->ReadBytes(&byte, 1)) loaded.push_back(byte);
    return loadAnswer;
  }
  bool SaveState(const MediaPoint&, ByteStream* stream) override { return stream->WriteBytes("abcd", 4); }
  bool HitTest(Point) override { return false; }
  void Arrange(Rect*, const Rect&) override {}
  bool IsCommandEnabled(int32_t command) override { return command != 16; }

  std::vector<uint8_t> loaded;
  bool loadAnswer = true;
};

class TestView : public DocumentView {
 public:
  void ShowElement(RecordingElement* element) {
    documentElement_ = element;
    FocusElement(element);
  }
  void Forget() {
    if (focusedElement_ != nullptr) focusedElement_->LeaveParent();
    documentElement_ = nullptr;
    focusedElement_ = nullptr;
  }
  void SetHistory(uint32_t count, int32_t index) {
    for (uint32_t i = 0; i < count; ++i) history_.Append(new HistoryEntry());
    historyIndex_ = index;
  }
  void SetSideFile(BookParameterFile* file) { sideFile_ = file; }
  bool FramePath(std::vector<int32_t>* out) {
    SegmentedTypedArray<int32_t> path;
    if (!GetFramePath(&path)) return false;
    for (uint32_t i = 0; i < path.Count(); ++i) out->push_back(path[i]);
    return true;
  }
  void SetPendingFocusPath(const SegmentedTypedArray<int32_t>& path) override {
    pending.clear();
    for (uint32_t i = 0; i < path.Count(); ++i) pending.push_back(path[i]);
    ++pendingCalls;
  }
  std::vector<int32_t> pending;
  int pendingCalls = 0;
};

class ViewCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application.currentView = &view;
    view.SetPreferences(&preferences);
    view.SetController(&application);
  }
  void TearDown() override { view.Forget(); }

  void Bytes(ByteStream* stream, const std::vector<uint8_t>& bytes) {
    stream->Clear();
    stream->readPos = 0;
    if (!bytes.empty()) stream->WriteBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  }

  FakeViewEnvironment environment;
  FakeViewPreferences preferences;
  FakeViewApplication application{&environment};
  RecordingElement element;  // outlives the view
  TestView view;
};

std::vector<uint8_t> Word(uint32_t value) {
  return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value)};
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

const std::vector<uint8_t> kTag = {'E', 'B', 'A', 'R'};
const std::vector<uint8_t> kMarker = {'L', 'T', 'T', 'S'};

TEST_F(ViewCoreTest, WithoutADocumentTheQueriesAnswerNothing) {
  EXPECT_EQ(view.GetViewBounds().x, -10000);
  EXPECT_EQ(view.GetViewBounds().y, -10000);
  EXPECT_EQ(view.GetViewBounds().width, 0);
  EXPECT_EQ(view.GetEmbedding(), -1);
  EXPECT_EQ(view.GetHistoryIndex(), 0);
  EXPECT_EQ(view.GetLocation().url.state, kUrlEmpty);
  ViewTextRange range{5, 6};
  EXPECT_FALSE(view.GetPageRange(&range));
  EXPECT_EQ(range.start, 0u);
  EXPECT_EQ(range.end, 0u);
  EXPECT_EQ(view.GetCurrentPageNumber(), 0);
  EXPECT_EQ(view.GetPageCount(), 0);
  EXPECT_EQ(view.GetCurrentPosition(), -1);
  EXPECT_TRUE(view.IsDocumentPaginated());
  EXPECT_EQ(view.CreateTextSearch(), nullptr);
  EXPECT_TRUE(view.IsActiveView());
  Url base;
  base.state = kUrlPath;
  EXPECT_TRUE(view.GetBaseUrl(&base));
  EXPECT_EQ(base.state, kUrlEmpty);
  EXPECT_FALSE(view.GoToPage(0));
  EXPECT_TRUE(view.GoToPage(3)) << "nothing has the focus: the move answers true and does nothing";
  EXPECT_EQ(view.GetKind(), 2);
  EXPECT_EQ(view.AsDocumentView(&view), &view);
  EXPECT_EQ(view.FindTargetView(SharedWideString()), &view);
  EXPECT_EQ(view.CreateTargetView(SharedWideString(), Rect()), nullptr);
}

TEST_F(ViewCoreTest, NestedHoldsGiveOneInvalidationAtTheLastRelease) {
  struct Case {
    const char* name;
    std::vector<bool> requests;  // the invalidations asked for while held
    uint32_t expected;
    bool full;
  };
  const Case cases[] = {
      {"none asked", {}, 0, false},
      {"partial only", {false, false}, 1, false},
      {"one full among partial", {false, true, false}, 1, true},
      {"full first", {true, false}, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const uint32_t before = view.GetInvalidationCount();
    view.HoldRepaint();
    view.HoldRepaint();
    for (bool full : c.requests) view.Invalidate(full);
    view.ReleaseRepaint();
    EXPECT_EQ(view.GetInvalidationCount(), before) << "an inner release performs nothing";
    view.ReleaseRepaint();
    EXPECT_EQ(view.GetInvalidationCount() - before, c.expected);
    if (c.expected != 0) {
      EXPECT_EQ(view.WasLastInvalidationFull(), c.full);
    }
  }
  // A new hold forgets what an earlier one left.
  view.HoldRepaint();
  view.ReleaseRepaint();
  view.ReleaseRepaint();  // unbalanced: ignored
  EXPECT_EQ(view.GetRepaintHold(), 0);
}

TEST_F(ViewCoreTest, CommandAvailabilityTable) {
  BookParameterFile* sideFile = new BookParameterFile();
  struct Case {
    int32_t command;
    bool sideFile;
    bool element;
    uint32_t history;
    int32_t index;
    bool findDialog;
    bool expected;
  };
  const Case cases[] = {
      // Side-file commands: need the side file, then the element decides.
      {15, false, true, 0, 0, false, false},
      {15, true, false, 0, 0, false, true},
      {15, true, true, 0, 0, false, true},
      {16, true, true, 0, 0, false, false},
      {41, true, false, 0, 0, false, true},
      {44, false, false, 0, 0, false, false},
      {50, true, true, 0, 0, false, true},
      {54, true, true, 0, 0, false, true},
      // Forward and back.
      {22, false, false, 3, 3, false, false},
      {22, false, false, 3, 1, false, true},
      {23, false, false, 3, 0, false, false},
      {23, false, false, 3, 2, false, true},
      // Dictionaries: none in the library.
      {45, true, true, 0, 0, false, false},
      {47, true, true, 0, 0, false, false},
      {108, true, true, 0, 0, true, false},
      {113, false, false, 0, 0, false, false},
      {113, false, false, 0, 0, true, true},
      // Any other: the focused element, false without one.
      {60, false, false, 0, 0, false, false},
      {60, false, true, 0, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    TestView local;
    local.SetController(&application);
    application.findDialog = c.findDialog;
    if (c.sideFile) local.SetSideFile(sideFile);
    if (c.element) local.ShowElement(&element);
    local.SetHistory(c.history, c.index);
    EXPECT_EQ(local.IsCommandEnabled(c.command), c.expected);
    local.SetSideFile(nullptr);
    local.Forget();
  }
  sideFile->Release();
}

TEST_F(ViewCoreTest, CapturedStateCarriesTheFramePathOnlyForTheCurrentView) {
  view.ShowElement(&element);
  HistoryEntry entry;
  ASSERT_TRUE(view.CaptureState(&entry, false));
  std::vector<uint8_t> bytes;
  for (uint32_t i = 0; i < entry.state.Size(); ++i) bytes.push_back(entry.state.ByteAt(i));
  std::vector<int32_t> path;
  ASSERT_TRUE(view.FramePath(&path));
  std::vector<uint8_t> expected = Join({kTag, Word(1), Word(static_cast<uint32_t>(path.size()))});
  for (int32_t item : path) expected = Join({expected, Word(static_cast<uint32_t>(item))});
  expected = Join({expected, {'a', 'b', 'c', 'd'}});
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(entry.elementPosition, 7);

  application.currentView = nullptr;
  HistoryEntry other;
  ASSERT_TRUE(view.CaptureState(&other, false));
  EXPECT_EQ(other.state.Size(), 4u) << "another view's entry holds only the element state";
}

TEST_F(ViewCoreTest, RestoringTheFrameStateReadsThePathAndRejectsDamage) {
  view.ShowElement(&element);
  struct Case {
    const char* name;
    std::vector<uint8_t> stream;
    bool current;
    bool answer;
    std::vector<uint8_t> elementState;  // what the element was given
    std::vector<int32_t> path;          // handed to the frame set (none: not handed)
    bool handed;
  };
  const Case cases[] = {
      {"path and state", Join({kTag, Word(1), Word(2), Word(0), Word(5), {'x', 'y'}}), true, true, {'x', 'y'}, {0, 5},
       true},
      {"empty path", Join({kTag, Word(1), Word(0), {'z'}}), true, true, {'z'}, {}, true},
      {"another tag is element state", Join({{'Q', 'B', 'A', 'R'}, Word(1), Word(0)}), true, true,
       Join({{'Q', 'B', 'A', 'R'}, Word(1), Word(0)}), {}, false},
      {"not the current view", Join({kTag, Word(1), Word(0)}), false, true, Join({kTag, Word(1), Word(0)}), {},
       false},
      {"short stream is element state", {'E', 'B', 'A', 'R', 0, 0, 0}, true, true, {'E', 'B', 'A', 'R', 0, 0, 0}, {},
       false},
      {"wrong version", Join({kTag, Word(2), Word(0)}), true, false, {}, {}, false},
      {"count past the end", Join({kTag, Word(1), Word(3), Word(1), Word(2)}), true, false, {}, {}, false},
      {"count whose bytes overflow 32 bits", Join({kTag, Word(1), Word(0x40000001u), Word(1)}), true, false, {}, {},
       false},
      {"count of all ones", Join({kTag, Word(1), Word(0xFFFFFFFFu)}), true, false, {}, {}, false},
      {"trailer keeps the path back",
       Join({kTag, Word(1), Word(1), Word(4), Word(2), kMarker, kMarker, kMarker, {'p', 'q', 'r'}}), true, true,
       Join({Word(2), kMarker, kMarker, kMarker, {'p', 'q', 'r'}}), {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    application.currentView = c.current ? &view : nullptr;
    element.loaded.clear();
    view.pendingCalls = 0;
    view.pending.clear();
    HistoryEntry entry;
    Bytes(&entry.state, c.stream);
    entry.state.readPos = 5;  // restoring rewinds first
    EXPECT_EQ(view.RestoreFrameState(&entry), c.answer);
    if (!c.answer) continue;
    EXPECT_EQ(element.loaded, c.elementState);
    EXPECT_EQ(view.pendingCalls, c.handed ? 1 : 0);
    if (c.handed) {
      EXPECT_EQ(view.pending, c.path);
    }
  }
  // The element's own answer is the answer.
  application.currentView = &view;
  element.loadAnswer = false;
  HistoryEntry entry;
  Bytes(&entry.state, Join({kTag, Word(1), Word(0)}));
  EXPECT_FALSE(view.RestoreFrameState(&entry));
  EXPECT_EQ(view.pendingCalls, 0);
}

TEST_F(ViewCoreTest, TrailerSearch) {
  struct Case {
    const char* name;
    std::vector<uint8_t> stream;
    uint32_t readPos;
    bool found;
    uint32_t offset;
  };
  const Case cases[] = {
      {"length, markers, data", Join({Word(7), Word(3), kMarker, kMarker, kMarker, {1, 2, 3}}), 0, true, 20},
      {"zero length with data after", Join({Word(9), Word(0), kMarker, kMarker, kMarker, {1}}), 0, true, 20},
      {"length larger than the rest", Join({Word(0), Word(4), kMarker, kMarker, kMarker, {1, 2, 3}}), 0, false, 0},
      {"length up to twelve larger is refused", Join({Word(0), Word(15), kMarker, kMarker, kMarker, {1, 2, 3}}), 0,
       false, 0},
      {"markers first: no length word", Join({kMarker, kMarker, kMarker, {1, 2, 3, 4}}), 0, false, 0},
      {"markers in the last twelve bytes", Join({Word(0), Word(0), kMarker, kMarker, kMarker}), 0, false, 0},
      {"two markers then a break", Join({Word(1), kMarker, kMarker, Word(0), {9, 9, 9, 9}}), 0, false, 0},
      {"a broken run, then a whole one",
       Join({Word(1), kMarker, kMarker, Word(1), kMarker, kMarker, kMarker, {9}}), 0, true, 28},
      {"big-endian tag words are not markers", Join({Word(1), {'S', 'T', 'T', 'L'}, {'S', 'T', 'T', 'L'},
                                                     {'S', 'T', 'T', 'L'}, {9, 9}}),
       0, false, 0},
      {"search starts at the aligned read position",
       Join({Word(1), kMarker, kMarker, kMarker, {5}, {0, 0, 0}, Word(1), kMarker, kMarker, kMarker, {6}}), 5, true,
       36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream stream;
    Bytes(&stream, c.stream);
    stream.readPos = c.readPos;
    uint32_t offset = 0;
    EXPECT_EQ(DocumentView::FindTrailer(&stream, &offset), c.found);
    if (c.found) {
      EXPECT_EQ(offset, c.offset);
    }
    EXPECT_EQ(stream.readPos, c.readPos) << "the read position is kept";
  }
}

TEST_F(ViewCoreTest, AudioFragment) {
  SharedWideString fragment;
  DocumentView::SetAudioFragment(&fragment);
  EXPECT_TRUE(DocumentView::IsAudioFragment(fragment));
  EXPECT_TRUE(DocumentView::IsAudioFragment(SharedWideString(u"$AUDIO")));
  EXPECT_FALSE(DocumentView::IsAudioFragment(SharedWideString(u"$audi")));
  EXPECT_FALSE(DocumentView::IsAudioFragment(SharedWideString(u"#audio")));
  EXPECT_FALSE(DocumentView::IsAudioFragment(SharedWideString()));
}

}  // namespace
