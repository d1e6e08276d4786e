// The controller's sound commands over a recording player (next and
// previous wrapping round the list, paused unless playing, play or pause,
// the volume's range) and the voice recorder's request to the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/system/late_bound_apis.h"
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

  uint32_t count = 3;
  uint32_t current = 0;
  bool playing = false;
  std::vector<std::string> calls;
};

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
