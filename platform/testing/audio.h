// Test control of the wave output (platform/audio/audio_hooks.h).
#pragma once

#include "platform/audio/audio_hooks.h"
