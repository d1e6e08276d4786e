// The link action of a document property (a guide entry or named target):
// a text position, an address or a script. It lives here rather than with
// DocumentProperty because link actions belong to the layout, above storage.
#pragma once

#include "layout/styles/link_action.h"
#include "storage/documents/document.h"

// A new action (one reference, the caller's): kind 3 with the position, kind
// 1 with the text as address for -1, kind 4 with the text as script for -2.
// Null on lack of memory.
LinkAction* MakeLinkAction(const DocumentProperty& property);
