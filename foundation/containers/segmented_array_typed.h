// Typed forms of the segmented array: the same block layout as SegmentedArray
// with the item type fixed, so the items are constructed, copied and
// destroyed as objects.
//
// A counted block is one 32-bit word holding the number of items in the block,
// followed by `blockItems` items that are default-constructed when the block
// is allocated (growing constructs; appending assigns) and destroyed last to
// first when the block is freed (Trim, Clear, Free). Every item slot is so
// constructed once and destroyed once. A raw block (SegmentedPointerArray) has
// no count word and its items are neither constructed nor destroyed.
//
// The block table holds the address of each block's first item, so reaching an
// item costs one load, a shift and a mask, as in the generic form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "foundation/containers/segmented_array.h"
#include "platform/memory/allocator.h"

// Copies an item into a constructed slot; false when the copy could not be
// made. Item types whose assignment can fail (it records lack of memory in the
// item) overload this next to their array's declaration.
template <class T>
inline bool AssignSegmentedItem(T& to, const T& from) {
  to = from;
  return true;
}

template <class T, bool kCountedBlocks = true>
class SegmentedTypedArray {
  static_assert(alignof(T) <= alignof(std::max_align_t), "blocks come from the device heap");
  static_assert(kCountedBlocks || std::is_trivially_copyable_v<T>,
                "raw blocks hold only plain values");

 public:
  using Item = T;

  // The generic form's fields less the item size.
  uint32_t tableSize = 0;
  uint32_t blockItems = 1u << SegmentedArray::kDefaultShift;
  uint8_t shift = SegmentedArray::kDefaultShift;
  uint32_t mask = (1u << SegmentedArray::kDefaultShift) - 1;
  uint8_t** blocks = nullptr;  // each slot: the block's first item
  uint32_t count = 0;
  uint32_t capacity = 0;

  SegmentedTypedArray() = default;
  ~SegmentedTypedArray() { ReleaseBlocks(blocks, tableSize); }
  SegmentedTypedArray(const SegmentedTypedArray&) = delete;
  SegmentedTypedArray& operator=(const SegmentedTypedArray&) = delete;

  // Releases any storage; 16 items per block, empty.
  void Init() { InitWithShift(SegmentedArray::kDefaultShift, 0, 0); }
  void InitWithShift(uint8_t blockShift, uint32_t tableSlots, uint32_t reserveItems) {
    Free();
    SetGeometry(blockShift);
    if (reserveItems != 0) {
      GrowTable(tableSlots);
      Reserve(reserveItems);
    }
  }
  // Sets 2^shift items per block; an array holding blocks of another size is
  // cleared first.
  void SetGeometry(uint8_t blockShift) {
    if (blockShift > 15) blockShift = 15;
    if (capacity != 0 && blockShift != shift) Clear();
    shift = blockShift;
    blockItems = 1u << blockShift;
    mask = blockItems - 1;
  }

  bool GrowTable(uint32_t n) { return GrowSegmentTable(&blocks, &tableSize, n); }

  bool Reserve(uint32_t n) { return GrowBlocks(&blocks, &tableSize, &capacity, n, shift); }

  void Trim() {
    uint32_t first = static_cast<uint32_t>((static_cast<uint64_t>(mask) + count) >> shift);
    first = SegmentFirstFreeableSlot(first);
    uint32_t end = first;
    while (end < tableSize && blocks[end] != nullptr) ++end;
    DeleteBlocks(blocks, first, end);
    if (first < (capacity >> shift)) capacity = first << shift;
  }

  void Clear() {
    uint32_t end = 0;
    while (end < tableSize && blocks[end] != nullptr) ++end;
    DeleteBlocks(blocks, 0, end);
    count = 0;
    capacity = 0;
  }

  void Free() {
    Clear();
    DeviceFree(blocks);
    blocks = nullptr;
    tableSize = 0;
  }

  // Item-by-item assignment of the other array's items; this array takes the
  // other's block size when the two differ. When an item cannot be copied the
  // count stops at the items copied so far and the answer is false.
  bool CopyFrom(const SegmentedTypedArray& other) {
    if (&other == this) return true;
    if (blockItems != other.blockItems) {
      Clear();
      SetGeometry(other.shift);
    }
    if (!Reserve(other.count)) return false;
    uint32_t remaining = other.count;
    for (uint32_t b = 0; remaining != 0; ++b) {
      uint32_t run = remaining < blockItems ? remaining : blockItems;
      T* to = reinterpret_cast<T*>(blocks[b]);
      const T* from = reinterpret_cast<const T*>(other.blocks[b]);
      for (uint32_t i = 0; i < run; ++i) {
        if (!AssignSegmentedItem(to[i], from[i])) {
          count = (b << shift) + i;
          return false;
        }
      }
      remaining -= run;
    }
    count = other.count;
    return true;
  }

  // Takes over the other array's storage and block size; the other is left
  // empty and usable.
  void MoveFrom(SegmentedTypedArray& other) {
    if (&other == this) return;
    Free();
    shift = other.shift;
    blockItems = other.blockItems;
    mask = other.mask;
    blocks = other.blocks;
    tableSize = other.tableSize;
    count = other.count;
    capacity = other.capacity;
    other.blocks = nullptr;
    other.tableSize = 0;
    other.count = 0;
    other.capacity = 0;
  }

  // Assigns a copy of the item to a new last slot; its index, or -1 when
  // memory runs out (for the block or for the copy).
  int32_t Append(const T& item) {
    const uint32_t n = count;
    if (!RoomToAppend(n)) return -1;
    if (!AssignSegmentedItem(*At(n), item)) {
      count = n;  // unchanged: see RoomToAppend
      return -1;
    }
    count = n + 1;
    return static_cast<int32_t>(n);
  }
  int32_t Append(T&& item) {
    const uint32_t n = count;
    if (!RoomToAppend(n)) return -1;
    *At(n) = std::move(item);
    count = n + 1;
    return static_cast<int32_t>(n);
  }
  // The new last item (as the block left it) for the caller to fill; null
  // when memory runs out.
  T* AppendSlot() {
    const uint32_t n = count;
    if (!RoomToAppend(n)) return nullptr;
    count = n + 1;
    return At(n);
  }

  T* At(uint32_t i) const { return reinterpret_cast<T*>(blocks[i >> shift]) + (i & mask); }
  T* AtGrow(uint32_t i) {
    if (i >= count) count = i + 1;
    return At(i);
  }
  T& operator[](uint32_t i) const { return *At(i); }

  uint32_t Count() const { return count; }
  uint32_t Capacity() const { return capacity; }
  bool Empty() const { return count == 0; }

 private:
  // Whether item n, the count, has a slot, adding blocks when it has not;
  // shaped for loops of appends as the generic form's (see there): the
  // capacity is whole blocks, so only an item that starts a block can lack
  // a slot; the count is left holding a value the compiler knows; and growth
  // works on copies of the fields, out of line, so that the array's address
  // is never handed to a call and a local array's fields stay in registers.
  bool RoomToAppend(uint32_t n) {
    if ((n & mask) != 0 || n < capacity) [[likely]] return true;
    uint8_t** table = blocks;
    uint32_t slots = tableSize;
    uint32_t room = capacity;
    const bool grown = GrowForAppend(&table, &slots, &room, n + 1, shift);
    blocks = table;
    tableSize = slots;
    capacity = room;
    if (grown) return true;
    count = n;
    return false;
  }
  [[gnu::noinline]] static bool GrowForAppend(uint8_t*** table, uint32_t* slots, uint32_t* room,
                                              uint32_t n, uint8_t shift) {
    return GrowBlocks(table, slots, room, n, shift);
  }
  // Reserve's work on a table of `slots` slots whose blocks of 2^shift items
  // hold `room` items: grows the three to hold n items. False when memory
  // runs out, with the blocks added so far counted.
  static bool GrowBlocks(uint8_t*** table, uint32_t* slots, uint32_t* room, uint32_t n,
                         uint8_t shift) {
    if (*room >= n) return true;
    if (n > SegmentedArray::kMaxItems) return false;
    const uint32_t items = 1u << shift;
    const uint32_t needed = static_cast<uint32_t>((static_cast<uint64_t>(n) + items - 1) >> shift);
    // A chunk begun is allocated whole: its slots must all be in the table.
    if (!GrowSegmentTable(table, slots, SegmentTableSlotsFor(SegmentFirstFreeableSlot(needed), *slots))) {
      return false;
    }
    for (uint32_t b = *room >> shift; b < needed;) {
      const uint32_t together = SegmentBlocksAllocatedAt(b);
      if (!NewBlocks(*table + b, together, items)) return false;  // blocks added so far stay counted
      *room += items * together;
      b += together;
    }
    return true;
  }
  // Destroys the items of a table's blocks and frees them and the table
  // (Free without resetting the fields).
  static void ReleaseBlocks(uint8_t** table, uint32_t slots) {
    uint32_t end = 0;
    while (end < slots && table[end] != nullptr) ++end;
    DeleteBlocks(table, 0, end);
    DeviceFree(table);
  }
  // Bytes in front of the first item: the count word, padded to the item's
  // alignment.
  static constexpr size_t kHeaderBytes =
      kCountedBlocks ? (sizeof(uint32_t) + alignof(T) - 1) / alignof(T) * alignof(T) : 0;

  // Bytes from one block of a chunk to the next: the next count word and
  // items stay aligned.
  static constexpr size_t kStrideAlign = kCountedBlocks && alignof(T) < alignof(uint32_t) ? alignof(uint32_t) : alignof(T);
  static constexpr size_t BlockStride(uint32_t items) {
    return (kHeaderBytes + sizeof(T) * items + kStrideAlign - 1) / kStrideAlign * kStrideAlign;
  }

  // `together` blocks of `items` items in one allocation, their first
  // items stored in slots[0, together); false, with nothing allocated, when
  // memory runs out.
  static bool NewBlocks(uint8_t** slots, uint32_t together, uint32_t items) {
    const size_t stride = BlockStride(items);
    uint8_t* raw = static_cast<uint8_t*>(DeviceAlloc(stride * together));
    if (raw == nullptr) return false;
    for (uint32_t k = 0; k < together; ++k) {
      uint8_t* block = raw + stride * k;
      uint8_t* first = block + kHeaderBytes;
      if constexpr (kCountedBlocks) {
        *reinterpret_cast<uint32_t*>(block) = items;
        T* objects = reinterpret_cast<T*>(first);
        for (uint32_t i = 0; i < items; ++i) ::new (static_cast<void*>(objects + i)) T;
      }
      slots[k] = first;
    }
    return true;
  }

  // Destroys the items of the blocks in slots [from, end) (blocks are
  // allocated in order, so these are all there are from `from` on), then
  // frees the allocations those slots own: a chunk's other blocks go with
  // its first, once all their items are gone.
  static void DeleteBlocks(uint8_t** table, uint32_t from, uint32_t end) {
    if constexpr (kCountedBlocks) {
      for (uint32_t slot = from; slot < end; ++slot) {
        uint32_t items = *reinterpret_cast<uint32_t*>(table[slot] - kHeaderBytes);
        T* item = reinterpret_cast<T*>(table[slot]);
        while (items != 0) item[--items].~T();
      }
    }
    for (uint32_t slot = from; slot < end; ++slot) {
      if (SegmentSlotOwnsAllocation(slot)) DeviceFree(table[slot] - kHeaderBytes);
      table[slot] = nullptr;
    }
  }
};

// Words that hold a pointer or an identifier, in raw blocks: no count word,
// items not initialised. Pointer-sized rather than 32-bit so that pointers
// survive on a 64-bit host; no stored file holds these arrays.
using SegmentedPointerArray = SegmentedTypedArray<uintptr_t, false>;
