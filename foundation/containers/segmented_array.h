// SegmentedArray: the growable array under most lists of the system. Items of
// a fixed byte size live in equal blocks of 2^shift items reached through a
// table of block pointers, so growing adds blocks and copies only the table:
// an item never moves while the array grows, and its address stays valid.
// Only InsertAt, RemoveAt and the explicit moves move items.
//
// This is the generic form: items are raw bytes that the array never
// constructs or destroys. The typed forms (construct, copy and destroy their
// items) are in segmented_array_typed.h.
//
// Growing operations report an allocation failure (false, -1 or null) and
// leave the array valid: the items stay, blocks already added stay counted in
// `capacity`, and nothing is half-inserted. Readers (At, ReadAt, ContiguousAt)
// do not check bounds; callers keep indices below `count`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Grows a table of block pointers to at least n slots (max(n + 4, 8) slots
// when it grows: old pointers copied, the rest null). False, with the old
// table kept, when the new one cannot be allocated. Shared by every form.
bool GrowSegmentTable(uint8_t*** blocks, uint32_t* tableSize, uint32_t n);

// Blocks are allocated one at a time for the first kLoneBlocks slots, so a
// small list wastes nothing; the rest of the first kSingleBlocks slots come
// in one allocation, and beyond them kBlocksPerChunk at a time (a chunk: the
// slots from a multiple of kBlocksPerChunk), so a longer list pays for one
// allocation per several blocks. Every block keeps its size and its own
// slot; only a group's first slot is freed.
inline constexpr uint32_t kLoneBlocks = 9;
inline constexpr uint32_t kSingleBlocks = 16;
inline constexpr uint32_t kBlocksPerChunk = 16;
static_assert(kSingleBlocks % kBlocksPerChunk == 0 && kLoneBlocks <= kSingleBlocks);
// The blocks to allocate together starting at `slot` (the first slot of a
// group).
inline uint32_t SegmentBlocksAllocatedAt(uint32_t slot) {
  if (slot < kLoneBlocks) return 1;
  return slot < kSingleBlocks ? kSingleBlocks - slot : kBlocksPerChunk;
}
// Whether the block in `slot` owns its allocation (is freed itself).
inline bool SegmentSlotOwnsAllocation(uint32_t slot) {
  return slot <= kLoneBlocks || slot % kBlocksPerChunk == 0;
}
// The first slot that may be freed when the blocks from `slot` on go: a
// group is freed whole or not at all.
inline uint32_t SegmentFirstFreeableSlot(uint32_t slot) {
  if (slot <= kLoneBlocks) return slot;
  if (slot <= kSingleBlocks) return kSingleBlocks;
  return static_cast<uint32_t>((static_cast<uint64_t>(slot) + kBlocksPerChunk - 1) / kBlocksPerChunk *
                               kBlocksPerChunk);
}

// The table slots Reserve asks for when it needs `neededBlocks`: exactly that
// for the lone blocks; beyond them room for a chunk more, so that the table
// grows once per two chunks, and at least half as many again once it holds
// 64 slots, so that a long array does not copy its whole table every fourth
// block.
inline uint32_t SegmentTableSlotsFor(uint32_t neededBlocks, uint32_t tableSize) {
  if (neededBlocks <= tableSize || neededBlocks <= kLoneBlocks) return neededBlocks;
  const uint32_t roomy = neededBlocks + kBlocksPerChunk;  // at most 2^31 blocks: no overflow
  const uint32_t grown = tableSize >= 64 ? tableSize + tableSize / 2 : 0;
  return grown > roomy ? grown : roomy;
}

class SegmentedArray {
 public:
  // Largest item count an array may hold: Append answers indices as int32.
  static constexpr uint32_t kMaxItems = 0x7FFFFFFFu;
  static constexpr uint8_t kDefaultShift = 4;  // 16 items per block

  // Fields in the order of the record; public because the array is a plain
  // record that its owners (the byte stream, the item stores) read directly.
  uint32_t tableSize = 0;                   // slots in `blocks`
  uint32_t blockItems = 1u << kDefaultShift;  // items per block, 2^shift
  uint8_t shift = kDefaultShift;            // 0 to 15
  uint32_t mask = (1u << kDefaultShift) - 1;
  uint8_t** blocks = nullptr;               // null until the first growth
  uint32_t count = 0;                       // items in use
  uint32_t capacity = 0;                    // items in allocated blocks
  int32_t itemSize = 0;                     // bytes per item

  SegmentedArray() = default;
  explicit SegmentedArray(int32_t size) { itemSize = size; }
  ~SegmentedArray() { ReleaseBlocks(blocks, tableSize); }
  SegmentedArray(const SegmentedArray&) = delete;
  SegmentedArray& operator=(const SegmentedArray&) = delete;

  // Releases any storage, then: the given item size, 16 items per block,
  // empty.
  void Init(int32_t size);
  // As Init with 2^shift items per block; when `reserveItems` is not zero the
  // table is grown to `tableSlots` and the items reserved (results ignored:
  // the array is valid and empty-handed either way).
  void InitWithShift(int32_t size, uint8_t blockShift, uint32_t tableSlots, uint32_t reserveItems);
  // Releases any storage and leaves the array empty with no table; the item
  // size becomes 0 and the block geometry is kept.
  void InitEmpty();
  // Sets the item size and block geometry; storage is not touched, so this is
  // for an empty array.
  void SetGeometry(int32_t size, uint8_t blockShift);

  // Ensures at least n table slots (max(n + 4, 8) when it grows).
  bool GrowTable(uint32_t n);
  // Ensures capacity >= n.
  bool Reserve(uint32_t n);
  // Frees the blocks beyond those that hold the current items.
  void Trim();
  // Frees every block; count and capacity 0; the table is kept for reuse.
  void Clear();
  // Clear, then the table too. Safe to call more than once.
  void Free();

  // Makes this array an item-for-item copy of `other` (taking its block size
  // when the two differ). The item size is this array's.
  bool CopyFrom(const SegmentedArray& other);
  // Takes over the other array's storage and geometry; the other is left
  // empty, with its geometry, and usable.
  void MoveFrom(SegmentedArray& other);

  // Copies one item to the end; its index, or -1 when memory runs out.
  int32_t Append(const void* item) {
    const uint32_t n = count;
    if (!RoomToAppend(n)) return -1;
    CopyItem(At(n), item, itemSize);
    count = n + 1;
    return static_cast<int32_t>(n);
  }
  // Extends the count by one and answers the new, uninitialised item; null
  // when memory runs out.
  void* AppendSlot() {
    const uint32_t n = count;
    if (!RoomToAppend(n)) return nullptr;
    count = n + 1;
    return At(n);
  }

  // Inserts n items at `index` (<= count), moving the tail up. A null `items`
  // leaves the new slots for the caller to fill. False, with nothing changed,
  // when memory runs out or the index is past the end.
  bool InsertAt(uint32_t index, const void* items, uint32_t n);
  // Removes n items at `index`, moving the tail down; the range is clamped to
  // the items in use. Blocks are kept.
  void RemoveAt(uint32_t index, uint32_t n);
  // Copies n items in at `index`, across blocks, raising count to index + n
  // when it is lower. The room must have been reserved.
  void WriteAt(uint32_t index, const void* items, uint32_t n);
  // Copies n items out from `index`, across blocks.
  void ReadAt(uint32_t index, void* out, uint32_t n) const;

  // Moves n items from one index to a higher one (the room reserved), working
  // from the last item backwards so overlapping ranges come out right.
  void ShiftUp(uint32_t from, uint32_t to, uint32_t n);
  // Moves n items from `source` at `sourceIndex` to `destination` at
  // `destinationIndex`, first item first. Both arrays have the same item and
  // block size. Inside one array a move to a higher overlapping range is done
  // backwards (as ShiftUp), so every move behaves as memmove.
  static void MoveItems(SegmentedArray& destination, const SegmentedArray& source,
                        uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n);
  // A move of n items from `source` into this array, then count raised to
  // destinationIndex + n when it is lower.
  void CopyItems(uint32_t destinationIndex, uint32_t n, const SegmentedArray& source,
                 uint32_t sourceIndex);

  // Address of item i; no bounds check.
  void* At(uint32_t i) const {
    return blocks[i >> shift] + static_cast<size_t>(itemSize) * (i & mask);
  }
  // Address of item i, raising count to i + 1 when i >= count. Allocates
  // nothing: the caller has reserved.
  void* AtGrow(uint32_t i) {
    if (i >= count) count = i + 1;
    return At(i);
  }
  // Address of item i and the run of items from i to the end of its block,
  // bounded by count.
  void* ContiguousAt(uint32_t i, uint32_t* run) const {
    uint32_t inBlock = blockItems - (i & mask);
    uint32_t left = count - i;
    *run = left < inBlock ? left : inBlock;
    return At(i);
  }

  uint32_t Count() const { return count; }
  uint32_t Capacity() const { return capacity; }
  bool Empty() const { return count == 0; }

 private:
  // One item's bytes. The common sizes are copied inline with a size the
  // compiler knows: an append then costs no call into the C library, whose
  // set-up outweighs copying a few bytes. (Where the compiler sees a caller's
  // smaller item it warns about the branches of other sizes, which that item
  // never takes: the warning is silenced here only.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  static void CopyItem(void* to, const void* from, int32_t size) {
    switch (size) {
      case 4: std::memcpy(to, from, 4); break;
      case 8: std::memcpy(to, from, 8); break;
      default: std::memcpy(to, from, static_cast<size_t>(size)); break;
    }
  }
#pragma GCC diagnostic pop
  // Whether item n, the count, has a slot, adding blocks when it has not.
  // The capacity is whole blocks, so only an item that starts a block can
  // lack one; the others skip the capacity test.
  //
  // The appends are shaped for loops of appends, whose cost is what the
  // compiler must read back from memory on every item:
  // - The count is read once, and every way out leaves it holding a value
  //   the compiler knows (a failure writes it back unchanged). An item's
  //   bytes are copied through a pointer that may alias any field, so a
  //   count left unknown would be read back after every copy.
  // - Growth works on copies of the fields and the destructor on their
  //   values, so the array's own address is never handed to a call. A local
  //   array then stays out of reach of the item copies, and the compiler
  //   keeps its fields in registers across the whole loop.
  bool RoomToAppend(uint32_t n) {
    if ((n & mask) != 0 || n < capacity) [[likely]] return true;
    uint8_t** table = blocks;
    uint32_t slots = tableSize;
    uint32_t room = capacity;
    const bool grown = GrowBlocks(&table, &slots, &room, n + 1, shift, BlockBytes());
    blocks = table;
    tableSize = slots;
    capacity = room;
    if (grown) return true;
    count = n;
    return false;
  }
  // Reserve's work on a table of `slots` slots whose blocks of 2^shift items
  // (`blockBytes` each) hold `room` items: grows the three to hold n items.
  // False when memory runs out, with the blocks added so far counted.
  static bool GrowBlocks(uint8_t*** table, uint32_t* slots, uint32_t* room, uint32_t n,
                         uint8_t shift, size_t blockBytes);
  // Frees the blocks of a table and the table itself (Free without
  // resetting the fields).
  static void ReleaseBlocks(uint8_t** table, uint32_t slots);
  size_t BlockBytes() const { return static_cast<size_t>(itemSize) * blockItems; }
  // Moves n items with a backwards walk (destination at or above the source).
  static void MoveBackward(SegmentedArray& destination, const SegmentedArray& source,
                           uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n);
  static void MoveForward(SegmentedArray& destination, const SegmentedArray& source,
                          uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n);
  void FreeBlocksFrom(uint32_t firstBlock);
};
