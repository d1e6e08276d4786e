// The document source and stream interfaces: the list of live streams a
// source keeps (handed out again, left on death or detach, the others moving
// up), the counted references between them, the loader told of a dying
// source, the neutral answers of the base, and ReadAt bounded by the length.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/testing/allocation.h"
#include "storage/sources/document_source.h"
#include "storage/sources/document_source_cache.h"

namespace {

struct LoaderLog : DocumentSourceCache {
  std::vector<DocumentSource*> uncached;
  void Uncache(DocumentSource* source) override { uncached.push_back(source); }
};

class MemorySource : public DocumentSource {
 public:
  explicit MemorySource(bool* destroyed) : destroyed_(destroyed) {}
  ~MemorySource() override { *destroyed_ = true; }

 private:
  bool* destroyed_;
};

// A stream over bytes in memory, answering index and name comparisons.
class BytesStream : public DocumentStream {
 public:
  BytesStream(std::vector<uint8_t> bytes, int32_t index) : bytes_(std::move(bytes)), index_(index) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    std::memcpy(buffer, bytes_.data() + offset, count);
    return true;
  }
  int32_t CompareIndex(int32_t n) override { return index_ == n ? 0 : (index_ < n ? -1 : 1); }
  int32_t CompareName(const WCHAR* name, uint32_t length) override {
    return length == 1 && name[0] == static_cast<WCHAR>(u'a' + index_) ? 0 : -1;
  }

 private:
  std::vector<uint8_t> bytes_;
  int32_t index_;
};

TEST(DocumentStream, ReadAtIsBoundedByTheLength) {
  BytesStream* stream = new BytesStream({1, 2, 3, 4, 5}, 0);
  uint8_t buffer[8] = {};
  uint32_t read = 99;
  EXPECT_FALSE(stream->ReadAt(5, buffer, 1, &read));  // at the length
  EXPECT_EQ(read, 0u);
  EXPECT_TRUE(stream->ReadAt(3, buffer, 8, &read));  // runs over: cut
  EXPECT_EQ(read, 2u);
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(buffer[1], 5);
  uint32_t size = 0;
  EXPECT_TRUE(stream->GetSize(&size));
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(stream->IsValid(), 1);
  EXPECT_EQ(stream->GetStreamKind(), 33);
  EXPECT_EQ(stream->GetRecordIndex(), -1);
  const uint8_t* memory = nullptr;
  EXPECT_FALSE(stream->GetMemory(&memory, &size));
  EXPECT_EQ(stream->GetSource(), nullptr);
  EXPECT_TRUE(stream->Release());
}

TEST(DocumentSource, StreamsJoinTheListAndLeaveItInOrder) {
  bool destroyed = false;
  LoaderLog loader;
  MemorySource* source = new MemorySource(&destroyed);
  source->SetLoader(&loader);
  BytesStream* streams[3];
  for (int32_t i = 0; i < 3; ++i) {
    streams[i] = new BytesStream({0}, i);
    ASSERT_TRUE(streams[i]->AttachToSource(source));
    EXPECT_EQ(streams[i]->GetSource(), source);
  }
  EXPECT_EQ(source->GetReferenceCount(), 4);
  EXPECT_FALSE(streams[0]->AttachToSource(source));  // already has one

  // Handed out again by index and by name, counted up.
  DocumentStream* again = source->FindStreamByIndex(1);
  EXPECT_EQ(again, streams[1]);
  EXPECT_EQ(again->GetReferenceCount(), 2);
  again->Release();
  const WCHAR c[] = {u'c'};
  DocumentStreamPtr byName;
  byName.Adopt(source->FindStreamByName(c, 1));
  EXPECT_EQ(byName.Get(), streams[2]);
  EXPECT_FALSE(streams[2]->Release());  // byName now holds the only reference
  EXPECT_EQ(source->FindStreamByIndex(7), nullptr);

  // The middle stream dies: the last moves up one place.
  EXPECT_TRUE(streams[1]->Release());
  ASSERT_EQ(source->GetStreamCount(), 2u);
  EXPECT_EQ(source->GetStream(0), streams[0]);
  EXPECT_EQ(source->GetStream(1), streams[2]);
  EXPECT_EQ(source->GetStream(2), nullptr);

  // A detached stream lives on without its source.
  streams[0]->DetachFromSource();
  EXPECT_EQ(streams[0]->GetSource(), nullptr);
  EXPECT_EQ(source->GetStreamCount(), 1u);
  EXPECT_TRUE(streams[0]->Release());

  // The caller's reference goes first; the last stream keeps the source alive
  // and, dying, destroys it, which first leaves the loader's cache.
  EXPECT_FALSE(source->Release());
  EXPECT_FALSE(destroyed);
  byName.Reset();
  EXPECT_TRUE(destroyed);
  ASSERT_EQ(loader.uncached.size(), 1u);
  EXPECT_EQ(loader.uncached[0], source);
}

TEST(DocumentSource, AStreamThatCannotJoinTheListStaysUnattached) {
  bool destroyed = false;
  MemorySource* source = new MemorySource(&destroyed);
  BytesStream* stream = new BytesStream({0}, 0);
  {
    devtest::AllocationFailure noMemory(1, true);
    EXPECT_FALSE(stream->AttachToSource(source));
  }
  EXPECT_EQ(stream->GetSource(), nullptr);
  EXPECT_EQ(source->GetStreamCount(), 0u);
  EXPECT_EQ(source->GetReferenceCount(), 1);
  stream->Release();
  source->Release();
  EXPECT_TRUE(destroyed);
}

TEST(DocumentSource, TheBaseAnswersNeutrally) {
  bool destroyed = false;
  DocumentSourcePtr source;
  source.Adopt(new MemorySource(&destroyed));
  DocumentStreamPtr out;
  const WCHAR name[] = {u't'};
  source->OpenStreamByName(&out, name, 1);
  EXPECT_FALSE(out);
  source->OpenStreamByIndex(&out, 0);
  EXPECT_FALSE(out);
  InnerLink link;
  EXPECT_FALSE(source->ResolveInnerLink(name, 1, &link));
  EXPECT_EQ(source->GetDocument(), nullptr);
  SharedWideString title;
  EXPECT_FALSE(source->GetTitle(&title));
  ElementStream* parser = nullptr;
  LayoutContext* layout = nullptr;
  EXPECT_FALSE(source->CreateParser(&parser, &layout, 0));
  EXPECT_EQ(source->CreateTextSearch(), nullptr);
  EXPECT_FALSE(source->HasEmbeddedStreams());
  EXPECT_FALSE(source->HasSpecialTable(7));
  EXPECT_EQ(source->OpenSpecialTable(7, 0), nullptr);
  EXPECT_EQ(source->OpenTableAtRecord(3), nullptr);
  EXPECT_EQ(source->OpenNamedTable(name, 1, 0), nullptr);
  EXPECT_EQ(source->GetSourceKind(), 0);
  uint32_t length = 9;
  EXPECT_EQ(source->GetExtraHeaderData(&length), nullptr);
  EXPECT_EQ(length, 0u);

  DocumentSourcePtr copy;
  copy.CopyFrom(source);
  EXPECT_EQ(source->GetReferenceCount(), 2);
  copy.Reset();
  source.Reset();
  EXPECT_TRUE(destroyed);
}

}  // namespace
