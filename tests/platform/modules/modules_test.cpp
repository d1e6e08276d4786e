// The emulated module table: presence switches per module and per export.
#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/testing/modules.h"

TEST(Modules, EmulatedModuleLoadsWithoutCaseAndCanBeRemoved) {
  HMODULE m = LoadLibraryW(u"MLANG.DLL");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(LoadLibraryW(u"mlang"), m);  // same module, second reference
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_TRUE(FreeLibrary(m));
  devtest::SetModulePresent("mlang.dll", false);
  EXPECT_EQ(LoadLibraryW(u"mlang.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(Modules, UnknownLibraryAndExportFailSoftly) {
  EXPECT_EQ(LoadLibraryW(u"nosuchlibrary.dll"), nullptr);
  HMODULE m = LoadLibraryW(u"mlang.dll");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetProcAddressW(m, u"NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  FreeLibrary(m);
}
