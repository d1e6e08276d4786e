// The device's waveform audio output: open a device on the wave mapper with
// a PCM format and a callback function, queue prepared buffers, pause,
// restart, reset, close, and keep a volume per device.
//
// Each open device has one completion thread. It hands the written buffers,
// in write order, to the sink that plays them, and once the sink has played
// a buffer it marks the header done and calls the callback with WOM_DONE on
// that thread. The callback may prepare, write and unprepare buffers of the
// same device (the audio player refills its ring so); it must not close it.
//
// The sink is chosen at each opening by TESSALYN_AUDIO (audio_sink.h):
// "sdl" (SDL2 audio; the default when the program runs with the SDL2
// backend), "null" (discards the samples, paced in real time; the default
// otherwise) or "record:PATH" (as null, and each opening writes what it
// played as PATH-N.wav). When no device opens, the null output is used with
// one message on standard error: the reader never fails for lack of sound.
// The sinks accept 16-bit PCM of one or two channels at 8,000-48,000 Hz.
#pragma once

#include "platform/types/device_types.h"

struct WaveOutDevice;
using HWAVEOUT = WaveOutDevice*;
using LPHWAVEOUT = HWAVEOUT*;
using MMRESULT = UINT;

constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;

// waveOutOpen flags.
constexpr DWORD CALLBACK_NULL = 0x00000;
constexpr DWORD CALLBACK_FUNCTION = 0x30000;
constexpr DWORD WAVE_FORMAT_QUERY = 0x0001;

// Callback messages.
constexpr UINT WOM_OPEN = 0x3BB;
constexpr UINT WOM_CLOSE = 0x3BC;
constexpr UINT WOM_DONE = 0x3BD;  // 957

// Result codes.
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};

// Header flags.
constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_BEGINLOOP = 0x04;
constexpr DWORD WHDR_ENDLOOP = 0x08;
constexpr DWORD WHDR_INQUEUE = 0x10;

struct WAVEHDR {
  LPSTR lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;

// dwFormats bits of the capabilities: rate, channels, 8 or 16 bits.
constexpr DWORD WAVE_FORMAT_1M08 = 0x001;
constexpr DWORD WAVE_FORMAT_1S08 = 0x002;
constexpr DWORD WAVE_FORMAT_1M16 = 0x004;
constexpr DWORD WAVE_FORMAT_1S16 = 0x008;
constexpr DWORD WAVE_FORMAT_2M08 = 0x010;
constexpr DWORD WAVE_FORMAT_2S08 = 0x020;
constexpr DWORD WAVE_FORMAT_2M16 = 0x040;
constexpr DWORD WAVE_FORMAT_2S16 = 0x080;
constexpr DWORD WAVE_FORMAT_4M08 = 0x100;
constexpr DWORD WAVE_FORMAT_4S08 = 0x200;
constexpr DWORD WAVE_FORMAT_4M16 = 0x400;
constexpr DWORD WAVE_FORMAT_4S16 = 0x800;
// The 16-bit formats every sink announces: 11,025, 22,050 and 44,100 Hz,
// mono and stereo.
constexpr DWORD kWaveFormats16Bit = WAVE_FORMAT_1M16 | WAVE_FORMAT_1S16 | WAVE_FORMAT_2M16 |
                                    WAVE_FORMAT_2S16 | WAVE_FORMAT_4M16 | WAVE_FORMAT_4S16;

constexpr DWORD WAVECAPS_VOLUME = 0x0004;
constexpr DWORD WAVECAPS_LRVOLUME = 0x0008;

struct WAVEOUTCAPSW {
  WORD wMid;
  WORD wPid;
  UINT vDriverVersion;
  WCHAR szPname[32];
  DWORD dwFormats;
  WORD wChannels;
  WORD wReserved1;
  DWORD dwSupport;
};

// callback(device, message, instance, parameter 1, parameter 2): for
// WOM_DONE parameter 1 is the header.
using WaveOutProc = void (*)(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                             DWORD_PTR param2);

UINT waveOutGetNumDevs();
// Device WAVE_MAPPER or 0. `callback` is a WaveOutProc when the flags
// include CALLBACK_FUNCTION.
MMRESULT waveOutOpen(LPHWAVEOUT device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
// Blocks until the completion thread has ended: no callback runs after it.
// Buffers still queued are returned as done first.
MMRESULT waveOutClose(HWAVEOUT device);
MMRESULT waveOutGetDevCapsW(UINT_PTR deviceId, WAVEOUTCAPSW* caps, UINT size);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
// WAVERR_STILLPLAYING while the header is queued.
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
MMRESULT waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT size);
MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Returns every queued buffer as done (their WOM_DONE calls are made before
// it returns, unless it is called from the callback itself).
MMRESULT waveOutReset(HWAVEOUT device);
// Low word the left channel, high word the right; 0xFFFF is full volume.
MMRESULT waveOutGetVolume(HWAVEOUT device, LPDWORD volume);
MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);
