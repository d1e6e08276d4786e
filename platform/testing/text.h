// Test control of the code pages the platform's converters support
// (platform/text/code_page_conversion.h). The emulated Mlang module ignores
// this set: it is the fallback for the pages the platform lacks.
#pragma once

#include <initializer_list>

namespace devtest {

// Only the given pages are supported (65001 and 0 included only if listed);
// a page the platform does not know at all is ignored. Safe while other
// threads convert.
void SetSupportedCodePages(std::initializer_list<unsigned> pages);
void ResetCodePages();  // back to every page the platform knows

}  // namespace devtest
