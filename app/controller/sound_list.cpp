// The sound list of a page and its tracks opened through the loader.
#include "app/controller/sound_list.h"

#include "browser/addresses/location.h"
#include "browser/loader/document_loader.h"
#include "browser/sources/ogg_audio_maker.h"
#include "browser/sources/ogg_stream.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

// An item's address against the document's: a relative one is combined
// with it, an absolute one stands alone.
class BaseAddress final : public LinkBaseAddress {
 public:
  explicit BaseAddress(const SharedWideString& text) {
    Location location;
    hasBase_ = !text.IsEmpty() && Location::Parse(&location, text, nullptr);
    if (hasBase_) base_ = location.url;
  }
  bool ParseRelative(const SharedWideString& address, SharedWideString* fullText) override {
    return Location::FromText(address, hasBase_ ? &base_ : nullptr, fullText);
  }

 private:
  Url base_;
  bool hasBase_ = false;
};

}  // namespace

AudioSource* LoaderSoundOpener::OpenSound(const SharedWideString& address) {
  if (loader_ == nullptr) return nullptr;
  DocumentStream* stream = loader_->OpenStreamByText(address, nullptr);
  if (stream == nullptr) return nullptr;
  RefPtr<RefCounted> audio;
  // The program's maker (InstallOggSourceMaker) wraps each source in an
  // OggAudioHolder; the holder keeps its own reference.
  if (!IsOggStream(stream, &audio) || audio.Get() == nullptr) return nullptr;
  AudioSource* source = static_cast<OggAudioHolder*>(audio.Get())->Source();
  if (source != nullptr) source->AddRef();
  return source;
}

bool SoundList::Set(const SharedWideString& text, const SharedWideString& base) {
  BaseAddress resolver(base);
  return links_.Parse(text, &resolver);
}

void SoundList::GetTitle(uint32_t index, EncodedString* title) {
  title->FromWide(u"");
  const SharedWideString label = links_.Label(index);
  if (!label.IsEmpty()) label.ToEncodedString(title);
}

void SoundList::OpenTrack(AudioSource** source, uint32_t index) {
  *source = nullptr;
  if (opener_ == nullptr || index >= links_.Count()) return;
  *source = opener_->OpenSound(links_.Address(index));
}
