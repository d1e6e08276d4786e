// Test control of the emulated device modules (platform/modules/module_hooks.h).
#pragma once

#include "platform/modules/module_hooks.h"
