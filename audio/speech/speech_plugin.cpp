// Loading and driving the text-to-speech plug-in (see speech_plugin.h).
#include "audio/speech/speech_plugin.h"

#include "foundation/encoded_string/encoded_string.h"
#include "platform/memory/allocator.h"

namespace {

constexpr WCHAR kLibraryName[] = u"corvplugin_text_to_speech";
constexpr WCHAR kWrongVersionText[] =
    u"You are using a wrong version of the Dadirudaze Rodoz interface that does not implement all the "
    u"functions in the API. Aborting.";
constexpr WCHAR kWrongVersionCaption[] = u"You're dead!";

template <typename T>
T Bound(HMODULE library, const WCHAR* name) {
  return reinterpret_cast<T>(GetProcAddressW(library, name));
}

// The program folder, a backslash and the library's name, zero-terminated
// (allocated; the caller frees it), or null when the folder cannot be had.
WCHAR* LibraryPath(SpeechOwner* owner) {
  EncodedString folder;
  if (!owner || !owner->GetProgramFolder(&folder) || folder.IsEmpty() || !folder.ConvertToUtf16()) return nullptr;
  const uint32_t units = folder.ByteLength() / 2;
  const uint32_t nameUnits = sizeof(kLibraryName) / sizeof(WCHAR);  // with its zero
  auto* path = static_cast<WCHAR*>(DeviceAlloc((units + 1 + nameUnits) * sizeof(WCHAR)));
  if (!path) return nullptr;
  const WCHAR* chars = folder.Chars();
  uint32_t n = 0;
  for (uint32_t i = 0; i < units; ++i) path[n++] = chars[i];
  if (n > 0 && path[n - 1] != u'\\' && path[n - 1] != u'/') path[n++] = u'\\';
  for (uint32_t i = 0; i < nameUnits; ++i) path[n++] = kLibraryName[i];
  return path;
}

}  // namespace

SpeechPlugin::SpeechPlugin(SpeechOwner* owner) : owner_(owner) { Bind(); }

void SpeechPlugin::Bind() {
  WCHAR* path = LibraryPath(owner_);
  library_ = LoadLibraryW(path ? path : kLibraryName);
  DeviceFree(path);
  if (!library_) return;
  openSpeech_ = Bound<TtsOpenSpeech>(library_, u"tts_open_speech");
  set_ = Bound<TtsSet>(library_, u"tts_set");
  speak_ = Bound<TtsSpeak>(library_, u"tts_speak");
  closeSpeech_ = Bound<TtsCloseSpeech>(library_, u"tts_close_speech");
  setCom_ = Bound<TtsSetCom>(library_, u"tts_set_com");
  setReadMode_ = Bound<TtsSetReadMode>(library_, u"tts_set_read_mode");
  bool allFound = openSpeech_ && set_ && speak_ && closeSpeech_ && setCom_ && setReadMode_;
  if (openSpeech_ && !allFound && owner_) owner_->ShowErrorBox(kWrongVersionText, kWrongVersionCaption);
  if (allFound) {
    TtsHandle handle = nullptr;
    if (openSpeech_(&handle) == 0 && handle) {
      handle_ = handle;
      window_ = owner_ ? owner_->GetMainWindow() : nullptr;
      // The plug-in waits on these; a missing one would reach it as a null
      // handle, so any failure leaves the plug-in unbound.
      bool made = stop_.Create(nullptr, nullptr) && stop_.Reset() && done_.Create(nullptr, nullptr) &&
                  done_.Set() && mutex_.Create(nullptr, nullptr);
      if (made && setCom_(handle_, window_, stop_.Handle(), done_.Handle(), mutex_.Handle()) == 0) {
        ready_ = true;
      } else {
        closeSpeech_(handle_);
        handle_ = nullptr;
      }
    }
  }
  if (!ready_) Unload();
}

void SpeechPlugin::Unload() {
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
  openSpeech_ = nullptr;
  set_ = nullptr;
  speak_ = nullptr;
  closeSpeech_ = nullptr;
  setCom_ = nullptr;
  setReadMode_ = nullptr;
}

SpeechPlugin::~SpeechPlugin() {
  if (ready_) {
    Stop();
    // The plug-in joins its thread here, so unloading it below is safe even
    // when the stop was not acknowledged in time.
    closeSpeech_(handle_);
    handle_ = nullptr;
    ready_ = false;
    Unload();
  }
  mutex_.Close();
  stop_.Close();
  done_.Close();
}

bool SpeechPlugin::Speak(const EncodedString& text) {
  if (!ready_) return true;
  unitCount_ = 0;
  EncodedString wide(text);
  if (!wide.ConvertToUtf16()) return false;
  uint32_t units = wide.ByteLength() / 2;
  if (units > 0x7FFFFFFF) return false;
  return speak_(handle_, wide.IsEmpty() ? u"" : wide.Chars(), static_cast<int32_t>(units)) != 0;
}

bool SpeechPlugin::Stop() {
  if (!ready_) return false;
  stop_.Set();
  return done_.Wait(kStopWaitMs);
}

void SpeechPlugin::ClearStop() {
  if (ready_) stop_.Reset();
}

bool SpeechPlugin::IsDone() { return ready_ && done_.Wait(0); }

bool SpeechPlugin::IsSpeaking() { return ready_ && !IsDone(); }

void SpeechPlugin::SetParam1(int32_t value) {
  if (ready_) set_(handle_, value, 0, 0, 0);
}

void SpeechPlugin::SetParam2(int32_t value) {
  if (ready_) set_(handle_, 0, value, 0, 0);
}

void SpeechPlugin::SetParam3(int32_t value) {
  if (ready_) set_(handle_, 0, 0, value, 0);
}

void SpeechPlugin::SetParam4(int32_t value) {
  if (ready_) set_(handle_, 0, 0, 0, value);
}

void SpeechPlugin::SetReadMode(int32_t mode) {
  if (ready_) setReadMode_(handle_, mode);
}

void SpeechPlugin::OnUnitSpoken() {
  if (ready_ && unitCount_ == pageEndUnit_ && owner_ && !owner_->TurnPage(2, 1, 255)) Stop();
  ++unitCount_;
}
