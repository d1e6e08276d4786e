// The device's audio player behind SoundPlayer, and the controller's sound
// commands over it (next, previous, play or pause, the volume).
#include "app/controller/sound_player.h"

#include "app/controller/application_controller.h"
#include "audio/player/audio_player.h"

uint32_t AudioPlayerSound::TrackCount() const { return tracks_ != nullptr ? tracks_->Count() : 0; }
uint32_t AudioPlayerSound::CurrentTrack() const { return player_->GetTrack(); }
bool AudioPlayerSound::IsPlaying() const { return player_->IsPlaying(); }
bool AudioPlayerSound::SelectTrack(uint32_t index, bool startPaused) {
  return player_->SelectTrack(index, startPaused, -1);
}
void AudioPlayerSound::SetTrackList(AudioTrackList* list) {
  tracks_ = list;
  player_->SetTrackList(list);
}
void AudioPlayerSound::TogglePause() { player_->TogglePause(); }
void AudioPlayerSound::Play() { player_->Play(); }
void AudioPlayerSound::Pause() { player_->Pause(); }
void AudioPlayerSound::Close() { player_->ClearTrackList(true); }
void AudioPlayerSound::SetVolume(uint32_t value) { player_->SetVolume(value); }

void ApplicationController::StepSound(bool forward) {
  if (sound_ == nullptr) return;
  const uint32_t count = sound_->TrackCount();
  if (count == 0) return;
  const uint32_t current = sound_->CurrentTrack();
  uint32_t next = 0;
  if (forward) {
    next = current + 1 < count ? current + 1 : 0;
  } else {
    next = current >= 1 && current - 1 < count ? current - 1 : count - 1;
  }
  sound_->SelectTrack(next, !sound_->IsPlaying());
}

void ApplicationController::ToggleSoundPause() {
  if (sound_ != nullptr) sound_->TogglePause();
}

bool ApplicationController::SetSoundVolume(uint32_t value) {
  if (sound_ == nullptr || value < 1 || value > 0xFFFF) return false;
  sound_->SetVolume(value);
  return true;
}
