// Test control of the code pages the platform converters support.
#pragma once

#include <initializer_list>

namespace devtest {

// Only the given pages are supported (65001 and 0 included only if listed).
void SetSupportedCodePages(std::initializer_list<unsigned> pages);
void ResetCodePages();  // back to every page the platform knows

}  // namespace devtest
