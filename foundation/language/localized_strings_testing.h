// Test control of the language offset, fixed for the run in the program: a
// test that changes the profile's language resets it so that the next
// look-up asks the language again.
#pragma once

namespace devtest {

void ResetLanguageOffset();

}  // namespace devtest
