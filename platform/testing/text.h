// Test control of the code pages the platform's converters support
// (platform/text/code_page_hooks.h).
#pragma once

#include "platform/text/code_page_hooks.h"
