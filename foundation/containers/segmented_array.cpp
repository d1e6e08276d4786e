// SegmentedArray: growth, trimming, copies and block-bounded moves. The hot
// accessors (At, AtGrow, Append) are inline in the header.
#include "foundation/containers/segmented_array.h"

#include "platform/memory/allocator.h"

namespace {

uint32_t Min3(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t m = a < b ? a : b;
  return m < c ? m : c;
}

}  // namespace

void SegmentedArray::Init(int32_t size) { InitWithShift(size, kDefaultShift, 0, 0); }

void SegmentedArray::InitWithShift(int32_t size, uint8_t blockShift, uint32_t tableSlots,
                                   uint32_t reserveItems) {
  Free();
  SetGeometry(size, blockShift);
  if (reserveItems != 0) {
    GrowTable(tableSlots);
    Reserve(reserveItems);
  }
}

void SegmentedArray::InitEmpty() {
  Free();
  itemSize = 0;
}

void SegmentedArray::SetGeometry(int32_t size, uint8_t blockShift) {
  if (blockShift > 15) blockShift = 15;
  // Blocks sized for the old geometry cannot hold the new one: drop them
  // rather than address past their end.
  if (capacity != 0 && (size != itemSize || blockShift != shift)) Clear();
  itemSize = size < 0 ? 0 : size;
  shift = blockShift;
  blockItems = 1u << blockShift;
  mask = blockItems - 1;
}

bool GrowSegmentTable(uint8_t*** blocks, uint32_t* tableSize, uint32_t n) {
  if (*tableSize >= n) return true;
  uint64_t slots = static_cast<uint64_t>(n) + 4;
  if (slots < 8) slots = 8;
  if (slots > 0xFFFFFFFFu) return false;
  uint8_t** table = static_cast<uint8_t**>(DeviceAlloc(slots * sizeof(uint8_t*)));
  if (table == nullptr) return false;
  if (*tableSize != 0) std::memcpy(table, *blocks, *tableSize * sizeof(uint8_t*));
  for (uint64_t i = *tableSize; i < slots; ++i) table[i] = nullptr;
  DeviceFree(*blocks);
  *blocks = table;
  *tableSize = static_cast<uint32_t>(slots);
  return true;
}

bool SegmentedArray::GrowTable(uint32_t n) { return GrowSegmentTable(&blocks, &tableSize, n); }

bool SegmentedArray::Reserve(uint32_t n) {
  return GrowBlocks(&blocks, &tableSize, &capacity, n, shift, BlockBytes());
}

bool SegmentedArray::GrowBlocks(uint8_t*** table, uint32_t* slots, uint32_t* room, uint32_t n,
                                uint8_t shift, size_t blockBytes) {
  if (*room >= n) return true;
  if (n > kMaxItems) return false;
  const uint32_t items = 1u << shift;
  const uint32_t needed = static_cast<uint32_t>((static_cast<uint64_t>(n) + items - 1) >> shift);
  // A chunk begun is allocated whole: its slots must all be in the table.
  if (!GrowSegmentTable(table, slots, SegmentTableSlotsFor(SegmentFirstFreeableSlot(needed), *slots))) {
    return false;
  }
  for (uint32_t b = *room >> shift; b < needed;) {
    const uint32_t together = SegmentBlocksAllocatedAt(b);
    uint8_t* chunk = static_cast<uint8_t*>(DeviceAlloc(blockBytes * together));
    if (chunk == nullptr) return false;  // blocks added so far stay counted
    for (uint32_t i = 0; i < together; ++i) (*table)[b + i] = chunk + blockBytes * i;
    *room += items * together;
    b += together;
  }
  return true;
}

void SegmentedArray::ReleaseBlocks(uint8_t** table, uint32_t slots) {
  for (uint32_t slot = 0; slot < slots && table[slot] != nullptr; ++slot) {
    if (SegmentSlotOwnsAllocation(slot)) DeviceFree(table[slot]);
  }
  DeviceFree(table);
}

void SegmentedArray::FreeBlocksFrom(uint32_t firstBlock) {
  for (uint32_t slot = firstBlock; slot < tableSize; ++slot) {
    if (blocks[slot] == nullptr) continue;
    if (SegmentSlotOwnsAllocation(slot)) DeviceFree(blocks[slot]);
    blocks[slot] = nullptr;
  }
}

void SegmentedArray::Trim() {
  uint32_t first = static_cast<uint32_t>((static_cast<uint64_t>(mask) + count) >> shift);
  first = SegmentFirstFreeableSlot(first);
  FreeBlocksFrom(first);
  if (first < (capacity >> shift)) capacity = first << shift;
}

void SegmentedArray::Clear() {
  for (uint32_t slot = 0; slot < tableSize && blocks[slot] != nullptr; ++slot) {
    if (SegmentSlotOwnsAllocation(slot)) DeviceFree(blocks[slot]);
    blocks[slot] = nullptr;
  }
  count = 0;
  capacity = 0;
}

void SegmentedArray::Free() {
  ReleaseBlocks(blocks, tableSize);
  blocks = nullptr;
  tableSize = 0;
  count = 0;
  capacity = 0;
}

bool SegmentedArray::CopyFrom(const SegmentedArray& other) {
  if (&other == this) return true;
  if (blockItems != other.blockItems) {
    Clear();
    shift = other.shift;
    blockItems = other.blockItems;
    mask = other.mask;
  }
  if (!Reserve(other.count)) return false;
  uint32_t remaining = other.count;
  for (uint32_t b = 0; remaining != 0; ++b) {
    uint32_t run = remaining < blockItems ? remaining : blockItems;
    std::memcpy(blocks[b], other.blocks[b], static_cast<size_t>(itemSize) * run);
    remaining -= run;
  }
  count = other.count;
  return true;
}

void SegmentedArray::MoveFrom(SegmentedArray& other) {
  if (&other == this) return;
  Free();
  shift = other.shift;
  blockItems = other.blockItems;
  mask = other.mask;
  blocks = other.blocks;
  tableSize = other.tableSize;
  count = other.count;
  capacity = other.capacity;
  itemSize = other.itemSize;
  other.blocks = nullptr;
  other.tableSize = 0;
  other.count = 0;
  other.capacity = 0;
}

bool SegmentedArray::InsertAt(uint32_t index, const void* items, uint32_t n) {
  if (index > count) return false;
  if (n == 0) return true;
  if (n > kMaxItems - count) return false;
  if (!Reserve(count + n)) return false;
  ShiftUp(index, index + n, count - index);
  count += n;
  if (items != nullptr) WriteAt(index, items, n);
  return true;
}

void SegmentedArray::RemoveAt(uint32_t index, uint32_t n) {
  if (index >= count || n == 0) return;
  if (n > count - index) n = count - index;
  MoveForward(*this, *this, index + n, index, count - index - n);
  count -= n;
}

void SegmentedArray::WriteAt(uint32_t index, const void* items, uint32_t n) {
  const uint8_t* from = static_cast<const uint8_t*>(items);
  uint32_t end = index + n;
  while (n != 0) {
    uint32_t inBlock = blockItems - (index & mask);
    uint32_t run = n < inBlock ? n : inBlock;
    size_t bytes = static_cast<size_t>(itemSize) * run;
    std::memcpy(At(index), from, bytes);
    from += bytes;
    index += run;
    n -= run;
  }
  if (count < end) count = end;
}

void SegmentedArray::ReadAt(uint32_t index, void* out, uint32_t n) const {
  uint8_t* to = static_cast<uint8_t*>(out);
  while (n != 0) {
    uint32_t inBlock = blockItems - (index & mask);
    uint32_t run = n < inBlock ? n : inBlock;
    size_t bytes = static_cast<size_t>(itemSize) * run;
    std::memcpy(to, At(index), bytes);
    to += bytes;
    index += run;
    n -= run;
  }
}

void SegmentedArray::MoveForward(SegmentedArray& destination, const SegmentedArray& source,
                                 uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n) {
  while (n != 0) {
    uint32_t run = Min3(n, source.blockItems - (sourceIndex & source.mask),
                        destination.blockItems - (destinationIndex & destination.mask));
    std::memmove(destination.At(destinationIndex), source.At(sourceIndex),
                 static_cast<size_t>(destination.itemSize) * run);
    sourceIndex += run;
    destinationIndex += run;
    n -= run;
  }
}

void SegmentedArray::MoveBackward(SegmentedArray& destination, const SegmentedArray& source,
                                  uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n) {
  uint32_t sourceEnd = sourceIndex + n;
  uint32_t destinationEnd = destinationIndex + n;
  while (n != 0) {
    // Items between the start of each end's block and the end itself.
    uint32_t run = Min3(n, ((sourceEnd - 1) & source.mask) + 1,
                        ((destinationEnd - 1) & destination.mask) + 1);
    sourceEnd -= run;
    destinationEnd -= run;
    std::memmove(destination.At(destinationEnd), source.At(sourceEnd),
                 static_cast<size_t>(destination.itemSize) * run);
    n -= run;
  }
}

void SegmentedArray::ShiftUp(uint32_t from, uint32_t to, uint32_t n) {
  if (n == 0 || from == to) return;
  if (to < from) {
    MoveForward(*this, *this, from, to, n);
  } else {
    MoveBackward(*this, *this, from, to, n);
  }
}

void SegmentedArray::MoveItems(SegmentedArray& destination, const SegmentedArray& source,
                               uint32_t sourceIndex, uint32_t destinationIndex, uint32_t n) {
  if (n == 0) return;
  if (&destination == &source && destinationIndex > sourceIndex) {
    MoveBackward(destination, source, sourceIndex, destinationIndex, n);
  } else {
    MoveForward(destination, source, sourceIndex, destinationIndex, n);
  }
}

void SegmentedArray::CopyItems(uint32_t destinationIndex, uint32_t n, const SegmentedArray& source,
                               uint32_t sourceIndex) {
  MoveItems(*this, source, sourceIndex, destinationIndex, n);
  if (count < destinationIndex + n) count = destinationIndex + n;
}
