// Test control of the wave output: test and fuzz builds only (tests reach it
// through platform/testing/audio.h). After ResetAudio() (part of the device
// reset) every opening uses the test sink: it takes the formats the format
// rule allows (by default what the sinks take), announces the capability
// bits set here (by default all six 16-bit ones), plays at the chosen pace
// and keeps the PCM each opening played (after the volume), numbered from 1
// in the order of the openings.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the audio test control exists only in test and fuzz builds"
#endif

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/audio/wave_out.h"

namespace devtest {

enum class AudioPacing {
  kAtOnce,        // a buffer is played as soon as it is handed over
  kVirtualClock,  // in real time of the virtual clock (the UI thread's Sleep moves it)
  kHeld,          // nothing is ever played: a stalled device
};

void SetAudioPacing(AudioPacing pacing);
// Which formats waveOutOpen accepts (WAVERR_BADFORMAT otherwise).
void SetAudioFormatRule(std::function<bool(const WAVEFORMATEX&)> accepts);
void SetAudioCapabilities(DWORD formats);
// The next `count` openings fail with `result`.
void FailAudioOpenings(int count, MMRESULT result = MMSYSERR_NODRIVER);
// Use the sink TESSALYN_AUDIO names, as the program does (the PCM is still
// kept here).
void UseEnvironmentAudioSinks();

// Openings so far (the number of the last one), and per opening: the PCM
// it played, its format, its volume, how many buffers it has queued now
// (written and not yet returned), whether it is still open.
int AudioOpenings();
std::vector<uint8_t> AudioPlayed(int opening);
WAVEFORMATEX AudioFormat(int opening);
DWORD AudioVolume(int opening);
int AudioQueuedBuffers(int opening);
bool AudioDeviceOpen(int opening);
// Open devices now.
int AudioOpenDevices();

void ResetAudio();

}  // namespace devtest
