// PagedArray: a growable array of 16-element pages behind a page table, so
// that an element never moves once it exists and growth copies only page
// pointers. Element kinds: plain values (bytes, 32-bit words, pointers) and
// counted stream pointers (DocumentStreamPtr), whose pages release what they
// hold when freed.
//
// The page table grows by half (at least four slots, eight at first), so
// appending n elements copies the table a logarithmic number of times.
#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "platform/memory/allocator.h"
#include "storage/sources/document_stream.h"

// Page-table growth: the slots for at least `end` pages.
uint32_t PagedArrayTableSlots(uint32_t end);

template <typename T>
class PagedArray {
 public:
  static constexpr uint32_t kElementsPerPage = 16;
  static constexpr uint8_t kShift = 4;
  static constexpr uint32_t kMask = 15;

  PagedArray() = default;
  ~PagedArray() { Destroy(); }
  PagedArray(const PagedArray&) = delete;
  PagedArray& operator=(const PagedArray&) = delete;

  bool Reserve(uint32_t n) {
    if (capacity_ >= n) return true;
    const uint32_t end = static_cast<uint32_t>((static_cast<uint64_t>(n) + kMask) >> kShift);
    if (tableLength_ < end) {
      const uint32_t slots = PagedArrayTableSlots(end);
      T** table = static_cast<T**>(DeviceAllocZeroed(static_cast<size_t>(slots) * sizeof(T*)));
      if (table == nullptr) return false;
      if (pages_ != nullptr) std::memcpy(table, pages_, tableLength_ * sizeof(T*));
      DeviceFree(pages_);
      pages_ = table;
      tableLength_ = slots;
    }
    for (uint32_t page = capacity_ >> kShift; page < end; ++page) {
      void* block = DeviceAlloc(kElementsPerPage * sizeof(T));
      if (block == nullptr) return false;  // the pages made so far stay
      T* elements = static_cast<T*>(block);
      for (uint32_t i = 0; i < kElementsPerPage; ++i) new (&elements[i]) T();
      pages_[page] = elements;
      capacity_ += kElementsPerPage;
    }
    return true;
  }

  // The address of element i, raising the count to i + 1. i must lie below
  // the capacity (reserve first); the array never grows here.
  T* At(uint32_t i) {
    assert(i < capacity_);
    if (i >= count_) count_ = i + 1;
    return &pages_[i >> kShift][i & kMask];
  }
  const T& operator[](uint32_t i) const {
    assert(i < capacity_);
    return pages_[i >> kShift][i & kMask];
  }

  // The new element's index, or -1 (count unchanged) when memory ran out.
  int32_t Append(const T& value) {
    if (!Reserve(count_ + 1)) return -1;
    *At(count_) = value;
    return static_cast<int32_t>(count_ - 1);
  }

  // Frees every page; the page table stays.
  void FreePages() {
    for (uint32_t page = 0; page < (capacity_ >> kShift); ++page) {
      for (uint32_t i = 0; i < kElementsPerPage; ++i) pages_[page][i].~T();
      DeviceFree(pages_[page]);
      pages_[page] = nullptr;
    }
    count_ = 0;
    capacity_ = 0;
  }

  void Destroy() {
    FreePages();
    DeviceFree(pages_);
    pages_ = nullptr;
    tableLength_ = 0;
  }

  uint32_t Count() const { return count_; }
  uint32_t Capacity() const { return capacity_; }
  uint32_t TableLength() const { return tableLength_; }

 private:
  uint32_t tableLength_ = 0;
  T** pages_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};

// A page of shared streams releases each stream it holds; storing goes
// through DocumentStreamPtr::Assign, taking an element gives a new reference.
using StreamPagedArray = PagedArray<DocumentStreamPtr>;
