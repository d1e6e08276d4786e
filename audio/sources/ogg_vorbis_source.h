// OggVorbisSource: decodes an Ogg Vorbis stream read from a DocumentStream
// into 16-bit PCM with the integer decoder (Debian's libvorbisidec). The
// decoder reads through four callbacks that go through the stream's
// read-at operation, so a stream of records inside a book plays as well as
// a file.
//
// A chained file plays only as long as its links keep the format of the
// first: the device was opened for that format, so a link with another rate
// or channel count ends the stream, and the duration counts only the links
// that play. A damaged page (the decoder's "hole") ends the stream there.
// Whatever the stream holds, a source never reads outside it.
#pragma once

#include <cstdint>

#include "audio/sources/audio_source.h"
#include "storage/sources/document_stream.h"

struct OggVorbis_File;

class OggVorbisSource final : public CountedAudioSource {
 public:
  // Takes over the caller's reference to `stream` and opens the decoder over
  // it; a stream the decoder refuses leaves the source without a decoder.
  explicit OggVorbisSource(DocumentStream* stream);
  ~OggVorbisSource() override;

  bool GetFormat(PcmFormat* format) override;
  bool Read(uint8_t* buffer, uint32_t bytes, uint32_t* read) override;

  bool IsValid() override;
  int32_t GetDuration() override;
  int32_t GetPosition() override;
  bool Seek(int32_t seconds) override;

  bool HasDecoder() const { return decoder_ != nullptr; }
  uint32_t ReadPosition() const { return readPosition_; }

  // The decoder's callbacks; `source` is the OggVorbisSource.
  static size_t ReadCallback(void* buffer, size_t size, size_t count, void* source);
  static int SeekCallback(void* source, int64_t offset, int whence);
  static int CloseCallback(void* source);
  static long TellCallback(void* source);

 private:
  OggVorbis_File* decoder_ = nullptr;  // null when the decoder did not open
  uint32_t readPosition_ = 0;
  DocumentStreamPtr stream_;
  PcmFormat format_;             // of the first link
  int64_t playableSamples_ = 0;  // of the links that keep the first's format
  int currentLink_ = 0;
  bool ended_ = false;           // a foreign link or a damaged page was met
};
