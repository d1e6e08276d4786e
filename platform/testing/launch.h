// Test control of shell execution and process starts
// (platform/launch/launch_hooks.h).
#pragma once

#include "platform/launch/launch_hooks.h"
