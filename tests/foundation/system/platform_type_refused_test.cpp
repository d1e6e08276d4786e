// The platform type when the device refuses the platform-type query with
// access denied, as some Smartphones do: the answer is Smartphone whatever
// the profile says, and the system folder then follows the Smartphone rule.
#include <gtest/gtest.h>

#include <string>

#include "foundation/system/platform_detection.h"
#include "platform/files/files.h"
#include "platform/testing/system_parameters.h"

namespace {

std::u16string TextOf(EncodedString& s) { return s.ByteLength() ? std::u16string(s.CStr()) : std::u16string(); }

TEST(PlatformTypeRefused, ARefusedQueryMeansASmartphone) {
  ASSERT_EQ(GetPlatformType(), kPlatformPocketPc);
  devtest::RefusePlatformTypeQuery(true);
  EXPECT_EQ(GetPlatformType(), kPlatformSmartphone);
  EncodedString folder;
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Windows\\");
  ASSERT_TRUE(CreateDirectoryW(u"\\Application Data", nullptr));
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Application Data\\");
  devtest::RefusePlatformTypeQuery(false);
  EXPECT_EQ(GetPlatformType(), kPlatformPocketPc);
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Windows\\");
}

}  // namespace
