// Test control of threads and waits. ResetThreads() (part of the device
// reset) turns test timing on: the UI thread's Sleep advances the virtual
// clock (platform/testing/clock.h) at once, worker threads sleep in real
// time, and every real-time wait (WaitForSingleObject, a worker's Sleep, a
// blocked GetMessageW or SendMessageW) gives up after kTestWaitCapMs. It
// also forgets the names of events and mutexes left by an earlier test.
#pragma once

#include <cstdint>

namespace devtest {

constexpr uint32_t kTestWaitCapMs = 2000;

bool TestTimingActive();
// Real sleeps and uncapped waits, as in the program.
void UseRealThreadTiming();
void ResetThreads();

}  // namespace devtest
