// The browser view's addresses and link targets: the sink's veto, "http:"
// for the system's browser (exactly that prefix), the names that mean this
// view, and the windows asked for "_blank" with and without the
// application's sink.
#include "platform/system/system_parameters.h"
#include "tests/browser/view/browser_view_fixture.h"

namespace viewtest {
namespace {

Rect HalfWorkArea() {
  RECT area{};
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  return Rect{area.left, area.top, (area.right - area.left) / 2, (area.bottom - area.top) / 2};
}

bool SameRect(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST_F(BrowserViewTest, HttpGoesToTheSystemBrowserOnlyWithTheExactPrefix) {
  struct Case {
    std::u16string text;
    bool systemBrowser;
  } cases[] = {
      {u"http://x", true},
      {u"http:", true},
      {u"HTTP://x", false},
      {u"Http://x", false},
      {u"http", false},
      {u"\\http", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    harness.application.Clear();
    EXPECT_FALSE(view().OpenUrl(W(c.text), true));  // the view shows nothing either way
    EXPECT_EQ(harness.application.Count("system browser"), c.systemBrowser ? 1 : 0);
    if (c.systemBrowser) {
      EXPECT_EQ(harness.application.events.back().text, c.text);
    } else {
      // Taken as a document address: the loader tried it and said so.
      ASSERT_EQ(harness.application.Count("message"), 1);
      EXPECT_EQ(harness.application.events.back().number, DocumentView::kStringCouldNotOpen);
      EXPECT_NE(harness.application.events.back().text.find(c.text), std::u16string::npos);
    }
  }
}

TEST_F(BrowserViewTest, TheSinkCanVetoEveryNavigation) {
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(3))));
  view().SetEventSink(&sink, 7);
  sink.allowNavigation = false;
  harness.application.Clear();
  EXPECT_FALSE(view().OpenUrl(W(u"http://x"), true));
  EXPECT_FALSE(view().OpenUrl(W(u"\\one.prc#2"), false));
  EXPECT_EQ(harness.application.Count("system browser"), 0);
  ASSERT_EQ(sink.Count("navigation"), 2);
  EXPECT_EQ(sink.calls[0].context, 7);
  EXPECT_EQ(sink.calls[0].text, u"http://x");
  EXPECT_EQ(sink.calls[0].number, 1);  // absolute
  EXPECT_EQ(sink.calls[1].number, 0);

  sink.allowNavigation = true;
  EXPECT_FALSE(view().OpenUrl(W(u"http://x"), true));
  EXPECT_EQ(harness.application.Count("system browser"), 1);
}

TEST_F(BrowserViewTest, TargetNamesOfThisViewAndOfNone) {
  struct Case {
    std::u16string target;
    bool self;
  } cases[] = {{u"", true}, {u"_self", true}, {u"_top", true}, {u"_blank", false},
               {u"_SELF", false}, {u"other", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target.begin(), c.target.end()));
    EXPECT_EQ(view().FindTargetView(W(c.target)), c.self ? &view() : nullptr);
  }
}

TEST_F(BrowserViewTest, SelfTargetsOpenInThisViewResolvedAgainstItsDocument) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\two.prc", MarkupBook(NumberedParagraphs(2), "Two")));
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(2), "One")));
  view().SetEventSink(&sink, 0);
  for (const char16_t* target : {u"_self", u"", u"_top"}) {
    EXPECT_TRUE(view().OpenUrlInTarget(W(u"two.prc"), W(target), Rect()));
  }
  EXPECT_EQ(S(view().GetLocation().url.text).find(u"two.prc") != std::u16string::npos, true);
  EXPECT_EQ(sink.Count("open window"), 0);
  // An "http:" address in a target reaches the system's browser unchanged.
  harness.application.Clear();
  EXPECT_FALSE(view().OpenUrlInTarget(W(u"http://x/a"), W(u"_self"), Rect()));
  ASSERT_EQ(harness.application.Count("system browser"), 1);
  EXPECT_EQ(harness.application.events.back().text, u"http://x/a");
}

TEST_F(BrowserViewTest, BlankUnderTheApplicationsSinkOpensNothing) {
  view().SetEventSink(&sink, 3);
  view().SetFrameSetController(&frameSets);
  EXPECT_FALSE(view().OpenUrlInTarget(W(u"\\one.prc"), W(u"_blank"), Rect()));
  ASSERT_EQ(sink.Count("open window"), 1);
  const RecordingEventSink::Call& call = sink.calls.back();
  EXPECT_EQ(call.text, u"_blank");
  EXPECT_EQ(call.context, 3);
  EXPECT_EQ(call.number, 1);  // flag 0, from an open
  EXPECT_TRUE(SameRect(call.rect, HalfWorkArea()));
  EXPECT_TRUE(frameSets.targets.empty());  // the sink decides alone
  EXPECT_EQ(harness.application.Count("execute"), 0);
}

TEST_F(BrowserViewTest, WithoutASinkTheFrameSetControllerIsAsked) {
  view().SetFrameSetController(&frameSets);
  const Rect given{10, 20, 100, 50};
  EXPECT_EQ(view().CreateTargetView(W(u"news"), given, 4, 0), nullptr);
  EXPECT_FALSE(view().OpenUrlInTarget(W(u"x.txt"), W(u"_blank"), Rect{5, 5, 0, 10}));
  ASSERT_EQ(frameSets.targets.size(), 2u);
  EXPECT_EQ(frameSets.targets[0], u"news");
  EXPECT_TRUE(SameRect(frameSets.rects[0], given));
  EXPECT_EQ(frameSets.flags[0], 40);
  EXPECT_EQ(frameSets.targets[1], u"_blank");
  EXPECT_TRUE(SameRect(frameSets.rects[1], HalfWorkArea()));  // an empty rectangle is a missing one

  // Neither sink nor controller: no window, and the open answers 0.
  view().SetFrameSetController(nullptr);
  EXPECT_FALSE(view().OpenUrlInTarget(W(u"x.txt"), W(u"_blank"), Rect()));
}


TEST(BrowserViewArrange, SlotsCutTheWorkAreaEquallyAndStayInsideIt) {
  const Rect area{0, 26, 240, 269};
  struct Case {
    uint32_t slots;
    bool vertical;
    std::vector<Rect> expected;
  } cases[] = {
      {2, true, {{0, 26, 240, 134}, {0, 160, 240, 134}}},
      {2, false, {{0, 26, 120, 269}, {120, 26, 120, 269}}},
      {3, false, {{0, 26, 80, 269}, {80, 26, 80, 269}, {160, 26, 80, 269}}},
      {1, true, {{0, 26, 240, 269}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slots * 10 + (c.vertical ? 1 : 0));
    for (uint32_t i = 0; i < c.slots; ++i) {
      const Rect slot = BrowserView::ArrangeSlot(area, c.slots, i, c.vertical);
      EXPECT_TRUE(SameRect(slot, c.expected[i])) << i;
      EXPECT_TRUE(Rect::ContainsRect(slot, area)) << i;
    }
  }
}

}  // namespace
}  // namespace viewtest
