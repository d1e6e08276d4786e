// The browser view's frames: the walk that builds the window's frame set
// from a document's frame description (frames, names, sizes, nesting, the
// spare views reused by the next walk, damaged descriptions, lack of memory
// at every step), the focus path restored into a frame, and the reading
// text's keys that move between frames before pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browser/view/browser_view.h"
#include "browser/view/frame_document_view.h"
#include "layout/frames/frameset_element.h"
#include "platform/testing/allocation.h"
#include "tests/browser/view/view_fixture.h"
#include "tests/support/fake_frameset_source.h"

namespace viewtest {
namespace {

using testbuild::FakeFramesetSource;
using testbuild::FrameEntrySpec;

constexpr uint32_t kPercent = 0;
constexpr uint32_t kRelative = 3;

FrameEntrySpec Frame(const std::u16string& name, int32_t value, int32_t size = 1, uint32_t kind = kRelative) {
  return FrameEntrySpec{kFrameEntryFrame, name, value, size, kind, 0, 0, {}};
}

FrameEntrySpec Set(const std::u16string& name, std::vector<FrameEntrySpec> children) {
  return FrameEntrySpec{0, name, 0, 1, kRelative, 0, 0, std::move(children)};
}

// A browser view whose focus path can be set as a restored history entry
// sets it.
class TestBrowserView : public BrowserView {
 public:
  TestBrowserView() : BrowserView(nullptr) {}
  using BrowserView::GetFramePath;
  using BrowserView::SetPendingFocusPath;
};

std::string Narrow(const SharedWideString& text) {
  std::string out;
  for (uint32_t i = 0; i < text.length; ++i) out += static_cast<char>(text.Chars()[i]);
  return out;
}

class BrowserFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.view = std::make_unique<TestBrowserView>();
    ASSERT_TRUE(harness.Create(240, 320));
    // As the view's start does: the frame set under the surface, the view
    // as its frame "_main".
    ASSERT_TRUE(view().GetFrameset()->SetParent(&harness.surface));
    ASSERT_TRUE(view().AttachFrameset());
    Arrange();
    // Links on every page, so that every frame can take the focus.
    std::string links = "<html><body>";
    for (int i = 1; i <= 40; ++i) {
      links += "<p><a href=\"#p" + std::to_string(i) + "\">Link " + std::to_string(i) +
               "</a> leads on, and a few words of prose follow it here.</p>";
    }
    links += "</body></html>";
    ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\frames.prc", MarkupBook(links)));
    Location location;
    ASSERT_TRUE(Location::Parse(&location, W(u"\\frames.prc"), nullptr));
    bool reported = false;
    DocumentSource* book = harness.loader.Load(&location, &reported);
    ASSERT_NE(book, nullptr);
    source = FakeFramesetSource::Create(book);
    book->Release();
    source->top.children = {Frame(u"left", 1, 30, kPercent), Frame(u"right", 2)};
    ASSERT_TRUE(view().ShowLoadedSource(source, SharedWideString()));
    // Each test starts from the view alone, whatever showing it did.
    source->holdsFrames = false;
    view().RunFrameWalk(-1);
    source->holdsFrames = true;
    ASSERT_EQ(Frames(), "_main=self");
  }
  void TearDown() override {
    harness.view.reset();
    if (source != nullptr) source->Release();
  }

  TestBrowserView& view() { return *static_cast<TestBrowserView*>(harness.view.get()); }
  FramesetElement& frameset() { return *view().GetFrameset(); }
  void Arrange() {
    Rect rest;
    frameset().Arrange(&rest, Rect{0, 0, 240, 320});
  }

  // The frames in order: "name=number", "name=self" for the view itself,
  // nested sets in brackets.
  std::string Dump(const FramesetElement& set) {
    std::string out;
    for (uint32_t i = 0; i < set.FrameCount(); ++i) {
      const FrameRecord* record = set.FrameAt(i);
      if (!out.empty()) out += " ";
      if (record->nested != nullptr) {
        out += "[" + Dump(*record->nested) + "]";
        continue;
      }
      DocumentView* frame = DocumentViewOfFrame(*record, &view());
      out += Narrow(record->name) + "=";
      out += frame == &view() ? "self" : std::to_string(frame->GetEmbedding());
    }
    return out;
  }
  std::string Frames() { return Dump(frameset()); }

  // Every view frame below the set is a live child of its set, shows the
  // document, and is marked as a frame view unless it is the window's.
  void ExpectSound(const FramesetElement& set) {
    for (uint32_t i = 0; i < set.FrameCount(); ++i) {
      const FrameRecord* record = set.FrameAt(i);
      ASSERT_TRUE(record->alive.IsWatching());
      EXPECT_EQ(record->element->GetParent(), &set);
      if (record->nested != nullptr) {
        ExpectSound(*record->nested);
        continue;
      }
      DocumentView* frame = DocumentViewOfFrame(*record, &view());
      EXPECT_EQ(frame->GetDocumentSource(), source);
      EXPECT_EQ(frame->IsFrameView(), frame != &view());
    }
  }

  FrameDocumentView* FrameNamed(const std::u16string& name) {
    FrameView* found = frameset().FindFrame(reinterpret_cast<const WCHAR*>(name.data()),
                                            static_cast<uint32_t>(name.size()));
    return found == nullptr || found == static_cast<FrameView*>(&view()) ? nullptr
                                                                         : static_cast<FrameDocumentView*>(found);
  }
  // Paints every frame: the link areas of a page are made by its first
  // paint.
  void PaintFrames() {
    harness.surface.BeginDraw(true);
    for (uint32_t i = 0; i < frameset().FrameCount(); ++i) {
      DocumentView* frame = DocumentViewOfFrame(*frameset().FrameAt(i), &view());
      if (frame != nullptr) frame->Redraw(nullptr);
    }
    harness.surface.EndDraw();
  }

  ViewHarness harness;
  FakeFramesetSource* source = nullptr;
};

TEST_F(BrowserFramesTest, TwoFramesShowTheirNumberedFramesWithTheirNamesAndSizes) {
  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), "left=1 right=2");
  ExpectSound(frameset());
  ASSERT_FALSE(source->asked.empty());
  EXPECT_EQ(source->asked.back(), std::make_pair(-1, view().GetFramePosition()));

  Arrange();
  Rect left, right;
  ASSERT_NE(FrameNamed(u"left"), nullptr);
  ASSERT_NE(FrameNamed(u"right"), nullptr);
  ASSERT_TRUE(FrameNamed(u"left")->GetBounds(&left));
  ASSERT_TRUE(FrameNamed(u"right")->GetBounds(&right));
  EXPECT_EQ(left.y, 0);
  EXPECT_EQ(left.height, 96);  // 30 percent of 320
  EXPECT_EQ(right.y, 96);
  EXPECT_EQ(right.height, 224);
  EXPECT_EQ(left.width, 240);
  EXPECT_EQ(FrameNamed(u"left")->GetDocumentSource(), source);
  EXPECT_NE(FrameNamed(u"left")->GetLayout(), nullptr);
}

TEST_F(BrowserFramesTest, DescriptionsBecomeFramesInEntryOrder) {
  const FrameEntrySpec link{kFrameEntryExtra | kFrameEntryLink, u"link", 5, 1, kRelative, 0, 0x409, {}};
  const FrameEntrySpec extra{kFrameEntryFrame | kFrameEntryExtra, u"extra", 4, 1, kRelative, 0, 0, {}};
  const FrameEntrySpec other{kFrameEntryExtra, u"other", 6, 1, kRelative, 0, 0, {}};
  FrameEntrySpec deepest = Frame(u"f", 1);
  std::string deepFrames = "f=1";
  for (uint32_t i = 0; i < FrameDescription::kMaxDepth; ++i) {
    deepest = Set(u"", {deepest});
    deepFrames = "[" + deepFrames + "]";
  }
  struct Case {
    const char* what;
    std::vector<FrameEntrySpec> entries;
    std::string frames;
  };
  const Case cases[] = {
      {"a duplicate name is dropped", {Frame(u"a", 1), Frame(u"a", 2), Frame(u"b", 3)}, "a=1 b=3"},
      {"frames without a name never clash", {Frame(u"", 1), Frame(u"", 2)}, "=1 =2"},
      {"an entry without a number is the view itself", {Frame(u"main", 0), Frame(u"side", 1)}, "main=self side=1"},
      {"the view shows in one frame only", {Frame(u"m1", 0), Frame(u"m2", 0), Frame(u"s", 1)}, "m1=self s=1"},
      {"a nested set", {Frame(u"x", 1), Set(u"inner", {Frame(u"y", 2), Frame(u"z", 3)})}, "x=1 [y=2 z=3]"},
      {"names clash across nesting", {Frame(u"x", 1), Set(u"inner", {Frame(u"x", 2), Frame(u"w", 3)})},
       "x=1 [w=3]"},
      {"links and other entries are no frames", {link, other, extra, Frame(u"f", 1)}, "extra=4 f=1"},
      {"nothing to show but links: the view alone", {link}, "_main=self"},
      {"sets nested as deep as a page may", {deepest}, deepFrames},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    source->top.children = c.entries;
    view().RunFrameWalk(-1);
    EXPECT_EQ(Frames(), c.frames);
    ExpectSound(frameset());
    EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
  }
}

TEST_F(BrowserFramesTest, APositionWithoutFramesOrADamagedDescriptionShowsTheViewAlone) {
  FrameEntry top;
  top.flags = kFrameEntryBorder | kFrameEntryChildren;
  FrameEntry frame;
  frame.flags = kFrameEntryFrame;
  frame.value = 1;
  FrameEntry nested = top;
  nested.descendants = 1;
  struct Case {
    const char* what;
    std::vector<FrameEntry> raw;
    bool holds;
    bool fails;
  };
  std::vector<FrameEntry> tooFar = {top, frame};
  tooFar[0].descendants = 1;
  tooFar[1].descendants = 5;
  std::vector<FrameEntry> shortTop = {top, frame, frame};
  shortTop[0].descendants = 1;
  std::vector<FrameEntry> deep = {top};
  for (uint32_t i = 0; i <= FrameDescription::kMaxDepth; ++i) deep.push_back(nested);
  deep.push_back(frame);
  for (uint32_t i = 0; i < deep.size(); ++i) deep[i].descendants = static_cast<uint32_t>(deep.size() - i - 1);
  std::vector<FrameEntry> many(FrameDescription::kMaxEntries + 1, frame);
  many[0] = top;
  many[0].descendants = FrameDescription::kMaxEntries;
  const Case cases[] = {
      {"no frames at the position", {}, false, false},
      {"the description cannot be made", {}, true, true},
      {"a child reaching past the list", tooFar, true, false},
      {"a top entry that does not cover the list", shortTop, true, false},
      {"nesting too deep", deep, true, false},
      {"more entries than a page shows", many, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    source->rawEntries.clear();
    source->holdsFrames = true;
    source->failDescription = false;
    ASSERT_TRUE(view().RunFrameWalk(-1));
    ASSERT_EQ(Frames(), "left=1 right=2");
    source->rawEntries = c.raw;
    source->holdsFrames = c.holds;
    source->failDescription = c.fails;
    EXPECT_TRUE(view().RunFrameWalk(-1));
    EXPECT_EQ(Frames(), "_main=self");
    EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
    EXPECT_FALSE(view().IsFrameView());
    // Nothing changes the second time.
    EXPECT_FALSE(view().RunFrameWalk(-1));
    EXPECT_EQ(Frames(), "_main=self");
  }
}

TEST_F(BrowserFramesTest, ASecondWalkReusesTheViewsOfTheSameFrames) {
  ASSERT_TRUE(view().RunFrameWalk(-1));
  FrameDocumentView* left = FrameNamed(u"left");
  FrameDocumentView* right = FrameNamed(u"right");
  const size_t parsers = source->parsersMade.size();

  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), "left=1 right=2");
  EXPECT_EQ(FrameNamed(u"left"), left);
  EXPECT_EQ(FrameNamed(u"right"), right);
  EXPECT_EQ(source->parsersMade.size(), parsers);  // nothing was shown again

  // Frame 2 moves and keeps its view; frame 1 goes; frame 3 is new.
  source->top.children = {Frame(u"top", 2), Frame(u"bottom", 3)};
  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), "top=2 bottom=3");
  EXPECT_EQ(FrameNamed(u"top"), right);
  EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
  ExpectSound(frameset());
}

TEST_F(BrowserFramesTest, AFrameThatCannotBeShownLeavesTheViewAlone) {
  source->failingFrames = {2};
  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), "_main=self");
  EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
  source->failingFrames.clear();
  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), "left=1 right=2");
}

TEST_F(BrowserFramesTest, LackOfMemoryAnywhereInTheWalkLeaksAndDanglesNothing) {
  source->top.children = {Frame(u"a", 1), Frame(u"b", 2), Set(u"n", {Frame(u"c", 3), Frame(u"d", 0)})};
  const std::string whole = "a=1 b=2 [c=3 d=self]";
  bool done = false;
  bool sawFirstFrameOnly = false;
  for (long n = 1; !done && n < 5000; ++n) {
    SCOPED_TRACE(n);
    // From the view alone each time, so that every view is made anew.
    source->holdsFrames = false;
    view().RunFrameWalk(-1);
    source->holdsFrames = true;
    const long injected = devtest::InjectedAllocationFailures();
    {
      devtest::AllocationFailure failure(n);
      view().RunFrameWalk(-1);
    }
    // Past the walk's last allocation nothing failed: the walk is whole.
    done = devtest::InjectedAllocationFailures() == injected;
    const std::string frames = Frames();
    if (done) {
      EXPECT_EQ(frames, whole);
    }
    if (frames == "a=1") sawFirstFrameOnly = true;  // the second add failed
    ExpectSound(frameset());
    EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
    EXPECT_NE(frames, "");
  }
  EXPECT_TRUE(done);
  EXPECT_TRUE(sawFirstFrameOnly);
  // What a failed walk left is replaced cleanly by the next.
  ASSERT_TRUE(view().RunFrameWalk(-1));
  EXPECT_EQ(Frames(), whole);
}

// ---- The focus in frames.

class BrowserFrameFocusTest : public BrowserFramesTest {
 protected:
  void SetUp() override {
    BrowserFramesTest::SetUp();
    ASSERT_TRUE(view().RunFrameWalk(-1));
    Arrange();
    PaintFrames();
    ASSERT_GT(FrameNamed(u"left")->LinkAreaCount(), 0);
    ASSERT_GT(FrameNamed(u"right")->LinkAreaCount(), 0);
  }
  FrameView* Focused() { return frameset().GetFocusedFrameView(); }
  FrameView* AsFrame(FrameDocumentView* view) { return view; }
  std::vector<int32_t> Path() {
    SegmentedTypedArray<int32_t> path;
    std::vector<int32_t> out;
    if (!view().GetFocusPath(&path)) return out;
    for (uint32_t i = 0; i < path.Count(); ++i) out.push_back(path[i]);
    return out;
  }
  void Restore(const std::vector<int32_t>& items) {
    SegmentedTypedArray<int32_t> path;
    for (int32_t item : items) path.Append(item);
    view().SetPendingFocusPath(path);
    EXPECT_EQ(view().GetPendingFocusMode(), BrowserView::kFocusRestorePath);
    view().ExecuteCommand(DocumentView::kCommandPositionShown, 0);
    EXPECT_EQ(view().GetPendingFocusMode(), BrowserView::kFocusNone);
  }
};

TEST_F(BrowserFrameFocusTest, ASavedPathRestoresTheFocusToItsFrameAndLink) {
  EXPECT_TRUE(Path().empty());
  Restore({1, 1});
  EXPECT_EQ(Focused(), AsFrame(FrameNamed(u"right")));
  const std::vector<int32_t> path = Path();
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[0], 1);
  EXPECT_EQ(path[1], FrameNamed(u"right")->GetCurrentLinkIndex());
  // The history entry's record carries the same path.
  SegmentedTypedArray<int32_t> saved;
  ASSERT_TRUE(view().GetFramePath(&saved));
  ASSERT_EQ(saved.Count(), 2u);
  EXPECT_EQ(saved[0], 1);
}

TEST_F(BrowserFrameFocusTest, AHistoryEntryBringsTheFocusBackToItsFrame) {
  Restore({1, 0});
  ASSERT_EQ(Focused(), AsFrame(FrameNamed(u"right")));
  HistoryEntry entry;
  ASSERT_TRUE(view().CaptureState(&entry, true));
  Restore({0, 0});
  ASSERT_EQ(Focused(), AsFrame(FrameNamed(u"left")));

  ASSERT_TRUE(view().RestoreFrameState(&entry));
  EXPECT_EQ(view().GetPendingFocusMode(), BrowserView::kFocusRestorePath);
  view().ExecuteCommand(DocumentView::kCommandPositionShown, 0);
  EXPECT_EQ(Focused(), AsFrame(FrameNamed(u"right")));
}

TEST_F(BrowserFrameFocusTest, APathToAMissingFrameChangesNothing) {
  Restore({0, 0});
  ASSERT_EQ(Focused(), AsFrame(FrameNamed(u"left")));
  const std::vector<int32_t> before = Path();
  const std::vector<std::vector<int32_t>> missing = {{2, 0}, {-1, 0}, {0, 0, 0}, {5}, {}};
  for (const auto& path : missing) {
    Restore(path);
    EXPECT_EQ(Focused(), AsFrame(FrameNamed(u"left")));
    EXPECT_EQ(Path(), before);
  }
}

TEST_F(BrowserFrameFocusTest, MoveKeysGoBetweenFramesBeforePages) {
  // Without a focused frame there is no path: the keys are not taken.
  EXPECT_FALSE(view().HandleMoveCommand(BrowserView::kCommandNextFrameOrPage, true));

  Restore({0, 0});
  FrameDocumentView* left = FrameNamed(u"left");
  FrameDocumentView* right = FrameNamed(u"right");
  const int32_t rightPage = right->GetCurrentPageNumber();
  const int32_t leftPage = left->GetCurrentPageNumber();

  EXPECT_TRUE(view().HandleMoveCommand(BrowserView::kCommandNextFrameOrPage, false));
  EXPECT_EQ(Focused(), AsFrame(right));
  EXPECT_EQ(right->GetCurrentPageNumber(), rightPage);
  EXPECT_EQ(left->GetCurrentPageNumber(), leftPage);

  // From the last frame the key turns that frame's page and asks for the
  // focus to be placed again in the next frame.
  harness.application.Clear();
  EXPECT_TRUE(view().HandleMoveCommand(BrowserView::kCommandNextFrameOrPage, false));
  EXPECT_GT(right->GetCurrentPageNumber(), rightPage);
  EXPECT_EQ(view().GetPendingFocusMode(), BrowserView::kFocusNextFrame);
  const std::vector<int32_t> posted = harness.application.Commands("post");
  EXPECT_NE(std::find(posted.begin(), posted.end(), DocumentView::kCommandPositionShown), posted.end());
  PaintFrames();

  // Back: to the previous frame first.
  EXPECT_TRUE(view().HandleMoveCommand(BrowserView::kCommandPreviousFrameOrPage, false));
  EXPECT_EQ(Focused(), AsFrame(left));
  EXPECT_EQ(left->GetCurrentPageNumber(), leftPage);

  // A key from a frame view's reading text reaches the window's view.
  EXPECT_TRUE(left->HandleMoveCommand(BrowserView::kCommandForwardFrameOrPage, false));
  EXPECT_EQ(Focused(), AsFrame(right));
}

}  // namespace
}  // namespace viewtest
