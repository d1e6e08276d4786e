// The test hooks are compiled into this build and still bite: each is armed
// through the test control and the device call it guards is seen to follow.
// The release build has none of them (tools/check-no-test-hooks.sh, run by
// CI and by the HookCheck test below).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/memory/allocator.h"
#include "platform/modules/modules.h"
#include "platform/shell/shell_calls.h"
#include "platform/system/system_parameters.h"
#include "platform/testing/allocation.h"
#include "platform/testing/clock.h"
#include "platform/testing/gdi.h"
#include "platform/testing/modules.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"
#include "platform/testing/system_parameters.h"
#include "platform/testing/text.h"
#include "platform/text/code_page_conversion.h"
#include "platform/time/tick_count.h"

#ifndef TESSALYN_TEST_HOOKS
#error "the tests are built with the test hooks"
#endif

namespace {

struct HookCase {
  const char* hook;
  // Arms the hook and answers whether the guarded call followed it.
  std::function<bool()> bites;
};

TEST(TestHooks, EveryHookBitesInTheTestBuild) {
  const HookCase cases[] = {
      {"allocation failure",
       [] {
         devtest::AllocationFailure failure(2);
         void* first = DeviceAlloc(8);
         void* second = DeviceAlloc(8);
         DeviceFree(first);
         DeviceFree(second);
         return first != nullptr && second == nullptr && devtest::InjectedAllocationFailures() == 1;
       }},
      {"allocation count",
       [] {
         long before = devtest::AllocationCount();
         DeviceFree(DeviceAlloc(1));
         return devtest::AllocationCount() == before + 1;
       }},
      {"bitmap creation failure",
       [] {
         devtest::FailGdiCreation(devtest::GdiFailure::Bitmaps);
         HBITMAP bitmap = CreateBitmap(4, 4, 1, 16, nullptr);
         if (bitmap) DeleteObject(bitmap);
         return bitmap == nullptr;
       }},
      {"graphics journal",
       [] {
         devtest::SetGdiJournal(true);
         HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 3, 2);
         DeleteObject(bitmap);
         return devtest::GdiJournalCount("CreateCompatibleBitmap") == 1;
       }},
      {"virtual clock",
       [] {
         DWORD before = GetTickCount();
         devtest::AdvanceClock(1234);
         return GetTickCount() - before == 1234;
       }},
      {"device profile",
       [] {
         devtest::DeviceProfile profile;
         profile.screenWidth = 480;
         profile.screenHeight = 640;
         devtest::SetProfile(profile);
         return GetSystemMetrics(SM_CXSCREEN) == 480;
       }},
      {"code page set",
       [] {
         devtest::SetSupportedCodePages({65001});
         return !IsValidCodePage(1252) && IsValidCodePage(65001);
       }},
      {"absent module",
       [] {
         devtest::SetModulePresent("cellcore.dll", false);
         return LoadLibraryW(u"cellcore.dll") == nullptr;
       }},
      {"refused settings query",
       [] {
         devtest::RefusePlatformTypeQuery(true);
         WCHAR text[32];
         return !SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0);
       }},
      {"scripted shell answer and journal",
       [] {
         devtest::SetGestureAnswer(GN_CONTEXTMENU);
         SHRGINFO info{sizeof(SHRGINFO), nullptr, {1, 2}, SHRG_RETURNCMD};
         return devshell::SHRecognizeGesture(&info) == GN_CONTEXTMENU &&
                devtest::ShellCallsTo("SHRecognizeGesture").size() == 1;
       }},
  };
  for (const HookCase& c : cases) {
    EXPECT_TRUE(c.bites()) << c.hook;
  }
}

}  // namespace
