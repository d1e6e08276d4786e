// The speech plug-in binding over the fake plug-ins (put in the device's
// program folder) and over the project's own plug-in (found in the build's
// lib/): binding failures, settings, stops, page turns, the spoken PCM
// against espeak-ng's own, the word messages and the unloading.
#include "audio/speech/speech_plugin.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/files/device_root.h"
#include "platform/testing/audio.h"
#include "platform/testing/modules.h"
#include "platform/threads/threads.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/fake_speech_owner.h"
#include "tests/support/message_recorder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char16_t kWrongVersion[] =
    u"You are using a wrong version of the Dadirudaze Rodoz interface that does not implement all the functions "
    u"in the API. Aborting.";

int ThreadCount() {
  int count = 0;
  if (DIR* tasks = opendir("/proc/self/task")) {
    while (dirent* entry = readdir(tasks))
      if (entry->d_name[0] != '.') ++count;
    closedir(tasks);
  }
  return count;
}

EncodedString Text(const char* text) {
  EncodedString s;
  s.AssignNarrow(text, 1252);
  return s;
}

class SpeechPluginTest : public msgtest::MessageRecorder {
 protected:
  SpeechPluginTest() : MessageRecorder(u"SpeechTestWindow") {}

  void SetUp() override {
    MessageRecorder::SetUp();
    owner_.window = CreateWindowExW(0, ClassName(), u"main", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner_.window, nullptr);
  }
  bool Records(UINT message) const override { return message == kSpeechUnitMessage; }
  bool React(HWND, UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message == kSpeechUnitMessage) queuedAtUnit_.push_back(devtest::AudioQueuedBuffers(devtest::AudioOpenings()));
    return false;
  }

  // Puts a fake plug-in in the device's program folder.
  void InstallFake(const std::string& name) {
    std::filesystem::path folder = devicefs::RootFolder() / "Program Files" / "tessalyn";
    std::filesystem::create_directories(folder);
    // A new file, never the loaded one rewritten in place.
    std::filesystem::remove(folder / "corvplugin_text_to_speech.so");
    std::filesystem::copy_file(std::string(TESSALYN_PLUGIN_DIR) + "/fake_tts_" + name + ".so",
                               folder / "corvplugin_text_to_speech.so",
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::string FakeLog() {
    HMODULE module = GetModuleHandleW(u"corvplugin_text_to_speech");
    if (!module) return "";
    auto log = reinterpret_cast<const char* (*)()>(GetProcAddressW(module, u"fake_tts_log"));
    return log ? log() : "";
  }
  size_t Units() {
    devtest::PumpMessages();
    return Messages().size();
  }
  // Moves the UI thread's clock and delivers the plug-in's messages until
  // the plug-in is idle (real-time limit).
  bool SpeakToEnd(SpeechPlugin& plugin) {
    auto limit = Clock::now() + std::chrono::seconds(60);
    while (!plugin.IsDone()) {
      if (Clock::now() > limit) return false;
      devtest::PumpMessages();
      Sleep(10);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    devtest::PumpMessages();
    return true;
  }

  FakeSpeechOwner owner_;
  std::vector<int> queuedAtUnit_;
};

TEST_F(SpeechPluginTest, CompleteFakeIsBoundAndDriven) {
  InstallFake("complete");
  int modules = devtest::LoadedModuleCount();
  {
    SpeechPlugin plugin(&owner_);
    ASSERT_TRUE(plugin.IsReady());
    EXPECT_EQ(devtest::LoadedModuleCount(), modules + 1);
    EXPECT_TRUE(plugin.IsDone());  // created set: idle
    plugin.SetParam1(1252);
    plugin.SetParam3(80);
    plugin.SetReadMode(1);
    plugin.ClearStop();
    EXPECT_TRUE(plugin.Speak(Text("Hello there")));
    EXPECT_FALSE(plugin.IsSpeaking());
    EXPECT_TRUE(plugin.Idle());
    EXPECT_TRUE(plugin.Stop());
    EXPECT_EQ(FakeLog(), "open\nset_com handles\nset 1252 0 0 0\nset 0 0 80 0\nread_mode 1\nspeak Hello there\n");
    EXPECT_TRUE(owner_.boxes.empty());
  }
  EXPECT_EQ(devtest::LoadedModuleCount(), modules);
}

TEST_F(SpeechPluginTest, PageEndUnitTurnsThePageOnceAndARefusalStops) {
  InstallFake("never_done");
  SpeechPlugin plugin(&owner_);
  ASSERT_TRUE(plugin.IsReady());
  EXPECT_TRUE(plugin.Speak(Text("one two three four")));
  EXPECT_TRUE(plugin.IsSpeaking());
  plugin.SetPageEndUnit(2);
  for (int i = 0; i < 4; ++i) plugin.OnUnitSpoken();
  ASSERT_EQ(owner_.turns.size(), 1u);
  EXPECT_EQ(owner_.turns[0].how, 2);
  EXPECT_EQ(owner_.turns[0].count, 1);
  EXPECT_EQ(owner_.turns[0].flags, 255);
  EXPECT_EQ(plugin.GetUnitCount(), 4);

  // A refused turn stops the speech: with a plug-in that never answers,
  // that is the stop's whole wait.
  owner_.turnAnswer = false;
  EXPECT_TRUE(plugin.Speak(Text("five six")));
  EXPECT_EQ(plugin.GetUnitCount(), 0);
  plugin.SetPageEndUnit(0);
  auto start = Clock::now();
  plugin.OnUnitSpoken();
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1500));
  EXPECT_EQ(owner_.turns.size(), 2u);
  EXPECT_EQ(plugin.GetUnitCount(), 1);
}

TEST_F(SpeechPluginTest, PluginThatNeverAcknowledgesCostsTheBoundedWait) {
  InstallFake("never_done");
  SpeechPlugin plugin(&owner_);
  ASSERT_TRUE(plugin.IsReady());
  ASSERT_TRUE(plugin.Speak(Text("words")));
  auto start = Clock::now();
  EXPECT_FALSE(plugin.Stop());
  auto took = Clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(1500));
  EXPECT_LT(took, std::chrono::milliseconds(2500));
}

TEST_F(SpeechPluginTest, BindingFailuresLeaveItNotReady) {
  struct Case {
    const char* fake;  // null: no library anywhere
    bool box;
    const char* log;
  };
  const Case cases[] = {
      {"no_read_mode", true, ""},
      {"open_fails", false, "open\n"},
      {"set_com_fails", false, "open\nset_com handles\nclose\n"},
      {nullptr, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fake ? c.fake : "missing");
    owner_.boxes.clear();
    std::filesystem::remove(devicefs::RootFolder() / "Program Files" / "tessalyn" / "corvplugin_text_to_speech.so");
    if (c.fake)
      InstallFake(c.fake);
    else
      devtest::SetModulePresent("corvplugin_text_to_speech", false);  // hides the build's own too
    int modules = devtest::LoadedModuleCount();
    SpeechPlugin plugin(&owner_);
    EXPECT_FALSE(plugin.IsReady());
    EXPECT_EQ(devtest::LoadedModuleCount(), modules);  // unloaded again
    if (c.box) {
      ASSERT_EQ(owner_.boxes.size(), 1u);
      EXPECT_EQ(owner_.boxes[0].text, kWrongVersion);
      EXPECT_EQ(owner_.boxes[0].caption, u"You're dead!");
    } else {
      EXPECT_TRUE(owner_.boxes.empty());
    }
    // Not ready: every call does nothing.
    EXPECT_TRUE(plugin.Speak(Text("anything")));
    EXPECT_FALSE(plugin.Stop());
    EXPECT_FALSE(plugin.IsDone());
    EXPECT_FALSE(plugin.IsSpeaking());
    plugin.SetParam1(1252);
    plugin.OnUnitSpoken();
    EXPECT_TRUE(owner_.turns.empty());
    devtest::SetModulePresent("corvplugin_text_to_speech", true);
  }
}

TEST_F(SpeechPluginTest, ProjectPluginSpeaksAsEspeakDoes) {
  const char* text = "The quick brown fox jumps over the lazy dog. It was not amused.";
  std::string reference = audiofix::Folder() + "/speech-" + std::to_string(::getpid()) + ".wav";
  ASSERT_EQ(audiofix::Run("espeak-ng -v en --stdout \"" + std::string(text) + "\" > '" + reference + "'"), 0);
  std::vector<uint8_t> wav = audiofix::ReadFile(reference);
  std::filesystem::remove(reference);
  ASSERT_GT(wav.size(), 44u);
  std::vector<int16_t> expected = audiofix::Samples(std::vector<uint8_t>(wav.begin() + 44, wav.end()));

  int modules = devtest::LoadedModuleCount();
  {
    SpeechPlugin plugin(&owner_);
    ASSERT_TRUE(plugin.IsReady());
    plugin.SetParam1(1252);
    plugin.SetReadMode(0);
    plugin.ClearStop();
    ASSERT_TRUE(plugin.Speak(Text(text)));
    EXPECT_TRUE(plugin.IsSpeaking());
    ASSERT_TRUE(SpeakToEnd(plugin));
    EXPECT_TRUE(plugin.IsDone());
    ASSERT_EQ(devtest::AudioOpenings(), 1);
    EXPECT_EQ(devtest::AudioFormat(1).nSamplesPerSec, 22050u);
    std::vector<int16_t> spoken = audiofix::Samples(devtest::AudioPlayed(1));
    while (!spoken.empty() && spoken.back() == 0) spoken.pop_back();
    while (!expected.empty() && expected.back() == 0) expected.pop_back();
    EXPECT_EQ(spoken.size(), expected.size());
    EXPECT_TRUE(spoken == expected);
    // One message per word, the last once every buffer had played.
    EXPECT_EQ(Units(), 13u);
    ASSERT_FALSE(queuedAtUnit_.empty());
    EXPECT_EQ(queuedAtUnit_.back(), 0);
    for (size_t i = 0; i < recorded.size(); ++i) EXPECT_EQ(recorded[i].wParam, i);
  }
  EXPECT_EQ(devtest::LoadedModuleCount(), modules);

  // Deleting the binding leaves no thread of the plug-in behind (the
  // synthesiser's own worker, started with it once per process, stays with
  // the synthesiser, which stays loaded).
  int threads = ThreadCount();
  {
    SpeechPlugin again(&owner_);
    ASSERT_TRUE(again.IsReady());
    ASSERT_TRUE(again.Speak(Text("Again.")));
    ASSERT_TRUE(SpeakToEnd(again));
  }
  EXPECT_EQ(ThreadCount(), threads);
  EXPECT_EQ(devtest::LoadedModuleCount(), modules);
}

TEST_F(SpeechPluginTest, StopDuringALongTextIsQuickAndFinal) {
  devtest::SetAudioPacing(devtest::AudioPacing::kVirtualClock);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "This sentence is read again and again to make a long text. ";
  SpeechPlugin plugin(&owner_);
  ASSERT_TRUE(plugin.IsReady());
  plugin.ClearStop();
  ASSERT_TRUE(plugin.Speak(Text(text.c_str())));
  auto limit = Clock::now() + std::chrono::seconds(30);
  while (Units() < 3 && Clock::now() < limit) {
    Sleep(10);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_GE(Units(), 3u);
  auto start = Clock::now();
  EXPECT_TRUE(plugin.Stop());
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
  size_t units = Units();
  size_t played = devtest::AudioPlayed(1).size();
  Sleep(2000);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(devtest::AudioPlayed(1).size(), played);
  EXPECT_EQ(Units(), units);
  EXPECT_LT(units, 400u);
  EXPECT_TRUE(plugin.IsDone());
}

}  // namespace
