// A frameset's frames: adding and removing them (with the owner's reports),
// arranging them in rows and columns, finding a view by name, and moving
// the focus from frame to frame through nested framesets.
#include "layout/frames/frameset_element.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/layout/elements/test_elements.h"

namespace {

using Log = std::vector<std::string>;

// A document view as the frameset sees it: it logs what it is asked and
// answers what the test sets.
class FakeView : public UIElement, public FrameView {
 public:
  FakeView(std::string name, Log* log, bool focusable = true)
      : name_(std::move(name)), log_(log), focusable_(focusable) {}

  UIElement* FrameElement() override { return this; }
  bool CanTakeFocus() override { return focusable_; }
  void FocusEdgeItem(bool first) override { Record(first ? "first" : "last"); }
  int32_t GetContentLength(bool rows, int32_t across) override {
    Record(std::string(rows ? "measure rows " : "measure columns ") + std::to_string(across));
    return contentLength;
  }
  void NotifyFrame(intptr_t argument) override { Record("notify " + std::to_string(argument)); }

  bool HitTest(Point) override { return false; }
  void Arrange(Rect* remaining, const Rect& rect) override {
    arranged = rect;
    *remaining = rect;
  }
  int32_t GetLayer() override { return 0; }

  Rect arranged{-1, -1, -1, -1};
  int32_t contentLength = 0;

 private:
  void Record(const std::string& what) { log_->push_back(name_ + ":" + what); }
  std::string name_;
  Log* log_;
  bool focusable_;
};

SharedWideString Name(const char16_t* text) { return SharedWideString(text); }

// Logs every report; deletes the views it is told of when asked to, as
// the browser does with the views of a frameset it takes down.
class RecordingOwner : public FrameOwner {
 public:
  void OnFrameRemoved(const FrameRecord& record, UIElement* element, bool nested) override {
    std::string name(record.name.Chars(), record.name.Chars() + record.name.length);
    reports.push_back(name + (nested ? " nested" : "") + (element->GetParent() == nullptr ? " detached" : ""));
    if (deleteViews && !nested) delete element;
  }
  std::vector<std::string> reports;
  bool deleteViews = false;
};

constexpr uint32_t kPercent = kFrameSizePercent, kPixels = kFrameSizePixels, kUnits = kFrameSizeUnits,
                   kShare = kFrameSizeRelative;

TEST(Frameset, AddFrameMakesTheViewAChildAndRefusesItTwice) {
  Log log;
  FakeView a("a", &log), b("b", &log);
  FramesetElement frameset;
  EXPECT_TRUE(frameset.AddFrame(&a, Name(u"a"), {1, kShare}, 0));
  EXPECT_TRUE(frameset.AddFrame(&b, Name(u"b"), {20, kPixels}, kFrameNoReport | kFrameNested));
  EXPECT_FALSE(frameset.AddFrame(&a, Name(u"again"), {1, kShare}, 0));
  EXPECT_FALSE(frameset.AddFrame(nullptr, Name(u"none"), {1, kShare}, 0));
  EXPECT_FALSE(frameset.AddFrameset(&frameset, Name(u"self"), {1, kShare}, 0));
  ASSERT_EQ(frameset.FrameCount(), 2u);
  EXPECT_EQ(a.GetParent(), &frameset);
  EXPECT_EQ(frameset.ChildCount(), 2u);
  // A view frame cannot claim to be a nested frameset.
  EXPECT_EQ(frameset.FrameAt(1)->flags, kFrameNoReport);
  EXPECT_EQ(frameset.FrameAt(1)->size.value, 20);
  EXPECT_EQ(frameset.FrameAt(2), nullptr);
}

TEST(Frameset, ArrangesRowsAndColumnsAsTheirSizesSay) {
  Log log;
  FakeView a("a", &log), b("b", &log), c("c", &log);
  FramesetElement frameset;
  ASSERT_TRUE(frameset.AddFrame(&a, Name(u"a"), {30, kPercent}, 0));
  ASSERT_TRUE(frameset.AddFrame(&b, Name(u"b"), {1, kShare}, 0));
  ASSERT_TRUE(frameset.AddFrame(&c, Name(u"c"), {2, kShare}, 0));
  Rect remaining;
  frameset.Arrange(&remaining, Rect{10, 20, 200, 300});
  EXPECT_EQ(a.arranged, (Rect{10, 20, 200, 90}));
  EXPECT_EQ(b.arranged, (Rect{10, 110, 200, 70}));
  EXPECT_EQ(c.arranged, (Rect{10, 180, 200, 140}));
  EXPECT_EQ(remaining.height, 0);
  EXPECT_EQ(frameset.ArrangedRect(), (Rect{10, 20, 200, 300}));

  frameset.SetRows(false);
  frameset.Relayout();  // in the rectangle last arranged
  EXPECT_EQ(a.arranged, (Rect{10, 20, 60, 300}));
  EXPECT_EQ(b.arranged, (Rect{70, 20, 46, 300}));
  EXPECT_EQ(c.arranged, (Rect{116, 20, 94, 300}));
}

TEST(Frameset, FramesSizedByContentTakeWhatTheirViewAsksAndNestedOnesTakeTheUnit) {
  Log log;
  FakeView header("header", &log), body("body", &log), left("left", &log), right("right", &log);
  header.contentLength = 45;
  FramesetElement outer, inner;
  inner.SetRows(false);
  outer.SetUnit(6);
  ASSERT_TRUE(outer.AddFrame(&header, Name(u"header"), {1, kShare}, kFrameSizedByContent));
  ASSERT_TRUE(outer.AddFrameset(&inner, Name(u"inner"), {1, kShare}, kFrameSizedByContent));
  ASSERT_TRUE(outer.AddFrame(&body, Name(u"body"), {100, kPixels}, 0));
  ASSERT_TRUE(inner.AddFrame(&left, Name(u"left"), {10, kUnits}, 0));
  ASSERT_TRUE(inner.AddFrame(&right, Name(u"right"), {1, kShare}, 0));
  Rect remaining;
  outer.Arrange(&remaining, Rect{0, 0, 240, 301});
  EXPECT_EQ(log, (Log{"header:measure rows 240"}));
  EXPECT_EQ(header.arranged, (Rect{0, 0, 240, 45}));
  EXPECT_EQ(inner.ArrangedRect(), (Rect{0, 45, 240, 156}));
  EXPECT_EQ(body.arranged, (Rect{0, 201, 240, 100}));
  EXPECT_EQ(inner.Unit(), 6);
  EXPECT_EQ(left.arranged, (Rect{0, 45, 60, 156}));
  EXPECT_EQ(right.arranged, (Rect{60, 45, 180, 156}));
  EXPECT_EQ(outer.FrameAt(0)->size.kind, kPixels);

  // The view is asked again at every arrangement; a negative answer
  // counts as nothing.
  header.contentLength = -30;
  outer.Relayout();
  EXPECT_EQ(header.arranged.height, 0);
  EXPECT_EQ(inner.ArrangedRect(), (Rect{0, 0, 240, 201}));
}

TEST(Frameset, ManyFramesAreArrangedToo) {
  Log log;
  std::vector<std::unique_ptr<FakeView>> views;
  FramesetElement frameset;
  for (int i = 0; i < 20; ++i) {
    views.push_back(std::make_unique<FakeView>("v", &log));
    ASSERT_TRUE(frameset.AddFrame(views.back().get(), Name(u"v"), {1, kShare}, 0));
  }
  Rect remaining;
  frameset.Arrange(&remaining, Rect{0, 0, 100, 200});
  EXPECT_EQ(views[19]->arranged, (Rect{0, 190, 100, 10}));
}

TEST(Frameset, RemoveAllFramesDetachesViewsEmptiesNestedFramesetsAndReports) {
  Log log;
  auto* a = new FakeView("a", &log);
  auto* b = new FakeView("b", &log);
  FakeView quiet("quiet", &log);
  FramesetElement outer, inner;
  RecordingOwner owner, innerOwner;
  owner.deleteViews = true;
  innerOwner.deleteViews = true;
  outer.SetOwner(&owner);
  inner.SetOwner(&innerOwner);
  ASSERT_TRUE(outer.AddFrame(a, Name(u"a"), {1, kShare}, 0));
  ASSERT_TRUE(outer.AddFrameset(&inner, Name(u"inner"), {1, kShare}, 0));
  ASSERT_TRUE(outer.AddFrame(&quiet, Name(u"quiet"), {1, kShare}, kFrameNoReport));
  ASSERT_TRUE(inner.AddFrame(b, Name(u"b"), {1, kShare}, 0));

  outer.RemoveAllFrames();
  // Reports come after every frame was taken down; the nested frameset
  // reported its own view to its own owner.
  EXPECT_EQ(owner.reports, (std::vector<std::string>{"a detached", "inner nested"}));
  EXPECT_EQ(innerOwner.reports, (std::vector<std::string>{"b detached"}));
  EXPECT_EQ(outer.FrameCount(), 0u);
  EXPECT_EQ(inner.FrameCount(), 0u);
  EXPECT_EQ(inner.GetParent(), &outer);
  EXPECT_EQ(quiet.GetParent(), nullptr);
  EXPECT_EQ(outer.ChildCount(), 1u);

  // The frameset can be filled again, and its destructor empties it.
  RecordingOwner later;
  {
    FramesetElement again;
    again.SetOwner(&later);
    ASSERT_TRUE(again.AddFrame(&quiet, Name(u"quiet"), {1, kShare}, 0));
  }
  EXPECT_EQ(later.reports, (std::vector<std::string>{"quiet detached"}));
  EXPECT_EQ(quiet.GetParent(), nullptr);
}

TEST(Frameset, FindsAViewByNameDepthFirst) {
  Log log;
  FakeView a("a", &log), b("b", &log), c1("c1", &log), c2("c2", &log);
  FramesetElement outer, inner;
  ASSERT_TRUE(outer.AddFrame(&a, Name(u"a"), {1, kShare}, 0));
  ASSERT_TRUE(outer.AddFrameset(&inner, Name(u"inner"), {1, kShare}, 0));
  ASSERT_TRUE(outer.AddFrame(&c2, Name(u"c"), {1, kShare}, 0));
  ASSERT_TRUE(inner.AddFrame(&b, Name(u"b"), {1, kShare}, 0));
  ASSERT_TRUE(inner.AddFrame(&c1, Name(u"c"), {1, kShare}, 0));
  EXPECT_EQ(outer.FindFrame(u"c", 1), &c1);
  EXPECT_EQ(outer.FindFrame(u"b", 1), &b);
  EXPECT_EQ(outer.FindFrame(u"inner", 5), nullptr);  // a frameset is not a view
  EXPECT_EQ(outer.FindFrame(u"ab", 2), nullptr);
  EXPECT_EQ(outer.FindFrame(nullptr, 0), nullptr);
  EXPECT_TRUE(outer.ContainsFrame(&c1));
  EXPECT_FALSE(outer.ContainsFrame(&inner));
  EXPECT_FALSE(inner.ContainsFrame(&a));
}

TEST(Frameset, AFrameWhoseElementWasDestroyedIsSkipped) {
  Log log;
  FakeView kept("kept", &log);
  RecordingOwner owner;
  FramesetElement frameset;
  frameset.SetOwner(&owner);
  auto* gone = new FakeView("gone", &log);
  auto* nested = new FramesetElement;
  ASSERT_TRUE(frameset.AddFrame(gone, Name(u"gone"), {1, kShare}, 0));
  ASSERT_TRUE(frameset.AddFrameset(nested, Name(u"nested"), {1, kShare}, 0));
  ASSERT_TRUE(frameset.AddFrame(&kept, Name(u"kept"), {1, kShare}, 0));
  delete gone;
  delete nested;
  Rect remaining;
  frameset.Arrange(&remaining, Rect{0, 0, 100, 90});
  EXPECT_EQ(kept.arranged, (Rect{0, 0, 100, 90}));
  frameset.NotifyFrames(1);
  EXPECT_EQ(frameset.CountFocusableFrames(), 1u);
  EXPECT_EQ(frameset.FindFrame(u"gone", 4), nullptr);
  frameset.RemoveAllFrames();
  EXPECT_EQ(owner.reports, (std::vector<std::string>{"kept detached"}));
  EXPECT_EQ(log, (Log{"kept:notify 1"}));
}

// A window's focus scope holding outer = [v1, inner = [v2 (nothing to
// focus), v3], v4].
class FramesetFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(outer.SetParent(&root));
    ASSERT_TRUE(outer.AddFrame(&v1, Name(u"v1"), {1, kShare}, 0));
    ASSERT_TRUE(outer.AddFrameset(&inner, Name(u"inner"), {1, kShare}, 0));
    ASSERT_TRUE(outer.AddFrame(&v4, Name(u"v4"), {1, kShare}, 0));
    ASSERT_TRUE(inner.AddFrame(&v2, Name(u"v2"), {1, kShare}, 0));
    ASSERT_TRUE(inner.AddFrame(&v3, Name(u"v3"), {1, kShare}, 0));
  }
  void TearDown() override {
    outer.RemoveAllFrames();
    outer.SetParent(nullptr);
  }
  // Moves the focus and answers which view got it and which item it made
  // current ("none" when the move failed).
  std::string Step(bool forward, bool restart) {
    log.clear();
    if (!outer.FocusNextFrame(forward, restart)) return "none";
    EXPECT_EQ(log.size(), 1u);
    return log.empty() ? "" : log.back();
  }

  Log log;
  elementtest::TestScope root;
  FramesetElement outer, inner;
  FakeView v1{"v1", &log}, v2{"v2", &log, false}, v3{"v3", &log}, v4{"v4", &log};
};

TEST_F(FramesetFocus, StepsForwardAndBackThroughNestedFramesets) {
  EXPECT_EQ(outer.GetFocusedFrameView(), nullptr);
  EXPECT_EQ(Step(true, false), "v1:first");  // nothing focused: from the first
  EXPECT_TRUE(v1.HasFocus());
  EXPECT_EQ(outer.GetFocusedFrameView(), &v1);
  EXPECT_EQ(Step(true, false), "v3:first");  // v2 has nothing to focus
  EXPECT_EQ(outer.GetFocusedFrameView(), &v3);
  EXPECT_EQ(inner.GetFocusedFrameView(), &v3);
  EXPECT_EQ(Step(true, false), "v4:first");
  EXPECT_EQ(Step(true, false), "none");
  EXPECT_EQ(outer.GetFocusedFrameView(), &v4);
  EXPECT_EQ(Step(true, true), "v1:first");

  EXPECT_EQ(Step(false, true), "v4:last");
  EXPECT_EQ(Step(false, false), "v3:last");
  EXPECT_EQ(Step(false, false), "v1:last");
  EXPECT_EQ(Step(false, false), "none");
  EXPECT_EQ(inner.GetFocusedFrameView(), nullptr);
}

TEST_F(FramesetFocus, FollowsTheFocusTheViewsTakeThemselves) {
  v3.TakeFocus();  // the reader taps a frame
  EXPECT_EQ(outer.GetFocusedFrameView(), &v3);
  EXPECT_EQ(Step(false, false), "v1:last");
  EXPECT_EQ(inner.GetFocusedFrameView(), nullptr);
  // The scope gives the focus back to the view that had it before.
  v1.DropFocus();
  EXPECT_EQ(outer.GetFocusedFrameView(), &v3);
  v3.DropFocus();
  EXPECT_EQ(outer.GetFocusedFrameView(), nullptr);
  EXPECT_EQ(Step(false, false), "v4:last");  // nothing focused: from the last
}

TEST_F(FramesetFocus, CountsAndNotifiesTheViewsBelow) {
  EXPECT_EQ(outer.CountFocusableFrames(), 3u);
  EXPECT_EQ(inner.CountFocusableFrames(), 1u);
  outer.NotifyFrames(7);
  EXPECT_EQ(log, (Log{"v1:notify 7", "v2:notify 7", "v3:notify 7", "v4:notify 7"}));
}

TEST_F(FramesetFocus, NoFocusableFrameMeansNoMove) {
  FramesetElement empty;
  ASSERT_TRUE(empty.SetParent(&root));
  EXPECT_FALSE(empty.FocusNextFrame(true, true));
  FakeView blank("blank", &log, false);
  ASSERT_TRUE(empty.AddFrame(&blank, Name(u"blank"), {1, kShare}, 0));
  EXPECT_FALSE(empty.FocusNextFrame(false, true));
  EXPECT_EQ(empty.CountFocusableFrames(), 0u);
  empty.RemoveAllFrames();
  empty.SetParent(nullptr);
}

}  // namespace
