// Test timing of threads and waits: test and fuzz builds only (tests reach it
// through platform/testing/threads.h). ResetThreads() (part of the device
// reset) turns test timing on: the UI thread's Sleep advances the virtual
// clock at once, worker threads sleep in real time, and every real-time
// wait (WaitForSingleObject, a worker's Sleep, a blocked GetMessageW or
// SendMessageW) gives up after kTestWaitCapMs. It also forgets the names of
// events and mutexes left by an earlier test.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "test timing exists only in test and fuzz builds"
#endif

#include <cstdint>

namespace devtest {

constexpr uint32_t kTestWaitCapMs = 2000;

bool TestTimingActive();
// Real sleeps and uncapped waits, as in the program.
void UseRealThreadTiming();
void ResetThreads();

}  // namespace devtest
