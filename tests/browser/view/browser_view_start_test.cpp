// Starting and closing the browser view: the open-view word of the global
// settings (set by a start, cleared by a close, a read-only file left as it
// was), the window's script context bound and released, and the look-up
// history given the loader and saved.
#include "browser/host/view_lookup_history.h"
#include "platform/files/files.h"
#include "storage/settings/global_settings_file.h"
#include "tests/browser/view/browser_view_fixture.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/record_file_builder.h"

namespace viewtest {
namespace {

constexpr const char16_t* kSettingsPath = u"\\settings.qvr";

EncodedString Encoded(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

// Word 300 of the settings record as the file holds it.
uint32_t StoredOpenViewWord() {
  auto file = testbuild::ReadTaggedDeviceFile(kSettingsPath);
  EXPECT_TRUE(file.has_value());
  return file ? testbuild::WordAt(file->records.at(0).data, 300) : 0xFFFFFFFFu;
}

class RecordingLookupHistory : public ViewLookupHistory {
 public:
  static std::vector<std::string>* log;
  void SetLoader(DocumentLoader* loader) override { log->push_back(loader != nullptr ? "loader" : "no loader"); }
  void SaveIfOpen() override { log->push_back("save"); }
  bool OpenEntries(int32_t) override { return true; }
};
std::vector<std::string>* RecordingLookupHistory::log = nullptr;

class BrowserViewStartTest : public BrowserViewTest {
 protected:
  void SetUp() override {
    RecordingLookupHistory::log = &lookupLog;
    InstallViewLookupHistoryMaker([]() -> ViewLookupHistory* { return new RecordingLookupHistory(); });
    BrowserViewTest::SetUp();
    InstallViewLookupHistoryMaker(nullptr);
  }

  std::vector<std::string> lookupLog;
};

TEST_F(BrowserViewStartTest, StartSetsTheOpenViewWordAndCloseClearsIt) {
  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Encoded(kSettingsPath), false), RecordResult::kOk);
  ASSERT_TRUE(settings.Save());
  view().SetSettingsFile(&settings);
  EXPECT_EQ(StoredOpenViewWord(), 0u);
  view().Start(false);
  EXPECT_EQ(StoredOpenViewWord(), 1u);
  view().CloseView();
  EXPECT_EQ(StoredOpenViewWord(), 0u);  // so that the next start reopens the last book
}

// A run that ended without closing its view leaves the word set: the next
// start shows the library instead of the last book, which may be what ended
// it; a run closed in order reopens the book.
TEST_F(BrowserViewStartTest, AStartAfterAnUnfinishedRunShowsTheLibrary) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\last.prc", MarkupBook(NumberedParagraphs(20))));
  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Encoded(kSettingsPath), false), RecordResult::kOk);
  harness.loader.BindCartPages(nullptr, &settings, nullptr);
  harness.preferences.lastDocument = W(u"\\last.prc");
  struct Step {
    const char* what;
    bool closeFirst;
    bool library;
  } steps[] = {
      {"a first run reopens the last book", false, false},
      {"a run that never closed its view", false, true},
      {"a run closed in order", true, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.closeFirst) view().CloseView();
    view().SetController(&harness.application);
    harness.application.Clear();
    view().Start(false);
    EXPECT_EQ(harness.application.Count("library"), step.library ? 1 : 0);
    if (!step.library) {
      ASSERT_NE(view().GetDocumentSource(), nullptr);
      EXPECT_NE(S(view().GetLocation().url.text).find(u"last.prc"), std::u16string::npos);
    }
    EXPECT_EQ(StoredOpenViewWord(), 1u);
  }
}

TEST_F(BrowserViewStartTest, AReadOnlySettingsFileStillStartsAndIsLeftAsItWas) {
  {
    GlobalSettingsFile writer;
    ASSERT_EQ(writer.OpenOrCreate(Encoded(kSettingsPath), false), RecordResult::kOk);
    ASSERT_TRUE(writer.Save());
  }
  const std::vector<uint8_t> before = testbuild::ReadDeviceFile(kSettingsPath).value_or(std::vector<uint8_t>{});
  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Encoded(kSettingsPath), true), RecordResult::kOk);
  view().SetSettingsFile(&settings);
  view().Start(false);
  ASSERT_TRUE(harness.Open(u"oeb:library"));
  view().CloseView();
  EXPECT_EQ(testbuild::ReadDeviceFile(kSettingsPath).value_or(std::vector<uint8_t>{}), before);
}

TEST_F(BrowserViewStartTest, TheScriptContextIsBoundByStartAndReleasedByClose) {
  ScriptContext* context = view().GetScriptContext();
  EXPECT_FALSE(view().RunScriptText(W(u"var a = 1;")));  // nothing bound yet
  view().Start(false);
  EXPECT_NE(context->globalObject, kScriptEmptyHandle);
  ASSERT_EQ(context->scopeChain.Depth(), 1u);  // no forms object without the elements' factory
  EXPECT_EQ(context->scopeChain.VariableScope(), 0);
  EXPECT_EQ(context->scopeChain.GetTopObject(), static_cast<ScriptObject*>(&view()));
  // The built-ins are there, and declarations land in the view.
  EXPECT_TRUE(view().RunScriptText(W(u"var a = Math.max(2, 5); var s = String(a);")));
  EXPECT_TRUE(view().RunScriptText(W(u"if (a != 5) throw 1;")));
  EXPECT_FALSE(view().RunScriptText(W(u"var (")));

  view().CloseView();
  EXPECT_EQ(context->globalObject, kScriptEmptyHandle);
  EXPECT_EQ(context->scopeChain.Depth(), 0u);
  EXPECT_EQ(context->timers.Count(), 0u);
  EXPECT_FALSE(view().RunScriptText(W(u"var b = 1;")));

  // A restart binds a fresh context, without what scripts made before.
  view().Start(true);
  EXPECT_TRUE(view().RunScriptText(W(u"var b = typeof a;")));
  EXPECT_TRUE(view().RunScriptText(W(u"if (b != 'undefined') throw 1;")));
}

TEST_F(BrowserViewStartTest, CloseViewClosesTheDocumentAndLetsTheWindowGo) {
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(40))));
  view().Start(true);
  ASSERT_NE(view().GetDocumentSource(), nullptr);
  EXPECT_EQ(lookupLog, (std::vector<std::string>{"loader"}));
  view().CloseView();
  EXPECT_EQ(lookupLog, (std::vector<std::string>{"loader", "save"}));
  EXPECT_EQ(view().GetDocumentSource(), nullptr);
  EXPECT_EQ(view().GetApplication(), nullptr);
  EXPECT_EQ(view().GetParent(), nullptr);
  EXPECT_EQ(view().GetSpareFrameViewCount(), 0u);
  EXPECT_EQ(view().GetPageLinkCount(), 0u);
  // A second close finds nothing more to do.
  view().CloseView();
  EXPECT_EQ(view().GetDocumentSource(), nullptr);
}

}  // namespace
}  // namespace viewtest
