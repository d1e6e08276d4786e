// The browser view's page events told to the application's event sink, the
// report of a shown document to the controller, and the sink's gates before
// a page event's script and a selection report.
#include "layout/reading/page_element.h"
#include "tests/browser/view/browser_view_fixture.h"

namespace viewtest {
namespace {

TEST_F(BrowserViewTest, PageEventsReachTheSinkWithItsContext) {
  view().SetEventSink(&sink, 9);
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(60))));
  ASSERT_FALSE(sink.calls.empty());
  EXPECT_EQ(sink.calls.front().what, "navigation");
  EXPECT_EQ(sink.Count("shown"), 1);
  EXPECT_EQ(sink.Count("finished"), 1);
  for (const RecordingEventSink::Call& call : sink.calls) EXPECT_EQ(call.context, 9) << call.what;

  sink.calls.clear();
  ASSERT_TRUE(view().GoToPageRelative(2, 1, 255));
  ASSERT_EQ(sink.Count("page"), 1);
  EXPECT_EQ(sink.calls.back().number, view().GetCurrentPageNumber());
  EXPECT_GT(sink.calls.back().number, 1);

  view().OnNavigationStarting();
  EXPECT_EQ(sink.calls.back().what, "starting");
  EXPECT_EQ(view().GetFramePosition(), -1);
}

TEST_F(BrowserViewTest, AShownDocumentIsReportedOnceAndRepaintedInFull) {
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(60))));
  ASSERT_EQ(harness.application.Count("shown"), 1);
  EXPECT_EQ(harness.application.Commands("shown").front(), DocumentView::kElementReadingText);
  EXPECT_TRUE(view().WasLastInvalidationFull());
  // The frames were looked for at the focused element's source position.
  ASSERT_NE(view().GetFocusedElement(), nullptr);
  EXPECT_EQ(view().GetFramePosition(), view().GetTextControl()->GetSourceIndex());

  // Turning a page shows no new document.
  ASSERT_TRUE(view().GoToPageRelative(2, 1, 255));
  EXPECT_EQ(harness.application.Count("shown"), 1);
}

TEST_F(BrowserViewTest, TheSinkSeesPageEventsAndSelectionsFirst) {
  // Without a sink nothing is asked.
  SharedWideString result;
  view().DispatchWidgetEvent(nullptr, SharedWideString(u"1"), Point{0, 0}, &result);
  view().OnSelectionChanged(Point{1, 1});

  view().SetEventSink(&sink, 2);
  sink.allowScriptEvents = false;
  EXPECT_FALSE(view().DispatchWidgetEvent(nullptr, SharedWideString(u"x = 1"), Point{3, 4}, &result));
  ASSERT_EQ(sink.Count("script event"), 1);
  EXPECT_EQ(sink.calls.back().text, u"x = 1");
  // The dropped event ran nothing: the view kept no event point.
  EXPECT_EQ(view().GetEventPoint().x, 0);

  // No selection: the sink is told of an empty one.
  sink.allowSelection = false;
  view().OnSelectionChanged(Point{1, 1});
  ASSERT_EQ(sink.Count("selection"), 1);
  EXPECT_EQ(sink.calls.back().text, u"");
  EXPECT_EQ(sink.calls.back().number, 0);
  EXPECT_EQ(harness.application.Count("selection"), 0);

  // The handler's question goes to the sink, and its answer comes back.
  sink.askAnswer = 5;
  EXPECT_EQ(view().AskSelectionHandler(112), 5);
  EXPECT_EQ(sink.calls.back().what, "ask");
  EXPECT_EQ(sink.calls.back().number, 112);
  view().SetEventSink(nullptr, 0);
  EXPECT_EQ(view().AskSelectionHandler(112), 0);
}

}  // namespace
}  // namespace viewtest
