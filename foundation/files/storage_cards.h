// Storage cards: the top-level folders of the device that carry both the
// directory and the temporary attribute (0x110). A card whose root holds the
// marker file "qvr_ro" is never written to by the system.
#pragma once

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"

constexpr DWORD kStorageCardAttributes = 0x110;  // directory | temporary

// Adds "\" + name of every storage card, in the order the platform lists
// them; true when at least one was found.
bool EnumerateStorageCards(EncodedStringArray* cards);
// False when the path's first folder is a storage card; true otherwise, also
// for a path without a second backslash.
bool IsOutsideStorageCard(const EncodedString& path);
// Whether a file can be written at the path (the path of a file, whose
// folder is probed). A path without a backslash after its first character
// gives true. The path's first folder must exist; a card holding
// "\qvr_ro" gives false. Otherwise a probe file with a unique new name is
// made in the path's folder, checked and deleted: an existing file is never
// opened, truncated or deleted by the probe.
bool CanWriteToFolder(const EncodedString& path);
