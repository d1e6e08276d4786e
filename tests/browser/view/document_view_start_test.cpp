// Starting the view and opening its document again: the last book or the
// library at start, the orientation command where the platform cannot turn
// the display, reopening quietly, reloading what is shown, and giving up a
// book whose card or folder went away.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "browser/view/document_view.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/platform_detection_testing.h"
#include "layout/pages/layout_context.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "platform/testing/profile.h"
#include "storage/settings/global_settings_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

// A settings file of the device, its open-view word as the last run left it.
class SettingsFile {
 public:
  explicit SettingsFile(const std::u16string& path) {
    EncodedString encoded;
    encoded.FromWide(reinterpret_cast<const WCHAR*>(path.c_str()));
    ok = file.OpenOrCreate(encoded, false) == RecordResult::kOk;
  }
  ~SettingsFile() { file.Close(); }
  GlobalSettingsFile file;
  bool ok = false;
};

class ViewStartTest : public ViewTest {
 protected:
  bool Shows(const std::u16string& path) {
    return view().GetDocumentSource() != nullptr && S(view().GetLocation().url.text) == path;
  }
};

TEST_F(ViewStartTest, StartReopensTheLastBookUnlessTheLastRunBrokeOffOrTheUserSaidNo) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\start_last.prc", MarkupBook(NumberedParagraphs(40))));
  struct Case {
    const char* name;
    std::u16string last;
    bool runUnfinished;
    bool forbidsReopen;
    bool reopens;
  };
  const Case cases[] = {
      {"a run that ended in order", u"\\start_last.prc", false, false, true},
      {"a run that did not end in order", u"\\start_last.prc", true, false, false},
      {"the user starts with the library", u"\\start_last.prc", false, true, false},
      {"the last book is gone", u"\\start_gone.prc", false, false, false},
      {"no last book", u"", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsFile settings(u"\\start_settings.qvr");
    ASSERT_TRUE(settings.ok);
    ASSERT_EQ(settings.file.SetFlag300(c.runUnfinished), RecordResult::kOk);
    ViewHarness h;
    ASSERT_TRUE(h.Create());
    h.loader.BindCartPages(nullptr, &settings.file, nullptr);
    h.preferences.lastDocument = W(c.last);
    h.preferences.forbidsReopen = c.forbidsReopen;
    EXPECT_TRUE(h.view->Start(false));
    EXPECT_EQ(h.view->GetDocumentSource() != nullptr, c.reopens);
    if (c.reopens) {
      EXPECT_EQ(S(h.view->GetLocation().url.text), c.last);
    }
    EXPECT_EQ(h.application.Count("library"), c.reopens ? 0 : 1);
    // Reopening at start is quiet: a book that went away is no error.
    EXPECT_TRUE(h.application.Messages().empty());
  }
}

TEST_F(ViewStartTest, ARestartOpensNothing) {
  harness.preferences.lastDocument = W(u"\\start_last.prc");
  EXPECT_TRUE(view().Start(true));
  EXPECT_EQ(view().GetDocumentSource(), nullptr);
  EXPECT_TRUE(harness.application.events.empty());
}

TEST_F(ViewStartTest, WithoutRotationTheApplicationTurnsItsDrawing) {
  devtest::DeviceProfile profile = devtest::Profile();
  profile.canRotate = false;
  devtest::SetProfile(profile);
  const int32_t expected[] = {75, 78, 77, 76};
  for (int32_t setting = 0; setting < 4; ++setting) {
    harness.application.Clear();
    harness.preferences.orientation = setting;
    EXPECT_TRUE(view().Start(true));
    EXPECT_EQ(harness.application.Commands("execute"), std::vector<int32_t>{expected[setting]}) << setting;
  }
  devtest::ResetProfile();
  devtest::ResetRotationFailed();
  harness.application.Clear();
  if (CanRotateScreen()) {
    EXPECT_TRUE(view().Start(true));
    EXPECT_TRUE(harness.application.Commands("execute").empty());
  }
}

TEST_F(ViewStartTest, ReopeningIsQuietAndGivesTheLoaderItsFlagsBack) {
  harness.loader.SetFlags(true, false);
  harness.preferences.lastDocument = W(u"\\reopen_gone.prc");
  EXPECT_FALSE(view().ReopenLastBook());
  EXPECT_TRUE(Messages().empty());
  const DocumentLoader::Flags after = harness.loader.SetFlags(true, true);
  EXPECT_TRUE(after.reportErrors);
  EXPECT_FALSE(after.secondFlag);

  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\reopen.prc", MarkupBook(NumberedParagraphs(40))));
  harness.preferences.lastDocument = W(u"\\reopen.prc");
  EXPECT_TRUE(view().ReopenLastBook());
  EXPECT_TRUE(Shows(u"\\reopen.prc"));
}

TEST_F(ViewStartTest, ClosingTheLibraryPageWithoutHistoryReopensTheLastBook) {
  ASSERT_TRUE(OpenBook(u"\\close_last.prc", MarkupBook(NumberedParagraphs(40))));
  EXPECT_EQ(S(harness.preferences.lastDocument), u"\\close_last.prc");
  view().CloseCurrentDocument();
  ASSERT_TRUE(harness.Open(u"oeb:library"));
  harness.application.listPage = 1;
  view().ClearHistory();
  harness.application.Clear();
  ASSERT_TRUE(view().CloseDocument());
  EXPECT_TRUE(Shows(u"\\close_last.prc"));
  EXPECT_TRUE(harness.application.Commands("execute").empty()) << "the library is not asked for again";
}

TEST_F(ViewStartTest, ReloadingShowsTheSamePageOfTheBookAgain) {
  EXPECT_TRUE(view().ReloadCurrent()) << "nothing shown: nothing to do";
  ASSERT_TRUE(OpenBook(u"\\reload.prc", MarkupBook(NumberedParagraphs(200))));
  ASSERT_TRUE(view().GoToPage(4));
  const int32_t position = view().GetCurrentPosition();
  const DocumentSource* before = view().GetDocumentSource();
  ASSERT_TRUE(view().ReloadCurrent());
  EXPECT_TRUE(Shows(u"\\reload.prc"));
  EXPECT_NE(view().GetDocumentSource(), before) << "loaded again, not the old source";
  EXPECT_EQ(view().GetCurrentPosition(), position);

  // A book whose file went away under the view cannot be loaded again: the
  // user is told.
  ASSERT_TRUE(std::filesystem::remove(devtest::HostPath(u"\\reload.prc")));
  harness.application.Clear();
  EXPECT_FALSE(view().ReloadCurrent());
  EXPECT_EQ(view().GetDocumentSource(), nullptr);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(ViewStartTest, ReloadGivesUpABookUnderAPathThatWentAway) {
  CreateDirectoryW(u"\\Card", nullptr);
  struct Case {
    const char* name;
    std::u16string path;
    bool force;
    bool deleteBook;
    bool givenUp;
  };
  const Case cases[] = {
      {"the card, forced", u"\\Card", true, false, true},
      {"the card with a separator, forced", u"\\Card\\", true, false, true},
      {"the book itself, forced", u"\\Card\\b.prc", true, false, true},
      {"ASCII case ignored", u"\\CARD", true, false, true},
      {"the card, the book still there", u"\\Card", false, false, false},
      {"the card, the book gone", u"\\Card", false, true, true},
      {"another card whose name begins alike", u"\\Ca", true, false, false},
      {"a longer name", u"\\Card\\b.prc2", true, false, false},
      {"no path at all", u"", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view().CloseCurrentDocument();
    ASSERT_TRUE(OpenBook(u"\\Card\\b.prc", MarkupBook(NumberedParagraphs(40))));
    if (c.deleteBook) {
      ASSERT_TRUE(std::filesystem::remove(devtest::HostPath(u"\\Card\\b.prc")));
    }
    harness.application.Clear();
    EXPECT_EQ(view().Reload(W(c.path), c.force), c.givenUp);
    EXPECT_EQ(Shows(u"\\Card\\b.prc"), !c.givenUp);
    EXPECT_EQ(harness.application.Count("library"), c.givenUp ? 1 : 0);
  }
}

TEST_F(ViewStartTest, ARequestNeedsADocument) {
  ScriptRequest request;
  request.methodAtom = 54;  // "goto_toc"
  EXPECT_FALSE(view().ReloadWithRequest(request));
  ASSERT_TRUE(OpenBook(u"\\request.prc", MarkupBook(NumberedParagraphs(100))));
  ASSERT_TRUE(view().GoToPage(3));
  EXPECT_TRUE(view().ReloadWithRequest(request));
  EXPECT_TRUE(Shows(u"\\request.prc"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace viewtest
