// SoundList: the sound list a page hands the controller ("url|label;..."),
// parsed by the script host's LinkList against the address of the document
// shown, as the track list the audio player plays. A track opens through a
// SoundOpener: in the program the document loader, which opens the address
// as a stream and makes an Ogg stream a sound source.
#pragma once

#include <cstdint>

#include "audio/player/audio_track_list.h"
#include "script/host/link_list.h"

class DocumentLoader;

// Opens a resolved sound address: a new reference for the caller, or null.
class SoundOpener {
 public:
  virtual AudioSource* OpenSound(const SharedWideString& address) = 0;

 protected:
  ~SoundOpener() = default;
};

// The document loader as the sound opener: an address whose stream begins
// with "OggS" gives the Ogg source the program installed.
class LoaderSoundOpener final : public SoundOpener {
 public:
  explicit LoaderSoundOpener(DocumentLoader* loader) : loader_(loader) {}
  AudioSource* OpenSound(const SharedWideString& address) override;

 private:
  DocumentLoader* loader_;
};

class SoundList final : public AudioTrackList {
 public:
  explicit SoundList(SoundOpener* opener = nullptr) : opener_(opener) {}

  void SetOpener(SoundOpener* opener) { opener_ = opener; }
  // Parses the list text, each address resolved against `base` (an
  // address's text; empty: none). False when an address does not resolve
  // or memory runs out; the items before it stay.
  bool Set(const SharedWideString& text, const SharedWideString& base);
  void Clear() { links_.Clear(); }
  const LinkList& links() const { return links_; }

  // AudioTrackList
  uint32_t Count() override { return links_.Count(); }
  void GetTitle(uint32_t index, EncodedString* title) override;
  void OpenTrack(AudioSource** source, uint32_t index) override;

 private:
  LinkList links_;
  SoundOpener* opener_;
};
