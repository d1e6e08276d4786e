// The SDL2 sink of the wave output (platform/audio/audio_sink.h): each open
// wave device becomes an SDL2 audio device in its format (signed 16-bit
// little-endian), fed through SDL's queue; SDL's audio subsystem starts at
// the first opening. Where no device opens (no sound card, a driver that
// fails), the wave output falls back to its null sink with one message.
// SDL_AUDIODRIVER=dummy or disk (with SDL_DISKAUDIOFILE) run without sound
// hardware.
#pragma once

namespace devbackend {

// Registers the sink under TESSALYN_AUDIO=sdl; `makeDefault` makes it the
// sink used when TESSALYN_AUDIO is not set (the program over SDL2).
void InstallSdlAudio(bool makeDefault);
// Stops SDL's audio subsystem once no device is open (tests that change
// SDL's driver between runs).
void ShutdownSdlAudio();

}  // namespace devbackend
