// Ogg streams played by the Ogg Vorbis source (see ogg_audio_maker.h).
#include "browser/sources/ogg_audio_maker.h"

#include "audio/sources/ogg_vorbis_source.h"
#include "browser/sources/ogg_stream.h"
#include "platform/memory/allocator.h"

namespace {

class OggVorbisMaker final : public OggSourceMaker {
 public:
  // A stream the decoder refuses (the first page's mark but no Vorbis
  // headers) gives no source, rather than one that plays nothing.
  RefCounted* MakeOggSource(DocumentStream* stream) override {
    stream->AddRef();  // the source's own reference
    OggVorbisSource* source = DeviceNew<OggVorbisSource>(stream);
    if (source == nullptr) {
      stream->Release();
      return nullptr;
    }
    if (!source->HasDecoder()) {
      source->Release();
      return nullptr;
    }
    OggAudioHolder* holder = DeviceNew<OggAudioHolder>(source);
    if (holder == nullptr) source->Release();
    return holder;
  }
};

OggVorbisMaker g_maker;

}  // namespace

void InstallOggSourceMaker() { SetOggSourceMaker(&g_maker); }
