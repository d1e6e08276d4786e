// Test control of the device's file system: a fresh root per test, storage
// cards, free space, and injected write, sync and close failures
// (platform/files/file_hooks.h).
#pragma once

#include "platform/files/file_hooks.h"
