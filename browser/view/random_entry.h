// The generator the document view draws random index entries from
// ("goto_random_entry"): one for the program's views, seeded from the tick
// count; a caller that needs a known sequence sets its state.
#pragma once

#include "foundation/system/random_generator.h"

RandomGenerator& RandomEntryGenerator();
