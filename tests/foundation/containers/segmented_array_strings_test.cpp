// The string forms of the segmented array: copies on append, a failed
// EncodedString copy reported as -1, and wide strings releasing their shared
// buffers when their block goes.
#include <gtest/gtest.h>

#include <string>

#include "foundation/containers/segmented_array_strings.h"
#include "platform/testing/allocation.h"

namespace {

TEST(SegmentedStringArray, AppendCopiesAndReportsAFailedCopy) {
  SegmentedStringArray a;
  EncodedString path;
  ASSERT_TRUE(path.AssignNarrow("\\Storage Card\\eBooks"));
  for (int i = 0; i < 20; ++i) ASSERT_EQ(a.Append(path), i);
  path.AssignNarrow("changed");
  EXPECT_EQ(std::string(a[19].ConstBytes(), a[19].ByteLength()), "\\Storage Card\\eBooks");
  {
    devtest::AllocationFailure fail(1);  // the copy's bytes; the block has room
    EXPECT_EQ(a.Append(path), -1);
  }
  EXPECT_EQ(a.count, 20u);
  SegmentedStringArray copy;
  ASSERT_TRUE(copy.CopyFrom(a));
  EXPECT_EQ(copy.count, 20u);
  EXPECT_EQ(copy[7].ByteLength(), a[7].ByteLength());
}

TEST(SegmentedWideStringArray, FreeingBlocksReleasesSharedBuffers) {
  SharedWideString text(u"shared text");
  ASSERT_NE(text.buffer, nullptr);
  {
    SegmentedWideStringArray a;
    for (int i = 0; i < 40; ++i) {
      SharedWideString* slot = a.AppendSlot();
      ASSERT_NE(slot, nullptr);
      *slot = text;
    }
    EXPECT_EQ(text.buffer->refcount, 41);
    a.count = 10;
    a.Trim();  // the second and third blocks go, with 24 shares of the text
    EXPECT_EQ(text.buffer->refcount, 41 - 24);
    EXPECT_TRUE(a[0].CompareTo(text) == 0);
  }
  EXPECT_EQ(text.buffer->refcount, 1);
}

}  // namespace
