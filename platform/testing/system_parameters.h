// Test control of the device settings behind SystemParametersInfoW
// (platform/system/system_parameters_hooks.h).
#pragma once

#include "platform/system/system_parameters_hooks.h"
