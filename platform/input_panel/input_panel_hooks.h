// The input panel's journal (test and fuzz builds only; tests reach it
// through platform/testing/ui.h): each change of its state, in order,
// true for shown.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the input panel hooks exist only in test and fuzz builds"
#endif

#include <vector>

namespace devtest {

std::vector<bool>& InputPanelJournal();

}  // namespace devtest
