// Pictures as the layout loads them: by record of the book's source, by
// address through the loader (an icon for an internal icon address), the
// bytes lent by the stream's memory or a copy, and the address a picture
// answers to.
#include <gtest/gtest.h>

#include "layout/objects/icon_image.h"
#include "layout/objects/picture_loading.h"
#include "tests/layout/builder/builder_fixture.h"

namespace {

using buildertest::FakePictureLoader;
using buildertest::FakeSource;
using buildertest::GifOfSize;
using buildertest::U16;

SharedWideString Text(const std::u16string& text) {
  SharedWideString out;
  out.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  return out;
}

// A stream that lends its bytes from memory and counts the loans.
class MappedStream : public DocumentStream {
 public:
  explicit MappedStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t, void*, uint32_t) override {
    ++reads;
    return false;
  }
  bool GetMemory(const uint8_t** pointer, uint32_t* size) override {
    ++loans;
    *pointer = bytes_.data();
    *size = static_cast<uint32_t>(bytes_.size());
    return true;
  }
  void ReleaseMemory(const uint8_t*, uint32_t) override { --loans; }
  int loans = 0;
  int reads = 0;

 private:
  std::vector<uint8_t> bytes_;
};

TEST(PictureLoading, ByRecordOfTheSource) {
  FakeSource* source = new FakeSource;
  source->records[1] = GifOfSize(100, 80);
  source->records[3] = {'n', 'o', 'p', 'e'};
  InlineImage* image = LoadInlineImage(source, 1, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->PictureSize(), (Size{100, 80}));
  EXPECT_EQ(image->Flags() & InlineImage::kFormatMask, InlineImage::kFormatGif);
  EXPECT_EQ(U16(image->Address()), u"$1");
  Size size;
  bool scalable = false, second = false;
  EXPECT_TRUE(image->GetSize(&size, &scalable, &second));
  EXPECT_TRUE(scalable);
  image->Release();
  EXPECT_EQ(LoadInlineImage(source, 3, 0), nullptr);   // no GIF or BMP
  EXPECT_EQ(LoadInlineImage(source, 7, 0), nullptr);   // no such record
  EXPECT_EQ(LoadInlineImage(source, -1, 0), nullptr);
  EXPECT_EQ(LoadInlineImage(nullptr, 1, 0), nullptr);
  source->Release();
}

TEST(PictureLoading, ByAddressThroughTheLoader) {
  FakePictureLoader loader;
  loader.files[u"base/pic.gif"] = GifOfSize(12, 6);
  loader.files[u"base/bad.gif"] = {'G', 'I', 'F'};
  InlineObject* object = LoadPictureByAddress(&loader, Text(u"pic.gif"), Text(u"base/"), -1);
  ASSERT_NE(object, nullptr);
  auto* image = dynamic_cast<InlineImage*>(object);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->PictureSize(), (Size{12, 6}));
  EXPECT_TRUE(image->MatchesUrl(u"base/pic.gif"));
  EXPECT_TRUE(image->MatchesUrl(nullptr));
  EXPECT_FALSE(image->MatchesUrl(u"base/pic.gi"));
  EXPECT_FALSE(image->MatchesUrl(u"base/pic.gifx"));
  object->Release();
  EXPECT_EQ(LoadPictureByAddress(&loader, Text(u"missing.gif"), Text(u"base/"), -1), nullptr);
  EXPECT_EQ(LoadPictureByAddress(&loader, Text(u"bad.gif"), Text(u"base/"), -1), nullptr);
  EXPECT_EQ(LoadPictureByAddress(nullptr, Text(u"pic.gif"), Text(u"base/"), -1), nullptr);
  // An internal icon address gives the program's icon.
  InlineObject* icon = LoadPictureByAddress(&loader, Text(u"icon:x"), SharedWideString(), -1);
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(dynamic_cast<IconImage*>(icon), nullptr);
  icon->Release();
}

TEST(PictureLoading, BytesAreLentByTheStreamsMemoryOrCopied) {
  MappedStream* mapped = new MappedStream(GifOfSize(4, 4));
  InlineImage* image = InlineImage::Create();
  ASSERT_TRUE(image->Load(mapped));
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  ASSERT_TRUE(image->LockData(&data, &length));
  EXPECT_EQ(mapped->loans, 1);
  image->UnlockData();
  EXPECT_EQ(mapped->loans, 0);
  EXPECT_EQ(mapped->reads, 0);
  image->Release();
  mapped->Release();

  // Without memory of its own the stream is read whole for the lock.
  buildertest::MemoryStream* plain = new buildertest::MemoryStream(GifOfSize(4, 4));
  image = InlineImage::Create();
  ASSERT_TRUE(image->Load(plain));
  ASSERT_TRUE(image->LockData(&data, &length));
  EXPECT_EQ(length, plain->GetLength());
  image->UnlockData();
  image->Release();
  plain->Release();
}

TEST(PictureLoading, AFailedDecodeLetsTheStreamGo) {
  buildertest::MemoryStream* stream = new buildertest::MemoryStream({'B', 'M', 0, 0});
  InlineImage* image = InlineImage::Create();
  EXPECT_FALSE(image->Load(stream));
  EXPECT_EQ(stream->GetReferenceCount(), 1);
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  EXPECT_FALSE(image->LockData(&data, &length));
  EXPECT_FALSE(image->MatchesUrl(nullptr));  // no address
  image->Release();
  stream->Release();
}

}  // namespace
