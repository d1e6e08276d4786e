// Test control of threads and waits (platform/threads/thread_hooks.h).
#pragma once

#include "platform/threads/thread_hooks.h"
