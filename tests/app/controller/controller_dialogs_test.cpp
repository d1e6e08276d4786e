// The controller's dialogs and sheets over their stand-ins: what runs for
// each command, full screen left and taken again around the sheets, the
// bars afterwards, the note dialog's kinds; and the display's orientation.
#include <gtest/gtest.h>

#include "foundation/system/late_bound_apis.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/platform_detection_testing.h"
#include "platform/shell/display_settings.h"
#include "platform/testing/shell.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

class ControllerDialogsTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    LateBoundApis::Instance().Load();
    devtest::ResetRotationFailed();
  }
  void TearDown() override {
    devtest::ResetRotationFailed();
    FrameFixture::TearDown();
  }
  StandInDialog LastDialog() const {
    const DialogStandIns& runs = controller->dialogs();
    return runs.RunAt(runs.RunCount() - 1).dialog;
  }
};

}  // namespace

TEST_F(ControllerDialogsTest, EachCommandRunsItsDialog) {
  const struct {
    uint32_t command;
    StandInDialog dialog;
  } cases[] = {{4, StandInDialog::kFind},     {113, StandInDialog::kFind},   {6, StandInDialog::kOptions},
               {7, StandInDialog::kAbout},    {20, StandInDialog::kGoToPage}, {119, StandInDialog::kVolume},
               {1, StandInDialog::kProperties}};
  view.path = u"\\eBooks\\book.corv";
  for (const auto& c : cases) {
    const uint32_t before = controller->dialogs().RunCount();
    controller->ExecuteCommand(c.command, false);
    ASSERT_EQ(controller->dialogs().RunCount(), before + 1) << c.command;
    EXPECT_EQ(LastDialog(), c.dialog) << c.command;
  }
  // Properties without a book path: nothing runs.
  view.path.clear();
  const uint32_t before = controller->dialogs().RunCount();
  controller->ExecuteCommand(1, false);
  EXPECT_EQ(controller->dialogs().RunCount(), before);
}

TEST_F(ControllerDialogsTest, FindFollowsTheBooksOwnSearchPageWhenItHasOne) {
  view.hasDocument = true;
  view.guideFollows = true;
  const uint32_t refreshes = controller->readingBar().refreshes();
  controller->ExecuteCommand(4, false);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"guide find"}));
  EXPECT_EQ(controller->dialogs().RunCount(), 0u);
  EXPECT_EQ(controller->readingBar().refreshes(), refreshes);
  view.guideFollows = false;
  controller->ExecuteCommand(4, false);
  EXPECT_EQ(controller->dialogs().RunCount(), 1u);
  EXPECT_EQ(controller->readingBar().refreshes(), refreshes + 1);
}

TEST_F(ControllerDialogsTest, SheetsLeaveFullScreenAndTheOptionsSheetTakesThePreferenceAgain) {
  controller->ToggleFullScreen(true, true);
  ASSERT_TRUE(controller->IsFullScreen());
  EXPECT_FALSE(controller->ShowOptions());  // cancelled
  EXPECT_TRUE(controller->IsFullScreen());  // the preference's state again
  EXPECT_FALSE(controller->readingBar().shown());

  EXPECT_FALSE(controller->ShowAbout());
  EXPECT_FALSE(controller->IsFullScreen());  // left for the sheet
  EXPECT_EQ(preferences.fullScreen, 1);

  // The go-to-page and volume dialogs keep the screen as it is.
  controller->ToggleFullScreen(false, true);
  ASSERT_TRUE(controller->IsFullScreen());
  controller->ShowGoToPage();
  controller->ShowVolume();
  EXPECT_TRUE(controller->IsFullScreen());
  controller->ToggleFullScreen(true, true);
  ASSERT_EQ(preferences.fullScreen, 0);

  // In view mode 6 the audio bar comes back after a sheet.
  view.viewMode = 6;
  controller->ShowAbout();
  EXPECT_TRUE(controller->audioBar().shown());
  EXPECT_FALSE(controller->readingBar().shown());
  view.viewMode = 1;
  controller->audioBar().Show(false);
  controller->ShowAbout();
  EXPECT_TRUE(controller->readingBar().shown());
}

TEST_F(ControllerDialogsTest, TheNoteDialogTakesTheMarkKindAndNeedsAView) {
  SharedWideString text;
  for (uint32_t kind : {2u, 4u, 16u, 32u, 0x8000u}) {
    EXPECT_FALSE(controller->AskText(kind, &text, -1));
    const DialogStandIns& runs = controller->dialogs();
    EXPECT_EQ(runs.RunAt(runs.RunCount() - 1).dialog, StandInDialog::kNote);
    EXPECT_EQ(runs.RunAt(runs.RunCount() - 1).parameter, static_cast<int32_t>(kind));
  }
  EXPECT_TRUE(controller->readingBar().shown());
  controller->SetDocumentView(nullptr);
  const uint32_t before = controller->dialogs().RunCount();
  EXPECT_FALSE(controller->AskText(2, &text, -1));
  EXPECT_EQ(controller->dialogs().RunCount(), before);
}

TEST_F(ControllerDialogsTest, RotationSetsTheDisplayAndClearsTheStoredOrientation) {
  ASSERT_TRUE(controller->CanRotateDisplay());
  preferences.orientation = 3;
  EXPECT_TRUE(controller->SetDisplayOrientation(2));
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_90);
  EXPECT_EQ(preferences.orientation, 0u);
  // The rotation order: 2 -> 3 -> 1 -> 0 -> 2.
  const int32_t order[] = {3, 1, 0, 2};
  for (int32_t expected : order) {
    EXPECT_TRUE(controller->RotateToNextOrientation());
    EXPECT_EQ(GetScreenOrientation(), expected);
  }
  // A display that refuses every orientation: false after four tries.
  devtest::FailDisplayChanges(DISP_CHANGE_FAILED);
  devtest::ClearShellCalls();
  EXPECT_FALSE(controller->RotateToNextOrientation());
  size_t changes = 0;  // the orientation read first is a query
  for (const auto& call : devtest::ShellCallsTo("ChangeDisplaySettingsEx"))
    if ((call.args.at(2) & CDS_TEST) == 0) ++changes;
  EXPECT_EQ(changes, 4u);
  devtest::FailDisplayChanges(0);
  EXPECT_FALSE(controller->CanRotateDisplay());
}
