// The generated side pages (the cart and interaction pages written as small
// books) live in the data folder only while the program runs: the loader
// deletes them when it starts and when it goes.
#pragma once

#include "foundation/wide_string/shared_wide_string.h"

// Deletes every file of the folder named "CorvellineAutogen*.qvg".
void DeleteGeneratedPages(const SharedWideString& folder);
