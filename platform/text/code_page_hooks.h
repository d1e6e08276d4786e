// Narrowing the code pages the platform's converters support
// (code_page_conversion.h): test and fuzz builds only (tests reach it through
// platform/testing/text.h). The emulated Mlang module ignores this set: it
// is the fallback for the pages the platform lacks.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the code page hooks exist only in test and fuzz builds"
#endif

#include <initializer_list>

namespace devtest {

// Only the given pages are supported (65001 and 0 included only if listed);
// a page the platform does not know at all is ignored. Safe while other
// threads convert.
void SetSupportedCodePages(std::initializer_list<unsigned> pages);
void ResetCodePages();  // back to every page the platform knows

}  // namespace devtest
