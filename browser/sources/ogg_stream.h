// Telling an Ogg stream by its first bytes, and making the audio source
// that plays it through the installed maker (ogg_audio_maker.h, installed
// by the program at start); until then an Ogg stream is recognised but
// gives no source.
#pragma once

#include "foundation/system/ref_counted.h"
#include "storage/sources/document_stream.h"

class OggSourceMaker {
 public:
  // A new audio source over the stream (it takes its own reference to the
  // stream), counted for the caller; null when it cannot be made.
  virtual RefCounted* MakeOggSource(DocumentStream* stream) = 0;

 protected:
  ~OggSourceMaker() = default;
};

// The maker IsOggStream uses (null: none).
void SetOggSourceMaker(OggSourceMaker* maker);
OggSourceMaker* GetOggSourceMaker();

// Reads the stream's first four bytes; when they are "OggS" the audio slot
// receives a source over the stream (the old one released; null without a
// maker). Takes over the caller's reference to the stream and releases it
// in every case. True only for an Ogg stream (four bytes read and equal).
bool IsOggStream(DocumentStream* stream, RefPtr<RefCounted>* audio);
