// The journal of shell executions and process starts, and the answers a
// test scripts for them. Test and fuzz builds only; tests reach it through
// platform/testing/launch.h.
//
// Without a script the calls behave as launch.h says (tests never start a
// browser: a test build answers an address with ERROR_NOT_SUPPORTED unless a
// test scripts it). A scripted answer applies to every later request until
// the reset; nothing is started while one is scripted.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the launch hooks exist only in test and fuzz builds"
#endif

#include <string>
#include <vector>

#include "platform/types/device_types.h"

namespace devtest {

struct LaunchRequest {
  std::string function;  // "ShellExecuteExW" or "CreateProcessW"
  std::u16string file;
  std::u16string verb;
  std::u16string parameters;
  int show = 0;
  DWORD mask = 0;
  BOOL result = FALSE;
  DWORD error = 0;  // the last error left when the answer was FALSE
};

std::vector<LaunchRequest> LaunchRequests();
void ClearLaunchRequests();

// Every later request answers TRUE (or FALSE with `error`) and starts nothing.
void ScriptLaunchAnswer(BOOL result, DWORD error = 0);
// Only requests for an existing file or an "http:"/"https:" address answer
// TRUE; the others answer as without a script. Nothing is started.
void ScriptLaunchSuccessForExisting();

void ResetLaunch();

}  // namespace devtest
