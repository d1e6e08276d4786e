// The open-file dialog's answers: the chosen path and its parts, the
// filter index, a buffer too small, a bad record size, cancel.
#include <gtest/gtest.h>

#include <string>

#include "platform/dialogs/open_file_dialog.h"
#include "platform/testing/reset.h"
#include "platform/testing/ui.h"

namespace {

class OpenFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    info.lStructSize = sizeof(info);
    info.lpstrFilter = u"Books\0*.PRC;*.PDB\0Text\0*.txt\0";
    info.nFilterIndex = 1;
    info.lpstrFile = file;
    info.nMaxFile = 64;
    info.lpstrFileTitle = title;
    info.nMaxFileTitle = 64;
  }
  void TearDown() override { devtest::ResetDevice(); }
  OPENFILENAMEW info{};
  WCHAR file[64] = {};
  WCHAR title[64] = {};
};

TEST_F(OpenFileTest, TheChosenFileAndFilterAreAnswered) {
  devtest::ChooseNextFile(u"\\My Documents\\notes.txt", 2);
  ASSERT_TRUE(GetOpenFileNameW(&info));
  EXPECT_EQ(std::u16string(file), u"\\My Documents\\notes.txt");
  EXPECT_EQ(std::u16string(title), u"notes.txt");
  EXPECT_EQ(info.nFilterIndex, 2u);
  EXPECT_EQ(info.nFileOffset, 14);
  EXPECT_EQ(info.nFileExtension, 20);
  const auto& record = devtest::OpenFileJournal().back();
  EXPECT_EQ(record.filter, u"Books|*.PRC;*.PDB|Text|*.txt");
  EXPECT_EQ(record.filterIndex, 1u);
  EXPECT_TRUE(record.answer);
}

TEST_F(OpenFileTest, CancelBufferTooSmallAndBadSizeAnswerFalse) {
  EXPECT_FALSE(GetOpenFileNameW(&info));  // nobody chooses: cancelled
  EXPECT_EQ(CommDlgExtendedError(), 0u);

  info.nMaxFile = 8;
  devtest::ChooseNextFile(u"\\My Documents\\notes.txt", 1);
  EXPECT_FALSE(GetOpenFileNameW(&info));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(file[0], 24);  // the characters needed, as the device says
  EXPECT_EQ(file[8], 0);   // nothing past the buffer

  info.lStructSize = 4;
  EXPECT_FALSE(GetOpenFileNameW(&info));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

}  // namespace
