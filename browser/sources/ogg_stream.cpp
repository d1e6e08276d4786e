// Ogg streams and their audio sources (see ogg_stream.h).
#include "browser/sources/ogg_stream.h"

namespace {
OggSourceMaker* g_maker = nullptr;
}  // namespace

void SetOggSourceMaker(OggSourceMaker* maker) { g_maker = maker; }

OggSourceMaker* GetOggSourceMaker() { return g_maker; }

bool IsOggStream(DocumentStream* stream, RefPtr<RefCounted>* audio) {
  if (stream == nullptr) return false;
  uint8_t head[4] = {0, 0, 0, 0};
  uint32_t read = 0;
  const bool ogg = stream->ReadAt(0, head, sizeof head, &read) && read == sizeof head && head[0] == 'O' &&
                   head[1] == 'g' && head[2] == 'g' && head[3] == 'S';
  if (ogg) {
    RefCounted* source = g_maker != nullptr ? g_maker->MakeOggSource(stream) : nullptr;
    audio->Clear();
    if (source != nullptr) audio->Adopt(source);
  }
  stream->Release();
  return ogg;
}
