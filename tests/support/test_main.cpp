// The main of every test executable: each test starts on a freshly reset
// emulated device.
#include <gtest/gtest.h>

#include "platform/testing/reset.h"
#include "resources/tessalyn_resources.h"

namespace {

class DeviceReset : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { devtest::ResetDevice(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  InstallTessalynResources();
  ::testing::UnitTest::GetInstance()->listeners().Append(new DeviceReset);
  return RUN_ALL_TESTS();
}
