// Audio test data made at test time by Debian's tools: tones and noise by
// sox, encoded by oggenc, reference PCM by oggdec -R, speech by espeak-ng.
// Files are made once per test process in a temporary folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audiofix {

// Runs a shell command; its exit status (the test fails on a missing tool).
int Run(const std::string& command);
// The process's folder for made files.
std::string Folder();
// An Ogg Vorbis file made by sox in `format` (e.g. "-r 44100 -c 2 -b 16")
// with `effects` (e.g. "synth 2 sine 440") and encoded with
// `oggencOptions`; made once per name.
std::string MakeOgg(const std::string& name, const std::string& format, const std::string& effects,
                    const std::string& oggencOptions = "");
// oggdec -R's raw PCM of a file (16-bit little-endian signed).
std::vector<uint8_t> OggdecRaw(const std::string& path);
std::vector<uint8_t> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// 16-bit samples of raw bytes.
std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes);

// The standard files of the tests.
std::string Stereo44k();    // 44,100 Hz stereo, 2.9 s
std::string Stereo22k();    // 22,050 Hz stereo, 2 s
std::string Stereo32k();    // 32,000 Hz stereo, 1.5 s
std::string Mono8k();       // 8,000 Hz mono, 1.5 s
std::string Mono11k();      // 11,025 Hz mono, 2 s
std::string LoudSquare();   // 44,100 Hz stereo square wave at -0.1 dB
std::string LongNoise();    // 60 s of noise at quality 8, 44,100 Hz stereo
std::string TwoTones22k();  // 22,050 Hz stereo, 440 Hz left and 1,000 Hz right, 2 s

}  // namespace audiofix
