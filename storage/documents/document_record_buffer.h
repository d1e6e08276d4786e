// The document code names the locked-record interface by this header; the
// container defines it.
#pragma once

#include "storage/container/record_buffer.h"
