// The controller's sound commands over a recording player (next and
// previous wrapping round the list, paused unless playing, play or pause,
// the volume's range) and the voice recorder's request to the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <filesystem>

#include "browser/loader/document_loader.h"
#include "browser/sources/ogg_audio_maker.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/system/late_bound_apis.h"
#include "platform/files/file_hooks.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/audio_fixtures.h"
#include "platform/testing/shell.h"
#include "platform/time/tick_count.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

class RecordingSoundPlayer final : public SoundPlayer {
 public:
  uint32_t TrackCount() const override { return count; }
  uint32_t CurrentTrack() const override { return current; }
  bool IsPlaying() const override { return playing; }
  void SetTrackList(AudioTrackList* list) override {
    tracks = list;
    calls.push_back("tracks " + std::to_string(list != nullptr ? list->Count() : 0));
  }
  bool SelectTrack(uint32_t index, bool startPaused) override {
    calls.push_back("select " + std::to_string(index) + (startPaused ? " paused" : ""));
    current = index;
    return true;
  }
  void TogglePause() override { calls.push_back("toggle"); }
  void Play() override { calls.push_back("play"); }
  void Pause() override { calls.push_back("pause"); }
  void Close() override { calls.push_back("close"); }
  void SetVolume(uint32_t value) override { calls.push_back("volume " + std::to_string(value)); }

  AudioTrackList* tracks = nullptr;
  uint32_t count = 3;
  uint32_t current = 0;
  bool playing = false;
  std::vector<std::string> calls;
};

// Notes every address it is asked to open; opens nothing.
class RecordingOpener final : public SoundOpener {
 public:
  AudioSource* OpenSound(const SharedWideString& address) override {
    opened.emplace_back(address.Chars(), address.length);
    return nullptr;
  }
  std::vector<std::u16string> opened;
};

std::u16string Text(const SharedWideString& s) { return s.IsEmpty() ? u"" : std::u16string(s.Chars(), s.length); }

SharedWideString Wide(const char16_t* text) { return SharedWideString(text); }

class SoundCommandsTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    controller->SetSoundPlayer(&player);
  }
  RecordingSoundPlayer player;
};

}  // namespace

TEST_F(SoundCommandsTest, NextAndPreviousWrapRoundTheList) {
  player.current = 2;
  player.playing = true;
  controller->ExecuteCommand(116, false);  // after the last: the first
  player.playing = false;
  controller->ExecuteCommand(118, false);  // before the first: the last
  controller->ExecuteCommand(118, false);
  controller->ExecuteCommand(117, false);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"select 0", "select 2 paused", "select 1 paused", "toggle"}));
  // An empty list or no player: nothing.
  player.calls.clear();
  player.count = 0;
  controller->ExecuteCommand(116, false);
  controller->ExecuteCommand(118, false);
  controller->SetSoundPlayer(nullptr);
  controller->ExecuteCommand(116, false);
  controller->ExecuteCommand(117, false);
  EXPECT_TRUE(player.calls.empty());
}

TEST_F(SoundCommandsTest, OnlyAVolumeFromOneTo0xFFFFIsApplied) {
  EXPECT_FALSE(controller->SetSoundVolume(0));
  EXPECT_TRUE(controller->SetSoundVolume(1));
  EXPECT_TRUE(controller->SetSoundVolume(0xFFFF));
  EXPECT_FALSE(controller->SetSoundVolume(0x10000));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"volume 1", "volume 65535"}));
}

TEST_F(SoundCommandsTest, TheScriptsSoundMethodsReachThePlayer) {
  controller->PauseAudio();
  controller->ResumeAudio();
  controller->SetAudioVolume(0x8000);
  controller->StopAudio();
  EXPECT_EQ(player.calls, (std::vector<std::string>{"pause", "play", "volume 32768", "close"}));
}

TEST_F(SoundCommandsTest, TheVoiceRecorderIsAskedForAfterAPause) {
  LateBoundApis::Instance().Load();
  devtest::ClearShellCalls();
  const DWORD before = GetTickCount();
  controller->ExecuteCommand(17, false);
  EXPECT_GE(GetTickCount() - before, 400u);
  auto calls = devtest::ShellCallsTo("VoiceRecorder_Create");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<int64_t>{72}));
  EXPECT_EQ(calls[0].text, u"\\My Documents\\qvr_rec.wav");
  // The host has no recorder: nothing is shown and nothing fails.
  EXPECT_FALSE(controller->StartVoiceRecorder());
}

TEST_F(SoundCommandsTest, ASoundListResolvesAgainstTheDocumentAndStartsItsFirstTrack) {
  RecordingOpener opener;
  controller->SetSoundOpener(&opener);
  view.baseAddress = u"\\eBooks\\Tales\\book.html";
  EXPECT_TRUE(controller->PlaySoundList(Wide(u"one.ogg|The first;\\Audio\\two.ogg|The second;three.ogg"), true));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"tracks 3", "select 0"}));
  ASSERT_EQ(player.tracks, &controller->soundList());
  const LinkList& links = controller->soundList().links();
  // Addresses are kept as the browser resolves them (a combined path in
  // its escaped text form, a rooted one as given); the loader takes both.
  EXPECT_EQ(Text(links.Address(0)), u"%5CeBooks%5CTales%5Cone.ogg");
  EXPECT_EQ(Text(links.Address(1)), u"\\Audio\\two.ogg");
  EncodedString title;
  player.tracks->GetTitle(1, &title);
  EXPECT_TRUE(title.EqualsText("The second"));
  player.tracks->GetTitle(2, &title);
  EXPECT_TRUE(title.IsEmpty()) << "an item without a label has an empty title";
  AudioSource* source = reinterpret_cast<AudioSource*>(1);
  player.tracks->OpenTrack(&source, 2);
  EXPECT_EQ(source, nullptr);
  player.tracks->OpenTrack(&source, 3);  // past the end: nothing asked
  EXPECT_EQ(opener.opened, (std::vector<std::u16string>{u"%5CeBooks%5CTales%5Cthree.ogg"}));

  // Not to be played: the first track waits paused. Stopping lets the
  // list go after the player.
  player.calls.clear();
  EXPECT_TRUE(controller->PlaySoundList(Wide(u"\\Audio\\a.ogg"), false));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"tracks 1", "select 0 paused"}));
  controller->StopAudio();
  EXPECT_EQ(player.calls.back(), "close");
  EXPECT_EQ(controller->soundList().links().Count(), 0u);
}

TEST_F(SoundCommandsTest, WithoutADocumentOrAPlayerASoundListStillAnswersTrue) {
  // No document: rooted addresses stand alone.
  EXPECT_TRUE(controller->PlaySoundList(Wide(u"\\Audio\\a.ogg|A"), true));
  EXPECT_EQ(Text(controller->soundList().links().Address(0)), u"\\Audio\\a.ogg");
  controller->SetSoundPlayer(nullptr);
  EXPECT_TRUE(controller->PlaySoundList(Wide(u""), true));
  EXPECT_EQ(controller->soundList().links().Count(), 0u);
}

TEST(LoaderSoundOpener, AnOggFileOpensAsASoundAndAnythingElseAsNothing) {
  InstallOggSourceMaker();
  const std::filesystem::path folder = devtest::HostPath(u"\\Audio");
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(audiofix::Mono8k(), folder / "tone.ogg");
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Audio\\text.ogg", {'n', 'o', 't', ' ', 'O', 'g', 'g'}));
  DocumentLoader loader;
  LoaderSoundOpener opener(&loader);
  SoundList list(&opener);
  ASSERT_TRUE(list.Set(Wide(u"tone.ogg|Tone;text.ogg|Text;missing.ogg"), Wide(u"\\Audio\\page.html")));
  AudioSource* source = nullptr;
  list.OpenTrack(&source, 0);
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(source->IsValid());
  EXPECT_EQ(source->GetDuration(), 1);
  source->Release();
  for (uint32_t track : {1u, 2u}) {
    list.OpenTrack(&source, track);
    EXPECT_EQ(source, nullptr) << "track " << track;
  }
  EXPECT_EQ(LoaderSoundOpener(nullptr).OpenSound(Wide(u"\\Audio\\tone.ogg")), nullptr);
}
