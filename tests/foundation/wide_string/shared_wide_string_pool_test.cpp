// SharedWideStringPool: short strings packed into shared chunks, the strings
// it leaves alone, new chunks, and what happens when a chunk cannot be had.
#include "foundation/wide_string/shared_wide_string_pool.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/allocation.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

// A string that shares its buffer with a copy, so the pool takes it.
struct Shared {
  explicit Shared(const char16_t* text) : s(text), copy(s) {}
  SharedWideString s;
  SharedWideString copy;
};

TEST(SharedWideStringPool, PacksStringsBehindEachOtherInOneChunk) {
  SharedWideStringPool pool(16);
  SharedWideString a(u"ab"), b(u"cde");  // short strings are always packed
  Shared c(u"fghij");                     // longer ones when they share
  long before = devtest::AllocationCount();
  pool.Pack(a, false);
  pool.Pack(b, false);
  pool.Pack(c.s, false);
  EXPECT_EQ(devtest::AllocationCount() - before, 2) << "one chunk: record and characters";
  EXPECT_EQ(a.buffer, pool.pool.buffer);
  EXPECT_EQ(b.buffer, pool.pool.buffer);
  EXPECT_EQ(c.s.buffer, pool.pool.buffer);
  EXPECT_EQ(a.offset, 0u);
  EXPECT_EQ(b.offset, 2u);
  EXPECT_EQ(c.s.offset, 5u);
  EXPECT_EQ(pool.used, 10u);
  EXPECT_EQ(pool.pool.buffer->refcount, 4);
  EXPECT_EQ(Text(a) + Text(b) + Text(c.s), u"abcdefghij");
  EXPECT_EQ(Text(c.copy), u"fghij");

  // Packing again changes nothing.
  pool.Pack(b, true);
  EXPECT_EQ(b.offset, 2u);
  EXPECT_EQ(pool.used, 10u);

  // A packed string copies itself out before it writes; its neighbours stay.
  ASSERT_TRUE(b.AppendChars(u"!", 1));
  EXPECT_NE(b.buffer, pool.pool.buffer);
  EXPECT_EQ(Text(b), u"cde!");
  EXPECT_EQ(Text(a), u"ab");
  EXPECT_EQ(Text(c.s), u"fghij");
}

TEST(SharedWideStringPool, WhatIsLeftAlone) {
  SharedWideStringPool pool(8);
  SharedWideString unique(u"unique");
  SharedWideBuffer* own = unique.buffer;
  pool.Pack(unique, false);
  EXPECT_EQ(unique.buffer, own) << "sole owner longer than 3 characters";
  pool.Pack(unique, true);
  EXPECT_EQ(unique.buffer, pool.pool.buffer) << "force packs it anyway";

  // Chunk size or longer: only made writable on its own.
  Shared big(u"0123456789");
  pool.Pack(big.s, true);
  EXPECT_NE(big.s.buffer, pool.pool.buffer);
  EXPECT_NE(big.s.buffer, big.copy.buffer);
  EXPECT_TRUE(big.s.IsUniqueOwner());
  EXPECT_EQ(Text(big.s), u"0123456789");

  SharedWideString empty(u"x");
  empty.ClearKeepBuffer();
  pool.Pack(empty, true);
  EXPECT_EQ(empty.buffer, nullptr);
}

TEST(SharedWideStringPool, TakesANewChunkWhenFull) {
  SharedWideStringPool pool(8);
  SharedWideString a(u"abcde"), b(u"fgh"), c(u"ijk");
  pool.Pack(a, true);
  SharedWideBuffer* first = pool.pool.buffer;
  pool.Pack(b, true);
  EXPECT_EQ(b.buffer, first);
  EXPECT_EQ(pool.used, 8u);
  pool.Pack(c, true);
  EXPECT_NE(c.buffer, first);
  EXPECT_EQ(c.buffer, pool.pool.buffer);
  EXPECT_EQ(c.offset, 0u);
  EXPECT_EQ(pool.used, 3u);
  // The first chunk lives on for the strings that view it.
  EXPECT_EQ(first->refcount, 2);
  EXPECT_EQ(Text(a) + Text(b) + Text(c), u"abcdefghijk");
  a.Clear();
  b.Clear();  // the last view frees the old chunk (the sanitizer checks)
}

TEST(SharedWideStringPool, WithoutANewChunkTheStringGoesItsOwnWay) {
  SharedWideStringPool pool(8);
  Shared s(u"abc");
  {
    devtest::AllocationFailure failure(1);  // the chunk record
    pool.Pack(s.s, false);
  }
  EXPECT_EQ(pool.pool.buffer, nullptr);
  EXPECT_TRUE(s.s.IsUniqueOwner());
  EXPECT_EQ(Text(s.s), u"abc");

  // When making it writable fails too, force clears it; without force it
  // stays as it was.
  Shared t(u"xyz");
  {
    devtest::AllocationFailure failure(1, true);
    pool.Pack(t.s, false);
  }
  EXPECT_EQ(Text(t.s), u"xyz");
  EXPECT_EQ(t.s.buffer, t.copy.buffer);
  {
    devtest::AllocationFailure failure(1, true);
    pool.Pack(t.s, true);
  }
  EXPECT_EQ(t.s.buffer, nullptr);
  EXPECT_EQ(Text(t.copy), u"xyz");
}

TEST(SharedWideStringHolder, ResetClearsAndStores) {
  SharedWideStringHolder holder;
  holder.string = SharedWideString(u"name");
  holder.value = 7;
  holder.Reset(42);
  EXPECT_EQ(holder.string.buffer, nullptr);
  EXPECT_EQ(holder.value, 42u);
}

}  // namespace
