// The element tree: layers and paint order, hit priority, capture routing,
// command order with handlers that come and go during the dispatch, focus
// with a retaining pop-up, elements destroyed inside their own callbacks,
// and child paths.
#include <gtest/gtest.h>

#include <memory>

#include "tests/layout/elements/test_elements.h"

namespace {

using elementtest::Log;
using elementtest::TestLeaf;
using elementtest::TestScope;

TEST(ElementTree, EqualLayersPaintNewestFirstAndHitTestItLast) {
  Log log;
  TestScope root;
  TestLeaf older("older", &log, 5), newer("newer", &log, 5), high("high", &log, 9);
  ASSERT_TRUE(older.SetParent(&root));
  ASSERT_TRUE(newer.SetParent(&root));
  ASSERT_TRUE(high.SetParent(&root));
  root.Paint(Rect{0, 0, 10, 10}, 0);
  EXPECT_EQ(log, (Log{"high:paint", "newer:paint", "older:paint"}));

  older.hitAll = newer.hitAll = true;
  UIElement* child = nullptr;
  ASSERT_TRUE(root.FindInputChild(Point{1, 1}, &child, false));
  EXPECT_EQ(child, &older);  // on top of its equal-layer sibling
}

// A child inserted straight into a container knows its parent, leaves the
// list when destroyed, and leaves its old container when moved.
TEST(ElementTree, InsertedChildKnowsItsParent) {
  TestScope first, second;
  {
    TestLeaf leaf("leaf", nullptr);
    ASSERT_TRUE(first.InsertChild(&leaf));
    EXPECT_EQ(leaf.GetParent(), &first);
    ASSERT_TRUE(first.InsertChild(&leaf));  // again: still one entry
    EXPECT_EQ(first.IndexOfChild(&leaf), 0);
    ASSERT_TRUE(second.InsertChild(&leaf));
    EXPECT_EQ(leaf.GetParent(), &second);
    EXPECT_EQ(first.IndexOfChild(&leaf), -1);
  }
  EXPECT_EQ(second.ChildCount(), 0u);
  EXPECT_FALSE(second.InsertChild(nullptr));
}

TEST(ElementTree, RaisedHitPriorityBeatsStackingOrder) {
  TestScope root;
  TestLeaf below("below", nullptr, 9), above("above", nullptr, 1);
  below.SetParent(&root);
  above.SetParent(&root);
  below.hitAll = above.hitAll = true;
  below.priority = -127;
  UIElement* child = nullptr;
  ASSERT_TRUE(root.FindInputChild(Point{0, 0}, &child, false));
  EXPECT_EQ(child, &below);
}

TEST(ElementTree, CapturedChildGetsEveryPointerEvent) {
  Log log;
  TestScope root;
  TestLeaf a("a", &log), b("b", &log);
  a.SetParent(&root);
  b.SetParent(&root);
  a.hit = Rect{0, 0, 10, 10};
  b.hit = Rect{20, 0, 10, 10};
  a.CaptureInput(false);
  EXPECT_TRUE(a.HoldsCapture());
  EXPECT_TRUE(root.CaptureActive());
  log.clear();
  EXPECT_TRUE(root.OnPointerDown(Point{25, 5}));   // over b
  EXPECT_TRUE(root.OnPointerUp(Point{500, 500}));  // over nothing
  EXPECT_EQ(log, (Log{"a:down", "a:up"}));
  a.ReleaseInput(true);
  EXPECT_FALSE(a.HoldsCapture());
  EXPECT_FALSE(root.CaptureActive());
  log.clear();
  root.OnPointerDown(Point{25, 5});
  EXPECT_EQ(log.back(), "b:down");
}

TEST(ElementTree, CommandHandlersAreAskedByPriorityAndMove) {
  Log log;
  TestScope root;
  TestLeaf first5("first5", &log), one("one", &log), second5("second5", &log), last("last", &log);
  for (TestLeaf* e : {&first5, &one, &second5, &last}) e->SetParent(&root);
  first5.RegisterCommandHandler(5);
  one.RegisterCommandHandler(1);
  second5.RegisterCommandHandler(5);
  last.RegisterCommandHandler(UIContainer::kAppendPriority);
  root.HandleCommand(CommandEvent{});
  EXPECT_EQ(log, (Log{"last:command", "second5:command", "first5:command", "one:command"}));

  log.clear();
  one.RegisterCommandHandler(300);  // moves above everything
  root.HandleCommand(CommandEvent{});
  EXPECT_EQ(log.front(), "one:command");
  EXPECT_EQ(root.CommandHandlerCount(), 4u);
}

TEST(ElementTree, HandlersRemovedDuringDispatchAreNeitherSkippedNorRepeated) {
  // Each case: which handler acts, and which handlers it removes.
  struct Case {
    int actor;
    std::vector<int> removes;
    Log expected;
  };
  const Case cases[] = {
      {3, {3, 1}, {"h3:command", "h2:command", "h0:command"}},
      {2, {2, 0}, {"h3:command", "h2:command", "h1:command"}},
      {2, {3}, {"h3:command", "h2:command", "h1:command", "h0:command"}},
      {1, {1, 0, 2, 3}, {"h3:command", "h2:command", "h1:command"}},
  };
  for (const Case& c : cases) {
    Log log;
    TestScope root;
    std::vector<std::unique_ptr<TestLeaf>> h;
    for (int i = 0; i < 4; ++i) {
      h.push_back(std::make_unique<TestLeaf>("h" + std::to_string(i), &log));
      h[i]->SetParent(&root);
      h[i]->RegisterCommandHandler(i);
    }
    h[c.actor]->onCommand = [&](const CommandEvent&) {
      for (int r : c.removes) h[r]->UnregisterCommandHandler();
      return false;
    };
    EXPECT_FALSE(root.HandleCommand(CommandEvent{}));
    EXPECT_EQ(log, c.expected) << "actor " << c.actor;
  }
}

TEST(ElementTree, FocusedChainClimbsToTheScope) {
  Log log;
  TestScope root;
  TestScope group;
  group.scope = false;
  TestLeaf leaf("leaf", &log);
  group.SetParent(&root);
  leaf.SetParent(&group);
  leaf.TakeFocus();
  EXPECT_TRUE(leaf.HasFocus());
  EXPECT_EQ(root.FocusedElement(), &leaf);
  EXPECT_EQ(group.FindFocusedElement(), &leaf);
  log.clear();
  EXPECT_FALSE(root.HandleCommand(CommandEvent{}));
  EXPECT_EQ(log, (Log{"leaf:command"}));
  leaf.handles = true;
  EXPECT_TRUE(root.HandleCommand(CommandEvent{}));
}

TEST(ElementTree, RetainingPopupKeepsTheFocusAndGivesItBackWhenItGoes) {
  Log log;
  TestScope root;
  TestLeaf page("page", &log), popup("popup", &log), other("other", &log);
  for (TestLeaf* e : {&page, &popup, &other}) e->SetParent(&root);
  page.TakeFocus();
  popup.retains = true;
  popup.TakeFocus();
  EXPECT_TRUE(popup.HasFocus());
  EXPECT_FALSE(page.HasFocus());

  other.TakeFocus();  // the pop-up keeps it
  EXPECT_TRUE(popup.HasFocus());
  EXPECT_FALSE(other.HasFocus());
  EXPECT_EQ(root.FocusedElement(), &popup);

  popup.retains = false;
  popup.DropFocus();  // the element remembered meanwhile gets it back
  EXPECT_TRUE(other.HasFocus());
}

TEST(ElementTree, RemovedFocusedElementHandsTheFocusBack) {
  TestScope root;
  TestLeaf page("page", nullptr);
  page.SetParent(&root);
  page.TakeFocus();
  {
    TestLeaf dialog("dialog", nullptr);
    dialog.SetParent(&root);
    dialog.TakeFocus();
    EXPECT_FALSE(page.HasFocus());
  }
  EXPECT_TRUE(page.HasFocus());
  EXPECT_EQ(root.FocusedElement(), &page);
}

TEST(ElementTree, ElementDestroyedInsideNotifyStopsTheWalk) {
  Log log;
  auto root = std::make_unique<TestScope>();
  TestLeaf a("a", &log), b("b", &log);
  a.SetParent(root.get());
  b.SetParent(root.get());
  // b comes first in the list (same layer, newer first); it destroys the
  // container.
  b.onNotify = [&] { root.reset(); };
  TestScope* raw = root.get();
  raw->Notify(1);
  EXPECT_EQ(log, (Log{"b:notify"}));
  EXPECT_EQ(a.GetParent(), nullptr);
}

TEST(ElementTree, BroadcastSurvivesSelfAndSiblingRemoval) {
  Log log;
  TestScope root;
  auto a = std::make_unique<TestLeaf>("a", &log);
  auto b = std::make_unique<TestLeaf>("b", &log);
  auto c = std::make_unique<TestLeaf>("c", &log);
  c->SetParent(&root);
  b->SetParent(&root);
  a->SetParent(&root);  // list: a, b, c
  a->onBroadcast = [&] { a.reset(); };
  b->onBroadcast = [&] { c.reset(); };
  root.Broadcast(7);
  EXPECT_EQ(log, (Log{"a:broadcast", "b:broadcast"}));
  EXPECT_EQ(root.ChildCount(), 1u);

  // The container itself destroyed by a child ends the walk.
  log.clear();
  auto owner = std::make_unique<TestScope>();
  TestLeaf x("x", &log), y("y", &log);
  y.SetParent(owner.get());
  x.SetParent(owner.get());
  x.onBroadcast = [&] { owner.reset(); };
  TestScope* raw = owner.get();
  raw->Broadcast(1);
  EXPECT_EQ(log, (Log{"x:broadcast"}));
}

TEST(ElementTree, ElementDestroyedInsideHandleCommandStopsTheClimb) {
  Log log;
  TestScope root;
  TestScope group;
  group.scope = false;
  group.SetParent(&root);
  auto leaf = std::make_unique<TestLeaf>("leaf", &log);
  leaf->SetParent(&group);
  leaf->TakeFocus();
  leaf->onCommand = [&](const CommandEvent&) {
    leaf.reset();
    return false;
  };
  log.clear();
  EXPECT_FALSE(root.HandleCommand(CommandEvent{}));
  EXPECT_EQ(log, (Log{"leaf:command"}));
  EXPECT_EQ(root.FocusedElement(), nullptr);
}

TEST(ElementTree, ChildPathsRoundTrip) {
  TestScope root;
  TestScope mid;
  TestLeaf a("a", nullptr), b("b", nullptr), deep("deep", nullptr, 3);
  a.SetParent(&root);
  mid.SetParent(&root);
  b.SetParent(&mid);
  deep.SetParent(&mid);
  SegmentedArray path(sizeof(int32_t));
  ASSERT_TRUE(UIElement::GetChildPath(&root, &path, &b));
  EXPECT_EQ(path.count, 2u);
  EXPECT_EQ(root.ResolveChildPath(path), &b);
  ASSERT_TRUE(UIElement::GetChildPath(&root, &path, &root));
  EXPECT_EQ(root.ResolveChildPath(path), &root);

  TestLeaf stray("stray", nullptr);
  EXPECT_FALSE(UIElement::GetChildPath(&root, &path, &stray));
  int32_t bad[2] = {1, 7};
  path.Clear();
  path.InsertAt(0, bad, 2);
  EXPECT_EQ(root.ResolveChildPath(path), nullptr);
}

TEST(ElementTree, TransformsComposeUpToTheAncestor) {
  class Shifted : public TestScope {
   public:
    void GetTransform(Transform* out, bool) override { out->SetTranslation(Point{10, 20}); }
  };
  Shifted outer;
  Shifted inner;
  TestLeaf leaf("leaf", nullptr);
  inner.SetParent(&outer);
  leaf.SetParent(&inner);
  Point p;
  leaf.MapPoint(&p, false, true, &outer, Point{1, 2}, true);
  EXPECT_EQ(p, (Point{11, 22}));  // inner crossed, outer excluded
  leaf.MapPoint(&p, false, false, &outer, Point{1, 2}, true);
  EXPECT_EQ(p, (Point{21, 42}));
  leaf.MapPoint(&p, false, false, &outer, Point{21, 42}, false);
  EXPECT_EQ(p, (Point{1, 2}));
}

}  // namespace
