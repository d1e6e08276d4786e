// The builder beyond the golden corpus: what the layout context answers
// (space width, rules shown, the screen that picks a picture record, the
// end of the document), form controls through the form services, elements
// with very many attributes, tags that were never pushed, and lack of
// memory at every allocation of a run.
#include <gtest/gtest.h>

#include <string>

#include "layout/items/layout_records.h"
#include "layout/markup/keyword_ids.h"
#include "platform/testing/allocation.h"
#include "tests/layout/builder/builder_fixture.h"

namespace {

using buildertest::BuilderRun;

uint32_t CountKind(LayoutItemStore& store, uint32_t kind) { return store.KindCount(kind); }

const LayoutObject& ObjectAt(LayoutItemStore& store, uint32_t n) { return *store.objects.At(n); }

TEST(LayoutBuilder, SpacesTakeTheHostsWidthAndTheEndIsRecorded) {
  BuilderRun run("<html><body>a b</body></html>");
  ASSERT_TRUE(run.Run());
  ASSERT_EQ(run.host.ends.size(), 1u);
  const std::string dump = run.Dump();
  EXPECT_NE(dump.find("mark 6 value=5"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mark 8 value=1 flags=1"), std::string::npos) << dump;
  EXPECT_EQ(run.store.endPosition, run.host.ends[0]);
}

TEST(LayoutBuilder, RulesAreLeftOutWhenTheContextDropsThem) {
  BuilderRun run("<body>a<hr>b</body>");
  run.host.showsRules = false;
  ASSERT_TRUE(run.Run());
  EXPECT_EQ(CountKind(run.store, kObjectItem), 0u);
  EXPECT_EQ(CountKind(run.store, kTextItem), 2u);  // the page break before it stays
}

TEST(LayoutBuilder, TheScreenPicksTheLowOrHighResolutionRecord) {
  struct Case {
    Size screen;
    int32_t width;  // of the picture chosen: record 1 is 100 wide, 2 is 30, 4 is 64
  };
  const Case cases[] = {
      {{240, 320}, 100}, {{320, 240}, 100}, {{176, 220}, 30}, {{240, 239}, 30},
      {{480, 640}, 64},  {{640, 480}, 64},  {{640, 479}, 100}, {{479, 640}, 100},
  };
  for (const Case& c : cases) {
    BuilderRun run("<body><img recindex=1 lorecindex=2 hirecindex=4></body>");
    run.host.screen = c.screen;
    ASSERT_TRUE(run.Run());
    ASSERT_EQ(CountKind(run.store, kObjectItem), 1u);
    EXPECT_EQ(StyleLengthNumber(ObjectAt(run.store, 0).words[kObjectWidth]), c.width)
        << c.screen.width << "x" << c.screen.height;
  }
  // Without RECINDEX the low-resolution record serves a small screen only.
  BuilderRun run("<body><img lorecindex=2></body>");
  ASSERT_TRUE(run.Run());
  EXPECT_EQ(CountKind(run.store, kObjectItem), 0u);
}

TEST(LayoutBuilder, PicturesAreNeverEnlargedAndKeepTheirAspect) {
  struct Case {
    const char* attributes;
    int32_t width, height;
  };
  const Case cases[] = {
      {"width=50", 50, 40},   {"width=200", 100, 80}, {"height=40", 50, 40},
      {"height=400", 100, 80}, {"width=10 height=70", 10, 70}, {"", 100, 80},
  };
  for (const Case& c : cases) {
    BuilderRun run(std::string("<body><img recindex=1 ") + c.attributes + "></body>");
    ASSERT_TRUE(run.Run());
    ASSERT_EQ(CountKind(run.store, kObjectItem), 1u) << c.attributes;
    EXPECT_EQ(StyleLengthNumber(ObjectAt(run.store, 0).words[kObjectWidth]), c.width) << c.attributes;
    EXPECT_EQ(StyleLengthNumber(ObjectAt(run.store, 0).words[kObjectHeight]), c.height) << c.attributes;
  }
}

TEST(LayoutBuilder, AnElementWithVeryManyAttributesStillOpensAndCloses) {
  std::string tag = "<b";
  for (int i = 0; i < 200; ++i) tag += " width=" + std::to_string(i) + " name=n" + std::to_string(i);
  BuilderRun run("<body>" + tag + ">bold</b>after</body>");
  ASSERT_TRUE(run.Run());
  EXPECT_TRUE(run.recordsInStep);
  EXPECT_EQ(run.records.RecordCount(), 0u);
  const std::string dump = run.Dump();
  EXPECT_NE(dump.find("B---/0"), std::string::npos) << dump;
  EXPECT_NE(dump.find("text \"after\""), std::string::npos) << dump;
}

// Tags that are never pushed (their classes go to the tag handler) leave
// the open records alone when they close.
TEST(LayoutBuilder, ClosingTagsThatWereNeverPushedPopNothing) {
  BuilderRun run("<body><b><dc:language>en</dc:language><metadata>m</metadata>y</b>z</body>");
  ASSERT_TRUE(run.Run(9));  // up to "y"
  EXPECT_EQ(run.records.RecordCount(), 2u);  // BODY and B
  EXPECT_EQ(run.records.Tag(run.records.RecordAt(0)), static_cast<uint32_t>(kMarkupB));
  ASSERT_TRUE(run.Run());
  EXPECT_EQ(run.records.RecordCount(), 0u);
  EXPECT_TRUE(run.recordsInStep);
}

// ---- Form controls

class FakeControl : public InlineObject {
 public:
  explicit FakeControl(bool placeable) : placeable_(placeable) {}
  bool Draw(DrawingSurface*, const Rect&, const Rect*) override { return true; }
  bool GetSize(Size* size, bool*, bool*) override {
    *size = Size{40, 12};
    return placeable_;
  }

 private:
  bool placeable_;
};

class FakeForms : public FormControlServices {
 public:
  HtmlForm* FindForm(const SharedWideString& name, const ElementRecordStack&, uint32_t) override {
    foundByName.push_back(buildertest::U16(name));
    return reinterpret_cast<HtmlForm*>(&formToken);
  }
  HtmlForm* FormAtPosition(uint32_t position) override {
    foundByPosition.push_back(position);
    return positionHasForm ? reinterpret_cast<HtmlForm*>(&formToken) : nullptr;
  }
  InlineObject* BuildControl(HtmlForm*, ElementStream&, uint32_t, int32_t* setting) override {
    settings.push_back(*setting);
    if (!buildControls) return nullptr;
    return new FakeControl(placeable);
  }
  int32_t GetDefaultSetting(int32_t key) override { return key * 10; }

  int formToken = 0;
  bool positionHasForm = true;
  bool buildControls = true;
  bool placeable = true;
  std::vector<std::u16string> foundByName;
  std::vector<uint32_t> foundByPosition;
  std::vector<int32_t> settings;
};

TEST(LayoutBuilder, FormControlsArePlacedForTheNearestFormByName) {
  FakeForms forms;
  BuilderRun run("<body><form name=order>a<input type=text align=left>b</form><input type=checkbox></body>");
  run.context.forms = &forms;
  ASSERT_TRUE(run.Run());
  ASSERT_EQ(forms.foundByName.size(), 1u);
  EXPECT_EQ(forms.foundByName[0], u"order");
  EXPECT_EQ(forms.foundByPosition.size(), 1u);  // the second INPUT, outside the FORM
  EXPECT_EQ(forms.settings, (std::vector<int32_t>{40, 40}));
  ASSERT_EQ(CountKind(run.store, kObjectItem), 2u);
  const LayoutObject& control = ObjectAt(run.store, 0);
  EXPECT_EQ(StyleLengthNumber(control.words[kObjectWidth]), 40);
  EXPECT_EQ(StyleLengthNumber(control.words[kObjectHeight]), 12);
  EXPECT_EQ(control.words[kObjectAlignment], 1);
  EXPECT_EQ(control.flags, kObjectRemeasure);
  EXPECT_EQ(run.records.RecordCount(), 0u);
}

TEST(LayoutBuilder, FormControlsWithoutAFormOrAControl) {
  {
    // No form: the SELECT is skipped with its options.
    FakeForms forms;
    forms.positionHasForm = false;
    BuilderRun run("<body>a<select><option>one</option></select>b</body>");
    run.context.forms = &forms;
    ASSERT_TRUE(run.Run());
    EXPECT_EQ(CountKind(run.store, kObjectItem), 0u);
    EXPECT_EQ(run.Dump().find("one"), std::string::npos);
  }
  {
    // No control: nothing placed, the flow goes on.
    FakeForms forms;
    forms.buildControls = false;
    BuilderRun run("<body>a<input type=text>b</body>");
    run.context.forms = &forms;
    ASSERT_TRUE(run.Run());
    EXPECT_EQ(CountKind(run.store, kObjectItem), 0u);
    EXPECT_EQ(CountKind(run.store, kTextItem), 2u);
  }
  {
    // A control whose placement fails ends the flow.
    FakeForms forms;
    forms.placeable = false;
    BuilderRun run("<body>a<input type=text>b</body>");
    run.context.forms = &forms;
    EXPECT_FALSE(run.Run());
    EXPECT_EQ(CountKind(run.store, kObjectItem), 0u);
  }
}

// Lack of memory at any allocation of a run either ends the flow (false)
// or, when the parser met it, ends the document early; the records and
// their styles stay in step, and nothing leaks or dangles.
TEST(LayoutBuilder, LackOfMemoryAtEveryAllocationEndsTheFlowCleanly) {
  const std::string markup =
      "<body><p align=center>Hello <b>bold</b> <a href=x title=t>link</a></p><table border=1><tr><td>c</td></tr>"
      "</table><img recindex=1 width=50><hr><span logas=seen>\xE4\xB8\xAD</span>ab&zwnj;cd</body>";
  BuilderRun reference(markup);
  ASSERT_TRUE(reference.Run());
  const std::string full = reference.Dump();
  bool completed = false;
  int endedFlows = 0;
  for (long n = 1; n < 2000 && !completed; ++n) {
    BuilderRun run(markup);
    bool ok;
    {
      devtest::AllocationFailure failure(n);
      ok = run.Run();
    }
    EXPECT_TRUE(run.recordsInStep) << "allocation " << n;
    const std::string dump = run.Dump();
    if (ok && dump == full) completed = true;
    if (!ok) {
      ++endedFlows;
      EXPECT_EQ(full.compare(0, dump.size(), dump), 0) << "allocation " << n << " wrote items that differ";
    }
  }
  EXPECT_TRUE(completed);
  EXPECT_GT(endedFlows, 10);
}

}  // namespace
