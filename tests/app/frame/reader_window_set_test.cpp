// The program's window set with the browser's document view: a book named
// on the command line (its name holding "#") opens in the main window with
// the book's title in the window's, Page Down shows another page, and the
// close saves the reading position into the book's side file and the book
// as the one to reopen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <filesystem>

#include "app/controller/application_controller.h"
#include "app/frame/reader_window_set.h"
#include "app/startup/reader_application.h"
#include "browser/view/browser_view.h"
#include "audio/player/audio_player.h"
#include "browser/sources/ogg_audio_maker.h"
#include "platform/files/file_hooks.h"
#include "tests/support/audio_fixtures.h"
#include "app/preferences/preferences.h"
#include "app/window/app_window.h"
#include "platform/controls/control_classes.h"
#include "platform/input/virtual_keys.h"
#include "platform/testing/input.h"
#include "platform/testing/windows.h"
#include "platform/time/clock_hooks.h"
#include "platform/files/files.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/messages.h"
#include "platform/windows/screen.h"
#include "platform/windows/windows.h"
#include "storage/settings/global_settings_file.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"

namespace {

constexpr const char16_t* kBook = u"\\eBooks\\tale #1.corv";

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

// A book of several pages of markup prose, titled "A Test Tale".
void WriteBook() {
  std::string html = "<html><body><h1>The Tale</h1>";
  for (int i = 0; i < 40; ++i) html += "<p>" + testbuild::SampleText(400, 11 + i, 0) + "</p>";
  html += "</body></html>";
  testbuild::BookRecipe recipe;
  recipe.text.assign(html.begin(), html.end());
  const std::string title = "A Test Tale";
  recipe.fullName.assign(title.begin(), title.end());
  ASSERT_TRUE(testbuild::WriteDeviceFile(kBook, testbuild::BuildBook(recipe).Bytes()));
}

// The pixels of the page area of the screen (below the title bar, above
// the menu bar).
std::vector<uint32_t> PagePixels() {
  int width = 0, height = 0;
  const std::vector<uint32_t> screen = devscreen::ScreenPixels(&width, &height);
  std::vector<uint32_t> pixels;
  for (int y = 40; y < 280 && y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(screen[static_cast<size_t>(y) * width + x]);
  return pixels;
}

std::u16string Title(HWND window) {
  WCHAR text[96] = {};
  GetWindowTextW(window, text, 96);
  return text;
}

}  // namespace

TEST(ReaderWindowSet, ABookOpensTurnsItsPageAndKeepsItsPlace) {
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  WriteBook();
  InitCommonControls();
  ASSERT_TRUE(RegisterMainWindowClass(nullptr));
  ReaderWindowSet set;
  ASSERT_TRUE(set.Open(true));
  ASSERT_TRUE(set.CreateLoader());
  AppFrame* frame = set.MainFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = new AppWindow(frame);  // deleted by its close handling
  ASSERT_TRUE(wrapper->Create(nullptr, u"Corvelline Reader", true, false, nullptr));
  HWND window = wrapper->window();
  wrapper->OpenFirstPage(Wide(kBook), false, false);
  devtest::PumpMessages();

  ASSERT_TRUE(frame->view->HasDocument());
  EXPECT_FALSE(frame->view->IsInternalPage());
  EncodedString path;
  ASSERT_TRUE(frame->view->GetDocumentPath(&path));
  EXPECT_TRUE(path.EqualsText(kBook));
  EXPECT_EQ(Title(window), u"A Test Tale - Corvelline Reader");
  const std::vector<uint32_t> first = PagePixels();
  const uint32_t white = devtest::ScreenPixelRgb(0, 300);
  EXPECT_NE(std::count(first.begin(), first.end(), white), static_cast<long>(first.size())) << "the page shows text";

  SetFocus(window);
  devtest::PressKey(VK_NEXT);
  devtest::PumpMessages();
  EXPECT_NE(PagePixels(), first) << "Page Down shows the next page";

  // A page's sound list plays through the device's player, its tracks
  // opened by the loader next to the book.
  InstallOggSourceMaker();
  std::filesystem::copy_file(audiofix::Mono8k(), devtest::HostPath(u"\\eBooks") / "tone.ogg");
  EXPECT_TRUE(frame->controller->PlaySoundList(SharedWideString(u"tone.ogg|Tone"), false));
  ASSERT_NE(set.player(), nullptr);
  EXPECT_EQ(set.player()->GetDuration(), 1) << "the first track is open, paused";

  SendMessageW(window, WM_CLOSE, 0, 0);
  devtest::PumpMessages();
  set.DestroyMainFrame();
  set.Close();

  BookParameterFile sideFile;
  ASSERT_EQ(sideFile.OpenReadOnly(Wide(kBook)), RecordResult::kOk) << "the book's side file was written";
  uint32_t position = 0, second = 0, length = 0;
  ASSERT_NE(sideFile.GetFramePosition(&position, &second, &length), nullptr);
  EXPECT_GT(position, 0u) << "the position is past the first page";
  GlobalSettingsFile settings;
  ASSERT_EQ(settings.OpenOrCreate(Wide(u"\\Windows\\QVR_global_configuration.qvr"), true), RecordResult::kOk);
  EncodedString last;
  ASSERT_EQ(settings.GetText252(&last), RecordResult::kOk);
  EXPECT_FALSE(last.IsEmpty()) << "the book is the one to reopen";
}

namespace {

// One start of the reader's window over the set: the command line's book
// (or none), then `pageDowns` pages forward; `look` sees the frame while
// the window still shows the page; then the window closes.
template <typename Look>
void RunStart(const char16_t* commandLine, int pageDowns, Look look) {
  ReaderWindowSet set;
  EXPECT_TRUE(set.Open(true));
  EXPECT_TRUE(set.CreateLoader());
  AppFrame* frame = set.MainFrame();
  if (frame == nullptr) return;
  auto* wrapper = new AppWindow(frame);  // deleted by its close handling
  EXPECT_TRUE(wrapper->Create(nullptr, u"Corvelline Reader", true, false, nullptr));
  HWND window = wrapper->window();
  wrapper->OpenFirstPage(Wide(commandLine), false, false);
  devtest::PumpMessages();
  SetFocus(window);
  for (int i = 0; i < pageDowns; ++i) {
    devtest::PressKey(VK_NEXT);
    devtest::PumpMessages();
  }
  look(frame);
  SendMessageW(window, WM_CLOSE, 0, 0);
  devtest::PumpMessages();
  set.DestroyMainFrame();
  set.Close();
}

// The page position the window showed last, and the book it showed.
uint32_t RunOnce(const char16_t* commandLine, int pageDowns, EncodedString* shownPath) {
  uint32_t start = 0;
  RunStart(commandLine, pageDowns, [&](AppFrame* frame) {
    shownPath->Clear();
    frame->view->GetDocumentPath(shownPath);
    TextRange page;
    if (frame->view->GetPageRange(&page)) start = static_cast<uint32_t>(page.start);
  });
  return start;
}

}  // namespace

TEST(ReaderWindowSet, TheLastBookReopensOnItsPageAtTheNextStart) {
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  WriteBook();
  InitCommonControls();
  ASSERT_TRUE(RegisterMainWindowClass(nullptr));
  EncodedString path;
  const uint32_t left = RunOnce(kBook, 2, &path);
  ASSERT_TRUE(path.EqualsText(kBook));
  ASSERT_GT(left, 0u);
  devtest::AdvanceClock(61000);  // a later start: what is drawn from the clock differs
  const uint32_t reopened = RunOnce(u"", 0, &path);
  EXPECT_TRUE(path.EqualsText(kBook)) << "the last book reopens";
  EXPECT_EQ(reopened, left) << "on the page it was left at";
}

namespace {

// What one start of the reader shows after `pageDowns` pages forward: the
// page's pixels and the settings the page was laid out with.
struct StartLook {
  std::vector<uint32_t> pixels;
  int32_t textSize = 0;
  uint32_t alignment = 0;
  int32_t sideMargin = 0;
  int32_t topBottomMargin = 0;
  uint32_t fontFace = 0;
  uint32_t lineSpacing = 0;
  uint32_t pageCount = 0;
  uint8_t underlineLinks = 0;
  uint32_t textColor = 0;
  uint32_t backgroundColor = 0;
};

StartLook LookAtStart(const char16_t* commandLine, int pageDowns = 0) {
  StartLook look;
  RunStart(commandLine, pageDowns, [&](AppFrame* frame) {
    look.pixels = PagePixels();
    const Preferences* prefs = frame->preferences;
    look.textSize = prefs->currentFontSize;
    look.alignment = prefs->textAlignment;
    look.sideMargin = prefs->sideMargin;
    look.topBottomMargin = prefs->topBottomMargin;
    look.fontFace = prefs->fontFace;
    look.lineSpacing = prefs->lineSpacing;
    look.pageCount = prefs->pageCount;
    look.underlineLinks = prefs->underlineLinks;
    look.textColor = prefs->textColor.value;
    look.backgroundColor = prefs->backgroundColor.value;
  });
  return look;
}

}  // namespace

// The first start writes the settings file; the next start lays the book
// out from what it reads back. Both must give the same text size, margins,
// alignment, colours and so the same picture of the page left open.
TEST(ReaderWindowSet, TheReopenedPageIsLaidOutAndPaintedAsItWasLeft) {
  ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr));
  WriteBook();
  InitCommonControls();
  ASSERT_TRUE(RegisterMainWindowClass(nullptr));
  const StartLook first = LookAtStart(kBook, 2);
  devtest::AdvanceClock(61000);
  const StartLook second = LookAtStart(u"");
  EXPECT_EQ(second.textSize, first.textSize);
  EXPECT_EQ(second.alignment, first.alignment);
  EXPECT_EQ(second.sideMargin, first.sideMargin);
  EXPECT_EQ(second.topBottomMargin, first.topBottomMargin);
  EXPECT_EQ(second.fontFace, first.fontFace);
  EXPECT_EQ(second.lineSpacing, first.lineSpacing);
  EXPECT_EQ(second.pageCount, first.pageCount);
  EXPECT_EQ(second.underlineLinks, first.underlineLinks);
  EXPECT_EQ(second.textColor, first.textColor);
  EXPECT_EQ(second.backgroundColor, first.backgroundColor);
  EXPECT_TRUE(second.pixels == first.pixels) << "the page left open looks the same when reopened";
}

TEST(ReaderWindowSet, TheApplicationHooksTheMainViewAndOpensNoTargetWindow) {
  auto* set = new ReaderWindowSet;
  auto* app = new ReaderApplication(set);  // the set is the application's
  ASSERT_TRUE(app->Init(true));
  BrowserView* view = set->windowSet().mainWindow->view;
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetEventSink(), static_cast<BrowserEventSink*>(app));
  EXPECT_EQ(view->CreateTargetView(SharedWideString(u"_blank"), Rect{}), nullptr);
  EXPECT_EQ(set->windowSet().WindowCount(), 1u);
  delete app;
}
